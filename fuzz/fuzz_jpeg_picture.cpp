// Fuzzes the decoder of the compiled-in pictures: whatever the bytes, it gives nothing or a
// picture no larger than allowed whose pixel rows fill the bitmap it describes.

#include "base/jpeg_picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = haloquill::DecodeJpeg(data, size);
    if (!picture) {
        return 0;
    }
    const auto stride = (static_cast<std::size_t>(picture->width) * 3 + 3) / 4 * 4;
    if (picture->width < 1 || picture->width > haloquill::kMaxJpegSide || picture->height < 1 ||
        picture->height > haloquill::kMaxJpegSide || picture->stride != stride ||
        picture->pixels.size() != stride * static_cast<std::size_t>(picture->height)) {
        std::abort();
    }
    return 0;
}
