#include "main_window.h"

#include "accessible_names.h"
#include "box.h"
#include "buttons.h"
#include "control_ids.h"
#include "convert.h"
#include "frame.h"
#include "number_text.h"
#include "options.h"
#include "read_only_text.h"
#include "working_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>
#include <string>
#include <utility>

namespace isosceles {

namespace {

constexpr wchar_t kWindowClass[] = L"IsoscelesWindow";

// The one tool of the tooltip that shows a box's tip at once, by its owner.
TOOLINFOW trackedTool(HWND owner) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    return tool;
}
// The widest a tooltip grows before it breaks its lines, in pixels at 96 DPI: a result's
// steps take a line each where the screen allows.
constexpr int kTooltipWidth = 900;

// Times New Roman 12 pt with the Cyrillic character set, at the window's DPI.
LOGFONTW windowFace(Dpi dpi, LONG weight) {
    LOGFONTW face{};
    face.lfHeight = dpi.fontHeight(kWindowStyle.fontPointSize);
    face.lfWeight = weight;
    face.lfCharSet = RUSSIAN_CHARSET;
    // Where the face is missing, the system substitutes a serif: unhinted, its mapper may
    // take any face (Wine takes Liberation Sans, whose Cyrillic after a slash, as in the
    // assignment, faults in Wine's own text layout).
    face.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    face.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring family = widen(kWindowStyle.fontFamily);
    family.copy(face.lfFaceName, LF_FACESIZE - 1);
    return face;
}

bool takesFocus(Family family) {
    for (const TabStop& stop : TabOrder) {
        if (stop.family == family) {
            return true;
        }
    }
    return false;
}

// The first control of each tab stop begins a group: the arrow keys move among the options
// and between the buttons, and no further. A control that takes no focus stands alone, so
// that no group runs on into it.
bool beginsGroup(Family family, int index) {
    if (!takesFocus(family)) {
        return true;
    }
    for (const TabStop& stop : TabOrder) {
        if (stop.family == family && stop.first == index) {
            return true;
        }
    }
    return false;
}

} // namespace

std::wstring windowTitleText() {
    return widen(windowTitle());
}

MainWindow::MainWindow(HINSTANCE instance, FormatSource formats, ErrorHandler onError)
    : instance_(instance), formats_(std::move(formats)), onError_(std::move(onError)),
      controller_(std::make_unique<GridController>(formats_())),
      names_(std::make_unique<AccessibleNames>()) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW cls{};
    cls.hInstance = instance_;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hIcon = LoadIconW(instance_, L"ISOSCELES");
    cls.hIconSm = cls.hIcon;
    cls.lpszClassName = kWindowClass;
    registerClass(cls);
    // The size is fixed, so the window offers no maximize.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    // Sized once its DPI is known.
    create(0, kWindowClass, windowTitleText().c_str(), style,
           {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, nullptr, 0, instance_);
    dpi_ = Dpi(GetDpiForWindow(hwnd()));
    makeFonts();
    sizeWindow();
    controller_->onLoad();
    build();
    // The boxes are fitted once, in place and in their fonts.
    mirror();
    // Focus marks show from the start, not only once the keyboard has been used.
    SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
    SetFocus(Text1);
    // A timer fires only when nothing else waits, so after the first paint.
    SetTimer(hwnd(), kFinishStartTimer, USER_TIMER_MINIMUM, nullptr);
}

