#pragma once
// Finds a control by its identifier anywhere below a window, frames included.

#include <windows.h>

namespace haloquill::testing {

namespace detail {

struct ControlSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchControlId(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (::GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace detail

inline HWND FindControlById(HWND root, int id) {
    detail::ControlSearch search{id, nullptr};
    if (root) {
        ::EnumChildWindows(root, detail::MatchControlId, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

} // namespace haloquill::testing
