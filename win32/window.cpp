#include "window.h"

#include "gdi.h"

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

int systemTextWidth(std::wstring_view text, LOGFONTW NONCLIENTMETRICSW::*font, UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    const GdiObject<HFONT> made(CreateFontIndirectW(&(metrics.*font)));
    const WindowDc dc(nullptr);
    const Selected selected(dc, made.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int titleBarWidth(const std::wstring& title, UINT dpi) {
    // The icon, three buttons and the frame on both sides, with a little room between.
    const int buttons = 3 * GetSystemMetricsForDpi(SM_CXSIZE, dpi);
    const int icon = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    const int frame = 2 * (GetSystemMetricsForDpi(SM_CXFRAME, dpi) +
                           GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi));
    return systemTextWidth(title, &NONCLIENTMETRICSW::lfCaptionFont, dpi) + buttons + icon + frame +
           MulDiv(16, static_cast<int>(dpi), 96);
}

} // namespace isosceles
