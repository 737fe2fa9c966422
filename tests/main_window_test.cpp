#include "main_window.h"
#include "variant_table.h"
#include "working_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace isosceles {
namespace {

// Closes every modal box that appears while it lives, remembering what the boxes said, so
// that no test can hang on one.
class ModalCloser {
public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles.push_back(box->windowTitle());
                texts.push_back(box->text());
                buttons.push_back(box->buttons().value(0)->text());
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start(10);
    }

    std::vector<QString> titles, texts, buttons;

private:
    QTimer timer_;
};

QPalette darkDesktop() {
    QPalette dark(QColor(48, 47, 46), QColor(66, 66, 69));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, Qt::white);
    }
    dark.setColor(QPalette::Base, QColor(61, 61, 61));
    return dark;
}

// A shown window with a chosen number format, under the desktop's palette or a dark one that
// is put back afterwards.
class Window : public ::testing::Test {
protected:
    void SetUp() override { open(NumberFormat::c()); }

    void open(NumberFormat format, bool dark = false) {
        if (dark) {
            saved_ = QApplication::palette();
            QApplication::setPalette(darkDesktop());
        }
        window = std::make_unique<MainWindow>(std::move(format), reportError);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        window.reset();
        if (saved_) {
            QApplication::setPalette(*std::exchange(saved_, std::nullopt));
        }
        QApplication::processEvents();
    }

    // Empties the grid, selects variant v, types its two values and presses Calculate.
    void calculate(Variant v, const QString& first, const QString& second) {
        click(window->Option1.at(static_cast<std::size_t>(v)));
        click(window->Command1[1]);
        type(boxIndex(v, given(v)[0]), first);
        type(boxIndex(v, given(v)[1]), second);
        click(window->Command1[0]);
    }

    FittingBox* box(int k) const { return window->Text2.at(static_cast<std::size_t>(k)); }

    // «Как е изчислено» from computed box k's menu, which the window opens for it; none where
    // no menu or window opened.
    WorkingDialog* openWorking(int k) {
        QContextMenuEvent menuAt(QContextMenuEvent::Mouse, box(k)->geometry().center(),
                                 window->mapToGlobal(box(k)->geometry().center()));
        QApplication::sendEvent(window.get(), &menuAt);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return nullptr;
        }
        menu->actions().at(1)->trigger();
        menu->close();
        return window->findChild<WorkingDialog*>();
    }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    void type(int k, const QString& text) { QTest::keyClicks(box(k), text); }

    // A number as the window's format writes it.
    QString number(double value) const {
        return QString::fromStdU16String(window->controller().numberFormat().format3(value));
    }

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

private:
    std::optional<QPalette> saved_;
};

struct PlatformCase {
    const char* environment; // NAME=value, a space between
    std::optional<std::string> platform;
};

class Platforms : public ::testing::TestWithParam<PlatformCase> {};

TEST_P(Platforms, XWaylandOnlyWhereNoTitleBarWouldBeDrawnForTheWindow) {
    std::map<std::string, std::string> vars;
    for (const QString& pair : QString(GetParam().environment).split(' ')) {
        vars[pair.section('=', 0, 0).toStdString()] = pair.section('=', 1).toStdString();
    }
    EXPECT_EQ(preferredPlatform([&vars](const char* name) -> const char* {
                  const auto it = vars.find(name);
                  return it == vars.end() ? nullptr : it->second.c_str();
              }),
              GetParam().platform)
        << GetParam().environment;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sessions, Platforms, ::testing::Values(
    PlatformCase{"XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME DISPLAY=:0", "xcb"},
    PlatformCase{"WAYLAND_DISPLAY=wayland-0 XDG_CURRENT_DESKTOP=ubuntu:GNOME DISPLAY=:0", "xcb"},
    PlatformCase{"XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME DISPLAY=:0 QT_QPA_PLATFORM=wayland", {}},
    PlatformCase{"XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME", {}},
    PlatformCase{"XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE DISPLAY=:0", {}},
    PlatformCase{"XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=GNOME DISPLAY=:0", {}},
    PlatformCase{"XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME-Flashback DISPLAY=:0", {}}));
// clang-format on

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
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
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
    // Qt's own text (tooltips, the report) in the same face.
    EXPECT_EQ(QApplication::font(), window->font());
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
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name).toStdString(), windowSpokenName());
    EXPECT_EQ(window->windowTitle(), windowTitleText());
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
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window->Text1);
    box(1)->setText("5");
    std::vector<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
        if (i == 1) {
            // Typing replaces what a box entered by Tab holds, however soon it comes.
            QTest::keyClick(box(1), Qt::Key_7);
            EXPECT_EQ(box(1)->text(), "7");
        }
    }
    // Boxes 2, 3, 5 and 6 are disabled; the locked boxes 4 and 7 still take focus.
    EXPECT_EQ(visited, (std::vector<QWidget*>{box(0), box(1), box(4), box(7)}));
}

