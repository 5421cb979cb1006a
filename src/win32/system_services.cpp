#include "win32/system_services.h"

#include "app/app_texts.h"

#include <windows.h>

namespace haloquill::win32 {

CivilDate SystemClock::Today() const {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

TimeOfDay SystemClock::Now() const {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

int SystemMessageBoxes::Show(std::string_view text, unsigned flags) {
    const std::string message(text);
    const std::string title(texts::kApplicationTitle);
    return ::MessageBoxA(nullptr, message.c_str(), title.c_str(), flags);
}

SingleInstanceGuard::SingleInstanceGuard(const std::string& name)
    : mutex_(::CreateMutexA(nullptr, FALSE, name.c_str())) {
    // Another user's copy can hold the name without letting us open it.
    const DWORD error = ::GetLastError();
    anotherRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

} // namespace haloquill::win32
