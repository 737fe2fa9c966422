// What a delay-imported function's first call runs: it loads the function's DLL from
// Windows' own folder and writes the function's address into the exe's import table.
// MinGW-w64's own helper writes that table as it stands, and newer linkers make it
// read-only, so the first call faulted; and it loads the DLL by name, where this one never
// looks in the exe's folder, whatever the process's search order.
#include <windows.h>

#include <delayimp.h>

#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

template <typename T> T* inImage(RVA rva) {
    return reinterpret_cast<T*>(reinterpret_cast<char*>(&__ImageBase) + rva);
}

// A part of Windows that the program needs is missing: there is no going on without it.
[[noreturn]] void missing(const char* dll) {
    std::wstring text = L"Липсва част от Windows, без която програмата не може да работи: ";
    for (const char* c = dll; *c != '\0'; ++c) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    FatalAppExitW(0, text.c_str());
    ExitProcess(ERROR_MOD_NOT_FOUND);
}

} // namespace

extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* entry) {
    const char* dll = inImage<const char>(descriptor->rvaDLLName);
    auto* module = inImage<HMODULE>(descriptor->rvaHmod);
    if (*module == nullptr) {
        const HMODULE loaded = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (loaded == nullptr) {
            missing(dll);
        }
        // Two threads may race to the first call: one reference is kept.
        if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(module), loaded, nullptr) !=
            nullptr) {
            FreeLibrary(loaded);
        }
    }
    const auto index = entry - inImage<FARPROC>(descriptor->rvaIAT);
    const IMAGE_THUNK_DATA& thunk = inImage<const IMAGE_THUNK_DATA>(descriptor->rvaINT)[index];
    const LPCSTR name = IMAGE_SNAP_BY_ORDINAL(thunk.u1.Ordinal)
                            ? MAKEINTRESOURCEA(IMAGE_ORDINAL(thunk.u1.Ordinal))
                            : reinterpret_cast<LPCSTR>(inImage<const IMAGE_IMPORT_BY_NAME>(
                                                           static_cast<RVA>(thunk.u1.AddressOfData))
                                                           ->Name);
    const FARPROC function = GetProcAddress(*module, name);
    if (function == nullptr) {
        missing(dll);
    }
    DWORD protection = 0;
    if (VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &protection) == FALSE) {
        missing(dll);
    }
    *entry = function;
    VirtualProtect(entry, sizeof(*entry), protection, &protection);
    return function;
}
