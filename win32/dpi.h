#pragma once

#include <windows.h>

namespace isosceles {

// The window's dots per inch and every conversion to its pixels: the tables' twips, the
// design's pixels at 96 DPI and the fonts' points are scaled here and nowhere else.
class Dpi {
public:
    explicit Dpi(UINT dpi = USER_DEFAULT_SCREEN_DPI) : dpi_(static_cast<int>(dpi)) {}

    UINT value() const { return static_cast<UINT>(dpi_); }
    // A length of the design, given in pixels at 96 DPI.
    int pixels(int at96) const { return MulDiv(at96, dpi_, USER_DEFAULT_SCREEN_DPI); }
    double pixels(double at96) const { return at96 * dpi_ / USER_DEFAULT_SCREEN_DPI; }
    int fromTwips(int twips) const { return MulDiv(twips, dpi_, kTwipsPerInch); }
    RECT fromTwips(int left, int top, int width, int height) const {
        return {fromTwips(left), fromTwips(top), fromTwips(left + width), fromTwips(top + height)};
    }
    double fromPoints(double points) const { return points * dpi_ / kPointsPerInch; }
    // A font's height as LOGFONT takes it: negative, the em without the internal leading.
    LONG fontHeight(int points) const { return -MulDiv(points, dpi_, kPointsPerInch); }

    friend bool operator==(const Dpi&, const Dpi&) = default;

private:
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kPointsPerInch = 72;
    int dpi_;
};

} // namespace isosceles
