#pragma once
// The main window: creates the controls of the design, shows what the controller asks for, and
// turns the controls' notifications into the controller's handlers.

#include "app/main_view.h"
#include "app/main_window_controller.h"
#include "app/main_window_layout.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <map>

namespace haloquill::win32 {

inline constexpr char kMainWindowClass[] = "CorvelHaloquillMain";

class MainWindow final : public MainView {
  public:
    MainWindow(HINSTANCE instance, SettingsStore& store, const Clock& clock, RandomSource& random);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window and its controls and runs the initialisation; false if the window
    // could not be created.
    bool Load();
    void Show();
    HWND Handle() const { return window_; }

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

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    HWND CreateControl(const ControlSpec& spec);
    void OnCommand(int id, int code);
    HWND Control(ControlId id) const;
    HWND ListControl(ChoiceList list) const;
    int Pixels(int twips) const { return TwipsToPixels(twips, dpi_); }

    HINSTANCE instance_;
    MainWindowController controller_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    UniqueGdiObject font_;
    std::map<ControlId, HWND> controls_;
};

} // namespace haloquill::win32
