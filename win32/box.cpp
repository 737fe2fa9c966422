#include "box.h"

#include "accessible_names.h"
#include "control_ids.h"
#include "convert.h"
#include "window_layout.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace isosceles {

namespace {

// The room beside the text inside a box, at 96 DPI, drawn or edited.
constexpr int kMargin = 2;

std::u16string u16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

} // namespace

Box::Box(HWND parent, int index, DWORD style, RECT place, HINSTANCE instance, ShortFormOf shortForm,
         BoxFonts& fonts, Brushes& brushes)
    : shortForm_(std::move(shortForm)), covered_(overlapOf(rowOf(Family::Text2, index), index)),
      fonts_(fonts), brushes_(brushes) {
    createControl(0, L"EDIT", L"", style | ES_CENTER | ES_AUTOHSCROLL, place, parent,
                  controlId(Family::Text2, index), instance);
    // Empty and upright until it is first shown, in the font it then takes.
    useFont(fonts_.at(kBoxFitRules.full, false), 0);
}

void Box::rescale() {
    shownFont_ = nullptr;
    legible_ = 0;
    refit();
}

void Box::show(const BoxView& view) {
    if (view.slanted != view_.slanted) {
        // The slanted face is measured anew: it is not as wide as the upright one.
        legible_ = 0;
    }
    view_ = view;
    refit();
}

RECT Box::room() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    const int margin = fonts_.dpi().pixels(kMargin);
    InflateRect(&r, -margin, 0);
    return r;
}

