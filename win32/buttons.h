#pragma once

#include "dpi.h"
#include "gdi.h"
#include "window.h"

namespace isosceles {

// One of the Command1 buttons, drawn by the program: its face in its own colour inside a
// solid border, which thickens with the focus and turns grey while the button is held down;
// a ring inside marks the focus. The window hands it the system's WM_DRAWITEM.
class Button : public Window {
public:
    Button(HWND parent, int index, const wchar_t* text, DWORD style, RECT place,
           HINSTANCE instance);

    void setScale(Dpi dpi, HFONT font) {
        dpi_ = dpi;
        font_ = font;
    }
    void draw(const DRAWITEMSTRUCT& item, Brushes& brushes) const;

private:
    int index_;
    Dpi dpi_;
    HFONT font_ = nullptr;
};

} // namespace isosceles
