// The per-user installer: no administrator rights. It puts the program in the user's own
// programs folder, a Bulgarian Start-menu entry with the program's icon, and an entry in
// Apps & features whose uninstall removes all of it again.
//   setup.exe [/S]              install (/S: silently)
//   uninstall.exe /uninstall [/S]
#include "convert.h"
#include "running_mark.h"
#include "window_layout.h"

#include <windows.h>

#include <commctrl.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Isosceles";
constexpr wchar_t kFolder[] = L"Isosceles";
constexpr wchar_t kProgram[] = L"isosceles.exe";
constexpr wchar_t kUninstaller[] = L"uninstall.exe";
// The program's one name, in the Start menu and in Apps & features alike.
constexpr wchar_t kProgramName[] = L"Равнобедрен триъгълник";
constexpr int kProgramResource = 100;

fs::path knownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path))) {
        throw std::runtime_error("Папка на потребителя не може да бъде намерена.");
    }
    fs::path folder(path);
    CoTaskMemFree(path);
    return folder;
}

fs::path installFolder() {
    return knownFolder(FOLDERID_LocalAppData) / L"Programs" / kFolder;
}

fs::path shortcutPath() {
    return knownFolder(FOLDERID_Programs) / (std::wstring(kProgramName) + L".lnk");
}

const std::wstring& title() {
    static const std::wstring text = isosceles::widen(isosceles::kWindowStyle.title);
    return text;
}

// A question or a report in Bulgarian, with Bulgarian buttons whatever the language of
// Windows; true where the first button was chosen.
bool ask(const std::wstring& text, const std::wstring& yes, const std::wstring& no = {}) {
    TASKDIALOG_BUTTON buttons[2] = {{IDYES, yes.c_str()}, {IDNO, no.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.pszWindowTitle = title().c_str();
    config.pszContent = text.c_str();
    config.cButtons = no.empty() ? 1 : 2;
    config.pButtons = buttons;
    config.nDefaultButton = IDYES;
    int chosen = IDNO;
    if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr))) {
        return MessageBoxW(nullptr, text.c_str(), title().c_str(),
                           no.empty() ? MB_OK : MB_OKCANCEL) != IDCANCEL;
    }
    return chosen == IDYES;
}

// The exit statuses, for those who deploy the program silently.
constexpr int kDone = 0;
constexpr int kCancelled = 1;
constexpr int kFailed = 2;
constexpr int kProgramRunning = 3;

bool isRunning(const fs::path& program) {
    const std::wstring name = isosceles::runningMarkName(program.wstring());
    if (name.empty()) {
        return false;
    }
    const HANDLE mark = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    if (mark == nullptr) {
        return false;
    }
    CloseHandle(mark);
    return true;
}

// Asks each window of the running program to close, as its close button would.
void askToClose(const fs::path& program) {
    const std::wstring name = isosceles::runningMarkName(program.wstring());
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            if (const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id)) {
                std::wstring image(MAX_PATH, L'\0');
                DWORD size = MAX_PATH;
                if (QueryFullProcessImageNameW(process, 0, image.data(), &size) != FALSE) {
                    image.resize(size);
                    if (isosceles::runningMarkName(image) ==
                        *reinterpret_cast<const std::wstring*>(data)) {
                        PostMessageW(window, WM_CLOSE, 0, 0);
                    }
                }
                CloseHandle(process);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&name));
}

// Whether the installed program may be replaced or removed: it is not running, or, asked
// interactively, the user had it closed. Silently a running program is left alone.
bool notRunning(const fs::path& program, bool silent) {
    while (isRunning(program)) {
        if (silent || !ask(L"Програмата „" + std::wstring(kProgramName) +
                               L"“ работи. Да бъде ли затворена? Въведеното в нея ще се "
                               L"загуби.",
                           L"Затваряне", L"Отказ")) {
            return false;
        }
        askToClose(program);
        for (int attempt = 0; attempt < 50 && isRunning(program); ++attempt) {
            Sleep(100);
        }
    }
    return true;
}

void writeProgram(const fs::path& target) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kProgramResource), RT_RCDATA);
    const HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        throw std::runtime_error("Инсталаторът не съдържа програмата.");
    }
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("Програмата не може да бъде записана.");
    }
    DWORD written = 0;
    const DWORD size = SizeofResource(nullptr, found);
    const bool ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!ok) {
        throw std::runtime_error("Програмата не може да бъде записана.");
    }
}

