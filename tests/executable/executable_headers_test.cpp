// Checks a built Haloquill.exe from its bytes: the processor and subsystem it is built for, that
// it needs no DLL beyond Windows' own, its version record, its manifest, its pictures and icon,
// and its size. The executable and its processor come from HALOQUILL_CHECKED_EXECUTABLE and
// HALOQUILL_EXPECTED_MACHINE ("i386" or "amd64").

#include "design/twips.h"
#include "pe_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::pe {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Width and height from the frame header of a baseline JPEG; empty when the data is no JPEG or
// its frame is of another kind (progressive, lossless, 12-bit).
std::optional<std::pair<int, int>> BaselineJpegSize(const std::vector<std::uint8_t>& data) {
    if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return std::nullopt;
    }
    std::size_t at = 2;
    while (at + 4 <= data.size() && data[at] == 0xFF) {
        const std::uint8_t marker = data[at + 1];
        const std::size_t length = (data[at + 2] << 8) | data[at + 3];
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (marker != 0xC0 || length < 8 || at + 2 + length > data.size() ||
                data[at + 4] != 8) {
                return std::nullopt;
            }
            return std::pair{(data[at + 7] << 8) | data[at + 8],
                             (data[at + 5] << 8) | data[at + 6]};
        }
        if (marker == 0xDA) { // the scan starts before any frame header
            return std::nullopt;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

class ExecutableHeaders : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = Environment("HALOQUILL_CHECKED_EXECUTABLE");
        machine_ = Environment("HALOQUILL_EXPECTED_MACHINE");
        ASSERT_FALSE(path_.empty()) << "HALOQUILL_CHECKED_EXECUTABLE names no executable";
        ASSERT_TRUE(machine_ == "i386" || machine_ == "amd64") << machine_;
        image_ = PeImage::Load(path_);
        ASSERT_TRUE(image_.has_value()) << path_ << " is not a readable PE image";
    }

    bool Is64Bit() const { return machine_ == "amd64"; }

    // The size of picture resource `id`; empty when it is missing or no baseline JPEG.
    std::optional<std::pair<int, int>> PictureSize(std::uint32_t id) const {
        const auto data = image_->Resource(kResourceRcData, id);
        return data ? BaselineJpegSize(*data) : std::nullopt;
    }

    std::string path_;
    std::string machine_;
    std::optional<PeImage> image_;
};

TEST_F(ExecutableHeaders, IsAGuiProgramForTheExpectedProcessor) {
    EXPECT_EQ(image_->Machine(), Is64Bit() ? kMachineAmd64 : kMachineI386);
    EXPECT_EQ(image_->IsPe32Plus(), Is64Bit());
    EXPECT_EQ(image_->Subsystem(), kSubsystemWindowsGui);
}

TEST_F(ExecutableHeaders, ImportsOnlyKnownDlls) {
    // Windows takes a known DLL from system32 whatever lies beside the program; any other DLL is
    // loaded on demand from system32 by the program itself. A compiler's runtime DLL must not
    // appear either.
    const std::set<std::string> knownDlls = {"kernel32.dll", "user32.dll",  "gdi32.dll",
                                             "advapi32.dll", "msvcrt.dll",  "shell32.dll",
                                             "ole32.dll",    "oleaut32.dll"};
    ASSERT_FALSE(image_->ImportedDlls().empty());
    for (const std::string& dll : image_->ImportedDlls()) {
        EXPECT_EQ(knownDlls.count(Lower(dll)), 1u) << path_ << " imports " << dll;
    }
}

TEST_F(ExecutableHeaders, IsMovableNonExecutableDataAndTerminalServerAware) {
    const std::uint16_t flags = image_->DllCharacteristics();
    EXPECT_TRUE(flags & kDynamicBase) << std::hex << flags;
    EXPECT_TRUE(flags & kNxCompatible) << std::hex << flags;
    EXPECT_TRUE(flags & kTerminalServerAware) << std::hex << flags;
    EXPECT_EQ((flags & kHighEntropyVa) != 0, Is64Bit()) << std::hex << flags;
    // Address space layout randomisation can only move an image that kept its relocations.
    EXPECT_TRUE(image_->HasRelocations());
    EXPECT_FALSE(image_->Characteristics() & kRelocationsStripped);
}

TEST_F(ExecutableHeaders, VersionRecordNamesTheProductAndItsVersion) {
    const auto version = image_->Version();
    ASSERT_TRUE(version.has_value()) << "no readable version record";
    const std::uint16_t expected[4] = {HALOQUILL_VERSION_MAJOR, HALOQUILL_VERSION_MINOR, 0, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(version->fileVersion[i], expected[i]) << "file version part " << i;
        EXPECT_EQ(version->productVersion[i], expected[i]) << "product version part " << i;
    }
    const std::string shortVersion =
        std::to_string(HALOQUILL_VERSION_MAJOR) + "." + std::to_string(HALOQUILL_VERSION_MINOR);
    EXPECT_EQ(version->strings.at("ProductName"), "Corvel Free Haloquill");
    EXPECT_EQ(version->strings.at("ProductVersion"), shortVersion);
    EXPECT_EQ(version->strings.at("FileVersion"), shortVersion);
    EXPECT_EQ(version->strings.at("OriginalFilename"), "Haloquill.exe");
}

