#include "settings/executable_path.h"

namespace haloquill {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) {
        return false;
    }
    const auto tail = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        if (Lower(tail[i]) != Lower(ending[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

ExecutablePath SplitExecutablePath(std::string_view fullPath) {
    const auto slash = fullPath.find_last_of("\\/");
    ExecutablePath result;
    std::string_view file = fullPath;
    if (slash != std::string_view::npos) {
        result.directory = std::string(fullPath.substr(0, slash));
        file = fullPath.substr(slash + 1);
    }
    if (EndsWithIgnoringCase(file, ".exe")) {
        file.remove_suffix(4);
    }
    result.baseName = std::string(file);
    return result;
}

} // namespace haloquill
