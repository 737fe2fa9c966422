#include "options.h"

#include "control_ids.h"
#include "gdi.h"
#include "window_view.h"

#include <windowsx.h>

namespace isosceles {

Option::Option(HWND parent, int index, const wchar_t* caption, DWORD style, RECT place,
               HINSTANCE instance, Brushes& brushes)
    : index_(index), brushes_(brushes) {
    createControl(0, L"BUTTON", caption, style | BS_AUTORADIOBUTTON, place, parent,
                  controlId(Family::Option1, index), instance);
}

LRESULT Option::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd(), WM_SETFOCUS, onSetFocus);
        HANDLE_MSG(hwnd(), WM_KILLFOCUS, onKillFocus);
        HANDLE_MSG(hwnd(), WM_PAINT, onPaint);
    default:
        return inherited(message, wParam, lParam);
    }
}

void Option::onSetFocus(HWND hwnd, HWND before) {
    InvalidateRect(hwnd, nullptr, TRUE);
    FORWARD_WM_SETFOCUS(hwnd, before, forwarder());
}

void Option::onKillFocus(HWND hwnd, HWND next) {
    InvalidateRect(hwnd, nullptr, TRUE);
    FORWARD_WM_KILLFOCUS(hwnd, next, forwarder());
}

// The button draws itself, then the ring goes over it, inside the band no neighbour covers.
void Option::onPaint(HWND hwnd) {
    FORWARD_WM_PAINT(hwnd, forwarder());
    if (GetFocus() != hwnd) {
        return;
    }
    const WindowDc dc(hwnd);
    RECT r{};
    GetClientRect(hwnd, &r);
    const int inset = dpi_.pixels(kOptionFocusRing.inset);
    InflateRect(&r, -inset, -inset);
    const Edges overlap = overlapOf(rowOf(Family::Option1, index_), index_);
    r.top += dpi_.fromTwips(overlap.top);
    r.bottom -= dpi_.fromTwips(overlap.bottom);
    drawRing(dc, r, dpi_.pixels(kOptionFocusRing.width),
             brushes_.of(*coloursOf(Family::Option1, index_).text));
}

} // namespace isosceles
