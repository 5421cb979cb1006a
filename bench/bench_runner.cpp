// Measures Haloquill.exe under the same Wine, in one run, against two floors: the baseline program
// (one window) for the shown start, CPU while idle, memory and size; and the tray floor (a hidden
// window with an icon in the notification area) for the start into the notification area, the
// CPU of that start and of the idle time after it, and the settled memory. Prints two tables with
// the ratios and their targets and writes them to the file given as the first argument.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

struct Stats {
    double minimum = 0;
    double median = 0;
    double maximum = 0;
};

Stats Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    if (values.empty()) {
        return {};
    }
    return {values.front(), values[values.size() / 2], values.back()};
}

double Seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string OwnDirectory() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\'));
}

void SetValue(const std::string& key, const char* name, const std::string& value) {
    HKEY handle = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr);
    ::RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(handle);
}

// Today as the program stores dates, so that no update question interrupts a start.
std::string Today() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

struct Program {
    std::string name;      // executable base name, also its settings' name
    std::string path;      // full path
    const char* className; // its main window's class
};

struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double startSeconds = 0;
};

struct FindWindowOf {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<FindWindowOf*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts the program and waits until its first settled message loop: the main window exists
// (and is visible unless `hidden`) and a message sent to it has been answered.
Running StartAndSettle(const Program& program, const std::string& arguments, bool hidden) {
    Running running;
    std::string commandLine = "\"" + program.path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    running.startSeconds = Seconds();
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &running.process)) {
        return running;
    }
    const double deadline = running.startSeconds + 30;
    while (Seconds() < deadline) {
        FindWindowOf search{running.process.dwProcessId, program.className, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found && (hidden || ::IsWindowVisible(search.found))) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result);
            running.window = search.found;
            break;
        }
        ::Sleep(1);
    }
    return running;
}

// Starts the program as StartAndSettle does, but waits without asking the server anything while
// the program starts (until it first waits for input), so that the server's time over the start
// is the program's and not the runner's.
Running StartQuietly(const Program& program, const std::string& arguments) {
    Running running;
    std::string commandLine = "\"" + program.path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    running.startSeconds = Seconds();
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &running.process)) {
        return running;
    }
    ::WaitForInputIdle(running.process.hProcess, 30000);
    const double deadline = running.startSeconds + 30;
    while (Seconds() < deadline) {
        FindWindowOf search{running.process.dwProcessId, program.className, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result);
            running.window = search.found;
            break;
        }
        ::Sleep(20);
    }
    return running;
}

void Stop(Running& running) {
    ::TerminateProcess(running.process.hProcess, 0);
    ::WaitForSingleObject(running.process.hProcess, 10000);
    ::CloseHandle(running.process.hProcess);
    ::CloseHandle(running.process.hThread);
}

// CPU seconds that the Unix process `pid` has used so far, read from /proc (0 when unreadable).
double UnixCpuSeconds(const std::string& pid) {
    FILE* file = std::fopen(("Z:\\proc\\" + pid + "\\stat").c_str(), "r");
    if (!file) {
        return 0;
    }
    char line[1024] = {};
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    if (!read) {
        return 0;
    }
    // Fields 14 and 15 (user and system time, in clock ticks of 1/100 s) follow the name.
    const char* fields = std::strrchr(line, ')');
    unsigned long long user = 0;
    unsigned long long system = 0;
    if (!fields || std::sscanf(fields + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                               &user, &system) != 2) {
        return 0;
    }
    return static_cast<double>(user + system) / 100.0;
}

// CPU seconds the Wine server has used so far, when the script told us its Unix process id; the
// server does work on behalf of the programs it serves, so its share counts too.
double WineServerCpuSeconds() {
    const char* pid = std::getenv("HALOQUILL_WINESERVER_PID");
    return pid && *pid ? UnixCpuSeconds(pid) : 0.0;
}

bool SamePath(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The Unix process id of the running copy of the program at `path` under Wine, found in /proc by
// its command line, which begins with that path; empty when there is none (not Wine).
std::string UnixProcessOf(const std::string& path) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string found;
    do {
        const std::string name = entry.cFileName;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        FILE* file = std::fopen(("Z:\\proc\\" + name + "\\cmdline").c_str(), "rb");
        if (!file) {
            continue;
        }
        char commandLine[1024] = {};
        std::fread(commandLine, 1, sizeof commandLine - 1, file);
        std::fclose(file);
        if (SamePath(commandLine, path)) {
            found = name;
        }
    } while (found.empty() && ::FindNextFileA(search, &entry));
    ::FindClose(search);
    return found;
}

// CPU seconds the program has used so far. Wine answers GetProcessTimes for another process with
// the caller's own times, so under Wine they are read from the program's Unix process.
double ProcessCpuSeconds(const Program& program, HANDLE process) {
    const std::string pid = UnixProcessOf(program.path);
    if (!pid.empty()) {
        return UnixCpuSeconds(pid);
    }
    if (::GetFileAttributesA("Z:\\proc\\self") != INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "%s was not found in /proc; its CPU time is not measured.\n",
                     program.path.c_str());
        return 0;
    }
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto toSeconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               1e7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

