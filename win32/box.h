#pragma once

#include "box_fit.h"
#include "window_view.h"

#include <windows.h>

#include <map>
#include <string>

namespace isosceles {

// One of the grid's boxes: a single-line edit control that always shows its whole text,
// fitted as layout/ decides (narrowed, then smaller down to a legible size, else a number's
// short form or the text's start and an ellipsis) while it is not being edited, the whole
// text then in its tooltip. Everything else it shows and how it answers keys is the view's.
// The text itself is never touched: all of this is drawing.
class Box {
public:
    // `covered`: how much of each of the box's edges its neighbours may stand over, in twips,
    // so that its focus ring is drawn where it stays in sight.
    Box(HWND edit, HWND tooltip, ShortFormOf shortForm, RECT covered);
    ~Box();
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    // The window's DPI and the face the box is drawn in at its full size.
    void setScale(UINT dpi, const LOGFONTW& face);

    // Fits the text anew; the window calls it whenever the text may have changed.
    void refit();

    // What a screen reader asking the box itself hears as its name.
    void setAccessibleName(std::wstring name) { name_ = std::move(name); }

    // Shows the box's menu at a point of the screen, as the view makes it, and does what is
    // chosen; the window asks for a disabled box, which gets no mouse input of its own.
    void showMenu(POINT screen);

    // Shows the box as the view says; the window has given the control its text and state.
    void show(const BoxView& view);
    const BoxView& view() const { return view_; }
    bool isShortened() const { return fit_.shown != Shown::Whole; }
    const BoxFit& fit() const { return fit_; }
    std::wstring shownText() const;
    std::wstring tooltipText() const;
    COLORREF textColour() const;
    // The face at the box's full size, at the window's DPI.
    const LOGFONTW& face() const { return face_; }
    COLORREF backgroundColour() const;

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool takes(KeyClass key) const;
    void paint();
    void decorate(HDC dc, POINT origin);
    void markHiddenEnds(HDC dc);
    void apply(BoxAction action);
    bool hasSelection() const;
    POINT clientOrigin() const;
    TEXTMETRICW metricsOf(HFONT font) const;
    HFONT fontAt(FontFit fit) const;
    bool drawsFaint(HFONT font) const;
    void forgetFonts();
    RECT room() const;
    std::wstring text() const;

    HWND edit_;
    HWND tooltip_;
    ShortFormOf shortForm_;
    RECT covered_;
    UINT dpi_ = 96;
    LOGFONTW face_{};
    double legible_ = 0;
    BoxFit fit_{kBoxFitRules.full, Shown::Whole, {}};
    BoxView view_{};
    int line_ = 0; // the height of a line in the font the control was given
    std::wstring tip_;
    std::wstring name_;
    mutable std::map<std::pair<int, int>, HFONT> fonts_;
    HFONT shownFont_ = nullptr; // the font the control was last given
    int markRoom_ = 0;          // kept free for a mark on either side of the line, in pixels
    int firstShown_ = -1;       // the first character in sight when the marks were drawn
};

} // namespace isosceles
