#pragma once

#include "window_view.h"

#include <QDialog>

class QPlainTextEdit;

namespace isosceles {

// A row's working, as the view gives it, over the window until it is closed: the text can be
// selected, and copied whole with a button.
class WorkingDialog : public QDialog {
    Q_OBJECT

public:
    WorkingDialog(const WorkingReport& report, QWidget* parent);

    QString text() const;

private:
    QPlainTextEdit* text_;
};

} // namespace isosceles
