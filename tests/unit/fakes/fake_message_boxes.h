#pragma once
// Message boxes answered from a script, each one recorded.

#include "ports/message_boxes.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace haloquill::testing {

class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        BoxKind kind;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    BoxAnswer Show(std::string_view text, BoxKind kind) override {
        shown.push_back({std::string(text), kind});
        if (whileOpen) {
            // What happens while the box waits for its answer, once.
            auto event = std::move(whileOpen);
            whileOpen = nullptr;
            event();
        }
        if (answers.empty()) {
            const bool yesNo =
                kind == BoxKind::ExclamationYesNo || kind == BoxKind::InformationYesNo;
            return yesNo ? BoxAnswer::No : BoxAnswer::Ok;
        }
        const BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Shown> shown;
    std::deque<BoxAnswer> answers;
    std::function<void()> whileOpen;
};

} // namespace haloquill::testing