struct Measures {
    Stats warm;
    Stats first;
    Stats tray;
    Stats trayStartCpu; // the program's and the server's, from process start to settled
    double idleCpu = 0;
    double idleServerCpu = 0;
    double peakMemory = 0;
    double settledMemory = 0;
    double size = 0;
};

std::vector<double> TimeStarts(int runs, const std::function<void()>& prepare,
                               const Program& program, const std::string& arguments, bool hidden) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        Running running = StartAndSettle(program, arguments, hidden);
        if (running.window) {
            times.push_back((Seconds() - running.startSeconds) * 1000.0);
        }
        Stop(running);
    }
    return times;
}

// CPU milliseconds, the program's and the Wine server's, that each start takes until settled.
std::vector<double> CpuOfStarts(int runs, const std::function<void()>& prepare,
                                const Program& program, const std::string& arguments) {
    std::vector<double> cpu;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const double serverBefore = WineServerCpuSeconds();
        Running running = StartQuietly(program, arguments);
        if (running.window) {
            const double server = WineServerCpuSeconds() - serverBefore;
            cpu.push_back((ProcessCpuSeconds(program, running.process.hProcess) + server) * 1000.0);
        }
        Stop(running);
    }
    return cpu;
}

// Which starts are measured: the baseline and Haloquill start shown and hidden; the tray floor
// only ever starts into the notification area.
enum class Starts { ShownAndHidden, HiddenOnly };

Measures Measure(const Program& program, int runs, int idleSeconds, Starts starts) {
    Measures measures;
    const std::string settings = "Software\\Corvel\\" + program.name;
    const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    auto clear = [&] {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Corvel\\" + program.name).c_str());
    };
    auto later = [&] {
        SetValue(settings + "\\Settings", "Hour", "7");
        SetValue(settings + "\\Settings", "Minute", "0");
        SetValue(settings + "\\Settings", "Second", "0");
        SetValue(settings + "\\Settings", "Date", "2100-01-01");
        SetValue(settings + "\\Settings", "Card", "5");
        SetValue(settings + "\\Settings", "UpdateCheckDate", Today());
    };
    auto tray = [&] {
        later();
        SetValue(settings + "\\Settings", "RunAtSysTray", "True");
        SetValue(settings + "\\Settings", "SystemTray", "True");
        SetValue(settings + "\\Settings", "AutorunStartUp", "True");
        SetValue(runKey, program.name.c_str(), "\"" + program.path + "\" /STARTUP");
    };

    // One start first, so that every measured start finds Wine and the file cache warm.
    const bool shown = starts == Starts::ShownAndHidden;
    later();
    {
        Running warmUp = StartAndSettle(program, shown ? "" : "/STARTUP", !shown);
        Stop(warmUp);
    }
    if (shown) {
        measures.warm = Summarise(TimeStarts(runs, later, program, "", false));
        measures.first = Summarise(TimeStarts(runs, clear, program, "", false));
    }
    measures.tray = Summarise(TimeStarts(runs, tray, program, "/STARTUP", true));
    measures.trayStartCpu = Summarise(CpuOfStarts(runs, tray, program, "/STARTUP"));

    // Idle in the notification area (the baseline: hidden), then memory.
    tray();
    Running idle = StartAndSettle(program, "/STARTUP", true);
    ::Sleep(2000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(idle.process.hProcess, &memory, sizeof memory);
    measures.settledMemory = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    const double cpuBefore = ProcessCpuSeconds(program, idle.process.hProcess);
    const double serverBefore = WineServerCpuSeconds();
    ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    measures.idleCpu =
        std::max(0.0, (ProcessCpuSeconds(program, idle.process.hProcess) - cpuBefore) * 1000.0);
    measures.idleServerCpu = (WineServerCpuSeconds() - serverBefore) * 1000.0;
    ::GetProcessMemoryInfo(idle.process.hProcess, &memory, sizeof memory);
    measures.peakMemory = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    Stop(idle);

    HKEY run = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, runKey.c_str(), 0, KEY_SET_VALUE, &run) ==
        ERROR_SUCCESS) {
        ::RegDeleteValueA(run, program.name.c_str());
        ::RegCloseKey(run);
    }
    clear();

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExA(program.path.c_str(), GetFileExInfoStandard, &attributes);
    measures.size = static_cast<double>(attributes.nFileSizeLow) / 1024.0;
    return measures;
}

// The ratio and, when the measure has a target, the target and whether it is met. A floor of zero
// gives no ratio.
std::string RatioCells(double haloquill, double floor, double target) {
    if (floor <= 0) {
        return target > 0 ? "- | at most " + Fixed(target) + ": no ratio |" : "- | - |";
    }
    const double ratio = haloquill / floor;
    std::string cells = Fixed(ratio) + " | ";
    if (target > 0) {
        cells += "at most " + Fixed(target) + (ratio <= target ? ": met" : ": missed");
    } else {
        cells += "-";
    }
    return cells + " |";
}

