#pragma once

#include "box_fit.h"
#include "dpi.h"
#include "gdi.h"

#include <windows.h>

#include <map>
#include <optional>
#include <utility>

namespace isosceles {

// A box's face at the sizes and widths its fit asks for, at one DPI, upright or slanted.
// Fonts are kept by size in quarter points and width in percent while the face stays.
// Measured on the screen, as the boxes draw.
class BoxFonts {
public:
    // Another face, DPI or slant: every font is made anew.
    void setFace(const LOGFONTW& face, Dpi dpi, bool slanted);
    const LOGFONTW& face() const { return face_; }
    bool hasFace() const { return face_.lfFaceName[0] != L'\0'; }
    Dpi dpi() const { return dpi_; }
    bool slanted() const { return slanted_; }

    HFONT at(FontFit fit);
    TEXTMETRICW metricsOf(HFONT font) const;
    // The legible size of the face at the DPI, as layout/ finds it for these rules.
    double legibleSize(const TextMeasure& measure, const FitRules& rules) const;

private:
    bool drawsFaint(HFONT font) const;

    LOGFONTW face_{};
    Dpi dpi_;
    bool slanted_ = false;
    std::map<std::pair<int, int>, GdiObject<HFONT>> fonts_;
};

// GDI's text measured in a box's fonts.
class GdiMeasure : public TextMeasure {
public:
    explicit GdiMeasure(BoxFonts& fonts) : dc_(nullptr), fonts_(fonts) {}

    double width(std::u16string_view text, FontFit fit) const override;
    double digitHeight(FontFit fit) const override;

private:
    WindowDc dc_;
    BoxFonts& fonts_;
    mutable std::optional<double> digitsPerEm_;
};

} // namespace isosceles
