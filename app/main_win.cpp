#include "main_window.h"
#include "number_format.h"
#include "running_mark.h"

#include <windows.h>

#include <exception>
#include <string>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // First of all, while only kernel32 and msvcrt are loaded (the other DLLs load on first
    // use): every DLL comes from Windows' own folder, never from the exe's, which may be a
    // Downloads or a shared folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Held while the program runs, for the installer to see; released as the process ends.
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
    CreateMutexW(nullptr, FALSE, isosceles::runningMarkName(exe).c_str());
    try {
        // The top-level handler: a failed operation is reported, then the program goes on
        // with the failed row's results emptied and what was typed kept.
        isosceles::MainWindow window(
            instance, [] { return isosceles::NumberFormat::user(); }, isosceles::reportError);
        ShowWindow(window.hwnd(), show);
        UpdateWindow(window.hwnd());
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!window.preTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        return static_cast<int>(msg.wParam);
    } catch (const std::exception& error) {
        const std::string what = error.what();
        MessageBoxW(nullptr, std::wstring(what.begin(), what.end()).c_str(), L"isosceles",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
