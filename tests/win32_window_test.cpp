// The Windows window in process under Wine, driven by messages as a user's clicks and keys
// reach it; texts read back as screen readers and test tools read them (WM_GETTEXT).
#include "box.h"
#include "calc_error.h"
#include "convert.h"
#include "dpi.h"
#include "gdi.h"
#include "locale_symbols.h"
#include "main_window.h"
#include "variant_table.h"
#include "window.h"
#include "window_layout.h"
#include "window_view.h"
#include "working_window.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace isosceles {
namespace {

std::wstring textOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A shown window as the user's settings make it, reporting failures to the test instead of
// a modal box; the user's decimal separator put back afterwards.
class Window : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t decimal[8];
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
        savedDecimal_ = decimal;
        window = std::make_unique<MainWindow>(
            GetModuleHandleW(nullptr), [] { return NumberFormat::user(); },
            [this](HWND, const FailureReport& report) { reports.push_back(report); });
        ShowWindow(window->hwnd(), SW_SHOW);
        UpdateWindow(window->hwnd());
        pump();
    }

    void TearDown() override {
        window.reset();
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, savedDecimal_.c_str());
        pump();
    }

    HWND box(int k) const { return window->Text2.at(static_cast<std::size_t>(k)); }

    void type(int k, const wchar_t* text) {
        SetWindowTextW(box(k), text);
        pump();
    }

    void click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        pump();
    }

    std::vector<std::wstring> row(int r) const {
        std::vector<std::wstring> texts;
        for (int column = 0; column < 4; ++column) {
            texts.push_back(textOf(box(4 * r + column)));
        }
        return texts;
    }

    std::wstring bg(std::u16string_view pattern) const { return wide(spelled("bg-BG", pattern)); }

    std::unique_ptr<MainWindow> window;
    std::vector<FailureReport> reports;

private:
    std::wstring savedDecimal_;
};

TEST_F(Window, EveryControlHoldsItsTextAsAWindowText) {
    EXPECT_EQ(textOf(window->hwnd()), windowTitleText());
    EXPECT_TRUE(windowTitleText().ends_with(L"  Геометрия - равнобедрен триъгълник"));
    EXPECT_EQ(textOf(window->Label1[0]), L"Геометрия - равнобедрен триъгълник");
    const wchar_t* headings[] = {L"c", L"a=b", L"P", L"S"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(textOf(window->Label1.at(static_cast<std::size_t>(i))), headings[i - 1]);
    }
    EXPECT_EQ(textOf(window->Frame1), L"Варианти");
    for (int i = 0; i < kVariantCount; ++i) {
        EXPECT_EQ(textOf(window->Option1.at(static_cast<std::size_t>(i))),
                  L"Вариант " + std::to_wstring(i + 1));
    }
    EXPECT_EQ(textOf(window->Command1[0]), L"Изчисли");
    EXPECT_EQ(textOf(window->Command1[1]), L"Изчисти");
    const std::wstring assignment = textOf(window->Text1);
    EXPECT_TRUE(assignment.starts_with(L"Да се състави проект"));
    EXPECT_TRUE(assignment.ends_with(L"лице.\r\n"));
}

// What a screen reader asks a control for its name (the Active Accessibility client object)
// is the name the Linux window gives it: a box's quantity and variant, the assignment's
// purpose, the others' own texts.
TEST_F(Window, ScreenReadersReadEveryControlsName) {
    type(0, L"6");
    std::vector<std::pair<HWND, std::string>> controls;
    for (int k = 0; k < kBoxCount; ++k) {
        controls.emplace_back(box(k), accessibleName(rowOf(Family::Text2, k), k));
    }
    controls.emplace_back(window->Text1, accessibleName(rowOf(Family::Text1, 0), 0));
    for (int i = 0; i < kVariantCount; ++i) {
        controls.emplace_back(window->Option1.at(static_cast<std::size_t>(i)),
                              accessibleName(rowOf(Family::Option1, i), i));
    }
    for (int i = 0; i < 2; ++i) {
        controls.emplace_back(window->Command1.at(static_cast<std::size_t>(i)),
                              accessibleName(rowOf(Family::Command1, i), i));
    }
    // The window by the program's title alone; its title bar keeps the address.
    controls.emplace_back(window->hwnd(), std::string(windowSpokenName()));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const auto read = [&self](IAccessible* accessible, auto property) {
        BSTR text = nullptr;
        const HRESULT result = (accessible->*property)(self, &text);
        const std::wstring read = SUCCEEDED(result) && text != nullptr ? text : L"(none)";
        SysFreeString(text);
        return read;
    };
    for (const auto& [control, expected] : controls) {
        IAccessible* accessible = nullptr;
        ASSERT_HRESULT_SUCCEEDED(
            AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&accessible)));
        EXPECT_EQ(read(accessible, &IAccessible::get_accName), widen(expected))
            << GetDlgCtrlID(control);
        // All but the name is what Windows says of such a control.
        if (control == box(0)) {
            EXPECT_EQ(read(accessible, &IAccessible::get_accValue), L"6");
            VARIANT role{};
            ASSERT_HRESULT_SUCCEEDED(accessible->get_accRole(self, &role));
            EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);
        }
        accessible->Release();
    }
}

