#pragma once
// Opens web addresses with the shell, in the user's default browser.

#include "web/web_pages.h"
#include "win32/com_apartment.h"
#include "win32/system_library.h"

namespace haloquill::win32 {

class ShellWebBrowser final : public WebBrowser {
  public:
    void Open(const std::string& address) override;

  private:
    ComApartment com_;                    // the shell may use COM to reach the browser
    SystemLibrary shell_{L"shell32.dll"}; // loaded with the first page opened
};

} // namespace haloquill::win32
