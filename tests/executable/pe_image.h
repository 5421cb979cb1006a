#pragma once
// Reads what a Windows executable says about itself: its processor, subsystem, the DLLs it
// imports and its resources, straight from the file's bytes, so the Windows build can be
// checked on a machine that cannot run it.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace haloquill::pe {

inline constexpr std::uint16_t kMachineI386 = 0x014c;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;
inline constexpr std::uint16_t kSubsystemWindowsGui = 2;
inline constexpr std::uint32_t kResourceIcon = 3;
inline constexpr std::uint32_t kResourceGroupIcon = 14;
inline constexpr std::uint32_t kResourceVersion = 16;
inline constexpr std::uint32_t kResourceManifest = 24;

struct VersionRecord {
    // FileVersion of the fixed part, as its four numbers.
    std::uint16_t fileVersion[4] = {};
    std::uint16_t productVersion[4] = {};
    std::map<std::string, std::string> strings; // StringFileInfo values (ASCII keys and values)
};

class PeImage {
  public:
    // Empty when `bytes` is not a well-formed PE image.
    static std::optional<PeImage> Parse(std::vector<std::uint8_t> bytes);
    static std::optional<PeImage> Load(const std::string& path);

    std::uint16_t Machine() const { return machine_; }
    bool IsPe32Plus() const { return pe32Plus_; }
    std::uint16_t Subsystem() const { return subsystem_; }
    // Names of the imported DLLs, as the file spells them.
    const std::vector<std::string>& ImportedDlls() const { return imports_; }
    // The data of the first language of resource `type`/`id` (without `id`, of the first
    // resource of that type); empty when there is none.
    std::optional<std::vector<std::uint8_t>> Resource(std::uint32_t type,
                                                      std::optional<std::uint32_t> id) const;
    std::optional<VersionRecord> Version() const;

  private:
    struct Section {
        std::uint32_t virtualAddress;
        std::uint32_t virtualSize;
        std::uint32_t rawOffset;
        std::uint32_t rawSize;
    };

    bool ReadHeaders();
    bool ReadImports(std::uint32_t rva);
    std::optional<std::size_t> OffsetOf(std::uint32_t rva) const;
    std::optional<std::uint32_t> U32(std::size_t offset) const;
    std::optional<std::uint16_t> U16(std::size_t offset) const;

    std::vector<std::uint8_t> bytes_;
    std::vector<Section> sections_;
    std::uint16_t machine_ = 0;
    bool pe32Plus_ = false;
    std::uint16_t subsystem_ = 0;
    std::uint32_t resourceRva_ = 0;
    std::vector<std::string> imports_;
};

} // namespace haloquill::pe
