#pragma once
// The program's entry in the per-user list of programs Windows starts at logon.

#include "app/message_boxes.h"
#include "settings/executable_path.h"

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

// The command line of the entry: the executable's path in quotes, so that a path with blanks
// cannot start another program, then " /STARTUP".
std::string AutorunCommand(const ExecutablePath& executable);

bool HasAutorunEntry(const RunKey& runKey, const std::string& exeName);

// Writes or removes the entry; a failing registry call is reported in a message box.
void SetAutorunEntry(RunKey& runKey, MessageBoxes& messages, const ExecutablePath& executable,
                     bool enable);

} // namespace haloquill
