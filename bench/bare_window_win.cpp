// The floor the Windows program's start is measured against: a bare Win32 window of the
// same client size and title, which only fills its background.
#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW window{};
    window.lpfnWndProc = windowProc;
    window.hInstance = instance;
    window.hbrBackground = CreateSolidBrush(RGB(192, 192, 255));
    window.lpszClassName = L"BareWindow";
    RegisterClassW(&window);
    RECT r{0, 0, 464, 352};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&r, style, FALSE);
    const HWND hwnd = CreateWindowW(L"BareWindow",
                                    L"https://isosceles.example  Геометрия - равнобедрен триъгълник",
                                    style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                                    r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}