void Box::refit() {
    if (!fonts_.hasFace()) {
        return;
    }
    const std::wstring whole = windowText(hwnd());
    const RECT r = room();
    const int line = r.right - r.left;
    // An empty box, or one without room, shows its full font: nothing is measured.
    fit_ = BoxFit{kBoxFitRules.full, Shown::Whole, {}};
    int markRoom = 0;
    if (!whole.empty() && line > 0) {
        const GdiMeasure measure(fonts_, view_.slanted);
        FitRules rules = kBoxFitRules;
        rules.legibleDigitHeight = fonts_.dpi().pixels(rules.legibleDigitHeight);
        const auto legible = [this, &measure, &rules] {
            if (legible_ == 0) {
                legible_ = fonts_.legibleSize(measure, rules, view_.slanted);
            }
            return legible_;
        };
        fit_ = fitBoxText(u16(whole), line, measure, legible, shortForm_, rules);
        if (keepsMarkRoom(measure.width(u16(whole), fit_.font), line)) {
            markRoom = static_cast<int>(std::ceil(measure.width(kHiddenEndMark, fit_.font)));
        }
    }
    const std::u16string tip = tooltipOf(view_, u16(whole), fit_.altered(kBoxFitRules));
    tip_.assign(tip.begin(), tip.end());
    const HFONT font = fonts_.at(fit_.font, view_.slanted);
    // A window not yet shown is drawn whole when it is.
    const bool shown = IsWindowVisible(hwnd()) != FALSE;
    if (font == shownFont_ && markRoom == markRoom_) {
        // In the font it has, the control lays out and redraws a changed text by itself.
        if (shown) {
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        }
        return;
    }
    useFont(font, markRoom);
    if (!whole.empty()) {
        // The control keeps the scroll it had in the font before, which may hide the start of
        // a text that now fits: it is scrolled from the start again to the caret.
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        Edit_SetSel(hwnd(), 0, 0);
        Edit_SetSel(hwnd(), start, end);
    }
    if (shown) {
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

void Box::useFont(HFONT font, int markRoom) {
    if (font != shownFont_) {
        SetWindowFont(hwnd(), font, FALSE);
    }
    shownFont_ = font;
    markRoom_ = markRoom;
    // The control's own margins follow the font; the room the text was fitted to is kept,
    // less the marks' room where the text is wider.
    const int margin = fonts_.dpi().pixels(kMargin) + markRoom_;
    SendMessageW(hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    // The control lays its line out at the font's height.
    if (const int height = fonts_.lineHeight(font); height != line_) {
        line_ = height;
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

std::wstring Box::shownText() const {
    return isShortened() ? std::wstring(fit_.text.begin(), fit_.text.end()) : windowText(hwnd());
}

COLORREF Box::textColour() const {
    return view_.colours.text ? colorRef(*view_.colours.text) : GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF Box::backgroundColour() const {
    return view_.colours.background ? colorRef(*view_.colours.background)
                                    : GetSysColor(COLOR_WINDOW);
}

// The bands, the outline when the box is not edited, and the focus ring when it is: in the
// text colour, dashed where the box takes no typing. `dc` draws from `origin`, in the box's
// window coordinates: its whole window, or its client area while that is painted.
void Box::decorate(HDC dc, POINT origin) {
    RECT whole = whole_;
    RECT client = client_;
    OffsetRect(&client, -origin.x, -origin.y);
    OffsetRect(&whole, -origin.x, -origin.y);
    const HBRUSH background = brushes_.of(backgroundColour());
    const RECT above{whole.left, whole.top, whole.right, client.top};
    const RECT below{whole.left, client.bottom, whole.right, whole.bottom};
    FillRect(dc, &above, background);
    FillRect(dc, &below, background);
    if (view_.hatched) {
        // Over the line and its bands alike, inside the outline.
        const Dpi dpi = fonts_.dpi();
        RECT inside = whole;
        InflateRect(&inside, -1, -1);
        drawLines(
            dc, inside,
            hatchLines(inside.right - inside.left, inside.bottom - inside.top, dpi.pixels(1.0)),
            dpi.pixels(kClosedBoxHatch.width),
            colorRef(hatchInk(rgbOf(backgroundColour()), rgbOf(textColour()))));
    }
    if (GetFocus() != hwnd()) {
        FrameRect(dc, &whole, GetSysColorBrush(COLOR_BTNSHADOW));
        return;
    }
    const Dpi dpi = fonts_.dpi();
    whole.left += dpi.fromTwips(covered_.left);
    whole.top += dpi.fromTwips(covered_.top);
    whole.right -= dpi.fromTwips(covered_.right);
    whole.bottom -= dpi.fromTwips(covered_.bottom);
    drawPenRing(dc, whole, dpi.pixels(view_.ring.size.width), textColour(), view_.ring.line);
}

// Where the client area stands in the box's window.
POINT Box::clientOrigin() const {
    return {client_.left, client_.top};
}

// While the box is not edited it draws its line itself, so that the fitted text, centred in
// the fitted font, shows the same whether the box is enabled, locked or disabled.
void Box::paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, brushes_.of(backgroundColour()));
    {
        const Selected font(dc, fonts_.at(fit_.font, view_.slanted));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour());
        RECT r = room();
        const std::wstring shown = shownText();
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // The outline crosses the line's band at the box's sides.
    decorate(dc, clientOrigin());
}

LRESULT Box::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
        HANDLE_MSG(hwnd(), WM_NCCALCSIZE, onNcCalcSize);
        HANDLE_MSG(hwnd(), WM_NCPAINT, onNcPaint);
        HANDLE_MSG(hwnd(), WM_PAINT, onPaint);
        HANDLE_MSG(hwnd(), WM_ERASEBKGND, onEraseBackground);
        HANDLE_MSG(hwnd(), WM_SETFOCUS, onSetFocus);
        HANDLE_MSG(hwnd(), WM_KILLFOCUS, onKillFocus);
        HANDLE_MSG(hwnd(), WM_CONTEXTMENU, onContextMenu);
    case WM_NCHITTEST:
        // The bands are the box too: a click there edits it, the mouse there shows its tip.
        return HTCLIENT;
    case WM_GETOBJECT:
        if (const LRESULT answer = accessibleObject(
                hwnd(), wParam, lParam, name_,
                std::wstring(view_.spokenDescription.begin(), view_.spokenDescription.end()))) {
            return answer;
        }
        return inherited(message, wParam, lParam);
    case WM_LBUTTONUP:
        result = inherited(message, wParam, lParam);
        explainAtOnce();
        break;
    case WM_CHAR:
        result = HANDLE_WM_CHAR(hwnd(), wParam, lParam, onChar);
        break;
    case WM_KEYDOWN:
        result = HANDLE_WM_KEYDOWN(hwnd(), wParam, lParam, onKeyDown);
        break;
    case WM_PASTE:
        result = HANDLE_WM_PASTE(hwnd(), wParam, lParam, onPaste);
        break;
    case WM_CUT:
        result = HANDLE_WM_CUT(hwnd(), wParam, lParam, onCut);
        break;
    case WM_CLEAR:
        result = HANDLE_WM_CLEAR(hwnd(), wParam, lParam, onClear);
        break;
    default:
        result = inherited(message, wParam, lParam);
        break;
    }
    if (message != EM_GETFIRSTVISIBLELINE) {
        followScroll();
    }
    return result;
}

UINT Box::onNcCalcSize(HWND hwnd, BOOL validRects, NCCALCSIZE_PARAMS* sizes) {
    // The box's line stands in its middle: the bands above and below it are the edit
    // control's non-client area, which the box paints, so that the control keeps its own
    // one-line behaviour and still shows its text where it stands while not edited.
    const RECT window = sizes->rgrc[0];
    const UINT result = FORWARD_WM_NCCALCSIZE(hwnd, validRects, sizes, forwarder());
    RECT& client = sizes->rgrc[0];
    const int spare = std::max<int>(0, client.bottom - client.top - line_);
    client.top += spare / 2;
    client.bottom -= spare - spare / 2;
    // Kept for drawing, which would otherwise ask the system for them at every paint.
    whole_ = {0, 0, window.right - window.left, window.bottom - window.top};
    client_ = client;
    OffsetRect(&client_, -window.left, -window.top);
    return result;
}

void Box::onNcPaint(HWND hwnd, HRGN) {
    const WindowDc dc(hwnd, true);
    decorate(dc, {0, 0});
}

void Box::onPaint(HWND hwnd) {
    if (GetFocus() != hwnd) {
        const PaintDc dc(hwnd);
        paint(dc);
        return;
    }
    // Edited, the box draws as its control does, and the ring crosses the line's band.
    FORWARD_WM_PAINT(hwnd, forwarder());
    const WindowDc dc(hwnd);
    markHiddenEnds(dc);
    decorate(dc, clientOrigin());
}

BOOL Box::onEraseBackground(HWND hwnd, HDC dc) {
    return GetFocus() != hwnd ? TRUE : FORWARD_WM_ERASEBKGND(hwnd, dc, forwarder());
}

void Box::onSetFocus(HWND hwnd, HWND before) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    FORWARD_WM_SETFOCUS(hwnd, before, forwarder());
}

void Box::onKillFocus(HWND hwnd, HWND next) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    FORWARD_WM_KILLFOCUS(hwnd, next, forwarder());
}

