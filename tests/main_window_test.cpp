#include "main_window.h"
#include "modal_closer.h"
#include "variant_table.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace isosceles {
namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(NumberFormat::c(), reportError);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        window.reset();
        QApplication::processEvents();
    }

    QLineEdit* box(int k) const { return window->Text2.at(static_cast<std::size_t>(k)); }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    void type(int k, const QString& text) { QTest::keyClicks(box(k), text); }

    std::vector<QString> row(int r) const {
        std::vector<QString> texts;
        for (int column = 0; column < 4; ++column) {
            texts.push_back(box(4 * r + column)->text());
        }
        return texts;
    }

    void expectGridEmpty() const {
        for (int k = 0; k < kBoxCount; ++k) {
            EXPECT_EQ(box(k)->text(), "") << "box " << k;
        }
    }

    // Every box shows its cell: text, lock as read-only, enabled flag.
    void expectMirrorsController() const {
        const GridController& grid = window->controller();
        for (int k = 0; k < kBoxCount; ++k) {
            const GridCell& cell = grid.cell(k);
            EXPECT_EQ(box(k)->text().toStdU16String(), cell.text) << "box " << k;
            EXPECT_EQ(box(k)->isReadOnly(), cell.locked) << "box " << k;
            EXPECT_EQ(box(k)->isEnabled(), cell.enabled) << "box " << k;
        }
        for (int i = 0; i < kVariantCount; ++i) {
            EXPECT_EQ(window->Option1[static_cast<std::size_t>(i)]->isChecked(),
                      i == grid.currentVariant())
                << "option " << i;
        }
    }

    std::unique_ptr<MainWindow> window;
};

struct Placement {
    const char* name;
    QRect pixels;
};

class Geometry : public Window, public ::testing::WithParamInterface<Placement> {};

TEST_P(Geometry, TwipsDividedByFifteen) {
    const Placement& p = GetParam();
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.pixels) << p.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Geometry,
    ::testing::Values(
        Placement{"Label1(0)", {80, 0, 305, 25}}, Placement{"Label1(1)", {120, 32, 65, 25}},
        Placement{"Label1(2)", {184, 32, 65, 25}}, Placement{"Label1(3)", {248, 32, 65, 25}},
        Placement{"Label1(4)", {312, 32, 65, 25}}, Placement{"Frame1", {0, 32, 113, 177}},
        Placement{"Option1(0)", {8, 24, 100, 27}}, Placement{"Option1(4)", {8, 120, 100, 27}},
        Placement{"Text2(0)", {120, 56, 65, 27}}, Placement{"Text2(6)", {248, 80, 65, 27}},
        Placement{"Text2(19)", {312, 152, 65, 27}}, Placement{"Command1(0)", {384, 56, 73, 25}},
        Placement{"Command1(1)", {384, 176, 73, 25}}, Placement{"Text1", {8, 224, 449, 121}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == '(' || ch == ')') {
                ch = '_';
            }
        }
        return name;
    });

