#include "window_view.h"

#include "number_text.h"

#include <algorithm>
#include <iterator>

namespace isosceles {

static_assert(static_cast<int>(kButtonCommands.size()) == familyCount(Family::Command1),
              "each button of the table has its command");

std::string windowTitle() {
    return std::string(ISOSCELES_MAKER_URL) + "  " + std::string(kWindowStyle.title);
}

std::string_view windowSpokenName() {
    return kWindowStyle.title;
}

FailureReport failureReport(const CalcError& error) {
    return {windowTitle(), std::string(errorText(error.kind())), std::string(kOkText)};
}

FailureReport failureReport(const CalculationError& error, const NumberFormat& format,
                            Exponent exponent) {
    FailureReport report = failureReport(static_cast<const CalcError&>(error));
    const std::u16string more = error.unreadable()
                                    ? unreadableText(*error.unreadable(), error.calculation())
                                    : failureText(error.calculation(), format, exponent);
    if (!more.empty()) {
        report.text += "\n\n" + utf8(more);
    }
    return report;
}

FailureReport failureReport(const NumberFormatError&) {
    return {windowTitle(), std::string(kNumberFormatErrorText), std::string(kOkText)};
}

std::optional<WorkingReport> workingReport(const GridController& controller, Variant row,
                                           Exponent exponent) {
    const Calculation* done = controller.calculation(row);
    if (done == nullptr) {
        return std::nullopt;
    }
    // The copy button is named as the boxes' copy item.
    const auto copy = std::find_if(kBoxMenu.begin(), kBoxMenu.end(),
                                   [](const MenuEntry& e) { return e.action == BoxAction::Copy; });
    std::u16string text = workingText(*done, controller.numberFormat(), exponent);
    if (controller.isOutOfDate(boxIndex(row, computed(row)[0]))) {
        text = utf16(kOutOfDateText) + u"\n" + text;
    }
    const auto asked = std::find_if(kBoxMenu.begin(), kBoxMenu.end(), [](const MenuEntry& e) {
        return e.action == BoxAction::ShowWorking;
    });
    std::string name;
    std::ranges::copy_if(asked->text, std::back_inserter(name), [](char c) { return c != '&'; });
    name += ", " + controlText(rowOf(Family::Option1, row), row);
    return WorkingReport{windowTitle(), std::move(text), std::move(name), copy->text, kOkText};
}

std::optional<Notice> calculateNotice(const GridController& controller, Exponent exponent) {
    const Variant row = controller.currentVariant();
    const Calculation* done = controller.calculation(row);
    if (done == nullptr) {
        return std::nullopt;
    }
    const NumberFormat& format = controller.numberFormat();
    const auto& pair = given(row);
    std::optional<int> at;
    std::u16string text;
    const auto add = [&text](const std::u16string& line) {
        text += (text.empty() ? u"" : u"\n") + line;
    };
    for (std::size_t n = 0; n < pair.size(); ++n) {
        if (const std::u16string reading = readingNote(*done, n, format); !reading.empty()) {
            at = at.value_or(boxIndex(row, pair[n]));
            add(reading);
        }
    }
    if (const std::u16string shape = shapeNote(done->working, format, exponent); !shape.empty()) {
        at = at.value_or(boxIndex(row, computed(row)[0]));
        add(shape);
    }
    if (!at) {
        return std::nullopt;
    }
    return Notice{*at, std::move(text)};
}

int tipShowTime(std::u16string_view text) {
    constexpr int kAtLeast = 10'000;
    constexpr int kPerCharacter = 40;
    return kAtLeast + kPerCharacter * static_cast<int>(std::min<std::size_t>(text.size(), 1000));
}

std::u16string announcement(const GridController& controller, Exponent exponent) {
    const Variant row = controller.currentVariant();
    if (controller.calculation(row) == nullptr) {
        return {};
    }
    std::u16string text = utf16(caption(row)) + u": ";
    for (const QuantityInfo& info : QuantityTable) {
        if (info.quantity != Quantity::c) {
            text += u"; ";
        }
        text += std::u16string(symbolOf(termOf(info.quantity))) + u" = " +
                controller.cell(boxIndex(row, info.quantity)).text;
    }
    text += u".";
    if (const std::optional<Notice> notice = calculateNotice(controller, exponent)) {
        text += u"\n" + notice->text;
    }
    return spokenForm(text);
}

Colours coloursOf(Family family, int index) {
    const ControlRow& row = rowOf(family, index);
    switch (family) {
    case Family::Text2:
        if (isComputedBox(index) && row.computedBackground) {
            // Results are what the user reads here, so they stay black when disabled too.
            return {row.computedBackground, kTextOnFixedColour};
        }
        return {};
    case Family::Text1:
        return {};
    case Family::Label1:
    case Family::Frame1:
    case Family::Option1:
    case Family::Command1:
        break;
    }
    return {row.background.value_or(kWindowStyle.background), kTextOnFixedColour};
}

namespace {

// A given quantity's place in its variant's reading order.
std::size_t givenIndex(Variant row, Quantity quantity) {
    return given(row)[0] == quantity ? 0 : 1;
}

// A computed box's working, after what the row's values are as a triangle; for a given box
// still holding what Calculate wrote, what was read of a text taken in part, or what was
// typed where the box's text hides it.
std::u16string workingNote(const GridController& controller, int box, Exponent exponent) {
    const Variant row = rowOfBox(box);
    const Calculation* done = controller.calculation(row);
    const GridCell& cell = controller.cell(box);
    if (done == nullptr || cell.text.empty()) {
        return {};
    }
    const NumberFormat& format = controller.numberFormat();
    if (isComputedBox(box)) {
        std::u16string note = shapeNote(done->working, format, exponent);
        const std::u16string steps =
            stepsText(done->working, termOf(quantityOfBox(box)), format, exponent);
        return note.empty() ? steps : note + u"\n" + steps;
    }
    if (!controller.isKept(box)) {
        return {};
    }
    const std::size_t n = givenIndex(row, quantityOfBox(box));
    if (std::u16string reading = readingNote(*done, n, format); !reading.empty()) {
        return reading;
    }
    if (format.format3(done->working.given[n]) == done->typed[n] ||
        ParseNumber(cell.text, format) == done->working.given[n]) {
        return {};
    }
    return u"Въведено: «" + done->typed[n] + u"»";
}

// Which variant opens the box's row.
std::u16string closedBoxText(Variant row) {
    std::string text(kClosedBoxText);
    const std::string_view slot = "{}";
    text.replace(text.find(slot), slot.size(), caption(row));
    return utf16(text);
}

} // namespace

BoxView boxView(const GridController& controller, int box, Exponent exponent) {
    const GridCell& cell = controller.cell(box);
    const bool outOfDate = controller.isOutOfDate(box);
    Colours colours = coloursOf(Family::Text2, box);
    if (outOfDate) {
        colours.text = kOutOfDateTextColour;
    }
    const bool hatched = cell.enabled && cell.locked;
    std::u16string description = outOfDate ? utf16(kOutOfDateText) : std::u16string();
    if (hatched) {
        description = closedBoxText(rowOfBox(box));
    }
    if (const std::u16string note = workingNote(controller, box, exponent); !note.empty()) {
        description += (description.empty() ? u"" : u"\n") + note;
    }
    return {cell.text,
            cell.enabled,
            !cell.locked,
            colours,
            outOfDate,
            {cell.locked ? RingLine::Dashed : RingLine::Solid, kBoxFocusRing},
            description,
            spokenForm(description),
            !cell.enabled && !cell.text.empty(),
            controller.calculation(rowOfBox(box)) != nullptr,
            hatched};
}

Rgb hatchInk(Rgb background, Rgb text) {
    const auto halfway = [](int a, int b) { return (a + b + 1) / 2; };
    return {halfway(background.red, text.red), halfway(background.green, text.green),
            halfway(background.blue, text.blue)};
}

std::vector<Segment> hatchLines(double width, double height, double scale) {
    std::vector<Segment> lines;
    const double spacing = kClosedBoxHatch.spacing * scale;
    // Each line runs from (offset, height) up to (offset + height, 0), cut to the box.
    for (double offset = spacing / 2 - height; offset < width; offset += spacing) {
        const double from = std::max(0.0, -offset);
        const double to = std::min(height, width - offset);
        if (from < to) {
            lines.push_back({offset + from, height - from, offset + to, height - to});
        }
    }
    return lines;
}

bool explainsAtOnce(const BoxView& view) {
    return view.hatched;
}

std::u16string tooltipOf(const BoxView& view, std::u16string_view held, bool shownAltered) {
    std::u16string tip = shownAltered ? std::u16string(held) : std::u16string();
    if (!view.description.empty()) {
        if (!tip.empty()) {
            tip += u'\n';
        }
        tip += view.description;
    }
    return tip;
}

bool keepsMarkRoom(double textWidth, double lineWidth) {
    return textWidth > lineWidth;
}

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character that holds `at` (< size), a pair counted whole from either half.
TextSpan characterAt(std::u16string_view text, std::size_t at) {
    if (isLowSurrogate(text[at]) && at > 0 && isHighSurrogate(text[at - 1])) {
        return {at - 1, at + 1};
    }
    if (isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
        return {at, at + 2};
    }
    return {at, at + 1};
}

} // namespace

