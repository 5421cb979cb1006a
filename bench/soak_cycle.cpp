#include "soak_cycle.h"

#include "elapsed_seconds.h"

#include "driver/top_level_windows.h"
#include "win32/about_window.h"

#include <cstdio>

namespace haloquill::bench {

using namespace std::chrono_literals;
using testing::kSecondsPerDay;

void Soak::Begin() {
    step_ = "start";
    if (!program_.WaitForMainWindow(30s)) {
        throw SoakFailure("the program showed no main window within 30 s");
    }
    WaitFor(
        "the main window is shown", [&] { return IsShown(); }, 30s);
    CloseBox();
}

void Soak::Cycle(int number, const std::vector<Step>& steps) {
    cycle_ = number;
    stepSeconds_.resize(steps.size());
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const double start = Seconds();
        Run(steps[index], number);
        stepSeconds_[index] += Seconds() - start;
    }
}

std::string Soak::StepTimes(const std::vector<Step>& steps, int cycles) const {
    std::string text;
    for (std::size_t index = 0; index < steps.size() && index < stepSeconds_.size(); ++index) {
        char piece[64];
        std::snprintf(piece, sizeof piece, "%s%s %.3f s", text.empty() ? "" : ", ",
                      NameOf(steps[index]), stepSeconds_[index] / cycles);
        text += piece;
    }
    return text;
}

void Soak::End() {
    cycle_ = 0;
    Show();
    AngelPageInFront();
}

MemoryReading Soak::ReadMemory(int cycle, double since) {
    step_ = "memory reading";
    MustAnswer();
    const auto resources = program_.Resources();
    if (!resources) {
        throw SoakFailure("the program's memory could not be read");
    }
    const auto windows = testing::CountTopLevelWindows(program_.ProcessId());
    return {cycle,
            static_cast<double>(resources->workingSet) / 1024.0,
            static_cast<double>(resources->privateBytes) / 1024.0,
            Seconds() - since,
            resources->gdiObjects,
            resources->userObjects,
            resources->handles,
            windows.ofProcess,
            windows.others};
}

std::string Soak::Where() const {
    return (cycle_ > 0 ? "cycle " + std::to_string(cycle_) + ", " : std::string()) + step_;
}

void Soak::Run(Step step, int number) {
    switch (step) {
    case Step::Reminder:
        // The reminder shows a hidden window only: a shown one is sent away first.
        if (IsShown()) {
            CloseBox();
        }
        Reminder();
        break;
    case Step::CloseBox:
        CloseBox();
        break;
    case Step::Show:
        Show();
        break;
    case Step::About:
        AboutWindow();
        break;
    case Step::Settings:
        SettingsPage();
        break;
    case Step::TimeList:
        ChangeTimeList(number % 2 == 0 ? kCboMinute : kCboSecond);
        break;
    case Step::TaskbarCreated:
        TaskbarRestarted();
        break;
    }
}

bool Soak::IsShown() const {
    return ::IsWindowVisible(program_.MainWindow()) != FALSE;
}

template <typename Condition>
void Soak::WaitFor(const std::string& what, Condition condition,
                   std::chrono::milliseconds timeout) {
    const double deadline = Seconds() + static_cast<double>(timeout.count()) / 1000.0;
    for (int poll = 0;; ++poll) {
        if (condition()) {
            return;
        }
        if (!program_.IsRunning()) {
            throw SoakFailure("the program is gone (exit code " +
                              std::to_string(program_.ExitCode()) + ") while waiting until " +
                              what);
        }
        if (poll % 10 == 9) {
            const auto boxes = program_.MessageBoxes();
            if (!boxes.empty()) {
                throw SoakFailure("a message box \"" + boxes.front().caption + "\" (\"" +
                                  boxes.front().text + "\") blocks the program");
            }
        }
        if (Seconds() >= deadline) {
            throw SoakFailure("timed out after " + std::to_string(timeout.count() / 1000) +
                              " s waiting until " + what);
        }
        ::Sleep(10);
    }
}

void Soak::MustAnswer() {
    if (!program_.Answers(5s)) {
        throw SoakFailure(program_.IsRunning() ? "the program did not answer within 5 s"
                                               : "the program is gone");
    }
}

void Soak::Post(ControlId id) {
    if (!program_.PostCommand(id)) {
        throw SoakFailure("a command could not be posted to the main window");
    }
}

