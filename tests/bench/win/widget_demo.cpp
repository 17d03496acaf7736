// The widget demo: a 521 x 280 borderless window laid out like the assignment
// editor, built from the program's own widget layer: the gradient background
// with its sunken edge, the title bar, flat push and toggle buttons (the
// keypad is one group), flat option buttons and a check box on the gradient,
// flat hints and the flat popup menu ("?" opens it).
//
//   widget_demo [--seconds N] [--menu] [--hint] [--check <report file>]
//     --seconds N  closes itself after N seconds
//     --menu       opens the tray-style menu at the window's top right
//     --hint       rests the mouse on "Ok" so that its hint shows
//     --check F    looks at its own window on the screen, writes what it found
//                  to F and ends: exit code 0 when everything was as expected
//
// It borrows keytide.exe's manifest (beside it) so that it runs with the same
// common controls as the program.
#include <windows.h>
// commctrl.h needs windows.h before it
#include <commctrl.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "GuiObjects.h"
#include "platform/win32/WindowBase.h"
#include "widgets/Dpi_win.h"
#include "widgets/FlatButton_win.h"
#include "widgets/FlatCheck_win.h"
#include "widgets/FlatMenu_win.h"
#include "widgets/FlatTooltip_win.h"
#include "widgets/GradientPanel_win.h"
#include "widgets/TitleBar_win.h"

using namespace keytide;
using namespace keytide::win32;
using widgets::Color;
using widgets::Rgb;

namespace {

constexpr int kWidth = 521;
constexpr int kHeight = 280;
const Color kBackgroundBegin = Rgb(0x00, 0x98, 0xE1);
const Color kBackgroundEnd = Rgb(0xC4, 0xEC, 0xFF);
const RECT kKeypadPanel{8, 32, 8 + 179, 32 + 241};
const RECT kAssignmentPanel{192, 32, 192 + 321, 32 + 209};

enum ControlId : int {
    kKeyFirst = 100,  // the fifteen keys, in keypad reading order
    kHelp = 200,
    kMinimize,
    kClose,
    kNumLock,
    kEnter,
    kActive,
    kOsd,
    kAction,
    kRunFile,
    kAddress,
    kShowHints,
    kActionList,
    kFileField,
    kBrowse,
    kAddressField,
    kLabelField,
    kSettings,
    kOk,
    kCancel,
};

enum TimerId : UINT_PTR { kQuitTimer = 1, kMenuTimer, kHintTimer, kCheckTimer };

struct KeyPlace {
    const char* caption;
    int left, top, width, height;
};
// Inside the keypad panel.
constexpr std::array<KeyPlace, 15> kKeys = {{
    {"/", 48, 8, 41, 41},
    {"*", 88, 8, 41, 41},
    {"-", 128, 8, 41, 41},
    {"7", 8, 48, 41, 41},
    {"8", 48, 48, 41, 41},
    {"9", 88, 48, 41, 41},
    {"+", 128, 48, 41, 81},
    {"4", 8, 88, 41, 41},
    {"5", 48, 88, 41, 41},
    {"6", 88, 88, 41, 41},
    {"1", 8, 128, 41, 41},
    {"2", 48, 128, 41, 41},
    {"3", 88, 128, 41, 41},
    {"0", 8, 168, 81, 41},
    {".", 88, 168, 41, 41},
}};

struct Options {
    int seconds = 0;
    bool menu = false;
    bool hint = false;
    std::string checkReport;
};

class DemoWindow final : public WindowBase {
public:
    explicit DemoWindow(const Options& options) : options_(options) {}
    void Create();

