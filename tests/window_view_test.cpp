#include "window_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace isosceles {
namespace {

// What the boxes of row 0 and of a locked row show as the user goes: start, c and a given
// and calculated, then c changed beside the results.
TEST(BoxViews, FollowTheControllerStepByStep) {
    GridController controller(NumberFormat::c());
    controller.onLoad();
    struct Expected {
        int box;
        bool enabled, takesTyping, slanted;
        RingLine ring;
        bool outOfDate, copyOffered;
        std::optional<Rgb> ink;
        bool closed = false; // hatched, and saying which variant opens it
    };
    const auto check = [&controller](const char* step, const std::vector<Expected>& rows) {
        for (const Expected& e : rows) {
            const BoxView view = boxView(controller, e.box);
            SCOPED_TRACE(std::string(step) + ", box " + std::to_string(e.box));
            EXPECT_EQ(view.text, controller.cell(e.box).text);
            EXPECT_EQ(view.enabled, e.enabled);
            EXPECT_EQ(view.takesTyping, e.takesTyping);
            EXPECT_EQ(view.slanted, e.slanted);
            EXPECT_EQ(view.ring, (Ring{e.ring, kBoxFocusRing}));
            EXPECT_EQ(view.description.starts_with(utf16(kOutOfDateText)), e.outOfDate);
            // A result tells how it was computed, out of date or not.
            const Calculation* done = controller.calculation(0);
            EXPECT_EQ(view.workingOffered, done != nullptr && rowOfBox(e.box) == 0);
            if (e.copyOffered) {
                const std::u16string steps = stepsText(done->working, termOf(quantityOfBox(e.box)),
                                                       controller.numberFormat());
                EXPECT_FALSE(steps.empty());
                EXPECT_TRUE(view.description.ends_with(steps));
            } else if (e.closed) {
                EXPECT_EQ(view.description, u"За да пишете тук, изберете „" +
                                                utf16(caption(rowOfBox(e.box))) + u"“.");
            } else if (!e.outOfDate) {
                EXPECT_EQ(view.description, u"");
            }
            EXPECT_EQ(view.hatched, e.closed);
            EXPECT_EQ(explainsAtOnce(view), e.closed);
            EXPECT_EQ(view.copyOffered, e.copyOffered);
            EXPECT_EQ(view.colours.text, e.ink);
            EXPECT_EQ(view.colours.background, coloursOf(Family::Text2, e.box).background);
        }
    };
    const Rgb black = kTextOnFixedColour;
    const Rgb grey = kOutOfDateTextColour;
    using enum RingLine;
    check("start", {{0, true, true, false, Solid, false, false, {}},
                    {2, false, true, false, Solid, false, false, black},
                    {4, true, false, false, Dashed, false, false, {}, true},
                    {18, true, false, false, Dashed, false, false, {}, true},
                    {6, false, false, false, Dashed, false, false, black}});
    controller.editCell(0, u"6");
    controller.editCell(1, u"5");
    controller.calculate();
    check("calculated", {{0, true, true, false, Solid, false, false, {}},
                         {2, false, true, false, Solid, false, true, black},
                         {3, false, true, false, Solid, false, true, black}});
    controller.editCell(0, u"8");
    check("c changed", {{0, true, true, false, Solid, false, false, {}},
                        {2, false, true, true, Solid, true, true, grey},
                        {3, false, true, true, Solid, true, true, grey}});
    controller.selectOption(2);
    check("Вариант 3 chosen", {{0, true, false, false, Dashed, false, false, {}, true},
                               {9, true, true, false, Solid, false, false, {}}});
}

// A controller in the C format whose variant v was calculated from the two texts typed.
GridController calculated(Variant v, std::u16string_view first, std::u16string_view second) {
    GridController controller(NumberFormat::c());
    controller.onLoad();
    controller.selectOption(v);
    controller.editCell(boxIndex(v, given(v)[0]), std::u16string(first));
    controller.editCell(boxIndex(v, given(v)[1]), std::u16string(second));
    controller.calculate();
    return controller;
}

struct NoticeCase {
    Variant variant;
    std::u16string_view first, second;
    std::optional<int> box;
    std::u16string_view text;
};

class Notices : public ::testing::TestWithParam<NoticeCase> {};

// After Calculate, what was read in part and what the row is as a triangle are said at once,
// at the first box concerned, whose description says it too.
TEST_P(Notices, StandAtTheFirstBoxConcerned) {
    const NoticeCase& k = GetParam();
    const GridController controller = calculated(k.variant, k.first, k.second);
    const std::optional<Notice> notice = calculateNotice(controller);
    ASSERT_EQ(notice.has_value(), k.box.has_value());
    if (!notice) {
        return;
    }
    EXPECT_EQ(notice->box, *k.box);
    EXPECT_EQ(notice->text, k.text);
    EXPECT_TRUE(announcement(controller).ends_with(u"\n" + spokenForm(notice->text)));
    // The notice's first line stands in the description of the box it points at.
    const std::u16string first = notice->text.substr(0, notice->text.find(u'\n'));
    EXPECT_NE(boxView(controller, notice->box).description.find(first), std::u16string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Notices,
    ::testing::Values(
        NoticeCase{0, u"6", u"5", std::nullopt, u""},
        NoticeCase{0, u"", u"5", 0,
                   u"Празното поле се чете като 0.\n"
                   u"С тези стойности триъгълник няма: основата c = 0.000 е нула."},
        NoticeCase{1, u"6", u"12 и половина", 7, u"От „12 и половина“ е прочетено 12."},
        NoticeCase{0, u"-6", u"5", 2,
                   u"С тези стойности триъгълник няма: основата c = −6.000 е отрицателна."},
        NoticeCase{2, u"5", u"12", 8,
                   u"Със същите бедро и лице има и втори триъгълник: c = 8.000, h = 3.000, "
                   u"P = 18.000."}));

TEST(Announcement, ReadsTheRowsFourResults) {
    GridController controller(NumberFormat::c());
    controller.onLoad();
    EXPECT_EQ(announcement(controller), u"");
    EXPECT_EQ(announcement(calculated(0, u"6", u"5")),
              u"Вариант 1: це = 6.000; а = 5.000; пе = 16.000; ес = 12.000.");
}

// The working of results out of date says so before anything else.
TEST(WorkingReport, OfResultsOutOfDateSaysSo) {
    GridController controller = calculated(0, u"6", u"5");
    const std::u16string stale = utf16(kOutOfDateText) + u"\n";
    EXPECT_FALSE(workingReport(controller, 0)->text.starts_with(stale));
    controller.editCell(0, u"7");
    EXPECT_TRUE(workingReport(controller, 0)->text.starts_with(stale));
}

TEST(BoxTooltip, HoldsWhatTheDrawingLeavesOutALineEach) {
    const std::u16string note = utf16(kOutOfDateText);
    const struct {
        bool altered, described;
        std::u16string tip;
    } cases[] = {{false, false, u""},
                 {true, false, u"123456789"},
                 {false, true, note},
                 {true, true, u"123456789\n" + note}};
    for (const auto& c : cases) {
        BoxView view{};
        view.description = c.described ? note : u"";
        EXPECT_EQ(tooltipOf(view, u"123456789", c.altered), c.tip) << c.altered << c.described;
    }
}

// The room is kept only for a text wider than the line; an end is marked only where it is out
// of sight by more than a pixel's rounding.
TEST(EditedBox, MarksEachEndOutOfSight) {
    EXPECT_FALSE(keepsMarkRoom(60, 60));
    EXPECT_TRUE(keepsMarkRoom(60.5, 60));
    const struct {
        double left, right;
        HiddenEnds hidden;
    } cases[] = {{10, 50, {false, false}}, {9, 51, {false, false}}, {-30, 50, {true, false}},
                 {10, 90, {false, true}},  {-30, 90, {true, true}}, {8.9, 50, {true, false}}};
    for (const auto& c : cases) {
        EXPECT_EQ(hiddenEnds(c.left, c.right, 10, 50), c.hidden) << c.left << ".." << c.right;
    }
}

// What a screen reader gets of a box's text: a value is never read in part, not at its end,
// not across its group separators; a character never splits a surrogate pair.
TEST(BoxTextSpans, ReadAValueWholeAndACharacterAtATime) {
    using enum TextSide;
    const std::u16string grouped = u"1 000 000,000";
    const std::u16string pair = u"5\U0001D7D8"; // a digit outside the BMP
    const struct {
        std::u16string_view text;
        long long offset;
        TextUnit unit;
        TextSide side;
        TextSpan span;
    } cases[] = {
        {u"12,000", 0, TextUnit::Whole, At, {0, 6}},
        {u"12,000", 6, TextUnit::Whole, At, {0, 6}},
        {u"12,000", 3, TextUnit::Whole, Before, {0, 0}},
        {u"12,000", 3, TextUnit::Whole, After, {6, 6}},
        {grouped, 2, TextUnit::Whole, At, {0, 13}},
        {u"", 0, TextUnit::Whole, At, {0, 0}},
        {u"", 0, TextUnit::Character, At, {0, 0}},
        {u"12,000", 5, TextUnit::Character, At, {5, 6}},
        {u"12,000", 6, TextUnit::Character, At, {6, 6}},
        {u"12,000", 6, TextUnit::Character, Before, {5, 6}},
        {u"12,000", 0, TextUnit::Character, Before, {0, 0}},
        {u"12,000", 0, TextUnit::Character, After, {1, 2}},
        {u"12,000", 5, TextUnit::Character, After, {6, 6}},
        {u"12,000", -4, TextUnit::Character, At, {0, 1}},
        {u"12,000", 99, TextUnit::Whole, At, {0, 6}},
        {pair, 2, TextUnit::Character, At, {1, 3}},
        {pair, 1, TextUnit::Character, Before, {0, 1}},
        {pair, 2, TextUnit::Character, Before, {0, 1}},
        {pair, 3, TextUnit::Character, Before, {1, 3}},
        {pair, 0, TextUnit::Character, After, {1, 3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(boxTextSpan(c.text, c.offset, c.unit, c.side), c.span)
            << c.text.size() << " units, offset " << c.offset << ", side "
            << static_cast<int>(c.side);
    }
}

// Which of the menu's items a box shows and which of them act, by the box's state and what
// the face knows; the words are the table's, in its order.
TEST(BoxMenu, OffersWhatTheBoxCanDo) {
    using enum BoxAction;
    const struct {
        const char* box;
        bool enabled, takesTyping, copyOffered;
        std::u16string text;
        MenuContext context;
        std::vector<BoxAction> shown, acting;
    } cases[] = {
        {"computed, a result", false, true, true, u"5", {false, false, false}, {Copy}, {Copy}},
        {"computed, empty", false, true, false, u"", {false, false, false}, {}, {}},
        {"typed, empty",
         true,
         true,
         false,
         u"",
         {false, false, true},
         {Undo, Cut, Copy, Paste, Delete, SelectAll},
         {Paste}},
        {"typed, a selection",
         true,
         true,
         false,
         u"12",
         {true, true, false},
         {Undo, Cut, Copy, Paste, Delete, SelectAll},
         {Undo, Cut, Copy, Delete, SelectAll}},
        {"locked",
         true,
         false,
         false,
         u"12",
         {true, true, true},
         {Undo, Cut, Copy, Paste, Delete, SelectAll},
         {Copy, SelectAll}},
    };
    for (const auto& c : cases) {
        BoxView view{};
        view.enabled = c.enabled;
        view.takesTyping = c.takesTyping;
        view.copyOffered = c.copyOffered;
        view.text = c.text;
        std::vector<BoxAction> shown, acting;
        for (const MenuItem& item : boxMenu(view, c.context)) {
            shown.push_back(item.action);
            if (item.enabled) {
                acting.push_back(item.action);
            }
            const auto entry =
                std::find_if(kBoxMenu.begin(), kBoxMenu.end(),
                             [&item](const MenuEntry& e) { return e.action == item.action; });
            ASSERT_NE(entry, kBoxMenu.end());
            EXPECT_EQ(item.text, entry->text);
        }
        EXPECT_EQ(shown, c.shown) << c.box;
        EXPECT_EQ(acting, c.acting) << c.box;
    }
    EXPECT_EQ(kBoxMenu[2].text, "&Копиране");
}

TEST(BoxKeys, ALockedBoxRefusesAudiblyWhatWouldChangeItsText) {
    const struct {
        KeyClass key;
        bool changesText;
    } keys[] = {{KeyClass::Typing, true},  {KeyClass::Deleting, true}, {KeyClass::Pasting, true},
                {KeyClass::Cutting, true}, {KeyClass::Moving, false},  {KeyClass::Selecting, false},
                {KeyClass::Copying, false}};
    for (const auto& k : keys) {
        for (const bool takesTyping : {true, false}) {
            BoxView view{};
            view.takesTyping = takesTyping;
            const bool refused = k.changesText && !takesTyping;
            EXPECT_EQ(answerKey(view, k.key), (KeyAnswer{!refused, refused}))
                << static_cast<int>(k.key) << takesTyping;
        }
    }
}

TEST(FailureReports, NameTheFailureUnderTheTitleWithOneBulgarianButton) {
    const std::vector<FailureReport> reports{
        failureReport(CalcError(CalcErrorKind::InvalidArgument)),
        failureReport(CalcError(CalcErrorKind::DivisionByZero)),
        failureReport(CalcError(CalcErrorKind::Overflow)),
        failureReport(NumberFormatError("no format")),
    };
    const std::vector<std::string_view> texts{
        errorText(CalcErrorKind::InvalidArgument), errorText(CalcErrorKind::DivisionByZero),
        errorText(CalcErrorKind::Overflow), kNumberFormatErrorText};
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].title, windowTitle());
        EXPECT_EQ(reports[i].text, texts[i]);
        EXPECT_EQ(reports[i].button, "Добре");
    }
    EXPECT_TRUE(windowTitle().ends_with("  Геометрия - равнобедрен триъгълник"));
    EXPECT_EQ(windowSpokenName(), "Геометрия - равнобедрен триъгълник");
    const GridController controller(NumberFormat::c());
    const auto failing = [] { throw CalcError(CalcErrorKind::Overflow); };
    EXPECT_EQ(attempt(controller, failing), reports[2]);
    EXPECT_EQ(attempt(controller, [] { throw NumberFormatError("no format"); }), reports[3]);
    EXPECT_EQ(attempt(controller, [] {}), std::nullopt);
}

// A failed Calculate's report: the kind's text first, then the step that failed and what it
// means, or the given text that cannot be read.
TEST(FailureReports, AddHowFarTheCalculateWent) {
    GridController controller(NumberFormat::c());
    controller.onLoad();
    controller.editCell(0, u"12");
    controller.editCell(1, u"5");
    const auto calculate = [&controller] { controller.calculate(); };
    std::optional<FailureReport> report = attempt(controller, calculate);
    ASSERT_TRUE(report);
    const std::string kind(errorText(CalcErrorKind::InvalidArgument));
    const Working working = solveShowingWork(0, 12, 5);
    EXPECT_EQ(report->text, kind + "\n\n" + utf8(failureText(working, NumberFormat::c())));
    controller.editCell(1, u"1e999");
    report = attempt(controller, calculate);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->text.starts_with(errorText(CalcErrorKind::Overflow)));
    EXPECT_NE(report->text.find("«1e999»"), std::string::npos);
    // What the pupil typed, or left empty, is named for what it is, never blamed on the
    // triangle.
    const struct {
        std::u16string_view typed;
        std::string_view says, never;
    } boxes[] = {
        {u"", "Полето a е празно и се чете като 0", "по-дълга"},
        {u"&HFFFFFFFFF", "числата с &H и &O се четат до 32 бита", "с които програмата смята"},
        {u"1e999", "с които програмата смята", "32 бита"},
    };
    for (const auto& b : boxes) {
        controller.editCell(0, u"6");
        controller.editCell(1, std::u16string(b.typed));
        report = attempt(controller, calculate);
        ASSERT_TRUE(report);
        EXPECT_NE(report->text.find(b.says), std::string::npos) << report->text;
        EXPECT_EQ(report->text.find(b.never), std::string::npos) << report->text;
    }
}