SoakFailure Soak::Unanswered() const {
    return SoakFailure(program_.IsRunning() ? "a sent message was not answered within 5 s"
                                            : "the program is gone");
}

// Stores the reminder time just ahead, so that the next one-second tick or the one after passes
// it, and waits for the program to show its window.
void Soak::Reminder() {
    step_ = "daily reminder";
    long long moment = 0;
    long long ahead = 0;
    for (;;) {
        const long long now = testing::NowMilliseconds();
        moment = now / 1000;
        // The stored time must be in place before its second begins.
        ahead = now % 1000 < 700 ? 1 : 2;
        if (moment + ahead < kSecondsPerDay) {
            break;
        }
        // The reminder does not reach over midnight: the cycle waits for the new day.
        ::Sleep(static_cast<DWORD>((kSecondsPerDay - moment + 1) * 1000));
    }
    moment += ahead;
    testing::WriteReminderTime(driver_, moment);
    auto& settings = driver_.Settings();
    WaitFor(
        "the reminder at " + settings.ReadSetting("Hour") + ":" + settings.ReadSetting("Minute") +
            ":" + settings.ReadSetting("Second") + " shows the hidden window",
        [&] { return IsShown(); }, std::chrono::seconds(ahead + 4));
    // Half a day away at once: only the hour changes, so no tick sees a time in between.
    settings.WriteSetting("Hour", std::to_string((moment / 3600 + 12) % 24));
    AngelPageInFront();
}

void Soak::AngelPageInFront() {
    step_ += ", angel page in front";
    WaitFor("the angel page is in front",
            [&] { return program_.IsVisible(kFraRune) && !program_.IsVisible(kFraSettings); });
}

void Soak::CloseBox() {
    step_ = "close box";
    program_.PressCloseBox();
    WaitFor("the close box hides the window", [&] { return !IsShown(); });
}

void Soak::Show() {
    step_ = "Show from the notification area";
    Post(kMnuPop);
    WaitFor("Show shows the window", [&] { return IsShown(); });
}

void Soak::AboutWindow() {
    step_ = "About window";
    Post(kMnuAbout);
    HWND about = nullptr;
    WaitFor("the About window is shown", [&] {
        about = program_.ShownTopLevelWindow(win32::kAboutWindowClass);
        return about != nullptr;
    });
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    WaitFor("the About window is closed", [&] {
        return !program_.ShownTopLevelWindow(win32::kAboutWindowClass) &&
               ::IsWindowEnabled(program_.MainWindow());
    });
}

void Soak::SettingsPage() {
    step_ = "settings page";
    Post(kMnuSettings);
    WaitFor("the settings page is in front",
            [&] { return program_.IsVisible(kFraSettings) && !program_.IsVisible(kFraRune); });
}

// Selects the next entry of the list and tells the program as the list itself does when the user
// picks an entry; the program stores the new time at once.
void Soak::ChangeTimeList(ControlId id) {
    const std::string key = id == kCboMinute ? "Minute" : "Second";
    step_ = "time list " + key;
    WaitFor("the list exists", [&] { return program_.Control(id) != nullptr; });
    const std::string before = driver_.Settings().ReadSetting(key);
    const int count = program_.ListCount(id);
    const int selected = program_.ListSelection(id);
    if (count < 2) {
        throw SoakFailure("the list holds " + std::to_string(count) + " entries");
    }
    // The next entry, or the one after when the next one is the stored value (the reminder
    // stores times the list does not show).
    std::string chosen;
    for (int step = 1; step <= 2 && (chosen.empty() || chosen == before); ++step) {
        if (!program_.SelectListPosition(id, (selected + step) % count)) {
            throw Unanswered();
        }
        chosen = program_.Text(id);
    }
    if (!program_.NotifyListChoice(id)) {
        throw Unanswered();
    }
    const std::string stored = driver_.Settings().ReadSetting(key);
    if (stored != chosen) {
        throw SoakFailure("the list shows \"" + chosen + "\" but \"" + stored +
                          "\" is stored (it was \"" + before + "\")");
    }
}

void Soak::TaskbarRestarted() {
    step_ = "TaskbarCreated";
    if (!program_.AnnounceTaskbarCreated()) {
        throw Unanswered();
    }
}

} // namespace haloquill::bench
