#include "driver/running_program.h"

#include <psapi.h>

namespace haloquill::testing {

std::optional<ProcessResources> RunningProgram::Resources() const {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process_.Get(),
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters)) {
        return std::nullopt;
    }
    ProcessResources resources;
    resources.workingSet = counters.WorkingSetSize;
    resources.peakWorkingSet = counters.PeakWorkingSetSize;
    // Windows gives the private commit in both fields; Wine fills only the second one.
    resources.privateBytes =
        counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    resources.gdiObjects = ::GetGuiResources(process_.Get(), GR_GDIOBJECTS);
    resources.userObjects = ::GetGuiResources(process_.Get(), GR_USEROBJECTS);
    if (DWORD count = 0; ::GetProcessHandleCount(process_.Get(), &count)) {
        resources.handles = static_cast<long>(count);
    }
    return resources;
}

std::optional<double> RunningProgram::CpuSeconds() const {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process_.Get(), &created, &exited, &kernel, &user)) {
        return std::nullopt;
    }
    auto toSeconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               1e7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

} // namespace haloquill::testing
