#include "working_window.h"

#include "accessible_names.h"
#include "convert.h"
#include "gdi.h"
#include "read_only_text.h"

#include <windowsx.h>

#include <algorithm>

namespace isosceles {

namespace {

constexpr wchar_t kWindowClass[] = L"IsoscelesWorking";
constexpr int kCopyId = 100;
constexpr int kTextId = 101;

// At 96 DPI: the room around and between the controls, and a button's size.
constexpr int kMargin = 12;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 30;

// The edit control breaks lines at "\r\n" only.
std::wstring withReturns(std::u16string_view text) {
    std::wstring out;
    for (const char16_t ch : text) {
        if (ch == u'\n') {
            out += L'\r';
        }
        out += static_cast<wchar_t>(ch);
    }
    return out;
}

// The text's widest line and its number of lines, in the font.
SIZE measure(const std::wstring& text, HFONT font) {
    const WindowDc dc(nullptr);
    const Selected selected(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    LONG widest = 0;
    LONG lines = 0;
    for (std::size_t start = 0; start <= text.size(); ++lines) {
        const std::size_t end = std::min(text.find(L'\r', start), text.size());
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str() + start, static_cast<int>(end - start), &size);
        widest = std::max(widest, size.cx);
        start = end + 2;
    }
    return {widest, lines * metrics.tmHeight};
}

} // namespace

WorkingWindow::WorkingWindow(HWND owner, const WorkingReport& report, HFONT font, Dpi dpi,
                             HINSTANCE instance)
    : owner_(owner), dpi_(dpi) {
    WNDCLASSEXW cls{};
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kWindowClass;
    registerClass(cls);

    const std::wstring text = withReturns(report.text);
    const SIZE extent = measure(text, font);
    // As wide as the longest line where the screen allows; the text scrolls where it is taller.
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int margin = dpi.pixels(kMargin);
    const int scrollBar = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi.value());
    const std::wstring title = widen(report.title);
    // Never narrower than its title, which would be cut.
    const int textWidth = std::max(std::min<int>(extent.cx + 2 * margin + scrollBar,
                                                 (work.right - work.left) * 9 / 10 - 2 * margin),
                                   titleBarWidth(title, dpi.value()) - 2 * margin);
    const int textHeight = std::min<int>(extent.cy + 2 * margin, (work.bottom - work.top) * 7 / 10);
    const int buttonWidth = dpi.pixels(kButtonWidth);
    const int buttonHeight = dpi.pixels(kButtonHeight);
    RECT client{0, 0, textWidth + 2 * margin, textHeight + buttonHeight + 3 * margin};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectExForDpi(&client, style, FALSE, WS_EX_DLGMODALFRAME, dpi.value());
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    // Centred over the main window, inside the screen.
    const int left = std::clamp<int>((ownerRect.left + ownerRect.right - width) / 2, work.left,
                                     std::max<int>(work.left, work.right - width));
    const int top = std::clamp<int>((ownerRect.top + ownerRect.bottom - height) / 2, work.top,
                                    std::max<int>(work.top, work.bottom - height));
    create(WS_EX_DLGMODALFRAME, kWindowClass, title.c_str(), style,
           {left, top, left + width, top + height}, owner, 0, instance);

    const auto control = [&](const wchar_t* cls, const std::wstring& title, DWORD kind, RECT r,
                             int id) {
        const HWND made =
            CreateWindowExW(0, cls, title.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SetWindowFont(made, font, FALSE);
        return made;
    };
    text_ = std::make_unique<ReadOnlyText>(
        hwnd(), text.c_str(), 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER,
        RECT{margin, margin, margin + textWidth, margin + textHeight}, font, kTextId, instance);
    text_->setAccessibleName(widen(report.textName));
    textBox = text_->hwnd();
    const int buttonsTop = 2 * margin + textHeight;
    const int okLeft = margin + textWidth - buttonWidth;
    copyButton = control(
        L"BUTTON", widen(report.copyButton), BS_PUSHBUTTON | WS_GROUP,
        {okLeft - margin - buttonWidth, buttonsTop, okLeft - margin, buttonsTop + buttonHeight},
        kCopyId);
    okButton = control(L"BUTTON", widen(report.button), BS_DEFPUSHBUTTON,
                       {okLeft, buttonsTop, okLeft + buttonWidth, buttonsTop + buttonHeight}, IDOK);
    // Modal: the main window takes no input until this one is closed.
    EnableWindow(owner_, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    // Opened to be read: a screen reader says the text's name and its first line; Enter still
    // closes the window.
    SetFocus(textBox);
}

WorkingWindow::~WorkingWindow() {
    if (hwnd() != nullptr && IsWindowEnabled(owner_) == FALSE) {
        EnableWindow(owner_, TRUE);
    }
}

bool WorkingWindow::preTranslate(MSG& msg) {
    if (hwnd() == nullptr || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) {
        return false;
    }
    // Enter presses the focused button, else «Добре»; Escape closes, as in a dialog, which
    // the dialog manager does only for a dialog of its own class.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        if (msg.wParam == VK_RETURN && msg.hwnd == copyButton) {
            SendMessageW(copyButton, BM_CLICK, 0, 0);
        } else {
            close();
        }
        return true;
    }
    return IsDialogMessageW(hwnd(), &msg) != FALSE;
}

std::wstring WorkingWindow::text() const {
    std::wstring text = windowText(textBox);
    std::erase(text, L'\r');
    return text;
}

// The owner is enabled again before this window goes, so that it is the one activated.
void WorkingWindow::close() {
    EnableWindow(owner_, TRUE);
    ShowWindow(hwnd(), SW_HIDE);
}

// The ring just outside the text while it has the focus, as the assignment's: a read-only
// text shows no caret to speak of.
RECT WorkingWindow::ringPlace() const {
    RECT r{};
    GetWindowRect(textBox, &r);
    MapWindowRect(nullptr, hwnd(), &r);
    const int width = dpi_.pixels(kBoxFocusRing.width);
    InflateRect(&r, width, width);
    return r;
}

void WorkingWindow::onPaint(HWND hwnd) {
    const PaintDc dc(hwnd);
    if (GetFocus() == textBox) {
        drawRing(dc, ringPlace(), dpi_.pixels(kBoxFocusRing.width),
                 GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

void WorkingWindow::onCommand(HWND, int id, HWND, UINT code) {
    if (id == kTextId && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
        const RECT ring = ringPlace();
        InvalidateRect(hwnd(), &ring, TRUE);
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    if (id == kCopyId) {
        copyToClipboard(hwnd(), text());
    } else if (id == IDOK || id == IDCANCEL) {
        close();
    }
}

void WorkingWindow::onClose(HWND) {
    close();
}

LRESULT WorkingWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd(), WM_COMMAND, onCommand);
        HANDLE_MSG(hwnd(), WM_PAINT, onPaint);
        HANDLE_MSG(hwnd(), WM_CLOSE, onClose);
    case WM_GETOBJECT:
        // Named as the main window is, without the address its title begins with.
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