void createShortcut(const fs::path& program, const fs::path& link) {
    IShellLinkW* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell)))) {
        throw std::runtime_error("Записът в менюто „Старт“ не може да бъде създаден.");
    }
    shell->SetPath(program.c_str());
    shell->SetWorkingDirectory(program.parent_path().c_str());
    shell->SetIconLocation(program.c_str(), 0);
    shell->SetDescription(title().c_str());
    IPersistFile* file = nullptr;
    HRESULT saved = E_FAIL;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = file->Save(link.c_str(), TRUE);
        file->Release();
    }
    shell->Release();
    if (FAILED(saved)) {
        throw std::runtime_error("Записът в менюто „Старт“ не може да бъде създаден.");
    }
}

void setString(HKEY key, const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void setNumber(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void registerUninstall(const fs::path& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("Записът за премахване не може да бъде създаден.");
    }
    const std::wstring uninstaller = L"\"" + (folder / kUninstaller).wstring() + L"\" /uninstall";
    setString(key, L"DisplayName", kProgramName);
    setString(key, L"DisplayVersion", isosceles::widen(ISOSCELES_VERSION));
    setString(key, L"Publisher", isosceles::widen(ISOSCELES_MAKER_URL));
    setString(key, L"URLInfoAbout", isosceles::widen(ISOSCELES_MAKER_URL));
    setString(key, L"DisplayIcon", (folder / kProgram).wstring());
    setString(key, L"InstallLocation", folder.wstring());
    setString(key, L"UninstallString", uninstaller);
    setString(key, L"QuietUninstallString", uninstaller + L" /S");
    setNumber(key, L"NoModify", 1);
    setNumber(key, L"NoRepair", 1);
    // Everything installed, in KiB rounded up: the program and the uninstaller.
    const std::uintmax_t bytes =
        fs::file_size(folder / kProgram) + fs::file_size(folder / kUninstaller);
    setNumber(key, L"EstimatedSize", static_cast<DWORD>((bytes + 1023) / 1024));
    RegCloseKey(key);
}

fs::path ownPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

constexpr wchar_t kMovedPrefix[] = L"isosceles-uninstall-";

// Where a running uninstaller can move its own file out of the program's folder: a move
// stays on one volume, and the temporary folder may be on another than the programs folder.
std::vector<fs::path> movedFolders() {
    std::error_code ignored;
    return {fs::temp_directory_path(ignored), installFolder().parent_path()};
}

// The uninstallers that earlier uninstalls moved out of the way: a running exe cannot be
// removed, so each run of the installer or the uninstaller removes those that have ended.
void removeEndedUninstallers() {
    std::error_code ignored;
    for (const fs::path& folder : movedFolders()) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
            if (entry.path().filename().wstring().starts_with(kMovedPrefix) &&
                entry.path().extension() == L".exe") {
                fs::remove(entry.path(), ignored);
            }
        }
    }
}

// Moves this running uninstaller out of the program's folder, under a name no other has
// (a process id alone comes again); the new place, or nothing where it could not move.
std::optional<fs::path> moveSelfAway(const fs::path& self) {
    for (const fs::path& folder : movedFolders()) {
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const fs::path moved =
                folder / (kMovedPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount64() + attempt) + L".exe");
            if (MoveFileExW(self.c_str(), moved.c_str(), 0) != FALSE) {
                return moved;
            }
            if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) {
                break;
            }
        }
    }
    return std::nullopt;
}

