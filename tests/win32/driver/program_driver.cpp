#include "driver/program_driver.h"

#include "driver/driver_text.h"

#include <windows.h>

namespace haloquill::testing {

namespace {

// Makes <temp>\<folder>, each folder of a nested one in turn, and returns its path.
std::string MakeScratchDirectory(const std::string& folder) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::string tempPath = NarrowOrThrow(temp);
    const std::string directory = tempPath + folder;
    for (auto slash = directory.find('\\', tempPath.size()); slash != std::string::npos;
         slash = directory.find('\\', slash + 1)) {
        ::CreateDirectoryW(WideOrThrow(directory.substr(0, slash)).c_str(), nullptr);
    }
    ::CreateDirectoryW(WideOrThrow(directory).c_str(), nullptr);
    return directory;
}

} // namespace

ProgramDriver::ProgramDriver(std::string baseName, const std::string& folder)
    : baseName_(std::move(baseName)), directory_(MakeScratchDirectory(folder)),
      copy_(OwnDirectory() + "\\Haloquill.exe", directory_ + "\\" + baseName_ + ".exe"),
      settings_([name = baseName_] { return name; }) {
    ClearSettings();
}

ProgramDriver::~ProgramDriver() {
    ClearSettings();
}

void ProgramDriver::ClearSettings() {
    ClearStoredSettings(baseName_);
}

std::map<std::string, std::string> ProgramDriver::AllSettings() const {
    return StoredSettings(baseName_);
}

std::unique_ptr<RunningProgram> ProgramDriver::Start(const std::string& arguments) {
    std::string commandLine = "\"" + ExecutablePath() + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    return StartCommandLine(commandLine);
}

std::unique_ptr<RunningProgram> ProgramDriver::StartCommandLine(std::string commandLine) {
    return StartProcess(std::move(commandLine));
}

} // namespace haloquill::testing
