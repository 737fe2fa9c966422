#include "frame.h"

#include "control_ids.h"
#include "gdi.h"
#include "window_view.h"

#include <windowsx.h>

namespace isosceles {

namespace {

constexpr wchar_t kFrameClass[] = L"IsoscelesFrame";

} // namespace

Frame::Frame(HWND parent, const wchar_t* caption, RECT place, HINSTANCE instance, Brushes& brushes)
    : brushes_(brushes) {
    WNDCLASSEXW cls{};
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.lpszClassName = kFrameClass;
    registerClass(cls);
    create(0, kFrameClass, caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place, parent,
           controlId(Family::Frame1, 0), instance);
}

LRESULT Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd(), WM_PAINT, onPaint);
        HANDLE_MSG(hwnd(), WM_SETFONT, onSetFont);
        HANDLE_MSG(hwnd(), WM_GETFONT, onGetFont);
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return inherited(message, wParam, lParam);
    }
}

void Frame::onPaint(HWND hwnd) {
    const PaintDc dc(hwnd);
    paint(dc);
}

void Frame::paint(HDC dc) {
    const Colours colours = coloursOf(Family::Frame1, 0);
    RECT r{};
    GetClientRect(hwnd(), &r);
    const HBRUSH fill = brushes_.of(*colours.background);
    FillRect(dc, &r, fill);
    const Selected font(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int line = metrics.tmHeight / 2;
    const GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, colorRef(kFrameOutlineColour)));
    {
        const Selected pen(dc, outline.get());
        const Selected hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, r.left, r.top + line, r.right, r.bottom);
    }
    const std::wstring title = windowText(hwnd());
    SIZE size{};
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
    const int indent = dpi_.pixels(kFrameCaption.indent);
    const int padding = dpi_.pixels(kFrameCaption.padding);
    RECT caption{indent, 0, indent + size.cx + 2 * padding, metrics.tmHeight};
    FillRect(dc, &caption, fill);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(*colours.text));
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &caption,
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Frame::onSetFont(HWND, HFONT font, BOOL redraw) {
    font_ = font;
    if (redraw) {
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

HFONT Frame::onGetFont(HWND) {
    return font_;
}

} // namespace isosceles
