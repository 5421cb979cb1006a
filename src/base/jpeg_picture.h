#pragma once
// Decodes the program's pictures, which are baseline JPEG files, into the pixels of a top-down
// 24-bit bitmap, so that showing one needs no picture library of the platform.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace haloquill {

// The largest width and height a picture may have; anything larger is taken as damaged.
inline constexpr int kMaxJpegSide = 4096;

// Pixels laid out as a top-down 24-bit Windows bitmap wants them: the top row first, each pixel
// blue, green, red, each row padded to a multiple of four bytes.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::size_t stride = 0; // bytes from one row to the next
    std::vector<std::uint8_t> pixels;
};

// The picture in `data`: a sequential Huffman-coded JPEG (baseline or extended, 8 bits a sample)
// of one or three components, each sampled once or twice in each direction. Nothing for any
// other kind, for damaged or cut-short data, or for a side over kMaxJpegSide.
std::optional<DecodedPicture> DecodeJpeg(const std::uint8_t* data, std::size_t size);

} // namespace haloquill
