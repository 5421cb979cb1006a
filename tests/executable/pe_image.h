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
inline constexpr std::uint32_t kResourceRcData = 10;
inline constexpr std::uint32_t kResourceGroupIcon = 14;
inline constexpr std::uint32_t kResourceVersion = 16;
inline constexpr std::uint32_t kResourceManifest = 24;
// Flags of the optional header's DllCharacteristics that security tools look for.
inline constexpr std::uint16_t kHighEntropyVa = 0x0020;
inline constexpr std::uint16_t kDynamicBase = 0x0040;
inline constexpr std::uint16_t kNxCompatible = 0x0100;
inline constexpr std::uint16_t kTerminalServerAware = 0x8000;
// The file header's flag for an image whose relocations were removed (it cannot move).
inline constexpr std::uint16_t kRelocationsStripped = 0x0001;

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
    std::uint16_t Characteristics() const { return characteristics_; }
    std::uint16_t DllCharacteristics() const { return dllCharacteristics_; }
    // True when the image carries base relocations, without which it cannot be moved.
    bool HasRelocations() const { return relocationSize_ != 0; }
    // True when every section's data in the file begins on a page of 4 KiB, as it does in memory.
    bool SectionsStartOnPages() const;
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
    std::uint16_t characteristics_ = 0;
    std::uint16_t dllCharacteristics_ = 0;
    std::uint32_t relocationSize_ = 0;
    std::uint32_t resourceRva_ = 0;
    std::vector<std::string> imports_;
};

} // namespace haloquill::pe
