#include "base/jpeg_picture.h"
#include "base/picture_scaling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The build names the source tree; a compiler run on its own (a syntax check) gets the folder it
// runs in.
#ifndef HALOQUILL_SOURCE_DIR
#define HALOQUILL_SOURCE_DIR "."
#endif

namespace haloquill {
namespace {

std::vector<std::uint8_t> SourceFile(const std::string& path) {
    std::ifstream file(std::string(HALOQUILL_SOURCE_DIR) + "/" + path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A picture's mean blue, green and red, and its detail: the mean difference between neighbouring
// samples, which a misplaced block or coefficient changes even where the means stay.
struct Measures {
    const char* file;
    int width;
    int height;
    double mean[3];
    double detail;
};

Measures Measure(const DecodedPicture& picture) {
    Measures measures{"", picture.width, picture.height, {0, 0, 0}, 0};
    double differences = 0;
    double pairs = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width * 3; ++x) {
            const auto at = [&](int dx, int dy) {
                return picture.pixels[static_cast<std::size_t>(y + dy) * picture.stride +
                                      static_cast<std::size_t>(x + dx)];
            };
            measures.mean[x % 3] += at(0, 0);
            if (x + 3 < picture.width * 3) {
                differences += std::abs(at(3, 0) - at(0, 0));
                ++pairs;
            }
            if (y + 1 < picture.height) {
                differences += std::abs(at(0, 1) - at(0, 0));
                ++pairs;
            }
        }
    }
    for (double& mean : measures.mean) {
        mean /= picture.width * picture.height;
    }
    measures.detail = differences / pairs;
    return measures;
}

// The cards at the sizes of tools/README-pictures.md, and cuts of two cards written by libjpeg
// with what the cards do not use: chroma halved both ways with restart markers (then rewritten
// with all tables in one segment each, a comment, an APP1 segment and fill bytes before the
// markers), chroma halved both ways in three scans of one component each, one grey component, and
// 16-bit quantization tables (SOF1). The measures are of ImageMagick 6.9's decoding (libjpeg's
// accurate integer IDCT, its smoothing of halved chroma turned off, as this decoder repeats it).
constexpr Measures kPictures[] = {
    {"content/pictures/01.jpg", 75, 112, {87.67, 128.28, 183.33}, 14.00},
    {"content/pictures/02.jpg", 75, 112, {147.77, 195.88, 164.17}, 13.22},
    {"content/pictures/03.jpg", 75, 112, {200.84, 182.60, 174.96}, 13.48},
    {"content/pictures/04.jpg", 75, 112, {184.80, 151.99, 189.56}, 14.31},
    {"content/pictures/05.jpg", 75, 112, {107.16, 114.01, 148.89}, 16.18},
    {"content/pictures/06.jpg", 75, 112, {206.09, 193.96, 182.45}, 13.91},
    {"content/pictures/07.jpg", 75, 112, {114.43, 183.27, 203.81}, 12.65},
    {"content/pictures/08.jpg", 75, 112, {168.61, 144.06, 128.31}, 16.43},
    {"content/pictures/09.jpg", 75, 112, {150.58, 121.21, 124.55}, 16.94},
    {"content/pictures/10.jpg", 73, 113, {173.73, 188.75, 142.36}, 14.43},
    {"content/pictures/11.jpg", 75, 112, {190.05, 182.17, 181.62}, 13.95},
    {"content/pictures/12.jpg", 75, 112, {136.69, 180.99, 166.59}, 14.86},
    {"content/pictures/13.jpg", 76, 112, {63.68, 107.79, 166.72}, 15.55},
    {"content/pictures/14.jpg", 75, 112, {130.90, 189.29, 211.59}, 15.37},
    {"content/pictures/144/01.jpg", 113, 168, {87.46, 128.33, 183.46}, 10.99},
    {"content/pictures/144/02.jpg", 113, 168, {147.89, 196.20, 164.27}, 10.62},
    {"content/pictures/144/03.jpg", 113, 168, {201.07, 182.96, 175.18}, 11.15},
    {"content/pictures/144/04.jpg", 113, 168, {185.34, 152.36, 189.94}, 11.49},
    {"content/pictures/144/05.jpg", 113, 168, {107.02, 114.05, 149.13}, 12.58},
    {"content/pictures/144/06.jpg", 113, 168, {206.45, 194.20, 182.81}, 11.73},
    {"content/pictures/144/07.jpg", 113, 168, {114.35, 183.35, 203.92}, 10.36},
    {"content/pictures/144/08.jpg", 113, 168, {168.62, 143.95, 127.92}, 13.36},
    {"content/pictures/144/09.jpg", 113, 168, {151.17, 121.35, 124.43}, 13.20},
    {"content/pictures/144/10.jpg", 110, 170, {174.05, 189.15, 142.42}, 11.52},
    {"content/pictures/144/11.jpg", 113, 168, {190.28, 182.38, 182.45}, 11.41},
    {"content/pictures/144/12.jpg", 113, 168, {137.14, 181.44, 167.00}, 11.66},
    {"content/pictures/144/13.jpg", 114, 168, {63.69, 107.90, 167.20}, 12.19},
    {"content/pictures/144/14.jpg", 113, 168, {131.38, 189.56, 211.62}, 12.42},
    {"content/pictures/192/01.jpg", 150, 224, {87.53, 128.17, 183.39}, 9.33},
    {"content/pictures/192/02.jpg", 150, 224, {147.81, 195.98, 164.10}, 8.98},
    {"content/pictures/192/03.jpg", 150, 224, {201.03, 182.74, 175.13}, 9.49},
    {"content/pictures/192/04.jpg", 150, 224, {185.00, 151.97, 189.75}, 9.75},
    {"content/pictures/192/05.jpg", 150, 224, {106.99, 114.00, 148.93}, 10.65},
    {"content/pictures/192/06.jpg", 150, 224, {206.08, 194.10, 182.71}, 10.17},
    {"content/pictures/192/07.jpg", 150, 224, {114.12, 182.98, 203.41}, 8.94},
    {"content/pictures/192/08.jpg", 150, 224, {168.72, 144.27, 128.03}, 11.54},
    {"content/pictures/192/09.jpg", 150, 224, {150.91, 121.30, 124.52}, 11.19},
    {"content/pictures/192/10.jpg", 146, 226, {173.94, 188.95, 142.36}, 9.90},
    {"content/pictures/192/11.jpg", 150, 224, {190.23, 182.33, 182.16}, 9.68},
    {"content/pictures/192/12.jpg", 150, 224, {136.79, 181.11, 166.57}, 10.03},
    {"content/pictures/192/13.jpg", 152, 224, {63.56, 107.78, 166.98}, 10.36},
    {"content/pictures/192/14.jpg", 150, 224, {131.19, 189.31, 211.56}, 10.55},
    {"tests/unit/jpeg/grey.jpg", 37, 40, {99.84, 99.84, 99.84}, 10.79},
    {"tests/unit/jpeg/separate_scans.jpg", 37, 40, {53.31, 64.60, 186.79}, 11.52},
    {"tests/unit/jpeg/subsampled_restarts.jpg", 37, 45, {75.22, 110.04, 172.95}, 18.64},
    {"tests/unit/jpeg/wide_tables.jpg", 37, 45, {71.49, 108.00, 172.55}, 13.56},
};

TEST(JpegPicture, EveryPictureDecodesToItsSizeAndLooksAsImageMagickDecodesIt) {
    for (const Measures& expected : kPictures) {
        SCOPED_TRACE(expected.file);
        const std::vector<std::uint8_t> data = SourceFile(expected.file);
        ASSERT_FALSE(data.empty());
        const auto picture = DecodeJpeg(data.data(), data.size());
        ASSERT_TRUE(picture.has_value());
        ASSERT_EQ(picture->width, expected.width);
        ASSERT_EQ(picture->height, expected.height);
        ASSERT_EQ(picture->stride, (picture->width * 3u + 3) / 4 * 4);
        ASSERT_EQ(picture->pixels.size(), picture->stride * picture->height);
        // IDCTs that differ by a level in a few samples move these by a few hundredths.
        const Measures measured = Measure(*picture);
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(measured.mean[channel], expected.mean[channel], 0.1) << channel;
        }
        EXPECT_NEAR(measured.detail, expected.detail, 0.1);
    }
}

constexpr std::uint8_t kScanMarker[] = {0xFF, 0xDA};

std::size_t MarkerAt(const std::vector<std::uint8_t>& data, std::uint8_t code) {
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0xFF && data[i + 1] == code) {
            return i;
        }
    }
    ADD_FAILURE() << "no marker " << int{code};
    return 0;
}