// A given box whose three decimals hide what was typed says what was.
TEST(BoxViews, AGivenBoxSaysWhatWasTypedWhereItsTextHidesIt) {
    GridController controller = calculated(0, u"0.0004", u"5");
    EXPECT_EQ(controller.cell(0).text, u"0.000");
    EXPECT_EQ(boxView(controller, 0).description, u"Въведено: «0.0004»");
    EXPECT_EQ(boxView(controller, 1).description, u"");
    controller.editCell(0, u"0.000");
    EXPECT_EQ(boxView(controller, 0).description, u"");
}

// Fixed colours carry black text; what the user types in and the assignment keep the
// desktop's; the results their own colour.
TEST(ControlColours, FixedWhereTheTableFixesThemElseTheDesktops) {
    const struct {
        Family family;
        int index;
        Colours colours;
    } cases[] = {
        {Family::Label1, 0, {rowOf(Family::Label1, 0).background, kTextOnFixedColour}},
        {Family::Frame1, 0, {rowOf(Family::Frame1, 0).background, kTextOnFixedColour}},
        {Family::Option1, 3, {rowOf(Family::Option1, 3).background, kTextOnFixedColour}},
        {Family::Command1, 1, {rowOf(Family::Command1, 1).background, kTextOnFixedColour}},
        {Family::Text2, 0, {}},
        {Family::Text2, 6, {rowOf(Family::Text2, 6).computedBackground, kTextOnFixedColour}},
        {Family::Text1, 0, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coloursOf(c.family, c.index), c.colours)
            << familyName(c.family) << "(" << c.index << ")";
    }
}

TEST(Utf16, DecodesTheTablesTexts) {
    EXPECT_EQ(utf16("a=b «Добре» €𝄞"), u"a=b «Добре» €𝄞");
}

} // namespace
} // namespace isosceles
