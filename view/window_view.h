#pragma once

#include "calc_error.h"
#include "grid_controller.h"
#include "number_format.h"
#include "window_layout.h"
#include "working_text.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace isosceles {

// What the window shows and how it answers, as plain data read off the controller and the
// control table. The faces draw and forward what it says and decide none of it themselves.

// The window's title: the maker's address, two spaces, the program's title.
std::string windowTitle();

// The window's name to a screen reader: the program's title alone, which it says at every
// return to the window; spelled out, the address would come first each time.
std::string_view windowSpokenName();

// The modal report of a failed operation: under the window's title, in Bulgarian, with one
// «Добре» button, whatever the language of the system.
struct FailureReport {
    std::string title, text, button;
    friend bool operator==(const FailureReport&, const FailureReport&) = default;
};

// The failures an operation of the window may meet: a calculation that has no answer, and a
// regional number format that cannot be built.
FailureReport failureReport(const CalcError& error);
FailureReport failureReport(const NumberFormatError& error);
// A failed Calculate adds the step that failed, with its values, and what that means for the
// triangle, in the controller's number format.
FailureReport failureReport(const CalculationError& error, const NumberFormat& format,
                            Exponent exponent = Exponent::Raised);

// Runs an operation of the window; what it raised comes back as its report. The window goes
// on after either: the failed row's results are emptied and what was typed is kept.
// `exponent`: how the face's fonts can write a power of ten.
template <typename Operation>
std::optional<FailureReport> attempt(const GridController& controller, Operation&& operation,
                                     Exponent exponent = Exponent::Raised) {
    try {
        operation();
    } catch (const CalculationError& error) {
        return failureReport(error, controller.numberFormat(), exponent);
    } catch (const CalcError& error) {
        return failureReport(error);
    } catch (const NumberFormatError& error) {
        return failureReport(error);
    }
    return std::nullopt;
}

// The window that shows a row's working, modal over the main one, under its title: the
// whole working as text to select, a button that copies all of it, and «Добре».
struct WorkingReport {
    std::string title;
    std::u16string text;
    // The text's name to a screen reader, which reads it first: the menu item that opened it
    // and the row, as a box is named by its column and row.
    std::string textName;
    std::string_view copyButton, button; // '&' marks the access key
    friend bool operator==(const WorkingReport&, const WorkingReport&) = default;
};

// None for a row without a Calculate's results. Results out of date say so first.
std::optional<WorkingReport> workingReport(const GridController& controller, Variant row,
                                           Exponent exponent = Exponent::Raised);

// What a Calculate that went through says at once, beside the row, without needing to be
// dismissed: what was read of each given text the reading took only in part, then what the
// row's values are as a triangle (none, or one of two). It stands at `box`: the first given
// box read in part, else the row's first computed box. None where there is nothing to say.
struct Notice {
    int box;
    std::u16string text;
    friend bool operator==(const Notice&, const Notice&) = default;
};
std::optional<Notice> calculateNotice(const GridController& controller,
                                      Exponent exponent = Exponent::Raised);

// How long a tip shown at once stays up, in milliseconds: ten seconds and time to read it.
int tipShowTime(std::u16string_view text);

// What a screen reader is told once a Calculate went through: the row's four results as the
// boxes show them, then the notice; in words where a voice would drop a symbol (spokenForm).
std::u16string announcement(const GridController& controller, Exponent exponent = Exponent::Raised);

// The one option that Tab and Shift+Tab stop at, as in any group of options: the chosen one.
// The arrow keys move among them all.
int optionTabStop(const GridController& controller);

// What each of the two buttons does, by its index.
enum class ButtonCommand { Calculate, ClearAll };
inline constexpr std::array<ButtonCommand, 2> kButtonCommands{
    {ButtonCommand::Calculate, ButtonCommand::ClearAll}};

// A control's colours; none: the desktop's own.
struct Colours {
    std::optional<Rgb> background, text;
    friend bool operator==(const Colours&, const Colours&) = default;
};

// Text on a fixed background is fixed too, so that a dark desktop theme cannot make it
// unreadable; the boxes the user types in and the assignment keep the desktop's colours.
Colours coloursOf(Family family, int index);

// The focus mark of a box: solid where the box takes typing, dashed where it does not.
enum class RingLine { Solid, Dashed };
struct Ring {
    RingLine line;
    FocusRing size;
    friend bool operator==(const Ring&, const Ring&) = default;
};

// One of the grid's boxes.
struct BoxView {
    std::u16string text;
    bool enabled;     // the computed boxes take neither typing nor the focus
    bool takesTyping; // false: locked, the box keeps its text
    Colours colours;
    bool slanted;
    Ring ring; // while it has the focus
    // What a screen reader says after the box's name; empty: nothing. A result's says how it
    // was computed, after whether it is out of date and what the row is as a triangle; a
    // given value's, what was read of a text taken in part, or what was typed where the
    // box's text hides it.
    std::u16string description;
    // The description as a speech engine should get it (spokenForm): what a screen reader is
    // given, where the tooltip shows the symbols.
    std::u16string spokenDescription;
    // Whether the box's menu offers «Копиране», which copies the box's whole text.
    bool copyOffered;
    // Whether it offers the row's working: a row whose results a Calculate wrote.
    bool workingOffered;
    // A given box outside the open row: drawn hatched (kClosedBoxHatch), and its description
    // says which variant to choose to type there.
    bool hatched;
};

