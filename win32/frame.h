#pragma once

#include "dpi.h"
#include "gdi.h"
#include "window.h"

namespace isosceles {

// Frame1: the outline around the options, broken by its caption, in the table's colours.
class Frame : public Window {
public:
    Frame(HWND parent, const wchar_t* caption, RECT place, HINSTANCE instance, Brushes& brushes);

    void setDpi(Dpi dpi) { dpi_ = dpi; }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onPaint(HWND hwnd);
    void paint(HDC dc);
    void onSetFont(HWND hwnd, HFONT font, BOOL redraw);
    HFONT onGetFont(HWND hwnd);

    Brushes& brushes_;
    Dpi dpi_;
    HFONT font_ = nullptr;
};

} // namespace isosceles
