#include "base/text_values.h"

#include <cmath>

namespace haloquill {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<int> ParseWholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > 32768) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > 32767) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<bool> ParseBoolean(std::string_view text) {
    if (EqualsIgnoringCase(text, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(text, "false")) {
        return false;
    }
    if (const auto number = ParseWholeNumber(text)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::string_view BooleanText(bool value) {
    return value ? "True" : "False";
}

} // namespace haloquill
