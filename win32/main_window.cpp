#include "main_window.h"

#include "accessible_names.h"
#include "box.h"
#include "calc_error.h"
#include "convert.h"
#include "number_text.h"
#include "variant_table.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace isosceles {

namespace {

constexpr wchar_t kWindowClass[] = L"IsoscelesWindow";
constexpr wchar_t kFrameClass[] = L"IsoscelesFrame";
constexpr int kTwipsPerInch = 1440;

// Control ids by family; none is IDOK or IDCANCEL, so Enter in a box presses nothing.
int idOf(Family family, int index) {
    switch (family) {
    case Family::Text2:
        return 100 + index;
    case Family::Option1:
        return 200 + index;
    case Family::Command1:
        return 300 + index;
    case Family::Label1:
        return 400 + index;
    case Family::Frame1:
        return 500;
    case Family::Text1:
        break;
    }
    return 600;
}

// The control an id stands for, read back from the control table.
std::optional<std::pair<Family, int>> controlOf(int id) {
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            if (idOf(row.family, index) == id) {
                return std::pair{row.family, index};
            }
        }
    }
    return std::nullopt;
}

// How far the box's neighbours overlap each of its edges, in twips. Which of two overlapping
// boxes shows the shared band depends on the order the system draws them in, so the band is
// taken as covered on either side.
RECT covered(const ControlRow& row, int index) {
    const int n = index - row.firstIndex;
    const int column = n % row.columns;
    const int line = n / row.columns;
    const int across = std::max(0, row.width - row.stepX);
    const int down = std::max(0, row.height - row.stepY);
    return {column > 0 ? across : 0, line > 0 ? down : 0, column + 1 < row.columns ? across : 0,
            n + row.columns < row.count ? down : 0};
}

// The options mark the focus with a ring in their text colour, plain on any desktop.
LRESULT CALLBACK optionProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT && GetFocus() == hwnd) {
        const HDC dc = GetDC(hwnd);
        RECT r{};
        GetClientRect(hwnd, &r);
        const int dpi = static_cast<int>(GetDpiForWindow(hwnd));
        const int inset = MulDiv(kOptionFocusRing.inset, dpi, 96);
        InflateRect(&r, -inset, -inset);
        // Neighbouring options overlap: the ring stays inside the band no other covers.
        const ControlRow& row = rowOf(Family::Option1, 0);
        const int overlap = MulDiv(std::max(0, row.height - row.stepY), dpi, 1440);
        const int index = GetDlgCtrlID(hwnd) - idOf(Family::Option1, 0);
        r.top += index > 0 ? overlap : 0;
        r.bottom -= index + 1 < row.count ? overlap : 0;
        const HBRUSH ring = CreateSolidBrush(
            RGB(kTextOnFixedColour.red, kTextOnFixedColour.green, kTextOnFixedColour.blue));
        for (int i = 0; i < MulDiv(kOptionFocusRing.width, dpi, 96); ++i) {
            FrameRect(dc, &r, ring);
            InflateRect(&r, -1, -1);
        }
        DeleteObject(ring);
        ReleaseDC(hwnd, dc);
    }
    return result;
}

int scaled(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

} // namespace

// Brushes and fonts at the window's DPI, made once per colour and per DPI.
class Painter {
public:
    ~Painter() { release(); }

    HBRUSH brush(COLORREF colour) {
        auto& brush = brushes_[colour];
        if (brush == nullptr) {
            brush = CreateSolidBrush(colour);
        }
        return brush;
    }

    void setDpi(UINT dpi) {
        if (windowFont_ != nullptr) {
            DeleteObject(windowFont_);
        }
        const LOGFONTW regular = face(dpi, FW_NORMAL);
        windowFont_ = CreateFontIndirectW(&regular);
        boxFace_ = face(dpi, FW_BOLD);
    }

