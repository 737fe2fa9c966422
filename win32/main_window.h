#pragma once

#include "grid_controller.h"
#include "window_layout.h"
#include "window_view.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace isosceles {

class AccessibleNames;
class Box;
class Painter;

// The program's only window on Windows, built from the control table. It owns the
// controller, forwards every event to it and afterwards shows the controller's state; it
// decides nothing itself. Every control is a child window whose window text is its text.
class MainWindow {
public:
    using ErrorHandler = std::function<void(HWND window, const FailureReport&)>;
    // The user's regional format, taken afresh when Windows says the settings changed.
    using FormatSource = std::function<NumberFormat()>;

    MainWindow(HINSTANCE instance, FormatSource formats, ErrorHandler onError);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const GridController& controller() const { return *controller_; }
    const Box& box(int k) const { return *boxes_.at(static_cast<std::size_t>(k)); }

    // The window's share of a message loop: keyboard navigation between its controls, and
    // Enter on a focused button. True where the message was handled.
    bool preTranslate(MSG& msg);

    HWND Text1 = nullptr;
    std::array<HWND, kBoxCount> Text2{};
    std::array<HWND, 5> Label1{};
    HWND Frame1 = nullptr;
    std::array<HWND, kVariantCount> Option1{};
    std::array<HWND, 2> Command1{};

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void build();
    void place();
    void applyFonts();
    HWND create(const ControlRow& row, int index);
    void onCommand(int id, int code, HWND control);
    LRESULT onColour(HDC dc, HWND control);
    void onDrawButton(const DRAWITEMSTRUCT& item);
    void paintWindow();
    void offerCopy(POINT screen);

    template <typename Operation> void run(Operation&& operation);
    void mirror();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    FormatSource formats_;
    ErrorHandler onError_;
    std::unique_ptr<GridController> controller_;
    std::unique_ptr<Painter> painter_;
    // Kept for the window's life: a result's description changes as the user types.
    std::unique_ptr<AccessibleNames> names_;
    std::array<std::unique_ptr<Box>, kBoxCount> boxes_;
    HWND tooltip_ = nullptr;
    // The control that held the focus when the window was last left.
    HWND focusBefore_ = nullptr;
    std::wstring assignmentName_; // what a screen reader asking the assignment hears
    std::wstring tip_;            // the text the tooltip shows, alive while it shows it
    UINT dpi_ = 96;
    bool mirroring_ = false;
};

// Shows the report of a failed operation, modal over the window.
void reportError(HWND window, const FailureReport& report);

// The window's title: the maker's address, two spaces, the program's title.
std::wstring windowTitleText();

} // namespace isosceles
