// Measures Haloquill.exe under the same Wine, in one run, against two floors: the baseline program
// (one window) for the shown start, CPU while idle, memory and size; and the tray floor (a hidden
// window with an icon in the notification area) for the start into the notification area, the
// CPU of that start and of the idle time after it, and the settled memory. Prints two tables with
// the ratios and their targets and writes them to the file given as the first argument.

#include "bench_table.h"
#include "cpu_time.h"
#include "elapsed_seconds.h"
#include "settled_start.h"

#include "driver/process_start.h"
#include "driver/reminder_time.h"
#include "driver/stored_settings.h"
#include "win32/main_window.h"
#include "win32/registry_settings_store.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::bench {

namespace {

struct Measures {
    Stats warm;
    Stats first;
    Stats warmCpu; // the program's and the server's, from process start to settled, warm
    Stats tray;
    Stats trayStartCpu; // the program's and the server's, from process start to settled
    double idleCpu = 0;
    double idleServerCpu = 0;
    double peakMemory = 0;
    double settledMemory = 0;
    double shownMemory = 0; // settled, after a shown start
    double size = 0;
};

// The values of the starts that settled; a program none of whose starts settled is an error, not
// an empty measure.
std::vector<double> Settled(std::vector<double> values, const Program& program, int runs) {
    if (values.empty()) {
        throw std::runtime_error(program.path + " did not settle within 30 s in any of " +
                                 std::to_string(runs) + " starts");
    }
    return values;
}

// A measured program and the settings it is started with; its start-with-Windows entry goes again
// however the measuring ends.
class Subject {
  public:
    // `alsoShown`: started shown too; the tray floor only ever starts into the notification area.
    Subject(Program measured, bool alsoShown)
        : program(std::move(measured)), shown(alsoShown),
          settings_([this] { return program.name; }), runEntry_(program.name) {}
    Subject(const Subject&) = delete;
    Subject& operator=(const Subject&) = delete;

    // Today as the update check date, so that no update question interrupts a start.
    void Later() {
        Write("Hour", "7");
        Write("Minute", "0");
        Write("Second", "0");
        Write("Date", "2100-01-01");
        Write("Card", "5");
        Write("UpdateCheckDate", testing::TodayIso());
    }
    void Clear() { testing::ClearStoredSettings(program.name); }
    void Tray() {
        Later();
        Write("RunAtSysTray", "True");
        Write("SystemTray", "True");
        Write("AutorunStartUp", "True");
        testing::WriteRunEntry(program.name, "\"" + program.path + "\" /STARTUP");
    }

    const Program program;
    const bool shown;

  private:
    void Write(const char* key, const std::string& value) {
        if (!settings_.WriteSetting(key, value)) {
            throw std::runtime_error("cannot write the setting " + std::string(key) + " of " +
                                     program.name);
        }
    }

    win32::RegistrySettingsStore settings_;
    const testing::RunEntryCleanup runEntry_;
};

using Preparation = void (Subject::*)();

// Each of `runs` rounds starts every subject once, in turn, so that a drift of the machine's
// speed while measuring falls on all of them alike. A round before them is not measured: it
// makes Wine and the file cache warm for the series, and takes the slow first start Wine can give
// after another program's start into the notification area. `measure` gives one start's
// milliseconds, or nothing when it did not settle.
template <typename Measure>
std::vector<Stats> InTurn(int runs, const std::vector<Subject*>& subjects, Preparation prepare,
                          Measure measure) {
    std::vector<std::vector<double>> values(subjects.size());
    for (int run = -1; run < runs; ++run) {
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            (subjects[i]->*prepare)();
            const auto value = measure(subjects[i]->program);
            if (value && run >= 0) {
                values[i].push_back(*value);
            }
        }
    }
    std::vector<Stats> stats;
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        stats.push_back(Summarise(Settled(std::move(values[i]), subjects[i]->program, runs)));
    }
    return stats;
}