    HFONT windowFont() const { return windowFont_; }
    const LOGFONTW& boxFace() const { return boxFace_; }

private:
    // Times New Roman 12 pt with the Cyrillic character set, at the window's DPI.
    static LOGFONTW face(UINT dpi, LONG weight) {
        LOGFONTW face{};
        face.lfHeight = -MulDiv(kWindowStyle.fontPointSize, static_cast<int>(dpi), 72);
        face.lfWeight = weight;
        face.lfCharSet = RUSSIAN_CHARSET;
        // Where the face is missing, the system substitutes a serif: unhinted, its mapper
        // may take any face (Wine takes Liberation Sans, whose Cyrillic after a slash, as in
        // the assignment, faults in Wine's own text layout).
        face.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
        face.lfQuality = CLEARTYPE_QUALITY;
        const std::wstring family = widen(kWindowStyle.fontFamily);
        family.copy(face.lfFaceName, LF_FACESIZE - 1);
        return face;
    }

    void release() {
        for (const auto& [colour, brush] : brushes_) {
            DeleteObject(brush);
        }
        if (windowFont_ != nullptr) {
            DeleteObject(windowFont_);
        }
    }

    std::map<COLORREF, HBRUSH> brushes_;
    HFONT windowFont_ = nullptr;
    LOGFONTW boxFace_{};
};

namespace {

// The frame around the options: its outline broken by its caption.
LRESULT CALLBACK frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd, &ps);
        RECT r{};
        GetClientRect(hwnd, &r);
        const HBRUSH fill = CreateSolidBrush(colorRef(kWindowStyle.background));
        FillRect(dc, &r, fill);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
        const HGDIOBJ oldFont = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const int line = metrics.tmHeight / 2;
        const HPEN pen = CreatePen(PS_SOLID, 1, colorRef(kFrameOutlineColour));
        const HGDIOBJ oldPen = SelectObject(dc, pen);
        const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, r.left, r.top + line, r.right, r.bottom);
        wchar_t title[64];
        const int length = GetWindowTextW(hwnd, title, 64);
        SIZE size{};
        GetTextExtentPoint32W(dc, title, length, &size);
        const int indent = MulDiv(6, GetDeviceCaps(dc, LOGPIXELSX), 96);
        const int padding = MulDiv(2, GetDeviceCaps(dc, LOGPIXELSX), 96);
        RECT caption{indent, 0, indent + size.cx + 2 * padding, metrics.tmHeight};
        FillRect(dc, &caption, fill);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colorRef(kTextOnFixedColour));
        DrawTextW(dc, title, length, &caption, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldFont);
        DeleteObject(pen);
        DeleteObject(fill);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_SETFONT) {
        SetPropW(hwnd, L"font", reinterpret_cast<HANDLE>(wParam));
        return 0;
    }
    if (message == WM_GETFONT) {
        return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"font"));
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, L"font");
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The read-only assignment text passes Tab and Enter on, so that the keyboard leaves it as
// it leaves every other control; it keeps the arrows for scrolling. It is read, not
// replaced: reached by Tab it selects nothing and stays where it was scrolled. `name` is
// what a screen reader asking it hears.
LRESULT CALLBACK assignmentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR name) {
    if (message == WM_GETDLGCODE) {
        return DefSubclassProc(hwnd, message, wParam, lParam) &
               ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL);
    }
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = accessibleObject(hwnd, wParam, lParam,
                                                    *reinterpret_cast<const std::wstring*>(name))) {
            return answer;
        }
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void registerClasses(HINSTANCE instance, WNDPROC windowProc) {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXW window{};
    window.cbSize = sizeof(window);
    window.lpfnWndProc = windowProc;
    window.hInstance = instance;
    window.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window.hIcon = LoadIconW(instance, L"ISOSCELES");
    window.hIconSm = window.hIcon;
    window.lpszClassName = kWindowClass;
    RegisterClassExW(&window);
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof(frame);
    frame.lpfnWndProc = frameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    frame.lpszClassName = kFrameClass;
    RegisterClassExW(&frame);
    registered = true;
}

} // namespace

