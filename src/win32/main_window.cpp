#include "win32/main_window.h"

#include "angels/angel_catalogue.h"
#include "design/app_texts.h"
#include "design/main_menu.h"
#include "win32/description_box.h"
#include "win32/quit_program.h"
#include "win32/window_class.h"

#include "design/twips.h"
#include "win32/styled_controls.h"
#include <commctrl.h>

namespace haloquill::win32 {

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

HICON LoadProgramIcon(HINSTANCE instance, int sizeMetric) {
    const int size = ::GetSystemMetrics(sizeMetric);
    // Shared icons belong to the system and are never destroyed.
    return static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconResource),
                                           IMAGE_ICON, size, size, LR_SHARED));
}

HMENU BuildMenu(ControlId parent) {
    HMENU menu = parent == kNoControl ? ::CreateMenu() : ::CreatePopupMenu();
    for (const MenuItemSpec& item : MainMenuItems()) {
        if (item.parent != parent || !item.visible) {
            continue;
        }
        const std::string caption(item.caption);
        if (IsSeparator(item)) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        bool hasItems = false;
        for (const MenuItemSpec& child : MainMenuItems()) {
            hasItems = hasItems || child.parent == item.id;
        }
        if (hasItems) {
            ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu(item.id)),
                          caption.c_str());
        } else {
            ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), caption.c_str());
        }
    }
    return menu;
}

} // namespace

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1000;
constexpr UINT_PTR kHookSubclass = 1;

MainWindow::MainWindow(HINSTANCE instance, const MainWindowPorts& ports)
    : instance_(instance), web_(ports.web), controller_(ports, *this), gdi_(ScreenDpi()),
      pictures_(instance, gdi_.Dpi()) {}

MainWindow::~MainWindow() {
    about_.reset();
    tray_.Remove();
    if (window_ && ::IsWindow(window_)) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

void MainWindow::Start(std::string_view commandLine) {
    controller_.StartProgram(commandLine);
    if (window_ && !controller_.IsClosing()) {
        // The timer runs from the end of the start for the whole life of the window, shown or
        // hidden.
        ::SetTimer(window_, kTimer1, kTimer1Interval, nullptr);
    }
}

bool MainWindow::Create() {
    if (!RegisterFrameWindowClass(instance_)) {
        return false;
    }
    icon_ = LoadProgramIcon(instance_, SM_CXICON);
    smallIcon_ = LoadProgramIcon(instance_, SM_CXSMICON);

    if (!RegisterWindowClass(
            {kMainWindowClass, ObjectWindowProc<MainWindow>, instance_, icon_, smallIcon_})) {
        return false;
    }

    const std::string caption(texts::kMainCaption);
    window_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, caption.c_str(), kMainStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_,
                                this);
    if (!window_) {
        return false;
    }
    CreateMenus();
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

    // The client area has the design's size whatever the menu bar takes; centred at first.
    const int dpi = gdi_.Dpi();
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    ::AdjustWindowRectEx(&frame, kMainStyle, TRUE, WS_EX_CONTROLPARENT);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    ::SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    ::GetClientRect(window_, &client);
    // A menu bar that wraps takes more than one line; make up for it.
    height += TwipsToPixels(kClientHeightTwips, dpi) - client.bottom;
    const POINT place = CentredOnScreen(width, height);
    ::SetWindowPos(window_, nullptr, place.x, place.y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);

    CreateControls();
    // Focus rectangles and access-key underlines follow the user's setting and last input.
    ::SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
    return true;
}

bool MainWindow::PreTranslateMessage(const MSG& message) {
    const bool arrow = message.wParam == VK_UP || message.wParam == VK_DOWN ||
                       message.wParam == VK_LEFT || message.wParam == VK_RIGHT;
    if (message.message != WM_KEYDOWN || !arrow || ::GetParent(message.hwnd) == nullptr) {
        return false;
    }
    const auto next = controller_.OnArrowKey(::GetDlgCtrlID(message.hwnd));
    if (next) {
        ::SetFocus(Control(static_cast<ControlId>(*next)));
    }
    return next.has_value();
}

void MainWindow::CreateMenus() {
    ::SetMenu(window_, BuildMenu(kNoControl));
}

