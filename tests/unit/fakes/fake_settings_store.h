#pragma once
// An in-memory settings store that records every write.

#include "ports/settings_store.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::testing {

class FakeSettingsStore final : public SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view key) const override {
        ++reads;
        const auto found = values.find(std::string(key));
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    bool Write(std::string_view key, std::string_view value) override {
        writes.emplace_back(key, value);
        if (refuseWrites) {
            return false;
        }
        values[std::string(key)] = std::string(value);
        return true;
    }

    bool Has(const std::string& key) const { return values.count(key) != 0; }
    std::string Get(const std::string& key) const {
        const auto found = values.find(key);
        return found == values.end() ? "<absent>" : found->second;
    }

    std::map<std::string, std::string> values;
    std::vector<std::pair<std::string, std::string>> writes;
    mutable int reads = 0;
    bool refuseWrites = false;
};

} // namespace haloquill::testing
