#pragma once
// Stand-ins for the web browser in the test prefix: the http and https handlers pointed at a
// program of the test's choosing, and put back afterwards.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::testing {

class RunningProgram;

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
    // The addresses once no recorder runs any more; for after the programs that open pages end.
    std::vector<std::string> AddressesOnceRecordersEnd() const;
    // Waits until `count` addresses have been recorded, then until `program` has handled all it
    // was given and no recorder it started still runs, so that any extra address is in too.
    std::vector<std::string> WaitForAddresses(std::size_t count,
                                              const RunningProgram& program) const;

  private:
    std::string log_;
    BrowserHandlerOverride handler_;
};

} // namespace haloquill::testing
