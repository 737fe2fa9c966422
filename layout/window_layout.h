#pragma once

#include "calc_error.h"
#include "variant_table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace isosceles {

// The window as data: geometry in twips (15 to a device-independent pixel), colours, fonts
// and texts (UTF-8). The window is built from these tables and nothing else.

struct Rgb {
    int red, green, blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kTwipsPerPixel = 15;
constexpr int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}

enum class Family { Label1, Frame1, Option1, Text2, Command1, Text1 };

std::string_view familyName(Family family);

// Where a control's text comes from.
enum class TextSource {
    Fixed,      // the row's own text
    Heading,    // the heading of column index - 1 (Label1(1..4))
    Caption,    // the caption of variant index (Option1)
    Empty,      // the grid's boxes
    Assignment, // the assignment lines
};

// One row describes a family's controls firstIndex .. firstIndex + count - 1; the n-th of
// them stands at column n % columns and row n / columns of a grid with the given steps.
struct ControlRow {
    Family family;
    int firstIndex;
    int count;
    int columns;
    int left, top, width, height;
    int stepX, stepY;
    TextSource source;
    std::string_view text;
    std::optional<Rgb> background;
    std::optional<Rgb> computedBackground;
    // What a screen reader calls the control where its text does not say it; empty: the text.
    std::string_view accessibleName;
};

struct WindowStyle {
    int clientWidth, clientHeight;
    Rgb background;
    std::string_view fontFamily;
    int fontPointSize;
    std::string_view title; // shown after the maker's address and two spaces
};

inline constexpr std::string_view kTitle = "Геометрия - равнобедрен триъгълник";

// What depends on the number of variants is derived from it, so that another variant changes
// only the variant table: a row of options and of boxes each, Frame1 and the window below
// them taller, the Clear button and the assignment lower, in twips.
inline constexpr int kFrame1Top = 480;
inline constexpr int kOption1Top = 360; // in Frame1
inline constexpr int kOption1Height = 405;
inline constexpr int kText2Top = 840;
inline constexpr int kVariantRowStep = 360; // from one variant's row to the next
inline constexpr int kFrame1Height =
    kOption1Top + (kVariantCount - 1) * kVariantRowStep + kOption1Height + 450;
// Level with where a further row of boxes would stand.
inline constexpr int kClearTop = kText2Top + kVariantCount * kVariantRowStep;
inline constexpr int kText1Top = kFrame1Top + kFrame1Height + 225;
inline constexpr int kText1Height = 1815;
inline constexpr int kClientHeight = kText1Top + kText1Height + 105;

inline constexpr WindowStyle kWindowStyle{6960, kClientHeight, {192, 192, 255}, "Times New Roman",
                                          12,   kTitle};

inline constexpr Rgb kHeadingColour{255, 192, 128};

// Text on a fixed background is fixed too, so a dark desktop theme cannot make it unreadable.
inline constexpr Rgb kTextOnFixedColour{0, 0, 0};

// A result beside given values it was not computed from: slanted, in a grey that still reads
// at 4.5:1 on the computed boxes' colour, and explained in the box's tooltip and to screen
// readers.
inline constexpr Rgb kOutOfDateTextColour{88, 88, 88};
inline constexpr std::string_view kOutOfDateText =
    "Изчислено за предишните стойности; натиснете „Изчисли“.";

// An option button's round mark, the same on every desktop: a white disc ringed in the
// text colour of the options' fixed background, with a dot of that colour, `dot` of the
// disc's width, in the chosen one. A desktop's own mark may draw chosen and not chosen in
// its dark colours alike on the options' light blue.
struct OptionMarkStyle {
    Rgb fill, ink;
    double dot;
};
inline constexpr OptionMarkStyle kOptionMark{{255, 255, 255}, kTextOnFixedColour, 0.5};

// A given box outside the open row takes no typing: it is drawn hatched, so that the open
// row's boxes stand out at a glance as the only ones that do. Lines rising at 45°, `spacing`
// pixels apart along the box, `width` thick, at 96 DPI; their ink is halfway between the
// box's text colour and its background, which stands out at least 3:1 on a light and a dark
// desktop while the box's own colour still shows.
struct Hatch {
    int spacing, width;
};
inline constexpr Hatch kClosedBoxHatch{6, 1};
// What such a box says when it is clicked or typed into, and to a screen reader.
inline constexpr std::string_view kClosedBoxText = "За да пишете тук, изберете „{}“.";

// A push button's face: its background colour inside a solid border, which thickens when the
// button has the focus and turns grey while it is held down.
struct Border {
    Rgb colour;
    int width;
};
struct ButtonFaceStyle {
    Border normal, focused, pressed;
};
inline constexpr ButtonFaceStyle kButtonFace{{{0, 0, 0}, 1}, {{0, 0, 0}, 2}, {{64, 64, 64}, 2}};

// The focus mark: a ring `inset` pixels inside the control's edge. On the fixed colours it is
// drawn in their text colour, on a box in the desktop's text colour; a box that takes no
// typing gets a dashed ring.
struct FocusRing {
    int width, inset;
    friend bool operator==(const FocusRing&, const FocusRing&) = default;
};
inline constexpr FocusRing kButtonFocusRing{2, 4};
inline constexpr FocusRing kOptionFocusRing{2, 1};
inline constexpr FocusRing kBoxFocusRing{2, 0};