TEST_F(Window, ClientAreaIsFixed) {
    EXPECT_EQ(window->size(), QSize(464, 352));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    // Nor offers the window manager a maximize.
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(Window, GridStandsUnderItsHeadingsAndLevelWithItsOptions) {
    for (int k = 0; k < kBoxCount; ++k) {
        const QRect r = box(k)->geometry();
        const QRect heading = window->Label1.at(static_cast<std::size_t>(k % 4 + 1))->geometry();
        EXPECT_EQ(r.left(), heading.left()) << k;
        EXPECT_EQ(r.width(), heading.width()) << k;
        const QRect option = window->Option1.at(static_cast<std::size_t>(k / 4))->geometry();
        EXPECT_EQ(r.top(), window->Frame1->y() + option.y()) << k;
    }
}

QColor pixelAt(const QImage& image, QPoint logical, qreal scale) {
    return image.pixelColor(QPoint(qRound(logical.x() * scale), qRound(logical.y() * scale)));
}

// Points well inside each control and away from its text, with the colour drawn there.
void expectColours(MainWindow& window, qreal scale) {
    const QImage image = window.grab().toImage();
    ASSERT_EQ(image.size(), QSize(qRound(464 * scale), qRound(352 * scale)));
    struct Probe {
        QWidget* widget;
        QPoint inside;
        QColor colour;
    };
    const QColor heading(255, 192, 128);
    const std::vector<Probe> probes{
        {window.Label1[0], {4, 4}, heading},
        {window.Label1[2], {3, 3}, heading},
        {window.Option1[3], {95, 3}, QColor(128, 128, 255)},
        {window.Text2[2], {5, 5}, QColor(255, 192, 192)},
        {window.Text2[19], {5, 5}, QColor(255, 192, 192)},
        {window.Text2[0], {5, 5}, QColor(255, 255, 255)},
        {window.Command1[0], {5, 5}, QColor(128, 255, 128)},
        {window.Command1[1], {5, 5}, QColor(255, 0, 0)},
        {window.Command1[1], {68, 20}, QColor(255, 0, 0)},
        {&window, {460, 100}, QColor(192, 192, 255)},
        {&window, {2, 215}, QColor(192, 192, 255)},
        {window.Frame1, {50, 160}, QColor(192, 192, 255)},
    };
    for (const Probe& probe : probes) {
        const QPoint at = probe.widget->mapTo(&window, probe.inside);
        EXPECT_EQ(pixelAt(image, at, scale), probe.colour)
            << probe.widget->objectName().toStdString() << " at " << at.x() << "," << at.y();
    }
}

TEST_F(Window, ColoursAreSolidAsGiven) {
    expectColours(*window, 1);
}

TEST_F(Window, ComputedBoxesKeepTheirColourWhenDisabled) {
    for (int k = 0; k < kBoxCount; ++k) {
        if (!isComputedBox(k)) {
            continue;
        }
        const QPalette palette = box(k)->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            EXPECT_EQ(palette.color(group, QPalette::Base), QColor(255, 192, 192)) << k;
        }
    }
}

// QT_SCALE_FACTOR is set by the test run that checks high-density screens; without it this
// checks the ordinary scale of 1.
TEST(ScaledWindow, DoublesAndKeepsEveryControlInPlace) {
    const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                            ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                            : 1.0;
    MainWindow window(NumberFormat::c(), reportError);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.devicePixelRatio(), scale);
    EXPECT_EQ(window.size(), QSize(464, 352));
    expectColours(window, scale);
}

std::vector<QWidget*> allControls(const MainWindow& w) {
    std::vector<QWidget*> controls{w.Text1, w.Frame1};
    controls.insert(controls.end(), w.Text2.begin(), w.Text2.end());
    controls.insert(controls.end(), w.Label1.begin(), w.Label1.end());
    controls.insert(controls.end(), w.Option1.begin(), w.Option1.end());
    controls.insert(controls.end(), w.Command1.begin(), w.Command1.end());
    return controls;
}

TEST_F(Window, FontsAreTimesNewRomanTwelvePointBoxesBold) {
    for (QWidget* widget : allControls(*window)) {
        const QFont font = widget->font();
        EXPECT_EQ(font.family(), "Times New Roman") << widget->objectName().toStdString();
        EXPECT_EQ(font.pointSize(), 12) << widget->objectName().toStdString();
        EXPECT_EQ(font.bold(), qobject_cast<QLineEdit*>(widget) != nullptr)
            << widget->objectName().toStdString();
    }
    const QString served = QFontInfo(window->font()).family();
    EXPECT_EQ(served, "Liberation Serif");
    EXPECT_TRUE(QFontDatabase::writingSystems(served).contains(QFontDatabase::Cyrillic));
}

TEST_F(Window, EveryControlCarriesItsFamilyName) {
    int named = 0;
    for (QWidget* widget : allControls(*window)) {
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(window->findChild<QWidget*>(widget->objectName()), widget);
        ++named;
    }
    EXPECT_EQ(named, 1 + 1 + 20 + 5 + 5 + 2);
    EXPECT_EQ(window->findChild<QWidget*>("Text2(17)"), window->Text2[17]);
    EXPECT_EQ(window->findChild<QWidget*>("Option1(2)"), window->Option1[2]);
}