MainWindow::~MainWindow() {
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

HWND& MainWindow::handleOf(Family family, int index) {
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

// A control's pixels at the window's DPI; the options' places are relative to the frame.
RECT MainWindow::placeOf(const ControlRow& row, int index) const {
    Rect r = twipsRect(row, index);
    if (row.family == Family::Option1) {
        const Rect frame = twipsRect(rowOf(Family::Frame1, 0), 0);
        r.left += frame.left;
        r.top += frame.top;
    }
    const int left = dpi_.fromTwips(r.left);
    const int top = dpi_.fromTwips(r.top);
    return {left, top, left + dpi_.fromTwips(r.width), top + dpi_.fromTwips(r.height)};
}

void MainWindow::makeControl(Family family, int index) {
    const ControlRow& row = rowOf(family, index);
    const RECT place = placeOf(row, index);
    const std::wstring text = widen(controlText(row, index));
    const auto at = static_cast<std::size_t>(index);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                        (takesFocus(family) ? WS_TABSTOP : 0) |
                        (beginsGroup(family, index) ? WS_GROUP : 0);
    HWND& control = handleOf(family, index);
    switch (family) {
    case Family::Label1:
        control = CreateWindowExW(
            0, L"STATIC", text.c_str(), style | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
            place.left, place.top, place.right - place.left, place.bottom - place.top, hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(family, index))), instance_,
            nullptr);
        break;
    case Family::Frame1:
        frame_ = std::make_unique<Frame>(hwnd(), text.c_str(), place, instance_, brushes_);
        control = frame_->hwnd();
        break;
    case Family::Option1:
        options_.at(at) = std::make_unique<Option>(hwnd(), index, text.c_str(), style, place,
                                                   instance_, brushes_);
        control = options_.at(at)->hwnd();
        break;
    case Family::Text2:
        boxes_.at(at) = std::make_unique<Box>(
            hwnd(), index,
            style | (controller_->cell(index).enabled ? 0 : WS_DISABLED) |
                (controller_->cell(index).locked ? ES_READONLY : 0),
            place, instance_,
            [this](std::u16string_view t) -> std::optional<std::u16string> {
                try {
                    return compactForm(t, controller_->numberFormat(), exponent_);
                } catch (const NumberFormatError&) {
                    return std::nullopt;
                }
            },
            boxFonts_, brushes_);
        boxes_.at(at)->onWorkingAsked([this, index] { showWorking(rowOfBox(index)); });
        boxes_.at(at)->onExplainAsked([this, index] { explain(index); });
        control = boxes_.at(at)->hwnd();
        break;
    case Family::Command1:
        buttons_.at(at) =
            std::make_unique<Button>(hwnd(), index, text.c_str(), style, place, instance_);
        control = buttons_.at(at)->hwnd();
        break;
    case Family::Text1:
        assignment_ = std::make_unique<ReadOnlyText>(hwnd(), text.c_str(), WS_EX_CLIENTEDGE, style,
                                                     place, windowFont_.get(),
                                                     controlId(Family::Text1, 0), instance_);
        control = assignment_->hwnd();
        break;
    }
    scale(family, index);
    const std::wstring name = widen(accessibleName(row, index));
    if (name == text) {
        return;
    }
    if (family == Family::Text2) {
        boxes_.at(at)->setAccessibleName(name);
    } else if (family == Family::Text1) {
        assignment_->setAccessibleName(name);
    }
}

