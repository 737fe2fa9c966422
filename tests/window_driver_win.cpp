// Drives the program's window from another process as a test tool does: by the window's
// title and its controls' ids, with the messages a click or a screen reader sends.
//   window_driver.exe click ID | set ID TEXT | get ID | close
// Prints the control's text for get; exits 1 where the window or the control is missing.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

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

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2 || (argc < 3 && std::wcscmp(argv[1], L"close") != 0)) {
        std::fputws(L"usage: window_driver click ID | set ID TEXT | get ID | close\n", stderr);
        return 2;
    }
    const HWND window = findWindow();
    if (argc == 2) {
        // As the title bar's close button does.
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    const HWND control =
        window != nullptr ? GetDlgItem(window, std::wcstol(argv[2], nullptr, 10)) : nullptr;
    if (control == nullptr) {
        std::fputws(L"no such window or control\n", stderr);
        return 1;
    }
    const std::wstring verb = argv[1];
    if (verb == L"click") {
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (verb == L"set" && argc > 3) {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
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