// A grey picture of one level in the fewest bytes: every coefficient zero, coded with a DC table
// of `dcCodes` one-bit codes and an AC table of one, so that each block takes two zero bits.
std::vector<std::uint8_t> FlatGreyJpeg(int width, int height, int dcCodes = 1) {
    std::vector<std::uint8_t> data;
    const auto add = [&](std::initializer_list<int> bytes, int repeats = 1) {
        for (int i = 0; i < repeats; ++i) {
            for (const int byte : bytes) {
                data.push_back(static_cast<std::uint8_t>(byte));
            }
        }
    };
    add({0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0});
    add({1}, 64);                                      // a quantization table of ones
    add({0xFF, 0xC4, 0, 37 + dcCodes, 0x00, dcCodes}); // the DC and AC tables in one segment
    add({0}, 15 + dcCodes);                            // no longer codes; the values
    add({0x10, 1});
    add({0}, 16);
    add({0xFF, 0xC0, 0, 11, 8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 1, 1, 0x11,
         0});
    add({0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 63, 0});
    add({0}, ((width + 7) / 8 * ((height + 7) / 8) * 2 + 7) / 8);
    add({0xFF, 0xD9});
    return data;
}

TEST(JpegPicture, PicturesUpToTheLargestSideAndHuffmanCodesThatFitDecode) {
    for (const auto& [width, height] : {std::pair{1, 1}, {kMaxJpegSide, 9}, {9, kMaxJpegSide}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const std::vector<std::uint8_t> data = FlatGreyJpeg(width, height);
        const auto picture = DecodeJpeg(data.data(), data.size());
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, width);
        EXPECT_EQ(picture->height, height);
        EXPECT_EQ(std::count(picture->pixels.begin(), picture->pixels.end(), 128),
                  width * height * 3);
        const std::vector<std::uint8_t> wider = FlatGreyJpeg(width + kMaxJpegSide, height);
        EXPECT_FALSE(DecodeJpeg(wider.data(), wider.size()).has_value());
        const std::vector<std::uint8_t> taller = FlatGreyJpeg(width, height + kMaxJpegSide);
        EXPECT_FALSE(DecodeJpeg(taller.data(), taller.size()).has_value());
    }
    // Two one-bit codes are all there can be.
    const std::vector<std::uint8_t> two = FlatGreyJpeg(8, 8, 2);
    const std::vector<std::uint8_t> three = FlatGreyJpeg(8, 8, 3);
    EXPECT_TRUE(DecodeJpeg(two.data(), two.size()).has_value());
    EXPECT_FALSE(DecodeJpeg(three.data(), three.size()).has_value());
}