std::wstring windowTitleText() {
    return widen(windowTitle());
}

void reportError(HWND window, const FailureReport& report) {
    const std::wstring text = widen(report.text);
    const std::wstring title = widen(report.title);
    const std::wstring ok = widen(report.button);
    TASKDIALOG_BUTTON button{IDOK, ok.c_str()};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = window;
    config.dwFlags = TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_ERROR_ICON;
    config.pszContent = text.c_str();
    config.cButtons = 1;
    config.pButtons = &button;
    config.nDefaultButton = IDOK;
    if (FAILED(TaskDialogIndirect(&config, nullptr, nullptr, nullptr))) {
        MessageBoxW(window, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    }
}

MainWindow::MainWindow(HINSTANCE instance, FormatSource formats, ErrorHandler onError)
    : instance_(instance), formats_(std::move(formats)), onError_(std::move(onError)),
      controller_(std::make_unique<GridController>(formats_())),
      painter_(std::make_unique<Painter>()), names_(std::make_unique<AccessibleNames>()) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registerClasses(instance_, windowProc);
    // The size is fixed, so the window offers no maximize.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (CreateWindowExW(0, kWindowClass, windowTitleText().c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, this) == nullptr) {
        throw std::runtime_error("the window cannot be created (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    dpi_ = GetDpiForWindow(hwnd_);
    painter_->setDpi(dpi_);
    build();
    // The boxes' fonts first, so that placing them lays out their lines once.
    applyFonts();
    place();
    controller_->onLoad();
    mirror();
    // Focus marks show from the start, not only once the keyboard has been used.
    SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
    SetFocus(Text1);
}

MainWindow::~MainWindow() {
    for (auto& box : boxes_) {
        box.reset();
    }
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

HWND MainWindow::create(const ControlRow& row, int index) {
    const std::wstring text = widen(controlText(row, index));
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(row.family, index)));
    const auto make = [&](const wchar_t* cls, DWORD style, DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, cls, text.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, hwnd_,
                               id, instance_, nullptr);
    };
    switch (row.family) {
    case Family::Label1:
        return Label1.at(static_cast<std::size_t>(index)) =
                   make(L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX);
    case Family::Frame1:
        return Frame1 = make(kFrameClass, 0);
    case Family::Option1: {
        const HWND option =
            make(L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | (index == 0 ? WS_GROUP : 0));
        SetWindowSubclass(option, optionProc, 0, 0);
        return Option1.at(static_cast<std::size_t>(index)) = option;
    }
    case Family::Text2: {
        const HWND edit =
            make(L"EDIT", ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | (index == 16 ? WS_GROUP : 0));
        boxes_.at(static_cast<std::size_t>(index)) = std::make_unique<Box>(
            edit, tooltip_,
            [this](std::u16string_view t) -> std::optional<std::u16string> {
                try {
                    return compactForm(t, controller_->numberFormat());
                } catch (const NumberFormatError&) {
                    return std::nullopt;
                }
            },
            covered(row, index));
        return Text2.at(static_cast<std::size_t>(index)) = edit;
    }
    case Family::Command1:
        return Command1.at(static_cast<std::size_t>(index)) =
                   make(L"BUTTON", BS_OWNERDRAW | WS_TABSTOP | (index == 0 ? WS_GROUP : 0));
    case Family::Text1:
        break;
    }
    Text1 = make(L"EDIT",
                 ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                 WS_EX_CLIENTEDGE);
    SetWindowSubclass(Text1, assignmentProc, 0, reinterpret_cast<DWORD_PTR>(&assignmentName_));
    return Text1;
}

