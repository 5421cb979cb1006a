#pragma once
// Positions and sizes of the design are in twips, 1/1440 inch.

namespace haloquill {

inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

// Pixels at 96 dots per inch (the design's own pixels) to pixels at `dpi`.
constexpr int ScalePixels(int pixels, int dpi) {
    return TwipsToPixels(pixels * (kTwipsPerInch / 96), dpi);
}

} // namespace haloquill
