#include "main_window.h"

#include "announce.h"
#include "colour.h"
#include "face_button.h"
#include "fitting_box.h"
#include "number_text.h"
#include "option_button.h"
#include "painted_frame.h"
#include "reading_text.h"
#include "variant_table.h"
#include "working_dialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolTip>
#include <QTranslator>

#include <algorithm>
#include <cstddef>
#include <initializer_list>

namespace isosceles {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct RoleColour {
    QPalette::ColorRole role;
    Rgb rgb;
};

// Solid in every state, the disabled one included; one palette change for all the roles.
void paint(QWidget* widget, std::initializer_list<RoleColour> colours) {
    QPalette palette = widget->palette();
    for (const RoleColour& colour : colours) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, colour.role, toColor(colour.rgb));
        }
    }
    widget->setPalette(palette);
}

QString objectNameOf(Family family, int index, int familySize) {
    const QString name = fromUtf8(familyName(family));
    return familySize == 1 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

int familySize(Family family) {
    int size = 0;
    for (const ControlRow& row : ControlTable) {
        if (row.family == family) {
            size += row.count;
        }
    }
    return size;
}

QFont windowFont() {
    return {fromUtf8(kWindowStyle.fontFamily), kWindowStyle.fontPointSize};
}

const QString kIconResource = QStringLiteral(":/icons/isosceles.png");

// Read as what it is: left to detect the format, Qt loads every image format plugin to ask.
QImage readIcon() {
    QImageReader reader(kIconResource, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Buttons and the frame paint themselves, and the boxes follow the view; every other control
// fills its background.
void applyColours(const ControlRow& row, int index, QWidget* widget) {
    if (row.family == Family::Command1 || row.family == Family::Frame1 ||
        row.family == Family::Text2) {
        return;
    }
    const Colours colours = coloursOf(row.family, index);
    if (colours.background && colours.text) {
        // Buttons, option buttons among them, fill with the Button role rather than Window;
        // styles draw a label's or an option's text in either text role.
        paint(widget, {{widget->backgroundRole(), *colours.background},
                       {QPalette::WindowText, *colours.text},
                       {QPalette::ButtonText, *colours.text}});
        widget->setAutoFillBackground(true);
    }
}

// A plain top-level widget is a "filler" to a screen reader, which then may not announce the
// window when it is activated; a frame is announced by its name.
QAccessibleInterface* windowAsFrame(const QString& className, QObject* object) {
    if (className == QLatin1String(MainWindow::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void configureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral(ISOSCELES_APP_NAME));
    app.setApplicationVersion(QStringLiteral(ISOSCELES_VERSION));
    app.setDesktopFileName(QStringLiteral(ISOSCELES_APP_ID));
    app.setWindowIcon(QIcon(QPixmap::fromImage(readIcon())));
    // The window's font is the program's: Qt's own text (a box's text before it takes its
    // font, the error report, tooltips) then needs no other face loaded.
    QApplication::setFont(windowFont());
    // The interface is Bulgarian whatever the locale, Qt's own words (message box buttons,
    // context menus) included; without the translation installed they stay English.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_bg"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

QString windowTitleText() {
    return fromUtf8(windowTitle());
}

std::optional<std::string> preferredPlatform(const EnvLookup& lookup) {
    const auto value = [&lookup](const char* name) {
        const char* v = lookup(name);
        return std::string_view(v == nullptr ? "" : v);
    };
    const bool wayland =
        value("XDG_SESSION_TYPE") == "wayland" || !value("WAYLAND_DISPLAY").empty();
    if (!value("QT_QPA_PLATFORM").empty() || !wayland || value("DISPLAY").empty()) {
        return std::nullopt;
    }
    // XDG_CURRENT_DESKTOP is a colon-separated list, such as "ubuntu:GNOME".
    const std::string_view desktops = value("XDG_CURRENT_DESKTOP");
    std::size_t start = 0;
    while (start <= desktops.size()) {
        const std::size_t end = std::min(desktops.find(':', start), desktops.size());
        if (desktops.substr(start, end - start) == "GNOME") {
            return "xcb";
        }
        start = end + 1;
    }
    return std::nullopt;
}

void reportError(QWidget& window, const FailureReport& report) {
    QMessageBox box(QMessageBox::Critical, fromUtf8(report.title), fromUtf8(report.text),
                    QMessageBox::NoButton, &window);
    box.setAccessibleName(fromUtf8(windowSpokenName()));
    box.addButton(fromUtf8(report.button), QMessageBox::AcceptRole);
    box.exec();
}

MainWindow::MainWindow(NumberFormat format, ErrorHandler onError)
    : controller_(std::move(format)), onError_(std::move(onError)) {
    static const bool frameInstalled = (QAccessible::installFactory(windowAsFrame), true);
    (void)frameInstalled;
    build();
    announcer_ = new Announcer(this);
    applyTabOrder();
    bind();
    controller_.onLoad();
    mirror();
    Text1->setFocus();
}

void MainWindow::build() {
    // The size is fixed, so the window manager offers no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(windowTitleText());
    setAccessibleName(fromUtf8(windowSpokenName()));
    setFixedSize(toPixels(kWindowStyle.clientWidth), toPixels(kWindowStyle.clientHeight));
    paint(this, {{backgroundRole(), kWindowStyle.background}});
    setAutoFillBackground(true);
    setFont(windowFont());

    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            QWidget* widget = create(row, index);
            const Rect r = twipsRect(row, index);
            widget->setGeometry(toPixels(r.left), toPixels(r.top), toPixels(r.width),
                                toPixels(r.height));
            widget->setObjectName(objectNameOf(row.family, index, familySize(row.family)));
            widget->setAccessibleName(
                QString::fromStdString(isosceles::accessibleName(row, index)));
            applyColours(row, index, widget);
        }
    }
}

// Laying out the assignment costs more than any other control, so it is done once, when the
// box has its final size on the first show, not first at a default size and then again.
void MainWindow::showEvent(QShowEvent* event) {
    if (Text1->document()->isEmpty()) {
        Text1->setPlainText(QString::fromStdString(controlText(rowOf(Family::Text1, 0), 0)));
    }
    QWidget::showEvent(event);
}

// A computed box is disabled and has no menu of its own; its results can still be copied.
void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    auto* box = qobject_cast<FittingBox*>(childAt(event->pos()));
    if (box != nullptr && !box->isEnabled()) {
        box->showMenu(event->globalPos());
        return;
    }
    QWidget::contextMenuEvent(event);
}

std::optional<std::u16string> MainWindow::shortForm(std::u16string_view text) const {
    try {
        return compactForm(text, controller_.numberFormat());
    } catch (const NumberFormatError&) {
        // Without the number format there is no short form; the box cuts the text instead.
    }
    return std::nullopt;
}

QFont MainWindow::boxFont() const {
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

QWidget* MainWindow::create(const ControlRow& row, int index) {
    const auto at = static_cast<std::size_t>(index);
    const QString text = QString::fromStdString(controlText(row, index));
    switch (row.family) {
    case Family::Label1: {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        Label1.at(at) = label;
        return label;
    }
    case Family::Frame1: {
        const Colours colours = coloursOf(Family::Frame1, index);
        Frame1 = new PaintedFrame(
            text,
            {toColor(*colours.background), toColor(kFrameOutlineColour), toColor(*colours.text)},
            this);
        return Frame1;
    }
    case Family::Option1:
        Option1.at(at) = new OptionButton(text, Frame1);
        return Option1[at];
    case Family::Text2: {
        auto* box = new FittingBox(
            boxFont(), [this](std::u16string_view text) { return shortForm(text); }, this);
        box->setAlignment(Qt::AlignCenter);
        connect(box, &FittingBox::keyRefused, this, [] { QApplication::beep(); });
        connect(box, &FittingBox::workingAsked, this,
                [this, index] { showWorking(rowOfBox(index)); });
        Text2.at(at) = box;
        return box;
    }
    case Family::Command1: {
        auto* button = new FaceButton(text, *coloursOf(Family::Command1, index).background, this);
        button->setAutoDefault(false);
        button->setDefault(false);
        Command1.at(at) = button;
        return button;
    }
    case Family::Text1:
        break;
    }
    Text1 = new ReadingText(this);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return Text1;
}

QWidget* MainWindow::control(Family family, int index) const {
    const auto at = static_cast<std::size_t>(index);
    switch (family) {
    case Family::Label1:
        return Label1.at(at);
    case Family::Frame1:
        return Frame1;
    case Family::Option1:
        return Option1.at(at);
    case Family::Text2:
        return Text2.at(at);
    case Family::Command1:
        return Command1.at(at);
    case Family::Text1:
        break;
    }
    return Text1;
}

void MainWindow::applyTabOrder() {
    QWidget* previous = nullptr;
    for (const TabStop& stop : TabOrder) {
        for (int index = stop.first; index <= stop.last; ++index) {
            QWidget* next = control(stop.family, index);
            if (previous != nullptr) {
                setTabOrder(previous, next);
            }
            previous = next;
        }
    }
}

void MainWindow::bind() {
    for (int i = 0; i < kVariantCount; ++i) {
        connect(Option1[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool checked) {
                    if (checked) {
                        run([this, i] { controller_.selectOption(static_cast<Variant>(i)); });
                    }
                });
    }
    for (std::size_t i = 0; i < kButtonCommands.size(); ++i) {
        connect(Command1.at(i), &QPushButton::clicked, this, [this, i] {
            switch (kButtonCommands.at(i)) {
            case ButtonCommand::Calculate:
                if (run([this] { controller_.calculate(); })) {
                    tellCalculated();
                }
                break;
            case ButtonCommand::ClearAll:
                run([this] { controller_.clearAll(); });
                break;
            }
        });
    }
    // Any change of a box's text that the controller does not already hold is the user's:
    // typing, pasting, or a screen reader setting it. Mirroring writes only held texts.
    for (int box = 0; box < kBoxCount; ++box) {
        connect(Text2[static_cast<std::size_t>(box)], &QLineEdit::textChanged, this,
                [this, box](const QString& text) {
                    std::u16string typed = text.toStdU16String();
                    if (typed != controller_.cell(box).text) {
                        controller_.editCell(box, std::move(typed));
                        mirror();
                    }
                });
    }
}

// The one place where an operation's failure leaves the event: the report is shown and the
// window goes on, the failed row's results emptied and what was typed kept.
template <typename Operation> bool MainWindow::run(Operation&& operation) {
    const std::optional<FailureReport> failure =
        attempt(controller_, std::forward<Operation>(operation));
    mirror();
    if (failure && onError_) {
        onError_(*this, *failure);
    }
    return !failure;
}

// The notice under the box it concerns, until the next key, click or move elsewhere; the
// results and the notice to a screen reader.
void MainWindow::tellCalculated() {
    if (const std::optional<Notice> notice = calculateNotice(controller_)) {
        FittingBox* box = Text2.at(static_cast<std::size_t>(notice->box));
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())),
                           QString::fromStdU16String(notice->text), box, QRect(),
                           tipShowTime(notice->text));
    }
    announcer_->announce(QString::fromStdU16String(announcement(controller_)));
}

void MainWindow::showWorking(Variant row) {
    if (const std::optional<WorkingReport> report = workingReport(controller_, row)) {
        auto* dialog = new WorkingDialog(*report, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    }
}

void MainWindow::mirror() {
    // What was announced belongs to the Calculate that announced it.
    announcer_->hide();
    for (int box = 0; box < kBoxCount; ++box) {
        Text2[static_cast<std::size_t>(box)]->show(boxView(controller_, box));
    }
    const int tabStop = optionTabStop(controller_);
    for (int i = 0; i < kVariantCount; ++i) {
        Option1.at(static_cast<std::size_t>(i))
            ->setFocusPolicy(i == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (const auto selected = controller_.selectedOption()) {
        QRadioButton* option = Option1.at(static_cast<std::size_t>(*selected));
        if (!option->isChecked()) {
            const QSignalBlocker blocker(option);
            option->setChecked(true);
        }
    }
}

} // namespace isosceles