// Controls are made in focus order, for the dialog manager goes through them in the order
// they were made; those that take no focus come after.
void MainWindow::build() {
    for (const TabStop& stop : TabOrder) {
        for (int index = stop.first; index <= stop.last; ++index) {
            makeControl(stop.family, index);
        }
    }
    for (const ControlRow& row : ControlTable) {
        if (!takesFocus(row.family)) {
            for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
                makeControl(row.family, index);
            }
        }
    }
    // The frame stands behind the options it holds.
    SetWindowPos(Frame1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::makeFonts() {
    const LOGFONTW regular = windowFace(dpi_, FW_NORMAL);
    windowFont_.reset(CreateFontIndirectW(&regular));
    boxFonts_.setFace(windowFace(dpi_, FW_BOLD), dpi_);
    // A power of ten is raised only where every font that may show one draws its raised
    // digits and minus: the boxes', the window's (tooltips, the working) and the reports'.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi_.value());
    const GdiObject<HFONT> message(CreateFontIndirectW(&metrics.lfMessageFont));
    constexpr std::wstring_view raised =
        L"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079\u207B";
    exponent_ = drawsAll(windowFont_.get(), raised) &&
                        drawsAll(boxFonts_.at(kBoxFitRules.full, false), raised) &&
                        drawsAll(message.get(), raised)
                    ? Exponent::Raised
                    : Exponent::Plain;
}

void MainWindow::sizeWindow() {
    RECT client{0, 0, dpi_.fromTwips(kWindowStyle.clientWidth),
                dpi_.fromTwips(kWindowStyle.clientHeight)};
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE));
    AdjustWindowRectExForDpi(&client, style, FALSE, 0, dpi_.value());
    SetWindowPos(hwnd(), nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// What is not seen at once is made once the window has been drawn: the boxes' tooltips, and
// the names that UI Automation reads where a control's text does not say what it is (a box
// or the assignment, which answer Active Accessibility themselves from the start).
void MainWindow::finishStart() {
    // A tip shown at once points at its box from a balloon.
    for (const auto& [tip, style] :
         {std::pair{&tooltip_, DWORD{0}}, std::pair{&explainedTip_, DWORD{TTS_BALLOON}}}) {
        *tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance_, nullptr);
    }
    TOOLINFOW tracked = trackedTool(hwnd());
    tracked.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tracked.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(explainedTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tracked));
    scaleTooltip();
    for (int box = 0; box < kBoxCount; ++box) {
        addTools(box);
    }
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            const std::string name = accessibleName(row, index);
            if (name != controlText(row, index)) {
                names_->annotate(handleOf(row.family, index), widen(name));
            }
        }
    }
    names_->annotate(hwnd(), widen(windowSpokenName()));
}

// The tooltips in the window's font: the system's small one would make the working's
// formulas hard to read, and under Wine misplaces the end of a line it measures with
// substituted glyphs.
void MainWindow::scaleTooltip() {
    for (const HWND tip : {tooltip_, explainedTip_}) {
        SetWindowFont(tip, windowFont_.get(), FALSE);
        SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, dpi_.pixels(kTooltipWidth));
    }
}

void MainWindow::hideExplained() {
    KillTimer(hwnd(), kExplainedTimer);
    TOOLINFOW tracked = trackedTool(hwnd());
    SendMessageW(explainedTip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tracked));
}

// The box's tooltip at the box.
void MainWindow::explain(int box) {
    showTip(box, boxes_.at(static_cast<std::size_t>(box))->tooltipText());
}

// A text below the box, for as long as the view says.
void MainWindow::showTip(int box, std::wstring text) {
    if (explainedTip_ == nullptr) {
        return;
    }
    explained_ = std::move(text);
    TOOLINFOW tracked = trackedTool(hwnd());
    tracked.lpszText = explained_.data();
    SendMessageW(explainedTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tracked));
    RECT place{};
    GetWindowRect(Text2.at(static_cast<std::size_t>(box)), &place);
    SendMessageW(explainedTip_, TTM_TRACKPOSITION, 0,
                 MAKELPARAM((place.left + place.right) / 2, place.bottom));
    SendMessageW(explainedTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tracked));
    const std::u16string shown(explained_.begin(), explained_.end());
    SetTimer(hwnd(), kExplainedTimer, static_cast<UINT>(tipShowTime(shown)), nullptr);
}

// A box's own tooltip tool, and one of the window's of the box's place: over a disabled box
// the mouse reaches the window, which shows the box's tooltip there.
void MainWindow::addTools(int box) {
    const Rect r = twipsRect(rowOf(Family::Text2, box), box);
    TOOLINFOW own{};
    own.cbSize = sizeof(own);
    own.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    own.hwnd = hwnd();
    own.uId = reinterpret_cast<UINT_PTR>(Text2.at(static_cast<std::size_t>(box)));
    own.lpszText = LPSTR_TEXTCALLBACKW;
    TOOLINFOW over = own;
    over.uFlags = TTF_SUBCLASS;
    over.uId = static_cast<UINT_PTR>(controlId(Family::Text2, box));
    over.rect = dpi_.fromTwips(r.left, r.top, r.width, r.height);
    for (TOOLINFOW* tool : {&own, &over}) {
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(tool));
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(tool));
    }
}

