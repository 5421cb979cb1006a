#pragma once
// Windows' answers about the user: SHQueryUserNotificationState and the window in front.

#include "ports/user_attention.h"
#include "win32/system_library.h"

namespace haloquill::win32 {

class WindowsUserAttention final : public UserAttention {
  public:
    AttentionReading Read() const override;

  private:
    mutable SystemLibrary shell_{L"shell32.dll"};
};

} // namespace haloquill::win32
