#pragma once

#include "announce.h"
#include "calc_error.h"
#include "fitting_box.h"
#include "grid_controller.h"
#include "window_layout.h"
#include "window_view.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QApplication;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace isosceles {

// Application name, version and the rest of what identifies the program to the desktop.
void configureApplication(QApplication& app);

// The window's title: the maker's address, two spaces, the program's title.
QString windowTitleText();

// The Qt platform to ask for, where the environment calls for one: on a GNOME Wayland
// session, whose compositor draws no title bars for Wayland windows, the window goes through
// XWayland so that the desktop's own title bar shows the title from its start and offers no
// maximize for the fixed-size window (Qt's own Wayland title bar does neither). Nothing where
// the user chose a platform, there is no X display, or the compositor draws title bars itself
// (KDE Plasma, and most others).
std::optional<std::string> preferredPlatform(const EnvLookup& lookup);

// Shows the report of a failed operation, modal over the window.
void reportError(QWidget& window, const FailureReport& report);

// The program's only window. It owns the controller, forwards every event to it and
// afterwards shows the controller's state; it decides nothing itself.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    using ErrorHandler = std::function<void(QWidget& window, const FailureReport&)>;

    // Runs the controller's start-up before returning, so the first show sees its state.
    MainWindow(NumberFormat format, ErrorHandler onError);

    const GridController& controller() const { return controller_; }

    QPlainTextEdit* Text1 = nullptr;
    std::array<FittingBox*, familyCount(Family::Text2)> Text2{};
    std::array<QLabel*, familyCount(Family::Label1)> Label1{};
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, familyCount(Family::Option1)> Option1{};
    std::array<QPushButton*, familyCount(Family::Command1)> Command1{};

protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void build();
    void bind();
    void applyTabOrder();
    QWidget* control(Family family, int index) const;
    QWidget* create(const ControlRow& row, int index);
    QFont boxFont() const;
    std::optional<std::u16string> shortForm(std::u16string_view text) const;

    // Returns whether the operation went through.
    template <typename Operation> bool run(Operation&& operation);
    void tellCalculated();
    void mirror();
    void showWorking(Variant row);

    GridController controller_;
    ErrorHandler onError_;
    Announcer* announcer_ = nullptr;
};

} // namespace isosceles