TEST(JpegPicture, DataItCannotDecodeWhollyGivesNothing) {
    const std::vector<std::uint8_t> card = SourceFile("content/pictures/01.jpg");
    const std::vector<std::uint8_t> restarts =
        SourceFile("tests/unit/jpeg/subsampled_restarts.jpg");
    std::vector<std::uint8_t> scansLeft = SourceFile("tests/unit/jpeg/separate_scans.jpg");
    ASSERT_FALSE(card.empty());
    ASSERT_FALSE(restarts.empty());
    ASSERT_FALSE(scansLeft.empty());
    const auto lastScan =
        std::find_end(scansLeft.begin(), scansLeft.end(), &kScanMarker[0], &kScanMarker[2]);
    scansLeft.erase(lastScan, scansLeft.end() - 2); // keeps the end marker
    const std::size_t frame = MarkerAt(card, 0xC0); // its bytes: FF C0, length, then the fields
    const std::size_t huffman = MarkerAt(card, 0xC4);
    const std::size_t scan = MarkerAt(card, 0xDA);
    const auto changed = [](std::vector<std::uint8_t> data, std::size_t at, std::uint8_t value) {
        data.at(at) = value;
        return data;
    };
    const auto cut = [&](std::size_t size) {
        return std::vector<std::uint8_t>(card.begin(), card.begin() + size);
    };
    std::vector<std::uint8_t> noScan = cut(scan);
    noScan.insert(noScan.end(), {0xFF, 0xD9});
    std::vector<std::uint8_t> allOnes(card.begin(), card.begin() + scan + 14);
    for (int i = 0; i < 2000; ++i) {
        allOnes.insert(allOnes.end(), {0xFF, 0x00}); // stuffed 0xFF: no code is all ones
    }
    allOnes.insert(allOnes.end(), {0xFF, 0xD9});
    const struct {
        const char* what;
        std::vector<std::uint8_t> data;
    } damaged[] = {
        {"no bytes", {}},
        {"only the start marker", cut(2)},
        {"cut in a table", cut(huffman + 10)},
        {"cut before the scan", cut(scan)},
        {"cut in the coded data", cut(scan + 300)},
        {"cut before the end marker", cut(card.size() - 2)},
        {"progressive", changed(card, frame + 1, 0xC2)},
        {"lossless", changed(card, frame + 1, 0xC3)},
        {"arithmetic-coded", changed(card, frame + 1, 0xC9)},
        {"12-bit samples", changed(card, frame + 4, 12)},
        {"no height", changed(changed(card, frame + 5, 0), frame + 6, 0)},
        {"a fourth component", changed(card, frame + 9, 4)},
        {"sampled three times across", changed(card, frame + 11, 0x31)},
        {"a quantization table not given", changed(card, frame + 15, 2)},
        {"a Huffman table not given", changed(card, scan + 8, 0x22)},
        {"no scan", noScan},
        {"a component without its scan", scansLeft},
        {"coefficients in several passes", changed(card, scan + 12, 5)},
        {"coded data that is no code", allOnes},
        {"restart markers out of turn", changed(restarts, MarkerAt(restarts, 0xD0) + 1, 0xD1)},
    };
    for (const auto& [what, data] : damaged) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(DecodeJpeg(data.data(), data.size()).has_value());
    }
    EXPECT_FALSE(DecodeJpeg(nullptr, 0).has_value());
}

