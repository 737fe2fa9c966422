#include "main_window.h"

#include "accessible_names.h"
#include "box.h"
#include "buttons.h"
#include "control_ids.h"
#include "convert.h"
#include "working_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>
#include <string>

// The window's messages, each to its handler, and the controls' notifications, each to the
// handler of the control's family with the control's index.
namespace isosceles {

// The one place where an operation's failure leaves the event: the report is shown and the
// window goes on, the failed row's results emptied and what was typed kept.
template <typename Operation> bool MainWindow::run(Operation&& operation) {
    hideExplained();
    const std::optional<FailureReport> failure =
        attempt(*controller_, std::forward<Operation>(operation), exponent_);
    mirror();
    if (failure && onError_) {
        onError_(hwnd(), *failure);
    }
    return !failure;
}

// The notice at the box it concerns, for as long as it takes to read; the results and the
// notice to a screen reader.
void MainWindow::tellCalculated() {
    if (const std::optional<Notice> notice = calculateNotice(*controller_, exponent_)) {
        showTip(notice->box, std::wstring(notice->text.begin(), notice->text.end()));
    }
    const std::u16string told = announcement(*controller_, exponent_);
    announce(hwnd(), std::wstring(told.begin(), told.end()));
}

void MainWindow::onBoxEdited(int index) {
    // Any change of a box's text that the controller does not hold is the user's.
    const std::wstring typed = windowText(Text2.at(static_cast<std::size_t>(index)));
    std::u16string text(typed.begin(), typed.end());
    if (text != controller_->cell(index).text) {
        hideExplained();
        controller_->editCell(index, std::move(text));
        mirror();
    }
}

void MainWindow::onOptionClicked(int index) {
    if (Button_GetCheck(Option1.at(static_cast<std::size_t>(index))) == BST_CHECKED) {
        run([this, index] { controller_->selectOption(static_cast<Variant>(index)); });
    }
}

void MainWindow::onButtonClicked(int index) {
    switch (kButtonCommands.at(static_cast<std::size_t>(index))) {
    case ButtonCommand::Calculate:
        if (run([this] { controller_->calculate(); })) {
            tellCalculated();
        }
        break;
    case ButtonCommand::ClearAll:
        run([this] { controller_->clearAll(); });
        break;
    }
}

void MainWindow::onCommand(HWND, int id, HWND, UINT code) {
    const std::optional<ControlRef> control = controlAt(id);
    if (!control) {
        return;
    }
    switch (control->family) {
    case Family::Text2:
        if (code == EN_CHANGE && !mirroring_) {
            onBoxEdited(control->index);
        }
        break;
    case Family::Option1:
        if (code == BN_CLICKED) {
            onOptionClicked(control->index);
        }
        break;
    case Family::Command1:
        if (code == BN_CLICKED) {
            onButtonClicked(control->index);
        }
        break;
    case Family::Text1:
        if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
            // The assignment's ring stands outside it, on the window.
            RECT r{};
            GetWindowRect(Text1, &r);
            MapWindowRect(nullptr, hwnd(), &r);
            const int width = dpi_.pixels(kBoxFocusRing.width);
            InflateRect(&r, width, width);
            InvalidateRect(hwnd(), &r, TRUE);
        }
        break;
    case Family::Label1:
    case Family::Frame1:
        break;
    }
}

// Each control in its family's colours, the boxes in theirs; the desktop's where the view
// gives none.
HBRUSH MainWindow::onColour(HWND, HDC dc, HWND child, int) {
    COLORREF background = colorRef(kWindowStyle.background);
    COLORREF text = colorRef(kTextOnFixedColour);
    if (const std::optional<ControlRef> control = controlAt(GetDlgCtrlID(child))) {
        if (control->family == Family::Text2) {
            const Box& box = *boxes_.at(static_cast<std::size_t>(control->index));
            background = box.backgroundColour();
            text = box.textColour();
        } else {
            const Colours colours = coloursOf(control->family, control->index);
            background =
                colours.background ? colorRef(*colours.background) : GetSysColor(COLOR_WINDOW);
            text = colours.text ? colorRef(*colours.text) : GetSysColor(COLOR_WINDOWTEXT);
        }
    }
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    return brushes_.of(background);
}

void MainWindow::onDrawItem(HWND, const DRAWITEMSTRUCT* item) {
    const std::optional<ControlRef> control = controlAt(static_cast<int>(item->CtlID));
    if (control && control->family == Family::Command1) {
        buttons_.at(static_cast<std::size_t>(control->index))->draw(*item, brushes_);
    }
}

void MainWindow::onPaint(HWND hwnd) {
    const PaintDc dc(hwnd);
    paint(dc);
}

// The background, and the assignment's focus ring just outside it.
void MainWindow::paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, brushes_.of(kWindowStyle.background));
    if (GetFocus() == Text1) {
        RECT r{};
        GetWindowRect(Text1, &r);
        MapWindowRect(nullptr, hwnd(), &r);
        const int width = dpi_.pixels(kBoxFocusRing.width);
        InflateRect(&r, width, width);
        drawRing(dc, r, width, brushes_.of(kTextOnFixedColour));
    }
}

BOOL MainWindow::onEraseBackground(HWND, HDC) {
    return TRUE;
}

