#include "pe_image.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace haloquill::pe {

namespace {

constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::uint32_t kHighBit = 0x80000000u;

std::size_t AlignTo4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

} // namespace

std::optional<PeImage> PeImage::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return Parse(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {}));
}

std::optional<PeImage> PeImage::Parse(std::vector<std::uint8_t> bytes) {
    PeImage image;
    image.bytes_ = std::move(bytes);
    if (!image.ReadHeaders()) {
        return std::nullopt;
    }
    return image;
}

std::optional<std::uint16_t> PeImage::U16(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 2) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
}

std::optional<std::uint32_t> PeImage::U32(std::size_t offset) const {
    const auto low = U16(offset);
    const auto high = U16(offset + 2);
    if (!low || !high) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*low) | (static_cast<std::uint32_t>(*high) << 16);
}

std::optional<std::size_t> PeImage::OffsetOf(std::uint32_t rva) const {
    for (const Section& section : sections_) {
        const std::uint32_t span = std::max(section.virtualSize, section.rawSize);
        if (rva >= section.virtualAddress && rva - section.virtualAddress < span) {
            const std::uint32_t into = rva - section.virtualAddress;
            if (into >= section.rawSize) {
                return std::nullopt; // in memory only, not in the file
            }
            return std::size_t{section.rawOffset} + into;
        }
    }
    return std::nullopt;
}

bool PeImage::SectionsStartOnPages() const {
    return std::all_of(sections_.begin(), sections_.end(), [](const Section& section) {
        return section.rawSize == 0 || section.rawOffset % 4096 == 0;
    });
}

bool PeImage::ReadHeaders() {
    if (U16(0) != 0x5A4D) { // "MZ"
        return false;
    }
    const auto peOffset = U32(0x3C);
    if (!peOffset || U32(*peOffset) != 0x00004550) { // "PE\0\0"
        return false;
    }
    const std::size_t coff = std::size_t{*peOffset} + 4;
    const auto machine = U16(coff);
    const auto sectionCount = U16(coff + 2);
    const auto optionalSize = U16(coff + 16);
    const auto characteristics = U16(coff + 18);
    if (!machine || !sectionCount || !optionalSize || !characteristics) {
        return false;
    }
    machine_ = *machine;
    characteristics_ = *characteristics;
    const std::size_t optional = coff + 20;
    const auto magic = U16(optional);
    if (magic != 0x10B && magic != 0x20B) {
        return false;
    }
    pe32Plus_ = magic == 0x20B;
    const auto subsystem = U16(optional + 68);
    const auto dllCharacteristics = U16(optional + 70);
    const std::size_t directories = optional + (pe32Plus_ ? 112 : 96);
    const auto directoryCount = U32(directories - 4);
    if (!subsystem || !dllCharacteristics || !directoryCount) {
        return false;
    }
    subsystem_ = *subsystem;
    dllCharacteristics_ = *dllCharacteristics;

    const std::size_t table = optional + *optionalSize;
    for (std::size_t i = 0; i < *sectionCount; ++i) {
        const std::size_t header = table + i * kSectionHeaderSize;
        const auto virtualSize = U32(header + 8);
        const auto virtualAddress = U32(header + 12);
        const auto rawSize = U32(header + 16);
        const auto rawOffset = U32(header + 20);
        if (!virtualSize || !virtualAddress || !rawSize || !rawOffset) {
            return false;
        }
        sections_.push_back({*virtualAddress, *virtualSize, *rawOffset, *rawSize});
    }

    if (*directoryCount > 1) {
        const auto importRva = U32(directories + 8);
        if (!importRva || (*importRva != 0 && !ReadImports(*importRva))) {
            return false;
        }
    }
    if (*directoryCount > 2) {
        resourceRva_ = U32(directories + 16).value_or(0);
    }
    if (*directoryCount > 5) {
        relocationSize_ = U32(directories + 5 * 8 + 4).value_or(0);
    }
    return true;
}

bool PeImage::ReadImports(std::uint32_t rva) {
    for (std::uint32_t entry = rva;; entry += kImportDescriptorSize) {
        const auto at = OffsetOf(entry);
        if (!at) {
            return false;
        }
        const auto nameRva = U32(*at + 12);
        const auto firstThunk = U32(*at + 16);
        if (!nameRva || !firstThunk) {
            return false;
        }
        if (*nameRva == 0 && *firstThunk == 0) {
            return true;
        }
        const auto name = OffsetOf(*nameRva);
        if (!name) {
            return false;
        }
        std::string dll;
        for (std::size_t i = *name; i < bytes_.size() && bytes_[i] != 0; ++i) {
            dll.push_back(static_cast<char>(bytes_[i]));
        }
        imports_.push_back(dll);
    }
}

