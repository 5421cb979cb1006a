#include "win32/main_window.h"

#include "app/app_texts.h"
#include "win32/description_box.h"
#include "win32/frame_window.h"
#include "win32/quit_program.h"

namespace haloquill::win32 {

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

struct WindowClassAndStyle {
    const char* className;
    DWORD style;
};

WindowClassAndStyle ClassFor(const ControlSpec& spec) {
    switch (spec.kind) {
    case ControlKind::Frame:
    case ControlKind::PlainFrame:
        return {kFrameWindowClass, WS_CLIPSIBLINGS};
    case ControlKind::Label:
        return {"STATIC",
                spec.id == kLabel1 || spec.id == kLblCardName ? DWORD{SS_CENTER} : DWORD{SS_LEFT}};
    case ControlKind::LinkLabel:
        return {"STATIC", SS_CENTER | SS_NOTIFY};
    case ControlKind::Button:
        return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::DropDownList:
        return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::CheckBox:
        return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::OptionButton:
        return {"BUTTON", BS_RADIOBUTTON | WS_TABSTOP};
    case ControlKind::PictureBox:
        return {"STATIC", SS_LEFT};
    case ControlKind::DescriptionBox:
        return {"EDIT",
                ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::Rectangle:
        return {"STATIC", SS_ETCHEDFRAME};
    }
    return {"STATIC", 0};
}

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, SettingsStore& store, const Clock& clock,
                       RandomSource& random)
    : instance_(instance), controller_(store, clock, random, *this) {}

MainWindow::~MainWindow() {
    if (window_ && ::IsWindow(window_)) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

bool MainWindow::Load() {
    if (!RegisterFrameWindowClass(instance_)) {
        return false;
    }
    WNDCLASSEXA mainClass{};
    mainClass.cbSize = sizeof mainClass;
    mainClass.lpfnWndProc = WindowProc;
    mainClass.hInstance = instance_;
    mainClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    mainClass.lpszClassName = kMainWindowClass;
    if (!::RegisterClassExA(&mainClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }

    dpi_ = ScreenDpi();
    RECT frame{0, 0, Pixels(kClientWidthTwips), Pixels(kClientHeightTwips)};
    ::AdjustWindowRectEx(&frame, kMainStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    const std::string caption(texts::kMainCaption);
    window_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, caption.c_str(), kMainStyle,
                                left, top, width, height, nullptr, nullptr, instance_, this);
    if (!window_) {
        return false;
    }
    CreateControls();
    controller_.Form_Load();
    return true;
}

void MainWindow::Show() {
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
}

void MainWindow::CreateControls() {
    // Verdana 8.25 pt, the window's default font.
    font_.Reset(::CreateFontA(-::MulDiv(825, dpi_, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana"));
    for (const ControlSpec& spec : MainWindowLayout()) {
        if (HWND control = CreateControl(spec)) {
            controls_[spec.id] = control;
            ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        }
    }
    if (HWND description = Control(kTxtCardDesc)) {
        ProtectDescriptionBox(description);
    }
    ::SendMessageA(Control(kOptDontRun), BM_SETCHECK, BST_CHECKED, 0);
    ::EnableWindow(Control(kChkSysTray), FALSE);
}

HWND MainWindow::CreateControl(const ControlSpec& spec) {
    const HWND parent = spec.container == kNoControl ? window_ : Control(spec.container);
    if (!parent) {
        return nullptr;
    }
    const auto [className, kindStyle] = ClassFor(spec);
    DWORD style = WS_CHILD | kindStyle;
    if (!spec.hidden) {
        style |= WS_VISIBLE;
    }
    if (spec.startsGroup) {
        style |= WS_GROUP;
    }
    const DWORD exStyle = spec.kind == ControlKind::Frame || spec.kind == ControlKind::PlainFrame
                              ? DWORD{WS_EX_CONTROLPARENT}
                              : DWORD{0};
    int height = Pixels(spec.height);
    if (spec.kind == ControlKind::DropDownList) {
        height += ::MulDiv(200, dpi_, 96); // room for the opened list
    }
    const std::string caption(spec.caption);
    return ::CreateWindowExA(exStyle, className, caption.c_str(), style, Pixels(spec.left),
                             Pixels(spec.top), Pixels(spec.width), height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance_,
                             nullptr);
}

HWND MainWindow::Control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

HWND MainWindow::ListControl(ChoiceList list) const {
    switch (list) {
    case ChoiceList::Date:
        return Control(kCboDate);
    case ChoiceList::Month:
        return Control(kCboMonth);
    case ChoiceList::Year:
        return Control(kCboYear);
    case ChoiceList::Hour:
        return Control(kCboHour);
    case ChoiceList::Minute:
        return Control(kCboMinute);
    case ChoiceList::Second:
        break;
    }
    return Control(kCboSecond);
}

void MainWindow::ShowAngelPicture(int /*number*/) {
    // The picture boxes get their pictures together with the picture set.
}

void MainWindow::SetCardName(std::string_view name) {
    ::SetWindowTextA(Control(kLblCardName), std::string(name).c_str());
}

void MainWindow::SetCardDescription(std::string_view description) {
    ::SetWindowTextA(Control(kTxtCardDesc), std::string(description).c_str());
}

void MainWindow::FillList(ChoiceList list, const std::vector<std::string>& entries) {
    HWND box = ListControl(list);
    ::SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    for (const std::string& entry : entries) {
        ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ::SendMessageA(box, WM_SETREDRAW, TRUE, 0);
}

void MainWindow::SelectListItem(ChoiceList list, int position) {
    ::SendMessageA(ListControl(list), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int MainWindow::ListSelection(ChoiceList list) const {
    return static_cast<int>(::SendMessageA(ListControl(list), CB_GETCURSEL, 0, 0));
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

void MainWindow::BringPageToFront(Page page) {
    HWND front = Control(page == Page::Settings ? kFraSettings : kFraRune);
    HWND back = Control(page == Page::Settings ? kFraRune : kFraSettings);
    // Showing the new page before hiding the old one avoids a flash of the background.
    ::SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::ShowWindow(back, SW_HIDE);
}

void MainWindow::OnCommand(int id, int code) {
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case kCboHour:
            controller_.cboHour_Click();
            break;
        case kCboMinute:
            controller_.cboMinute_Click();
            break;
        case kCboSecond:
            controller_.cboSecond_Click();
            break;
        default:
            break;
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case kChkSysTray:
        controller_.chkSysTray_Click();
        break;
    case kOptRun:
        SetRunSelected(true);
        controller_.optRun_Click();
        break;
    case kOptDontRun:
        SetRunSelected(false);
        controller_.optDontRun_Click();
        break;
    case kCmdSettings:
        controller_.cmdSettings_Click();
        break;
    default:
        break;
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        controller_.SaveSettings();
        QuitProgram();
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace haloquill::win32