TextSpan boxTextSpan(std::u16string_view text, long long offset, TextUnit unit, TextSide side) {
    const std::size_t size = text.size();
    const auto at =
        static_cast<std::size_t>(std::clamp<long long>(offset, 0, static_cast<long long>(size)));
    if (unit == TextUnit::Whole) {
        switch (side) {
        case TextSide::Before:
            return {0, 0};
        case TextSide::At:
            return {0, size};
        case TextSide::After:
            return {size, size};
        }
    }
    const TextSpan current = at == size ? TextSpan{size, size} : characterAt(text, at);
    switch (side) {
    case TextSide::Before:
        return current.start == 0 ? TextSpan{0, 0} : characterAt(text, current.start - 1);
    case TextSide::At:
        return current;
    case TextSide::After:
        return current.end == size ? TextSpan{size, size} : characterAt(text, current.end);
    }
    return {at, at};
}

int optionTabStop(const GridController& controller) {
    return controller.selectedOption().value_or(0);
}

HiddenEnds hiddenEnds(double textLeft, double textRight, double roomLeft, double roomRight) {
    // Positions measured in whole pixels may each be off by one.
    constexpr double kRounding = 1;
    return {textLeft<roomLeft - kRounding, textRight> roomRight + kRounding};
}

std::vector<MenuItem> boxMenu(const BoxView& view, MenuContext context) {
    std::vector<MenuItem> items;
    for (const MenuEntry& entry : kBoxMenu) {
        if (entry.action == BoxAction::ShowWorking) {
            if (view.workingOffered) {
                items.push_back({entry.action, entry.text, true});
            }
            continue;
        }
        if (!view.enabled) {
            if (entry.action == BoxAction::Copy && view.copyOffered) {
                items.push_back({entry.action, entry.text, true});
            }
            continue;
        }
        const bool edits = view.takesTyping;
        bool enabled = false;
        switch (entry.action) {
        case BoxAction::Undo:
            enabled = edits && context.canUndo;
            break;
        case BoxAction::Cut:
        case BoxAction::Delete:
            enabled = edits && context.hasSelection;
            break;
        case BoxAction::Copy:
            enabled = context.hasSelection;
            break;
        case BoxAction::Paste:
            enabled = edits && context.clipboardHasText;
            break;
        case BoxAction::SelectAll:
            enabled = !view.text.empty();
            break;
        case BoxAction::ShowWorking:
            break;
        }
        items.push_back({entry.action, entry.text, enabled});
    }
    return items;
}

KeyAnswer answerKey(const BoxView& view, KeyClass key) {
    switch (key) {
    case KeyClass::Typing:
    case KeyClass::Deleting:
    case KeyClass::Pasting:
    case KeyClass::Cutting:
        if (!view.takesTyping) {
            return {false, true};
        }
        break;
    case KeyClass::Moving:
    case KeyClass::Selecting:
    case KeyClass::Copying:
        break;
    }
    return {true, false};
}

std::string utf8(std::u16string_view utf16) {
    std::string text;
    text.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t point = utf16[i];
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < utf16.size()) {
            point = 0x10000 + ((point - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        }
        if (point < 0x80) {
            text += static_cast<char>(point);
        } else if (point < 0x800) {
            text += static_cast<char>(0xC0 | point >> 6);
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            text += static_cast<char>(0xE0 | point >> 12);
            text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | point >> 18);
            text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return text;
}

std::u16string utf16(std::string_view utf8) {
    std::u16string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
            point = point << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += static_cast<std::size_t>(length);
        if (point >= 0x10000) {
            point -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (point >> 10));
            text += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            text += static_cast<char16_t>(point);
        }
    }
    return text;
}

} // namespace isosceles
