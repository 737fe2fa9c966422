#pragma once

#include "box_fit.h"
#include "dpi.h"
#include "gdi.h"

#include <windows.h>

#include <map>
#include <optional>
#include <tuple>
#include <utility>

namespace isosceles {

// The boxes' face at the sizes and widths their fits ask for, upright or slanted, at one DPI:
// made once for all the boxes, by size in quarter points, width in percent and slant.
// Measured on the screen, as the boxes draw.
class BoxFonts {
public:
    // Another face or DPI: every font is made anew. Those made before stay alive until the
    // next change, for the boxes hold them until they are fitted again.
    void setFace(const LOGFONTW& face, Dpi dpi);
    const LOGFONTW& face() const { return face_; }
    bool hasFace() const { return face_.lfFaceName[0] != L'\0'; }
    Dpi dpi() const { return dpi_; }

    HFONT at(FontFit fit, bool slanted);
    TEXTMETRICW metricsOf(HFONT font) const;
    // The height of a line in one of these fonts.
    int lineHeight(HFONT font);
    // The legible size of the face at the DPI, as layout/ finds it for these rules.
    double legibleSize(const TextMeasure& measure, const FitRules& rules, bool slanted) const;

private:
    using Key = std::tuple<int, int, bool>;
    bool drawsFaint(HFONT font) const;

    LOGFONTW face_{};
    Dpi dpi_;
    std::map<Key, GdiObject<HFONT>> fonts_;
    std::map<Key, GdiObject<HFONT>> retired_;
    std::map<HFONT, int> lineHeights_;
};

// GDI's text measured in a box's fonts.
class GdiMeasure : public TextMeasure {
public:
    GdiMeasure(BoxFonts& fonts, bool slanted) : dc_(nullptr), fonts_(fonts), slanted_(slanted) {}

    double width(std::u16string_view text, FontFit fit) const override;
    double digitHeight(FontFit fit) const override;

private:
    WindowDc dc_;
    BoxFonts& fonts_;
    bool slanted_;
    mutable std::optional<double> digitsPerEm_;
};

} // namespace isosceles
