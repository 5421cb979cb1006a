#pragma once
// A browser that records the addresses it was asked to open.

#include "web/web_pages.h"

#include <string>
#include <vector>

namespace haloquill::testing {

class FakeWebBrowser final : public WebBrowser {
  public:
    void Open(const std::string& address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

} // namespace haloquill::testing
