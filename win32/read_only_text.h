#pragma once

#include "window.h"

#include <string>

namespace isosceles {

// A read-only text to be read: the assignment, and a row's working. It passes Tab and Enter
// on, so that the keyboard leaves it as it leaves every other control, and keeps the arrows
// for moving through it. It is read, not replaced: reached by Tab it selects nothing and stays
// where it was scrolled.
class ReadOnlyText : public Window {
public:
    ReadOnlyText(HWND parent, const wchar_t* text, DWORD exStyle, DWORD style, RECT place,
                 HFONT font, int id, HINSTANCE instance);

    // What a screen reader asking the text itself hears as its name.
    void setAccessibleName(std::wstring name) { name_ = std::move(name); }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    UINT onGetDlgCode(HWND hwnd, MSG* msg);

    std::wstring name_;
};

} // namespace isosceles
