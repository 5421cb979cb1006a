#pragma once
// Stand-ins for the web browser in the test prefix: the http and https handlers pointed at a
// program of the test's choosing, and put back afterwards.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::testing {

class BrowserHandlerOverride {
  public:
    explicit BrowserHandlerOverride(const std::string& command);
    BrowserHandlerOverride(const BrowserHandlerOverride&) = delete;
    BrowserHandlerOverride& operator=(const BrowserHandlerOverride&) = delete;
    ~BrowserHandlerOverride();

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// url_recorder.exe as the browser: every address opened lands in a file the test reads.
class RecordingBrowser {
  public:
    RecordingBrowser();
    ~RecordingBrowser();

    std::vector<std::string> Addresses() const;
    // Waits until `count` addresses have been recorded, and a little longer for any extra.
    std::vector<std::string> WaitForAddresses(std::size_t count) const;

  private:
    std::string log_;
    BrowserHandlerOverride handler_;
};

} // namespace haloquill::testing
