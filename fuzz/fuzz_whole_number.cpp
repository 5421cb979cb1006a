// Fuzzes the reader of stored whole numbers ("Card", "Hour", "Minute", "Second").

#include "base/text_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto number = haloquill::ParseWholeNumber(text);
    if (number) {
        // Whatever was accepted fits 16 bits and reads back from its own decimal form.
        if (*number < -32768 || *number > 32767) {
            std::abort();
        }
        if (haloquill::ParseWholeNumber(std::to_string(*number)) != number) {
            std::abort();
        }
    }
    return 0;
}
