#include "win32/main_window.h"

#include "design/app_texts.h"
#include "design/dpi_scaling.h"
#include "win32/description_box.h"
#include "win32/menus.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"
#include "win32/window_dpi.h"

namespace haloquill::win32 {

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

} // namespace

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1000;
// Fires once the window is first shown; timer messages come only when nothing is left to paint.
constexpr UINT_PTR kAfterPaintingTimer = 2;

MainWindow::MainWindow(HINSTANCE instance, MessageBoxes& messages)
    : DesignWindow(instance, ScreenDpi()), messages_(messages), pictures_(instance, gdi_.Dpi()) {}

MainWindow::~MainWindow() {
    about_.reset();
    tray_.Remove();
    DestroyFrame();
}

void MainWindow::Start(std::string_view commandLine) {
    controller_->StartProgram(commandLine);
    if (window_ && !controller_->IsClosing()) {
        // The timer runs from the end of the start for the whole life of the window, shown or
        // hidden.
        ::SetTimer(window_, kTimer1, kTimer1Interval, nullptr);
    }
}

bool MainWindow::Create(MainWindowController& controller) {
    controller_ = &controller;
    if (!RegisterFrameWindowClass(instance_)) {
        return false;
    }
    // Made at the size it has with its menu bar, centred, so that a first showing moves nothing.
    // No class icons: the window is given its own, drawn for its DPI, when it is first shown.
    const FrameSpec frame{kMainWindowClass, kMainStyle, WS_EX_CONTROLPARENT};
    if (!CreateFrame(frame, CentredFrame()) || !CreateTrayReceiver()) {
        return false;
    }
    // Drawn for the DPI of the monitor the window is on, which may not be the system's.
    if (const int dpi = WindowDpi(window_); dpi != gdi_.Dpi()) {
        gdi_ = GdiCache(dpi, gdi_.HighContrast());
        pictures_.ChangeDpi(dpi);
    }
    icons_ = ProgramIcons(instance_, gdi_.Dpi());
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
    sessions_.Register(window_);
    return true;
}

