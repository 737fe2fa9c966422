#pragma once

#include "window_view.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace isosceles {

// A GDI object (font, brush, pen, bitmap) deleted with its owner.
struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

// A window's device context, released with it.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd, bool wholeWindow = false)
        : hwnd_(hwnd), dc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// The context of one WM_PAINT, ended with it.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    ~PaintDc() { EndPaint(hwnd_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a context for a scope, the one before selected again after it.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Solid brushes, one per colour, kept while their owner lives.
class Brushes {
public:
    HBRUSH of(COLORREF colour);
    HBRUSH of(Rgb colour);

private:
    std::map<COLORREF, GdiObject<HBRUSH>> brushes_;
};

// A ring `width` pixels deep inside `r`.
void drawRing(HDC dc, RECT r, int width, HBRUSH brush);
// A ring drawn with a pen `width` pixels wide along `r`, solid or dashed, its dashes as long
// as the ring is deep at any DPI.
void drawPenRing(HDC dc, RECT r, int width, COLORREF colour, RingLine line);

// Whether the font has a glyph of its own for every character of the text: GDI draws a
// missing one as a blank or a box, without looking for it in another font.
bool drawsAll(HFONT font, std::wstring_view text);

COLORREF colorRef(Rgb colour);
Rgb rgbOf(COLORREF colour);

// Lines given from the top left of `inside`, cut to it.
void drawLines(HDC dc, RECT inside, const std::vector<Segment>& lines, int width, COLORREF colour);
std::wstring windowText(HWND hwnd);
// Puts a text on the clipboard, as the system's own copy does.
void copyToClipboard(HWND owner, std::wstring_view text);

} // namespace isosceles
