#include "box.h"

#include "convert.h"

#include <windowsx.h>

#include <vector>

// What a box does with the keyboard, the clipboard and its menu: as the view answers.
namespace isosceles {

namespace {

// What a character the keyboard sends does to the text: the control characters of Ctrl+V,
// Ctrl+X and Ctrl+C paste, cut and copy; Backspace deletes; any other below a space is a
// chord that changes nothing.
KeyClass classOfCharacter(wchar_t character) {
    constexpr wchar_t kCtrlC = 0x03;
    constexpr wchar_t kCtrlV = 0x16;
    constexpr wchar_t kCtrlX = 0x18;
    switch (character) {
    case kCtrlV:
        return KeyClass::Pasting;
    case kCtrlX:
        return KeyClass::Cutting;
    case kCtrlC:
        return KeyClass::Copying;
    case L'\b':
        return KeyClass::Deleting;
    default:
        return character >= L' ' ? KeyClass::Typing : KeyClass::Moving;
    }
}

} // namespace

bool Box::hasSelection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start != end;
}

void Box::showMenu(POINT screen) {
    const std::vector<MenuItem> items =
        boxMenu(view_, {Edit_CanUndo(hwnd()) != 0, hasSelection(),
                        IsClipboardFormatAvailable(CF_UNICODETEXT) != 0});
    if (items.empty()) {
        return;
    }
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the box's middle.
        RECT r{};
        GetWindowRect(hwnd(), &r);
        screen = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    const HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(item.action) + 1, widen(item.text).c_str());
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                      GetParent(hwnd()), nullptr);
    DestroyMenu(menu);
    if (chosen > 0) {
        apply(static_cast<BoxAction>(chosen - 1));
    }
}

void Box::apply(BoxAction action) {
    switch (action) {
    case BoxAction::Undo:
        Edit_Undo(hwnd());
        break;
    case BoxAction::Cut:
        SendMessageW(hwnd(), WM_CUT, 0, 0);
        break;
    case BoxAction::Copy:
        if (hasSelection()) {
            SendMessageW(hwnd(), WM_COPY, 0, 0);
        } else {
            copyToClipboard(GetParent(hwnd()), windowText(hwnd()));
        }
        break;
    case BoxAction::Paste:
        SendMessageW(hwnd(), WM_PASTE, 0, 0);
        break;
    case BoxAction::Delete:
        SendMessageW(hwnd(), WM_CLEAR, 0, 0);
        break;
    case BoxAction::SelectAll:
        Edit_SetSel(hwnd(), 0, -1);
        break;
    case BoxAction::ShowWorking:
        if (workingAsked_) {
            workingAsked_();
        }
        break;
    }
}

// Whether the box takes a key of this class; a refused one is answered with the system's sound.
bool Box::takes(KeyClass key) const {
    const KeyAnswer answer = answerKey(view_, key);
    if (answer.sound) {
        MessageBeep(MB_OK);
        explainAtOnce();
    }
    return answer.taken;
}

void Box::explainAtOnce() const {
    if (explainsAtOnce(view_) && explainAsked_) {
        explainAsked_();
    }
}

void Box::onContextMenu(HWND, HWND, UINT x, UINT y) {
    // From the keyboard the point is (-1, -1), which the cracker hands over unsigned.
    showMenu({static_cast<short>(x), static_cast<short>(y)});
}

void Box::onChar(HWND hwnd, TCHAR character, int repeat) {
    if (takes(classOfCharacter(character))) {
        FORWARD_WM_CHAR(hwnd, character, repeat, forwarder());
    }
}

void Box::onKeyDown(HWND hwnd, UINT key, BOOL, int repeat, UINT flags) {
    if (key != VK_DELETE || takes(KeyClass::Deleting)) {
        FORWARD_WM_KEYDOWN(hwnd, key, repeat, flags, forwarder());
    }
}

void Box::onPaste(HWND hwnd) {
    if (takes(KeyClass::Pasting)) {
        FORWARD_WM_PASTE(hwnd, forwarder());
    }
}

void Box::onCut(HWND hwnd) {
    if (takes(KeyClass::Cutting)) {
        FORWARD_WM_CUT(hwnd, forwarder());
    }
}

void Box::onClear(HWND hwnd) {
    if (takes(KeyClass::Deleting)) {
        FORWARD_WM_CLEAR(hwnd, forwarder());
    }
}

} // namespace isosceles
