#include "main_window.h"
#include "modal_closer.h"
#include "variant_table.h"

#include <QFile>
#include <QLibraryInfo>
#include <QRadioButton>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

namespace isosceles {
namespace {

double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto linear = [](int value) {
            const double v = value / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue()) +
               0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

QPalette darkDesktop() {
    QPalette dark(QColor(48, 47, 46), QColor(66, 66, 69));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, Qt::white);
    }
    dark.setColor(QPalette::Base, QColor(61, 61, 61));
    return dark;
}

// A window in a chosen locale, under the desktop's palette or a dark one that is put back.
class Display : public ::testing::Test {
protected:
    void open(const char* locale, bool dark = false) {
        if (dark) {
            saved_ = QApplication::palette();
            QApplication::setPalette(darkDesktop());
        }
        window = std::make_unique<MainWindow>(NumberFormat::forLocale(locale), reportError);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        window.reset();
        if (saved_) {
            QApplication::setPalette(*std::exchange(saved_, std::nullopt));
        }
    }

    FittingBox* box(int k) const { return window->Text2.at(static_cast<std::size_t>(k)); }
    QRadioButton* option(int i) const { return window->Option1.at(static_cast<std::size_t>(i)); }

    void calculate(Variant v, const QString& first, const QString& second) {
        QTest::mouseClick(option(v), Qt::LeftButton);
        QTest::mouseClick(window->Command1[1], Qt::LeftButton);
        QTest::keyClicks(box(boxIndex(v, given(v)[0])), first);
        QTest::keyClicks(box(boxIndex(v, given(v)[1])), second);
        QTest::mouseClick(window->Command1[0], Qt::LeftButton);
    }

    std::unique_ptr<MainWindow> window;

private:
    std::optional<QPalette> saved_;
};

// Room left beside the shown text in the box's contents, at the font the box draws with.
int roomLeft(FittingBox* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4 -
           QFontMetrics(box->font()).horizontalAdvance(box->shownText());
}

struct LongRow {
    const char* locale;
    Variant variant;
    const char* first;
    const char* second;
    bool cut; // some result is longer than the smallest size holds
};

class LongValues : public Display, public ::testing::WithParamInterface<LongRow> {};