// Tab and Shift+Tab enter the options at the chosen one, from either side.
TEST_F(Window, TabReachesOnlyTheChosenOption) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    click(window->Option1[2]);
    window->Text1->setFocus();
    QTest::keyClick(window->Text1, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->Option1[2]);
    QTest::keyClick(window->Option1[2], Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Option1[2]);
    QTest::keyClick(window->Option1[2], Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), window->Option1[3]);
    window->Text1->setFocus();
    QTest::keyClick(window->Text1, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->Option1[3]);
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
        // The kind's text, then the step that failed with its values.
        EXPECT_TRUE(closer.texts[0].startsWith("Деление на нула.\n\n"))
            << closer.texts[0].toStdString();
        EXPECT_TRUE(
            closer.texts[0].contains("h = (2·S) / c\n= (2·" + number(5) + ") / " + number(0)));
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
    bool formatUnavailable = false;
};

class Reports : public Window, public ::testing::WithParamInterface<ReportCase> {};

// In Bulgarian, Qt's button included where its translation is installed; the window goes on.
TEST_P(Reports, NameTheError) {
    if (GetParam().formatUnavailable) {
        open(NumberFormat::unavailable("test"));
    } else {
        type(0, "6");
        type(1, "5");
        click(window->Command1[0]);
    }
    box(0)->setText(GetParam().first);
    box(1)->setText(GetParam().second);
    ModalCloser closer;
    click(window->Command1[0]);
    ASSERT_EQ(closer.texts.size(), 1u);
    EXPECT_TRUE(closer.texts[0].startsWith(QString::fromUtf8(GetParam().message)))
        << closer.texts[0].toStdString();
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_bg.qm")) {
        EXPECT_TRUE(closer.buttons[0].contains(QRegularExpression("\\p{Cyrillic}")))
            << closer.buttons[0].toStdString();
    }
    // No result stays beside values it was not computed from; what was typed stays.
    EXPECT_EQ(row(0), (std::vector<QString>{GetParam().first, GetParam().second, "", ""}));
    EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Kinds, Reports,
                         ::testing::Values(ReportCase{"11", "5", "Невалиден аргумент"},
                                           ReportCase{"1e400", "5", "Препълване"},
                                           ReportCase{"1", "1e200", "Препълване"},
                                           ReportCase{"6", "5", "Числовият формат", true}));

// Random clicks, keys and pastes on the real window; after each the window must still be
// there and show exactly the controller's state.
TEST_F(Window, SurvivesRandomUseAndAlwaysMirrorsTheController) {
    window->activateWindow();
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

// Room left beside the shown text in the box's contents, at the font the box draws with.
int roomLeft(FittingBox* box, std::optional<QFont> font = std::nullopt) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4 -
           QFontMetrics(font.value_or(box->font())).horizontalAdvance(box->shownText());
}

// The next step up from the font a box draws with: wider glyphs, else a larger size.
QFont nextLarger(QFont font) {
    if (font.stretch() < QFont::Unstretched && font.pointSizeF() == 12) {
        font.setStretch(font.stretch() + 5);
    } else {
        font.setPointSizeF(font.pointSizeF() + 0.25);
    }
    return font;
}

