// The main window as the controller's view: its controls brought in line with the controller's
// state, made when first seen, and the About window.

#include "win32/main_window.h"

#include "design/app_texts.h"
#include "win32/styled_controls.h"
#include "win32/wide_text.h"

#include <string>

namespace haloquill::win32 {

namespace {

void SetCheck(HWND button, bool checked) {
    if (button) {
        ::SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// Fills an empty list with its entries and selects the model's position in it; `before` is the
// model the list shows, none when it shows nothing yet.
void ShowList(HWND box, ChoiceList list, const MainWindowModel& model,
              const MainWindowModel* before) {
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
    if (!before || before->Selection(list) != model.Selection(list)) {
        ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(model.Selection(list)), 0);
    }
}

} // namespace

void MainWindow::Render(const MainWindowModel& model) {
    // Made in one go while still hidden, so nothing half-done is seen.
    if (model.window.shown && !BuildWindow(model)) {
        EndForWindowFailure();
        return;
    }
    if (built_) {
        if (model.page == Page::Settings && !settingsBuilt_) {
            if (!BuildSettingsPage()) {
                EndForWindowFailure();
                return;
            }
            // Its controls show the model in full, whatever the rest of the window shows.
            ShowChoices(model, nullptr);
            PutPictureInBoxes(model.picture);
        }
        ShowModel(model); // the controls, made now or before, before the window shows them
    }
    ShowPresence(model.window);
}

void MainWindow::ShowModel(const MainWindowModel& model) {
    // Only what differs from the model the controls show changes, so the description keeps its
    // scroll position and nothing flickers.
    const MainWindowModel* before = shown_ ? &*shown_ : nullptr;
    ShowChoices(model, before);
    if (HWND label = Control(kLblCardName);
        label && (!before || before->cardName != model.cardName)) {
        ::SetWindowTextW(label, Wide(model.cardName).c_str());
        FitLabelToText(label, gdi_);
    }
    if (HWND box = Control(kTxtCardDesc);
        box && (!before || before->cardDescription != model.cardDescription)) {
        ::SetWindowTextW(box, Wide(model.cardDescription).c_str());
    }
    if (!before || before->picture != model.picture) {
        PutPictureInBoxes(model.picture);
    }
    if (!before || before->page != model.page) {
        frontPage_ = FrameOf(model.page);
        ShowFront(FrameOf(model.page), OtherPageFrame(model.page));
    }
    if (!before || before->promo != model.promo) {
        ShowFront(LabelOf(model.promo), OtherPromoLabel(model.promo));
    }
    shown_ = model;
}

void MainWindow::ShowChoices(const MainWindowModel& model, const MainWindowModel* before) {
    for (ChoiceList list : kAllChoiceLists) {
        ShowList(Control(ListControlOf(list)), list, model, before);
    }
    // Both options at once: an option button takes its Tab stop from its check, which only the
    // selected one of the two keeps.
    if (!before || before->runSelected != model.runSelected) {
        SetCheck(Control(kOptRun), model.runSelected);
        SetCheck(Control(kOptDontRun), !model.runSelected);
    }
    if (!before || before->sysTrayChecked != model.sysTrayChecked) {
        SetCheck(Control(kChkSysTray), model.sysTrayChecked);
    }
    if (HWND trayBox = Control(kChkSysTray);
        trayBox && (!before || before->sysTrayEnabled != model.sysTrayEnabled)) {
        ::EnableWindow(trayBox, model.sysTrayEnabled ? TRUE : FALSE);
    }
}

void MainWindow::PutPictureInBoxes(int number) {
    HBITMAP picture = pictures_.Picture(number);
    if (!picture) {
        return; // no angel yet, or no picture for it: the boxes stay as they are
    }
    for (ControlId box : {kPicCard, kPicCard2}) {
        // A bitmap static sizes itself to its picture and keeps its top-left corner.
        if (HWND control = Control(box)) {
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
