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

    std::map<std::string, std::string> values;
    long openStatus = 0;
    long setStatus = 0;
    int writes = 0;
    int removals = 0;
};

} // namespace haloquill::testing
