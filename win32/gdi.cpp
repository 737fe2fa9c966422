#include "gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace isosceles {

HBRUSH Brushes::of(COLORREF colour) {
    auto& brush = brushes_[colour];
    if (!brush) {
        brush.reset(CreateSolidBrush(colour));
    }
    return brush.get();
}

HBRUSH Brushes::of(Rgb colour) {
    return of(colorRef(colour));
}

void drawRing(HDC dc, RECT r, int width, HBRUSH brush) {
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &r, brush);
        InflateRect(&r, -1, -1);
    }
}

void drawPenRing(HDC dc, RECT r, int width, COLORREF colour, RingLine line) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    const DWORD dashes = line == RingLine::Dashed ? PS_DASH : PS_SOLID;
    const GdiObject<HPEN> pen(ExtCreatePen(PS_GEOMETRIC | dashes | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                           static_cast<DWORD>(width), &brush, 0, nullptr));
    const Selected withPen(dc, pen.get());
    const Selected hollow(dc, GetStockObject(NULL_BRUSH));
    const int half = width / 2;
    Rectangle(dc, r.left + half, r.top + half, r.right - half + 1, r.bottom - half + 1);
}

void drawLines(HDC dc, RECT inside, const std::vector<Segment>& lines, int width, COLORREF colour) {
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, width, colour));
    const Selected withPen(dc, pen.get());
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    for (const Segment& line : lines) {
        MoveToEx(dc, inside.left + static_cast<int>(std::lround(line.x1)),
                 inside.top + static_cast<int>(std::lround(line.y1)), nullptr);
        LineTo(dc, inside.left + static_cast<int>(std::lround(line.x2)),
               inside.top + static_cast<int>(std::lround(line.y2)));
    }
    RestoreDC(dc, saved);
}

Rgb rgbOf(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

bool drawsAll(HFONT font, std::wstring_view text) {
    const WindowDc dc(nullptr);
    const Selected selected(dc, font);
    std::vector<WORD> glyphs(text.size());
    const DWORD done = GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()),
                                        glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    return done == text.size() &&
           std::find(glyphs.begin(), glyphs.end(), WORD{0xFFFF}) == glyphs.end();
}

COLORREF colorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

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
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

} // namespace isosceles
