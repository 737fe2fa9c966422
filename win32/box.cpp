#include "box.h"

#include "accessible_names.h"
#include "convert.h"
#include "window_layout.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

namespace isosceles {

namespace {

constexpr double kPointsPerInch = 72;
// The room beside the text inside a box, at 96 DPI, drawn or edited.
constexpr int kMargin = 2;

// GDI's text measured in the box's own face, at a size and a width.
class GdiMeasure : public TextMeasure {
public:
    GdiMeasure(HWND hwnd, const LOGFONTW& face, UINT dpi, std::function<HFONT(FontFit)> font)
        : hwnd_(hwnd), dc_(GetDC(hwnd)), face_(face), dpi_(dpi), font_(std::move(font)) {}
    ~GdiMeasure() override { ReleaseDC(hwnd_, dc_); }
    GdiMeasure(const GdiMeasure&) = delete;
    GdiMeasure& operator=(const GdiMeasure&) = delete;

    double width(std::u16string_view text, FontFit fit) const override {
        const HGDIOBJ old = SelectObject(dc_, font_(fit));
        SIZE size{};
        GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                              static_cast<int>(text.size()), &size);
        SelectObject(dc_, old);
        return size.cx;
    }

    // The digits' height as the face is designed, not as hinting rounds it up at a small
    // size: measured once at a large size and scaled. A face without outlines (a bitmap
    // face) has only the sizes it has: its digits are measured at the size the system gave,
    // or, where even that fails, taken as its ascent above the baseline.
    double digitHeight(FontFit fit) const override {
        if (!digitsPerEm_) {
            LOGFONTW large = face_;
            large.lfHeight = -kLargeEm;
            large.lfWidth = 0;
            const HFONT font = CreateFontIndirectW(&large);
            const HGDIOBJ old = SelectObject(dc_, font);
            const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
            UINT tallest = 0;
            for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
                GLYPHMETRICS metrics{};
                if (GetGlyphOutlineW(dc_, digit, GGO_METRICS, &metrics, 0, nullptr, &identity) !=
                    GDI_ERROR) {
                    tallest = std::max(tallest, metrics.gmBlackBoxY);
                }
            }
            TEXTMETRICW given{};
            const bool known = GetTextMetricsW(dc_, &given) != 0;
            SelectObject(dc_, old);
            DeleteObject(font);
            const LONG em = known ? given.tmHeight - given.tmInternalLeading : 0;
            if (tallest == 0 && known) {
                tallest =
                    static_cast<UINT>(std::max<LONG>(0, given.tmAscent - given.tmInternalLeading));
            }
            digitsPerEm_ = em > 0 ? static_cast<double>(tallest) / em : kFallbackDigitsPerEm;
        }
        return *digitsPerEm_ * fit.pointSize * dpi_ / kPointsPerInch;
    }

private:
    static constexpr LONG kLargeEm = 1000;
    // A serif's digits, where the system reports nothing of the face: about 0.66 em.
    static constexpr double kFallbackDigitsPerEm = 0.66;

    HWND hwnd_;
    HDC dc_;
    LOGFONTW face_;
    UINT dpi_;
    std::function<HFONT(FontFit)> font_;
    mutable std::optional<double> digitsPerEm_;
};

std::u16string u16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

