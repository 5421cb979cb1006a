#pragma once
// DLLs planted beside a program, as a download folder collects them: copies of planted.dll (built
// beside the tests) under the names of system DLLs that are not known DLLs, and Wine told to
// prefer a DLL in the program's folder for those names, as Windows does for every DLL that is
// not a known DLL.

#include <string>
#include <vector>

namespace haloquill::testing {

// System DLLs a program or its setup may load; none is a known DLL, so Windows would look for
// each in the program's folder first unless the program forbids it. version.dll is left out:
// Wine's own user32 imports it before any code of the program runs, which Windows' does not.
const std::vector<std::string>& PlantedDllNames();

// Copies the marker DLL into `folder` under each of `names` (with ".dll" added).
void PlantDlls(const std::string& folder, const std::vector<std::string>& names);

// The names whose planted copy in `folder` was loaded by some process, sorted.
std::vector<std::string> LoadedPlantedDlls(const std::string& folder);

// While it lives, the programs of these file names prefer a DLL of these names in their own
// folder to Wine's own. Wine takes its overrides per program from the prefix's registry
// (AppDefaults); WINEDLLOVERRIDES would not reach a process this one starts.
class PreferDllsBesideThePrograms {
  public:
    PreferDllsBesideThePrograms(std::vector<std::string> programs,
                                const std::vector<std::string>& names);
    PreferDllsBesideThePrograms(const PreferDllsBesideThePrograms&) = delete;
    PreferDllsBesideThePrograms& operator=(const PreferDllsBesideThePrograms&) = delete;
    ~PreferDllsBesideThePrograms();

  private:
    std::vector<std::string> programs_;
};

} // namespace haloquill::testing