// Frame1's outline, around the option buttons and broken by its caption, which stands
// `indent` pixels from the frame's left with `padding` pixels of the frame's colour each side.
inline constexpr Rgb kFrameOutlineColour{96, 96, 160};
struct FrameCaption {
    int indent, padding;
};
inline constexpr FrameCaption kFrameCaption{6, 2};

// clang-format off
inline constexpr std::array<ControlRow, 8> ControlTable{{
    // family         first count cols  left   top  width height stepX stepY
    {Family::Label1,   0,    1,   1,  1200,    0,  4575,  375,    0,    0,
     TextSource::Fixed, kTitle, kHeadingColour, std::nullopt, {}},
    {Family::Label1,   1, kQuantityCount, kQuantityCount, 1800, kFrame1Top, 975, 375,
     960, 0, TextSource::Heading, {}, kHeadingColour, std::nullopt, {}},
    {Family::Frame1,   0,    1,   1,     0, kFrame1Top, 1695, kFrame1Height, 0, 0,
     TextSource::Fixed, "Варианти", Rgb{192, 192, 255}, std::nullopt, {}},
    // Relative to Frame1.
    {Family::Option1,  0, kVariantCount, 1, 120, kOption1Top, 1500, kOption1Height,
     0, kVariantRowStep, TextSource::Caption, {}, Rgb{128, 128, 255}, std::nullopt, {}},
    {Family::Text2,    0, kBoxCount, kQuantityCount, 1800, kText2Top, 975, 405, 960,
     kVariantRowStep, TextSource::Empty, {}, std::nullopt, Rgb{255, 192, 192}, {}},
    {Family::Command1, 0,    1,   1,  5760, kText2Top, 1095, 375, 0, 0,
     TextSource::Fixed, "Изчисли", Rgb{128, 255, 128}, std::nullopt, {}},
    {Family::Command1, 1,    1,   1,  5760, kClearTop, 1095, 375, 0, 0,
     TextSource::Fixed, "Изчисти", Rgb{255, 0, 0}, std::nullopt, {}},
    {Family::Text1,    0,    1,   1,   120, kText1Top, 6735, kText1Height,
     0, 0, TextSource::Assignment, {}, std::nullopt, std::nullopt, "Задание на проекта"},
}};
// clang-format on

// How many controls of a family the table describes.
constexpr int familyCount(Family family) {
    int count = 0;
    for (const ControlRow& row : ControlTable) {
        count += row.family == family ? row.count : 0;
    }
    return count;
}

struct Rect {
    int left, top, width, height;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A control's text (UTF-8), as its row says where it comes from.
std::string controlText(const ControlRow& row, int index);

// The name a screen reader speaks: a box its quantity and variant ("c, Вариант 2"), a control
// with a name of its own that name, any other its text.
std::string accessibleName(const ControlRow& row, int index);

// The twips rectangle of control `index` of a row (relative to its parent).
Rect twipsRect(const ControlRow& row, int index);

// How far a control's neighbours in its row's grid stand over each of its edges, in twips.
// Which of two overlapping controls shows the shared band depends on the order they are
// drawn in, so the band is counted on both sides.
struct Edges {
    int left, top, right, bottom;
    friend bool operator==(const Edges&, const Edges&) = default;
};
Edges overlapOf(const ControlRow& row, int index);

// The row that describes a control; throws std::out_of_range when none does.
const ControlRow& rowOf(Family family, int index);

// Each line is followed by CR LF in the text as a whole.
inline constexpr std::array<std::string_view, 6> kAssignmentLines{{
    "Да се състави проект, чрез който се представят междупредметни връзки между Геометрия и "
    "Информатика.",
    "Тема на проекта: Геометрия - равнобедрен триъгълник",
    "Входни данни за проекта са два параметъра от набора: катет, хипотенуза, периметър, лице на "
    " равнобедрен триъгълник.",
    "Съобразно избраната комбинация от параметри на потребителя да се разрешава/забранява "
    "въвеждането на другите два параметъра. ",
    "Да се използват радиобутони за определяне на началната комбинация от параметри и да се "
    "извеждат изчислените останалите два параметъра на  равнобедрения триъгълник.",
    "Прочетете допълнителен материал за равнобедрен триъгълник и връзката между параметри "
    "като: бедро, основа, височина, периметър и лице.",
}};

// The six lines, each followed by CR LF.
std::string assignmentText();

// Focus order: each stop is a family's indices first..last.
struct TabStop {
    Family family;
    int first, last;
};

// The boxes of the last variant's row come after the buttons.
inline constexpr std::array<TabStop, 5> TabOrder{{
    {Family::Text1, 0, 0},
    {Family::Text2, 0, kBoxCount - kQuantityCount - 1},
    {Family::Command1, 0, 1},
    {Family::Text2, kBoxCount - kQuantityCount, kBoxCount - 1},
    {Family::Option1, 0, kVariantCount - 1},
}};

// The report of a failed calculation, in Bulgarian.
std::string_view errorText(CalcErrorKind kind);

// The one button of the report of a failure, whatever the language of the system.
inline constexpr std::string_view kOkText = "Добре";

// The report of a regional number format that cannot be built.
inline constexpr std::string_view kNumberFormatErrorText =
    "Числовият формат на езиковите настройки не може да бъде зареден: числата не могат да "
    "бъдат прочетени и записани.";

} // namespace isosceles