// A control's fonts and scale at the window's DPI.
void MainWindow::scale(Family family, int index) {
    const auto at = static_cast<std::size_t>(index);
    switch (family) {
    case Family::Text2:
        // Fitted where it is shown.
        return;
    case Family::Frame1:
        frame_->setDpi(dpi_);
        break;
    case Family::Option1:
        options_.at(at)->setDpi(dpi_);
        break;
    case Family::Command1:
        buttons_.at(at)->setScale(dpi_, windowFont_.get());
        break;
    case Family::Label1:
    case Family::Text1:
        break;
    }
    // The assignment was given its font before its text, to lay the text out once.
    if (const HWND control = handleOf(family, index); GetWindowFont(control) != windowFont_.get()) {
        SetWindowFont(control, windowFont_.get(), TRUE);
    }
}

void MainWindow::rescale() {
    makeFonts();
    sizeWindow();
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            const RECT r = placeOf(row, index);
            SetWindowPos(handleOf(row.family, index), nullptr, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
            scale(row.family, index);
        }
    }
    if (tooltip_ != nullptr) {
        scaleTooltip();
    }
    for (int box = 0; box < kBoxCount; ++box) {
        if (tooltip_ != nullptr) {
            addTools(box);
        }
        boxes_.at(static_cast<std::size_t>(box))->rescale();
    }
}

void MainWindow::showWorking(Variant row) {
    if (const std::optional<WorkingReport> report = workingReport(*controller_, row, exponent_)) {
        // The notice belongs to the window the working covers.
        hideExplained();
        working_ =
            std::make_unique<WorkingWindow>(hwnd(), *report, windowFont_.get(), dpi_, instance_);
    }
}

void MainWindow::mirror() {
    mirroring_ = true;
    for (int k = 0; k < kBoxCount; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const GridCell& cell = controller_->cell(k);
        const std::wstring text(cell.text.begin(), cell.text.end());
        if (windowText(Text2[at]) != text) {
            SetWindowTextW(Text2[at], text.c_str());
        }
        // Changed only where it differs: each change redraws the box.
        if (((GetWindowLongW(Text2[at], GWL_STYLE) & ES_READONLY) != 0) != cell.locked) {
            Edit_SetReadOnly(Text2[at], cell.locked ? TRUE : FALSE);
        }
        if ((IsWindowEnabled(Text2[at]) != FALSE) != cell.enabled) {
            EnableWindow(Text2[at], cell.enabled ? TRUE : FALSE);
        }
        const BoxView view = boxView(*controller_, k, exponent_);
        if (view.spokenDescription != boxes_[at]->view().spokenDescription) {
            names_->describe(Text2[at], std::wstring(view.spokenDescription.begin(),
                                                     view.spokenDescription.end()));
        }
        boxes_[at]->show(view);
    }
    const int tabStop = optionTabStop(*controller_);
    for (int i = 0; i < kVariantCount; ++i) {
        const HWND option = Option1[static_cast<std::size_t>(i)];
        const LONG_PTR style = GetWindowLongPtrW(option, GWL_STYLE);
        SetWindowLongPtrW(option, GWL_STYLE,
                          i == tabStop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }
    if (const auto selected = controller_->selectedOption()) {
        for (int i = 0; i < kVariantCount; ++i) {
            Button_SetCheck(Option1[static_cast<std::size_t>(i)],
                            i == *selected ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    mirroring_ = false;
}

} // namespace isosceles
