#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace isosceles {

// A face at a size and a width: what a box's text is drawn with.
struct FontFit {
    double pointSize;
    int stretch; // percent of the glyphs' own width
    friend bool operator==(const FontFit&, const FontFit&) = default;
};

// How a box shrinks a text that does not fit at its own font: first narrower glyphs, which
// keep the height that makes digits legible, then smaller sizes, never so small that a digit
// is shorter than a legible height.
struct FitRules {
    FontFit full;
    int narrowestStretch;
    int stretchStep;
    double sizeStep;
    double smallestSize;
    double legibleDigitHeight; // pixels at the window's own scale
};

inline constexpr FitRules kBoxFitRules{{12, 100}, 65, 5, 0.25, 1, 8};

// Measures text as a window's toolkit draws it, in pixels; the decision takes nothing else
// from the toolkit.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double width(std::u16string_view text, FontFit font) const = 0;
    // The height of the ink of the digits 0-9.
    virtual double digitHeight(FontFit font) const = 0;
};

// The short form of a text that is one number (1,000·10¹²), or nothing.
using ShortFormOf = std::function<std::optional<std::u16string>(std::u16string_view)>;

enum class Shown {
    Whole,     // the text itself
    ShortForm, // a number too long even at the legible size, by its magnitude
    Cut,       // any other text too long: its start and an ellipsis
};

struct BoxFit {
    FontFit font;
    Shown shown;
    std::u16string text; // what the box draws while it is not edited

    // Whether the box draws its text other than whole at its own font, so that the whole
    // text belongs in its tooltip.
    bool altered(const FitRules& rules) const {
        return shown != Shown::Whole || font != rules.full;
    }
};

// Whether a text fits a box's room (the width inside its margins): as a single-line text box
// tests before it centres a text rather than scrolling it, one pixel kept free for the caret.
bool fitsRoom(double textWidth, double room);

// The smallest size whose digits, at the narrowest width, are still legible.
double legibleSize(const TextMeasure& measure, const FitRules& rules);

// legibleSize() for the measure a fit uses. It is costly to find, and asked for only where
// the full size cannot hold the text, so that an empty box or a short value never needs it.
using LegibleSize = std::function<double()>;

// How a box of the given room draws a text.
BoxFit fitBoxText(std::u16string_view text, double room, const TextMeasure& measure,
                  const LegibleSize& legible, const ShortFormOf& shortForm,
                  const FitRules& rules = kBoxFitRules);

} // namespace isosceles
