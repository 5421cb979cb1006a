#pragma once
// The per-user Run key of the registry: the programs Windows starts at logon.

#include "settings/autorun_entry.h"

#include <windows.h>

namespace haloquill::win32 {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegistryRunKey final : public RunKey {
  public:
    explicit RegistryRunKey(HKEY root = HKEY_CURRENT_USER, const wchar_t* path = kRunKeyPath)
        : root_(root), path_(path) {}

    bool HasValue(const std::string& name) const override;
    RunKeyStatus SetValue(const std::string& name, const std::string& data) override;
    RunKeyStatus RemoveValue(const std::string& name) override;

  private:
    HKEY root_;
    const wchar_t* path_;
};

} // namespace haloquill::win32
