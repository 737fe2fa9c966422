#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

namespace isosceles {

// The name of the mutex that a running program holds for its exe, so that the installer can
// tell whether the copy it would replace or remove is running: made from the file's identity
// (its volume and index), the same however its path is spelt. Empty where the file is not.
inline std::wstring runningMarkName(const std::wstring& exe) {
    const HANDLE file =
        CreateFileW(exe.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != FALSE;
    CloseHandle(file);
    if (!known) {
        return {};
    }
    wchar_t name[64]{};
    std::swprintf(name, 64, L"Local\\Isosceles-%08lx-%08lx%08lx", info.dwVolumeSerialNumber,
                  info.nFileIndexHigh, info.nFileIndexLow);
    return name;
}

} // namespace isosceles
