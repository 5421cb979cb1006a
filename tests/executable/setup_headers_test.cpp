// Checks a built setup from its bytes against the program it installs: the processor it runs
// on, that it asks for no administrator rights, and that its version record and its icon are
// the program's. The setup, the program and the processor come from HALOQUILL_CHECKED_SETUP,
// HALOQUILL_CHECKED_EXECUTABLE and HALOQUILL_EXPECTED_MACHINE ("i386" or "amd64").

#include "pe_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace haloquill::pe {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string FileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ValueOf(const std::map<std::string, std::string>& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? "<absent>" : found->second;
}

// One picture of an icon, as its group lists it, with the picture's own bytes.
struct IconPicture {
    std::vector<std::uint8_t> entry; // the group entry without the picture's number
    std::vector<std::uint8_t> bytes;

    bool operator==(const IconPicture&) const = default;
};

// The pictures of an executable's first icon, in the group's order; empty when unreadable.
std::vector<IconPicture> IconPictures(const PeImage& image) {
    constexpr std::size_t kHeader = 6;
    constexpr std::size_t kEntry = 14;
    std::vector<IconPicture> pictures;
    const auto group = image.Resource(kResourceGroupIcon, std::nullopt);
    if (!group || group->size() < kHeader) {
        return pictures;
    }
    const std::size_t count = (*group)[4] | ((*group)[5] << 8);
    if (group->size() < kHeader + count * kEntry) {
        return {};
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto entry = group->begin() + static_cast<long>(kHeader + i * kEntry);
        const std::uint32_t number = entry[12] | (entry[13] << 8);
        const auto bytes = image.Resource(kResourceIcon, number);
        if (!bytes) {
            return {};
        }
        pictures.push_back({std::vector<std::uint8_t>(entry, entry + 12), *bytes});
    }
    return pictures;
}

class SetupHeaders : public ::testing::Test {
  protected:
    void SetUp() override {
        setupPath_ = Environment("HALOQUILL_CHECKED_SETUP");
        const std::string programPath = Environment("HALOQUILL_CHECKED_EXECUTABLE");
        machine_ = Environment("HALOQUILL_EXPECTED_MACHINE");
        ASSERT_TRUE(machine_ == "i386" || machine_ == "amd64") << machine_;
        setup_ = PeImage::Load(setupPath_);
        program_ = PeImage::Load(programPath);
        ASSERT_TRUE(setup_.has_value()) << setupPath_ << " is not a readable PE image";
        ASSERT_TRUE(program_.has_value()) << programPath << " is not a readable PE image";
    }

    std::string setupPath_;
    std::string machine_;
    std::optional<PeImage> setup_;
    std::optional<PeImage> program_;
};

TEST_F(SetupHeaders, RunsOnTheProgramsProcessorAndAsksForNoAdministratorRights) {
    EXPECT_EQ(setup_->Machine(), machine_ == "amd64" ? kMachineAmd64 : kMachineI386);
    EXPECT_EQ(setup_->Subsystem(), kSubsystemWindowsGui);
    const auto data = setup_->Resource(kResourceManifest, 1);
    ASSERT_TRUE(data.has_value()) << "no manifest";
    const std::string manifest(data->begin(), data->end());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
    EXPECT_EQ(manifest.find("highestAvailable"), std::string::npos);
}

TEST_F(SetupHeaders, VersionRecordIsTheProgramsWithItsOwnDescriptionAndFileName) {
    const auto setup = setup_->Version();
    const auto program = program_->Version();
    ASSERT_TRUE(setup.has_value()) << "the setup has no readable version record";
    ASSERT_TRUE(program.has_value()) << "the program has no readable version record";
    EXPECT_EQ(0, std::memcmp(setup->fileVersion, program->fileVersion, sizeof setup->fileVersion));
    EXPECT_EQ(0, std::memcmp(setup->productVersion, program->productVersion,
                             sizeof setup->productVersion));
    for (const char* key : {"ProductName", "ProductVersion", "FileVersion", "CompanyName"}) {
        ASSERT_TRUE(program->strings.contains(key)) << key;
        EXPECT_EQ(ValueOf(setup->strings, key), program->strings.at(key)) << key;
    }
    EXPECT_EQ(ValueOf(setup->strings, "FileDescription"),
              ValueOf(program->strings, "FileDescription") + " Setup");
    EXPECT_EQ(ValueOf(setup->strings, "OriginalFilename"), FileName(setupPath_));
}

TEST_F(SetupHeaders, IconIsTheProgramsIcon) {
    const auto programIcon = IconPictures(*program_);
    ASSERT_FALSE(programIcon.empty()) << "the program has no readable icon";
    // The setup may number its pictures differently; their sizes, depths and bytes are the same.
    EXPECT_TRUE(IconPictures(*setup_) == programIcon);
}

} // namespace
} // namespace haloquill::pe
