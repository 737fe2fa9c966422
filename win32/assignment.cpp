#include "assignment.h"

#include "accessible_names.h"
#include "control_ids.h"

#include <windowsx.h>

namespace isosceles {

// The text is given once the control has its font, so that it is laid out once, in it.
Assignment::Assignment(HWND parent, const wchar_t* text, DWORD style, RECT place, HFONT font,
                       HINSTANCE instance) {
    createControl(WS_EX_CLIENTEDGE, L"EDIT", L"",
                  style | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, place, parent,
                  controlId(Family::Text1, 0), instance);
    SetWindowFont(hwnd(), font, FALSE);
    SetWindowTextW(hwnd(), text);
}

LRESULT Assignment::handle(UINT message, WPARAM wParam, LPARAM lParam) {
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

UINT Assignment::onGetDlgCode(HWND hwnd, MSG* msg) {
    return FORWARD_WM_GETDLGCODE(hwnd, msg, forwarder()) &
           ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL);
}

} // namespace isosceles