TEST_F(Window, TextsAsGiven) {
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral(ISOSCELES_MAKER_URL) + "  Геометрия - равнобедрен триъгълник");
    EXPECT_EQ(window->Label1[0]->text(), "Геометрия - равнобедрен триъгълник");
    const char* headings[] = {"c", "a=b", "P", "S"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(window->Label1.at(static_cast<std::size_t>(i))->text(), headings[i - 1]);
        EXPECT_EQ(window->Label1.at(static_cast<std::size_t>(i))->alignment(), Qt::AlignCenter);
    }
    EXPECT_EQ(window->Frame1->title(), "Варианти");
    for (int i = 0; i < kVariantCount; ++i) {
        EXPECT_EQ(window->Option1.at(static_cast<std::size_t>(i))->text(),
                  QStringLiteral("Вариант %1").arg(i + 1));
    }
    EXPECT_EQ(window->Command1[0]->text(), "Изчисли");
    EXPECT_EQ(window->Command1[1]->text(), "Изчисти");
    for (QLineEdit* edit : window->Text2) {
        EXPECT_EQ(edit->alignment(), Qt::AlignCenter);
    }
}

TEST_F(Window, AssignmentIsSixLinesEachEndedByALineBreak) {
    EXPECT_EQ(QString::fromStdString(assignmentText()).count("\r\n"), 6);
    EXPECT_TRUE(QString::fromStdString(assignmentText()).contains(". \r\nДа се използват"));
    EXPECT_TRUE(QString::fromStdString(assignmentText()).endsWith("лице.\r\n"));
    const QTextDocument* document = window->Text1->document();
    ASSERT_EQ(document->blockCount(), 7);
    EXPECT_EQ(document->findBlockByNumber(1).text(),
              "Тема на проекта: Геометрия - равнобедрен триъгълник");
    EXPECT_TRUE(document->findBlockByNumber(2).text().contains("лице на  равнобедрен"));
    EXPECT_TRUE(document->findBlockByNumber(3).text().endsWith("параметъра. "));
    EXPECT_TRUE(document->findBlockByNumber(6).text().isEmpty());
    EXPECT_TRUE(window->Text1->isReadOnly());
    EXPECT_EQ(window->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->Text1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(Window, IconAndVersion) {
    const QImage icon(QStringLiteral(":/icons/isosceles.png"));
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.format(), QImage::Format_Indexed8);
    EXPECT_LE(icon.colorCount(), 256);
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(QCoreApplication::applicationVersion(), "1.00");
}

TEST_F(Window, EveryControlHasAnAccessibleName) {
    EXPECT_EQ(box(0)->accessibleName(), "c, Вариант 1");
    EXPECT_EQ(box(4)->accessibleName(), "c, Вариант 2");
    EXPECT_EQ(box(13)->accessibleName(), "a=b, Вариант 4");
    EXPECT_EQ(box(19)->accessibleName(), "S, Вариант 5");
    EXPECT_EQ(window->Option1[2]->accessibleName(), "Вариант 3");
    EXPECT_EQ(window->Command1[0]->accessibleName(), "Изчисли");
    EXPECT_EQ(window->Command1[1]->accessibleName(), "Изчисти");
    EXPECT_EQ(window->Text1->accessibleName(), "Задание на проекта");
    EXPECT_EQ(window->Frame1->accessibleName(), "Варианти");
    for (QWidget* widget : allControls(*window)) {
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
    }
}

TEST_F(Window, TextSetFromOutsideTheKeyboardReachesTheController) {
    // As a screen reader does: through the box's text, not through key presses.
    box(0)->setText("6");
    box(1)->setText("5");
    EXPECT_EQ(window->controller().cell(1).text, u"5");
    click(window->Command1[0]);
    EXPECT_EQ(row(0), (std::vector<QString>{"6.000", "5.000", "16.000", "12.000"}));
    box(8)->setText("9");
    EXPECT_EQ(box(8)->text(), "");
    box(5)->setText("9");
    EXPECT_EQ(box(5)->text(), "");
    expectMirrorsController();
}

TEST(Application, IdentifiesItselfToTheDesktop) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), ISOSCELES_APP_ID);
    EXPECT_EQ(QCoreApplication::applicationName(), "isosceles");
}

TEST_F(Window, StartsWithRowZeroOpenAndOptionZeroChecked) {
    EXPECT_TRUE(window->Option1[0]->isChecked());
    expectMirrorsController();
    for (int k = 0; k < kBoxCount; ++k) {
        EXPECT_EQ(box(k)->isEnabled(), !isComputedBox(k)) << k;
        EXPECT_EQ(box(k)->isReadOnly(), k >= 4) << k;
    }
    EXPECT_FALSE(window->Command1[0]->isDefault() || window->Command1[0]->autoDefault());
    EXPECT_FALSE(window->Command1[1]->isDefault() || window->Command1[1]->autoDefault());
}

