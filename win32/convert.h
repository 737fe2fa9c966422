#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace isosceles {

// The tables' UTF-8 texts as Windows takes them.
inline std::wstring widen(std::string_view utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

} // namespace isosceles
