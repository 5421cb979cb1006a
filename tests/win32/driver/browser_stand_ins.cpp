#include "driver/browser_stand_ins.h"

#include "driver/program_driver.h"
#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

#include <tlhelp32.h>

#include <fstream>

namespace haloquill::testing {

BrowserHandlerOverride::BrowserHandlerOverride(const std::string& command) {
    for (const char* scheme : {"http", "https"}) {
        const std::string key =
            std::string("Software\\Classes\\") + scheme + "\\shell\\open\\command";
        win32::UniqueRegistryKey handler;
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          handler.Receive(), nullptr);
        saved_.emplace_back(key, win32::ReadRegistryText(handler.Get(), ""));
        win32::WriteRegistryText(handler.Get(), "", command);
    }
}

BrowserHandlerOverride::~BrowserHandlerOverride() {
    for (const auto& [key, value] : saved_) {
        win32::UniqueRegistryKey handler;
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, handler.Receive());
        if (value) {
            win32::WriteRegistryText(handler.Get(), "", *value);
        } else {
            ::RegDeleteValueA(handler.Get(), "");
        }
    }
}

namespace {

// The command that opens an address with url_recorder.exe beside the tests.
std::string RecorderCommand() {
    std::string command(1, '"');
    command.append(OwnDirectory()).append("\\url_recorder.exe\" \"%1\"");
    return command;
}

} // namespace

RecordingBrowser::RecordingBrowser()
    : log_(OwnDirectory() + "\\urls.txt"), handler_(RecorderCommand()) {
    ::DeleteFileA(log_.c_str());
}

RecordingBrowser::~RecordingBrowser() {
    ::DeleteFileA(log_.c_str());
}

std::vector<std::string> RecordingBrowser::Addresses() const {
    std::vector<std::string> lines;
    std::ifstream file(log_);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

namespace {

// Whether a url_recorder.exe started for an address is still on its way to the log.
bool RecorderRunning() {
    const win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more;
         more = ::Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, "url_recorder.exe") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> RecordingBrowser::AddressesOnceRecordersEnd() const {
    WaitUntil([] { return !RecorderRunning(); }, 20s);
    return Addresses();
}

std::vector<std::string> RecordingBrowser::WaitForAddresses(std::size_t count,
                                                            const RunningProgram& program) const {
    WaitUntil([&] { return Addresses().size() >= count; }, 20s);
    // The program starts the recorders while it handles its commands; once it has handled them
    // all and every recorder has ended, no address is still to come.
    program.WaitUntilIdle();
    WaitUntil([] { return !RecorderRunning(); }, 20s);
    return Addresses();
}

} // namespace haloquill::testing