// Puts a text on the clipboard, as the system's own copy does.
void copyToClipboard(HWND owner, std::wstring_view text) {
    if (!OpenClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        auto* target = static_cast<wchar_t*>(GlobalLock(memory));
        std::copy(text.begin(), text.end(), target);
        target[text.size()] = L'\0';
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

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

Box::Box(HWND edit, HWND tooltip, ShortFormOf shortForm, RECT covered)
    : edit_(edit), tooltip_(tooltip), shortForm_(std::move(shortForm)), covered_(covered) {
    SetWindowSubclass(edit_, subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(edit_);
    tool.uId = reinterpret_cast<UINT_PTR>(edit_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

Box::~Box() {
    RemoveWindowSubclass(edit_, subclassProc, 0);
    forgetFonts();
}

// The fonts and the legible size belong to one face at one DPI; another is measured anew.
void Box::forgetFonts() {
    for (const auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
    fonts_.clear();
    shownFont_ = nullptr;
    legible_ = 0;
}

void Box::setScale(UINT dpi, const LOGFONTW& face) {
    dpi_ = dpi;
    face_ = face;
    forgetFonts();
    refit();
}

// Fonts by size in quarter points and width in percent, kept while the DPI stays.
HFONT Box::fontAt(FontFit fit) const {
    const std::pair key{static_cast<int>(std::lround(fit.pointSize * 4)), fit.stretch};
    if (const auto found = fonts_.find(key); found != fonts_.end()) {
        return found->second;
    }
    LOGFONTW face = face_;
    face.lfHeight = -static_cast<LONG>(std::lround(fit.pointSize * dpi_ / kPointsPerInch));
    face.lfItalic = view_.slanted ? TRUE : FALSE;
    face.lfWidth = 0;
    if (fit.stretch != 100) {
        // A width of its own: the face's average character width at this size, narrowed.
        const HFONT natural = CreateFontIndirectW(&face);
        const LONG average = metricsOf(natural).tmAveCharWidth;
        DeleteObject(natural);
        // A face that reports no width is left at its own.
        face.lfWidth = std::max<LONG>(0, average * fit.stretch / 100);
    }
    HFONT font = CreateFontIndirectW(&face);
    if (fit.stretch != 100 && drawsFaint(font)) {
        // Smoothed narrow strokes can fall between pixels and come out grey (so Wine draws
        // them): the digits are then drawn unsmoothed, whole in black.
        DeleteObject(font);
        face.lfQuality = NONANTIALIASED_QUALITY;
        font = CreateFontIndirectW(&face);
    }
    fonts_.emplace(key, font);
    return font;
}

// Whether the digits, drawn black on white in this font as the system smooths it, come out
// mostly grey: less than a third of the pixels they touch dark.
bool Box::drawsFaint(HFONT font) const {
    constexpr std::wstring_view kDigits = L"0123456789";
    const HDC screen = GetDC(edit_);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, kDigits.data(), static_cast<int>(kDigits.size()), &extent);
    const int width = extent.cx + 8;
    const int height = extent.cy + 8;
    // A bitmap of the screen's kind, so that the text is drawn as on the box itself.
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(edit_, screen);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (bitmap != nullptr) {
        const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 4, 4, kDigits.data(), static_cast<int>(kDigits.size()));
        SelectObject(dc, oldBitmap);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
    }
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    int touched = 0;
    int dark = 0;
    for (const std::uint32_t pixel : pixels) {
        const auto sum = (pixel & 0xff) + (pixel >> 8 & 0xff) + (pixel >> 16 & 0xff);
        touched += sum < 3 * 224 ? 1 : 0;
        dark += sum < 3 * 96 ? 1 : 0;
    }
    return dark * 3 < touched;
}

RECT Box::room() const {
    RECT r{};
    GetClientRect(edit_, &r);
    const int margin = MulDiv(kMargin, static_cast<int>(dpi_), 96);
    InflateRect(&r, -margin, 0);
    return r;
}

std::wstring Box::text() const {
    const int length = GetWindowTextLengthW(edit_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void Box::refit() {
    if (face_.lfFaceName[0] == L'\0') {
        return;
    }
    LOGFONTW face = face_;
    face.lfItalic = view_.slanted ? TRUE : FALSE;
    const GdiMeasure measure(edit_, face, dpi_, [this](FontFit fit) { return fontAt(fit); });
    FitRules rules = kBoxFitRules;
    rules.legibleDigitHeight = rules.legibleDigitHeight * dpi_ / 96;
    if (legible_ == 0) {
        // The same for every box of a face at a DPI, and costly to find: found once.
        static std::map<std::tuple<UINT, bool, std::wstring>, double> known;
        const auto key = std::make_tuple(dpi_, view_.slanted, std::wstring(face_.lfFaceName));
        const auto found = known.find(key);
        legible_ = found != known.end()
                       ? found->second
                       : known.emplace(key, legibleSize(measure, rules)).first->second;
    }
    const std::wstring whole = text();
    const RECT r = room();
    // A box not yet placed has no room to fit to: it takes its full font until it is.
    fit_ = r.right > r.left
               ? fitBoxText(u16(whole), r.right - r.left, measure, legible_, shortForm_, rules)
               : BoxFit{kBoxFitRules.full, Shown::Whole, {}};
    const std::u16string tip = tooltipOf(view_, u16(whole), fit_.altered(kBoxFitRules));
    tip_.assign(tip.begin(), tip.end());
    const HFONT font = fontAt(fit_.font);
    const int line = r.right - r.left;
    const int markRoom = line > 0 && keepsMarkRoom(measure.width(u16(whole), fit_.font), line)
                             ? static_cast<int>(std::ceil(measure.width(kHiddenEndMark, fit_.font)))
                             : 0;
    if (font == shownFont_ && markRoom == markRoom_) {
        // In the font it has, the control lays out and redraws a changed text by itself.
        RedrawWindow(edit_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return;
    }
    const bool newFont = font != shownFont_;
    shownFont_ = font;
    markRoom_ = markRoom;
    if (newFont) {
        SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // The control's own margins follow the font; the room the text was fitted to is kept,
    // less the marks' room where the text is wider.
    const int margin = MulDiv(kMargin, static_cast<int>(dpi_), 96) + markRoom_;
    SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    // The control lays its line out at the font's height.
    if (const int height = metricsOf(font).tmHeight; height != line_) {
        line_ = height;
        RECT placed{};
        GetWindowRect(edit_, &placed);
        if (placed.bottom > placed.top) {
            SetWindowPos(edit_, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                             SWP_NOACTIVATE);
        }
    }
    // The control keeps the scroll it had in the font before, which may hide the start of a
    // text that now fits: it is scrolled from the start again to the caret.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageW(edit_, EM_SETSEL, 0, 0);
    SendMessageW(edit_, EM_SETSEL, start, end);
    RedrawWindow(edit_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void Box::show(const BoxView& view) {
    const bool slanted = view_.slanted;
    view_ = view;
    if (view.slanted != slanted) {
        // The slanted face is measured anew: it is not as wide as the upright one.
        forgetFonts();
    }
    refit();
}

std::wstring Box::shownText() const {
    return isShortened() ? std::wstring(fit_.text.begin(), fit_.text.end()) : text();
}

std::wstring Box::tooltipText() const {
    return tip_;
}

COLORREF Box::textColour() const {
    return view_.colours.text ? colorRef(*view_.colours.text) : GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF Box::backgroundColour() const {
    return view_.colours.background ? colorRef(*view_.colours.background)
                                    : GetSysColor(COLOR_WINDOW);
}

TEXTMETRICW Box::metricsOf(HFONT font) const {
    const HDC dc = GetDC(edit_);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit_, dc);
    return metrics;
}

// The bands, the outline when the box is not edited, and the focus ring when it is: in the
// text colour, dashed where the box takes no typing. `dc` draws from `origin`, in the box's
// window coordinates: its whole window, or its client area while that is painted.
void Box::decorate(HDC dc, POINT origin) {
    RECT whole{};
    GetWindowRect(edit_, &whole);
    RECT client{};
    GetClientRect(edit_, &client);
    MapWindowPoints(edit_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -whole.left - origin.x, -whole.top - origin.y);
    OffsetRect(&whole, -whole.left - origin.x, -whole.top - origin.y);
    const HBRUSH background = CreateSolidBrush(backgroundColour());
    const RECT above{whole.left, whole.top, whole.right, client.top};
    const RECT below{whole.left, client.bottom, whole.right, whole.bottom};
    FillRect(dc, &above, background);
    FillRect(dc, &below, background);
    DeleteObject(background);
    if (GetFocus() != edit_) {
        FrameRect(dc, &whole, GetSysColorBrush(COLOR_BTNSHADOW));
        return;
    }
    const auto inset = [this](LONG twips) { return MulDiv(twips, static_cast<int>(dpi_), 1440); };
    whole.left += inset(covered_.left);
    whole.top += inset(covered_.top);
    whole.right -= inset(covered_.right);
    whole.bottom -= inset(covered_.bottom);
    const int width = MulDiv(view_.ring.size.width, static_cast<int>(dpi_), 96);
    LOGBRUSH brush{BS_SOLID, textColour(), 0};
    const DWORD line = view_.ring.line == RingLine::Dashed ? PS_DASH : PS_SOLID;
    const HPEN pen = ExtCreatePen(PS_GEOMETRIC | line | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                  static_cast<DWORD>(width), &brush, 0, nullptr);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int half = width / 2;
    Rectangle(dc, whole.left + half, whole.top + half, whole.right - half + 1,
              whole.bottom - half + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Where the client area stands in the box's window.
POINT Box::clientOrigin() const {
    RECT whole{};
    GetWindowRect(edit_, &whole);
    POINT origin{0, 0};
    ClientToScreen(edit_, &origin);
    return {origin.x - whole.left, origin.y - whole.top};
}

// While the box is not edited it draws its line itself, so that the fitted text, centred in
// the fitted font, shows the same whether the box is enabled, locked or disabled.
void Box::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(edit_, &ps);
    RECT client{};
    GetClientRect(edit_, &client);
    const HBRUSH background = CreateSolidBrush(backgroundColour());
    FillRect(dc, &client, background);
    DeleteObject(background);
    const HGDIOBJ old = SelectObject(dc, fontAt(fit_.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour());
    RECT r = room();
    const std::wstring shown = shownText();
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    // The outline crosses the line's band at the box's sides.
    decorate(dc, clientOrigin());
    EndPaint(edit_, &ps);
}

LRESULT CALLBACK Box::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) {
    (void)hwnd;
    return reinterpret_cast<Box*>(self)->handle(message, wParam, lParam);
}

bool Box::hasSelection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start != end;
}

void Box::showMenu(POINT screen) {
    const std::vector<MenuItem> items =
        boxMenu(view_, {SendMessageW(edit_, EM_CANUNDO, 0, 0) != 0, hasSelection(),
                        IsClipboardFormatAvailable(CF_UNICODETEXT) != 0});
    if (items.empty()) {
        return;
    }
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the box's middle.
        RECT r{};
        GetWindowRect(edit_, &r);
        screen = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    const HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(item.action) + 1, widen(item.text).c_str());
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                      GetParent(edit_), nullptr);
    DestroyMenu(menu);
    if (chosen > 0) {
        apply(static_cast<BoxAction>(chosen - 1));
    }
}

void Box::apply(BoxAction action) {
    switch (action) {
    case BoxAction::Undo:
        SendMessageW(edit_, EM_UNDO, 0, 0);
        break;
    case BoxAction::Cut:
        SendMessageW(edit_, WM_CUT, 0, 0);
        break;
    case BoxAction::Copy:
        if (hasSelection()) {
            SendMessageW(edit_, WM_COPY, 0, 0);
        } else {
            copyToClipboard(GetParent(edit_), text());
        }
        break;
    case BoxAction::Paste:
        SendMessageW(edit_, WM_PASTE, 0, 0);
        break;
    case BoxAction::Delete:
        SendMessageW(edit_, WM_CLEAR, 0, 0);
        break;
    case BoxAction::SelectAll:
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        break;
    }
}

// Whether the box takes a key of this class; a refused one is answered with the system's sound.
bool Box::takes(KeyClass key) const {
    const KeyAnswer answer = answerKey(view_, key);
    if (answer.sound) {
        MessageBeep(MB_OK);
    }
    return answer.taken;
}

LRESULT Box::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        // The box's line stands in its middle: the bands above and below it are the edit
        // control's non-client area, which the box paints, so that the control keeps its own
        // one-line behaviour and still shows its text where it stands while not edited.
        const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
        auto* client = reinterpret_cast<RECT*>(lParam);
        const int spare = std::max<int>(0, client->bottom - client->top - line_);
        client->top += spare / 2;
        client->bottom -= spare - spare / 2;
        return result;
    }
    case WM_GETOBJECT:
        if (const LRESULT answer =
                accessibleObject(edit_, wParam, lParam, name_, widen(view_.description))) {
            return answer;
        }
        break;
    case WM_NCHITTEST:
        // The bands are the box too: a click there edits it, the mouse there shows its tip.
        return HTCLIENT;
    case WM_NCPAINT: {
        const HDC dc = GetWindowDC(edit_);
        decorate(dc, {0, 0});
        ReleaseDC(edit_, dc);
        return 0;
    }
    case WM_PAINT: {
        if (GetFocus() != edit_) {
            paint();
            return 0;
        }
        // Edited, the box draws as its control does, and the ring crosses the line's band.
        DefSubclassProc(edit_, message, wParam, lParam);
        const HDC dc = GetDC(edit_);
        markHiddenEnds(dc);
        decorate(dc, clientOrigin());
        ReleaseDC(edit_, dc);
        return 0;
    }
    case WM_ERASEBKGND:
        if (GetFocus() != edit_) {
            return 1;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        RedrawWindow(edit_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        break;
    case WM_CONTEXTMENU:
        showMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CHAR:
        if (!takes(classOfCharacter(static_cast<wchar_t>(wParam)))) {
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_DELETE && !takes(KeyClass::Deleting)) {
            return 0;
        }
        break;
    case WM_PASTE:
        if (!takes(KeyClass::Pasting)) {
            return 0;
        }
        break;
    case WM_CUT:
        if (!takes(KeyClass::Cutting)) {
            return 0;
        }
        break;
    case WM_CLEAR:
        if (!takes(KeyClass::Deleting)) {
            return 0;
        }
        break;
    default:
        break;
    }
    if (markRoom_ == 0 || GetFocus() != edit_) {
        return DefSubclassProc(edit_, message, wParam, lParam);
    }
    // The control scrolls its line without a full repaint; the marks follow the scroll.
    const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
    if (message != WM_PAINT && message != EM_GETFIRSTVISIBLELINE) {
        const auto first = static_cast<int>(SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
        if (first != firstShown_) {
            firstShown_ = first;
            InvalidateRect(edit_, nullptr, FALSE);
        }
    }
    return result;
}

// An end of the text out of sight is marked in the room kept beside the line.
void Box::markHiddenEnds(HDC dc) {
    const std::wstring whole = text();
    if (markRoom_ == 0 || whole.empty()) {
        return;
    }
    RECT line{};
    SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
    const auto x = [this](std::size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(edit_, EM_POSFROMCHAR, index, 0)));
    };
    const HGDIOBJ old = SelectObject(dc, shownFont_);
    SIZE last{};
    GetTextExtentPoint32W(dc, &whole.back(), 1, &last);
    const HiddenEnds hidden =
        hiddenEnds(x(0), x(whole.size() - 1) + last.cx, line.left, line.right);
    RECT client{};
    GetClientRect(edit_, &client);
    const RECT marks[] = {{line.left - markRoom_, client.top, line.left, client.bottom},
                          {line.right, client.top, line.right + markRoom_, client.bottom}};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour());
    const HBRUSH background = CreateSolidBrush(backgroundColour());
    for (const bool end : {false, true}) {
        // The control leaves the room as it was: a mark no longer due is cleared.
        RECT r = marks[end ? 1 : 0];
        FillRect(dc, &r, background);
        if (end ? hidden.end : hidden.start) {
            DrawTextW(dc, reinterpret_cast<const wchar_t*>(kHiddenEndMark.data()),
                      static_cast<int>(kHiddenEndMark.size()), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }
    DeleteObject(background);
    SelectObject(dc, old);
}

} // namespace isosceles