    // For the self-check.
    GradientPanelView& Background() { return background_; }
    FlatToggleButton& Key(int slot) { return keys_[static_cast<std::size_t>(slot)]; }
    FlatToggleButton& ActiveButton() { return active_; }
    FlatOptionButton& RunFileOption() { return runFile_; }
    FlatOptionButton& ActionOption() { return action_; }
    FlatCheckBox& ShowHintsBox() { return showHints_; }
    FlatButton& OkButton() { return ok_; }
    FlatButton& SettingsButton() { return settings_; }
    FlatTooltip& Hints() { return hints_; }
    int Scale(int pixels) const { return widgets::ScaleToDpi(pixels, dpi_); }
    RECT Scaled(int left, int top, int width, int height) const {
        return {Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
    }
    std::function<void()> onCheck;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND Field(const char* className, DWORD style, int id, const RECT& bounds);
    void Paint(HDC dc);
    void ShowMenu(HMENU menu, POINT at);
    void RestMouseOn(HWND control);

    Options options_;
    int dpi_ = 96;
    GradientPanelView background_;
    TitleBar titleBar_;
    FlatButton help_, minimize_, close_;
    std::array<FlatToggleButton, 15> keys_;
    FlatToggleGroup keypad_;
    FlatButton numLock_, enter_;
    FlatToggleButton active_, osd_;
    FlatOptionButton action_, runFile_, address_;
    FlatOptionGroup kinds_;
    FlatCheckBox showHints_;
    FlatButton browse_, settings_, ok_, cancel_;
    FlatTooltip hints_;
    FlatMenuLook menuLook_;
    UniqueHmenu helpMenu_, trayMenu_;
    UniqueHfont fieldFont_, labelFont_;
};

HWND DemoWindow::Field(const char* className, DWORD style, int id, const RECT& bounds) {
    HWND field = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | style, bounds.left,
                                 bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont_.get()), FALSE);
    return field;
}

