#include "settings/autorun_entry.h"

#include "settings/startup_approval.h"

namespace haloquill {

std::string AutorunCommand(const ExecutablePath& executable) {
    return "\"" + executable.directory + "\\" + executable.baseName + ".exe\" /STARTUP";
}

bool HasAutorunEntry(const RunKey& runKey, const std::string& exeName) {
    return runKey.HasValue(exeName) && !IsStartTurnedOffInWindows(runKey, exeName);
}

bool IsStartTurnedOffInWindows(const RunKey& runKey, const std::string& exeName) {
    return MarksStartDisabled(runKey.ReadApproval(exeName));
}

void SetAutorunEntry(RunKey& runKey, MessageBoxes& messages, const ExecutablePath& executable,
                     bool enable) {
    const RunKeyStatus status =
        enable ? runKey.SetValue(executable.baseName, AutorunCommand(executable))
               : runKey.RemoveValue(executable.baseName);
    if (status.open != 0) {
        messages.Show("Error " + std::to_string(status.open) + " opening key\r\n", BoxKind::Plain);
    } else if (enable && status.set != 0) {
        messages.Show("Error " + std::to_string(status.set) + " setting key\r\n", BoxKind::Plain);
    }
}

} // namespace haloquill
