// Fuzzes the test for the start-up argument against a plain search.

#include "app/command_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    bool found = false;
    const std::string mark = "/STARTUP";
    for (std::size_t i = 0; i + mark.size() <= text.size() && !found; ++i) {
        found = text.compare(i, mark.size(), mark) == 0;
    }
    if (haloquill::HasStartupArgument(text) != found) {
        std::abort();
    }
    return 0;
}