// The height of the rows of a box's picture that hold ink: pixels that stand out from its
// base.
int inkHeight(FittingBox* box) {
    const QImage image = box->grab().toImage();
    const QColor base = box->palette().color(QPalette::Base);
    int top = image.height(), bottom = -1;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (contrast(image.pixelColor(x, y), base) >= 3.0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return bottom - top + 1;
}

// While a box is edited it shows its own text, not the short form, and its neighbours stand
// as before once the focus has left it, however often it came.
TEST_F(Window, EditedBoxShowsItsTextAndGoesBackUnderItsNeighbours) {
    const QObjectList order = window->children();
    box(0)->setText("1234567890123456789012345");
    ASSERT_TRUE(box(0)->isShortened());
    const QImage shortForm = box(0)->grab().toImage();
    for (int time = 0; time < 2; ++time) {
        box(0)->setFocus();
        EXPECT_EQ(window->children().last(), box(0));
        const QImage edited = box(0)->grab().toImage();
        int differ = 0;
        for (int y = 4; y < edited.height() - 4; ++y) {
            for (int x = 4; x < edited.width() - 4; ++x) {
                differ += edited.pixel(x, y) != shortForm.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_GT(differ, 60) << "time " << time;
        window->Text1->setFocus();
        EXPECT_EQ(window->children(), order) << "time " << time;
    }
}

struct LongRow {
    const char* locale;
    Variant variant;
    const char* first;
    const char* second;
    bool cut; // some result is longer than the smallest size holds
};

class LongValues : public Window, public ::testing::WithParamInterface<LongRow> {};

TEST_P(LongValues, EveryBoxShowsItsWholeTextOrVisiblyCutsIt) {
    const LongRow& p = GetParam();
    open(NumberFormat::forLocale(p.locale));
    calculate(p.variant, p.first, p.second);
    bool anyCut = false;
    for (int k = 4 * p.variant; k < 4 * p.variant + 4; ++k) {
        const QString text = box(k)->text();
        const std::string name = std::to_string(k) + " " + text.toStdString();
        EXPECT_EQ(text.toStdU16String(), window->controller().cell(k).text);
        EXPECT_GE(roomLeft(box(k)), 0) << name << " at " << box(k)->font().pointSizeF();
        EXPECT_TRUE(box(k)->font().bold() && box(k)->font().family() == "Times New Roman");
        const bool changed = box(k)->font().pointSizeF() < 12 ||
                             box(k)->font().stretch() != QFont::Unstretched ||
                             box(k)->isShortened();
        EXPECT_EQ(box(k)->toolTip().toStdU16String(),
                  tooltipOf(box(k)->view(), text.toStdU16String(), changed))
            << name;
        const QString shown = box(k)->shownText();
        anyCut = anyCut || box(k)->isShortened();
        // Whole, or in a short form that shows the number's magnitude, never its first digits.
        EXPECT_TRUE(box(k)->isShortened()
                        ? text.size() > 15 && shown.contains(QStringLiteral("\u00B710")) &&
                              !shown.contains(u'…')
                        : shown == text)
            << name;
        // Legible in rendered pixels: the digits, at least, are 8 pixels tall.
        EXPECT_GE(inkHeight(box(k)), 8) << name;
        // Drawn as large as it fits: one step larger would not (a pixel of rounding aside).
        if (changed && !box(k)->isShortened()) {
            EXPECT_LE(roomLeft(box(k), nextLarger(box(k)->font())), 1) << name;
        }
    }
    EXPECT_EQ(anyCut, p.cut);

    // Short texts written afterwards are drawn at the box's own size again.
    calculate(0, "6", "5");
    for (int k = 0; k < kBoxCount; ++k) {
        EXPECT_EQ(box(k)->font().pointSizeF(), 12) << k;
        // Whole: the tooltip holds only how a result was computed.
        EXPECT_EQ(box(k)->toolTip().toStdU16String(), box(k)->view().description) << k;
        EXPECT_FALSE(box(k)->isShortened()) << k;
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

class DarkDesktop : public Window, public ::testing::WithParamInterface<FixedBackground> {};

// The strongest contrast of any pixel in the text area is the contrast of the text.
TEST_P(DarkDesktop, TextOnFixedColoursStaysReadable) {
    for (const bool dark : {true, false}) {
        open(NumberFormat::forLocale("bg_BG.UTF-8"), dark);
        calculate(0, "-1234.5", "10000");
        const FixedBackground& p = GetParam();
        const QImage image = window->findChild<QWidget*>(p.name)->grab().toImage();
        double strongest = 1;
        bool black = false;
        for (int y = p.textArea.top(); y <= p.textArea.bottom(); ++y) {
            for (int x = p.textArea.left(); x <= p.textArea.right(); ++x) {
                strongest = std::max(strongest, contrast(image.pixelColor(x, y), p.background));
                black = black || image.pixelColor(x, y) == QColor(Qt::black);
            }
        }
        EXPECT_GE(strongest, 4.5) << p.name << (dark ? " dark" : " light");
        // Not merely dark enough: the text on the fixed colours is black, the stems solid.
        EXPECT_TRUE(black) << p.name << (dark ? " dark" : " light");
        TearDown();
    }
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

// The open row at a glance: every given box outside it is hatched in lines that stand out
// at least 3:1 from its own colour, and the open row's given boxes are clear; the chosen
// option's mark stands out 3:1 from the others', and the marks are the same, on a light and
// a dark desktop.
TEST_F(Window, TheOpenRowAndTheChosenOptionStandOutOnAnyDesktop) {
    std::map<bool, std::vector<QImage>> marks; // by desktop: the chosen one's, then another's
    for (const bool dark : {false, true}) {
        open(NumberFormat::forLocale("bg_BG.UTF-8"), dark);
        click(window->Option1[2]);
        for (int k = 0; k < kBoxCount; ++k) {
            if (isComputedBox(k)) {
                continue;
            }
            const QImage image = box(k)->grab().toImage();
            const QColor base = box(k)->palette().color(QPalette::Base);
            int lines = 0;
            for (int y = 3; y < image.height() - 3; ++y) {
                for (int x = 3; x < image.width() - 3; ++x) {
                    lines += contrast(image.pixelColor(x, y), base) >= 3.0 ? 1 : 0;
                }
            }
            // A line crosses every row of the box's inside at least once.
            EXPECT_EQ(lines >= image.height() - 6, rowOfBox(k) != 2)
                << (dark ? "dark" : "light") << ", box " << k << ": " << lines;
        }
        // The chosen mark differs from another at least 3:1 over a quarter of the disc that
        // fits the mark, not in a speck at its centre; and each mark stands out 3:1 from the
        // options' own colour somewhere.
        const auto mark = [](QRadioButton* option) {
            QStyleOptionButton style;
            style.initFrom(option);
            return option->grab().toImage().copy(
                option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, option));
        };
        const QImage chosen = mark(window->Option1[2]);
        for (const int i : {0, 1, 3, 4}) {
            const QImage other = mark(window->Option1.at(static_cast<std::size_t>(i)));
            int differing = 0;
            double strongest = 1;
            for (int y = 0; y < other.height(); ++y) {
                for (int x = 0; x < other.width(); ++x) {
                    differing += contrast(chosen.pixelColor(x, y), other.pixelColor(x, y)) >= 3.0;
                    strongest = std::max(strongest, contrast(other.pixelColor(x, y), kOption));
                }
            }
            const double disc = M_PI * other.width() * other.height() / 4;
            EXPECT_GE(differing, disc / 4) << (dark ? "dark" : "light") << ", option " << i;
            EXPECT_GE(strongest, 3.0) << (dark ? "dark" : "light") << ", option " << i;
        }
        marks[dark] = {chosen, mark(window->Option1[0])};
        TearDown();
    }
    // In the options' own colours, whatever the desktop's.
    EXPECT_EQ(marks[false], marks[true]);
}

// A box that takes no typing says at once, when clicked or typed into, which variant to
// choose to type there; a box that takes typing shows no tip for it.
TEST_F(Window, AClosedBoxSaysWhichVariantOpensIt) {
    struct Try {
        int box;
        std::function<void(FittingBox*)> act;
        QString tip;
    };
    const auto press = [](FittingBox* b) { QTest::mouseClick(b, Qt::LeftButton); };
    const auto typeInto = [](FittingBox* b) {
        b->setFocus();
        QTest::keyClick(b, Qt::Key_5);
    };
    for (const Try& t : {Try{4, press, "За да пишете тук, изберете „Вариант 2“."},
                         Try{18, typeInto, "За да пишете тук, изберете „Вариант 5“."},
                         Try{0, press, ""}, Try{1, typeInto, ""}}) {
        QToolTip::hideText();
        QApplication::processEvents();
        t.act(box(t.box));
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(), t.tip) << t.box;
        EXPECT_EQ(box(t.box)->accessibleDescription(), t.tip) << t.box;
    }
}

// The focus ring runs round the option without covering any of its mark.
TEST_F(Window, AFocusedOptionsMarkStandsClearOfItsRing) {
    QRadioButton* option = window->Option1[2];
    option->setFocus();
    const QImage image = option->grab().toImage();
    const int middle = image.height() / 2;
    int firstFill = -1;
    for (int x = 0; x < image.width() && firstFill < 0; ++x) {
        const Rgb fill = kOptionMark.fill;
        if (image.pixelColor(x, middle) == QColor(fill.red, fill.green, fill.blue)) {
            firstFill = x;
        }
    }
    ASSERT_GE(firstFill, 0);
    // The mark's outline stands before its fill, after the ring.
    EXPECT_GT(firstFill, kOptionFocusRing.inset + kOptionFocusRing.width);
}

TEST_F(Window, FocusedBoxIsMarkedOnAllFourSidesOnAnyDesktop) {
    for (const bool dark : {false, true}) {
        open(NumberFormat::forLocale("bg_BG.UTF-8"), dark);
        window->activateWindow();
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

// Every focus mark, in rendered pixels: a ring whose four sides stand out at least 3:1 from
// the colour just inside them, on a light and a dark desktop. A box that takes no typing has
// a dashed ring, so its sides show the box's own colour between the dashes.
struct FocusCase {
    const char* control;
    int inset;
    bool dashed = false;
};

class FocusMarks : public Window, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusMarks, StandOutOnEverySide) {
    for (const bool dark : {false, true}) {
        open(NumberFormat::c(), dark);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        auto* control = window->findChild<QWidget*>(GetParam().control);
        control->setFocus();
        const QImage image = window->grab().toImage();
        // The assignment's ring runs along its visible text area.
        QWidget* area = control == window->Text1 ? window->Text1->viewport() : control;
        const QRect r =
            QRect(area->mapTo(window.get(), QPoint(0, 0)), area->size())
                .adjusted(GetParam().inset, GetParam().inset, -GetParam().inset, -GetParam().inset);
        // Each side's middle, and the way inwards; the ring is 2 pixels wide, so the third
        // pixel in is the control's own colour.
        const QPoint c = r.center();
        for (const auto& [ring, inward] : {std::pair{QPoint(c.x(), r.top()), QPoint(0, 1)},
                                           std::pair{QPoint(c.x(), r.bottom()), QPoint(0, -1)},
                                           std::pair{QPoint(r.left(), c.y()), QPoint(1, 0)},
                                           std::pair{QPoint(r.right(), c.y()), QPoint(-1, 0)}}) {
            // Somewhere within a dash's length of the middle of the side.
            const QPoint along(inward.y() != 0 ? 1 : 0, inward.x() != 0 ? 1 : 0);
            for (const int depth : {0, 1}) {
                double strongest = 0;
                for (int d = -6; d <= 6; ++d) {
                    strongest = std::max(
                        strongest, contrast(image.pixelColor(ring + depth * inward + d * along),
                                            image.pixelColor(ring + 2 * inward + d * along)));
                }
                EXPECT_GE(strongest, 3.0)
                    << dark << " " << ring.x() << "," << ring.y() << "+" << depth;
            }
        }
        const QColor mark = image.pixelColor(r.center().x(), r.top());
        int gaps = 0;
        for (int x = r.left() + 4; x < r.right() - 4; ++x) {
            gaps += image.pixelColor(x, r.top()) != mark ? 1 : 0;
        }
        EXPECT_EQ(gaps > 0, GetParam().dashed) << dark << " " << gaps << " gaps";
        TearDown();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FocusMarks,
    ::testing::Values(FocusCase{"Option1(1)", 1}, FocusCase{"Command1(0)", 4},
                      FocusCase{"Command1(1)", 4}, FocusCase{"Text1", 0}, FocusCase{"Text2(0)", 0},
                      FocusCase{"Text2(4)", 0, true}),
    [](const auto& info) {
        return QString(info.param.control).replace('(', '_').remove(')').toStdString();
    });

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    bool edits; // would change the text of a box that takes typing
};

class Keys : public Window, public ::testing::WithParamInterface<KeyCase> {};

// A box that takes no typing says so: a key that would change it is refused with the
// desktop's sign and the text stays. A box that takes typing never sounds it, and a key that
// only moves, selects or copies sounds nowhere.
TEST_P(Keys, RefusedAudiblyOnlyWhereTheyWouldEditALockedBox) {
    const KeyCase& p = GetParam();
    calculate(0, "6", "5");
    click(window->Option1[0]);
    for (const int k : {0, 4}) {
        box(k)->setText(k == 0 ? "12" : "");
        QSignalSpy refused(box(k), &FittingBox::keyRefused);
        box(k)->setFocus();
        box(k)->setCursorPosition(1);
        QApplication::clipboard()->setText("9");
        QTest::keyClick(box(k), p.key, p.modifiers);
        const bool locked = box(k)->isReadOnly();
        ASSERT_EQ(locked, k == 4);
        EXPECT_EQ(refused.count(), locked && p.edits ? 1 : 0) << "box " << k << " " << p.text;
        if (locked) {
            EXPECT_EQ(box(k)->text(), "") << p.text;
        } else {
            EXPECT_EQ(box(k)->text() != "12", p.edits) << p.text;
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Typing, Keys, ::testing::Values(
    KeyCase{Qt::Key_7, {}, "7", true},
    KeyCase{Qt::Key_Minus, {}, "minus", true},
    KeyCase{Qt::Key_Backspace, {}, "Backspace", true},
    KeyCase{Qt::Key_Delete, {}, "Delete", true},
    KeyCase{Qt::Key_V, Qt::ControlModifier, "Ctrl+V", true},
    KeyCase{Qt::Key_Left, {}, "Left", false},
    KeyCase{Qt::Key_End, {}, "End", false},
    KeyCase{Qt::Key_C, Qt::ControlModifier, "Ctrl+C", false},
    KeyCase{Qt::Key_A, Qt::ControlModifier, "Ctrl+A", false}));
// clang-format on

// A result can be copied whole from its box, which stays out of reach of the keyboard.
TEST_F(Window, ComputedBoxOffersItsWholeTextForCopying) {
    calculate(0, "123456789012", "123456789012");
    QContextMenuEvent menuAt(QContextMenuEvent::Mouse, box(3)->geometry().center(),
                             window->mapToGlobal(box(3)->geometry().center()));
    QApplication::sendEvent(window.get(), &menuAt);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "&Копиране");
    EXPECT_EQ(menu->actions()[1]->text(), "Как е &изчислено");
    menu->actions()[0]->trigger();
    menu->close();
    EXPECT_EQ(QApplication::clipboard()->text(), box(3)->text());
    EXPECT_FALSE(box(3)->isEnabled());
}

// The row's working, from a computed box's menu: in a window over the main one, the view's
// text, which its copy button puts on the clipboard whole.
TEST_F(Window, ComputedBoxShowsHowItWasComputed) {
    calculate(1, "6", "12");
    auto* dialog = openWorking(6);
    ASSERT_NE(dialog, nullptr);
    const std::optional<WorkingReport> report = workingReport(window->controller(), 1);
    ASSERT_TRUE(report);
    EXPECT_EQ(dialog->text().toStdU16String(), report->text);
    EXPECT_TRUE(dialog->text().contains("P = (2·a) + c = (2·" + number(5) + ") + " + number(6) +
                                        " = " + number(16)));
    EXPECT_EQ(dialog->windowTitle(), window->windowTitle());
    EXPECT_TRUE(dialog->isModal());
    // Opened on the text, named, to be read at once.
    QWidget* focused = dialog->focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->accessibleName().toStdString(), report->textName);
    EXPECT_EQ(report->textName, "Как е изчислено, Вариант 2");
    QApplication::clipboard()->clear();
    auto* copy = dialog->findChild<QPushButton*>();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), "&Копиране");
    copy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), dialog->text());
    // Enter in the text still closes the window, by its default button.
    const QPointer<WorkingDialog> open(dialog);
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_TRUE(open.isNull() || !open->isVisible());
}

// The working's window is as wide and tall as its text: every line whole on a line of its
// own, nothing to scroll (here its longest line is the note on rounding).
TEST_F(Window, TheWorkingShowsEveryLineWhole) {
    calculate(2, "1", "0.4999");
    auto* dialog = openWorking(8);
    ASSERT_NE(dialog, nullptr);
    QCoreApplication::processEvents();
    auto* shown = dialog->findChild<QPlainTextEdit*>();
    ASSERT_NE(shown, nullptr);
    for (QTextBlock block = shown->document()->begin(); block.isValid(); block = block.next()) {
        EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
    }
    EXPECT_FALSE(shown->verticalScrollBar()->isVisible());
    dialog->accept();
}

// After Calculate the notice stands at the box it concerns, and a screen reader is told the
// results as a notification.
TEST_F(Window, CalculateTellsItsNoticeAndAnnouncesTheResults) {
    type(1, "5");
    QToolTip::hideText();
    click(window->Command1[0]);
    const std::optional<Notice> notice = calculateNotice(window->controller());
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->box, 0);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdU16String(), notice->text);
    auto* announcer = window->findChild<Announcer*>();
    ASSERT_NE(announcer, nullptr);
    EXPECT_TRUE(announcer->isVisible());
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(announcer);
    EXPECT_EQ(told->role(), QAccessible::Notification);
    EXPECT_EQ(told->text(QAccessible::Name).toStdU16String(), announcement(window->controller()));
    type(0, "6");
    EXPECT_FALSE(announcer->isVisible());
}