// Writes a file beside its final name and then puts it in place in one step, so that a
// failed install leaves the installed copy as it was.
class Replacement {
public:
    explicit Replacement(fs::path target) : target_(std::move(target)) {
        staged_ = target_;
        staged_ += L".new";
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement() {
        std::error_code ignored;
        fs::remove(staged_, ignored);
    }
    const fs::path& staged() const { return staged_; }
    void commit() const {
        if (MoveFileExW(staged_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING) == FALSE) {
            throw fs::filesystem_error(
                "replace", target_,
                std::error_code(static_cast<int>(GetLastError()), std::system_category()));
        }
    }

private:
    fs::path target_;
    fs::path staged_;
};

int install(bool silent) {
    const fs::path folder = installFolder();
    if (!silent && !ask(L"Да се инсталира ли програмата „" + std::wstring(kProgramName) +
                            L"“ за вас в папката " + folder.wstring() +
                            L"? Не са нужни права на администратор.",
                        L"Инсталиране", L"Отказ")) {
        return kCancelled;
    }
    if (!notRunning(folder / kProgram, silent)) {
        return kProgramRunning;
    }
    fs::create_directories(folder);
    const Replacement program(folder / kProgram);
    const Replacement uninstaller(folder / kUninstaller);
    writeProgram(program.staged());
    // Run as the installed uninstaller, it is already in place, and a running file cannot be
    // replaced.
    std::error_code ignored;
    const bool isUninstaller = fs::equivalent(ownPath(), folder / kUninstaller, ignored);
    if (!isUninstaller) {
        fs::copy_file(ownPath(), uninstaller.staged(), fs::copy_options::overwrite_existing);
    }
    // Started again while the files were written: the running copy stays as it is.
    if (!notRunning(folder / kProgram, silent)) {
        return kProgramRunning;
    }
    program.commit();
    if (!isUninstaller) {
        uninstaller.commit();
    }
    createShortcut(folder / kProgram, shortcutPath());
    registerUninstall(folder);
    if (!silent) {
        ask(L"Програмата е инсталирана в папката " + folder.wstring() +
                L". Ще я намерите в менюто „Старт“ като „" + kProgramName + L"“.",
            isosceles::widen(isosceles::kOkText));
    }
    return kDone;
}

// Removes the program's folder and, once it is gone, the entries that lead to it. The
// uninstaller cannot remove its own file while it runs, so it moves it away first, and back
// where anything stays: then the entries stay too, and the user can try again.
int uninstall(bool silent) {
    const fs::path folder = installFolder();
    if (!silent && !ask(L"Да се премахне ли програмата „" + std::wstring(kProgramName) + L"“?",
                        L"Премахване", L"Отказ")) {
        return kCancelled;
    }
    if (!notRunning(folder / kProgram, silent)) {
        return kProgramRunning;
    }
    const fs::path self = ownPath();
    std::optional<fs::path> moved;
    std::error_code ignored;
    if (fs::equivalent(self.parent_path(), folder, ignored)) {
        moved = moveSelfAway(self);
    }
    for (int attempt = 0; attempt < 20 && fs::exists(folder); ++attempt) {
        fs::remove_all(folder, ignored);
        if (fs::exists(folder)) {
            Sleep(100);
        }
    }
    if (fs::exists(folder)) {
        if (moved) {
            fs::create_directories(folder, ignored);
            MoveFileExW(moved->c_str(), self.c_str(), 0);
        }
        if (!silent) {
            ask(L"Папката " + folder.wstring() +
                    L" не може да бъде премахната докрай. Програмата остава в „Приложения“, "
                    L"за да опитате отново.",
                isosceles::widen(isosceles::kOkText));
        }
        return kFailed;
    }
    fs::remove(shortcutPath(), ignored);
    RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
    if (!silent) {
        ask(L"Програмата „" + std::wstring(kProgramName) + L"“ е премахната.",
            isosceles::widen(isosceles::kOkText));
    }
    return kDone;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all, while only kernel32 and msvcrt are loaded (the other DLLs load on first
    // use): every DLL comes from Windows' own folder, never from the one the installer was
    // started from, where a browser saves whatever it downloads.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    bool silent = false, remove = false;
    for (int i = 1; i < count; ++i) {
        const std::wstring_view arg = args[i];
        if (arg == L"/S" || arg == L"/s") {
            silent = true;
        } else if (arg == L"/uninstall") {
            remove = true;
        }
    }
    LocalFree(args);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    removeEndedUninstallers();
    int status = kFailed;
    try {
        status = remove ? uninstall(silent) : install(silent);
    } catch (const fs::filesystem_error& error) {
        if (!silent) {
            ask(L"Файл не може да бъде записан или премахнат: " + error.path1().wstring(),
                isosceles::widen(isosceles::kOkText));
        }
        status = kFailed;
    } catch (const std::exception& error) {
        // The installer's own errors are written in Bulgarian.
        if (!silent) {
            ask(isosceles::widen(error.what()), isosceles::widen(isosceles::kOkText));
        }
        status = kFailed;
    }
    CoUninitialize();
    return status;
}