// Controls are made in focus order, for the dialog manager goes through them in the order
// they were made; those that take no focus come after.
void MainWindow::build() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                               nullptr, instance_, nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);
    std::vector<std::pair<const ControlRow*, int>> order;
    for (const TabStop& stop : TabOrder) {
        for (int index = stop.first; index <= stop.last; ++index) {
            order.emplace_back(&rowOf(stop.family, index), index);
        }
    }
    for (const ControlRow& row : ControlTable) {
        if (row.family == Family::Label1 || row.family == Family::Frame1) {
            for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
                order.emplace_back(&row, index);
            }
        }
    }
    for (const auto& [row, index] : order) {
        const HWND control = create(*row, index);
        const std::wstring name = widen(accessibleName(*row, index));
        if (name == widen(controlText(*row, index))) {
            continue;
        }
        names_->annotate(control, name);
        if (row->family == Family::Text2) {
            boxes_.at(static_cast<std::size_t>(index))->setAccessibleName(name);
        } else if (row->family == Family::Text1) {
            assignmentName_ = name;
        }
    }
    // The frame stands behind the options it holds.
    SetWindowPos(Frame1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Every control at its twips geometry at the window's DPI; the options' places are relative
// to the frame.
void MainWindow::place() {
    RECT client{0, 0, scaled(kWindowStyle.clientWidth, dpi_),
                scaled(kWindowStyle.clientHeight, dpi_)};
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    AdjustWindowRectExForDpi(&client, style, FALSE, 0, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const Rect frame = twipsRect(rowOf(Family::Frame1, 0), 0);
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            Rect r = twipsRect(row, index);
            if (row.family == Family::Option1) {
                r.left += frame.left;
                r.top += frame.top;
            }
            HWND control = nullptr;
            switch (row.family) {
            case Family::Label1:
                control = Label1.at(static_cast<std::size_t>(index));
                break;
            case Family::Frame1:
                control = Frame1;
                break;
            case Family::Option1:
                control = Option1.at(static_cast<std::size_t>(index));
                break;
            case Family::Text2:
                control = Text2.at(static_cast<std::size_t>(index));
                break;
            case Family::Command1:
                control = Command1.at(static_cast<std::size_t>(index));
                break;
            case Family::Text1:
                control = Text1;
                break;
            }
            SetWindowPos(control, nullptr, scaled(r.left, dpi_), scaled(r.top, dpi_),
                         scaled(r.width, dpi_), scaled(r.height, dpi_),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (row.family == Family::Text2) {
                // Over a disabled box the mouse reaches the window: a tool of the window's
                // own, of the box's place, shows the box's tooltip there.
                TOOLINFOW tool{};
                tool.cbSize = sizeof(tool);
                tool.uFlags = TTF_SUBCLASS;
                tool.hwnd = hwnd_;
                tool.uId = static_cast<UINT_PTR>(idOf(Family::Text2, index));
                tool.rect = {scaled(r.left, dpi_), scaled(r.top, dpi_),
                             scaled(r.left + r.width, dpi_), scaled(r.top + r.height, dpi_)};
                tool.lpszText = LPSTR_TEXTCALLBACKW;
                SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
                SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            }
        }
    }
}

void MainWindow::applyFonts() {
    painter_->setDpi(dpi_);
    const auto font = reinterpret_cast<WPARAM>(painter_->windowFont());
    for (HWND control : {Text1, Frame1}) {
        SendMessageW(control, WM_SETFONT, font, TRUE);
    }
    for (HWND control : Label1) {
        SendMessageW(control, WM_SETFONT, font, TRUE);
    }
    for (HWND control : Option1) {
        SendMessageW(control, WM_SETFONT, font, TRUE);
    }
    for (HWND control : Command1) {
        SendMessageW(control, WM_SETFONT, font, TRUE);
    }
    for (auto& box : boxes_) {
        box->setScale(dpi_, painter_->boxFace());
    }
}

// The one place where an operation's failure leaves the event: the report is shown and the
// window goes on, the failed row's results emptied and what was typed kept.
template <typename Operation> void MainWindow::run(Operation&& operation) {
    const std::optional<FailureReport> failure = attempt(std::forward<Operation>(operation));
    mirror();
    if (failure && onError_) {
        onError_(hwnd_, *failure);
    }
}

void MainWindow::mirror() {
    mirroring_ = true;
    for (int k = 0; k < kBoxCount; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const GridCell& cell = controller_->cell(k);
        const std::wstring text(cell.text.begin(), cell.text.end());
        const int length = GetWindowTextLengthW(Text2[at]);
        std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(Text2[at], shown.data(), length + 1);
        shown.resize(static_cast<std::size_t>(length));
        if (shown != text) {
            SetWindowTextW(Text2[at], text.c_str());
        }
        SendMessageW(Text2[at], EM_SETREADONLY, cell.locked ? TRUE : FALSE, 0);
        EnableWindow(Text2[at], cell.enabled ? TRUE : FALSE);
        const BoxView view = boxView(*controller_, k);
        if (view.description != boxes_[at]->view().description) {
            names_->describe(Text2[at], widen(view.description));
        }
        boxes_[at]->show(view);
    }
    if (const auto selected = controller_->selectedOption()) {
        for (int i = 0; i < kVariantCount; ++i) {
            SendMessageW(Option1[static_cast<std::size_t>(i)], BM_SETCHECK,
                         i == *selected ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    mirroring_ = false;
}

void MainWindow::onCommand(int id, int code, HWND control) {
    if (id >= 100 && id < 100 + kBoxCount && code == EN_CHANGE && !mirroring_) {
        // Any change of a box's text that the controller does not hold is the user's.
        const int k = id - 100;
        const int length = GetWindowTextLengthW(control);
        std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control, typed.data(), length + 1);
        typed.resize(static_cast<std::size_t>(length));
        std::u16string text(typed.begin(), typed.end());
        if (text != controller_->cell(k).text) {
            controller_->editCell(k, std::move(text));
            mirror();
        }
        return;
    }
    if (id >= 200 && id < 200 + kVariantCount && code == BN_CLICKED) {
        if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            run([this, id] { controller_->selectOption(static_cast<Variant>(id - 200)); });
        }
        return;
    }
    if (id == 300 && code == BN_CLICKED) {
        run([this] { controller_->calculate(); });
    } else if (id == 301 && code == BN_CLICKED) {
        run([this] { controller_->clearAll(); });
    } else if (id == 600 && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
        RECT r{};
        GetWindowRect(Text1, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        InflateRect(&r, 4, 4);
        InvalidateRect(hwnd_, &r, TRUE);
    }
}

// Text on the fixed colours is black, so a dark desktop theme leaves it readable; the boxes
// the user types in, locked or not, keep the desktop's own colours.
LRESULT MainWindow::onColour(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    COLORREF background = colorRef(kWindowStyle.background);
    COLORREF text = colorRef(kTextOnFixedColour);
    if (id >= 100 && id < 100 + kBoxCount) {
        const Box& box = *boxes_[static_cast<std::size_t>(id - 100)];
        background = box.backgroundColour();
        text = box.textColour();
    } else if (const std::optional<std::pair<Family, int>> control = controlOf(id)) {
        const Colours colours = coloursOf(control->first, control->second);
        background = colours.background ? colorRef(*colours.background) : GetSysColor(COLOR_WINDOW);
        text = colours.text ? colorRef(*colours.text) : GetSysColor(COLOR_WINDOWTEXT);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(painter_->brush(background));
}

// The button's face in its own colour inside a solid border, which thickens with the focus
// and turns grey while the button is held down; a ring inside marks the focus.
void MainWindow::onDrawButton(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.CtlID) - 300;
    const Colours colours = coloursOf(Family::Command1, index);
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, painter_->brush(colorRef(*colours.background)));
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const Border border =
        down ? kButtonFace.pressed : (focused ? kButtonFace.focused : kButtonFace.normal);
    const int width = MulDiv(border.width, static_cast<int>(dpi_), 96);
    const HBRUSH edge = painter_->brush(colorRef(border.colour));
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &r, edge);
        InflateRect(&r, -1, -1);
    }
    if (focused) {
        RECT ring = item.rcItem;
        const int inset = MulDiv(kButtonFocusRing.inset, static_cast<int>(dpi_), 96);
        InflateRect(&ring, -inset, -inset);
        const HBRUSH black = painter_->brush(colorRef(kTextOnFixedColour));
        for (int i = 0; i < MulDiv(kButtonFocusRing.width, static_cast<int>(dpi_), 96); ++i) {
            FrameRect(dc, &ring, black);
            InflateRect(&ring, -1, -1);
        }
    }
    wchar_t text[32];
    const int length = GetWindowTextW(item.hwndItem, text, 32);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(*colours.text));
    const HGDIOBJ old = SelectObject(dc, painter_->windowFont());
    RECT all = item.rcItem;
    DrawTextW(dc, text, length, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

// The background, and the assignment's focus ring just outside it.
void MainWindow::paintWindow() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, painter_->brush(colorRef(kWindowStyle.background)));
    if (GetFocus() == Text1) {
        RECT r{};
        GetWindowRect(Text1, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        const int width = MulDiv(kBoxFocusRing.width, static_cast<int>(dpi_), 96);
        InflateRect(&r, width, width);
        const HBRUSH black = painter_->brush(colorRef(kTextOnFixedColour));
        for (int i = 0; i < width; ++i) {
            FrameRect(dc, &r, black);
            InflateRect(&r, -1, -1);
        }
    }
    EndPaint(hwnd_, &ps);
}

