#pragma once
// The main window: creates the controls and menus of the design, shows what the controller
// asks for, and turns the controls' notifications into the controller's handlers.

#include "app/focus_memory.h"
#include "app/main_window_controller.h"
#include "app/render_steps.h"
#include "design/main_window_layout.h"
#include "ports/main_view.h"
#include "win32/about_window.h"
#include "win32/design_window.h"
#include "win32/picture_set.h"
#include "win32/session_notifications.h"
#include "win32/tray_icon.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <span>

namespace haloquill::win32 {

inline constexpr char kMainWindowClass[] = "CorvelHaloquillMain";
// The hidden window the notification-area icon reports its mouse messages to.
inline constexpr char kTrayReceiverClass[] = "CorvelHaloquillTray";
// Posted to the receiver with a number, which a later sent kIdleAnswerMessage gives back: then
// every message posted to the program before the probe has been handled, and the controls left
// to make after the window's first painting have been made.
inline constexpr UINT kIdleProbeMessage = WM_APP + 1;
inline constexpr UINT kIdleAnswerMessage = WM_APP + 2;

class MainWindow final : public DesignWindow, public MainView {
  public:
    // `messages` says when the window cannot be made.
    MainWindow(HINSTANCE instance, MessageBoxes& messages);
    ~MainWindow() override;

    // Creates the window, hidden, and the receiver of the icon's messages, whose events go to
    // `controller` from now on; false if it could not be. The menus and controls are made when
    // the window is first shown.
    bool Create(MainWindowController& controller);
    // Runs the program's start: the initialisation, the window shown (unless it went to the
    // notification area) and the promotional label chosen; then starts the timer.
    void Start(std::string_view commandLine);

    // Keyboard handling before the dialog keys: the controller may take an arrow key (between
    // the two start-up options). True when handled.
    bool PreTranslateMessage(const MSG& message);

    // MainView
    void Render(const MainWindowModel& model) override;
    void ShowAboutWindow() override;

    // WindowHost
    void ShowTrayMenu() override;
    void QuitProgram() override;

  private:
    static LRESULT CALLBACK ReceiverProc(HWND receiver, UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window's frame for the design's client size at the window's DPI, centred on the screen.
    RECT CentredFrame() const;
    // Gives the client area the design's size and centres the window on the screen.
    void PlaceWindow();
    std::optional<PixelSize> ClientSizeAt(int dpi) const override;
    // Gives the caption and the notification area the icons, and the boxes the pictures, for
    // `dpi`.
    void OnDpiChanged(int dpi) override;
    bool CreateTrayReceiver();
    // Makes the controls of `part` (once), with the menu bar and the icons for the controls
    // around the pages; a part made after the first rendering shows what the others show. False
    // when Windows refused a control; the window is then never shown.
    [[nodiscard]] bool MakePart(WindowPart part);
    // Makes `parts` in turn; when one cannot be made, says so and ends the program, and false.
    bool MakeParts(std::span<const WindowPart> parts);
    // Says that the window could not be made, with Windows' error, and ends the program.
    void EndForWindowFailure();
    // Carries out one step of a rendering.
    void Apply(const ControlStep& step);
    // Shows, hides, minimises, raises or centres the window and adds or removes its icon where
    // `now` differs from what the window last showed; a window the user minimised stays so
    // until the program asks for it again.
    void ShowPresence(const WindowPresence& now);
    void SetWindowIcons();
    void OnCommand(int id, int code);
    void ShowFront(ControlId front, ControlId back);
    void ShowPicture(ControlId box, int number);
    void BringToFront();
    // The window's control that has the focus, if any, and whether `id` can take it now.
    ControlId FocusedControl() const;
    bool ControlCanTakeFocus(ControlId id) const;
    // Keeps the focused control while the window is left, and gives the focus back to it.
    void RememberFocus();
    void RestoreFocus();

    MessageBoxes& messages_; // says when the window cannot be made
    UINT taskbarCreated_ = 0;
    FocusMemory focus_;
    const haloquill::CanTakeFocus canTakeFocus_ = [this](ControlId id) {
        return ControlCanTakeFocus(id);
    };
    WindowParts made_;                           // the parts of the window made so far
    std::optional<MainWindowModel> shown_;       // what the controls show, once they do
    WindowPresence shownPresence_;               // where the window is, as last shown
    LRESULT idleProbe_ = 0;                      // the last probe number handled
    MainWindowController* controller_ = nullptr; // reports the window's events from Create on
    PictureSet pictures_;
    SessionNotifications sessions_;
    std::unique_ptr<AboutWindow> about_;
    UniqueWindow receiver_; // the icon's messages go to it; it outlives the icon
    TrayIcon tray_;
};

} // namespace haloquill::win32
