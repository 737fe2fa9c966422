#include "box_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace isosceles {
namespace {

// Every character one width at 12 points and the full width, scaled by size and stretch;
// digits 0.7 of the size tall. Widths come out whole, so the room's boundary is exact.
class EvenMeasure : public TextMeasure {
public:
    explicit EvenMeasure(double perChar) : perChar_(perChar) {}
    double width(std::u16string_view text, FontFit font) const override {
        ++calls;
        return std::round(static_cast<double>(text.size()) * perChar_ * font.pointSize / 12 *
                          font.stretch / 100);
    }
    double digitHeight(FontFit font) const override { return 0.7 * font.pointSize; }
    mutable int calls = 0;

private:
    double perChar_;
};

std::optional<std::u16string> magnitude(std::u16string_view text) {
    if (text.find_first_not_of(u"0123456789") != std::u16string_view::npos) {
        return std::nullopt;
    }
    return u"1·10" + std::u16string(1, static_cast<char16_t>(u'0' + text.size() % 10));
}

struct FitCase {
    const char* name;
    std::u16string_view text;
    double room;
    FontFit font;
    Shown shown;
};

class Fits : public ::testing::TestWithParam<FitCase> {};

// Ten pixels a character at the full font; legible down to 11.5 points (8.05 pixels).
TEST_P(Fits, LargestFontThatHoldsTheTextElseItsShortFormElseItsStart) {
    const FitCase& p = GetParam();
    const EvenMeasure measure(10);
    const double legible = legibleSize(measure, kBoxFitRules);
    ASSERT_EQ(legible, 11.5);
    int asked = 0;
    const BoxFit fit = fitBoxText(
        p.text, p.room, measure,
        [&] {
            ++asked;
            return legible;
        },
        magnitude);
    // The legible size is found only where the full size cannot hold the text, and once.
    EXPECT_EQ(asked,
              p.shown == Shown::Whole && p.font.pointSize == kBoxFitRules.full.pointSize ? 0 : 1)
        << p.name;
    EXPECT_EQ(fit.font, p.font) << p.name << ": " << fit.font.pointSize << " " << fit.font.stretch;
    EXPECT_EQ(fit.shown, p.shown) << p.name;
    EXPECT_EQ(fit.altered(kBoxFitRules), p.shown != Shown::Whole || !(p.font == FontFit{12, 100}))
        << p.name;
    // Whatever is drawn fits the room, with the pixel the caret keeps.
    EXPECT_LE(measure.width(fit.text, fit.font) + 1, p.room) << p.name;
    if (p.shown == Shown::Whole) {
        EXPECT_EQ(fit.text, p.text) << p.name;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Boundaries, Fits, ::testing::Values(
    // 4 characters: 40 pixels at full width; the room must hold 41.
    FitCase{"exactly fits", u"abcd", 41, {12, 100}, Shown::Whole},
    FitCase{"one pixel too wide", u"abcd", 40, {12, 95}, Shown::Whole},
    FitCase{"narrowest width", u"abcdefghij", 66, {12, 65}, Shown::Whole},
    FitCase{"first smaller size", u"abcdefghij", 65, {11.75, 65}, Shown::Whole},
    // 10 characters at 11.5 points and 65 %: 62.29 pixels, drawn in 62.
    FitCase{"only the legible size", u"abcdefghij", 63, {11.5, 65}, Shown::Whole},
    FitCase{"short form of a number", u"1234567890", 62, {12, 100}, Shown::ShortForm},
    FitCase{"start of a text", u"abcdefghij", 62, {11.5, 65}, Shown::Cut},
    FitCase{"empty", u"", 1, {12, 100}, Shown::Whole}));
// clang-format on

TEST(Cut, KeepsTheLongestStartThatFitsWithItsEllipsis) {
    const EvenMeasure measure(10);
    for (const double room : {20.0, 43.0, 44.0, 60.0, 61.0}) {
        const BoxFit fit = fitBoxText(
            u"abcdefghijklmnopqrstuvwxyz", room, measure, [] { return 12.0; }, nullptr);
        ASSERT_EQ(fit.shown, Shown::Cut);
        ASSERT_EQ(fit.text.back(), u'\u2026');
        EXPECT_LE(measure.width(fit.text, fit.font) + 1, room) << room;
        // One character more would not fit.
        const std::u16string longer = fit.text.substr(0, fit.text.size() - 1) + u"z\u2026";
        EXPECT_GT(measure.width(longer, fit.font) + 1, room) << room;
        EXPECT_EQ(fit.text.substr(0, fit.text.size() - 1),
                  std::u16string(u"abcdefghijklmnopqrstuvwxyz").substr(0, fit.text.size() - 1));
    }
}

TEST(Cut, NeverSplitsASurrogatePairAndStaysQuickOnAHugeText) {
    const EvenMeasure measure(10);
    std::u16string emoji;
    for (int i = 0; i < 15000; ++i) {
        emoji += u"\U0001F600";
    }
    const BoxFit fit = fitBoxText(
        emoji, 45, measure, [] { return 12.0; }, nullptr);
    ASSERT_EQ(fit.shown, Shown::Cut);
    const char16_t last = fit.text[fit.text.size() - 2];
    EXPECT_FALSE(last >= 0xD800 && last <= 0xDBFF);
    // Halving, not one character at a time.
    EXPECT_LT(measure.calls, 60);
}

TEST(LegibleSize, IsTheSmallestSizeWithDigitsAtLeastTheLegibleHeight) {
    EXPECT_EQ(legibleSize(EvenMeasure(10), kBoxFitRules), 11.5);
    FitRules rules = kBoxFitRules;
    rules.legibleDigitHeight = 0.7 * 9;
    EXPECT_EQ(legibleSize(EvenMeasure(10), rules), 9);
    rules.legibleDigitHeight = 0;
    EXPECT_EQ(legibleSize(EvenMeasure(10), rules), rules.smallestSize);
}

TEST(FitsRoom, KeepsOnePixelForTheCaretAfterRounding) {
    EXPECT_TRUE(fitsRoom(39.4, 40));
    EXPECT_FALSE(fitsRoom(39.5, 40));
    EXPECT_FALSE(fitsRoom(40, 40));
}

} // namespace
} // namespace isosceles
