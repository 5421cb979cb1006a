#pragma once
// The entropy-coded data of a JPEG scan turned into 8x8 blocks of samples: Huffman codes read bit
// by bit past the stuffed bytes, coefficients scaled by their quantization table, and the inverse
// DCT. The layout of the file around it is read in jpeg_picture.cpp.

#include <array>
#include <cstddef>
#include <cstdint>

namespace haloquill::jpeg {

// A Huffman table as its codes are assigned: for each code length, the largest code of that
// length (-1 for none) and the offset from a code of that length to its value's index.
struct HuffmanTable {
    bool defined = false;
    std::array<int, 17> maxCode{};
    std::array<int, 17> valueOffset{};
    std::array<std::uint8_t, 256> values{};
};

// Reads a table written as 16 counts of codes by length and then the values, from the `size`
// bytes at `data`; the bytes it took, or 0 when it does not fit them or its codes cannot exist.
std::size_t ReadHuffmanTable(const std::uint8_t* data, std::size_t size, HuffmanTable& table);

using QuantizationTable = std::array<std::uint16_t, 64>; // in the zigzag order of the file

// Reads the coded data of one scan from `data[at]` on. A code that runs past its data, into a
// marker or the end, breaks the reader: coded data never needs bits beyond its last byte.
class BlockReader {
  public:
    BlockReader(const std::uint8_t* data, std::size_t size, std::size_t at)
        : data_(data), size_(size), at_(at) {}

    // Decodes the next block, its DC coefficient coded against `prediction` (which it updates),
    // into 8x8 samples at `out`, rows `stride` apart; false when the data is broken.
    bool Decode(const HuffmanTable& dc, const HuffmanTable& ac, const QuantizationTable& table,
                int& prediction, std::uint8_t* out, std::size_t stride);

    // Expects restart marker RSTn, n = `index` % 8, next, after the padding of the last byte and
    // any fill bytes; false when another byte comes.
    bool Restart(std::size_t index);

    // Where the data after the bytes read so far starts.
    std::size_t Position() const { return at_; }

  private:
    int DecodeSymbol(const HuffmanTable& table);
    int ReceiveExtended(int bits);
    int Bit();

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_;
    unsigned byte_ = 0; // the byte being read, with `bitsLeft_` of its bits not read yet
    int bitsLeft_ = 0;
    bool broken_ = false;
};

// Rounds a sample worked out in floating point to the nearest byte, clamped to 0..255.
std::uint8_t ClampedSample(float value);

// Stores the pixel of YCbCr samples, as JFIF defines them, as blue, green and red at `out`.
void StoreBgr(float luma, float cb, float cr, std::uint8_t* out);

} // namespace haloquill::jpeg