std::vector<QWidget*> expectedTabOrder(const MainWindow& w) {
    std::vector<QWidget*> order{w.Text1};
    for (int k = 0; k <= 15; ++k) {
        order.push_back(w.Text2.at(static_cast<std::size_t>(k)));
    }
    order.push_back(w.Command1[0]);
    order.push_back(w.Command1[1]);
    for (int k = 16; k <= 19; ++k) {
        order.push_back(w.Text2.at(static_cast<std::size_t>(k)));
    }
    for (QRadioButton* option : w.Option1) {
        order.push_back(option);
    }
    return order;
}

TEST_F(Window, FocusChainFollowsTheGivenTabOrder) {
    const std::vector<QWidget*> expected = expectedTabOrder(*window);
    std::vector<QWidget*> chain;
    QWidget* widget = window->Text1;
    do {
        if (std::find(expected.begin(), expected.end(), widget) != expected.end()) {
            chain.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != window->Text1 && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);
}

TEST_F(Window, FocusStartsInTheAssignmentAndTabSkipsDisabledBoxes) {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window->Text1);
    std::vector<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    // Boxes 2, 3, 5 and 6 are disabled; the locked boxes 4 and 7 still take focus.
    EXPECT_EQ(visited, (std::vector<QWidget*>{box(0), box(1), box(4), box(7)}));
}

TEST_F(Window, TheRoadOfOneCalculation) {
    click(window->Option1[1]);
    type(4, "6");
    type(7, "12");
    click(window->Command1[0]);
    EXPECT_EQ(row(1), (std::vector<QString>{"6.000", "5.000", "16.000", "12.000"}));
    expectMirrorsController();
}

TEST_F(Window, LockedBoxesKeepTheirTextAgainstTyping) {
    type(4, "7");
    type(0, "6");
    EXPECT_EQ(box(4)->text(), "");
    EXPECT_EQ(box(0)->text(), "6");
    EXPECT_EQ(window->controller().cell(0).text, u"6");
}

TEST_F(Window, SelectingAVariantEmptiesTheGrid) {
    type(0, "6");
    type(1, "5");
    click(window->Command1[0]);
    click(window->Option1[3]);
    expectGridEmpty();
    EXPECT_EQ(window->controller().currentVariant(), 3);
    expectMirrorsController();
}

TEST_F(Window, ClickingTheCheckedOptionKeepsTheGrid) {
    type(0, "6");
    click(window->Option1[0]);
    EXPECT_EQ(box(0)->text(), "6");
}

TEST_F(Window, KeyboardSelectionCallsTheController) {
    window->Option1[2]->setFocus();
    QTest::keyClick(window->Option1[2], Qt::Key_Space);
    EXPECT_EQ(window->controller().currentVariant(), 2);
    expectMirrorsController();
}

TEST_F(Window, ClearKeepsTheRowReady) {
    click(window->Option1[4]);
    type(16, "6");
    type(18, "16");
    click(window->Command1[0]);
    click(window->Command1[1]);
    expectGridEmpty();
    type(16, "6");
    type(18, "12");
    click(window->Command1[0]);
    EXPECT_EQ(row(4), (std::vector<QString>{"6.000", "3.000", "12.000", "0.000"}));
}

TEST_F(Window, ReturnInABoxCalculatesNothing) {
    type(0, "6");
    QTest::keyClick(box(0), Qt::Key_Return);
    EXPECT_EQ(box(0)->text(), "6");
    EXPECT_EQ(box(2)->text(), "");
}

