#pragma once
// The user's default web browser.

#include <string>

namespace haloquill {

// Opens an address in the user's default browser; a failure has no visible effect.
class WebBrowser {
  public:
    virtual ~WebBrowser() = default;
    virtual void Open(const std::string& address) = 0;
};

} // namespace haloquill