bool MainWindow::CreateTrayReceiver() {
    if (!RegisterWindowClass({kTrayReceiverClass, ReceiverProc, instance_})) {
        return false;
    }
    // A message-only window, so that a start into the notification area makes no control, and
    // cheap to make: it has nothing on the screen. This object owns it.
    receiver_.Reset(::CreateWindowExW(0, Wide(kTrayReceiverClass).c_str(), L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, instance_, nullptr));
    if (!receiver_) {
        return false;
    }
    ::SetWindowLongPtrW(receiver_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

bool MainWindow::MakePart(WindowPart part) {
    if (made_.Has(part) || !window_) {
        return window_ != nullptr;
    }
    made_.Add(part);
    if (part == WindowPart::AroundPages) {
        ::SetMenu(window_, BuildMenuBar().Release()); // the window destroys its menu bar
        // Only a window that is seen needs its icons; the icon in the notification area has its
        // own.
        SetWindowIcons();
        PlaceWindow();
        ::SetTimer(window_, kAfterPaintingTimer, 0, nullptr);
    } else if (PartsAfterPainting(made_).empty()) {
        ::KillTimer(window_, kAfterPaintingTimer);
    }
    if (!controls_.Add(instance_, window_, PartLayout(part, shown_.has_value()))) {
        return false;
    }
    if (part == WindowPart::AngelPage) {
        ProtectDescriptionBox(Control(kTxtCardDesc));
    }
    if (shown_) {
        // The new controls show what the others show.
        for (const ControlStep& step : PartSteps(part, *shown_)) {
            Apply(step);
        }
    }
    return true;
}

bool MainWindow::MakeParts(std::span<const WindowPart> parts) {
    for (WindowPart part : parts) {
        if (!MakePart(part)) {
            EndForWindowFailure();
            return false;
        }
    }
    return true;
}

void MainWindow::EndForWindowFailure() {
    const DWORD error = ::GetLastError();
    messages_.Show(texts::WindowCannotBeMade(error), BoxKind::Error);
    QuitProgram();
}

RECT MainWindow::CentredFrame() const {
    const PixelSize client = MainWindowClientSize(gdi_.Dpi());
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectAt(frame, kMainStyle, true, WS_EX_CONTROLPARENT, gdi_.Dpi());
    ::OffsetRect(&frame, (::GetSystemMetrics(SM_CXSCREEN) - frame.right - frame.left) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - frame.bottom - frame.top) / 2);
    return frame;
}

void MainWindow::PlaceWindow() {
    // A window made at its place already is not moved: every move is a round trip to the display.
    const RECT frame = CentredFrame();
    RECT now{};
    ::GetWindowRect(window_, &now);
    if (!::EqualRect(&now, &frame)) {
        // The client area has the design's size whatever the menu bar takes; centred at first.
        FitWindowToClient(window_, frame, MainWindowClientSize(gdi_.Dpi()));
        CentreOnScreen(window_);
    }
}

bool MainWindow::PreTranslateMessage(const MSG& message) {
    const bool arrow = message.wParam == VK_UP || message.wParam == VK_DOWN ||
                       message.wParam == VK_LEFT || message.wParam == VK_RIGHT;
    if (message.message != WM_KEYDOWN || !arrow || ::GetParent(message.hwnd) == nullptr) {
        return false;
    }
    const auto next = controller_->OnArrowKey(::GetDlgCtrlID(message.hwnd));
    if (next) {
        ::SetFocus(Control(static_cast<ControlId>(*next)));
    }
    return next.has_value();
}

void MainWindow::OnCommand(int id, int code) {
    // Menu items report code 0, clicked buttons BN_CLICKED and clicked labels STN_CLICKED.
    const bool selection = code == CBN_SELCHANGE;
    if (!selection && code != BN_CLICKED && code != STN_CLICKED && code != 0) {
        return;
    }
    // A list tells its new position, a check box whether it is ticked now; the others nothing.
    HWND control = Control(static_cast<ControlId>(id));
    const auto value = static_cast<int>(
        selection ? ::SendMessageA(control, CB_GETCURSEL, 0, 0)
                  : control && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (shown_) {
        TakeUserChange(*shown_, static_cast<ControlId>(id), value);
    }
    controller_->OnControlEvent(
        id, selection ? ControlEvent::SelectionChanged : ControlEvent::Clicked, value);
}

std::optional<LRESULT> MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            RememberFocus();
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        // The window itself has nothing to type into: the focus goes on to a control.
        RestoreFocus();
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1) {
            controller_->Timer1_Timer();
        } else if (wParam == kAfterPaintingTimer) {
            MakeParts(PartsAfterPainting(made_));
        }
        return 0;
    case WM_SYSCOMMAND:
        // The close box, the system menu's Close and Alt+F4 send the program to the
        // notification area.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            controller_->RequestUnload(UnloadReason::UserClose);
            return 0;
        }
        break;
    case WM_CLOSE:
        // Only another program sends a bare close (End task, an installer): the program ends.
        controller_->RequestUnload(UnloadReason::OutsideClose);
        return 0;
    case WM_ENDSESSION:
        if (wParam) {
            controller_->RequestUnload(UnloadReason::SessionEnd);
        }
        return 0;
    case WM_WTSSESSION_CHANGE:
        controller_->OnSessionChange(static_cast<int>(wParam));
        return 0;
    case WM_DESTROY:
        sessions_.Unregister();
        break;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            // The new taskbar holds no icons.
            tray_.Forget();
            controller_->OnTaskbarCreated();
            return 0;
        }
        break;
    }
    return std::nullopt;
}

LRESULT CALLBACK MainWindow::ReceiverProc(HWND receiver, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(receiver, GWLP_USERDATA));
    if (self && message == kTrayCallbackMessage) {
        self->controller_->OnTrayNotification(TrayEventOf(LOWORD(lParam)));
        return 0;
    }
    if (self && message == kIdleProbeMessage) {
        // The controls still to be made after the first painting are work not yet done.
        self->MakeParts(PartsAfterPainting(self->made_));
        self->idleProbe_ = static_cast<LRESULT>(wParam);
        return 0;
    }
    if (self && message == kIdleAnswerMessage) {
        return self->idleProbe_;
    }
    return ::DefWindowProcW(receiver, message, wParam, lParam);
}

} // namespace haloquill::win32
