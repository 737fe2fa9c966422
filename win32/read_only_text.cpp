#include "read_only_text.h"

#include "accessible_names.h"

#include <windowsx.h>

namespace isosceles {

// The text is given once the control has its font, so that it is laid out once, in it.
ReadOnlyText::ReadOnlyText(HWND parent, const wchar_t* text, DWORD exStyle, DWORD style, RECT place,
                           HFONT font, int id, HINSTANCE instance) {
    createControl(exStyle, L"EDIT", L"",
                  style | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, place, parent,
                  id, instance);
    SetWindowFont(hwnd(), font, FALSE);
    SetWindowTextW(hwnd(), text);
}

LRESULT ReadOnlyText::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd(), WM_GETDLGCODE, onGetDlgCode);
    case WM_GETOBJECT:
        if (const LRESULT answer = accessibleObject(hwnd(), wParam, lParam, name_)) {
            return answer;
        }
        return inherited(message, wParam, lParam);
    default:
        return inherited(message, wParam, lParam);
    }
}

UINT ReadOnlyText::onGetDlgCode(HWND hwnd, MSG* msg) {
    return FORWARD_WM_GETDLGCODE(hwnd, msg, forwarder()) &
           ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL);
}

} // namespace isosceles