// Milliseconds from the start to the settled window.
std::optional<double> TimeToSettle(const Program& program, const std::string& arguments,
                                   bool hidden) {
    const Running running = StartAndSettle(program, arguments, hidden);
    if (!running.window) {
        return std::nullopt;
    }
    return (Seconds() - running.startSeconds) * 1000.0;
}

// CPU milliseconds, the program's and the Wine server's, that a start takes until settled.
std::optional<double> CpuOfStart(const Program& program, const std::string& arguments) {
    const double serverBefore = WineServerCpuSeconds();
    const Running running = StartQuietly(program, arguments);
    if (!running.window) {
        return std::nullopt;
    }
    const double server = WineServerCpuSeconds() - serverBefore;
    return (ProcessCpuSeconds(program, *running.program) + server) * 1000.0;
}

// The memory of a running program; one that cannot be read is an error, not an empty measure.
testing::ProcessResources MemoryOf(const Program& program, const Running& running) {
    const auto resources = running.program->Resources();
    if (!resources) {
        const DWORD error = ::GetLastError();
        throw std::runtime_error("the memory of " + program.path + " could not be read (error " +
                                 std::to_string(error) + ")");
    }
    return *resources;
}

double KiB(SIZE_T bytes) {
    return static_cast<double>(bytes) / 1024.0;
}

// Measures every subject; the starts are timed in turn (InTurn), the rest one subject after
// another.
std::vector<Measures> Measure(const std::vector<Subject*>& subjects, int runs, int idleSeconds) {
    std::vector<Measures> measures(subjects.size());
    std::vector<Subject*> shown;
    std::copy_if(subjects.begin(), subjects.end(), std::back_inserter(shown),
                 [](const Subject* subject) { return subject->shown; });
    const auto shownStart = [](const Program& program) { return TimeToSettle(program, "", false); };
    const std::vector<Stats> warm = InTurn(runs, shown, &Subject::Later, shownStart);
    const std::vector<Stats> first = InTurn(runs, shown, &Subject::Clear, shownStart);
    const std::vector<Stats> warmCpu =
        InTurn(runs, shown, &Subject::Later, [](const Program& p) { return CpuOfStart(p, ""); });
    const std::vector<Stats> tray = InTurn(runs, subjects, &Subject::Tray, [](const Program& p) {
        return TimeToSettle(p, "/STARTUP", true);
    });
    const std::vector<Stats> trayCpu = InTurn(
        runs, subjects, &Subject::Tray, [](const Program& p) { return CpuOfStart(p, "/STARTUP"); });
    for (std::size_t i = 0, shownIndex = 0; i < subjects.size(); ++i) {
        Subject& subject = *subjects[i];
        Measures& measure = measures[i];
        if (subject.shown) {
            measure.warm = warm[shownIndex];
            measure.warmCpu = warmCpu[shownIndex];
            measure.first = first[shownIndex++];
            subject.Later();
            const Running shownRun = StartAndSettle(subject.program, "", false);
            ::Sleep(2000);
            measure.shownMemory = KiB(MemoryOf(subject.program, shownRun).workingSet);
        }
        measure.tray = tray[i];
        measure.trayStartCpu = trayCpu[i];

        // Idle in the notification area (the baseline: hidden), then memory.
        subject.Tray();
        {
            const Running idle = StartAndSettle(subject.program, "/STARTUP", true);
            ::Sleep(2000);
            measure.settledMemory = KiB(MemoryOf(subject.program, idle).workingSet);
            const double cpuBefore = ProcessCpuSeconds(subject.program, *idle.program);
            const double serverBefore = WineServerCpuSeconds();
            ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
            measure.idleCpu = std::max(
                0.0, (ProcessCpuSeconds(subject.program, *idle.program) - cpuBefore) * 1000.0);
            measure.idleServerCpu = (WineServerCpuSeconds() - serverBefore) * 1000.0;
            measure.peakMemory = KiB(MemoryOf(subject.program, idle).peakWorkingSet);
        }
        subject.Clear();

        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        ::GetFileAttributesExA(subject.program.path.c_str(), GetFileExInfoStandard, &attributes);
        measure.size = static_cast<double>(attributes.nFileSizeLow) / 1024.0;
    }
    return measures;
}

