#include "convert.h"
#include "gdi.h"
#include "main_window.h"
#include "window.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

namespace isosceles {

namespace {

// Centred over the window that reports, inside its screen's work area: not every system
// places a task dialog so (Wine puts it at the screen's corner).
HRESULT CALLBACK centre(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR owner) {
    if (notification == TDN_CREATED) {
        centreOver(dialog, reinterpret_cast<HWND>(owner));
    }
    return S_OK;
}

// A width in a task dialog's units: quarters of the average width of a letter in its font,
// the system's message font.
UINT dialogUnits(int pixels, HWND window) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                               GetDpiForWindow(window));
    const GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfMessageFont));
    const WindowDc dc(nullptr);
    const Selected selected(dc, font.get());
    constexpr std::wstring_view letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32W(dc, letters.data(), static_cast<int>(letters.size()), &size);
    const int average = std::max<int>(1, (size.cx / 26 + 1) / 2);
    return static_cast<UINT>((pixels * 4 + average - 1) / average);
}

} // namespace

void reportError(HWND window, const FailureReport& report) {
    const std::wstring text = widen(report.text);
    const std::wstring title = widen(report.title);
    const std::wstring ok = widen(report.button);
    TASKDIALOG_BUTTON button{IDOK, ok.c_str()};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = window;
    config.dwFlags = TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_ERROR_ICON;
    config.pszContent = text.c_str();
    config.cButtons = 1;
    config.pButtons = &button;
    config.nDefaultButton = IDOK;
    config.pfCallback = centre;
    config.cxWidth = dialogUnits(titleBarWidth(title, GetDpiForWindow(window)), window);
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(window);
    if (FAILED(TaskDialogIndirect(&config, nullptr, nullptr, nullptr))) {
        MessageBoxW(window, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    }
}

} // namespace isosceles
