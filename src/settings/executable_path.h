#pragma once
// The running executable's directory and base name, which address the program's settings.

#include <string>
#include <string_view>

namespace haloquill {

struct ExecutablePath {
    std::string directory; // without a trailing backslash
    std::string baseName;  // file name without directory and without ".exe"
};

// Splits a full Windows path such as "D:\My Tools\prog.exe".
ExecutablePath SplitExecutablePath(std::string_view fullPath);

} // namespace haloquill
