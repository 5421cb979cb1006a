#include "driver/process_start.h"

#include "driver/driver_text.h"

namespace haloquill::testing {

ProgramStartError::ProgramStartError(const std::string& what, DWORD code)
    : std::runtime_error(what + " (error " + std::to_string(code) + ")"), code_(code) {}

ProgramCopy::ProgramCopy(const std::string& original, std::string path)
    : path_(std::move(path)), widePath_(WideOrThrow(path_)) {
    if (!::CopyFileW(WideOrThrow(original).c_str(), widePath_.c_str(), FALSE)) {
        throw ProgramStartError("cannot copy " + original + " to " + path_, ::GetLastError());
    }
}

ProgramCopy::~ProgramCopy() {
    ::DeleteFileW(widePath_.c_str());
}

std::unique_ptr<RunningProgram> StartProcess(std::string commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine's CreateProcess now and then fails once while a copy of the same file it just ended
    // is still being torn down; a few tries apart tell that from a program that cannot start.
    // The program's start is the moment of the try that made it.
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::wstring wideCommandLine = WideOrThrow(commandLine);
        const auto started = std::chrono::steady_clock::now();
        if (::CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process)) {
            return std::make_unique<RunningProgram>(process, started);
        }
        error = ::GetLastError();
        ::Sleep(500);
    }
    throw ProgramStartError("cannot start " + commandLine, error);
}

std::string OwnDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string directory = NarrowOrThrow(path);
    return directory.substr(0, directory.find_last_of('\\'));
}

} // namespace haloquill::testing