TEST_F(Window, ShiftF10OpensABoxsMenu) {
    box(0)->setFocus();
    QTest::keyClick(box(0), Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    menu->close();
}

// A box in reach of the keyboard has the program's menu too, not the toolkit's, and what is
// chosen there reaches the controller.
TEST_F(Window, EveryBoxsMenuIsTheProgramsOwn) {
    type(0, "12");
    box(0)->selectAll();
    QContextMenuEvent menuAt(QContextMenuEvent::Keyboard, box(0)->rect().center(),
                             box(0)->mapToGlobal(box(0)->rect().center()));
    QApplication::sendEvent(box(0), &menuAt);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << action->text();
    }
    QStringList expected;
    for (const MenuEntry& entry : kBoxMenu) {
        // The working is offered only once the row is calculated.
        if (entry.action != BoxAction::ShowWorking) {
            expected << QString::fromStdU16String(utf16(entry.text));
        }
    }
    EXPECT_EQ(texts, expected);
    menu->actions().at(1)->trigger(); // cut
    menu->close();
    EXPECT_EQ(QApplication::clipboard()->text(), "12");
    EXPECT_EQ(window->controller().cell(0).text, u"");
}

struct Press {
    const char* control;
    Qt::Key key;      // 0: a click at the far corner of the control's rectangle
    Variant variant;  // selected afterwards
    const char* area; // box 3 afterwards, with 6 and 5 typed into row 0 before
    Qt::KeyboardModifiers modifiers = {};
};

