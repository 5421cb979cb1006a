// The main window as the controller's view: its controls brought in line with the controller's
// state, made when first seen, and the About window.

#include "win32/main_window.h"

#include "design/app_texts.h"
#include "win32/styled_controls.h"
#include "win32/wide_text.h"

#include <string>

namespace haloquill::win32 {

namespace {

// Also sent when the state is the same: an option button takes its Tab stop from it, which only
// the selected one of the two keeps.
void SetCheck(HWND button, bool checked) {
    if (button) {
        ::SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// Fills an empty list with its entries and selects the model's position in it.
void ShowList(HWND box, ChoiceList list, const MainWindowModel& model) {
    if (!box) {
        return;
    }
    if (model.listsFilled && ::SendMessageA(box, CB_GETCOUNT, 0, 0) == 0) {
        ::SendMessageA(box, WM_SETREDRAW, FALSE, 0);
        for (const std::string& entry : ChoiceListEntries(list)) {
            ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
        }
        ::SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    }
    const int position = model.Selection(list);
    if (::SendMessageA(box, CB_GETCURSEL, 0, 0) != position) {
        ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    }
}

} // namespace

void MainWindow::Render(const MainWindowModel& model) {
    if (!built_) {
        return; // the controls show the state when they are made
    }
    if (model.page == Page::Settings && !BuildSettingsPage()) {
        EndForWindowFailure();
        return;
    }
    ShowModel(model);
}

void MainWindow::ShowModel(const MainWindowModel& model) {
    for (ChoiceList list : kAllChoiceLists) {
        ShowList(Control(ListControlOf(list)), list, model);
    }
    SetCheck(Control(kOptRun), model.runSelected);
    SetCheck(Control(kOptDontRun), !model.runSelected);
    SetCheck(Control(kChkSysTray), model.sysTrayChecked);
    if (HWND trayBox = Control(kChkSysTray);
        trayBox && (::IsWindowEnabled(trayBox) != FALSE) != model.sysTrayEnabled) {
        ::EnableWindow(trayBox, model.sysTrayEnabled ? TRUE : FALSE);
    }

    if (HWND label = Control(kLblCardName); label && WindowText(label) != model.cardName) {
        ::SetWindowTextW(label, Wide(model.cardName).c_str());
        FitLabelToText(label, gdi_);
    }
    // Set only when it differs, so the box keeps its scroll position.
    if (HWND box = Control(kTxtCardDesc); box && WindowText(box) != model.cardDescription) {
        ::SetWindowTextW(box, Wide(model.cardDescription).c_str());
    }
    // Controls exist only once the window is to be shown, so the picture goes straight into
    // every box that does not show it yet, the settings page's included when made later.
    PutPictureInBoxes(model.picture);

    if (shownPage_ != model.page) {
        shownPage_ = model.page;
        frontPage_ = FrameOf(model.page);
        ShowFront(FrameOf(model.page), OtherPageFrame(model.page));
    }
    if (shownPromo_ != model.promo) {
        shownPromo_ = model.promo;
        ShowFront(LabelOf(model.promo), OtherPromoLabel(model.promo));
    }
}

void MainWindow::PutPictureInBoxes(int number) {
    HBITMAP picture = pictures_.Picture(number);
    if (!picture) {
        return; // no angel yet, or no picture for it: the boxes stay as they are
    }
    for (ControlId box : {kPicCard, kPicCard2}) {
        // A bitmap static sizes itself to its picture and keeps its top-left corner.
        HWND control = Control(box);
        if (control && ::SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0) !=
                           reinterpret_cast<LRESULT>(picture)) {
            ::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        }
    }
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

void MainWindow::ShowAboutWindow() {
    if (!about_) {
        about_ = std::make_unique<AboutWindow>(instance_);
    }
    // Disabling the window takes the focus from it; it comes back when the About window closes.
    RememberFocus();
    if (!about_->ShowModal(window_)) {
        messages_.Show(texts::kAboutCannotBeMade, BoxKind::Error);
    }
    if (window_ && ::IsWindow(window_) && ::GetActiveWindow() == window_) {
        RestoreFocus();
    }
}

} // namespace haloquill::win32