TEST_P(LongValues, EveryBoxShowsItsWholeTextOrVisiblyCutsIt) {
    const LongRow& p = GetParam();
    open(p.locale);
    calculate(p.variant, p.first, p.second);
    bool anyCut = false;
    for (int k = 4 * p.variant; k < 4 * p.variant + 4; ++k) {
        const QString text = box(k)->text();
        const std::string name = std::to_string(k) + " " + text.toStdString();
        EXPECT_EQ(text.toStdU16String(), window->controller().cell(k).text);
        EXPECT_GE(roomLeft(box(k)), 0) << name << " at " << box(k)->font().pointSizeF();
        EXPECT_TRUE(box(k)->font().bold() && box(k)->font().family() == "Times New Roman");
        EXPECT_EQ(box(k)->toolTip(), box(k)->font().pointSizeF() < 12 ? text : "") << name;
        const QString shown = box(k)->shownText();
        anyCut = anyCut || box(k)->isElided();
        EXPECT_TRUE(box(k)->isElided() ? text.size() > 15 && shown.endsWith(u'…') &&
                                             text.startsWith(shown.chopped(1))
                                       : shown == text)
            << name;
    }
    EXPECT_EQ(anyCut, p.cut);

    // Short texts written afterwards are drawn at the box's own size again.
    calculate(0, "6", "5");
    for (int k = 0; k < kBoxCount; ++k) {
        EXPECT_EQ(box(k)->font().pointSizeF(), 12) << k;
        EXPECT_TRUE(box(k)->toolTip().isEmpty() && !box(k)->isElided()) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, LongValues,
                         ::testing::Values(LongRow{"bg_BG.UTF-8", 0, "-1234.5", "10000", false},
                                           LongRow{"bg_BG.UTF-8", 0, "1234.5", "1000", false},
                                           LongRow{"de_CH.UTF-8", 1, "-12345678.5", "1", false},
                                           LongRow{"en_IN.UTF-8", 2, "9999999", "99999999", false},
                                           LongRow{"bg_BG.UTF-8", 0, "1e12", "1e12", true},
                                           LongRow{"en_IN.UTF-8", 4, "-1e15", "1e15", true}));

struct FixedBackground {
    const char* name;
    QRect textArea; // where the control's text stands, clear of borders and indicators
    QColor background;
};

class DarkDesktop : public Display, public ::testing::WithParamInterface<FixedBackground> {};

// The strongest contrast of any pixel in the text area is the contrast of the text.
TEST_P(DarkDesktop, TextOnFixedColoursStaysReadable) {
    open("bg_BG.UTF-8", true);
    calculate(0, "-1234.5", "10000");
    const FixedBackground& p = GetParam();
    const QImage image = window->findChild<QWidget*>(p.name)->grab().toImage();
    double strongest = 1;
    for (int y = p.textArea.top(); y <= p.textArea.bottom(); ++y) {
        for (int x = p.textArea.left(); x <= p.textArea.right(); ++x) {
            strongest = std::max(strongest, contrast(image.pixelColor(x, y), p.background));
        }
    }
    EXPECT_GE(strongest, 4.5) << p.name;
}

const QColor kHeading(255, 192, 128), kComputed(255, 192, 192), kOption(128, 128, 255);

INSTANTIATE_TEST_SUITE_P(
    Controls, DarkDesktop,
    ::testing::Values(FixedBackground{"Label1(0)", {3, 3, 299, 19}, kHeading},
                      FixedBackground{"Label1(2)", {3, 3, 59, 19}, kHeading},
                      FixedBackground{"Frame1", {8, 2, 60, 14}, QColor(192, 192, 255)},
                      FixedBackground{"Option1(0)", {20, 3, 76, 21}, kOption},
                      FixedBackground{"Option1(4)", {20, 3, 76, 21}, kOption},
                      FixedBackground{"Command1(0)", {4, 4, 65, 17}, QColor(128, 255, 128)},
                      FixedBackground{"Command1(1)", {4, 4, 65, 17}, QColor(255, 0, 0)},
                      FixedBackground{"Text2(2)", {4, 4, 57, 19}, kComputed},
                      FixedBackground{"Text2(3)", {4, 4, 57, 19}, kComputed}),
    [](const auto& info) {
        return QString(info.param.name).replace('(', '_').remove(')').toStdString();
    });

TEST_F(Display, FocusedBoxIsMarkedOnAllFourSidesOnAnyDesktop) {
    for (const bool dark : {false, true}) {
        open("bg_BG.UTF-8", dark);
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        box(1)->setFocus();
        const QImage image = window->grab().toImage();
        const QRect r = box(1)->geometry();
        // The box the user types in keeps the desktop's own colours.
        const QColor base = box(1)->palette().color(QPalette::Base);
        EXPECT_EQ(base, dark ? darkDesktop().color(QPalette::Base) : QColor(Qt::white));
        for (const QPoint at :
             {QPoint(r.center().x(), r.top()), QPoint(r.center().x(), r.bottom()),
              QPoint(r.left(), r.center().y()), QPoint(r.right(), r.center().y())}) {
            EXPECT_GE(contrast(image.pixelColor(at), base), 3.0)
                << dark << " " << at.x() << "," << at.y();
        }
        TearDown();
    }
}

TEST_F(Display, ReportSpeaksBulgarianWhereQtsTranslationIsInstalled) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_bg.qm")) {
        GTEST_SKIP() << "Qt's Bulgarian translation is not installed";
    }
    open("C");
    ModalCloser closer;
    calculate(0, "11", "5");
    ASSERT_EQ(closer.buttons.size(), 1u);
    EXPECT_TRUE(closer.buttons[0].contains(QRegularExpression("\\p{Cyrillic}")))
        << closer.buttons[0].toStdString();
}

