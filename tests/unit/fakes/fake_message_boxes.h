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
        unsigned flags;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    int Show(std::string_view text, unsigned flags) override {
        shown.push_back({std::string(text), flags});
        if (whileOpen) {
            // What happens while the box waits for its answer, once.
            auto event = std::move(whileOpen);
            whileOpen = nullptr;
            event();
        }
        if (answers.empty()) {
            return (flags & 0x0F) == box::kYesNo ? box::kAnswerNo : box::kAnswerOk;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Shown> shown;
    std::deque<int> answers;
    std::function<void()> whileOpen;
};

} // namespace haloquill::testing
