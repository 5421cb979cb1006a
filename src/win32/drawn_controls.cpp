#include "win32/drawn_controls.h"

#include "design/control_look.h"
#include "design/control_places.h"
#include "design/drawn_faces.h"
#include "win32/gdi_scopes.h"
#include "win32/wide_text.h"

#include <iterator>

namespace haloquill::win32 {

void MeasureListItem(MEASUREITEMSTRUCT& item, int dpi) {
    // The closed list then has the design's height: the item and the box's frame.
    item.itemHeight =
        static_cast<UINT>(ListItemHeight(FindControlSpec(static_cast<ControlId>(item.CtlID)), dpi));
}

void DrawListItem(const DRAWITEMSTRUCT& item, GdiCache& gdi) {
    const auto id = static_cast<ControlId>(item.CtlID);
    const ControlColours colours = ColoursOf(id, gdi.HighContrast());
    const ListItemFace face =
        ListItemFaceOf((item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0,
                       (item.itemState & ODS_COMBOBOXEDIT) != 0, gdi.Dpi());
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool selected = face.selectedColours;
    ::FillRect(dc, &rect, gdi.Brush(selected ? colours.selectedBackground : colours.background));
    if (item.itemID != static_cast<UINT>(-1)) {
        wchar_t text[64] = {};
        if (::SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0) <
            static_cast<LRESULT>(std::size(text))) {
            ::SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID,
                           reinterpret_cast<LPARAM>(text));
        }
        const SelectedObject font(dc, gdi.Font(LookOf(id).font));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ToColorRef(selected ? colours.selectedText : colours.text));
        RECT textRect = rect;
        textRect.left += face.textIndent;
        ::DrawTextW(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (face.focusRectangle) {
        ::DrawFocusRect(dc, &rect);
    }
}

void DrawCommandButton(const DRAWITEMSTRUCT& item, GdiCache& gdi) {
    const auto id = static_cast<ControlId>(item.CtlID);
    const ControlColours colours = ColoursOf(id, gdi.HighContrast());
    const ButtonFace face =
        ButtonFaceOf(id,
                     {(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_DISABLED) != 0,
                      (item.itemState & ODS_FOCUS) != 0, (item.itemState & ODS_NOFOCUSRECT) != 0,
                      (item.itemState & ODS_NOACCEL) != 0},
                     gdi.Dpi());
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    ::FillRect(dc, &rect, gdi.Brush(colours.background));
    for (int line = 0; line < face.frameLines; ++line) {
        ::FrameRect(dc, &rect, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&rect, -1, -1);
    }
    ::DrawEdge(dc, &rect, face.sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = WideWindowText(item.hwndItem);
    {
        const SelectedObject font(dc, gdi.Font(LookOf(id).font));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc,
                       face.greyCaption ? ::GetSysColor(COLOR_GRAYTEXT) : ToColorRef(colours.text));
        RECT text = rect;
        ::OffsetRect(&text, face.captionShift, face.captionShift);
        ::DrawTextW(dc, caption.c_str(), -1, &text,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | (face.accessKeys ? 0 : DT_HIDEPREFIX));
    }
    if (face.focusInset >= 0) {
        ::InflateRect(&rect, -face.focusInset, -face.focusInset);
        ::DrawFocusRect(dc, &rect);
    }
}

} // namespace haloquill::win32
