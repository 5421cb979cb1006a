#pragma once
// Message boxes captioned with the application title.

#include <string_view>

namespace haloquill {

// Flags and answers as the platform numbers them.
namespace box {
inline constexpr unsigned kOk = 0x00;
inline constexpr unsigned kYesNo = 0x04;
inline constexpr unsigned kExclamation = 0x30;
inline constexpr unsigned kInformation = 0x40;
inline constexpr int kNoAnswer = 0; // the box could not be shown, or the program is closing
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
} // namespace box

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows `text` with `flags` and waits for the answer.
    virtual int Show(std::string_view text, unsigned flags) = 0;
};

} // namespace haloquill
