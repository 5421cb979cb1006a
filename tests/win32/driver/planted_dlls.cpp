#include "driver/planted_dlls.h"

#include "driver/program_driver.h"
#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace haloquill::testing {

namespace {

const std::string kAppDefaults = "Software\\Wine\\AppDefaults\\";
constexpr char kMarkerSuffix[] = ".dll.loaded";

} // namespace

const std::vector<std::string>& PlantedDllNames() {
    static const std::vector<std::string> names = {
        "uxtheme", "comctl32", "oleacc",   "dwmapi",  "propsys",  "windowscodecs", "msimg32",
        "winmm",   "userenv",  "wtsapi32", "dbghelp", "riched20", "apphelp",       "profapi"};
    return names;
}

void PlantDlls(const std::string& folder, const std::vector<std::string>& names) {
    const std::string marker = OwnDirectory() + "\\planted.dll";
    for (const std::string& name : names) {
        const std::string planted = folder + "\\" + name + ".dll";
        ::DeleteFileA((planted + ".loaded").c_str());
        ::CopyFileA(marker.c_str(), planted.c_str(), FALSE);
    }
}

std::vector<std::string> LoadedPlantedDlls(const std::string& folder) {
    std::vector<std::string> loaded;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*" + kMarkerSuffix).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return loaded;
    }
    do {
        // The loader names the file as the importer spells it ("UxTheme.dll").
        std::string file = found.cFileName;
        std::transform(file.begin(), file.end(), file.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        loaded.push_back(file.substr(0, file.size() - (sizeof kMarkerSuffix - 1)));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    std::sort(loaded.begin(), loaded.end());
    return loaded;
}

PreferDllsBesideThePrograms::PreferDllsBesideThePrograms(std::vector<std::string> programs,
                                                         const std::vector<std::string>& names)
    : programs_(std::move(programs)) {
    for (const std::string& program : programs_) {
        win32::UniqueRegistryKey overrides;
        const std::string key = kAppDefaults + program + "\\DllOverrides";
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              overrides.Receive(), nullptr) == ERROR_SUCCESS) {
            for (const std::string& name : names) {
                win32::WriteRegistryText(overrides.Get(), name, "native,builtin");
            }
        }
    }
}

PreferDllsBesideThePrograms::~PreferDllsBesideThePrograms() {
    for (const std::string& program : programs_) {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, (kAppDefaults + program).c_str());
    }
}

} // namespace haloquill::testing