// Measures the three programs and writes the tables to `output`.
int Run(const std::string& output, int runs, int idleSeconds) {
    const std::string directory = testing::OwnDirectory();

    // Copies under names of their own, so the measured runs have settings of their own; they are
    // deleted again at the end.
    const testing::ProgramCopy haloquillCopy(directory + "\\Haloquill.exe",
                                             directory + "\\HaloquillBench.exe");
    const testing::ProgramCopy baselineCopy(directory + "\\baseline.exe",
                                            directory + "\\HaloquillBaseline.exe");
    const testing::ProgramCopy trayFloorCopy(directory + "\\tray_baseline.exe",
                                             directory + "\\HaloquillTrayBaseline.exe");
    const Program haloquill{"HaloquillBench", haloquillCopy.Path(), win32::kMainWindowClass};
    const Program baseline{"HaloquillBaseline", baselineCopy.Path(), "HaloquillBaseline"};
    const Program trayFloor{"HaloquillTrayBaseline", trayFloorCopy.Path(), "HaloquillTrayBaseline"};

    Subject oursSubject(haloquill, true);
    Subject floorSubject(baseline, true);
    Subject trayFloorSubject(trayFloor, false);
    const std::vector<Measures> measures =
        Measure({&oursSubject, &floorSubject, &trayFloorSubject}, runs, idleSeconds);
    const Measures& ours = measures[0];
    const Measures& floor = measures[1];
    const Measures& trayFloorMeasures = measures[2];

    // The shown start against the one-window baseline, with the measures it has always had.
    constexpr double kShownStartTarget = 1.25;
    constexpr double kShownMemoryTarget = 1.05;
    std::string table = "| Measure | Haloquill | Baseline | Ratio | Target |\n"
                        "|---|---|---|---|---|\n";
    table += StatsRow("Start-up to a settled window, warm (min / median / max)", ours.warm,
                      floor.warm, kShownStartTarget);
    table += StatsRow("First start, empty store (min / median / max)", ours.first, floor.first,
                      kShownStartTarget);
    // The work of the warm start without the waits both programs share: steadier from run to run
    // than its time on a shared machine.
    table += StatsRow("CPU time of a warm start, program and Wine server (min / median / max)",
                      ours.warmCpu, floor.warmCpu);
    table +=
        StatsRow("Start into the notification area (min / median / max)", ours.tray, floor.tray);
    const std::string idleLabel =
        "CPU time over " + std::to_string(idleSeconds) + " s in the notification area";
    table += Row(idleLabel, ours.idleCpu, floor.idleCpu, "ms");
    table += Row("Wine server CPU time over the same time", ours.idleServerCpu, floor.idleServerCpu,
                 "ms");
    table += Row("Working set 2 s after a shown start", ours.shownMemory, floor.shownMemory, "KiB",
                 kShownMemoryTarget);
    table += Row("Settled working set in the notification area (the baseline: hidden)",
                 ours.settledMemory, floor.settledMemory, "KiB");
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
    std::ofstream file(output);
    if (!(file << table)) {
        std::fprintf(stderr, "bench_runner: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}

} // namespace

} // namespace haloquill::bench

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "bench-results.md";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    if (runs < 1 || idleSeconds < 0) {
        std::fprintf(stderr, "usage: bench_runner [output file] [runs] [idle seconds]\n");
        return 2;
    }
    try {
        return haloquill::bench::Run(output, runs, idleSeconds);
    } catch (const std::exception& error) {
        // A program that could not be copied or started, with its Windows error code, or a
        // measure that could not be taken: no table of empty measures.
        std::fflush(stdout);
        std::fprintf(stderr, "bench_runner: %s\n", error.what());
        return 1;
    }
}