struct Press {
    const char* control;
    Qt::Key key;      // 0: a click at the far corner of the control's rectangle
    Variant variant;  // selected afterwards
    const char* area; // box 3 afterwards, with 6 and 5 typed into row 0 before
};

class Presses : public Display, public ::testing::WithParamInterface<Press> {};

TEST_P(Presses, ReachTheWholeControlAndFollowTheDesktopsKeys) {
    open("C");
    const Press& p = GetParam();
    QTest::keyClicks(box(0), "6");
    QTest::keyClicks(box(1), "5");
    auto* control = window->findChild<QWidget*>(p.control);
    if (p.key == Qt::Key(0)) {
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().bottomRight());
    } else {
        if (auto* start = qobject_cast<QRadioButton*>(control)) {
            QTest::mouseClick(start, Qt::LeftButton);
        }
        control->setFocus();
        QTest::keyClick(control, p.key);
    }
    EXPECT_EQ(window->controller().currentVariant(), p.variant);
    EXPECT_EQ(box(3)->text(), p.area);
}

INSTANTIATE_TEST_SUITE_P(Controls, Presses,
                         ::testing::Values(Press{"Option1(3)", Qt::Key(0), 3, ""},
                                           Press{"Option1(4)", Qt::Key(0), 4, ""},
                                           Press{"Option1(1)", Qt::Key_Down, 2, ""},
                                           Press{"Option1(1)", Qt::Key_Right, 2, ""},
                                           Press{"Option1(2)", Qt::Key_Up, 1, ""},
                                           Press{"Option1(2)", Qt::Key_Left, 1, ""},
                                           Press{"Option1(4)", Qt::Key_Down, 0, ""},
                                           Press{"Option1(0)", Qt::Key_Left, 4, ""},
                                           Press{"Command1(0)", Qt::Key_Return, 0, "12.000"},
                                           Press{"Command1(0)", Qt::Key_Enter, 0, "12.000"},
                                           Press{"Command1(0)", Qt::Key_Space, 0, "12.000"},
                                           Press{"Text2(0)", Qt::Key_Return, 0, ""}));

struct FaceState {
    bool focused, down;
    QPoint at;
    QColor colour;
};

class ButtonFaces : public Display, public ::testing::WithParamInterface<FaceState> {};

// The face is solid; its border is one pixel, two with the focus, grey while held down.
TEST_P(ButtonFaces, BorderFollowsTheState) {
    open("C");
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QPushButton* button = window->Command1[0];
    (GetParam().focused ? button : static_cast<QWidget*>(box(0)))->setFocus();
    button->setDown(GetParam().down);
    EXPECT_EQ(button->grab().toImage().pixelColor(GetParam().at), GetParam().colour);
}

const QColor kFace(128, 255, 128), kGrey(64, 64, 64);

INSTANTIATE_TEST_SUITE_P(States, ButtonFaces,
                         ::testing::Values(FaceState{false, false, {0, 12}, Qt::black},
                                           FaceState{false, false, {1, 12}, kFace},
                                           FaceState{true, false, {1, 12}, Qt::black},
                                           FaceState{true, false, {2, 12}, kFace},
                                           FaceState{false, true, {72, 1}, kGrey},
                                           FaceState{true, true, {1, 24}, kGrey},
                                           FaceState{true, true, {2, 22}, kFace}));

TEST_F(Display, UnavailableNumberFormatIsReportedAtCalculateAndTheWindowGoesOn) {
    window = std::make_unique<MainWindow>(NumberFormat::unavailable("test"), reportError);
    window->show();
    ModalCloser closer;
    calculate(0, "6", "5");
    ASSERT_EQ(closer.texts.size(), 1u);
    EXPECT_EQ(closer.texts[0], QString::fromUtf8(kNumberFormatErrorText));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(box(0)->text(), "6");
    EXPECT_EQ(box(2)->text(), "");
}

} // namespace
} // namespace isosceles
