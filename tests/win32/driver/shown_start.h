#pragma once
// The start most end-to-end tests begin with, as a test step that reports its own failure.

#include "driver/program_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace haloquill::testing {

// Starts the program and waits until it has finished starting and shows its window.
inline std::unique_ptr<RunningProgram> StartShown(ProgramDriver& driver,
                                                  const std::string& args = {}) {
    auto program = driver.Start(args);
    if (!program->WaitForMainWindow() ||
        !WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; })) {
        ADD_FAILURE() << "the main window did not show";
    }
    return program;
}

} // namespace haloquill::testing
