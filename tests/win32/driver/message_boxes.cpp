#include "driver/running_program.h"

namespace haloquill::testing {

std::vector<ForeignMessageBox> RunningProgram::MessageBoxes() const {
    std::vector<ForeignMessageBox> boxes;
    for (HWND window : TopLevelWindows("#32770")) {
        ForeignMessageBox box;
        box.window = window;
        box.caption = WindowText(window);
        // A message box shows its text in the static control 0xFFFF.
        box.text = WindowText(::GetDlgItem(window, 0xFFFF));
        boxes.push_back(box);
    }
    return boxes;
}

ForeignMessageBox RunningProgram::WaitForMessageBox(std::chrono::milliseconds timeout) const {
    std::vector<ForeignMessageBox> boxes;
    WaitUntil([&] { return !(boxes = MessageBoxes()).empty() || !IsRunning(); }, timeout);
    return boxes.empty() ? ForeignMessageBox{} : boxes.front();
}

} // namespace haloquill::testing