void DemoWindow::Create() {
    {
        WindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    const int width = Scale(kWidth);
    const int height = Scale(kHeight);
    CreateParams params{};
    params.className = "KeytideWidgetDemo";
    params.title = "Keytide";
    params.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    params.width = width;
    params.height = height;
    WindowBase::Create(params);

    fieldFont_ = CreateFlatFont(FontStyle{"Arial", 13, false}, dpi_);
    labelFont_ = CreateFlatFont(FontStyle{"Arial", 11, true}, dpi_);

    background_.Place(hwnd(), {0, 0, width, height});
    widgets::GradientPanel& gradient = background_.Properties();
    gradient.SetBeginColor(kBackgroundBegin);
    gradient.SetEndColor(kBackgroundEnd);
    gradient.SetStyle(widgets::GradientStyle::Vertical);
    gradient.SetSunkenFrame(true);

    titleBar_.Create(hwnd(), Scaled(2, 2, 517, 24), "Keytide");
    const FontStyle titleButtonFont{"Arial", 13, true};
    help_.Create(titleBar_.hwnd(), kHelp, "?", Scaled(460, 4, 17, 16));
    minimize_.Create(titleBar_.hwnd(), kMinimize, "-", Scaled(478, 4, 17, 16));
    close_.Create(titleBar_.hwnd(), kClose, "X", Scaled(496, 4, 17, 16));
    for (FlatButton* button : {&help_, &minimize_, &close_}) {
        button->SetFont(titleButtonFont);
        button->SetHandCursor(true);
    }

    const int px = kKeypadPanel.left;
    const int py = kKeypadPanel.top;
    numLock_.Create(hwnd(), kNumLock, "NL", Scaled(px + 8, py + 8, 41, 41));
    enter_.Create(hwnd(), kEnter, "Enter", Scaled(px + 128, py + 128, 41, 81));
    EnableWindow(numLock_.hwnd(), FALSE);
    EnableWindow(enter_.hwnd(), FALSE);
    for (std::size_t slot = 0; slot < kKeys.size(); ++slot) {
        const KeyPlace& place = kKeys[slot];
        keys_[slot].Create(hwnd(), kKeyFirst + static_cast<int>(slot), place.caption,
                           Scaled(px + place.left, py + place.top, place.width, place.height));
        keys_[slot].SetFont(FontStyle{"Arial", 16, true});
        keypad_.Add(keys_[slot]);
    }
    keypad_.Select(0);
    active_.Create(hwnd(), kActive, "Active", Scaled(px + 8, py + 214, 81, 19));
    osd_.Create(hwnd(), kOsd, "OSD", Scaled(px + 88, py + 214, 81, 19));
    active_.SetDown(true);
    osd_.SetDown(true);

    const int ax = kAssignmentPanel.left;
    const int ay = kAssignmentPanel.top;
    action_.Create(hwnd(), kAction, "Action", Scaled(ax + 8, ay + 8, 57, 17));
    HWND actionList = Field("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, kActionList, Scaled(ax + 8, ay + 24, 305, 200));
    for (const char* entry : {"Active Application - Close", "Mute", "Volume Down", "Volume Up", "Winamp Play/Pause",
                              "Open Shutdown dialog"}) {
        SendMessageA(actionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    SendMessageA(actionList, CB_SETCURSEL, 3, 0);
    runFile_.Create(hwnd(), kRunFile, "Run file", Scaled(ax + 8, ay + 64, 65, 17));
    HWND file = Field("EDIT", ES_AUTOHSCROLL | ES_READONLY, kFileField, Scaled(ax + 8, ay + 80, 281, 20));
    SetWindowTextA(file, "C:\\Windows\\notepad.exe");
    browse_.Create(hwnd(), kBrowse, "...", Scaled(ax + 296, ay + 80, 17, 20));
    address_.Create(hwnd(), kAddress, "Go to adress", Scaled(ax + 8, ay + 112, 97, 17));
    HWND address = Field("EDIT", ES_AUTOHSCROLL, kAddressField, Scaled(ax + 8, ay + 128, 305, 20));
    SetWindowTextA(address, "http://www.example.com/");
    HWND label = Field("EDIT", ES_AUTOHSCROLL, kLabelField, Scaled(ax + 72, ay + 168, 241, 20));
    SendMessageA(label, EM_LIMITTEXT, 8, 0);
    SetWindowTextA(label, "Vol+");
    for (FlatOptionButton* option : {&action_, &runFile_, &address_}) kinds_.Add(*option);
    kinds_.Select(0);
    showHints_.Create(hwnd(), kShowHints, "Show hints", Scaled(ax + 216, ay + 8, 97, 17));
    showHints_.SetChecked(true);

    settings_.Create(hwnd(), kSettings, "Settings...", Scaled(192, 248, 73, 25));
    ok_.Create(hwnd(), kOk, "Ok", Scaled(376, 248, 65, 25));
    cancel_.Create(hwnd(), kCancel, "Cancel", Scaled(448, 248, 65, 25));
    for (FlatButton* button : {&settings_, &ok_, &cancel_, &browse_}) {
        button->SetFont(FontStyle{"Arial", 13, true});
        button->SetHandCursor(true);
    }

    hints_.Create(hwnd());
    hints_.Add(help_.hwnd(), "Help menu");
    hints_.Add(minimize_.hwnd(), "Minimize");
    hints_.Add(close_.hwnd(), "Closes this window, without saving any changes you have made");
    for (FlatToggleButton& key : keys_) hints_.Add(key.hwnd(), "Select the destination key");
    hints_.Add(active_.hwnd(), "Activate/Deactivate Keytide");
    hints_.Add(osd_.hwnd(), "Activate/Deactivate OSD (On Screen Display)");
    hints_.Add(action_.hwnd(), "Choose from a set of pre-defined actions");
    hints_.Add(actionList, "Choose from a set of pre-defined actions");
    hints_.Add(runFile_.hwnd(), "Select a file on your computer");
    hints_.Add(browse_.hwnd(), "Select a file on your computer");
    hints_.Add(address_.hwnd(), "Type in a Web site address");
    hints_.Add(address, "Type in a Web site address");
    hints_.Add(label, "OSD (On Screen Display) label");
    hints_.Add(showHints_.hwnd(), "Show or hide these hints");
    hints_.Add(settings_.hwnd(), "Keytide settings");
    hints_.Add(ok_.hwnd(), "Closes this window, and saves any changes you have made");
    hints_.Add(cancel_.hwnd(), "Closes this window, without saving any changes you have made");

    helpMenu_.reset(CreatePopupMenu());
    AppendMenuA(helpMenu_.get(), MF_STRING, 1, "Help");
    AppendMenuA(helpMenu_.get(), MF_STRING, 2, "About...");
    menuLook_.Apply(helpMenu_.get());
    trayMenu_.reset(CreatePopupMenu());
    AppendMenuA(trayMenu_.get(), MF_STRING, 10, "Show...");
    AppendMenuA(trayMenu_.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(trayMenu_.get(), MF_STRING | MF_CHECKED, 11, "Active");
    AppendMenuA(trayMenu_.get(), MF_STRING | MF_CHECKED, 12, "OSD Enabled");
    AppendMenuA(trayMenu_.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(trayMenu_.get(), MF_STRING, 13, "Help");
    AppendMenuA(trayMenu_.get(), MF_STRING, 14, "About...");
    AppendMenuA(trayMenu_.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(trayMenu_.get(), MF_STRING, 15, "Exit");
    menuLook_.Apply(trayMenu_.get());

    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    SetFocus(keys_[0].hwnd());

    if (options_.seconds > 0) SetTimer(hwnd(), kQuitTimer, static_cast<UINT>(options_.seconds) * 1000, nullptr);
    if (options_.menu) SetTimer(hwnd(), kMenuTimer, 500, nullptr);
    if (options_.hint) SetTimer(hwnd(), kHintTimer, 300, nullptr);
    if (!options_.checkReport.empty()) SetTimer(hwnd(), kCheckTimer, 800, nullptr);
}

void DemoWindow::Paint(HDC dc) {
    background_.Paint(dc);
    const RECT keypad = Scaled(kKeypadPanel.left, kKeypadPanel.top, 179, 241);
    const RECT assignment = Scaled(kAssignmentPanel.left, kAssignmentPanel.top, 321, 209);
    FrameSolid(dc, keypad, widgets::kFlatBlue);
    FrameSolid(dc, assignment, widgets::kFlatBlue);
    SelectedObject font(dc, labelFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(widgets::kBlack));
    TextOutA(dc, Scale(kAssignmentPanel.left + 8), Scale(kAssignmentPanel.top + 171), "OSD Label:", 10);
}

void DemoWindow::ShowMenu(HMENU menu, POINT at) {
    SetForegroundWindow(hwnd());
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void DemoWindow::RestMouseOn(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    // Wine does not always turn a moved cursor into a mouse message; the hint
    // starts its wait at the control's first mouse move.
    PostMessageA(control, WM_MOUSEMOVE, 0,
                 MAKELPARAM((bounds.right - bounds.left) / 2, (bounds.bottom - bounds.top) / 2));
}

LRESULT DemoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> reflected = ReflectToFlatControls(message, wParam, lParam)) return *reflected;
    if (std::optional<LRESULT> menu = menuLook_.HandleMessage(message, wParam, lParam)) return *menu;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the gradient covers the client area
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        if (HDC dc = BeginPaint(hwnd(), &paint)) {
            Paint(dc);
            EndPaint(hwnd(), &paint);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kHelp: {
            RECT bounds{};
            GetWindowRect(help_.hwnd(), &bounds);
            ShowMenu(helpMenu_.get(), {bounds.left, bounds.bottom});
            return 0;
        }
        case kMinimize:
            ShowWindow(hwnd(), SW_MINIMIZE);
            return 0;
        case kShowHints:
            SendMessageA(hints_.hwnd(), TTM_ACTIVATE, showHints_.IsChecked(), 0);
            return 0;
        case kClose:
        case kOk:
        case kCancel:
        case IDOK:
        case IDCANCEL:
        case 15:  // the menu's Exit
            PostMessageA(hwnd(), WM_CLOSE, 0, 0);
            return 0;
        default:
            return 0;
        }
    case WM_TIMER:
        KillTimer(hwnd(), wParam);
        if (wParam == kQuitTimer) {
            EndMenu();
            PostMessageA(hwnd(), WM_CLOSE, 0, 0);
        } else if (wParam == kMenuTimer) {
            RECT bounds{};
            GetWindowRect(hwnd(), &bounds);
            ShowMenu(trayMenu_.get(), {bounds.right - Scale(150), bounds.top + Scale(40)});
        } else if (wParam == kHintTimer) {
            RestMouseOn(ok_.hwnd());
        } else if (wParam == kCheckTimer && onCheck) {
            onCheck();
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Self-check: what the screen shows of the window, and what the controls do.

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
    Color At(int x, int y) const {      // as 0x00BBGGRR
        const std::uint32_t p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
        return Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Screen CaptureScreen() {
    Screen screen;
    screen.width = GetSystemMetrics(SM_CXSCREEN);
    screen.height = GetSystemMetrics(SM_CYSCREEN);
    screen.pixels.resize(static_cast<std::size_t>(screen.width) * static_cast<std::size_t>(screen.height));
    WindowDc source(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(source.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = screen.width;
    info.bmiHeader.biHeight = -screen.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueHbitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return screen;
    {
        SelectedObject selected(dc.get(), bitmap.get());
        BitBlt(dc.get(), 0, 0, screen.width, screen.height, source.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::copy(first, first + screen.pixels.size(), screen.pixels.begin());
    return screen;
}

// Lets paints and the window surface reach the screen.
void Settle(int milliseconds) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (GetTickCount() < until) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

std::string Hex(Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", widgets::RedOf(color), widgets::GreenOf(color),
                  widgets::BlueOf(color));
    return text;
}

class Checker {
public:
    void Expect(bool good, const std::string& what) {
        report_ += (good ? "ok:    " : "FAULT: ") + what + "\r\n";
        if (!good) ++faults_;
    }
    void Note(const std::string& what) { report_ += "note:  " + what + "\r\n"; }
    void ExpectColor(Color seen, Color wanted, const std::string& what) {
        Expect(seen == wanted, what + ": " + Hex(seen) + (seen == wanted ? "" : ", expected " + Hex(wanted)));
    }
    int faults() const { return faults_; }
    const std::string& report() const { return report_; }

private:
    std::string report_;
    int faults_ = 0;
};

bool IsDown(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Presses a mouse button at `from`, moves to `to` and lets go there, from a
// second thread as a user's hand would, while this thread goes on handling
// messages (a left press on the title bar starts the system's move loop,
// which only ends at the button's release).
void Drag(POINT from, POINT to, bool left) {
    auto at = [](POINT point, DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        return input;
    };
    const DWORD down = left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    const DWORD up = left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    const POINT halfway{(from.x + to.x) / 2, (from.y + to.y) / 2};
    std::atomic<bool> done{false};
    std::thread hand([&] {
        INPUT steps[] = {at(from, 0), at(from, down), at(halfway, 0), at(to, 0), at(to, up)};
        for (INPUT& step : steps) {
            SendInput(1, &step, sizeof(INPUT));
            Sleep(80);
        }
        done = true;
    });
    const DWORD limit = GetTickCount() + 5000;
    while (!done && GetTickCount() < limit) Settle(20);
    hand.join();
    Settle(150);
}

POINT ScreenOrigin(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

void RunChecks(DemoWindow& demo, Checker& check) {
    Settle(300);
    const POINT origin = ScreenOrigin(demo.hwnd());
    const int dpi = WindowDpi(demo.hwnd());
    check.Note("window client area at " + std::to_string(origin.x) + "," + std::to_string(origin.y) + ", " +
               std::to_string(dpi) + " DPI");

    // The background, read back from the screen, row by row in a column no
    // control covers, against the portable picture of the same panel.
    Screen screen = CaptureScreen();
    check.Expect(!screen.pixels.empty(), "the screen could be read");
    if (screen.pixels.empty()) return;
    const RECT bounds = demo.Background().Bounds();
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    std::vector<Color> picture(static_cast<std::size_t>(width) * height, 0);
    for (const widgets::FilledShape& shape : demo.Background().Properties().Picture(width, height)) {
        for (int y = shape.bounds.top; y < shape.bounds.bottom; ++y) {
            for (int x = shape.bounds.left; x < shape.bounds.right; ++x) picture[y * width + x] = shape.color;
        }
    }
    const int freeColumn = width - 6;  // between the assignment panel and the edge
    int rowsChecked = 0;
    int rowsWrong = 0;
    std::string firstWrong;
    for (int y = demo.Scale(27); y < height - 2; ++y) {
        const Color seen = screen.At(origin.x + freeColumn, origin.y + y);
        const Color wanted = picture[y * width + freeColumn];
        ++rowsChecked;
        if (seen != wanted) {
            if (rowsWrong++ == 0)
                firstWrong = " (row " + std::to_string(y) + ": " + Hex(seen) + " not " + Hex(wanted) + ")";
        }
    }
    check.Expect(rowsWrong == 0,
                 "gradient rows on the screen match the computed bands: " + std::to_string(rowsChecked - rowsWrong) +
                     " of " + std::to_string(rowsChecked) + firstWrong);
    if (dpi == 96) {
        struct Expected {
            int y;
            Color color;
        };
        // 280 rows, 256 bands of #0098E1 -> #C4ECFF.
        for (const Expected& row : {Expected{30, Rgb(0x15, 0xA1, 0xE4)}, Expected{140, Rgb(0x62, 0xC2, 0xF0)},
                                    Expected{277, Rgb(0xC3, 0xEB, 0xFE)}}) {
            check.ExpectColor(screen.At(origin.x + freeColumn, origin.y + row.y), row.color,
                              "row " + std::to_string(row.y) + " of the background");
        }
    }
    const int middle = height / 2;
    check.ExpectColor(screen.At(origin.x, origin.y + middle), widgets::kGray, "outer edge, left");
    check.ExpectColor(screen.At(origin.x + 1, origin.y + middle), widgets::kBlack, "inner edge, left");
    check.ExpectColor(screen.At(origin.x + width - 1, origin.y + middle), widgets::kWhite, "outer edge, right");
    check.ExpectColor(screen.At(origin.x + width - 2, origin.y + middle), widgets::kSilver, "inner edge, right");
    check.ExpectColor(screen.At(origin.x + width / 2, origin.y + height - 1), widgets::kWhite, "outer edge, bottom");

    // The check box shows the gradient under it (it asks the window to print itself).
    RECT box{};
    GetWindowRect(demo.ShowHintsBox().hwnd(), &box);
    const int boxY = (box.top + box.bottom) / 2;
    check.ExpectColor(screen.At(box.right - 1, boxY), picture[(boxY - origin.y) * width + (box.right - 1 - origin.x)],
                      "the check box's right end shows the background");

    // Faces: Ok has no focus, the Active toggle is down, the focused key "/" is down too.
    RECT ok{};
    GetWindowRect(demo.OkButton().hwnd(), &ok);
    check.ExpectColor(screen.At(ok.left + 3, ok.top + 4), widgets::kFlatBlue, "Ok's face");
    check.ExpectColor(screen.At(ok.left, ok.top + 4), widgets::kBlack, "Ok's border");
    RECT active{};
    GetWindowRect(demo.ActiveButton().hwnd(), &active);
    check.ExpectColor(screen.At(active.left + 4, active.top + 3), widgets::kFlatBluePressed, "the Active toggle, down");
    RECT titleBar{origin.x + demo.Scale(300), origin.y + demo.Scale(14), 0, 0};
    check.ExpectColor(screen.At(titleBar.left, titleBar.top), widgets::kTitleBarBlue, "the title bar");

    // Focus moves the face to the lighter blue.
    SetFocus(demo.SettingsButton().hwnd());
    Settle(250);
    RECT settings{};
    GetWindowRect(demo.SettingsButton().hwnd(), &settings);
    screen = CaptureScreen();
    check.ExpectColor(screen.At(settings.left + 2, settings.top + 2), widgets::kFlatBlueFocused,
                      "Settings... with the focus");

    // The picture is kept: repaints copy it; only a new value redraws it.
    const int drawn = demo.Background().PictureDrawCount();
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(demo.hwnd(), nullptr, TRUE);
        UpdateWindow(demo.hwnd());
    }
    demo.Background().Properties().SetBeginColor(kBackgroundBegin);
    UpdateWindow(demo.hwnd());
    check.Expect(demo.Background().PictureDrawCount() == drawn,
                 "five repaints and setting the same colour drew the picture " +
                     std::to_string(demo.Background().PictureDrawCount() - drawn) + " more times (0 expected)");
    demo.Background().Properties().SetBeginColor(Rgb(0x00, 0x80, 0xC0));
    UpdateWindow(demo.hwnd());
    check.Expect(demo.Background().PictureDrawCount() == drawn + 1, "a new begin colour drew it once more");
    demo.Background().Properties().SetBeginColor(kBackgroundBegin);
    UpdateWindow(demo.hwnd());

    // Groups: exactly one key down; a second click keeps it down; the toggle flips.
    SendMessageA(demo.Key(8).hwnd(), BM_CLICK, 0, 0);
    SendMessageA(demo.Key(8).hwnd(), BM_CLICK, 0, 0);
    int down = 0;
    for (int slot = 0; slot < 15; ++slot) down += IsDown(demo.Key(slot).hwnd()) ? 1 : 0;
    check.Expect(IsDown(demo.Key(8).hwnd()) && down == 1,
                 "clicking key 5 twice leaves it the one key down (" + std::to_string(down) + " down)");
    SendMessageA(demo.ActiveButton().hwnd(), BM_CLICK, 0, 0);
    check.Expect(!IsDown(demo.ActiveButton().hwnd()), "a click puts the Active toggle up");
    SendMessageA(demo.RunFileOption().hwnd(), BM_CLICK, 0, 0);
    check.Expect(demo.RunFileOption().IsChecked() && !demo.ActionOption().IsChecked(),
                 "a click on Run file selects it and clears Action");
    check.Expect((GetWindowLongPtrA(demo.ActionOption().hwnd(), GWL_STYLE) & WS_TABSTOP) == 0 &&
                     (GetWindowLongPtrA(demo.RunFileOption().hwnd(), GWL_STYLE) & WS_TABSTOP) != 0,
                 "only the selected option is a tab stop");
    SetFocus(demo.RunFileOption().hwnd());
    SendMessageA(demo.RunFileOption().hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    check.Expect(IsDown(GetFocus()) && GetFocus() != demo.RunFileOption().hwnd(),
                 "the down arrow moves the choice to Go to adress");
    SendMessageA(demo.ShowHintsBox().hwnd(), BM_CLICK, 0, 0);
    check.Expect(!demo.ShowHintsBox().IsChecked(), "a click clears the check box");
    SendMessageA(demo.ShowHintsBox().hwnd(), BM_CLICK, 0, 0);
    check.Expect(demo.ShowHintsBox().IsChecked(), "a second click sets it again");

    // No GDI objects pile up while the controls and the background redraw.
    auto redrawAll = [&] {
        demo.Background().Properties().SetSteps(demo.Background().Properties().Steps() == 255 ? 64 : 255);
        RedrawWindow(demo.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    redrawAll();
    redrawAll();
    const bench::ObjectCount before = bench::GdiObjects(GetCurrentProcess());
    for (int i = 0; i < 40; ++i) redrawAll();
    const bench::ObjectCount after = bench::GdiObjects(GetCurrentProcess());
    if (before.count < 0 || after.count < 0) {
        check.Note("GDI objects could not be counted");
    } else {
        check.Expect(after.count <= before.count,
                     "GDI objects before and after 40 full redraws: " + std::to_string(before.count) + ", " +
                         std::to_string(after.count) + " (" + before.method + ")");
    }

    // The title bar: the left button drags the window, the right one does not.
    RECT placed{};
    GetWindowRect(demo.hwnd(), &placed);
    const POINT grip{placed.left + demo.Scale(150), placed.top + demo.Scale(14)};
    Drag(grip, {grip.x - 40, grip.y + 30}, false);
    RECT afterRight{};
    GetWindowRect(demo.hwnd(), &afterRight);
    check.Expect(EqualRect(&placed, &afterRight) != FALSE,
                 "dragging the title bar with the right button leaves the window");
    Drag(grip, {grip.x - 40, grip.y + 30}, true);
    Settle(200);
    RECT afterLeft{};
    GetWindowRect(demo.hwnd(), &afterLeft);
    check.Expect(afterLeft.left == placed.left - 40 && afterLeft.top == placed.top + 30,
                 "dragging the title bar with the left button moves the window by (-40, 30): it moved by (" +
                     std::to_string(afterLeft.left - placed.left) + ", " + std::to_string(afterLeft.top - placed.top) +
                     ")");

    // A hint: the tooltip, drawn flat.
    SendMessageA(demo.Hints().hwnd(), TTM_SETDELAYTIME, TTDT_INITIAL, 100);
    SendMessageA(demo.Hints().hwnd(), TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
    RECT okBounds{};
    GetWindowRect(demo.OkButton().hwnd(), &okBounds);
    SetForegroundWindow(demo.hwnd());
    SetCursorPos((okBounds.left + okBounds.right) / 2, (okBounds.top + okBounds.bottom) / 2);
    PostMessageA(demo.OkButton().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 12));
    Settle(900);
    const bool shown = IsWindowVisible(demo.Hints().hwnd()) != FALSE;
    check.Expect(shown, "resting the mouse on Ok shows its hint");
    if (shown) {
        RECT tip{};
        GetWindowRect(demo.Hints().hwnd(), &tip);
        screen = CaptureScreen();
        check.ExpectColor(screen.At(tip.left, tip.top), widgets::kBlack, "the hint's outline");
        check.ExpectColor(screen.At(tip.left + 2, tip.bottom - 3), widgets::kFlatBlue, "the hint's background");
        int white = 0;
        for (int y = tip.top; y < tip.bottom; ++y) {
            for (int x = tip.left; x < tip.right; ++x) white += screen.At(x, y) == widgets::kWhite ? 1 : 0;
        }
        check.Expect(white > 20, "the hint's text is white: " + std::to_string(white) + " white pixels");
    }
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            options.seconds = std::atoi(argv[++i]);
        } else if (argument == "--menu") {
            options.menu = true;
        } else if (argument == "--hint") {
            options.hint = true;
        } else if (argument == "--check" && i + 1 < argc) {
            options.checkReport = argv[++i];
        }
    }
    return options;
}

// The manifest of keytide.exe beside this program: common controls 6, DPI awareness.
bool UseTheProgramsManifest() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    program = program.substr(0, program.find_last_of("\\/") + 1) + "keytide.exe";
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    if (handle == INVALID_HANDLE_VALUE) return false;
    ULONG_PTR cookie = 0;
    return ActivateActCtx(handle, &cookie) != FALSE;  // active for the rest of the run
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    const bool manifest = UseTheProgramsManifest();
    std::printf("widget_demo: %s\n", manifest ? "common controls 6 through keytide.exe's manifest"
                                              : "keytide.exe's manifest not found: the system's common controls");
    Checker check;
    int exitCode = 0;
    try {
        DemoWindow demo(options);
        demo.onCheck = [&] {
            RunChecks(demo, check);
            PostMessageA(demo.hwnd(), WM_CLOSE, 0, 0);
        };
        demo.Create();
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (IsDialogMessageA(demo.hwnd(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } catch (const std::exception& error) {
        check.Expect(false, std::string("the demo failed: ") + error.what());
    }
    if (!options.checkReport.empty()) {
        if (FILE* out = std::fopen(options.checkReport.c_str(), "wb")) {
            std::fputs(check.report().c_str(), out);
            std::fclose(out);
        }
        std::fputs(check.report().c_str(), stdout);
        exitCode = check.faults() == 0 ? 0 : 1;
    }
    return exitCode;
}