// A computed box is disabled and gets no mouse input of its own: its menu is asked for here.
void MainWindow::offerCopy(POINT screen) {
    POINT client = screen;
    ScreenToClient(hwnd_, &client);
    const HWND child = ChildWindowFromPointEx(hwnd_, client, CWP_SKIPINVISIBLE);
    const int id = child == nullptr ? 0 : GetDlgCtrlID(child);
    if (id < 100 || id >= 100 + kBoxCount || IsWindowEnabled(child)) {
        return;
    }
    boxes_[static_cast<std::size_t>(id - 100)]->showMenu(screen);
}

bool MainWindow::preTranslate(MSG& msg) {
    // Enter presses a focused button, as Space does; from a box it presses nothing.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
        (msg.hwnd == Command1[0] || msg.hwnd == Command1[1])) {
        if ((GetKeyState(VK_CONTROL) & 0x8000) == 0 && (GetKeyState(VK_SHIFT) & 0x8000) == 0) {
            SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        }
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // Back in the window, the keyboard is where it was left, not on the window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd_, focus)) {
                focusBefore_ = focus;
            }
        } else if (HIWORD(wParam) == 0 && focusBefore_ != nullptr && IsChild(hwnd_, focusBefore_)) {
            SetFocus(focusBefore_);
            return 0;
        }
        break;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return onColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        onDrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT:
        paintWindow();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            // A box's own tool names the box; the tool over a disabled box, which gets no
            // mouse input of its own, carries the box's id.
            const int id = (info->uFlags & TTF_IDISHWND) != 0
                               ? GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom))
                               : static_cast<int>(header->idFrom);
            tip_ = id >= 100 && id < 100 + kBoxCount
                       ? boxes_[static_cast<std::size_t>(id - 100)]->tooltipText()
                       : std::wstring();
            info->lpszText = tip_.data();
            return 0;
        }
        break;
    }
    case WM_CONTEXTMENU:
        offerCopy({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_RBUTTONUP: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd_, &screen);
        offerCopy(screen);
        return 0;
    }
    case WM_SETTINGCHANGE:
        // The user changed the Region settings: the next Calculate writes in them.
        if (lParam != 0 && std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == L"intl") {
            controller_->setNumberFormat(formats_());
        }
        break;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        place();
        applyFonts();
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace isosceles
