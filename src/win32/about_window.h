#pragma once
// The About window: the program's name and version, a few words about it, and two links to the
// maker's pages. Shown modally; the main window takes no input while it is open.

#include "win32/design_window.h"

#include <windows.h>

namespace haloquill::win32 {

inline constexpr char kAboutWindowClass[] = "CorvelHaloquillAbout";

class AboutWindow final : public DesignWindow {
  public:
    // The window's links report their clicks to its owner as commands.
    explicit AboutWindow(HINSTANCE instance);

    // Opens the window centred on the screen, owned by `owner` (so it stays in front of it and
    // out of the taskbar), disables `owner` until it is closed, and returns when it has been
    // closed, which hides it for the next opening. A quit request met meanwhile is passed on.
    // False when Windows refused the window or one of its controls.
    [[nodiscard]] bool ShowModal(HWND owner);
    bool IsOpen() const { return window_ != nullptr && ::IsWindowVisible(window_); }
    // Brings the open window to the foreground, in front of its owner.
    void BringToFront();

    // Destroys the window, open or hidden (the program is ending).
    void Close();

  private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Create(HWND owner);
    void Paint();
    // Shows the program icon drawn for the window's DPI, in the caption and in the window.
    void ShowIcons();
    std::optional<PixelSize> ClientSizeAt(int dpi) const override;
    // Shows the icons the window now has for `dpi`.
    void OnDpiChanged(int dpi) override;
    // Ends the modal loop; ShowModal then enables the owner and closes the window.
    void EndModal();

    bool closing_ = false;
};

} // namespace haloquill::win32
