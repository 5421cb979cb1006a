#include "win32/system_services.h"

#include "design/app_texts.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <iterator>

namespace haloquill::win32 {

LocalMoment SystemClock::Read() const {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {{now.wYear, now.wMonth, now.wDay},
            {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds}};
}

UINT BoxFlags(BoxKind kind) {
    // The buttons and the icon of each kind of box, in the order of BoxKind.
    constexpr UINT kFlags[] = {MB_OK, MB_OK | MB_ICONINFORMATION, MB_YESNO | MB_ICONEXCLAMATION,
                               MB_YESNO | MB_ICONINFORMATION, MB_OK | MB_ICONERROR};
    static_assert(std::size(kFlags) == static_cast<std::size_t>(BoxKind::Error) + 1);
    return kFlags[static_cast<std::size_t>(kind)];
}

BoxAnswer AnswerOf(int result) {
    return result == IDOK    ? BoxAnswer::Ok
           : result == IDYES ? BoxAnswer::Yes
           : result == IDNO  ? BoxAnswer::No
                             : BoxAnswer::None;
}

BoxAnswer SystemMessageBoxes::Show(std::string_view text, BoxKind kind) {
    // Wide, so that every text shows as written whatever the system's code page.
    const std::wstring message = ToWide(text).value_or(L"?");
    const std::wstring title = ToWide(texts::kApplicationTitle).value_or(L"");
    HWND owner = owner_ && ::IsWindow(owner_) ? owner_ : nullptr;
    return AnswerOf(::MessageBoxW(owner, message.c_str(), title.c_str(), BoxFlags(kind)));
}

SingleInstanceGuard::SingleInstanceGuard(const std::string& name)
    : mutex_(::CreateMutexW(nullptr, FALSE, ToWide(name).value_or(std::wstring()).c_str())) {
    // Another user's copy can hold the name without letting us open it.
    const DWORD error = ::GetLastError();
    anotherRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

} // namespace haloquill::win32
