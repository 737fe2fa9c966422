#include "convert.h"
#include "main_window.h"
#include "window.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

namespace isosceles {

namespace {

// A width in a task dialog's units: quarters of the average width of a letter in its font,
// the system's message font.
UINT dialogUnits(int pixels, HWND window) {
    constexpr std::wstring_view letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const int width =
        systemTextWidth(letters, &NONCLIENTMETRICSW::lfMessageFont, GetDpiForWindow(window));
    const int average = std::max<int>(1, (width / 26 + 1) / 2);
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
    config.cxWidth = dialogUnits(titleBarWidth(title, GetDpiForWindow(window)), window);
    if (FAILED(TaskDialogIndirect(&config, nullptr, nullptr, nullptr))) {
        MessageBoxW(window, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    }
}

} // namespace isosceles
