#include "driver/program_driver.h"

#include "driver/control_search.h"

#include "base/civil_date.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>

namespace haloquill::testing {

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == search->className) {
        search->found.push_back(window);
    }
    return TRUE;
}

// The driver's names and paths are its own; one that is not UTF-8 is a fault of the test.
std::wstring Wide(const std::string& text) {
    auto wide = win32::ToWide(text);
    if (!wide) {
        throw std::runtime_error("not UTF-8: " + text);
    }
    return *wide;
}

std::string Narrow(const std::wstring& text) {
    auto narrow = win32::FromWide(text);
    if (!narrow) {
        throw std::runtime_error("a name that is not UTF-16");
    }
    return *narrow;
}

std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

RunningProgram::RunningProgram(PROCESS_INFORMATION process)
    : process_(process.hProcess), thread_(process.hThread), processId_(process.dwProcessId) {}

RunningProgram::~RunningProgram() {
    if (IsRunning()) {
        Kill();
    }
}

bool RunningProgram::IsRunning() const {
    return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds timeout) const {
    return ::WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

HWND RunningProgram::WaitForMainWindow(std::chrono::milliseconds timeout) {
    // The program is idle once its initialisation is over and its message loop waits.
    ::WaitForInputIdle(process_.Get(), static_cast<DWORD>(timeout.count()));
    WaitUntil(
        [&] {
            const auto windows = WindowsOfProcess(processId_, win32::kMainWindowClass);
            mainWindow_ = windows.empty() ? nullptr : windows.front();
            return mainWindow_ != nullptr || !IsRunning();
        },
        timeout);
    if (mainWindow_) {
        // The window exists before its initialisation runs; a sent message is answered only
        // once the program waits for messages, that is once its start is over.
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_BLOCK,
                              static_cast<UINT>(timeout.count()), &result);
    }
    return mainWindow_;
}

HWND RunningProgram::Control(ControlId id) const {
    return FindControlById(mainWindow_, id);
}