std::string Row(const std::string& what, double haloquill, double floor, const char* unit,
                double target = 0) {
    char line[256];
    std::snprintf(line, sizeof line, "| %s | %.1f %s | %.1f %s | ", what.c_str(), haloquill, unit,
                  floor, unit);
    return line + RatioCells(haloquill, floor, target) + "\n";
}

// Minimum, median and maximum; the ratio is that of the medians.
std::string StatsRow(const std::string& what, const Stats& haloquill, const Stats& floor,
                     double target = 0) {
    char line[256];
    std::snprintf(line, sizeof line, "| %s | %.0f / %.0f / %.0f ms | %.0f / %.0f / %.0f ms | ",
                  what.c_str(), haloquill.minimum, haloquill.median, haloquill.maximum,
                  floor.minimum, floor.median, floor.maximum);
    return line + RatioCells(haloquill.median, floor.median, target) + "\n";
}

} // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "bench-results.md";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    const std::string directory = OwnDirectory();

    // Copies under names of their own, so the measured runs have settings of their own.
    const Program haloquill{"HaloquillBench", directory + "\\HaloquillBench.exe",
                            "CorvelHaloquillMain"};
    const Program baseline{"HaloquillBaseline", directory + "\\HaloquillBaseline.exe",
                           "HaloquillBaseline"};
    const Program trayFloor{"HaloquillTrayBaseline", directory + "\\HaloquillTrayBaseline.exe",
                            "HaloquillTrayBaseline"};
    ::CopyFileA((directory + "\\Haloquill.exe").c_str(), haloquill.path.c_str(), FALSE);
    ::CopyFileA((directory + "\\baseline.exe").c_str(), baseline.path.c_str(), FALSE);
    ::CopyFileA((directory + "\\tray_baseline.exe").c_str(), trayFloor.path.c_str(), FALSE);

    const Measures ours = Measure(haloquill, runs, idleSeconds, Starts::ShownAndHidden);
    const Measures floor = Measure(baseline, runs, idleSeconds, Starts::ShownAndHidden);
    const Measures trayFloorMeasures = Measure(trayFloor, runs, idleSeconds, Starts::HiddenOnly);

    // The shown start against the one-window baseline, with the measures it has always had.
    constexpr double kShownStartTarget = 1.5;
    std::string table = "| Measure | Haloquill | Baseline | Ratio | Target |\n"
                        "|---|---|---|---|---|\n";
    table += StatsRow("Start-up to a settled window, warm (min / median / max)", ours.warm,
                      floor.warm, kShownStartTarget);
    table += StatsRow("First start, empty store (min / median / max)", ours.first, floor.first,
                      kShownStartTarget);
    table +=
        StatsRow("Start into the notification area (min / median / max)", ours.tray, floor.tray);
    const std::string idleLabel =
        "CPU time over " + std::to_string(idleSeconds) + " s in the notification area";
    table += Row(idleLabel, ours.idleCpu, floor.idleCpu, "ms");
    table += Row("Wine server CPU time over the same time", ours.idleServerCpu, floor.idleServerCpu,
                 "ms");
    table += Row("Settled working set", ours.settledMemory, floor.settledMemory, "KiB");
    table += Row("Peak working set", ours.peakMemory, floor.peakMemory, "KiB");
    table += Row("Executable size", ours.size, floor.size, "KiB");

    // The start into the notification area against the tray floor.
    constexpr double kTrayTimeAndCpuTarget = 1.25;
    constexpr double kTrayMemoryTarget = 1.10;
    table += "\n| Start into the notification area | Haloquill | Tray floor | Ratio | Target |\n"
             "|---|---|---|---|---|\n";
    table += StatsRow("Time to settle (min / median / max)", ours.tray, trayFloorMeasures.tray,
                      kTrayTimeAndCpuTarget);
    table += StatsRow("CPU time of the start, program and Wine server (min / median / max)",
                      ours.trayStartCpu, trayFloorMeasures.trayStartCpu, kTrayTimeAndCpuTarget);
    table += Row(
        "CPU time over " + std::to_string(idleSeconds) + " s after it, program and Wine server",
        ours.idleCpu + ours.idleServerCpu,
        trayFloorMeasures.idleCpu + trayFloorMeasures.idleServerCpu, "ms", kTrayTimeAndCpuTarget);
    table += Row("Settled working set", ours.settledMemory, trayFloorMeasures.settledMemory, "KiB",
                 kTrayMemoryTarget);
    table += Row("Peak working set", ours.peakMemory, trayFloorMeasures.peakMemory, "KiB");
    std::printf("%s", table.c_str());
    if (FILE* file = std::fopen(output.c_str(), "w")) {
        std::fputs(table.c_str(), file);
        std::fclose(file);
    }
    ::DeleteFileA(haloquill.path.c_str());
    ::DeleteFileA(baseline.path.c_str());
    ::DeleteFileA(trayFloor.path.c_str());
    return 0;
}
