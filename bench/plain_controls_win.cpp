// The second floor under Windows: the program's 38 controls as plain Win32 controls, with the
// common controls 6 of the program's manifest, its geometry, texts and fonts, and nothing
// else: no colours, painting of its own, tooltips, controller or number format.
#include "convert.h"
#include "window_layout.h"

#include <windows.h>

namespace {

using namespace isosceles;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HFONT font(int dpi, LONG weight) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(kWindowStyle.fontPointSize, dpi, 72);
    face.lfWeight = weight;
    face.lfCharSet = RUSSIAN_CHARSET;
    face.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    face.lfQuality = CLEARTYPE_QUALITY;
    widen(kWindowStyle.fontFamily).copy(face.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&face);
}

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
};

Kind kindOf(Family family) {
    switch (family) {
    case Family::Label1:
        return {L"STATIC", SS_CENTER};
    case Family::Frame1:
        return {L"BUTTON", BS_GROUPBOX};
    case Family::Option1:
        return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP};
    case Family::Text2:
        return {L"EDIT", ES_CENTER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case Family::Command1:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case Family::Text1:
        break;
    }
    return {L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW window{};
    window.lpfnWndProc = windowProc;
    window.hInstance = instance;
    window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window.lpszClassName = L"PlainControls";
    RegisterClassW(&window);
    const int dpi = static_cast<int>(GetDpiForSystem());
    const auto scaled = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT r{0, 0, scaled(kWindowStyle.clientWidth), scaled(kWindowStyle.clientHeight)};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRectExForDpi(&r, style, FALSE, 0, static_cast<UINT>(dpi));
    const HWND hwnd =
        CreateWindowW(L"PlainControls", L"plain", style, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    const HFONT regular = font(dpi, FW_NORMAL);
    const HFONT bold = font(dpi, FW_BOLD);
    const Rect frame = twipsRect(rowOf(Family::Frame1, 0), 0);
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            const Kind kind = kindOf(row.family);
            Rect place = twipsRect(row, index);
            if (row.family == Family::Option1) {
                place.left += frame.left;
                place.top += frame.top;
            }
            const HWND control = CreateWindowW(
                kind.windowClass, widen(controlText(row, index)).c_str(),
                WS_CHILD | WS_VISIBLE | kind.style, scaled(place.left), scaled(place.top),
                scaled(place.width), scaled(place.height), hwnd, nullptr, instance, nullptr);
            SendMessageW(control, WM_SETFONT,
                         reinterpret_cast<WPARAM>(row.family == Family::Text2 ? bold : regular),
                         FALSE);
        }
    }
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DeleteObject(regular);
    DeleteObject(bold);
    return 0;
}
