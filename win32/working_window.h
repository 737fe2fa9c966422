#pragma once

#include "dpi.h"
#include "window.h"
#include "window_view.h"

#include <windows.h>

#include <memory>
#include <string>

namespace isosceles {

class ReadOnlyText;

// A row's working, as the view gives it, over the main window, which it disables until it is
// closed: the text can be selected, and copied whole with a button. Enter and Escape close
// it, Tab goes round its controls: the main window hands it its keys.
class WorkingWindow : public Window {
public:
    WorkingWindow(HWND owner, const WorkingReport& report, HFONT font, Dpi dpi, HINSTANCE instance);
    ~WorkingWindow() override;

    // Whether the message is for this window or one of its controls: its dialog keys.
    bool preTranslate(MSG& msg);

    std::wstring text() const;

    // The controls, for the tests.
    HWND textBox = nullptr;
    HWND copyButton = nullptr;
    HWND okButton = nullptr;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onCommand(HWND hwnd, int id, HWND control, UINT code);
    void onPaint(HWND hwnd);
    RECT ringPlace() const;
    void onClose(HWND hwnd);
    void close();

    HWND owner_;
    Dpi dpi_;
    std::unique_ptr<ReadOnlyText> text_;
};

} // namespace isosceles
