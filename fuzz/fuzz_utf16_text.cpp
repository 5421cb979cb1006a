// Fuzzes the conversions between the program's UTF-8 text and the UTF-16 text of the wide calls
// (registry values, paths, the command line).

#include "base/utf16_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // As UTF-8: what converts comes back byte for byte.
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto wide = haloquill::Utf16FromUtf8(text)) {
        if (haloquill::Utf8FromUtf16(*wide) != text) {
            std::abort();
        }
    }
    // As UTF-16: what converts comes back unit for unit.
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    if (const auto narrow = haloquill::Utf8FromUtf16(units)) {
        if (haloquill::Utf16FromUtf8(*narrow) != units) {
            std::abort();
        }
    }
    return 0;
}