class Presses : public Window, public ::testing::WithParamInterface<Press> {};

TEST_P(Presses, ReachTheWholeControlAndFollowTheDesktopsKeys) {
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
        QTest::keyClick(control, p.key, p.modifiers);
        if (qobject_cast<QRadioButton*>(control) != nullptr) {
            EXPECT_EQ(window->focusWidget(),
                      window->Option1.at(static_cast<std::size_t>(p.variant)));
        }
    }
    EXPECT_EQ(window->controller().currentVariant(), p.variant);
    EXPECT_EQ(box(3)->text(), p.area);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Presses,
    ::testing::Values(
        Press{"Option1(3)", Qt::Key(0), 3, ""}, Press{"Option1(4)", Qt::Key(0), 4, ""},
        Press{"Option1(1)", Qt::Key_Down, 2, ""}, Press{"Option1(1)", Qt::Key_Right, 2, ""},
        Press{"Option1(2)", Qt::Key_Up, 1, ""}, Press{"Option1(2)", Qt::Key_Left, 1, ""},
        Press{"Option1(4)", Qt::Key_Down, 0, ""}, Press{"Option1(0)", Qt::Key_Left, 4, ""},
        Press{"Command1(0)", Qt::Key_Return, 0, "12.000"},
        Press{"Command1(0)", Qt::Key_Enter, 0, "12.000"},
        Press{"Command1(0)", Qt::Key_Space, 0, "12.000"}, Press{"Text2(0)", Qt::Key_Return, 0, ""},
        Press{"Option1(1)", Qt::Key_Down, 2, "", Qt::KeypadModifier},
        Press{"Command1(0)", Qt::Key_Enter, 0, "12.000", Qt::KeypadModifier},
        Press{"Command1(0)", Qt::Key_Return, 0, "", Qt::ControlModifier},
        Press{"Command1(0)", Qt::Key_Return, 0, "", Qt::ShiftModifier},
        Press{"Command1(0)", Qt::Key_Enter, 0, "", Qt::KeypadModifier | Qt::ControlModifier}));

