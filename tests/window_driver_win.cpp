// Drives the program's window from another process as a test tool does: by the window's
// title and its controls' ids, with the messages a click or a screen reader sends. A control
// is named by its family and index (Option1 1, Text2 4), whose id the program's own table
// gives.
//   window_driver.exe click FAMILY INDEX | set FAMILY INDEX TEXT | get FAMILY INDEX | close
// Prints the control's text for get; exits 1 where the window or the control is missing.
#include "control_ids.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

using isosceles::ControlRow;

HWND findWindow() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND found = nullptr;
        EnumWindows(
            [](HWND hwnd, LPARAM result) -> BOOL {
                wchar_t title[256];
                GetWindowTextW(hwnd, title, 256);
                if (std::wcsstr(title, L"Геометрия - равнобедрен триъгълник") != nullptr &&
                    IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND*>(result) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found != nullptr) {
            return found;
        }
        Sleep(100);
    }
    return nullptr;
}

// The id of a control named by its family and index; 0 for none.
int idOf(const wchar_t* family, const wchar_t* index) {
    for (const ControlRow& row : isosceles::ControlTable) {
        const std::string_view name = isosceles::familyName(row.family);
        if (std::wstring(name.begin(), name.end()) == family) {
            return isosceles::controlId(row.family,
                                        static_cast<int>(std::wcstol(index, nullptr, 10)));
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2 || (argc < 4 && std::wcscmp(argv[1], L"close") != 0)) {
        std::fputws(L"usage: window_driver click FAMILY INDEX | set FAMILY INDEX TEXT | "
                    L"get FAMILY INDEX | close\n",
                    stderr);
        return 2;
    }
    const HWND window = findWindow();
    if (argc == 2) {
        // As the title bar's close button does.
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    const HWND control = window != nullptr ? GetDlgItem(window, idOf(argv[2], argv[3])) : nullptr;
    if (control == nullptr) {
        std::fputws(L"no such window or control\n", stderr);
        return 1;
    }
    const std::wstring verb = argv[1];
    if (verb == L"click") {
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (verb == L"set" && argc > 4) {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    } else if (verb == L"get") {
        wchar_t text[256]{};
        SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        // UTF-8, whatever the console's code page.
        char utf8[1024]{};
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
        std::fwrite(utf8, 1, std::strlen(utf8), stdout);
        std::fputc('\n', stdout);
    } else {
        return 2;
    }
    return 0;
}