// Twips at the window's DPI, the options inside the frame.
// Run at other DPIs too, with ISOSCELES_EXPECT_DPI saying which the display has.
TEST_F(Window, ControlsStandAtTheirTwipsGeometry) {
    const int dpi = static_cast<int>(GetDpiForWindow(window->hwnd()));
    if (const char* expected = std::getenv("ISOSCELES_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected));
    }
    // The boxes' face scales with the window.
    EXPECT_EQ(-window->box(0).face().lfHeight, MulDiv(12, dpi, 72));
    const auto at = [&](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT client{};
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(client.right, px(6960));
    EXPECT_EQ(client.bottom, px(5280));
    const RECT box6 = at(box(6));
    EXPECT_EQ(box6.left, px(1800 + 2 * 960));
    EXPECT_EQ(box6.top, px(840 + 360));
    EXPECT_EQ(box6.right - box6.left, px(975));
    const RECT option4 = at(window->Option1[4]);
    EXPECT_EQ(option4.top, px(480 + 360 + 4 * 360));
    EXPECT_EQ(option4.left, px(120));
    const RECT clear = at(window->Command1[1]);
    EXPECT_EQ(clear.top, px(2640));
}

TEST_F(Window, TheRoadOfOneCalculation) {
    click(window->Option1[1]);
    EXPECT_EQ(window->controller().currentVariant(), 1);
    type(4, L"6");
    type(7, L"12");
    click(window->Command1[0]);
    EXPECT_EQ(row(1), (std::vector<std::wstring>{bg(u"6D000"), bg(u"5D000"), bg(u"16D000"),
                                                 bg(u"12D000")}));
    // Locked and computed boxes take no typing.
    SendMessageW(box(8), WM_CHAR, L'7', 0);
    SendMessageW(box(0), WM_CHAR, L'7', 0);
    pump();
    EXPECT_EQ(textOf(box(8)), L"");
    EXPECT_EQ(textOf(box(0)), L"");
    EXPECT_FALSE(IsWindowEnabled(box(5)));
}

// Region settings changed while the program runs apply from the next Calculate.
TEST_F(Window, ChangedRegionSettingsApplyFromTheNextCalculate) {
    click(window->Option1[1]);
    type(4, L"6");
    type(7, L"12");
    click(window->Command1[0]);
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"."));
    click(window->Command1[0]);
    EXPECT_EQ(textOf(box(4)), bg(u"6D000")) << "before Windows says the settings changed";
    SendMessageW(window->hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    click(window->Command1[0]);
    EXPECT_EQ(textOf(box(4)), L"6.000");
    EXPECT_EQ(textOf(box(5)), L"5.000");
}

// The darkest ink a box shows, in rendered pixels.
COLORREF darkestInk(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const HDC dc = GetDC(control);
    COLORREF darkest = RGB(255, 255, 255);
    const auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 2; x < r.right - 2; ++x) {
            if (const COLORREF c = GetPixel(dc, x, y); sum(c) < sum(darkest)) {
                darkest = c;
            }
        }
    }
    ReleaseDC(control, dc);
    return darkest;
}

std::wstring accessibleText(HWND control,
                            HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible)))) {
        return L"(no object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const HRESULT result = (accessible->*property)(self, &text);
    std::wstring read = SUCCEEDED(result) && text != nullptr ? text : L"";
    SysFreeString(text);
    accessible->Release();
    return read;
}

std::wstring descriptionOf(HWND control) {
    return accessibleText(control, &IAccessible::get_accDescription);
}

// Drawn, told in the tooltip and to a screen reader as the view says, and back once c holds
// what Calculate left in it.
TEST_F(Window, ResultsBesideChangedValuesAreMarkedOutOfDate) {
    type(0, L"6");
    type(1, L"5");
    click(window->Command1[0]);
    const std::wstring written = textOf(box(0));
    const std::wstring outOfDate = L"Изчислено за предишните стойности; натиснете „Изчисли“.";
    EXPECT_EQ(darkestInk(box(2)), colorRef(kTextOnFixedColour));
    type(0, L"8");
    UpdateWindow(window->hwnd());
    // The note, then how the result was computed.
    const auto spoken = [this](int k) { return wide(window->box(k).view().spokenDescription); };
    const auto described = [this](int k) { return wide(window->box(k).view().description); };
    for (const int k : {2, 3}) {
        EXPECT_TRUE(descriptionOf(box(k)).starts_with(outOfDate)) << k;
        EXPECT_EQ(descriptionOf(box(k)), spoken(k)) << k;
        EXPECT_TRUE(window->box(k).tooltipText().ends_with(described(k))) << k;
        EXPECT_EQ(darkestInk(box(k)), colorRef(kOutOfDateTextColour)) << k;
    }
    EXPECT_EQ(textOf(box(2)), bg(u"16D000"));
    type(0, written.c_str());
    UpdateWindow(window->hwnd());
    for (const int k : {2, 3}) {
        EXPECT_FALSE(descriptionOf(box(k)).starts_with(outOfDate)) << k;
        EXPECT_EQ(descriptionOf(box(k)), spoken(k)) << k;
        EXPECT_EQ(darkestInk(box(k)), colorRef(kTextOnFixedColour)) << k;
    }
}

