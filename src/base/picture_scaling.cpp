#include "base/picture_scaling.h"

#include <algorithm>
#include <cstdint>

namespace haloquill {

namespace {

struct Tap {
    int index;
    float weight;
};

// For each of `to` pixels along one side, the source pixels of the `from` along it that it takes,
// with weights adding up to one: the part of each source pixel it covers when reducing, and the
// two nearest source pixels, by distance, when enlarging.
std::vector<std::vector<Tap>> Taps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        auto& pixel = taps[static_cast<std::size_t>(i)];
        if (scale > 1) {
            const double begin = i * scale;
            const double end = begin + scale;
            for (int j = static_cast<int>(begin); j < end && j < from; ++j) {
                const double covered = std::min<double>(end, j + 1) - std::max<double>(begin, j);
                pixel.push_back({j, static_cast<float>(covered / scale)});
            }
            continue;
        }
        const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, from - 1.0);
        const int left = static_cast<int>(centre);
        const auto right = static_cast<float>(centre - left);
        pixel.push_back({left, 1 - right});
        pixel.push_back({std::min(left + 1, from - 1), right});
    }
    return taps;
}

} // namespace

DecodedPicture ScaledPicture(const DecodedPicture& source, int width, int height) {
    if ((width == source.width && height == source.height) || width <= 0 || height <= 0 ||
        source.width <= 0 || source.height <= 0) {
        return source;
    }
    const auto across = Taps(source.width, width);
    const auto down = Taps(source.height, height);
    const auto columns = static_cast<std::size_t>(width) * 3;
    // Each source row scaled across first, then the columns of those rows scaled down.
    std::vector<float> rows(static_cast<std::size_t>(source.height) * columns);
    for (std::size_t y = 0; y < static_cast<std::size_t>(source.height); ++y) {
        const std::uint8_t* in = &source.pixels[y * source.stride];
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            for (const Tap& tap : across[x]) {
                for (std::size_t c = 0; c < 3; ++c) {
                    rows[y * columns + x * 3 + c] +=
                        tap.weight * in[static_cast<std::size_t>(tap.index) * 3 + c];
                }
            }
        }
    }
    DecodedPicture scaled{width, height, (columns + 3) / 4 * 4, {}};
    scaled.pixels.assign(scaled.stride * static_cast<std::size_t>(height), 0);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        for (std::size_t x = 0; x < columns; ++x) {
            float sum = 0;
            for (const Tap& tap : down[y]) {
                sum += tap.weight * rows[static_cast<std::size_t>(tap.index) * columns + x];
            }
            scaled.pixels[y * scaled.stride + x] =
                static_cast<std::uint8_t>(std::clamp(sum + 0.5f, 0.0f, 255.0f));
        }
    }
    return scaled;
}

} // namespace haloquill