LRESULT MainWindow::onNotify(HWND hwnd, int id, NMHDR* header) {
    if (header->code == TTN_SHOW && header->hwndFrom == tooltip_) {
        // The mouse's own tooltip takes over from one shown at once: never two.
        hideExplained();
        return FALSE;
    }
    if (header->code != TTN_GETDISPINFOW) {
        return FORWARD_WM_NOTIFY(hwnd, id, header, forwarder());
    }
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    // A box's own tool names the box; the tool over a disabled box, which gets no mouse input
    // of its own, carries the box's id.
    const int tool = (info->uFlags & TTF_IDISHWND) != 0
                         ? GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom))
                         : static_cast<int>(header->idFrom);
    const std::optional<ControlRef> control = controlAt(tool);
    tip_ = control && control->family == Family::Text2
               ? boxes_.at(static_cast<std::size_t>(control->index))->tooltipText()
               : std::wstring();
    info->lpszText = tip_.data();
    return 0;
}

// A computed box is disabled and gets no mouse input of its own: its menu is asked for here.
void MainWindow::offerMenu(POINT screen) {
    POINT client = screen;
    ScreenToClient(hwnd(), &client);
    const HWND child = ChildWindowFromPointEx(hwnd(), client, CWP_SKIPINVISIBLE);
    const std::optional<ControlRef> control =
        child == nullptr ? std::nullopt : controlAt(GetDlgCtrlID(child));
    if (control && control->family == Family::Text2 && !IsWindowEnabled(child)) {
        boxes_.at(static_cast<std::size_t>(control->index))->showMenu(screen);
    }
}

void MainWindow::onContextMenu(HWND, HWND, UINT x, UINT y) {
    offerMenu({static_cast<short>(x), static_cast<short>(y)});
}

void MainWindow::onRightButtonUp(HWND hwnd, int x, int y, UINT) {
    POINT screen{x, y};
    ClientToScreen(hwnd, &screen);
    offerMenu(screen);
}

void MainWindow::onActivate(HWND hwnd, UINT state, HWND other, BOOL minimized) {
    // Back in the window, the keyboard is where it was left, not on the window itself.
    if (state == WA_INACTIVE) {
        if (const HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd, focus)) {
            focusBefore_ = focus;
        }
    } else if (!minimized && focusBefore_ != nullptr && IsChild(hwnd, focusBefore_)) {
        SetFocus(focusBefore_);
        return;
    }
    FORWARD_WM_ACTIVATE(hwnd, state, other, minimized, forwarder());
}

void MainWindow::onSettingChange(HWND hwnd, const wchar_t* section) {
    // The user changed the Region settings: the next Calculate writes in them.
    if (section != nullptr && std::wstring_view(section) == L"intl") {
        controller_->setNumberFormat(formats_());
    }
    FORWARD_WM_WININICHANGE(hwnd, section, forwarder());
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = Dpi(dpi);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    rescale();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::onTimer(HWND hwnd, UINT id) {
    if (id == kFinishStartTimer) {
        KillTimer(hwnd, id);
        finishStart();
    } else if (id == kExplainedTimer) {
        hideExplained();
    }
}

void MainWindow::onClose(HWND hwnd) {
    DestroyWindow(hwnd);
}

void MainWindow::onDestroy(HWND) {
    PostQuitMessage(0);
}

bool MainWindow::preTranslate(MSG& msg) {
    if (working_ && working_->preTranslate(msg)) {
        return true;
    }
    // Enter presses a focused button, as Space does; from a box it presses nothing.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsChild(hwnd(), msg.hwnd)) {
        const std::optional<ControlRef> control = controlAt(GetDlgCtrlID(msg.hwnd));
        if (control && control->family == Family::Command1) {
            if ((GetKeyState(VK_CONTROL) & 0x8000) == 0 && (GetKeyState(VK_SHIFT) & 0x8000) == 0) {
                SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
            }
            return true;
        }
    }
    return IsDialogMessageW(hwnd(), &msg) != FALSE;
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd(), WM_ACTIVATE, onActivate);
        HANDLE_MSG(hwnd(), WM_COMMAND, onCommand);
        HANDLE_MSG(hwnd(), WM_CTLCOLORSTATIC, onColour);
        HANDLE_MSG(hwnd(), WM_CTLCOLOREDIT, onColour);
        HANDLE_MSG(hwnd(), WM_CTLCOLORBTN, onColour);
        HANDLE_MSG(hwnd(), WM_DRAWITEM, onDrawItem);
        HANDLE_MSG(hwnd(), WM_PAINT, onPaint);
        HANDLE_MSG(hwnd(), WM_ERASEBKGND, onEraseBackground);
        HANDLE_MSG(hwnd(), WM_NOTIFY, onNotify);
        HANDLE_MSG(hwnd(), WM_CONTEXTMENU, onContextMenu);
        HANDLE_MSG(hwnd(), WM_RBUTTONUP, onRightButtonUp);
        HANDLE_MSG(hwnd(), WM_WININICHANGE, onSettingChange);
        HANDLE_MSG(hwnd(), WM_TIMER, onTimer);
        HANDLE_MSG(hwnd(), WM_CLOSE, onClose);
        HANDLE_MSG(hwnd(), WM_DESTROY, onDestroy);
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_GETOBJECT:
        // Said at every return to the window: the program's title, not the address its
        // title bar begins with.
        if (const LRESULT answer =
                accessibleObject(hwnd(), wParam, lParam, widen(windowSpokenName()))) {
            return answer;
        }
        return inherited(message, wParam, lParam);
    default:
        return inherited(message, wParam, lParam);
    }
}

} // namespace isosceles
