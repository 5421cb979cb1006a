// Runs the tests of the notification area inside Wine's desktop shell. The desktop's explorer
// starts this program with no console and keeps no exit code, so the report goes to the file
// named by HALOQUILL_SHELL_REPORT and the result to HALOQUILL_SHELL_RESULT, for
// run_on_desktop_shell.sh to read.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (const char* report = std::getenv("HALOQUILL_SHELL_REPORT")) {
        if (!std::freopen(report, "w", stdout)) {
            return 2;
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    if (const char* path = std::getenv("HALOQUILL_SHELL_RESULT")) {
        std::ofstream(path) << result << '\n';
    }
    return result;
}
