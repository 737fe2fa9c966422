#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace isosceles {

// The one base of the program's windows: the main window, its frame, and the system
// controls it takes over. Each window's messages reach its object's handle(), through one
// procedure that finds the object in the window's user data, attached as the window is
// made. An object owns its window: destroyed, it destroys the window too.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // Registers a class of the program's own, whose windows this procedure serves.
    static void registerClass(WNDCLASSEXW cls);

protected:
    // A window of a class registered above, `this` attached from its first WM_NCCREATE.
    HWND create(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, RECT place,
                HWND parent, int id, HINSTANCE instance);
    // A system control, its procedure taken over as soon as it exists; what handle() does
    // not answer, the control's own procedure does.
    HWND createControl(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style,
                       RECT place, HWND parent, int id, HINSTANCE instance);

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window would do without this object: the control's own procedure, or
    // DefWindowProc for the program's classes.
    LRESULT inherited(UINT message, WPARAM wParam, LPARAM lParam);
    // inherited() in the shape windowsx.h's FORWARD_WM_ macros call.
    auto forwarder() {
        return [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
            return inherited(message, wParam, lParam);
        };
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC inheritedProc_ = nullptr;
};

// The width of a text, in pixels at `dpi`, in one of the system's fonts for window frames and
// messages (a member of NONCLIENTMETRICSW).
int systemTextWidth(std::wstring_view text, LOGFONTW NONCLIENTMETRICSW::*font, UINT dpi);

// The width a top-level window needs, in pixels at `dpi`, for its title bar to show `title`
// whole beside its icon and its buttons.
int titleBarWidth(const std::wstring& title, UINT dpi);

} // namespace isosceles
