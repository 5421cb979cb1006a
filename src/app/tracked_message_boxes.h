#pragma once
// The controller's message boxes: they know while one of them waits for an answer, and give no
// answer when the program began to close while it was open, so that the handler that asked
// does nothing more.

#include "ports/message_boxes.h"

#include <functional>
#include <utility>

namespace haloquill {

class TrackedMessageBoxes final : public MessageBoxes {
  public:
    // `closing` is asked after every box: true means the program is on its way out.
    // `beforeEach` runs before each box is shown.
    TrackedMessageBoxes(MessageBoxes& boxes, std::function<bool()> closing,
                        std::function<void()> beforeEach = {})
        : boxes_(boxes), closing_(std::move(closing)), beforeEach_(std::move(beforeEach)) {}

    BoxAnswer Show(std::string_view text, BoxKind kind) override {
        if (beforeEach_) {
            beforeEach_();
        }
        ++open_;
        const BoxAnswer answer = boxes_.Show(text, kind);
        --open_;
        return closing_() ? BoxAnswer::None : answer;
    }

    bool AnyOpen() const { return open_ > 0; }

  private:
    MessageBoxes& boxes_;
    std::function<bool()> closing_;
    std::function<void()> beforeEach_;
    int open_ = 0;
};

} // namespace haloquill
