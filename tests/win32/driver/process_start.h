#pragma once
// Copies of a program made to run under a name of their own, and processes started from a
// command line. A copy or a start that fails throws ProgramStartError with the Windows error code.

#include "driver/running_program.h"

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace haloquill::testing {

class ProgramStartError : public std::runtime_error {
  public:
    // `what` says what could not be done; the error code is added to it.
    ProgramStartError(const std::string& what, DWORD code);

    DWORD Code() const { return code_; }

  private:
    DWORD code_;
};

// A copy of a program file that is deleted again when it goes.
class ProgramCopy {
  public:
    // Copies `original` to `path`, replacing an older copy there.
    ProgramCopy(const std::string& original, std::string path);
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;
    ~ProgramCopy();

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::wstring widePath_; // converted once, so that the destructor cannot fail to convert
};

// Starts a process with exactly this command line (quoted program path first).
std::unique_ptr<RunningProgram> StartProcess(std::string commandLine);

// The folder that holds the running executable (and Haloquill.exe beside it).
std::string OwnDirectory();

} // namespace haloquill::testing