std::optional<std::vector<std::uint8_t>> PeImage::Resource(std::uint32_t type,
                                                           std::optional<std::uint32_t> id) const {
    const auto root = OffsetOf(resourceRva_);
    if (resourceRva_ == 0 || !root) {
        return std::nullopt;
    }
    // Finds the entry of `wanted` (any entry when absent) in the directory at `directory`,
    // and returns its offset field.
    auto find = [&](std::size_t directory,
                    std::optional<std::uint32_t> wanted) -> std::optional<std::uint32_t> {
        const auto named = U16(directory + 12);
        const auto numbered = U16(directory + 14);
        if (!named || !numbered) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < std::size_t{*named} + *numbered; ++i) {
            const auto key = U32(directory + 16 + i * 8);
            const auto target = U32(directory + 20 + i * 8);
            if (!key || !target) {
                return std::nullopt;
            }
            if (!wanted || ((*key & kHighBit) == 0 && *key == *wanted)) {
                return *target;
            }
        }
        return std::nullopt;
    };
    std::size_t directory = *root;
    const std::optional<std::uint32_t> path[] = {type, id, std::nullopt};
    std::uint32_t leaf = 0;
    for (std::size_t level = 0; level < 3; ++level) {
        const auto target = find(directory, path[level]);
        if (!target) {
            return std::nullopt;
        }
        const bool subdirectory = (*target & kHighBit) != 0;
        if (subdirectory != (level < 2)) {
            return std::nullopt;
        }
        directory = *root + (*target & ~kHighBit);
        leaf = *target;
    }
    const auto dataRva = U32(*root + leaf);
    const auto size = U32(*root + leaf + 4);
    if (!dataRva || !size) {
        return std::nullopt;
    }
    const auto data = OffsetOf(*dataRva);
    if (!data || *data > bytes_.size() || bytes_.size() - *data < *size) {
        return std::nullopt;
    }
    const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(*data);
    return std::vector<std::uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(*size));
}

namespace {

// Walks one block of a version record (a length, a value length, a type, a UTF-16 key, the
// value and the child blocks) and collects the fixed part and the text values.
class VersionReader {
  public:
    explicit VersionReader(const std::vector<std::uint8_t>& data) : data_(data) {}

    bool Read(std::size_t at, std::size_t end, int depth, VersionRecord& record) const {
        const auto length = U16(at);
        const auto valueLength = U16(at + 2);
        const auto type = U16(at + 4);
        if (!length || !valueLength || !type || *length < 6 || at + *length > end || depth > 4) {
            return false;
        }
        const std::size_t blockEnd = at + *length;
        std::size_t cursor = at + 6;
        const std::string key = Utf16(cursor, blockEnd);
        cursor = AlignTo4(cursor);
        const std::size_t valueBytes = *type == 1 ? std::size_t{*valueLength} * 2 : *valueLength;
        if (cursor + valueBytes > blockEnd) {
            return false;
        }
        if (depth == 0 && valueBytes >= 52 && U32(cursor) == 0xFEEF04BDu) {
            for (int i = 0; i < 2; ++i) {
                record.fileVersion[2 * i] = U16(cursor + 10 + 4 * i).value_or(0);
                record.fileVersion[2 * i + 1] = U16(cursor + 8 + 4 * i).value_or(0);
                record.productVersion[2 * i] = U16(cursor + 18 + 4 * i).value_or(0);
                record.productVersion[2 * i + 1] = U16(cursor + 16 + 4 * i).value_or(0);
            }
        }
        if (depth == 3 && *type == 1) {
            std::size_t valueAt = cursor;
            record.strings[key] = Utf16(valueAt, cursor + valueBytes);
        }
        cursor = AlignTo4(cursor + valueBytes);
        while (cursor + 6 <= blockEnd) {
            const auto childLength = U16(cursor);
            if (!childLength || *childLength == 0 || !Read(cursor, blockEnd, depth + 1, record)) {
                return false;
            }
            cursor = AlignTo4(cursor + *childLength);
        }
        return true;
    }

  private:
    std::optional<std::uint16_t> U16(std::size_t at) const {
        if (at + 2 > data_.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
    }
    std::optional<std::uint32_t> U32(std::size_t at) const {
        const auto low = U16(at);
        const auto high = U16(at + 2);
        if (!low || !high) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(*low) | (static_cast<std::uint32_t>(*high) << 16);
    }
    // Reads a NUL-terminated UTF-16 text of ASCII characters and moves past its NUL.
    std::string Utf16(std::size_t& at, std::size_t end) const {
        std::string text;
        while (at + 2 <= end) {
            const std::uint16_t unit = U16(at).value_or(0);
            at += 2;
            if (unit == 0) {
                break;
            }
            text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
        }
        return text;
    }

    const std::vector<std::uint8_t>& data_;
};

} // namespace

std::optional<VersionRecord> PeImage::Version() const {
    const auto data = Resource(kResourceVersion, 1);
    if (!data) {
        return std::nullopt;
    }
    VersionRecord record;
    if (!VersionReader(*data).Read(0, data->size(), 0, record)) {
        return std::nullopt;
    }
    return record;
}

} // namespace haloquill::pe
