#pragma once
// The per-user Run key of the registry: the programs Windows starts at logon.

#include "settings/autorun_entry.h"

#include <windows.h>

namespace haloquill::win32 {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kStartupApprovedPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

class RegistryRunKey final : public RunKey {
  public:
    explicit RegistryRunKey(HKEY root = HKEY_CURRENT_USER, const wchar_t* path = kRunKeyPath,
                            const wchar_t* approvalPath = kStartupApprovedPath)
        : root_(root), path_(path), approvalPath_(approvalPath) {}

    bool HasValue(const std::string& name) const override;
    RunKeyStatus SetValue(const std::string& name, const std::string& data) override;
    RunKeyStatus RemoveValue(const std::string& name) override;
    std::optional<StartupApproval> ReadApproval(const std::string& name) const override;
    void RemoveApproval(const std::string& name) override;

  private:
    HKEY root_;
    const wchar_t* path_;
    const wchar_t* approvalPath_;
};

} // namespace haloquill::win32