struct FaceState {
    bool focused, down;
    QPoint at;
    QColor colour;
};

class ButtonFaces : public Window, public ::testing::WithParamInterface<FaceState> {};

// The face is solid; its border is one pixel, two with the focus, grey while held down.
TEST_P(ButtonFaces, BorderFollowsTheState) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QPushButton* button = window->Command1[0];
    (GetParam().focused ? button : static_cast<QWidget*>(box(0)))->setFocus();
    button->setDown(GetParam().down);
    EXPECT_EQ(button->grab().toImage().pixelColor(GetParam().at), GetParam().colour);
}

const QColor kFace(128, 255, 128), kGrey(64, 64, 64);

INSTANTIATE_TEST_SUITE_P(
    States, ButtonFaces,
    ::testing::Values(
        FaceState{false, false, {0, 12}, Qt::black}, FaceState{false, false, {1, 12}, kFace},
        FaceState{true, false, {1, 12}, Qt::black}, FaceState{true, false, {2, 12}, kFace},
        FaceState{false, true, {72, 1}, kGrey}, FaceState{true, true, {1, 24}, kGrey},
        FaceState{true, true, {2, 22}, kFace}, FaceState{true, false, {71, 12}, Qt::black},
        FaceState{true, false, {70, 12}, kFace}, FaceState{true, false, {36, 23}, Qt::black},
        FaceState{true, false, {36, 22}, kFace}, FaceState{false, true, {71, 12}, kGrey},
        FaceState{false, true, {36, 23}, kGrey}, FaceState{false, false, {72, 12}, Qt::black},
        FaceState{false, false, {36, 24}, Qt::black}, FaceState{false, false, {71, 12}, kFace},
        FaceState{true, false, {4, 12}, Qt::black}, FaceState{true, false, {68, 12}, Qt::black},
        FaceState{false, false, {4, 12}, kFace}));

