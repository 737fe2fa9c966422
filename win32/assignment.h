#pragma once

#include "window.h"

#include <string>

namespace isosceles {

// Text1, the read-only assignment. It passes Tab and Enter on, so that the keyboard leaves
// it as it leaves every other control, and keeps the arrows for scrolling. It is read, not
// replaced: reached by Tab it selects nothing and stays where it was scrolled.
class Assignment : public Window {
public:
    Assignment(HWND parent, const wchar_t* text, DWORD style, RECT place, HFONT font,
               HINSTANCE instance);

    // What a screen reader asking the assignment itself hears as its name.
    void setAccessibleName(std::wstring name) { name_ = std::move(name); }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    UINT onGetDlgCode(HWND hwnd, MSG* msg);

    std::wstring name_;
};

} // namespace isosceles
