#pragma once
// The system clock, message boxes and the one-copy guard, as the platform provides them.

#include "ports/clock.h"
#include "ports/message_boxes.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <string>

namespace haloquill::win32 {

class SystemClock final : public Clock {
  public:
    LocalMoment Read() const override;
};

// The platform's flags for a kind of box, and the answer a box's result stands for.
UINT BoxFlags(BoxKind kind);
BoxAnswer AnswerOf(int result);

// Boxes owned by the main window once it exists, so that it takes no input while one is open.
class SystemMessageBoxes final : public MessageBoxes {
  public:
    BoxAnswer Show(std::string_view text, BoxKind kind) override;
    void SetOwner(HWND owner) { owner_ = owner; }

  private:
    HWND owner_ = nullptr;
};

// Holds a named mutex for the life of the run; a second holder learns that a copy already runs.
class SingleInstanceGuard {
  public:
    explicit SingleInstanceGuard(const std::string& name);
    bool AnotherInstanceRunning() const { return anotherRunning_; }

  private:
    UniqueKernelHandle mutex_;
    bool anotherRunning_ = false;
};

} // namespace haloquill::win32
