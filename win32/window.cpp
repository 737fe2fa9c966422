#include "window.h"

#include "gdi.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace isosceles {

Window::~Window() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void Window::registerClass(WNDCLASSEXW cls) {
    WNDCLASSEXW known{};
    known.cbSize = sizeof(known);
    if (GetClassInfoExW(cls.hInstance, cls.lpszClassName, &known)) {
        return;
    }
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = procedure;
    RegisterClassExW(&cls);
}

HWND Window::create(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, RECT place,
                    HWND parent, int id, HINSTANCE instance) {
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    CreateWindowExW(exStyle, cls, text, style, place.left, place.top, place.right - place.left,
                    place.bottom - place.top, parent, menu, instance, this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("a window cannot be created (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    return hwnd_;
}

HWND Window::createControl(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style,
                           RECT place, HWND parent, int id, HINSTANCE instance) {
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    const HWND hwnd =
        CreateWindowExW(exStyle, cls, text, style, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent, menu, instance, nullptr);
    if (hwnd == nullptr) {
        throw std::runtime_error("a control cannot be created (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    inheritedProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    return hwnd;
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return inherited(message, wParam, lParam);
}

LRESULT Window::inherited(UINT message, WPARAM wParam, LPARAM lParam) {
    return inheritedProc_ != nullptr
               ? CallWindowProcW(inheritedProc_, hwnd_, message, wParam, lParam)
               : DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        // Before WM_NCCREATE, or after the object let the window go.
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const LRESULT result = self->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

RECT centredOver(HWND owner, int width, int height) {
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    const auto place = [](LONG low, LONG high, LONG ownerLow, LONG ownerHigh, int size) {
        const LONG centred = (ownerLow + ownerHigh - size) / 2;
        return std::clamp<LONG>(centred, low, std::max<LONG>(low, high - size));
    };
    const LONG left = place(work.left, work.right, ownerRect.left, ownerRect.right, width);
    const LONG top = place(work.top, work.bottom, ownerRect.top, ownerRect.bottom, height);
    return {left, top, left + width, top + height};
}

int titleBarWidth(const std::wstring& title, UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    const GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfCaptionFont));
    const WindowDc dc(nullptr);
    const Selected selected(dc, font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
    // The icon, three buttons and the frame on both sides, with a little room between.
    const int buttons = 3 * GetSystemMetricsForDpi(SM_CXSIZE, dpi);
    const int icon = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    const int frame = 2 * (GetSystemMetricsForDpi(SM_CXFRAME, dpi) +
                           GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi));
    return size.cx + buttons + icon + frame + MulDiv(16, static_cast<int>(dpi), 96);
}

void centreOver(HWND window, HWND owner) {
    RECT r{};
    GetWindowRect(window, &r);
    const RECT to = centredOver(owner, r.right - r.left, r.bottom - r.top);
    SetWindowPos(window, nullptr, to.left, to.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace isosceles
