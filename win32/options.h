#pragma once

#include "dpi.h"
#include "gdi.h"
#include "window.h"

namespace isosceles {

// One of the Option1 buttons: the system's radio button, its focus marked by a ring in the
// text colour of its fixed background, plain on any desktop.
class Option : public Window {
public:
    Option(HWND parent, int index, const wchar_t* caption, DWORD style, RECT place,
           HINSTANCE instance, Brushes& brushes);

    void setDpi(Dpi dpi) { dpi_ = dpi; }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onSetFocus(HWND hwnd, HWND before);
    void onKillFocus(HWND hwnd, HWND next);
    void onPaint(HWND hwnd);

    int index_;
    Brushes& brushes_;
    Dpi dpi_;
};

} // namespace isosceles