// The frame's outline, its caption set into the top line a few pixels from the left edge.
TEST_F(Window, FrameCaptionBreaksTheOutline) {
    const QImage image = window->Frame1->grab().toImage();
    const int line = QFontMetrics(window->Frame1->font()).height() / 2;
    const QColor outline(96, 96, 160);
    EXPECT_EQ(image.pixelColor(0, 100), outline);
    EXPECT_EQ(image.pixelColor(image.width() - 1, 100), outline);
    EXPECT_EQ(image.pixelColor(100, image.height() - 1), outline);
    EXPECT_EQ(image.pixelColor(3, line), outline);
    EXPECT_EQ(image.pixelColor(image.width() - 8, line), outline);
    // No pixel of the line runs through the caption, between its letters either.
    const int captionWidth = QFontMetrics(window->Frame1->font()).horizontalAdvance("Варианти");
    int through = 0;
    for (int x = 8; x < 8 + captionWidth; ++x) {
        through += image.pixelColor(x, line) == outline ? 1 : 0;
    }
    EXPECT_EQ(through, 0);
    EXPECT_NE(image.pixelColor(3, line - 1), outline);
    EXPECT_NE(image.pixelColor(3, line + 1), outline);
}

// The darkest pixel of a box's text area: black for a current result, the out-of-date grey
// for one that is not.
QColor darkestInk(FittingBox* box) {
    const QImage image = box->grab().toImage();
    QColor darkest = Qt::white;
    for (int y = 4; y < image.height() - 4; ++y) {
        for (int x = 4; x < image.width() - 4; ++x) {
            if (image.pixelColor(x, y).lightness() < darkest.lightness()) {
                darkest = image.pixelColor(x, y);
            }
        }
    }
    return darkest;
}

// c = 6, a = 5, Calculate, then c = 8: P and S were computed from 6, and say so until c holds
// what Calculate left in it again. Their texts never change on typing.
TEST_F(Window, ResultsBesideChangedValuesAreMarkedOutOfDate) {
    open(NumberFormat::forLocale("bg_BG.UTF-8"));
    calculate(0, "6", "5");
    const std::vector<QString> results = row(0);
    const QColor current = darkestInk(box(2));
    EXPECT_EQ(current, QColor(Qt::black));
    const QString written = box(0)->text();
    const QString outOfDate = "Изчислено за предишните стойности; натиснете „Изчисли“.";

    box(0)->selectAll();
    type(0, "8");
    EXPECT_EQ(row(0), (std::vector<QString>{"8", results[1], results[2], results[3]}));
    const auto described = [this](int k) {
        return QString::fromStdU16String(boxView(window->controller(), k).description);
    };
    const auto spoken = [this](int k) {
        return QString::fromStdU16String(boxView(window->controller(), k).spokenDescription);
    };
    for (const int k : {2, 3}) {
        EXPECT_TRUE(box(k)->accessibleDescription().startsWith(outOfDate)) << k;
        EXPECT_TRUE(box(k)->toolTip().endsWith(described(k))) << k;
        EXPECT_EQ(box(k)->accessibleDescription(), spoken(k)) << k;
        EXPECT_TRUE(box(k)->font().italic()) << k;
        const QColor ink = darkestInk(box(k));
        EXPECT_EQ(ink, QColor(88, 88, 88)) << k;
        EXPECT_GE(contrast(ink, QColor(255, 192, 192)), 4.5) << k;
        // Still whole, at the size a current result of the same text takes.
        EXPECT_FALSE(box(k)->isShortened()) << k;
        EXPECT_GE(roomLeft(box(k)), 1) << k;
    }
    for (const int k : {0, 1, 6}) {
        EXPECT_TRUE(box(k)->accessibleDescription().isEmpty()) << k;
    }

    box(0)->selectAll();
    type(0, written);
    for (const int k : {2, 3}) {
        // How it was computed, and no more.
        EXPECT_FALSE(box(k)->accessibleDescription().startsWith(outOfDate)) << k;
        EXPECT_EQ(box(k)->toolTip(), described(k)) << k;
        EXPECT_EQ(box(k)->accessibleDescription(), spoken(k)) << k;
        EXPECT_FALSE(box(k)->font().italic()) << k;
        EXPECT_EQ(darkestInk(box(k)), current) << k;
    }
    EXPECT_EQ(row(0), results);

    // A Calculate makes the results current again.
    box(1)->selectAll();
    type(1, "6");
    EXPECT_TRUE(box(3)->accessibleDescription().startsWith(outOfDate));
    click(window->Command1[0]);
    EXPECT_FALSE(box(3)->accessibleDescription().startsWith(outOfDate));
    expectMirrorsController();
}

