// The two pieces of the portable core whose instruction counts are tracked with callgrind: one
// reminder tick and one whole initialisation of the main window, each over an in-memory store.
// Run as "core_instructions tick" or "core_instructions init"; scripts/bench.sh counts only the
// named function.

#include "fakes/controller_rig.h"

#include <cstring>

namespace haloquill {

// Kept out of line so that callgrind can count exactly these calls.
[[gnu::noinline]] void MeasuredTick(MainWindowController& controller) {
    controller.Timer1_Timer();
}

[[gnu::noinline]] void MeasuredInitialisation(MainWindowController& controller) {
    controller.Form_Load("");
}

} // namespace haloquill

int main(int argc, char** argv) {
    using namespace haloquill;
    testing::ControllerRig rig;
    rig.StoreLaterStart("3", "2100-01-01");
    rig.random.queue = {0.25, 0.5, 0.75};
    if (argc > 1 && std::strcmp(argv[1], "tick") == 0) {
        rig.controller.StartProgram(""); // the reminder runs once the start is done
        rig.clock.now = {7, 0, 0, 0};
        MeasuredTick(rig.controller);
    } else {
        MeasuredInitialisation(rig.controller);
    }
    return 0;
}
