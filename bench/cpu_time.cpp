#include "cpu_time.h"

#include "win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace haloquill::bench {

namespace {

// A search of a folder's entries, closed when it goes.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindClose(handle); }
};
using UniqueFindHandle = win32::UniqueHandle<FindHandleTraits>;

// CPU seconds that the Unix process `pid` has used so far, read from /proc (0 when unreadable).
double UnixCpuSeconds(const std::string& pid) {
    std::ifstream file("Z:\\proc\\" + pid + "\\stat");
    std::string line;
    if (!std::getline(file, line)) {
        return 0;
    }
    // Fields 14 and 15 (user and system time, in clock ticks of 1/100 s) follow the name.
    const char* fields = std::strrchr(line.c_str(), ')');
    unsigned long long user = 0;
    unsigned long long system = 0;
    if (!fields || std::sscanf(fields + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                               &user, &system) != 2) {
        return 0;
    }
    return static_cast<double>(user + system) / 100.0;
}

bool SamePath(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The command line of the Unix process `pid` up to its first NUL, that is its first argument.
std::string UnixCommand(const std::string& pid) {
    std::ifstream file("Z:\\proc\\" + pid + "\\cmdline", std::ios::binary);
    char commandLine[1024] = {};
    file.read(commandLine, sizeof commandLine - 1);
    return commandLine;
}

// The Unix process id of the running copy of the program at `path` under Wine, found in /proc by
// its command line, which begins with that path; empty when there is none (not Wine).
std::string UnixProcessOf(const std::string& path) {
    WIN32_FIND_DATAA entry;
    const UniqueFindHandle search(::FindFirstFileA("Z:\\proc\\*", &entry));
    if (!search) {
        return {};
    }
    std::string found;
    do {
        const std::string name = entry.cFileName;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        if (SamePath(UnixCommand(name), path)) {
            found = name;
        }
    } while (found.empty() && ::FindNextFileA(search.Get(), &entry));
    return found;
}

} // namespace

double WineServerCpuSeconds() {
    const char* pid = std::getenv("HALOQUILL_WINESERVER_PID");
    return pid && *pid ? UnixCpuSeconds(pid) : 0.0;
}

double ProcessCpuSeconds(const Program& program, const testing::RunningProgram& running) {
    const std::string pid = UnixProcessOf(program.path);
    if (!pid.empty()) {
        return UnixCpuSeconds(pid);
    }
    if (::GetFileAttributesA("Z:\\proc\\self") != INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "%s was not found in /proc; its CPU time is not measured.\n",
                     program.path.c_str());
        return 0;
    }
    return running.CpuSeconds().value_or(0.0);
}

} // namespace haloquill::bench