TEST_F(Window, FailedCalculateIsReportedAndTheWindowGoesOn) {
    click(window->Option1[1]);
    type(4, "0");
    type(7, "5");
    std::vector<GridCell> before;
    for (int k = 0; k < kBoxCount; ++k) {
        before.push_back(window->controller().cell(k));
    }
    {
        ModalCloser closer;
        click(window->Command1[0]);
        ASSERT_EQ(closer.texts.size(), 1u);
        EXPECT_EQ(closer.titles[0], window->windowTitle());
        EXPECT_EQ(closer.texts[0], "Деление на нула.");
    }
    EXPECT_TRUE(window->isVisible());
    for (int k = 0; k < kBoxCount; ++k) {
        EXPECT_EQ(window->controller().cell(k), before[static_cast<std::size_t>(k)]) << k;
    }
    expectMirrorsController();
    box(4)->clear();
    type(4, "6");
    box(7)->selectAll();
    type(7, "12");
    click(window->Command1[0]);
    EXPECT_EQ(row(1), (std::vector<QString>{"6.000", "5.000", "16.000", "12.000"}));
}

struct ReportCase {
    const char* first;
    const char* second;
    const char* message;
};

class Reports : public Window, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(Reports, NameTheError) {
    type(0, GetParam().first);
    type(1, GetParam().second);
    ModalCloser closer;
    click(window->Command1[0]);
    ASSERT_EQ(closer.texts.size(), 1u);
    EXPECT_TRUE(closer.texts[0].startsWith(QString::fromUtf8(GetParam().message)))
        << closer.texts[0].toStdString();
    EXPECT_EQ(box(2)->text(), "");
}

INSTANTIATE_TEST_SUITE_P(Kinds, Reports,
                         ::testing::Values(ReportCase{"11", "5", "Невалиден аргумент"},
                                           ReportCase{"1e400", "5", "Препълване"},
                                           ReportCase{"1", "1e200", "Препълване"}));

// Random clicks, keys and pastes on the real window; after each the window must still be
// there and show exactly the controller's state.
TEST_F(Window, SurvivesRandomUseAndAlwaysMirrorsTheController) {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const unsigned seed = 20261208;
    std::mt19937 rng(seed);
    const std::vector<Qt::Key> keys{
        Qt::Key_0,     Qt::Key_5,  Qt::Key_9,         Qt::Key_Period, Qt::Key_Comma,  Qt::Key_Minus,
        Qt::Key_E,     Qt::Key_A,  Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Tab,
        Qt::Key_Space, Qt::Key_Up, Qt::Key_Down,      Qt::Key_Home};
    const QString hugeDigits(30000, QLatin1Char('7'));
    QString hugeMixed;
    for (int i = 0; i < 30000; ++i) {
        hugeMixed.append(QChar(static_cast<char16_t>(0x20 + rng() % 0x2000)));
    }
    ModalCloser closer;
    std::size_t longestText = 0;
    for (int step = 0; step < 400; ++step) {
        const unsigned roll = rng() % 100;
        std::string action;
        if (roll < 12) {
            const auto i = rng() % kVariantCount;
            action = "click option " + std::to_string(i);
            click(window->Option1[i]);
        } else if (roll < 30) {
            const auto i = rng() % 2;
            action = "click button " + std::to_string(i);
            click(window->Command1[i]);
        } else if (roll < 55) {
            const int k = static_cast<int>(rng() % kBoxCount);
            action = "type into box " + std::to_string(k);
            QTest::mouseClick(box(k), Qt::LeftButton);
            QTest::keyClicks(box(k), QString::number(rng() % 100000) + (rng() % 2 ? "." : ","));
        } else if (roll < 60) {
            const int k = static_cast<int>(rng() % kBoxCount);
            action = "paste 30000 characters into box " + std::to_string(k);
            QApplication::clipboard()->setText(rng() % 2 ? hugeDigits : hugeMixed);
            box(k)->setFocus();
            QTest::keyClick(box(k), Qt::Key_V, Qt::ControlModifier);
        } else {
            QWidget* target =
                QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
            const Qt::Key key = keys[rng() % keys.size()];
            action = "key " + std::to_string(key) + " on " + target->objectName().toStdString();
            QTest::keyClick(target, key);
        }
        ASSERT_TRUE(window->isVisible()) << "seed " << seed << " step " << step << ": " << action;
        expectMirrorsController();
        for (int k = 0; k < kBoxCount; ++k) {
            longestText = std::max(longestText, window->controller().cell(k).text.size());
        }
        if (::testing::Test::HasFailure()) {
            FAIL() << "seed " << seed << " step " << step << ": " << action;
        }
    }
    // The run reached the paths it is there for.
    EXPECT_GE(longestText, 30000u);
    EXPECT_FALSE(closer.texts.empty());
}

} // namespace
} // namespace isosceles
