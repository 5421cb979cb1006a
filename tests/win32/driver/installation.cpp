#include "driver/installation.h"

#include "driver/program_driver.h"
#include "win32/main_window.h"
#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace haloquill::testing {

namespace {

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                             static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    char narrow[MAX_PATH * 2] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Releases a COM interface when it goes.
template <typename Interface> class ComPointer {
  public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer_) {
            pointer_->Release();
        }
    }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    void** Receive() { return reinterpret_cast<void**>(&pointer_); }

  private:
    Interface* pointer_ = nullptr;
};

// COM for the calling thread, for as long as this lives.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_) {
            ::CoUninitialize();
        }
    }

  private:
    bool initialised_;
};

// A search of a folder's entries, closed when it goes.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindClose(handle); }
};
using UniqueFindHandle = win32::UniqueHandle<FindHandleTraits>;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(::tolower(c)); });
    return text;
}

std::string ImageOfProcess(HANDLE process) {
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    if (!::QueryFullProcessImageNameA(process, 0, path, &size)) {
        return {};
    }
    return path;
}

struct WindowsOfClass {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM context) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) == win32::kMainWindowClass) {
        reinterpret_cast<WindowsOfClass*>(context)->found.push_back(window);
    }
    return TRUE;
}

// Every process that shows a window of the program's main-window class, opened to be watched,
// asked about and ended.
std::vector<std::pair<DWORD, win32::UniqueKernelHandle>> ProcessesWithMainWindow() {
    WindowsOfClass windows;
    ::EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<std::pair<DWORD, win32::UniqueKernelHandle>> processes;
    for (HWND window : windows.found) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        win32::UniqueKernelHandle process(::OpenProcess(
            PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId));
        if (process) {
            processes.emplace_back(processId, std::move(process));
        }
    }
    return processes;
}

std::vector<DWORD> ChildrenOf(DWORD parent) {
    std::vector<DWORD> children;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return children;
    }
    const win32::UniqueKernelHandle owned(snapshot);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more;
         more = ::Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent) {
            children.push_back(entry.th32ProcessID);
        }
    }
    return children;
}

} // namespace

std::optional<DWORD> RunToEnd(const std::string& commandLine, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const auto left = [&] {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        return static_cast<DWORD>(std::max<long long>(rest.count(), 0));
    };
    const auto started = StartProcess(commandLine);
    if (!started->WaitForExit(std::chrono::milliseconds(left()))) {
        return std::nullopt;
    }
    DWORD code = started->ExitCode();
    for (DWORD child : ChildrenOf(started->ProcessId())) {
        const win32::UniqueKernelHandle process(
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, child));
        if (!process) {
            continue; // it has ended and gone already
        }
        if (::WaitForSingleObject(process.Get(), left()) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        ::GetExitCodeProcess(process.Get(), &code);
    }
    return code;
}

std::string DefaultInstallFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Corvel Haloquill";
}

std::string StartMenuPrograms() {
    return ShellFolder(CSIDL_PROGRAMS);
}

std::string StartMenuShortcut() {
    return StartMenuPrograms() + "\\Corvel Haloquill.lnk";
}

std::optional<std::string> ShortcutTarget(const std::string& shortcut) {
    const ComApartment apartment;
    ComPointer<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.Receive()))) {
        return std::nullopt;
    }
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) ||
        FAILED(file->Load(Wide(shortcut).c_str(), STGM_READ))) {
        return std::nullopt;
    }
    wchar_t target[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) {
        return std::nullopt;
    }
    return Narrow(target);
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key,
                                              const std::string& value) {
    win32::UniqueRegistryKey opened;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return win32::ReadRegistryText(opened.Get(), value);
}

std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::string& key,
                                        const std::string& value) {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (::RegGetValueA(root, key.c_str(), value.c_str(), RRF_RT_REG_DWORD, nullptr, &number,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return number;
}

bool RegistryKeyExists(HKEY root, const std::string& key) {
    win32::UniqueRegistryKey opened;
    return ::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

bool PathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const UniqueFindHandle search(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (::FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::unique_ptr<RunningProgram> FindRunningCopy(const std::string& executable) {
    for (auto& [processId, process] : ProcessesWithMainWindow()) {
        if (Lower(ImageOfProcess(process.Get())) == Lower(executable)) {
            // The watcher owns a handle of its own.
            PROCESS_INFORMATION information{};
            information.hProcess = ::OpenProcess(
                PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId);
            information.dwProcessId = processId;
            return information.hProcess ? std::make_unique<RunningProgram>(information) : nullptr;
        }
    }
    return nullptr;
}

void KillCopiesIn(const std::string& folder) {
    const std::string prefix = Lower(folder + "\\");
    for (auto& [processId, process] : ProcessesWithMainWindow()) {
        if (Lower(ImageOfProcess(process.Get())).rfind(prefix, 0) == 0) {
            ::TerminateProcess(process.Get(), 99);
            ::WaitForSingleObject(process.Get(), 10000);
        }
    }
}

void RemoveUninstallerLeftovers() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    WIN32_FIND_DATAA found{};
    const UniqueFindHandle search(
        ::FindFirstFileA((std::string(temp) + "~nsu*.tmp").c_str(), &found));
    if (!search) {
        return;
    }
    do {
        ::RemoveDirectoryA((std::string(temp) + found.cFileName).c_str());
    } while (::FindNextFileA(search.Get(), &found));
}

void RemoveInstallation(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        KillCopiesIn(folder);
        for (const std::string& name : FolderContents(folder)) {
            ::DeleteFileA((folder + "\\" + name).c_str());
        }
        ::RemoveDirectoryA(folder.c_str());
    }
    ::DeleteFileA(StartMenuShortcut().c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kInstalledSettingsKey);
    RemoveRunEntry(kInstalledName);
}

} // namespace haloquill::testing
