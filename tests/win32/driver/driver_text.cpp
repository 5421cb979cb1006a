#include "driver/driver_text.h"

#include "win32/wide_text.h"

#include <stdexcept>

namespace haloquill::testing {

std::wstring WideOrThrow(const std::string& text) {
    auto wide = win32::ToWide(text);
    if (!wide) {
        throw std::runtime_error("not UTF-8: " + text);
    }
    return *wide;
}

std::string NarrowOrThrow(const std::wstring& text) {
    auto narrow = win32::FromWide(text);
    if (!narrow) {
        throw std::runtime_error("a name that is not UTF-16");
    }
    return *narrow;
}

} // namespace haloquill::testing
