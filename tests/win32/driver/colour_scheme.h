#pragma once
// The system colour scheme of the test prefix changed for a while, and the program started in
// high-contrast mode through its test hook (Wine has no high-contrast switch of its own).

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::testing {

// System colours by their COLOR_* index.
using ColourScheme = std::vector<std::pair<int, COLORREF>>;

// A scheme in the manner of Windows' "High Contrast Black": black window and buttons, white
// text, cyan selections and yellow links, with black-on-white captions kept readable.
ColourScheme HighContrastBlackScheme();

// Puts `scheme` in force for the programs started while the object lives, and puts the colours
// it replaced back when it goes. The prefix is shared by every test: whoever uses it runs alone.
class ColourSchemeOverride {
  public:
    explicit ColourSchemeOverride(const ColourScheme& scheme);
    ColourSchemeOverride(const ColourSchemeOverride&) = delete;
    ColourSchemeOverride& operator=(const ColourSchemeOverride&) = delete;
    ~ColourSchemeOverride();

  private:
    ColourScheme saved_;
};

// An environment variable of this process, and so of the programs it starts, set while the
// object lives and put back as it was afterwards.
class EnvironmentOverride {
  public:
    EnvironmentOverride(std::string name, const std::string& value);
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
    ~EnvironmentOverride();

  private:
    std::string name_;
    std::optional<std::string> saved_;
};

// The program's test hook that stands for the system's high-contrast flag.
class HighContrastHook : public EnvironmentOverride {
  public:
    HighContrastHook() : EnvironmentOverride("HALOQUILL_HIGH_CONTRAST", "1") {}
};

} // namespace haloquill::testing