std::string RunningProgram::WindowText(HWND window) const {
    if (!window) {
        return "<no window>";
    }
    const auto length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied =
        SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string RunningProgram::Text(ControlId id) const {
    return WindowText(Control(id));
}

int RunningProgram::ListSelection(ControlId id) const {
    return static_cast<int>(SendWithTimeout(Control(id), CB_GETCURSEL, 0, 0));
}

int RunningProgram::ListCount(ControlId id) const {
    return static_cast<int>(SendWithTimeout(Control(id), CB_GETCOUNT, 0, 0));
}

bool RunningProgram::IsVisible(ControlId id) const {
    HWND control = Control(id);
    return control && ::IsWindowVisible(control);
}

bool RunningProgram::IsEnabled(ControlId id) const {
    HWND control = Control(id);
    return control && ::IsWindowEnabled(control);
}

bool RunningProgram::IsChecked(ControlId id) const {
    return SendWithTimeout(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RunningProgram::ClickButton(ControlId id) const {
    ::PostMessageA(Control(id), BM_CLICK, 0, 0);
}

void RunningProgram::PostCommand(ControlId id) const {
    ::PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void RunningProgram::PressCloseBox() const {
    ::PostMessageA(mainWindow_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool RunningProgram::ShowSettingsPage() const {
    if (!WaitUntil([&] { return ::IsWindowVisible(mainWindow_) != FALSE; })) {
        return false;
    }
    PostCommand(kMnuSettings);
    // Seen from here, the page is visible while it is still being made.
    return WaitUntil([&] { return IsVisible(kFraSettings); }) && WaitUntilIdle();
}

void RunningProgram::ChooseListPosition(ControlId id, int position) const {
    HWND list = Control(id);
    SendWithTimeout(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    ::PostMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

std::vector<HWND> RunningProgram::TopLevelWindows(const char* className) const {
    return WindowsOfProcess(processId_, className);
}

HWND RunningProgram::ShownTopLevelWindow(const char* className) const {
    for (HWND window : TopLevelWindows(className)) {
        if (::IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

std::vector<ForeignMessageBox> RunningProgram::MessageBoxes() const {
    std::vector<ForeignMessageBox> boxes;
    for (HWND window : WindowsOfProcess(processId_, "#32770")) {
        ForeignMessageBox box;
        box.window = window;
        box.caption = WindowText(window);
        box.text = WindowText(::GetDlgItem(window, 0xFFFF));
        boxes.push_back(box);
    }
    return boxes;
}

ForeignMessageBox RunningProgram::WaitForMessageBox(std::chrono::milliseconds timeout) const {
    std::vector<ForeignMessageBox> boxes;
    WaitUntil([&] { return !(boxes = MessageBoxes()).empty() || !IsRunning(); }, timeout);
    return boxes.empty() ? ForeignMessageBox{} : boxes.front();
}

bool RunningProgram::WaitUntilIdle() const {
    // A sent message overtakes posted ones, so its answer shows only that the program waits for
    // messages. A numbered probe posted to the icon's receiver and then given back to a sent
    // question shows that every message posted before it has been handled too (the program's
    // windows share one queue).
    HWND receiver = TrayIconReceiver();
    if (!receiver) {
        return false;
    }
    const LRESULT probe = ++lastProbe_;
    ::PostMessageA(receiver, win32::kIdleProbeMessage, static_cast<WPARAM>(probe), 0);
    return WaitUntil([&] {
        DWORD_PTR answer = 0;
        return ::SendMessageTimeoutA(receiver, win32::kIdleAnswerMessage, 0, 0, SMTO_ABORTIFHUNG,
                                     5000, &answer) &&
               static_cast<LRESULT>(answer) == probe;
    });
}

HWND RunningProgram::TrayIconReceiver() const {
    const auto receivers = TopLevelWindows(win32::kTrayReceiverClass);
    return receivers.empty() ? nullptr : receivers.front();
}

bool RunningProgram::EndSession() const {
    DWORD_PTR agreed = 0;
    if (!::SendMessageTimeoutA(mainWindow_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &agreed)) {
        return false;
    }
    ::PostMessageA(mainWindow_, WM_ENDSESSION, TRUE, 0);
    return agreed != 0;
}

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

bool RunningProgram::PressAccessKey(char key) const {
    ::SetForegroundWindow(mainWindow_);
    if (!WaitUntil([&] { return ::GetForegroundWindow() == mainWindow_; }, 5s)) {
        return false;
    }
    // The window's thread must have taken the activation before the keys arrive.
    WaitUntilIdle();
    const WORD letter = static_cast<WORD>(key);
    INPUT keys[] = {KeyInput(VK_MENU, false), KeyInput(letter, false), KeyInput(letter, true),
                    KeyInput(VK_MENU, true)};
    return ::SendInput(4, keys, sizeof(INPUT)) == 4;
}

bool RunningProgram::PressKey(WORD key, bool shift, HWND window) const {
    HWND target = window ? window : mainWindow_;
    if (::GetForegroundWindow() != target) {
        ::SetForegroundWindow(target);
        if (!WaitUntil([&] { return ::GetForegroundWindow() == target; }, 5s)) {
            return false;
        }
    }
    WaitUntilIdle();
    std::vector<INPUT> keys;
    if (shift) {
        keys.push_back(KeyInput(VK_SHIFT, false));
    }
    keys.push_back(KeyInput(key, false));
    keys.push_back(KeyInput(key, true));
    if (shift) {
        keys.push_back(KeyInput(VK_SHIFT, true));
    }
    const auto count = static_cast<UINT>(keys.size());
    const bool sent = ::SendInput(count, keys.data(), sizeof(INPUT)) == count;
    // The keys are in the program's queue once it answers again.
    WaitUntilIdle();
    return sent;
}

HWND RunningProgram::FocusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(mainWindow_, nullptr), &info);
    return info.hwndFocus;
}

namespace {

BOOL CALLBACK CountWindow(HWND /*window*/, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace

int RunningProgram::ControlCount() const {
    int count = 0;
    ::EnumChildWindows(mainWindow_, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

bool RunningProgram::Close() {
    if (mainWindow_) {
        // The pop-up menu's "Exit": ends the program without a question.
        ::PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(kMnuExit1, 0), 0);
    }
    return WaitForExit();
}

bool RunningProgram::SendDpiChange(HWND window, int dpi, const RECT& suggested) const {
    // The rectangle travels by address and may or may not be copied across processes, so it is
    // put at one address that holds it in this process and in the program's, near the top of
    // the address space where both have room. Addresses tried are kept until the end, so that
    // each try gets another one.
    constexpr SIZE_T kPage = 4096;
    std::vector<void*> tried;
    bool sent = false;
    for (int attempt = 0; attempt < 8 && !sent; ++attempt) {
        void* local =
            ::VirtualAlloc(nullptr, kPage, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
        if (!local) {
            break;
        }
        tried.push_back(local);
        void* remote = ::VirtualAllocEx(process_.Get(), local, kPage, MEM_RESERVE | MEM_COMMIT,
                                        PAGE_READWRITE);
        if (!remote) {
            continue;
        }
        if (remote == local) {
            std::memcpy(local, &suggested, sizeof suggested);
            DWORD_PTR result = 0;
            sent = ::WriteProcessMemory(process_.Get(), remote, &suggested, sizeof suggested,
                                        nullptr) &&
                   ::SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                         reinterpret_cast<LPARAM>(local), SMTO_ABORTIFHUNG, 10000,
                                         &result) != 0;
        }
        ::VirtualFreeEx(process_.Get(), remote, 0, MEM_RELEASE);
    }
    for (void* local : tried) {
        ::VirtualFree(local, 0, MEM_RELEASE);
    }
    return sent;
}

RECT SuggestedWindowRect(HWND window, PixelSize client, bool menu) {
    RECT frame{0, 0, client.width, client.height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)), menu,
                         static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)));
    RECT now{};
    ::GetWindowRect(window, &now);
    return {now.left, now.top, now.left + frame.right - frame.left,
            now.top + frame.bottom - frame.top};
}

void RunningProgram::Kill() {
    ::TerminateProcess(process_.Get(), 99);
    ::WaitForSingleObject(process_.Get(), 10000);
}

ProgramDriver::ProgramDriver(std::string baseName, const std::string& folder)
    : baseName_(std::move(baseName)), settings_([name = baseName_] { return name; }) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    directory_ = Narrow(temp) + folder;
    // Each folder of a nested one in turn.
    for (auto slash = directory_.find('\\', Narrow(temp).size()); slash != std::string::npos;
         slash = directory_.find('\\', slash + 1)) {
        ::CreateDirectoryW(Wide(directory_.substr(0, slash)).c_str(), nullptr);
    }
    ::CreateDirectoryW(Wide(directory_).c_str(), nullptr);
    executable_ = directory_ + "\\" + baseName_ + ".exe";
    const std::string original = OwnDirectory() + "\\Haloquill.exe";
    if (!::CopyFileW(Wide(original).c_str(), Wide(executable_).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + original + " to " + executable_);
    }
    ClearSettings();
}

ProgramDriver::~ProgramDriver() {
    ClearSettings();
    ::DeleteFileW(Wide(executable_).c_str());
}

void ProgramDriver::ClearSettings() {
    const std::string key = "Software\\Corvel\\" + baseName_;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key).c_str());
}

std::map<std::string, std::string> ProgramDriver::AllSettings() const {
    return StoredSettings(baseName_);
}

std::map<std::string, std::string> StoredSettings(const std::string& applicationName) {
    const win32::RegistrySettingsStore settings([&] { return applicationName; });
    std::map<std::string, std::string> values;
    win32::UniqueRegistryKey section;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(settings.SectionPath()).c_str(), 0, KEY_READ,
                        section.Receive()) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        if (::RegEnumValueW(section.Get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS) {
            break;
        }
        const std::string key = Narrow(std::wstring(name, nameLength));
        values[key] = win32::ReadRegistryText(section.Get(), key).value_or("<not text>");
    }
    return values;
}

std::unique_ptr<RunningProgram> ProgramDriver::Start(const std::string& arguments) {
    std::string commandLine = "\"" + executable_ + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    return StartCommandLine(commandLine);
}

std::unique_ptr<RunningProgram> ProgramDriver::StartCommandLine(std::string commandLine) {
    return StartProcess(std::move(commandLine));
}

std::unique_ptr<RunningProgram> StartProcess(std::string commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine's CreateProcess now and then fails once while a copy of the same file it just ended
    // is still being torn down; a few tries apart tell that from a program that cannot start.
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::wstring wideCommandLine = Wide(commandLine);
        if (::CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process)) {
            return std::make_unique<RunningProgram>(process);
        }
        error = ::GetLastError();
        ::Sleep(500);
    }
    throw std::runtime_error("cannot start " + commandLine + " (error " + std::to_string(error) +
                             ")");
}

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

std::optional<std::string> ReadRunEntry(const std::string& name) {
    win32::UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return win32::ReadRegistryText(key.Get(), name);
}

void WriteRunEntry(const std::string& name, const std::string& data) {
    win32::UniqueRegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                          key.Receive(), nullptr) != ERROR_SUCCESS ||
        win32::WriteRegistryText(key.Get(), name, data) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the Run entry " + name);
    }
}

