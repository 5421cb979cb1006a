#pragma once
// The main window: creates the controls and menus of the design, shows what the controller
// asks for, and turns the controls' notifications into the controller's handlers.

#include "app/focus_memory.h"
#include "app/main_window_controller.h"
#include "design/main_window_layout.h"
#include "ports/main_view.h"
#include "win32/about_window.h"
#include "win32/control_set.h"
#include "win32/gdi_cache.h"
#include "win32/picture_set.h"
#include "win32/tray_icon.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <memory>

namespace haloquill::win32 {

inline constexpr char kMainWindowClass[] = "CorvelHaloquillMain";

// Resource number of the program icon.
inline constexpr int kProgramIconResource = 1;

class MainWindow final : public MainView {
  public:
    MainWindow(HINSTANCE instance, const MainWindowPorts& ports);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window with its controls and menus, hidden; false if it could not be.
    bool Create();
    // Runs the program's start: the initialisation, the window shown (unless it went to the
    // notification area) and the promotional label chosen; then starts the timer.
    void Start(std::string_view commandLine);
    HWND Handle() const { return window_; }

    // Keyboard handling before the dialog keys: the controller may take an arrow key (between
    // the two start-up options). True when handled.
    bool PreTranslateMessage(const MSG& message);

    // MainView
    void ShowAngelPicture(int number) override;
    void SetCardName(std::string_view name) override;
    void SetCardDescription(std::string_view description) override;
    void FillList(ChoiceList list, const std::vector<std::string>& entries) override;
    void SelectListItem(ChoiceList list, int position) override;
    int ListSelection(ChoiceList list) const override;
    bool IsSysTrayChecked() const override;
    void SetSysTrayChecked(bool checked) override;
    void EnableSysTray(bool enabled) override;
    bool IsRunSelected() const override;
    void SetRunSelected(bool run) override;
    void BringPageToFront(Page page) override;
    void BringPromoLabelToFront(PromoLabel label) override;
    void ShowAboutWindow() override;

    // WindowHost
    void ShowMainWindow(WindowState state) override;
    bool IsMainWindowVisible() const override;
    void HideMainWindow() override;
    void SetWindowState(WindowState state) override;
    void CentreMainWindow() override;
    void RestoreProgramIcon() override;
    bool AddNotificationIcon(std::string_view tip) override;
    void RemoveNotificationIcon() override;
    void ShowTrayMenu() override;
    void QuitProgram() override;

  private:
    template <typename Owner> friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window) { window_ = window; }
    static LRESULT CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Gives the client area the design's size and centres the window on the screen.
    void PlaceWindow();
    void CreateControls();
    void OnCommand(int id, int code);
    HWND Control(ControlId id) const { return controls_.Control(id); }
    void ShowFront(ControlId front, ControlId back);
    void PutPictureInBoxes(int number);
    void BringToFront();
    // The window's control that has the focus, if any, and whether `id` can take it now.
    ControlId FocusedControl() const;
    bool ControlCanTakeFocus(ControlId id) const;
    // Keeps the focused control while the window is left, and gives the focus back to it.
    void RememberFocus();
    void RestoreFocus();

    HINSTANCE instance_;
    UINT taskbarCreated_ = 0;
    FocusMemory focus_;
    const haloquill::CanTakeFocus canTakeFocus_ = [this](ControlId id) {
        return ControlCanTakeFocus(id);
    };
    ControlId frontPage_ = kFraRune; // the page in front
    int pendingPicture_ = 0;         // shown once the window is, so a hidden start decodes nothing
    MainWindowController controller_;
    HWND window_ = nullptr;
    GdiCache gdi_;
    PictureSet pictures_;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    ControlSet controls_;
    std::unique_ptr<AboutWindow> about_;
    TrayIcon tray_;
};

} // namespace haloquill::win32
