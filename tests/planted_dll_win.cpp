// A DLL planted beside an exe under the name of one Windows looks up by name, as a browser's
// Downloads folder may hold one. Loaded, it leaves its name in the file that
// ISOSCELES_PLANTED_MARK names, and declines to stay, so that the real one is taken instead.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    wchar_t mark[MAX_PATH]{};
    wchar_t name[MAX_PATH]{};
    if (GetEnvironmentVariableW(L"ISOSCELES_PLANTED_MARK", mark, MAX_PATH) > 0 &&
        GetModuleFileNameW(self, name, MAX_PATH) > 0) {
        const HANDLE file = CreateFileW(mark, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, name, static_cast<DWORD>(lstrlenW(name) * sizeof(wchar_t)), &written,
                      nullptr);
            WriteFile(file, L"\n", sizeof(wchar_t), &written, nullptr);
            CloseHandle(file);
        }
    }
    return FALSE;
}
