#include "assignment.h"

#include "accessible_names.h"
#include "control_ids.h"

#include <windowsx.h>

namespace isosceles {

Assignment::Assignment(HWND parent, const wchar_t* text, DWORD style, HINSTANCE instance) {
    createControl(WS_EX_CLIENTEDGE, L"EDIT", text,
                  style | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, parent,
                  controlId(Family::Text1, 0), instance);
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