// Only what can be copied is offered: an empty computed box has no menu.
TEST_F(Window, EmptyComputedBoxOffersNothingToCopy) {
    QContextMenuEvent menuAt(QContextMenuEvent::Mouse, box(3)->geometry().center(),
                             window->mapToGlobal(box(3)->geometry().center()));
    QApplication::sendEvent(window.get(), &menuAt);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// Whether a box, drawn, shows ink in the room kept beside its line, on the left and on the
// right, clear of its ring (whose top and bottom rows are dark from end to end).
std::pair<bool, bool> inkBesideTheLine(FittingBox* box) {
    const QImage image = box->grab().toImage();
    const auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
    const auto inkIn = [&](int from, int to) {
        for (int y = 0; y < image.height(); ++y) {
            if (dark(from, y) && dark(to - 1, y)) {
                continue;
            }
            for (int x = from; x < to; ++x) {
                if (dark(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    const QMargins room = box->textMargins();
    const int ring = kBoxFocusRing.width + 1;
    return {room.left() > 0 && inkIn(ring, ring + room.left()),
            room.right() > 0 && inkIn(image.width() - ring - room.right(), image.width() - ring)};
}

// Typed in, a value too long for its box shows the part around the caret, as in any text box,
// and marks each end out of sight, so that the part cannot be read as a whole number.
TEST_F(Window, AnEditedLongValueMarksEachEndOutOfSight) {
    open(NumberFormat::forLocale("bg_BG.UTF-8"));
    calculate(0, "1", "1000000000000000");
    box(1)->setFocus();
    const int length = static_cast<int>(box(1)->text().size());
    ASSERT_GT(length, 20);
    const struct {
        int caret;
        std::pair<bool, bool> marked;
    } cases[] = {{0, {false, true}}, {length, {true, false}}, {length / 2, {true, true}}};
    for (const auto& c : cases) {
        box(1)->setCursorPosition(c.caret == 0 ? length : 0);
        box(1)->setCursorPosition(c.caret);
        EXPECT_EQ(inkBesideTheLine(box(1)), c.marked) << "caret at " << c.caret;
    }
    // A value that fits keeps its whole line.
    box(0)->setFocus();
    EXPECT_EQ(inkBesideTheLine(box(0)), (std::pair{false, false}));
}

// A text that is no number and too long even at the smallest legible size is cut, the
// ellipsis inside the box's room with the pixel kept for the caret.
TEST_F(Window, CutTextStaysInsideTheBox) {
    for (const QString& text : {QString(40, 'W'), QString("abc ").repeated(12)}) {
        box(0)->setText(text);
        ASSERT_TRUE(box(0)->isShortened());
        EXPECT_TRUE(box(0)->shownText().endsWith(u'…'));
        EXPECT_GE(roomLeft(box(0)), 1) << text.toStdString();
        EXPECT_EQ(box(0)->toolTip(), text);
    }
}

// What the screen shows, not a fresh rendering: the pixels in the window's backing store,
// once the window has had up to a second to repaint (newer Qt paints on its next frame).
bool onScreen(QWidget* window, const std::function<bool(const QImage&)>& shows) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        QApplication::processEvents();
        if (shows(window->screen()->grabWindow(window->winId()).toImage())) {
            return true;
        }
        QTest::qWait(20);
    }
    return false;
}

// The assignment's ring stands along its visible area whether the text has scrolled or the
// focus has left it, as the screen shows it.
TEST_F(Window, AssignmentRingFollowsScrollingAndLeavesWithTheFocus) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* area = window->Text1->viewport();
    const QRect r(area->mapTo(window.get(), QPoint(0, 0)), area->size());
    // The ring's inner pixel on each side: its outer one may meet what the style draws
    // around the viewport.
    const QPoint top(r.center().x(), r.top() + 1), bottom(r.center().x(), r.bottom() - 1);
    const auto ringAt = [&](const QImage& image, QPoint at) {
        return contrast(image.pixelColor(at), area->palette().color(QPalette::Base)) >= 3.0;
    };
    window->Text1->setFocus();
    QScrollBar* bar = window->Text1->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    for (const int value : {bar->maximum(), 1, 0}) {
        bar->setValue(value);
        EXPECT_TRUE(onScreen(
            window.get(),
            [&](const QImage& image) { return ringAt(image, top) && ringAt(image, bottom); }))
            << "scrolled to " << value;
    }
    box(0)->setFocus();
    EXPECT_TRUE(onScreen(window.get(), [&](const QImage& image) {
        return !ringAt(image, top) && !ringAt(image, bottom);
    }));
}
} // namespace
} // namespace isosceles
