#include "buttons.h"

#include "control_ids.h"
#include "window_view.h"

namespace isosceles {

Button::Button(HWND parent, int index, const wchar_t* text, DWORD style, RECT place,
               HINSTANCE instance)
    : index_(index) {
    createControl(0, L"BUTTON", text, style | BS_OWNERDRAW, place, parent,
                  controlId(Family::Command1, index), instance);
}

void Button::draw(const DRAWITEMSTRUCT& item, Brushes& brushes) const {
    const Colours colours = coloursOf(Family::Command1, index_);
    const HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, brushes.of(*colours.background));
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const Border border =
        down ? kButtonFace.pressed : (focused ? kButtonFace.focused : kButtonFace.normal);
    drawRing(dc, item.rcItem, dpi_.pixels(border.width), brushes.of(border.colour));
    if (focused) {
        RECT ring = item.rcItem;
        const int inset = dpi_.pixels(kButtonFocusRing.inset);
        InflateRect(&ring, -inset, -inset);
        drawRing(dc, ring, dpi_.pixels(kButtonFocusRing.width), brushes.of(*colours.text));
    }
    const std::wstring text = windowText(item.hwndItem);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(*colours.text));
    const Selected font(dc, font_);
    RECT all = item.rcItem;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &all,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace isosceles