void MainWindow::CreateControls() {
    const std::string siteBase(ConfiguredSiteBase());
    const int dpi = gdi_.Dpi();
    for (const ControlSpec& spec : MainWindowLayout()) {
        const HWND parent = spec.container == kNoControl ? window_ : Control(spec.container);
        if (!parent) {
            continue;
        }
        if (spec.kind == ControlKind::Rectangle) {
            // Rectangles are drawn by the frame that holds them, beneath its controls.
            frameStyles_[spec.container].rectangles.push_back(
                RECT{TwipsToPixels(spec.left, dpi), TwipsToPixels(spec.top, dpi),
                     TwipsToPixels(spec.left + spec.width, dpi),
                     TwipsToPixels(spec.top + spec.height, dpi)});
            continue;
        }
        HWND control = CreateStyledControl(instance_, parent, spec,
                                           WithSiteName(spec.caption, siteBase), gdi_);
        if (!control) {
            continue;
        }
        controls_[spec.id] = control;
        if (spec.kind == ControlKind::Frame || spec.kind == ControlKind::PlainFrame) {
            frameStyles_[spec.id].captionFont = gdi_.Font(LookOf(spec.id).font);
        }
    }
    ColourFrames();
    // Styles are complete only now: rectangles come after the frame that holds them.
    for (auto& [id, style] : frameStyles_) {
        SetFrameStyle(Control(id), &style);
    }
    if (HWND description = Control(kTxtCardDesc)) {
        ProtectDescriptionBox(description);
    }
    if (HWND hook = Control(kPicHook)) {
        // The notification-area icon reports its mouse messages to this box.
        ::SetWindowSubclass(hook, HookProc, kHookSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
}

void MainWindow::ColourFrames() {
    const bool highContrast = gdi_.HighContrast();
    for (auto& [id, style] : frameStyles_) {
        const ControlColours colours = ColoursOf(id, highContrast);
        style.captionColour = ToColorRef(colours.text);
        style.background = gdi_.Brush(colours.background);
        style.outlineColour = ToColorRef(OutlineColour(highContrast));
    }
}

void MainWindow::OnColoursChanged() {
    // High contrast switched on or off, or the scheme's colours changed: draw everything again.
    gdi_.SetHighContrast(SystemHighContrast());
    ColourFrames();
    ::RedrawWindow(window_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
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

void MainWindow::ShowFront(ControlId front, ControlId back) {
    HWND frontWindow = Control(front);
    HWND backWindow = Control(back);
    HWND focus = ::GetFocus();
    const bool focusBehind = focus && backWindow && ::IsChild(backWindow, focus);
    // Shown before the other is hidden, so the background never shows through.
    ::SetWindowPos(frontWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::ShowWindow(backWindow, SW_HIDE);
    if (focusBehind || (focus && focus == backWindow)) {
        ::SetFocus(FirstTabStop(frontWindow));
    }
}

HWND MainWindow::FirstTabStop(HWND container) const {
    if (container && (::GetWindowLongA(container, GWL_STYLE) & WS_TABSTOP)) {
        return container;
    }
    HWND first = container ? ::GetNextDlgTabItem(container, nullptr, FALSE) : nullptr;
    return first ? first : ::GetNextDlgTabItem(window_, nullptr, FALSE);
}

void MainWindow::RememberFocus() {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(window_, focus)) {
        lastFocus_ = focus;
    }
}

void MainWindow::RestoreFocus() {
    // The control that had the focus when the window was left, if it can still take it;
    // otherwise the first Tab stop of the page in front.
    HWND focus = lastFocus_;
    const bool usable = focus && ::IsWindow(focus) && ::IsChild(window_, focus) &&
                        ::IsWindowVisible(focus) && ::IsWindowEnabled(focus);
    if (!usable) {
        focus = FirstTabStop(Control(frontPage_));
    }
    if (focus) {
        ::SetFocus(focus);
    }
}

void MainWindow::BringPageToFront(Page page) {
    frontPage_ = page == Page::Settings ? kFraSettings : kFraRune;
    if (page == Page::Settings) {
        ShowFront(kFraSettings, kFraRune);
    } else {
        ShowFront(kFraRune, kFraSettings);
    }
}

void MainWindow::BringPromoLabelToFront(PromoLabel label) {
    if (label == PromoLabel::CoBrand) {
        ShowFront(kLblCobrand, kLblFullBrand);
    } else {
        ShowFront(kLblFullBrand, kLblCobrand);
    }
}

void MainWindow::ShowAboutWindow() {
    if (!about_) {
        about_ = std::make_unique<AboutWindow>(instance_, web_, icon_);
    }
    // Disabling the window takes the focus from it; it comes back when the About window closes.
    RememberFocus();
    about_->ShowModal(window_);
    if (window_ && ::GetActiveWindow() == window_) {
        RestoreFocus();
    }
}

void MainWindow::ShowMainWindow(WindowState state) {
    const bool minimized = state == WindowState::Minimized;
    ::ShowWindow(window_, minimized ? SW_SHOWMINNOACTIVE : SW_SHOW);
    if (!minimized) {
        BringToFront();
    }
}

bool MainWindow::IsMainWindowVisible() const {
    return ::IsWindowVisible(window_) != FALSE;
}

void MainWindow::BringToFront() {
    // An open About window keeps the main window blocked and stays in front of it.
    if (about_ && about_->IsOpen()) {
        ::EnableWindow(window_, FALSE);
        about_->BringToFront();
    } else {
        ::SetForegroundWindow(window_);
    }
}

void MainWindow::HideMainWindow() {
    ::ShowWindow(window_, SW_HIDE);
}

void MainWindow::SetWindowState(WindowState state) {
    if (state == WindowState::Minimized) {
        ::ShowWindow(window_, SW_MINIMIZE);
    } else if (::IsIconic(window_)) {
        ::ShowWindow(window_, SW_RESTORE);
        BringToFront();
    }
}

void MainWindow::CentreMainWindow() {
    CentreOnScreen(window_);
}

void MainWindow::RestoreProgramIcon() {
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

bool MainWindow::AddNotificationIcon(std::string_view tip) {
    HICON current = reinterpret_cast<HICON>(::SendMessageA(window_, WM_GETICON, ICON_SMALL, 0));
    return tray_.Add(Control(kPicHook), current ? current : smallIcon_, tip);
}

void MainWindow::RemoveNotificationIcon() {
    tray_.Remove();
}

void MainWindow::ShowTrayMenu() {
    HMENU menu = ::CreatePopupMenu();
    for (const MenuItemSpec& item : MainMenuItems()) {
        if (item.parent == kMnuPopUp) {
            ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id),
                          std::string(item.caption).c_str());
        }
    }
    ::SetMenuDefaultItem(menu, kMnuPop, FALSE);
    POINT at{};
    ::GetCursorPos(&at);
    // Without this the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(window_);
    ::TrackPopupMenu(menu, 0, at.x, at.y, 0, window_, nullptr);
    ::PostMessageA(window_, WM_NULL, 0, 0);
    ::DestroyMenu(menu);
}

void MainWindow::QuitProgram() {
    if (about_) {
        about_->Close();
    }
    tray_.Remove();
    win32::QuitProgram();
}

void MainWindow::OnCommand(int id, int code) {
    // Menu items report code 0, clicked buttons BN_CLICKED and clicked labels STN_CLICKED.
    if (code == CBN_SELCHANGE) {
        controller_.OnControlEvent(id, ControlEvent::SelectionChanged);
    } else if (code == BN_CLICKED || code == STN_CLICKED || code == 0) {
        controller_.OnControlEvent(id, ControlEvent::Clicked);
    }
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0;
        HandleStyledControlMessage(window, message, wParam, lParam, gdi_, result)) {
        return result;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(window, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                   gdi_.Brush(WindowBackground(gdi_.HighContrast())));
        return 1;
    }
    case WM_SYSCOLORCHANGE:
        OnColoursChanged();
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) {
            OnColoursChanged();
        }
        break;
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
    case WM_SHOWWINDOW:
        if (wParam && pendingPicture_ != 0) {
            PutPictureInBoxes(pendingPicture_);
        }
        break;
    case WM_TIMER:
        if (wParam == kTimer1) {
            controller_.Timer1_Timer();
        }
        return 0;
    case WM_SYSCOMMAND:
        // The close box, the system menu's Close and Alt+F4 send the program to the
        // notification area.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            controller_.RequestUnload(UnloadReason::UserClose);
            return 0;
        }
        break;
    case WM_CLOSE:
        // Only another program sends a bare close (End task, an installer): the program ends.
        controller_.RequestUnload(UnloadReason::OutsideClose);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            controller_.RequestUnload(UnloadReason::SessionEnd);
        }
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            // The new taskbar holds no icons.
            tray_.Forget();
            controller_.OnTaskbarCreated();
            return 0;
        }
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR data) {
    if (message == kTrayCallbackMessage) {
        auto* self = reinterpret_cast<MainWindow*>(data);
        self->controller_.OnTrayNotification(TrayEventOf(LOWORD(lParam)));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hook, HookProc, kHookSubclass);
    }
    return ::DefSubclassProc(hook, message, wParam, lParam);
}

} // namespace haloquill::win32
