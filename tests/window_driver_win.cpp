// Drives the program's window from another process as a test tool does: by the window's
// title and its controls' ids, with the messages a click or a screen reader sends. A control
// is named by its family and index (Option1 1, Text2 4), whose id the program's own table
// gives.
//   window_driver.exe click FAMILY INDEX | set FAMILY INDEX TEXT | get FAMILY INDEX | close
// Prints the control's text for get; exits 1 where the window or the control is missing.
// The installer's questions, which bear the program's title too, are answered by
//   window_driver.exe answer TEXT yes|no
// which waits for the dialog that says TEXT, prints all it says and chooses the button.
#include "control_ids.h"

#include <windows.h>

#include <commctrl.h>

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
                wchar_t kind[32];
                GetClassNameW(hwnd, kind, 32);
                if (std::wcsstr(title, L"Геометрия - равнобедрен триъгълник") != nullptr &&
                    std::wcscmp(kind, L"#32770") != 0 && IsWindowVisible(hwnd)) {
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

void print(const std::wstring& text) {
    // UTF-8, whatever the console's code page.
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::fputs(utf8.c_str(), stdout);
    std::fputc('\n', stdout);
}

struct Dialog {
    const wchar_t* says;
    HWND found = nullptr;
    std::wstring texts;
};

// A visible dialog whose window or controls say what is looked for, and all they say.
Dialog findDialog(const wchar_t* says) {
    Dialog dialog{says, nullptr, {}};
    for (int attempt = 0; attempt < 150 && dialog.found == nullptr; ++attempt) {
        EnumWindows(
            [](HWND hwnd, LPARAM data) -> BOOL {
                auto& dialog = *reinterpret_cast<Dialog*>(data);
                wchar_t kind[32];
                GetClassNameW(hwnd, kind, 32);
                if (std::wcscmp(kind, L"#32770") != 0 || !IsWindowVisible(hwnd)) {
                    return TRUE;
                }
                std::wstring texts;
                const auto add = [](HWND window, LPARAM to) -> BOOL {
                    wchar_t text[1024]{};
                    GetWindowTextW(window, text, 1024);
                    *reinterpret_cast<std::wstring*>(to) += std::wstring(text) + L" | ";
                    return TRUE;
                };
                add(hwnd, reinterpret_cast<LPARAM>(&texts));
                EnumChildWindows(hwnd, add, reinterpret_cast<LPARAM>(&texts));
                if (texts.find(dialog.says) != std::wstring::npos) {
                    dialog.found = hwnd;
                    dialog.texts = texts;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&dialog));
        Sleep(100);
    }
    return dialog;
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
                    L"get FAMILY INDEX | close | answer TEXT yes|no\n",
                    stderr);
        return 2;
    }
    const std::wstring verb = argv[1];
    if (verb == L"answer" && argc > 3) {
        const Dialog dialog = findDialog(argv[2]);
        if (dialog.found == nullptr) {
            std::fputws(L"no such dialog\n", stderr);
            return 1;
        }
        print(dialog.texts);
        // As a click on the button would; the message a task dialog takes for it.
        SendMessageW(dialog.found, TDM_CLICK_BUTTON,
                     std::wcscmp(argv[3], L"yes") == 0 ? IDYES : IDNO, 0);
        return 0;
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
    if (verb == L"click") {
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (verb == L"set" && argc > 4) {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    } else if (verb == L"get") {
        wchar_t text[256]{};
        SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        print(text);
    } else {
        return 2;
    }
    return 0;
}