BoxView boxView(const GridController& controller, int box, Exponent exponent = Exponent::Raised);

// The box's tooltip: what its drawing leaves out. The text the box holds where the fit shows
// less of it or shows it altered, then the description, a line each; empty: no tooltip.
std::u16string tooltipOf(const BoxView& view, std::u16string_view held, bool shownAltered);

// While a box is typed in, a text wider than its line scrolls under the caret, as in any text
// box. Each end of it then out of sight is marked, in room kept free for the marks on both
// sides of the line, so that the part in sight can never be taken for a whole number.
inline constexpr std::u16string_view kHiddenEndMark = u"\u2026";

// A screen reader asks for a box's text by character, word, sentence or line, at, before or
// after an offset. A box holds one value, so beyond a character every unit is the whole text,
// whatever separators or exponent it holds; at the end of the text (where the caret stands
// after typing) that is still the whole value, not nothing. Offsets outside the text count as
// its nearer end; a character is a whole surrogate pair.
enum class TextUnit { Character, Whole };
enum class TextSide { Before, At, After };
struct TextSpan {
    std::size_t start, end;
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};
TextSpan boxTextSpan(std::u16string_view text, long long offset, TextUnit unit, TextSide side);

// Whether the marks' room is kept: the text, in the box's font, is wider than the line.
bool keepsMarkRoom(double textWidth, double lineWidth);

struct HiddenEnds {
    bool start, end;
    friend bool operator==(const HiddenEnds&, const HiddenEnds&) = default;
};

// Which ends of the text are out of sight: where the text starts and ends, scrolled, against
// where the room between the marks does, in pixels. A pixel either way is rounding.
HiddenEnds hiddenEnds(double textLeft, double textRight, double roomLeft, double roomRight);

// A box's menu, the same on every system and in Bulgarian whatever the system's language: a
// box in reach of the keyboard offers all of it, what would change a locked box's text
// greyed; a computed box only the copy of its text.
enum class BoxAction { Undo, Cut, Copy, Paste, Delete, SelectAll, ShowWorking };

struct MenuEntry {
    BoxAction action;
    std::string_view text; // '&' marks the access key
};

// clang-format off
inline constexpr std::array<MenuEntry, 7> kBoxMenu{{
    {BoxAction::Undo,        "&Отмяна"},
    {BoxAction::Cut,         "&Изрязване"},
    {BoxAction::Copy,        "&Копиране"},
    {BoxAction::Paste,       "&Поставяне"},
    {BoxAction::Delete,      "Из&триване"},
    {BoxAction::SelectAll,   "Избиране на &всичко"},
    {BoxAction::ShowWorking, "Как е &изчислено"},
}};
// clang-format on

// What the face knows of the box and the clipboard when the menu is asked for.
struct MenuContext {
    bool canUndo, hasSelection, clipboardHasText;
};

struct MenuItem {
    BoxAction action;
    std::string_view text;
    bool enabled;
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

// The items a box's menu shows, in order; none: no menu. Copy copies the selection, or the
// whole text of a box that cannot select (a computed one). The row's working is offered in
// the menu of every box of a calculated row: a computed box takes no focus, and the keyboard
// reaches the menu of the given box it is in.
std::vector<MenuItem> boxMenu(const BoxView& view, MenuContext context);

// The ink of a hatched box's lines, from the colours the box is drawn in.
Rgb hatchInk(Rgb background, Rgb text);

struct Segment {
    double x1, y1, x2, y2;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// The lines of the hatch over a box `width` by `height` pixels, drawn `scale` times as large
// as at 96 DPI; each from its lower left to its upper right, inside the box.
std::vector<Segment> hatchLines(double width, double height, double scale);

// Whether a box shows its tooltip at once when it is clicked, or refuses a key: one that takes
// no typing, so that the user learns why and where typing goes.
bool explainsAtOnce(const BoxView& view);

// Keys by what they do to a box's text.
enum class KeyClass { Typing, Deleting, Pasting, Cutting, Moving, Selecting, Copying };

struct KeyAnswer {
    bool taken; // false: the box ignores the key
    bool sound; // the system's warning sound
    friend bool operator==(const KeyAnswer&, const KeyAnswer&) = default;
};

// A box that takes no typing refuses, audibly, every key that would change its text; moving,
// selecting and copying stay with every box.
KeyAnswer answerKey(const BoxView& view, KeyClass key);

// UTF-8 texts of the tables as UTF-16, which both toolkits take.
std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view utf16);

} // namespace isosceles
