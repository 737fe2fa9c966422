#include "convert.h"
#include "main_window.h"

#include <commctrl.h>

namespace isosceles {

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
    if (FAILED(TaskDialogIndirect(&config, nullptr, nullptr, nullptr))) {
        MessageBoxW(window, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    }
}

} // namespace isosceles