// The control scrolls its line without a full repaint: the marks follow the scroll.
void Box::followScroll() {
    if (markRoom_ == 0 || hwnd() == nullptr || GetFocus() != hwnd()) {
        return;
    }
    const int first = Edit_GetFirstVisibleLine(hwnd());
    if (first != firstShown_) {
        firstShown_ = first;
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

// An end of the text out of sight is marked in the room kept beside the line.
void Box::markHiddenEnds(HDC dc) {
    const std::wstring whole = windowText(hwnd());
    if (markRoom_ == 0 || whole.empty()) {
        return;
    }
    RECT line{};
    Edit_GetRect(hwnd(), &line);
    const auto x = [this](std::size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(hwnd(), EM_POSFROMCHAR, index, 0)));
    };
    const Selected font(dc, shownFont_);
    SIZE last{};
    GetTextExtentPoint32W(dc, &whole.back(), 1, &last);
    const HiddenEnds hidden =
        hiddenEnds(x(0), x(whole.size() - 1) + last.cx, line.left, line.right);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const RECT marks[] = {{line.left - markRoom_, client.top, line.left, client.bottom},
                          {line.right, client.top, line.right + markRoom_, client.bottom}};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour());
    for (const bool end : {false, true}) {
        // The control leaves the room as it was: a mark no longer due is cleared.
        RECT r = marks[end ? 1 : 0];
        FillRect(dc, &r, brushes_.of(backgroundColour()));
        if (end ? hidden.end : hidden.start) {
            DrawTextW(dc, reinterpret_cast<const wchar_t*>(kHiddenEndMark.data()),
                      static_cast<int>(kHiddenEndMark.size()), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }
}

} // namespace isosceles
