#pragma once
// The per-user Run key in memory, with registry statuses a test can make fail.

#include "settings/autorun_entry.h"

#include <map>
#include <string>

namespace haloquill::testing {

class FakeRunKey final : public RunKey {
  public:
    bool HasValue(const std::string& name) const override { return values.count(name) != 0; }

    RunKeyStatus SetValue(const std::string& name, const std::string& data) override {
        ++writes;
        if (openStatus != 0) {
            return {openStatus, 0};
        }
        if (setStatus != 0) {
            return {0, setStatus};
        }
        values[name] = data;
        return {};
    }

    RunKeyStatus RemoveValue(const std::string& name) override {
        ++removals;
        if (openStatus != 0) {
            return {openStatus, 0};
        }
        values.erase(name);
        return {};
    }

    std::optional<StartupApproval> ReadApproval(const std::string& name) const override {
        const auto found = approvals.find(name);
        return found == approvals.end() ? std::nullopt : std::optional(found->second);
    }

    void RemoveApproval(const std::string& name) override { approvals.erase(name); }

    // A mark as Task Manager writes it when the user turns the start off.
    void TurnOffInWindows(const std::string& name) {
        approvals[name] = {3, {3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01}};
    }

    std::map<std::string, std::string> values;
    std::map<std::string, StartupApproval> approvals;
    long openStatus = 0;
    long setStatus = 0;
    int writes = 0;
    int removals = 0;
};

} // namespace haloquill::testing
