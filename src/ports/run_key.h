#pragma once
// The per-user list of programs Windows starts at logon.

#include <string>

namespace haloquill {

// Status codes of the registry calls, 0 for success.
struct RunKeyStatus {
    long open = 0;
    long set = 0;
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
};

} // namespace haloquill
