#include "app/command_line.h"

namespace haloquill {

bool HasStartupArgument(std::string_view arguments) {
    return arguments.find("/STARTUP") != std::string_view::npos;
}

} // namespace haloquill
