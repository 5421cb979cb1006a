#pragma once
// Opens web addresses with the shell, in the user's default browser.

#include "web/web_pages.h"

namespace haloquill::win32 {

class ShellWebBrowser final : public WebBrowser {
  public:
    void Open(const std::string& address) override;
};

} // namespace haloquill::win32
