#pragma once

#include "box_fonts.h"
#include "dpi.h"
#include "gdi.h"
#include "grid_controller.h"
#include "window.h"
#include "window_layout.h"
#include "window_view.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace isosceles {

class AccessibleNames;
class ReadOnlyText;
class Box;
class WorkingWindow;
class Button;
class Frame;
class Option;

// The program's only window on Windows, built from the control table. It owns the
// controller, forwards every event to it and afterwards shows what the view says of the
// controller's state; it decides nothing itself. Every control is a child window whose
// window text is its text, its id made from its family and index.
class MainWindow : public Window {
public:
    // Fires once, after the first paint: see finishStart().
    static constexpr UINT_PTR kFinishStartTimer = 1;
    static constexpr UINT_PTR kExplainedTimer = 2;

    using ErrorHandler = std::function<void(HWND window, const FailureReport&)>;
    // The user's regional format, taken afresh when Windows says the settings changed.
    using FormatSource = std::function<NumberFormat()>;

    MainWindow(HINSTANCE instance, FormatSource formats, ErrorHandler onError);
    ~MainWindow() override;

    const GridController& controller() const { return *controller_; }
    const Box& box(int k) const { return *boxes_.at(static_cast<std::size_t>(k)); }
    // The last row's working shown, closed or not; none yet.
    WorkingWindow* working() const { return working_.get(); }

    // The window's share of a message loop: keyboard navigation between its controls, and
    // Enter on a focused button. True where the message was handled.
    bool preTranslate(MSG& msg);

    HWND Text1 = nullptr;
    std::array<HWND, familyCount(Family::Text2)> Text2{};
    std::array<HWND, familyCount(Family::Label1)> Label1{};
    HWND Frame1 = nullptr;
    std::array<HWND, familyCount(Family::Option1)> Option1{};
    std::array<HWND, familyCount(Family::Command1)> Command1{};

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void onCommand(HWND hwnd, int id, HWND control, UINT code);
    HBRUSH onColour(HWND hwnd, HDC dc, HWND control, int type);
    void onDrawItem(HWND hwnd, const DRAWITEMSTRUCT* item);
    void onPaint(HWND hwnd);
    BOOL onEraseBackground(HWND hwnd, HDC dc);
    LRESULT onNotify(HWND hwnd, int id, NMHDR* header);
    void onContextMenu(HWND hwnd, HWND clicked, UINT x, UINT y);
    void onRightButtonUp(HWND hwnd, int x, int y, UINT keys);
    void onSettingChange(HWND hwnd, const wchar_t* section);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void onClose(HWND hwnd);
    void onDestroy(HWND hwnd);

    // One handler per family, given the control's index.
    void onBoxEdited(int index);
    void onOptionClicked(int index);
    void onButtonClicked(int index);

    void build();
    void makeControl(Family family, int index);
    RECT placeOf(const ControlRow& row, int index) const;
    void makeFonts();
    void sizeWindow();
    void addTools(int box);
    void finishStart();
    void scaleTooltip();
    void explain(int box);
    void showTip(int box, std::wstring text);
    void tellCalculated();
    void hideExplained();
    void onTimer(HWND hwnd, UINT id);
    void scale(Family family, int index);
    void rescale();
    void paint(HDC dc);
    void offerMenu(POINT screen);
    HWND& handleOf(Family family, int index);

    // Returns whether the operation went through.
    template <typename Operation> bool run(Operation&& operation);
    void mirror();
    void showWorking(Variant row);

    HINSTANCE instance_;
    FormatSource formats_;
    ErrorHandler onError_;
    std::unique_ptr<GridController> controller_;
    Brushes brushes_;
    GdiObject<HFONT> windowFont_;
    BoxFonts boxFonts_;
    // How the fonts can write a power of ten.
    Exponent exponent_ = Exponent::Raised;
    // Kept for the window's life: a result's description changes as the user types.
    std::unique_ptr<AccessibleNames> names_;
    std::unique_ptr<ReadOnlyText> assignment_;
    std::unique_ptr<Frame> frame_;
    std::array<std::unique_ptr<Option>, familyCount(Family::Option1)> options_;
    std::array<std::unique_ptr<Box>, familyCount(Family::Text2)> boxes_;
    std::array<std::unique_ptr<Button>, familyCount(Family::Command1)> buttons_;
    std::unique_ptr<WorkingWindow> working_;
    HWND tooltip_ = nullptr;
    // A box's tooltip shown at once, where the box stands, while the mouse may be elsewhere.
    HWND explainedTip_ = nullptr;
    std::wstring explained_; // its text, alive while it shows it
    // The control that held the focus when the window was last left.
    HWND focusBefore_ = nullptr;
    std::wstring tip_; // the text the tooltip shows, alive while it shows it
    Dpi dpi_;
    bool mirroring_ = false;
};

// Shows the report of a failed operation, modal over the window.
void reportError(HWND window, const FailureReport& report);

// The window's title: the maker's address, two spaces, the program's title.
std::wstring windowTitleText();

} // namespace isosceles
