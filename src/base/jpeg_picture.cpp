#include "base/jpeg_picture.h"

#include "base/jpeg_blocks.h"

#include <algorithm>
#include <array>
#include <utility>

namespace haloquill {

namespace {

using jpeg::ClampedSample;

struct Component {
    int id = 0;
    int h = 1; // samples across and down in each unit of the interleaved scan, 1 or 2
    int v = 1;
    int quantization = 0;
    int dcTable = 0;
    int acTable = 0;
    int prediction = 0; // the last DC coefficient, which the next one is coded against
    bool decoded = false;
    std::size_t stride = 0;
    std::vector<std::uint8_t> samples;
};

class Decoder {
  public:
    Decoder(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::optional<DecodedPicture> Run();

  private:
    bool ReadFrame(const std::uint8_t* s, std::size_t n);
    bool ReadQuantization(const std::uint8_t* s, std::size_t n);
    bool ReadHuffman(const std::uint8_t* s, std::size_t n);
    bool ReadScan(const std::uint8_t* s, std::size_t n);
    bool DecodeScan(const std::vector<Component*>& scan);
    DecodedPicture Pixels() const;

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    std::array<jpeg::QuantizationTable, 4> quantization_{};
    std::array<bool, 4> quantizationDefined_{};
    std::array<jpeg::HuffmanTable, 4> dcTables_{};
    std::array<jpeg::HuffmanTable, 4> acTables_{};
    int restartInterval_ = 0;
    int width_ = 0;
    int height_ = 0;
    int maxH_ = 1;
    int maxV_ = 1;
    std::size_t unitsAcross_ = 0; // units of the interleaved scan
    std::size_t unitsDown_ = 0;
    std::vector<Component> components_;
};

std::optional<DecodedPicture> Decoder::Run() {
    if (size_ < 2 || data_[0] != 0xFF || data_[1] != 0xD8) {
        return std::nullopt;
    }
    at_ = 2;
    for (;;) {
        // A marker is 0xFF and its code; more 0xFF before it are fill bytes.
        while (at_ < size_ && data_[at_] != 0xFF) {
            ++at_;
        }
        while (at_ < size_ && data_[at_] == 0xFF) {
            ++at_;
        }
        if (at_ >= size_ || data_[at_] == 0x00) {
            return std::nullopt;
        }
        const int marker = data_[at_++];
        if (marker == 0xD9) { // end of image
            break;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a segment
            continue;
        }
        if (size_ - at_ < 2) {
            return std::nullopt;
        }
        const std::size_t length = static_cast<std::size_t>(data_[at_] << 8 | data_[at_ + 1]);
        if (length < 2 || length > size_ - at_) {
            return std::nullopt;
        }
        const std::uint8_t* segment = data_ + at_ + 2;
        at_ += length;
        bool read = true;
        switch (marker) {
        case 0xC0: // baseline
        case 0xC1: // extended sequential, read alike: 8-bit samples are all it may carry here
            read = ReadFrame(segment, length - 2);
            break;
        case 0xC4:
            read = ReadHuffman(segment, length - 2);
            break;
        case 0xDB:
            read = ReadQuantization(segment, length - 2);
            break;
        case 0xDD:
            read = length == 4;
            restartInterval_ = read ? segment[0] << 8 | segment[1] : 0;
            break;
        case 0xDA:
            read = ReadScan(segment, length - 2);
            break;
        default:
            // Every other frame (progressive, lossless, arithmetic-coded, hierarchical) and a
            // height given after the scan (DNL) are not read; APPn, COM and the rest are skipped.
            read = marker < 0xC2 ||
                   (marker > 0xCF && marker != 0xDC && marker != 0xDE && marker != 0xDF);
        }
        if (!read) {
            return std::nullopt;
        }
    }
    const bool complete =
        !components_.empty() && std::all_of(components_.begin(), components_.end(),
                                            [](const Component& c) { return c.decoded; });
    return complete ? std::optional(Pixels()) : std::nullopt;
}

bool Decoder::ReadFrame(const std::uint8_t* s, std::size_t n) {
    if (!components_.empty() || n < 6 || s[0] != 8) {
        return false;
    }
    height_ = s[1] << 8 | s[2];
    width_ = s[3] << 8 | s[4];
    const int count = s[5];
    if (width_ < 1 || height_ < 1 || width_ > kMaxJpegSide || height_ > kMaxJpegSide ||
        (count != 1 && count != 3) || n != 6 + 3 * static_cast<std::size_t>(count)) {
        return false;
    }
    for (const std::uint8_t* c = s + 6; c < s + n; c += 3) {
        Component component;
        component.id = c[0];
        component.h = c[1] >> 4;
        component.v = c[1] & 15;
        component.quantization = c[2];
        const bool repeated = std::any_of(components_.begin(), components_.end(),
                                          [&](const Component& o) { return o.id == c[0]; });
        if (repeated || component.h < 1 || component.h > 2 || component.v < 1 || component.v > 2 ||
            component.quantization > 3) {
            return false;
        }
        maxH_ = std::max(maxH_, component.h);
        maxV_ = std::max(maxV_, component.v);
        components_.push_back(std::move(component));
    }
    unitsAcross_ = static_cast<std::size_t>((width_ + 8 * maxH_ - 1) / (8 * maxH_));
    unitsDown_ = static_cast<std::size_t>((height_ + 8 * maxV_ - 1) / (8 * maxV_));
    return true;
}

bool Decoder::ReadQuantization(const std::uint8_t* s, std::size_t n) {
    for (std::size_t i = 0; i < n;) {
        const int precision = s[i] >> 4; // 0 for 8-bit values, 1 for 16-bit ones
        const int id = s[i] & 15;
        const std::size_t bytes = precision == 0 ? 64 : 128;
        if (precision > 1 || id > 3 || n - i - 1 < bytes) {
            return false;
        }
        for (std::size_t k = 0; k < 64; ++k) {
            const std::uint8_t* value = s + i + 1 + k * (precision + 1);
            quantization_[id][k] =
                static_cast<std::uint16_t>(precision ? *value << 8 | value[1] : *value);
        }
        quantizationDefined_[id] = true;
        i += 1 + bytes;
    }
    return true;
}

bool Decoder::ReadHuffman(const std::uint8_t* s, std::size_t n) {
    for (std::size_t i = 0; i < n;) {
        const int type = s[i] >> 4; // 0 for DC, 1 for AC
        const int id = s[i] & 15;
        if (type > 1 || id > 3) {
            return false;
        }
        const std::size_t taken =
            jpeg::ReadHuffmanTable(s + i + 1, n - i - 1, (type ? acTables_ : dcTables_)[id]);
        if (taken == 0) {
            return false;
        }
        i += 1 + taken;
    }
    return true;
}

bool Decoder::ReadScan(const std::uint8_t* s, std::size_t n) {
    const std::size_t count = n > 0 ? s[0] : 0;
    if (components_.empty() || count < 1 || count > components_.size() || n != 4 + 2 * count ||
        s[n - 3] != 0 || s[n - 2] != 63 || s[n - 1] != 0) { // all coefficients in one pass
        return false;
    }
    std::vector<Component*> scan;
    int unitBlocks = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto found = std::find_if(components_.begin(), components_.end(),
                                        [&](const Component& c) { return c.id == s[1 + 2 * i]; });
        if (found == components_.end() || found->decoded) {
            return false;
        }
        found->dcTable = s[2 + 2 * i] >> 4;
        found->acTable = s[2 + 2 * i] & 15;
        if (found->dcTable > 3 || found->acTable > 3 || !dcTables_[found->dcTable].defined ||
            !acTables_[found->acTable].defined || !quantizationDefined_[found->quantization]) {
            return false;
        }
        found->decoded = true;
        found->prediction = 0;
        unitBlocks += found->h * found->v;
        scan.push_back(&*found);
    }
    if (unitBlocks > 10) {
        return false;
    }
    // Planes cover whole units of the interleaved scan, which holds a component's own blocks.
    for (Component* component : scan) {
        component->stride = unitsAcross_ * component->h * 8;
        component->samples.assign(component->stride * unitsDown_ * component->v * 8, 0);
    }
    return DecodeScan(scan);
}

// Interleaved, the scan is coded a unit at a time, each holding h by v blocks of each component;
// a component alone is coded one block at a time over its own width and height. Every
// `restartInterval_` units the coding starts anew after a restart marker.
bool Decoder::DecodeScan(const std::vector<Component*>& scan) {
    const bool alone = scan.size() == 1;
    const std::size_t across =
        alone ? ((width_ * scan[0]->h + maxH_ - 1) / maxH_ + 7) / 8 : unitsAcross_;
    const std::size_t down =
        alone ? ((height_ * scan[0]->v + maxV_ - 1) / maxV_ + 7) / 8 : unitsDown_;
    const auto interval = static_cast<std::size_t>(restartInterval_);
    jpeg::BlockReader reader(data_, size_, at_);
    for (std::size_t unit = 0; unit < across * down; ++unit) {
        if (interval != 0 && unit != 0 && unit % interval == 0) {
            if (!reader.Restart(unit / interval - 1)) {
                return false;
            }
            for (Component* c : scan) {
                c->prediction = 0;
            }
        }
        for (Component* c : scan) {
            const int h = alone ? 1 : c->h;
            const int v = alone ? 1 : c->v;
            for (int block = 0; block < h * v; ++block) {
                const std::size_t x = (unit % across * h + block % h) * 8;
                const std::size_t y = (unit / across * v + block / h) * 8;
                if (!reader.Decode(dcTables_[c->dcTable], acTables_[c->acTable],
                                   quantization_[c->quantization], c->prediction,
                                   &c->samples[y * c->stride + x], c->stride)) {
                    return false;
                }
            }
        }
    }
    at_ = reader.Position();
    return true;
}

// Converts the planes to blue, green, red, repeating a sample of a component sampled less often
// over the pixels it covers; three components are YCbCr as JFIF defines it.
DecodedPicture Decoder::Pixels() const {
    DecodedPicture picture;
    picture.width = width_;
    picture.height = height_;
    picture.stride = (static_cast<std::size_t>(width_) * 3 + 3) / 4 * 4;
    picture.pixels.assign(picture.stride * static_cast<std::size_t>(height_), 0);
    const auto sample = [&](const Component& c, int x, int y) {
        return static_cast<float>(c.samples[static_cast<std::size_t>(y * c.v / maxV_) * c.stride +
                                            static_cast<std::size_t>(x * c.h / maxH_)]);
    };
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* out = &picture.pixels[static_cast<std::size_t>(y) * picture.stride];
        for (int x = 0; x < width_; ++x, out += 3) {
            const float luma = sample(components_[0], x, y);
            if (components_.size() == 1) {
                out[0] = out[1] = out[2] = ClampedSample(luma);
                continue;
            }
            jpeg::StoreBgr(luma, sample(components_[1], x, y), sample(components_[2], x, y), out);
        }
    }
    return picture;
}

} // namespace

std::optional<DecodedPicture> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    return data ? Decoder(data, size).Run() : std::nullopt;
}

} // namespace haloquill