TEST_F(ExecutableHeaders, ManifestAsksForCommonControls6AndPerMonitorDpiAndNamesTheProcessor) {
    const auto data = image_->Resource(kResourceManifest, 1);
    ASSERT_TRUE(data.has_value()) << "no manifest";
    const std::string manifest(data->begin(), data->end());
    const std::string architecture =
        std::string("processorArchitecture=\"") + (Is64Bit() ? "amd64" : "x86") + "\"";
    // The program's own identity and the common controls both name the same processor.
    EXPECT_EQ(Count(manifest, "processorArchitecture="), 2u);
    EXPECT_EQ(Count(manifest, architecture), 2u) << manifest;
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    // Per-monitor awareness (version 2 first) from Windows 10 on, and per-monitor before it.
    EXPECT_NE(manifest.find("WindowsSettings\">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST_F(ExecutableHeaders, ManifestDeclaresWindows7To11) {
    const auto data = image_->Resource(kResourceManifest, 1);
    ASSERT_TRUE(data.has_value()) << "no manifest";
    const std::string manifest = Lower(std::string(data->begin(), data->end()));
    const auto compatibility =
        manifest.find("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">");
    ASSERT_NE(compatibility, std::string::npos) << manifest;
    const auto end = manifest.find("</compatibility>", compatibility);
    ASSERT_NE(end, std::string::npos);
    const std::string section = manifest.substr(compatibility, end - compatibility);
    // Microsoft's identifiers of Windows 7, 8, 8.1 and 10 (which Windows 11 shares).
    for (const char* id :
         {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
          "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_EQ(Count(section, std::string("<supportedos id=\"{") + id + "}\"/>"), 1u) << id;
    }
    EXPECT_EQ(Count(section, "<supportedos "), 4u);
}

TEST_F(ExecutableHeaders, EachAngelHasItsPictureDrawnFor96144And192Dpi) {
    // Resource 100 + n holds angel n's picture for 96 dpi; 200 + n and 300 + n hold it at the
    // size the program scales it to for 144 and 192 dpi.
    constexpr std::uint32_t kAngels = 14;
    const std::pair<std::uint32_t, int> denser[] = {{200, 144}, {300, 192}};
    for (std::uint32_t angel = 1; angel <= kAngels; ++angel) {
        SCOPED_TRACE("angel " + std::to_string(angel));
        const auto base = PictureSize(100 + angel);
        ASSERT_TRUE(base.has_value()) << "no baseline JPEG " << 100 + angel;
        for (const auto& [resourceBase, dpi] : denser) {
            const auto size = PictureSize(resourceBase + angel);
            ASSERT_TRUE(size.has_value()) << "no baseline JPEG " << resourceBase + angel;
            EXPECT_EQ(size->first, ScalePixels(base->first, dpi)) << "width at " << dpi << " dpi";
            EXPECT_EQ(size->second, ScalePixels(base->second, dpi))
                << "height at " << dpi << " dpi";
        }
    }
}

TEST_F(ExecutableHeaders, IconHoldsEverySizeWindowsAsksForIn32Bits) {
    constexpr std::size_t kHeader = 6;
    constexpr std::size_t kEntry = 14;
    const auto group = image_->Resource(kResourceGroupIcon, 1);
    ASSERT_TRUE(group.has_value()) << "no icon group 1";
    ASSERT_GE(group->size(), kHeader);
    const std::size_t count = (*group)[4] | ((*group)[5] << 8);
    ASSERT_EQ(group->size(), kHeader + count * kEntry);
    std::vector<int> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const auto entry = group->begin() + static_cast<long>(kHeader + i * kEntry);
        const int width = entry[0] ? entry[0] : 256; // 0 stands for 256
        EXPECT_EQ(entry[0], entry[1]) << "entry " << i << " is not square";
        EXPECT_EQ(entry[6] | (entry[7] << 8), 32) << "bits per pixel of entry " << i;
        sizes.push_back(width);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

TEST_F(ExecutableHeaders, EverySectionStartsOnAPageSoWineMapsItFromTheFile) {
    EXPECT_TRUE(image_->SectionsStartOnPages());
}

TEST_F(ExecutableHeaders, StaysUnderOneMebibyte) {
    EXPECT_LT(std::filesystem::file_size(path_), 1u << 20);
}

TEST_F(ExecutableHeaders, EveryCutOrDamageOfTheFileIsReadSafely) {
    std::vector<std::uint8_t> bytes;
    {
        const auto whole = PeImage::Load(path_);
        ASSERT_TRUE(whole.has_value());
    }
    std::ifstream file(path_, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), {});
    ASSERT_GT(bytes.size(), 4096u);
    constexpr std::size_t kCuts = 48;
    for (std::size_t i = 1; i < kCuts; ++i) {
        const std::size_t length = bytes.size() * i / kCuts;
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        if (const auto image = PeImage::Parse(cut)) {
            image->Version();
            image->Resource(kResourceManifest, 1);
        }
        std::vector<std::uint8_t> damaged = bytes;
        damaged[length] ^= 0xFF;
        damaged[length / 2] ^= 0x80;
        if (const auto image = PeImage::Parse(damaged)) {
            image->Version();
            image->Resource(kResourceManifest, 1);
        }
    }
}

// The reader itself never trusts the file: cut or damaged images are refused, not read past.
TEST(PeImageReader, RefusesCutAndDamagedImages) {
    EXPECT_FALSE(PeImage::Parse({}).has_value());
    EXPECT_FALSE(PeImage::Parse({'M', 'Z'}).has_value());
    std::vector<std::uint8_t> header(0x40, 0);
    header[0] = 'M';
    header[1] = 'Z';
    header[0x3C] = 0xF0; // the PE header would lie past the end
    EXPECT_FALSE(PeImage::Parse(header).has_value());
    header[0x3C] = 0x3C; // points into itself
    EXPECT_FALSE(PeImage::Parse(header).has_value());
}

} // namespace
} // namespace haloquill::pe
