#pragma once
// Drives a copy of Haloquill.exe the way a user would: starts it under a scratch executable name
// (so it has its own, empty settings), finds its windows, reads its controls and its settings,
// answers its message boxes and ends it. This header includes every driver header those steps
// use.

#include "driver/process_start.h"
#include "driver/reminder_time.h"
#include "driver/running_program.h"
#include "driver/stored_settings.h"
#include "win32/registry_settings_store.h"

#include <map>
#include <memory>
#include <string>

namespace haloquill::testing {

class ProgramDriver {
  public:
    // Copies Haloquill.exe to <temp>\<folder>\<baseName>.exe and clears its settings.
    explicit ProgramDriver(std::string baseName, const std::string& folder = "haloquill-e2e");
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;
    ~ProgramDriver(); // removes the settings again, then the copy

    std::unique_ptr<RunningProgram> Start(const std::string& arguments = {});
    // Starts a process with exactly this command line, as Windows runs a Run entry at logon.
    std::unique_ptr<RunningProgram> StartCommandLine(std::string commandLine);

    // The program's settings, read and written in the registry as the program keeps them.
    win32::RegistrySettingsStore& Settings() { return settings_; }
    std::map<std::string, std::string> AllSettings() const;
    void ClearSettings();

    const std::string& ExecutablePath() const { return copy_.Path(); }
    const std::string& Directory() const { return directory_; }
    const std::string& BaseName() const { return baseName_; }

  private:
    std::string baseName_;
    std::string directory_;
    ProgramCopy copy_;
    win32::RegistrySettingsStore settings_;
};

} // namespace haloquill::testing
