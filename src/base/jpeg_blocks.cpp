#include "base/jpeg_blocks.h"

#include <algorithm>
#include <cmath>

namespace haloquill::jpeg {

namespace {

// Where each coefficient, in the zigzag order the file codes them in, sits in its 8x8 block.
constexpr std::array<std::uint8_t, 64> kNaturalOrder = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The inverse DCT of a block, as the 1-D transform over its rows and then its columns, written
// into the samples with the level shift of 128 undone. Floating point keeps it within a level of
// the exact transform.
void InverseTransform(const std::array<float, 64>& block, std::uint8_t* out, std::size_t stride) {
    // basis[x * 8 + u] = C(u) / 2 * cos((2x + 1) u pi / 16), where C(0) = 1 / sqrt(2), else 1.
    static const std::array<float, 64> basis = [] {
        std::array<float, 64> table{};
        const double pi = std::acos(-1.0);
        for (int i = 0; i < 64; ++i) {
            const int x = i / 8;
            const int u = i % 8;
            table[i] = static_cast<float>((u == 0 ? std::sqrt(0.125) : 0.5) *
                                          std::cos((2 * x + 1) * u * pi / 16));
        }
        return table;
    }();
    std::array<float, 64> rows{};
    for (int i = 0; i < 64; ++i) { // row i / 8, column i % 8
        for (int u = 0; u < 8; ++u) {
            rows[i] += basis[i % 8 * 8 + u] * block[i / 8 * 8 + u];
        }
    }
    for (int i = 0; i < 64; ++i) {
        float sum = 128;
        for (int v = 0; v < 8; ++v) {
            sum += basis[i / 8 * 8 + v] * rows[v * 8 + i % 8];
        }
        out[i / 8 * stride + i % 8] = ClampedSample(sum);
    }
}

} // namespace

std::size_t ReadHuffmanTable(const std::uint8_t* data, std::size_t size, HuffmanTable& table) {
    if (size < 16) {
        return 0;
    }
    int code = 0;
    int total = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = data[length - 1];
        table.valueOffset[length] = total - code;
        table.maxCode[length] = count ? code + count - 1 : -1;
        code += count;
        total += count;
        // The codes of each length must fit in that many bits.
        if (code > 1 << length) {
            return 0;
        }
        code <<= 1;
    }
    if (total > 256 || size - 16 < static_cast<std::size_t>(total)) {
        return 0;
    }
    std::copy(data + 16, data + 16 + total, table.values.begin());
    table.defined = true;
    return 16 + static_cast<std::size_t>(total);
}

std::uint8_t ClampedSample(float value) {
    return static_cast<std::uint8_t>(std::clamp(value + 0.5f, 0.0f, 255.0f));
}

void StoreBgr(float luma, float cb, float cr, std::uint8_t* out) {
    cb -= 128;
    cr -= 128;
    out[0] = ClampedSample(luma + 1.772f * cb);
    out[1] = ClampedSample(luma - 0.344136f * cb - 0.714136f * cr);
    out[2] = ClampedSample(luma + 1.402f * cr);
}

bool BlockReader::Decode(const HuffmanTable& dc, const HuffmanTable& ac,
                         const QuantizationTable& table, int& prediction, std::uint8_t* out,
                         std::size_t stride) {
    std::array<float, 64> block{};
    const int dcBits = DecodeSymbol(dc);
    if (dcBits > 11) { // no difference of 8-bit samples needs more
        return false;
    }
    prediction += ReceiveExtended(dcBits);
    block[0] = static_cast<float>(prediction) * table[0];
    for (int k = 1; k < 64; ++k) {
        const int symbol = DecodeSymbol(ac);
        const int run = symbol >> 4;
        const int bits = symbol & 15;
        if (bits == 0 && run != 15) { // end of block: the rest are zero
            break;
        }
        k += run; // zeros before the value; a run of 15 and no bits are sixteen zeros
        if (k > 63 || bits > 10) {
            return false;
        }
        block[kNaturalOrder[k]] = static_cast<float>(ReceiveExtended(bits)) * table[k];
    }
    if (broken_) {
        return false;
    }
    InverseTransform(block, out, stride);
    return true;
}

bool BlockReader::Restart(std::size_t index) {
    std::size_t i = at_;
    while (i < size_ && data_[i] == 0xFF) {
        ++i;
    }
    if (i == at_ || i >= size_ || data_[i] != 0xD0 + index % 8) {
        return false;
    }
    at_ = i + 1;
    bitsLeft_ = 0;
    return true;
}

// Reads one code bit by bit: a code of length L is the one whose first L bits are at most the
// largest code of that length, since no shorter code matched.
int BlockReader::DecodeSymbol(const HuffmanTable& table) {
    int code = 0;
    for (int length = 1; length <= 16; ++length) {
        code = code << 1 | Bit();
        if (code <= table.maxCode[length]) {
            return table.values[static_cast<std::size_t>(table.valueOffset[length] + code)];
        }
    }
    broken_ = true;
    return 0;
}

// A value of `bits` bits: those starting with 1 are positive, the rest count up from -(2^bits-1).
int BlockReader::ReceiveExtended(int bits) {
    int value = 0;
    for (int i = 0; i < bits; ++i) {
        value = value << 1 | Bit();
    }
    return bits > 0 && value < 1 << (bits - 1) ? value - (1 << bits) + 1 : value;
}

// The next bit, where each 0xFF byte of data is followed by a zero byte that is not data.
int BlockReader::Bit() {
    if (bitsLeft_ == 0) {
        if (at_ >= size_ || (data_[at_] == 0xFF && (at_ + 1 >= size_ || data_[at_ + 1] != 0))) {
            broken_ = true;
            return 0;
        }
        byte_ = data_[at_];
        at_ += byte_ == 0xFF ? 2 : 1;
        bitsLeft_ = 8;
    }
    --bitsLeft_;
    return static_cast<int>(byte_ >> bitsLeft_ & 1);
}

} // namespace haloquill::jpeg
