// The main window as the controller's view: the angel, the lists, the options, the pages in front
// and the About window.

#include "win32/main_window.h"

#include "win32/styled_controls.h"

#include <string>

namespace haloquill::win32 {

void MainWindow::ShowAngelPicture(int number) {
    if (!::IsWindowVisible(window_)) {
        pendingPicture_ = number;
        return;
    }
    PutPictureInBoxes(number);
}

void MainWindow::PutPictureInBoxes(int number) {
    pendingPicture_ = 0;
    HBITMAP picture = pictures_.Picture(number);
    if (!picture) {
        return;
    }
    for (ControlId box : {kPicCard, kPicCard2}) {
        // A bitmap static sizes itself to its picture and keeps its top-left corner.
        ::SendMessageA(Control(box), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    }
}

void MainWindow::SetCardName(std::string_view name) {
    HWND label = Control(kLblCardName);
    ::SetWindowTextA(label, std::string(name).c_str());
    FitLabelToText(label, gdi_);
}

void MainWindow::SetCardDescription(std::string_view description) {
    ::SetWindowTextA(Control(kTxtCardDesc), std::string(description).c_str());
}

void MainWindow::FillList(ChoiceList list, const std::vector<std::string>& entries) {
    HWND box = Control(ListControlOf(list));
    ::SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    for (const std::string& entry : entries) {
        ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ::SendMessageA(box, WM_SETREDRAW, TRUE, 0);
}

void MainWindow::SelectListItem(ChoiceList list, int position) {
    ::SendMessageA(Control(ListControlOf(list)), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int MainWindow::ListSelection(ChoiceList list) const {
    return static_cast<int>(::SendMessageA(Control(ListControlOf(list)), CB_GETCURSEL, 0, 0));
}

bool MainWindow::IsSysTrayChecked() const {
    return ::SendMessageA(Control(kChkSysTray), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetSysTrayChecked(bool checked) {
    ::SendMessageA(Control(kChkSysTray), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::EnableSysTray(bool enabled) {
    ::EnableWindow(Control(kChkSysTray), enabled ? TRUE : FALSE);
}

bool MainWindow::IsRunSelected() const {
    return ::SendMessageA(Control(kOptRun), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetRunSelected(bool run) {
    ::SendMessageA(Control(kOptRun), BM_SETCHECK, run ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageA(Control(kOptDontRun), BM_SETCHECK, run ? BST_UNCHECKED : BST_CHECKED, 0);
}

void MainWindow::ShowFront(ControlId front, ControlId back) {
    const ControlId focused = FocusedControl();
    // Shown before the other is hidden, so the background never shows through.
    ::SetWindowPos(Control(front), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::ShowWindow(Control(back), SW_HIDE);
    if (HWND next = Control(FocusMemory::OnPageSwap(focused, front, back, canTakeFocus_))) {
        ::SetFocus(next);
    }
}

void MainWindow::BringPageToFront(Page page) {
    frontPage_ = FrameOf(page);
    ShowFront(FrameOf(page), OtherPageFrame(page));
}

void MainWindow::BringPromoLabelToFront(PromoLabel label) {
    ShowFront(LabelOf(label), OtherPromoLabel(label));
}

void MainWindow::ShowAboutWindow() {
    if (!about_) {
        about_ = std::make_unique<AboutWindow>(instance_, controller_, icon_);
    }
    // Disabling the window takes the focus from it; it comes back when the About window closes.
    RememberFocus();
    about_->ShowModal(window_);
    if (window_ && ::GetActiveWindow() == window_) {
        RestoreFocus();
    }
}

} // namespace haloquill::win32
