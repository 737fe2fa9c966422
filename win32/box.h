#pragma once

#include "box_fit.h"
#include "box_fonts.h"
#include "dpi.h"
#include "gdi.h"
#include "window.h"
#include "window_view.h"

#include <windows.h>

#include <functional>
#include <string>

namespace isosceles {

// One of the grid's boxes: a single-line edit control that always shows its whole text,
// fitted as layout/ decides (narrowed, then smaller down to a legible size, else a number's
// short form or the text's start and an ellipsis) while it is not being edited, the whole
// text then in its tooltip. Everything else it shows and how it answers keys is the view's.
// The text itself is never touched: all of this is drawing.
class Box : public Window {
public:
    // `fonts` and `brushes` are the window's, shared by its boxes.
    Box(HWND parent, int index, DWORD style, RECT place, HINSTANCE instance, ShortFormOf shortForm,
        BoxFonts& fonts, Brushes& brushes);

    // The fonts changed with the window's DPI: the box is fitted anew.
    void rescale();

    // What a screen reader asking the box itself hears as its name.
    void setAccessibleName(std::wstring name) { name_ = std::move(name); }

    // Shows the box's menu at a point of the screen, as the view makes it, and does what is
    // chosen; the window asks for a disabled box, which gets no mouse input of its own.
    void showMenu(POINT screen);

    // Called when the row's working is chosen from the box's menu.
    void onWorkingAsked(std::function<void()> handler) { workingAsked_ = std::move(handler); }
    // The box wants its tooltip shown now, where the view says it explains itself at once.
    void onExplainAsked(std::function<void()> handler) { explainAsked_ = std::move(handler); }

    // Shows the box as the view says; the window has given the control its text and state.
    void show(const BoxView& view);
    const BoxView& view() const { return view_; }
    bool isShortened() const { return fit_.shown != Shown::Whole; }
    const BoxFit& fit() const { return fit_; }
    std::wstring shownText() const;
    const std::wstring& tooltipText() const { return tip_; }
    COLORREF textColour() const;
    COLORREF backgroundColour() const;
    // The face at the box's full size, at the window's DPI.
    const LOGFONTW& face() const { return fonts_.face(); }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    UINT onNcCalcSize(HWND hwnd, BOOL validRects, NCCALCSIZE_PARAMS* sizes);
    void onNcPaint(HWND hwnd, HRGN region);
    void onPaint(HWND hwnd);
    BOOL onEraseBackground(HWND hwnd, HDC dc);
    void onSetFocus(HWND hwnd, HWND before);
    void onKillFocus(HWND hwnd, HWND next);
    void onContextMenu(HWND hwnd, HWND clicked, UINT x, UINT y);
    void onChar(HWND hwnd, TCHAR character, int repeat);
    void onKeyDown(HWND hwnd, UINT key, BOOL down, int repeat, UINT flags);
    void onPaste(HWND hwnd);
    void onCut(HWND hwnd);
    void onClear(HWND hwnd);
    void followScroll();

    void refit();
    void useFont(HFONT font, int markRoom);
    bool takes(KeyClass key) const;
    void explainAtOnce() const;
    void paint(HDC dc);
    void decorate(HDC dc, POINT origin);
    void markHiddenEnds(HDC dc);
    void apply(BoxAction action);
    bool hasSelection() const;
    POINT clientOrigin() const;
    RECT room() const;

    ShortFormOf shortForm_;
    std::function<void()> workingAsked_;
    std::function<void()> explainAsked_;
    Edges covered_; // how far neighbours stand over each edge, in twips
    BoxFonts& fonts_;
    Brushes& brushes_;
    double legible_ = 0;
    BoxFit fit_{kBoxFitRules.full, Shown::Whole, {}};
    BoxView view_{};
    int line_ = 0; // the height of a line in the font the control was given
    // The box's window and its client area within it, as last laid out.
    RECT whole_{};
    RECT client_{};
    std::wstring tip_;
    std::wstring name_;
    HFONT shownFont_ = nullptr; // the font the control was last given
    int markRoom_ = 0;          // kept free for a mark on either side of the line, in pixels
    int firstShown_ = -1;       // the first character in sight when the marks were drawn
};

} // namespace isosceles