void RemoveRunEntry(const std::string& name) {
    win32::UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Receive()) ==
        ERROR_SUCCESS) {
        ::RegDeleteValueW(key.Get(), Wide(name).c_str());
    }
}

std::string OwnDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string directory = Narrow(path);
    return directory.substr(0, directory.find_last_of('\\'));
}

std::string TodayIso(long long plusDays) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return FormatIsoDate(AddDays(CivilDate{now.wYear, now.wMonth, now.wDay}, plusDays));
}

long long NowSeconds() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now.wHour * 3600LL + now.wMinute * 60LL + now.wSecond;
}

void WriteReminderTime(ProgramDriver& driver, long long secondsSinceMidnight) {
    auto& settings = driver.Settings();
    settings.WriteSetting("Second", std::to_string(secondsSinceMidnight % 60));
    settings.WriteSetting("Minute", std::to_string(secondsSinceMidnight / 60 % 60));
    settings.WriteSetting("Hour", std::to_string(secondsSinceMidnight / 3600));
}

void KeepReminderAway(ProgramDriver& driver) {
    WriteReminderTime(driver, (NowSeconds() + kSecondsPerDay / 2) % kSecondsPerDay);
}

void StoreQuietLaterStart(ProgramDriver& driver) {
    KeepReminderAway(driver);
    auto& settings = driver.Settings();
    settings.WriteSetting("Card", "2");
    settings.WriteSetting("Date", TodayIso(4));
    settings.WriteSetting("UpdateCheckDate", TodayIso(-1));
}

long long StoreReminderAhead(ProgramDriver& driver, long long ahead) {
    if (const long long left = kSecondsPerDay - NowSeconds(); left < ahead + 15) {
        ::Sleep(static_cast<DWORD>((left + 1) * 1000));
    }
    const long long moment = NowSeconds() + ahead;
    WriteReminderTime(driver, moment);
    return moment;
}

} // namespace haloquill::testing
