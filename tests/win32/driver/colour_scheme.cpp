#include "driver/colour_scheme.h"

namespace haloquill::testing {

ColourScheme HighContrastBlackScheme() {
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    return {
        {COLOR_WINDOW, black},
        {COLOR_WINDOWTEXT, white},
        {COLOR_BTNFACE, black},
        {COLOR_BTNTEXT, white},
        {COLOR_3DHILIGHT, white},
        {COLOR_3DLIGHT, RGB(192, 192, 192)},
        {COLOR_3DSHADOW, RGB(128, 128, 128)},
        {COLOR_3DDKSHADOW, white},
        {COLOR_WINDOWFRAME, white},
        {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
        {COLOR_HIGHLIGHTTEXT, black},
        {COLOR_HOTLIGHT, RGB(255, 255, 0)},
        {COLOR_GRAYTEXT, RGB(63, 242, 63)},
        {COLOR_MENU, black},
        {COLOR_MENUTEXT, white},
        {COLOR_MENUBAR, black},
        {COLOR_MENUHILIGHT, RGB(26, 235, 255)},
        {COLOR_ACTIVECAPTION, RGB(26, 235, 255)},
        {COLOR_GRADIENTACTIVECAPTION, RGB(26, 235, 255)},
        {COLOR_CAPTIONTEXT, black},
        {COLOR_INACTIVECAPTION, black},
        {COLOR_GRADIENTINACTIVECAPTION, black},
        {COLOR_INACTIVECAPTIONTEXT, white},
        {COLOR_ACTIVEBORDER, black},
        {COLOR_INACTIVEBORDER, black},
    };
}

namespace {

void Apply(const ColourScheme& scheme) {
    std::vector<int> indices;
    std::vector<COLORREF> colours;
    for (const auto& [index, colour] : scheme) {
        indices.push_back(index);
        colours.push_back(colour);
    }
    ::SetSysColors(static_cast<int>(indices.size()), indices.data(), colours.data());
}

} // namespace

ColourSchemeOverride::ColourSchemeOverride(const ColourScheme& scheme) {
    for (const auto& entry : scheme) {
        saved_.emplace_back(entry.first, ::GetSysColor(entry.first));
    }
    Apply(scheme);
}

ColourSchemeOverride::~ColourSchemeOverride() {
    Apply(saved_);
}

EnvironmentOverride::EnvironmentOverride(std::string name, const std::string& value)
    : name_(std::move(name)) {
    const DWORD length = ::GetEnvironmentVariableA(name_.c_str(), nullptr, 0);
    if (length > 0) {
        std::string old(length, '\0');
        old.resize(::GetEnvironmentVariableA(name_.c_str(), old.data(), length));
        saved_ = old;
    }
    ::SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

EnvironmentOverride::~EnvironmentOverride() {
    ::SetEnvironmentVariableA(name_.c_str(), saved_ ? saved_->c_str() : nullptr);
}

} // namespace haloquill::testing