// The text of the tooltip shown now, if one is.
std::wstring shownTip() {
    std::wstring shown;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM to) -> BOOL {
            wchar_t kind[64]{};
            GetClassNameW(hwnd, kind, 64);
            if (std::wstring_view(kind) == TOOLTIPS_CLASSW && IsWindowVisible(hwnd)) {
                *reinterpret_cast<std::wstring*>(to) = textOf(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// The open row at a glance: the given boxes outside it are hatched in the view's ink, its own
// are clear; a closed box that is clicked or typed into says at once which variant opens it.
TEST_F(Window, ClosedBoxesAreHatchedAndSayWhichVariantOpensThem) {
    click(window->Option1[2]);
    UpdateWindow(window->hwnd());
    const COLORREF ink =
        colorRef(hatchInk(rgbOf(GetSysColor(COLOR_WINDOW)), rgbOf(GetSysColor(COLOR_WINDOWTEXT))));
    for (int k = 0; k < kBoxCount; ++k) {
        if (isComputedBox(k)) {
            continue;
        }
        RECT r{};
        GetClientRect(box(k), &r);
        const HDC dc = GetDC(box(k));
        int inked = 0;
        for (int y = 0; y < r.bottom; ++y) {
            for (int x = 2; x < r.right - 2; ++x) {
                inked += GetPixel(dc, x, y) == ink ? 1 : 0;
            }
        }
        ReleaseDC(box(k), dc);
        EXPECT_EQ(inked >= r.bottom, rowOfBox(k) != 2) << k << ": " << inked;
    }
    const std::wstring opens = L"За да пишете тук, изберете „Вариант 1“.";
    SendMessageW(box(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box(0), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(shownTip(), opens);
    EXPECT_EQ(descriptionOf(box(0)), opens);
    SendMessageW(window->hwnd(), WM_TIMER, MainWindow::kExplainedTimer, 0);
    SetFocus(box(9));
    SendMessageW(box(9), WM_CHAR, L'5', 0);
    pump();
    EXPECT_EQ(shownTip(), L"") << "an open box says nothing";
    SetFocus(box(4));
    SendMessageW(box(4), WM_CHAR, L'5', 0);
    pump();
    EXPECT_EQ(shownTip(), L"За да пишете тук, изберете „Вариант 2“.");
}

// After Calculate the notice stands in a balloon at the box it concerns, until the next edit.
TEST_F(Window, CalculateShowsItsNoticeAtTheBox) {
    type(1, L"5");
    click(window->Command1[0]);
    const std::optional<Notice> notice = calculateNotice(window->controller());
    ASSERT_TRUE(notice);
    EXPECT_EQ(shownTip(), wide(notice->text));
    type(0, L"6");
    EXPECT_EQ(shownTip(), L"");
    click(window->Command1[0]);
    EXPECT_EQ(shownTip(), L"") << "a triangle read whole says nothing";
}

// Each control is drawn on its family's fixed colour from the table, Frame1 included, on the
// screen and where the frame or the window is asked to print itself.
TEST_F(Window, EachControlShowsItsFamilysColourFromTheTable) {
    const auto pixelOf = [](HWND control, HDC dc, bool nearBottom) {
        RECT r{};
        GetClientRect(control, &r);
        return GetPixel(dc, r.right / 2 > 3 ? 3 : 0, nearBottom ? r.bottom - 4 : 3);
    };
    const struct {
        HWND control;
        Family family;
        int index;
        bool nearBottom; // clear of the text drawn at the top
    } cases[] = {
        {window->Label1[0], Family::Label1, 0, false},
        {window->Label1[2], Family::Label1, 2, false},
        {window->Frame1, Family::Frame1, 0, true},
        {window->Option1[3], Family::Option1, 3, false},
        {window->Command1[0], Family::Command1, 0, false},
        {window->Command1[1], Family::Command1, 1, false},
        {box(2), Family::Text2, 2, false},
    };
    SetFocus(window->Text1);
    UpdateWindow(window->hwnd());
    for (const auto& [control, family, index, nearBottom] : cases) {
        const HDC dc = GetDC(control);
        EXPECT_EQ(pixelOf(control, dc, nearBottom), colorRef(*coloursOf(family, index).background))
            << familyName(family) << index;
        ReleaseDC(control, dc);
    }
    for (const auto& [control, background] :
         {std::pair{window->Frame1, *coloursOf(Family::Frame1, 0).background},
          std::pair{window->hwnd(), kWindowStyle.background}}) {
        RECT r{};
        GetClientRect(control, &r);
        const HDC screen = GetDC(control);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(control, screen);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT all{0, 0, r.right, r.bottom};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        EXPECT_EQ(pixelOf(control, dc, true), colorRef(background)) << textOf(control);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}

// Once the window has been drawn, each box has its tooltip, over the box itself and, for a
// disabled box, which gets no mouse input, over its place in the window.
TEST_F(Window, EveryBoxHasItsTooltipOnceTheWindowIsDrawn) {
    type(0, L"6");
    type(1, L"5");
    click(window->Command1[0]);
    type(0, L"8");
    HWND tooltip = nullptr;
    for (int wait = 0; wait < 100 && tooltip == nullptr; ++wait) {
        Sleep(10);
        pump();
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM found) {
                wchar_t name[64];
                GetClassNameW(hwnd, name, 64);
                if (std::wstring_view(name) == TOOLTIPS_CLASSW) {
                    *reinterpret_cast<HWND*>(found) = hwnd;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&tooltip));
    }
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2 * kBoxCount);
    for (const int k : {0, 2}) {
        TOOLINFOW own{};
        own.cbSize = sizeof(own);
        own.uFlags = TTF_IDISHWND;
        own.hwnd = window->hwnd();
        own.uId = reinterpret_cast<UINT_PTR>(box(k));
        TOOLINFOW over = own;
        over.uFlags = 0;
        over.uId = static_cast<UINT_PTR>(GetDlgCtrlID(box(k)));
        for (TOOLINFOW* tool : {&own, &over}) {
            std::wstring text(256, L'\0');
            tool->lpszText = text.data();
            SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(tool));
            text.resize(std::wcslen(text.c_str()));
            EXPECT_EQ(text, window->box(k).tooltipText()) << k;
        }
    }
    EXPECT_FALSE(window->box(2).tooltipText().empty());
}

// A locked box refuses what would change its text, however it comes; a box that takes typing
// takes the same.
TEST_F(Window, OnlyABoxThatTakesTypingTakesEdits) {
    if (OpenClipboard(window->hwnd())) {
        EmptyClipboard();
        if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 2 * sizeof(wchar_t))) {
            std::copy_n(L"7", 2, static_cast<wchar_t*>(GlobalLock(memory)));
            GlobalUnlock(memory);
            SetClipboardData(CF_UNICODETEXT, memory);
        }
        CloseClipboard();
    }
    const std::pair<UINT, WPARAM> edits[] = {
        {WM_CHAR, L'5'}, {WM_CHAR, 0x16}, {WM_PASTE, 0}, {WM_CHAR, L'\b'}};
    for (const int k : {0, 4}) {
        for (const auto& [message, key] : edits) {
            SendMessageW(box(k), message, key, 0);
        }
        pump();
    }
    EXPECT_EQ(textOf(box(0)), L"57");
    EXPECT_EQ(textOf(box(4)), L"");
    EXPECT_EQ(window->controller().cell(0).text, u"57");
}

// A shown window of this thread of a system class: a popup menu's, a dialog's.
HWND shownWindowOfClass(std::wstring_view name) {
    struct Search {
        std::wstring_view name;
        HWND found;
    } search{name, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t cls[16]{};
            GetClassNameW(hwnd, cls, 16);
            if (IsWindowVisible(hwnd) && search->name == cls) {
                search->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The items of the menu that opens while it lives, read once it shows, which then closes.
std::vector<std::pair<std::wstring, bool>>* menuSeen = nullptr;

void CALLBACK readAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND popup = shownWindowOfClass(L"#32768");
    if (popup == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64]{};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        menuSeen->emplace_back(text, (state & MF_GRAYED) == 0);
    }
    EndMenu();
}

std::vector<std::pair<std::wstring, bool>> menuOf(HWND control) {
    std::vector<std::pair<std::wstring, bool>> seen;
    menuSeen = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, readAndCloseMenu);
    RECT r{};
    GetWindowRect(control, &r);
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // A computed box gets no mouse input: the window is asked, as a click there would.
    SendMessageW(IsWindowEnabled(control) ? control : GetParent(control), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(control), MAKELPARAM(at.x, at.y));
    KillTimer(nullptr, timer);
    menuSeen = nullptr;
    return seen;
}

// Every box has the program's menu, in Bulgarian whatever the system's language: the whole
// of it where the box is in reach of the keyboard, only the copy of a result.
TEST_F(Window, EveryBoxsMenuIsTheProgramsOwn) {
    type(0, L"6");
    type(1, L"5");
    click(window->Command1[0]);
    SendMessageW(box(0), EM_SETSEL, 0, -1);
    std::vector<std::pair<std::wstring, bool>> expected;
    for (const MenuEntry& entry : kBoxMenu) {
        expected.emplace_back(widen(entry.text), false);
    }
    // Typed in, with a selection; the clipboard may hold a text or not.
    auto typed = menuOf(box(0));
    ASSERT_EQ(typed.size(), expected.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        EXPECT_EQ(typed[i].first, expected[i].first);
    }
    EXPECT_TRUE(typed[1].second && typed[2].second && typed[4].second) << "cut, copy, delete";
    EXPECT_EQ(menuOf(box(2)), (std::vector<std::pair<std::wstring, bool>>{
                                  {L"&Копиране", true}, {L"Как е &изчислено", true}}));
}

// Once the menu is open, chooses its last item from the keyboard.
void CALLBACK chooseLastMenuItem(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND popup = shownWindowOfClass(L"#32768");
    if (popup != nullptr) {
        KillTimer(nullptr, timer);
        PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    }
}

// A window of the program's stands centred over the main one, and shows its title whole.
void expectCentredOver(RECT shown, const std::wstring& title, HWND owner) {
    RECT o{};
    GetWindowRect(owner, &o);
    EXPECT_NEAR((shown.left + shown.right) / 2, (o.left + o.right) / 2, 1);
    EXPECT_NEAR((shown.top + shown.bottom) / 2, (o.top + o.bottom) / 2, 1);
    EXPECT_GE(shown.right - shown.left, titleBarWidth(title, GetDpiForWindow(owner)));
}

// «Как е изчислено» chosen from a computed box's menu, which the window opens for it.
void chooseTheWorking(HWND computed) {
    RECT r{};
    GetWindowRect(computed, &r);
    SetTimer(nullptr, 0, 50, chooseLastMenuItem);
    SendMessageW(GetParent(computed), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(computed),
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    pump();
}

// The row's working, from a computed box's menu: over the window, which takes no input
// meanwhile, the view's text, which its copy button puts on the clipboard whole; Enter
// closes it and gives the window back.
TEST_F(Window, AComputedBoxShowsHowItWasComputed) {
    SetWindowPos(window->hwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    click(window->Option1[1]);
    type(4, L"6");
    type(7, L"12");
    click(window->Command1[0]);
    chooseTheWorking(box(6));
    WorkingWindow* working = window->working();
    ASSERT_NE(working, nullptr);
    EXPECT_TRUE(IsWindowVisible(working->hwnd()));
    EXPECT_FALSE(IsWindowEnabled(window->hwnd()));
    const std::optional<WorkingReport> report = workingReport(window->controller(), 1);
    ASSERT_TRUE(report);
    EXPECT_EQ(working->text(), wide(report->text));
    EXPECT_EQ(textOf(working->hwnd()), textOf(window->hwnd()));
    EXPECT_EQ(textOf(working->copyButton), L"&Копиране");
    EXPECT_EQ(textOf(working->okButton), L"Добре");
    // Opened on its text, named, to be read at once, its focus a ring just outside it.
    const auto ringShown = [working] {
        RECT r{};
        GetWindowRect(working->textBox, &r);
        MapWindowRect(nullptr, working->hwnd(), &r);
        UpdateWindow(working->hwnd());
        const HDC dc = GetDC(working->hwnd());
        const COLORREF at = GetPixel(dc, r.left - 1, (r.top + r.bottom) / 2);
        ReleaseDC(working->hwnd(), dc);
        return at == GetSysColor(COLOR_WINDOWTEXT);
    };
    EXPECT_EQ(GetFocus(), working->textBox);
    EXPECT_TRUE(ringShown());
    EXPECT_EQ(accessibleText(working->textBox, &IAccessible::get_accName), widen(report->textName));
    EXPECT_EQ(accessibleText(working->hwnd(), &IAccessible::get_accName),
              widen(windowSpokenName()));
    RECT place{};
    GetWindowRect(working->hwnd(), &place);
    expectCentredOver(place, textOf(working->hwnd()), window->hwnd());
    // Tab and Shift+Tab leave the text as they leave any control.
    for (const auto& [shift, next] :
         {std::pair{false, working->copyButton}, std::pair{true, working->okButton}}) {
        SetFocus(working->textBox);
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG tab{working->textBox, WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(window->preTranslate(tab));
        EXPECT_EQ(GetFocus(), next) << shift;
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    EXPECT_FALSE(ringShown());
    click(working->copyButton);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* copied = static_cast<const wchar_t*>(GlobalLock(data));
    EXPECT_EQ(copied == nullptr ? L"" : std::wstring(copied), wide(report->text));
    GlobalUnlock(data);
    CloseClipboard();
    SetFocus(working->textBox);
    MSG enter{working->textBox, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(window->preTranslate(enter));
    pump();
    EXPECT_FALSE(IsWindowVisible(working->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
}

// The working covers the window: the notice at its box goes with it, never left standing
// beside the working.
TEST_F(Window, TheWorkingTakesTheNoticeAway) {
    type(1, L"5");
    click(window->Command1[0]);
    ASSERT_NE(shownTip(), L"");
    chooseTheWorking(box(2));
    ASSERT_NE(window->working(), nullptr);
    EXPECT_EQ(shownTip(), L"");
    MSG enter{window->working()->textBox, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(window->preTranslate(enter));
    pump();
}

// A power of ten is written so that its font draws every character of it: raised where the
// fonts have the raised digits and minus, else after a caret; never blanks that would make
// 10⁻⁴ read as 10 4. In the boxes, and in the working.
TEST_F(Window, EveryPowerOfTenIsDrawnByItsFont) {
    type(0, L"0.0004");
    type(1, L"1e20");
    click(window->Command1[0]);
    for (const int k : {1, 2, 3}) {
        const Box& shown = window->box(k);
        EXPECT_TRUE(shown.isShortened()) << k;
        EXPECT_TRUE(drawsAll(GetWindowFont(box(k)), shown.shownText())) << k;
    }
    chooseTheWorking(box(2));
    ASSERT_NE(window->working(), nullptr);
    std::wstring text = window->working()->text();
    std::erase(text, L'\n');
    EXPECT_NE(text.find(L"·10"), std::wstring::npos);
    EXPECT_TRUE(drawsAll(GetWindowFont(window->working()->textBox), text));
    SendMessageW(window->working()->okButton, BM_CLICK, 0, 0);
    pump();
}

// What the report showed while it was open: its title and the texts of its controls.
struct ShownReport {
    std::wstring title;
    RECT place{};
    std::vector<std::wstring> texts;
    bool buttonPressed = false;
};
ShownReport* shownReport = nullptr;

// Once the report is open, reads it and presses its button, as the user would.
void CALLBACK readAndCloseReport(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = shownWindowOfClass(L"#32770");
    if (dialog == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    shownReport->title = textOf(dialog);
    GetWindowRect(dialog, &shownReport->place);
    HWND button = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16]{};
        GetClassNameW(child, cls, 16);
        if (!textOf(child).empty()) {
            shownReport->texts.push_back(textOf(child));
        }
        if (_wcsicmp(cls, L"Button") == 0) {
            button = child;
        }
    }
    if (button != nullptr) {
        SendMessageW(button, BM_CLICK, 0, 0);
        shownReport->buttonPressed = true;
    }
}

// The real report, not the tests' handler: modal over the window, with the view's title
// and text and its one «Добре» button, whatever the language of the system.
TEST_F(Window, TheReportShowsTheViewsWordsWithOneBulgarianButton) {
    SetWindowPos(window->hwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const FailureReport report = failureReport(CalcError(CalcErrorKind::Overflow));
    ShownReport shown;
    shownReport = &shown;
    SetTimer(nullptr, 0, 50, readAndCloseReport);
    reportError(window->hwnd(), report);
    shownReport = nullptr;
    ASSERT_TRUE(shown.buttonPressed);
    EXPECT_EQ(shown.title, widen(report.title));
    expectCentredOver(shown.place, shown.title, window->hwnd());
    const auto has = [&shown](const std::wstring& text) {
        return std::find(shown.texts.begin(), shown.texts.end(), text) != shown.texts.end();
    };
    EXPECT_TRUE(has(widen(report.text)));
    EXPECT_TRUE(has(L"Добре"));
    EXPECT_FALSE(has(L"OK"));
}

TEST_F(Window, FailedCalculateIsReportedAndEmptiesTheRowsResults) {
    type(0, L"6");
    type(1, L"5");
    click(window->Command1[0]);
    type(1, L"2");
    click(window->Command1[0]);
    ASSERT_EQ(reports.size(), 1u);
    // The kind's text, then the step that failed and what it means, as the view words them.
    Calculation failed;
    failed.working = solveShowingWork(0, 6, 2);
    EXPECT_EQ(reports[0], failureReport(CalculationError(CalcErrorKind::InvalidArgument, failed),
                                        window->controller().numberFormat()));
    EXPECT_TRUE(reports[0].text.starts_with(errorText(CalcErrorKind::InvalidArgument)));
    EXPECT_EQ(row(0), (std::vector<std::wstring>{bg(u"6D000"), L"2", L"", L""}));
    EXPECT_TRUE(IsWindow(window->hwnd()));
}

// Enter presses a focused button; from a box it presses nothing.
TEST_F(Window, EnterPressesOnlyAFocusedButton) {
    type(0, L"6");
    type(1, L"5");
    for (HWND target : {box(1), window->Command1[0]}) {
        SetFocus(target);
        MSG msg{target, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        if (!window->preTranslate(msg)) {
            DispatchMessageW(&msg);
        }
        pump();
        EXPECT_EQ(textOf(box(2)).empty(), target == box(1));
    }
}

// While it is edited a box's line stands in its middle, where its text stood before, and
// its text keeps clear of the focus ring: one that fits in the full font, and one narrowed
// while it was typed.
TEST_F(Window, AnEditedBoxShowsItsLineInItsMiddle) {
    for (const std::wstring_view typed : {L"-12345,5", L"-12345678,5"}) {
        SCOPED_TRACE(std::string(typed.begin(), typed.end()));
        type(0, L"");
        SetFocus(box(0));
        for (const wchar_t key : typed) {
            SendMessageW(box(0), WM_CHAR, key, 0);
            pump();
        }
        EXPECT_EQ(window->controller().cell(0).text, std::u16string(typed.begin(), typed.end()));
        RECT whole{};
        GetWindowRect(box(0), &whole);
        const HDC dc = GetDC(box(0));
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box(0), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(box(0), dc);
        const auto at = static_cast<DWORD>(SendMessageW(box(0), EM_POSFROMCHAR, 0, 0));
        POINT first{static_cast<SHORT>(LOWORD(at)), static_cast<SHORT>(HIWORD(at))};
        ClientToScreen(box(0), &first);
        const int above = first.y - whole.top;
        const int below = whole.bottom - first.y - metrics.tmHeight;
        EXPECT_LE(std::abs(above - below), 1) << above << " above, " << below << " below";
        // Nothing of it scrolled away under the focus ring.
        const int ring = MulDiv(kBoxFocusRing.width, static_cast<int>(GetDpiForWindow(box(0))), 96);
        EXPECT_GE(first.x, whole.left + ring);
    }
}

// Tab reaches the assignment as a text to read: nothing of it selected, its start in sight.
// A box reached by Tab has its whole text selected, so that typing replaces it.
TEST_F(Window, TabSelectsABoxsTextButNotTheAssignments) {
    type(0, L"6");
    const auto tab = [this](HWND from) {
        SetFocus(from);
        MSG msg{from, WM_KEYDOWN, VK_TAB, 0, 0, {}};
        if (!window->preTranslate(msg)) {
            DispatchMessageW(&msg);
        }
        pump();
    };
    tab(window->Option1[0]);
    ASSERT_EQ(GetFocus(), window->Text1);
    DWORD start = 1, end = 0;
    SendMessageW(window->Text1, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
    EXPECT_EQ(SendMessageW(window->Text1, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    tab(window->Text1);
    ASSERT_EQ(GetFocus(), box(0));
    SendMessageW(box(0), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 1u);
}

// Tab and Shift+Tab enter the options at the chosen one, from either side.
TEST_F(Window, TabReachesOnlyTheChosenOption) {
    const auto tab = [this](HWND from, bool shift) {
        SetFocus(from);
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{from, WM_KEYDOWN, VK_TAB, 0, 0, {}};
        if (!window->preTranslate(msg)) {
            DispatchMessageW(&msg);
        }
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        pump();
        return GetFocus();
    };
    click(window->Option1[2]);
    EXPECT_EQ(tab(window->Text1, true), window->Option1[2]);
    EXPECT_EQ(tab(tab(window->Option1[2], true), false), window->Option1[2]);
    click(window->Option1[3]);
    EXPECT_EQ(tab(window->Text1, true), window->Option1[3]);
}

// The arrow keys move round the options and never on into the labels made after them, where
// the focus would be seen nowhere.
TEST_F(Window, ArrowKeysGoRoundTheOptions) {
    const auto press = [this](HWND from, WPARAM key) {
        SetFocus(from);
        MSG msg{from, WM_KEYDOWN, key, 0, 0, {}};
        if (!window->preTranslate(msg)) {
            DispatchMessageW(&msg);
        }
        pump();
        return GetFocus();
    };
    EXPECT_EQ(press(window->Option1.back(), VK_DOWN), window->Option1.front());
    EXPECT_EQ(press(window->Option1.front(), VK_UP), window->Option1.back());
}

// Leaving the window for another and coming back puts the keyboard where it was.
TEST_F(Window, FocusComesBackToItsControlWithTheWindow) {
    SetFocus(box(1));
    const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    pump();
    EXPECT_NE(GetFocus(), box(1));
    SetForegroundWindow(window->hwnd());
    pump();
    EXPECT_EQ(GetFocus(), box(1));
    DestroyWindow(other);
}

// Fifteen characters fit whole, never with digits below 8 pixels at 96 DPI.
TEST_F(Window, LongValuesStayWholeAndLegible) {
    click(window->Option1[0]);
    type(0, L"-99999999.999");
    type(1, L"99999999.999");
    click(window->Command1[0]);
    const Box& shown = window->box(0);
    EXPECT_FALSE(shown.isShortened());
    EXPECT_EQ(shown.shownText(), textOf(box(0)));
    const FontFit font = shown.fit().font;
    EXPECT_GE(font.pointSize, 6);
    EXPECT_EQ(shown.tooltipText() == textOf(box(0)), !(font == kBoxFitRules.full));
    // In rendered pixels: the rows of the box that hold ink.
    SetFocus(window->Command1[1]);
    UpdateWindow(window->hwnd());
    pump();
    RECT r{};
    GetClientRect(box(0), &r);
    const HDC dc = GetDC(box(0));
    int top = r.bottom, bottom = -1;
    for (int y = 2; y < r.bottom - 2; ++y) {
        for (int x = 2; x < r.right - 2; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ReleaseDC(box(0), dc);
    EXPECT_GE(bottom - top + 1, MulDiv(8, static_cast<int>(GetDpiForWindow(window->hwnd())), 96));
}

// Whether the box shows ink beside its line, clear of its ring, on the left and on the right;
// a glyph cut at the line's edge may reach a pixel past it.
std::pair<bool, bool> inkBesideTheLine(HWND control) {
    RECT client{}, line{};
    GetClientRect(control, &client);
    SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
    const int ring = MulDiv(4, static_cast<int>(GetDpiForWindow(control)), 96);
    const HDC dc = GetDC(control);
    const auto dark = [dc](int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100;
    };
    // The ring's top and bottom may cross the line's band: rows dark from end to end.
    const auto inkIn = [&dark, &line](int from, int to) {
        for (int y = line.top; y < line.bottom; ++y) {
            if (dark(from, y) && dark(to - 1, y)) {
                continue;
            }
            for (int x = from; x < to; ++x) {
                if (dark(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    const std::pair shown{inkIn(client.left + ring, line.left - 1),
                          inkIn(line.right + 1, client.right - ring)};
    ReleaseDC(control, dc);
    return shown;
}

// Typed in, a value too long for its box shows the part around the caret, as in any text box,
// and marks each end out of sight, so that the part cannot be read as a whole number.
TEST_F(Window, AnEditedLongValueMarksEachEndOutOfSight) {
    type(0, L"1");
    type(1, L"1000000000000000");
    click(window->Command1[0]);
    SetFocus(box(1));
    const int length = GetWindowTextLengthW(box(1));
    ASSERT_GT(length, 20);
    const struct {
        int caret;
        std::pair<bool, bool> marked;
    } cases[] = {{0, {false, true}}, {length, {true, false}}, {length / 2, {true, true}}};
    for (const auto& c : cases) {
        SendMessageW(box(1), EM_SETSEL, 0, 0);
        SendMessageW(box(1), EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
        SendMessageW(box(1), EM_SETSEL, static_cast<WPARAM>(c.caret), static_cast<LPARAM>(c.caret));
        HideCaret(box(1));
        pump();
        UpdateWindow(box(1));
        EXPECT_EQ(inkBesideTheLine(box(1)), c.marked) << "caret at " << c.caret;
    }
    // A value that fits keeps its whole line.
    SetFocus(box(0));
    HideCaret(box(0));
    pump();
    EXPECT_EQ(inkBesideTheLine(box(0)), (std::pair{false, false}));
}

// How deep the dark pixels (at least 3:1 against white-ish faces, and against every fixed
// colour here) reach in from each edge of the whole control, six pixels at 96 DPI at most:
// their number along the middle third of the edge, where a dashed ring has dashes too, over
// its length.
std::array<double, 4> darkOnEachSide(HWND control) {
    // As the screen shows it, with whatever stands over the control.
    RECT r{};
    GetWindowRect(control, &r);
    const HDC dc = GetDC(nullptr);
    const auto dark = [dc](int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100 ? 1 : 0;
    };
    const int across = (r.right - r.left) / 3, down = (r.bottom - r.top) / 3;
    const int depth = MulDiv(6, static_cast<int>(GetDpiForWindow(control)), 96);
    std::array<int, 4> count{};
    for (int d = 0; d < depth; ++d) {
        for (int y = r.top + down; y < r.top + 2 * down; ++y) {
            count[0] += dark(r.left + d, y);
            count[1] += dark(r.right - 1 - d, y);
        }
        for (int x = r.left + across; x < r.left + 2 * across; ++x) {
            count[2] += dark(x, r.top + d);
            count[3] += dark(x, r.bottom - 1 - d);
        }
    }
    ReleaseDC(nullptr, dc);
    return {1.0 * count[0] / down, 1.0 * count[1] / down, 1.0 * count[2] / across,
            1.0 * count[3] / across};
}

// Every kind of control marks the focus on all four sides, in rendered pixels.
TEST_F(Window, FocusIsMarkedOnEverySideOfEachKindOfControl) {
    // Boxes typed in and locked, in the first row and below it, in the first column and right
    // of it, where their neighbours stand over their edges.
    const std::pair<int, HWND> controls[] = {{0, window->Option1[1]},
                                             {0, window->Command1[0]},
                                             {0, box(0)},
                                             {0, box(4)},
                                             {0, box(9)},
                                             {0, box(14)},
                                             {2, box(9)},
                                             {2, box(11)},
                                             {0, window->Text1}};
    for (const auto& [variant, control] : controls) {
        click(window->Option1.at(static_cast<std::size_t>(variant)));
        SetFocus(window->Label1[0]);
        SetFocus(control == window->Command1[0] ? box(0) : window->Command1[0]);
        InvalidateRect(window->hwnd(), nullptr, TRUE);
        UpdateWindow(window->hwnd());
        pump();
        // The assignment's ring stands around it, in its parent.
        const HWND drawn = control == window->Text1 ? window->hwnd() : control;
        const auto before = darkOnEachSide(control == window->Text1 ? window->hwnd() : control);
        // Only what the focus and a key redraw, as when the user moves it and types.
        SetFocus(control);
        SendMessageW(control, WM_CHAR, L'1', 0);
        pump();
        // The caret is no mark of the focus.
        HideCaret(control);
        // The caret is no mark of the focus.
        HideCaret(control);
        ASSERT_EQ(GetFocus(), control);
        if (control == window->Text1) {
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
            const HDC dc = GetDC(window->hwnd());
            const COLORREF left = GetPixel(dc, r.left - 1, (r.top + r.bottom) / 2);
            const COLORREF above = GetPixel(dc, (r.left + r.right) / 2, r.top - 1);
            ReleaseDC(window->hwnd(), dc);
            EXPECT_EQ(left, RGB(0, 0, 0));
            EXPECT_EQ(above, RGB(0, 0, 0));
            continue;
        }
        const auto after = darkOnEachSide(drawn);
        for (std::size_t side = 0; side < 4; ++side) {
            // A ring at least a pixel deep along the edge, on average, where a dash is drawn.
            EXPECT_GE(after[side] - before[side], 1.0)
                << GetDlgCtrlID(control) << " in variant " << variant << ", side " << side;
        }
    }
}

// A system control taken over by a Window: what its handler answers is answered, the rest
// reaches the control's own procedure, and the window goes with its object.
class CountingEdit : public isosceles::Window {
public:
    explicit CountingEdit(HWND parent) {
        createControl(0, L"EDIT", L"", WS_CHILD, {0, 0, 50, 20}, parent, 1, nullptr);
    }
    int timers = 0;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER) {
            ++timers;
            return 0;
        }
        return inherited(message, wParam, lParam);
    }
};

TEST_F(Window, ATakenOverControlAnswersWhatItsHandlerDoesNotAndGoesWithItsObject) {
    auto edit = std::make_unique<CountingEdit>(window->hwnd());
    const HWND hwnd = edit->hwnd();
    SendMessageW(hwnd, WM_TIMER, 0, 0);
    EXPECT_EQ(edit->timers, 1);
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12,5"));
    EXPECT_EQ(textOf(hwnd), L"12,5");
    edit.reset();
    EXPECT_FALSE(IsWindow(hwnd));
}

// The tables' twips and the design's pixels reach the screen rounded to the nearest pixel, not
// cut down: a 15-twip band is two pixels at 144 DPI, as the other face draws it.
TEST(Dpi, ScalesToTheNearestPixel) {
    const struct {
        UINT dpi;
        int twips, pixels, at96, scaled;
        LONG fontHeight; // 12 pt
    } cases[] = {
        {96, 15, 1, 2, 2, -16},    {120, 15, 1, 2, 3, -20},    {144, 15, 2, 2, 3, -24},
        {144, 405, 41, 6, 9, -24}, {192, 975, 130, 1, 2, -32},
    };
    for (const auto& c : cases) {
        const Dpi dpi(c.dpi);
        EXPECT_EQ(dpi.fromTwips(c.twips), c.pixels) << c.dpi << " " << c.twips;
        EXPECT_EQ(dpi.pixels(c.at96), c.scaled) << c.dpi << " " << c.at96;
        EXPECT_EQ(dpi.fontHeight(12), c.fontHeight) << c.dpi;
    }
}

} // namespace
} // namespace isosceles
