// Fuzzes the reader of stored Booleans ("AutorunStartUp").

#include "base/text_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = haloquill::ParseBoolean(text);
    // A Boolean is a word or a number; a number is true exactly when it is not zero.
    if (const auto number = haloquill::ParseWholeNumber(text)) {
        if (!value || *value != (*number != 0)) {
            std::abort();
        }
    }
    if (value && haloquill::ParseBoolean(haloquill::BooleanText(*value)) != value) {
        std::abort();
    }
    return 0;
}
