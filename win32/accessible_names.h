#pragma once

#include <windows.h>

#include <string>

struct IAccPropServices;

namespace isosceles {

// Names screen readers speak for controls whose window text does not say what they are.
// Both of Windows' ways of asking are answered: UI Automation's proxies read the name
// annotated with IAccPropServices; Active Accessibility clients ask the control itself
// (WM_GETOBJECT), which answers with accessibleObject().
class AccessibleNames {
public:
    AccessibleNames() = default;
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    void annotate(HWND control, const std::wstring& name);
    // What a screen reader says after the control's name; empty: nothing of the program's.
    void describe(HWND control, const std::wstring& description);

private:
    IAccPropServices* services();

    IAccPropServices* services_ = nullptr;
    bool asked_ = false;
};

// Tells a screen reader `text` once, as from `window`, with UI Automation's notification.
// False where the system has none (before Windows 10 1709, and under Wine).
bool announce(HWND window, const std::wstring& text);

// The answer to a control's WM_GETOBJECT: for its client object, the object Windows would
// make for it, with this name and, unless empty, this description; 0 for anything else, which
// the control's own procedure answers.
LRESULT accessibleObject(HWND control, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                         const std::wstring& description = {});

} // namespace isosceles
