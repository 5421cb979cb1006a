#pragma once
// The settings a program keeps in the registry, read and cleared from outside it, and the
// start-with-Windows entries of the Run key.

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace haloquill::testing {

// Every value of the settings of the program named `applicationName`.
std::map<std::string, std::string> StoredSettings(const std::string& applicationName);

// Removes everything the program named `applicationName` keeps in the registry.
void ClearStoredSettings(const std::string& applicationName);

// The start-with-Windows entry: the value `name` of
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
std::optional<std::string> ReadRunEntry(const std::string& name);
void WriteRunEntry(const std::string& name, const std::string& data);
void RemoveRunEntry(const std::string& name);

// Removes the entry `name` when made and again when it goes, so that no test leaves one behind,
// whether it passes or fails.
class RunEntryCleanup {
  public:
    explicit RunEntryCleanup(std::string name) : name_(std::move(name)) { RemoveRunEntry(name_); }
    RunEntryCleanup(const RunEntryCleanup&) = delete;
    RunEntryCleanup& operator=(const RunEntryCleanup&) = delete;
    ~RunEntryCleanup() { RemoveRunEntry(name_); }

  private:
    std::string name_;
};

} // namespace haloquill::testing
