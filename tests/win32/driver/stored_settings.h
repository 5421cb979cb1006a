#pragma once
// The settings a program keeps in the registry, read and cleared from outside it, and the
// start-with-Windows entries of the Run key.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// Windows' mark on the entry `name` under Explorer\StartupApproved\Run, as Task Manager writes
// it: `state` (3 disabled, 2 enabled) as a little-endian number, then a time.
void WriteStartupMark(const std::string& name, std::uint8_t state);
// The mark's bytes, or nothing when there is none.
std::optional<std::vector<std::uint8_t>> ReadStartupMark(const std::string& name);

// Removes the entry `name` and its mark when made and again when it goes, so that no test leaves
// one behind, whether it passes or fails.
class RunEntryCleanup {
  public:
    explicit RunEntryCleanup(std::string name) : name_(std::move(name)) { Remove(); }
    RunEntryCleanup(const RunEntryCleanup&) = delete;
    RunEntryCleanup& operator=(const RunEntryCleanup&) = delete;
    ~RunEntryCleanup() { Remove(); }

  private:
    void Remove();
    std::string name_;
};

} // namespace haloquill::testing
