#pragma once
// The per-user list of programs Windows starts at logon.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace haloquill {

// Status codes of the registry calls, 0 for success.
struct RunKeyStatus {
    long open = 0;
    long set = 0;
};

// A value of Windows' StartupApproved\Run key as read: its registry type and its bytes.
struct StartupApproval {
    unsigned long type = 0;
    std::vector<std::uint8_t> bytes;
    bool operator==(const StartupApproval&) const = default;
};

// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run.
class RunKey {
  public:
    virtual ~RunKey() = default;
    // True when the value exists; every failure counts as no value.
    virtual bool HasValue(const std::string& name) const = 0;
    // Opens (creating if need be) the key and writes a REG_SZ value.
    virtual RunKeyStatus SetValue(const std::string& name, const std::string& data) = 0;
    // Opens the key and removes the value; a value that is not there is no failure.
    virtual RunKeyStatus RemoveValue(const std::string& name) = 0;

    // The value of the same name under StartupApproved\Run, where Windows marks an entry the
    // user turned off; nothing when it is absent or cannot be read.
    virtual std::optional<StartupApproval> ReadApproval(const std::string& name) const = 0;
    // Removes that value; nothing else under StartupApproved is ever written.
    virtual void RemoveApproval(const std::string& name) = 0;
};

} // namespace haloquill
