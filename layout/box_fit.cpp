#include "box_fit.h"

#include <cmath>

namespace isosceles {

namespace {

constexpr char16_t kEllipsis = u'\u2026';

std::optional<FontFit> wholeFit(std::u16string_view text, double room, const TextMeasure& measure,
                                const LegibleSize& legible, const FitRules& rules) {
    for (int stretch = rules.full.stretch; stretch >= rules.narrowestStretch;
         stretch -= rules.stretchStep) {
        const FontFit font{rules.full.pointSize, stretch};
        if (fitsRoom(measure.width(text, font), room)) {
            return font;
        }
    }
    // Counted in steps from the full size, so that the legible size itself is reached exactly.
    for (int step = 1;; ++step) {
        const FontFit font{rules.full.pointSize - step * rules.sizeStep, rules.narrowestStretch};
        if (font.pointSize < legible()) {
            return std::nullopt;
        }
        if (fitsRoom(measure.width(text, font), room)) {
            return font;
        }
    }
}

// The longest start of the text that fits with an ellipsis after it, never half of a pair of
// surrogates.
std::u16string cut(std::u16string_view text, double room, const TextMeasure& measure,
                   FontFit font) {
    const auto withEllipsis = [text](std::size_t length) {
        std::u16string shown(text.substr(0, length));
        if (!shown.empty() && shown.back() >= 0xD800 && shown.back() <= 0xDBFF) {
            shown.pop_back();
        }
        shown += kEllipsis;
        return shown;
    };
    std::size_t fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        (fitsRoom(measure.width(withEllipsis(middle), font), room) ? fits : tooLong) = middle;
    }
    return withEllipsis(fits);
}

} // namespace

bool fitsRoom(double textWidth, double room) {
    return std::round(textWidth) + 1 <= room;
}

double legibleSize(const TextMeasure& measure, const FitRules& rules) {
    double size = rules.full.pointSize;
    while (size - rules.sizeStep >= rules.smallestSize &&
           measure.digitHeight({size - rules.sizeStep, rules.narrowestStretch}) >=
               rules.legibleDigitHeight) {
        size -= rules.sizeStep;
    }
    return size;
}

BoxFit fitBoxText(std::u16string_view text, double room, const TextMeasure& measure,
                  const LegibleSize& legibleSize, const ShortFormOf& shortForm,
                  const FitRules& rules) {
    std::optional<double> known;
    const LegibleSize legible = [&] {
        if (!known) {
            known = legibleSize();
        }
        return *known;
    };
    if (const auto font = wholeFit(text, room, measure, legible, rules)) {
        return {*font, Shown::Whole, std::u16string(text)};
    }
    if (const auto form = shortForm ? shortForm(text) : std::nullopt) {
        if (const auto font = wholeFit(*form, room, measure, legible, rules)) {
            return {*font, Shown::ShortForm, *form};
        }
    }
    const FontFit smallest{legible(), rules.narrowestStretch};
    return {smallest, Shown::Cut, cut(text, room, measure, smallest)};
}

} // namespace isosceles
