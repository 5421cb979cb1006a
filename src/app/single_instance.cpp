#include "app/single_instance.h"

namespace haloquill {

std::string InstanceMutexName(std::string_view baseName) {
    std::string name = "Local\\CorvelHaloquill.";
    for (char c : baseName) {
        name.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return name;
}

} // namespace haloquill
