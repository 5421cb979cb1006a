// The main window as the controller's view: its controls brought in line with the controller's
// state, made when first seen, and the About window.

#include "win32/main_window.h"

#include "app/render_steps.h"
#include "design/app_texts.h"
#include "win32/styled_controls.h"
#include "win32/wide_text.h"

namespace haloquill::win32 {

namespace {

// The acts of one control; the picture boxes and the pages are the window's.
void ApplyToControl(const ControlStep& step, HWND control, GdiCache& gdi) {
    switch (step.act) {
    case ControlAct::FillList:
        // A list that holds its entries already (one made before the settings page) keeps them.
        if (::SendMessageA(control, CB_GETCOUNT, 0, 0) == 0) {
            ::SendMessageA(control, WM_SETREDRAW, FALSE, 0);
            for (const std::string& entry : ChoiceListEntries(step.list)) {
                ::SendMessageW(control, CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(Wide(entry).c_str()));
            }
            ::SendMessageA(control, WM_SETREDRAW, TRUE, 0);
        }
        break;
    case ControlAct::Select:
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(step.value), 0);
        break;
    case ControlAct::Check:
        ::SendMessageA(control, BM_SETCHECK, step.value ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlAct::Enable:
        ::EnableWindow(control, step.value ? TRUE : FALSE);
        break;
    case ControlAct::SetText:
        ::SetWindowTextW(control, Wide(step.text).c_str());
        FitLabelToText(control, gdi);
        break;
    case ControlAct::ShowPicture:
    case ControlAct::BringToFront:
        break;
    }
}

} // namespace

void MainWindow::Render(const MainWindowModel& model) {
    // Made in one go while still hidden, so nothing half-done is seen.
    const std::vector<WindowPart> parts = PartsToMake(model, made_);
    if (!MakeParts(parts)) {
        return;
    }
    if (!parts.empty() && parts.front() == WindowPart::AroundPages) {
        // Focus rectangles and access-key underlines follow the user's setting and last input.
        ::SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    }
    if (made_.Has(WindowPart::AroundPages)) {
        // The controls, made now or before, before the window shows them. The model is theirs
        // before the steps run, so that a focus change meanwhile finds the page in front.
        const std::vector<ControlStep> steps = RenderSteps(shown_ ? &*shown_ : nullptr, model);
        shown_ = model;
        for (const ControlStep& step : steps) {
            Apply(step);
        }
    }
    ShowPresence(model.window);
}

void MainWindow::Apply(const ControlStep& step) {
    if (step.act == ControlAct::ShowPicture) {
        ShowPicture(step.control, step.value);
    } else if (step.act == ControlAct::BringToFront) {
        ShowFront(step.control, static_cast<ControlId>(step.value));
    } else if (HWND control = Control(step.control)) {
        ApplyToControl(step, control, gdi_);
    }
}

void MainWindow::ShowPicture(ControlId box, int number) {
    // A bitmap static sizes itself to its picture and keeps its top-left corner. With no angel
    // yet, or no picture for it, the box stays as it is.
    HWND control = Control(box);
    if (HBITMAP picture = control ? pictures_.Picture(number) : nullptr) {
        ::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
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
