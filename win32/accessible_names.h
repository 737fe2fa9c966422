#pragma once

#include <windows.h>

#include <string>

struct IAccPropServices;

namespace isosceles {

// Names screen readers speak for controls whose window text does not say what they are.
// Both of Windows' ways of asking are answered: UI Automation's proxies read the name
// annotated with IAccPropServices; Active Accessibility clients get, from the control
// itself, the object Windows would make for it, with this name.
class AccessibleNames {
public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    // The name stays the control's until it is destroyed.
    void name(HWND control, const std::wstring& name);

private:
    IAccPropServices* services_ = nullptr;
};

} // namespace isosceles