// A card drawn for one DPI and scaled to the size drawn for another looks like the card drawn for
// that one, enlarged or reduced; a plain colour stays plain at any size, and a picture asked for
// at its own size comes back as it is.
TEST(PictureScaling, ScaledCardsLookLikeTheCardsDrawnForTheirSize) {
    const auto card = [](const char* file) {
        const std::vector<std::uint8_t> data = SourceFile(file);
        return DecodeJpeg(data.data(), data.size()).value_or(DecodedPicture{});
    };
    const Measures& drawn144 = kPictures[14];
    for (const Measures& source : {kPictures[0], kPictures[28]}) {
        SCOPED_TRACE(source.file);
        const Measures scaled = Measure(ScaledPicture(card(source.file), 113, 168));
        EXPECT_EQ(std::tie(scaled.width, scaled.height), std::tie(drawn144.width, drawn144.height));
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(scaled.mean[c], drawn144.mean[c], 1.5) << c;
        }
        // Never sharper than the card drawn for the size, and not blurred away.
        EXPECT_GT(scaled.detail, drawn144.detail * 0.6);
        EXPECT_LT(scaled.detail, drawn144.detail * 1.1);
    }

    DecodedPicture plain{5, 7, 16, {}};
    plain.pixels.assign(16 * 7, 0);
    for (std::size_t y = 0; y < 7; ++y) {
        for (std::size_t x = 0; x < 15; ++x) {
            plain.pixels[y * 16 + x] = static_cast<std::uint8_t>(40 + x % 3 * 90);
        }
    }
    EXPECT_EQ(ScaledPicture(plain, 5, 7).pixels, plain.pixels);
    const std::pair<int, int> sizes[] = {{1, 2}, {2, 3}, {8, 9}, {13, 20}};
    for (const auto& [width, height] : sizes) {
        const DecodedPicture scaled = ScaledPicture(plain, width, height);
        const Measures measures = Measure(scaled);
        EXPECT_EQ(scaled.stride, static_cast<std::size_t>(width * 3 + 3) / 4 * 4) << width;
        EXPECT_EQ(scaled.pixels.size(), scaled.stride * static_cast<std::size_t>(height));
        EXPECT_EQ(std::vector<double>(measures.mean, measures.mean + 3),
                  (std::vector<double>{40, 130, 220}))
            << width;
        EXPECT_EQ(measures.detail, 0) << width;
    }
}

} // namespace
} // namespace haloquill
