#include "editor/EditorWindow_win.h"

#include <vector>

#include "editor/EditorLayout.h"
#include "model/ActionCatalog.h"
#include "model/Error.h"
#include "model/Names.h"
#include "widgets/DialogKeys_win.h"
#include "widgets/Dpi_win.h"
#include "widgets/FlatLook.h"
#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

namespace {

using namespace keytide::editor;

constexpr int kOpenListEntries = 16;

const widgets::Color kBackgroundTop = widgets::Rgb(0x00, 0x98, 0xE1);
const widgets::Color kBackgroundBottom = widgets::Rgb(0xC4, 0xEC, 0xFF);
const widgets::Color kPanelOutline = widgets::Rgb(0x00, 0x5A, 0x87);
const widgets::Color kWindowEdgeDark = widgets::Rgb(0x00, 0x3B, 0x5C);

const FontStyle kKeyFont{"Arial", 16, true};
const FontStyle kButtonFont{"Arial", 13, true};
const FontStyle kCaptionFont{"Arial", 11, true};

const ControlPlace& PlaceOf(int id) {
    static const std::vector<ControlPlace> places = [] {
        std::vector<ControlPlace> all(kControls.begin(), kControls.end());
        all.insert(all.end(), kAssignmentControls.begin(), kAssignmentControls.end());
        return all;
    }();
    for (const ControlPlace& place : places) {
        if (place.id == id) return place;
    }
    throw KeytideError("The editor has no control " + std::to_string(id));
}

RECT ToRect(const widgets::Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

void MoveControl(HWND control, const RECT& bounds) {
    SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int EditorWindow::Scale(int pixels) const { return widgets::ScaleToDpi(pixels, dpi_); }

RECT EditorWindow::Bounds(int id) const { return ToRect(ScaleControl(PlaceInParent(PlaceOf(id)), dpi_)); }

void EditorWindow::Create(HICON programIcon) {
    CreateParams params{};
    params.className = names::kEditorWindowClass;
    params.title = names::kEditorWindowTitle;
    params.style = WS_POPUP | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_APPWINDOW;
    params.width = kWindowWidth;
    params.height = kWindowHeight;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    params.background = GetSysColorBrush(COLOR_BTNFACE);
    params.icon = programIcon;  // on the taskbar button
    PaintedWindow::Create(params);
}

void EditorWindow::Build(AssignmentEditor& editor) {
    editor_ = &editor;
    dpi_ = WindowDpi(hwnd());

    widgets::GradientPanel& gradient = background_.Properties();
    gradient.SetBeginColor(kBackgroundTop);
    gradient.SetEndColor(kBackgroundBottom);
    gradient.SetStyle(widgets::GradientStyle::Vertical);
    gradient.SetSunkenFrame(true);

    CreateControls();
    ApplyDpi(dpi_, nullptr);
    EnableDialogKeys(hwnd());
}

void EditorWindow::CreateControls() {
    // Created in tab order: the keypad, its switches, the assignment, the buttons.
    titleBar_.Create(hwnd(), ToRect(ScaleRect(kTitleBar, dpi_)), "Keytide");
    HWND bar = titleBar_.hwnd();
    helpButton_.Create(bar, kHelpButton, PlaceOf(kHelpButton).caption, Bounds(kHelpButton));
    minimizeButton_.Create(bar, kMinimizeButton, PlaceOf(kMinimizeButton).caption, Bounds(kMinimizeButton));
    closeButton_.Create(bar, kCloseButton, PlaceOf(kCloseButton).caption, Bounds(kCloseButton));
    for (FlatButton* button : {&helpButton_, &minimizeButton_, &closeButton_}) {
        button->SetFont(kButtonFont);
        button->SetHandCursor(true);
    }

    for (const ControlPlace& place : kControls) {
        if (place.area != Area::Keypad) continue;
        if (const std::optional<int> slot = SlotOfControl(place.id)) {
            FlatToggleButton& key = keys_[static_cast<std::size_t>(*slot)];
            key.CreateKey(hwnd(), place.id, place.caption, Bounds(place.id));
            key.SetFont(kKeyFont);
            key.SetHandCursor(true);
        } else if (place.id == kNumLockLabel || place.id == kEnterLabel) {
            FlatButton& label = place.id == kNumLockLabel ? numLockLabel_ : enterLabel_;
            label.Create(hwnd(), place.id, place.caption, Bounds(place.id));
            label.SetFont(kButtonFont);  // "Enter" fits the key's width
            EnableWindow(label.hwnd(), FALSE);  // shows the key, takes no click and no focus
        }
    }
    for (FlatToggleButton& key : keys_) keypad_.Add(key);
    activeButton_.CreateSwitch(hwnd(), kActiveButton, PlaceOf(kActiveButton).caption, Bounds(kActiveButton));
    FlatRadioGroup::EndBefore(activeButton_.hwnd());
    osdButton_.CreateSwitch(hwnd(), kOsdButton, PlaceOf(kOsdButton).caption, Bounds(kOsdButton));
    activeButton_.SetChecked(true);
    osdButton_.SetChecked(true);
    activeButton_.SetHandCursor(true);
    osdButton_.SetHandCursor(true);

    actionOption_.Create(hwnd(), kActionOption, PlaceOf(kActionOption).caption, Bounds(kActionOption));
    kinds_.Add(actionOption_);
    actionList_.Create(hwnd(), kActionList, Bounds(kActionList), kOpenListEntries);
    std::vector<std::string> entries;
    for (const CatalogEntry& entry : kActionCatalog) entries.emplace_back(entry.text);
    actionList_.SetEntries(entries);  // in catalogue order: the position is the stored index
    runFileOption_.Create(hwnd(), kRunFileOption, PlaceOf(kRunFileOption).caption, Bounds(kRunFileOption));
    kinds_.Add(runFileOption_);
    runFileField_.Create(hwnd(), kRunFileField, Bounds(kRunFileField), ES_READONLY);
    runFileButton_.Create(hwnd(), kRunFileButton, PlaceOf(kRunFileButton).caption, Bounds(kRunFileButton));
    addressOption_.Create(hwnd(), kAddressOption, PlaceOf(kAddressOption).caption, Bounds(kAddressOption));
    kinds_.Add(addressOption_);
    kinds_.Select(0);
    addressField_.Create(hwnd(), kAddressField, Bounds(kAddressField));
    labelField_.Create(hwnd(), kLabelField, Bounds(kLabelField));
    FlatRadioGroup::EndBefore(labelField_.hwnd());
    labelField_.LimitTyping(kLabelTypingLimit);

    settingsButton_.Create(hwnd(), kSettingsButton, PlaceOf(kSettingsButton).caption, Bounds(kSettingsButton));
    okButton_.Create(hwnd(), kOkButton, PlaceOf(kOkButton).caption, Bounds(kOkButton));
    cancelButton_.Create(hwnd(), kCancelButton, PlaceOf(kCancelButton).caption, Bounds(kCancelButton));
    for (FlatButton* button : {&runFileButton_, &settingsButton_, &okButton_, &cancelButton_}) {
        button->SetFont(kButtonFont);
        button->SetHandCursor(true);
    }

    hints_.Create(hwnd());
    auto hint = [&](HWND control, int id) {
        if (const char* text = PlaceOf(id).hint) hints_.Add(control, text);
    };
    hint(helpButton_.hwnd(), kHelpButton);
    hint(minimizeButton_.hwnd(), kMinimizeButton);
    hint(closeButton_.hwnd(), kCloseButton);
    for (std::size_t slot = 0; slot < keys_.size(); ++slot) hint(keys_[slot].hwnd(), kKeyFirst + static_cast<int>(slot));
    hint(activeButton_.hwnd(), kActiveButton);
    hint(osdButton_.hwnd(), kOsdButton);
    hint(actionOption_.hwnd(), kActionOption);
    hint(actionList_.hwnd(), kActionList);
    hint(runFileOption_.hwnd(), kRunFileOption);
    hint(runFileField_.hwnd(), kRunFileField);
    hint(runFileButton_.hwnd(), kRunFileButton);
    hint(addressOption_.hwnd(), kAddressOption);
    hint(addressField_.hwnd(), kAddressField);
    hint(labelField_.hwnd(), kLabelField);
    hint(settingsButton_.hwnd(), kSettingsButton);
    hint(okButton_.hwnd(), kOkButton);
    hint(cancelButton_.hwnd(), kCancelButton);
}

void EditorWindow::ApplyDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    const Size size = WindowSize(dpi_);
    int left = 0;
    int top = 0;
    if (suggested != nullptr) {
        left = suggested->left;
        top = suggested->top;
    } else {
        // Centred on its screen.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        left = monitor.rcMonitor.left + (monitor.rcMonitor.right - monitor.rcMonitor.left - size.width) / 2;
        top = monitor.rcMonitor.top + (monitor.rcMonitor.bottom - monitor.rcMonitor.top - size.height) / 2;
    }
    SetWindowPos(hwnd(), nullptr, left, top, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    captionFont_ = CreateFlatFont(kCaptionFont, dpi_);
    LayOut();
}

void EditorWindow::LayOut() {
    background_.Place(hwnd(), ToRect(ScaleRect(kBackground, dpi_)));
    MoveControl(titleBar_.hwnd(), ToRect(ScaleRect(kTitleBar, dpi_)));
    SendMessageA(titleBar_.hwnd(), kDpiChangedAfterParent, 0, 0);

    struct Placed {
        FlatControl* control;
        int id;
    };
    std::vector<Placed> buttons{{&helpButton_, kHelpButton},         {&minimizeButton_, kMinimizeButton},
                                {&closeButton_, kCloseButton},       {&numLockLabel_, kNumLockLabel},
                                {&enterLabel_, kEnterLabel},         {&activeButton_, kActiveButton},
                                {&osdButton_, kOsdButton},           {&actionOption_, kActionOption},
                                {&runFileOption_, kRunFileOption},   {&addressOption_, kAddressOption},
                                {&runFileButton_, kRunFileButton},   {&settingsButton_, kSettingsButton},
                                {&okButton_, kOkButton},             {&cancelButton_, kCancelButton}};
    for (std::size_t slot = 0; slot < keys_.size(); ++slot) {
        buttons.push_back({&keys_[slot], kKeyFirst + static_cast<int>(slot)});
    }
    for (const Placed& placed : buttons) {
        MoveControl(placed.control->hwnd(), Bounds(placed.id));
        placed.control->RefreshForDpi();
    }
    runFileField_.Place(Bounds(kRunFileField));
    addressField_.Place(Bounds(kAddressField));
    labelField_.Place(Bounds(kLabelField));
    for (FlatEdit* field : {&runFileField_, &addressField_, &labelField_}) field->RefreshForDpi();
    actionList_.Place(Bounds(kActionList));
    actionList_.RefreshForDpi();
    hints_.RefreshForDpi();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void EditorWindow::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // The window's own raised edge around the title bar and the background.
    FillSolid(dc, client, widgets::kFlatBlue);
    PaintShapes(dc, widgets::EdgeRingShapes(client.right, client.bottom, 0, widgets::kTitleBarBlue, kWindowEdgeDark));
    background_.Paint(dc);

    FrameSolid(dc, ToRect(ScaleRect(kKeypadPanel, dpi_)), kPanelOutline);
    FrameSolid(dc, ToRect(ScaleRect(kAssignmentPanel, dpi_)), kPanelOutline);

    const ControlPlace& caption = PlaceOf(kLabelCaption);
    const RECT at = Bounds(kLabelCaption);
    SelectedObject font(dc, captionFont_ ? static_cast<HGDIOBJ>(captionFont_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(widgets::kBlack));
    TextOutA(dc, at.left, at.top, caption.caption, static_cast<int>(std::char_traits<char>::length(caption.caption)));
    SetBkMode(dc, previousMode);
}

// ---------------------------------------------------------------------------
// What the editor shows.

void EditorWindow::ShowSelectedKey(int slot) { keypad_.Select(slot); }

void EditorWindow::ShowKind(AssignmentKind kind) { kinds_.Select(static_cast<int>(kind)); }

void EditorWindow::ShowAction(int index) {
    actionList_.Select(index);
    ShowActionHint(index);
}

void EditorWindow::ShowActionHint(int index) { hints_.SetText(actionList_.hwnd(), ActionListHint(index)); }

void EditorWindow::ShowFileName(const std::string& text) {
    filling_ = true;
    runFileField_.SetText(text);
    filling_ = false;
}

void EditorWindow::ShowAddress(const std::string& text) {
    filling_ = true;
    addressField_.SetText(text);
    filling_ = false;
}

void EditorWindow::ShowLabel(const std::string& text) {
    filling_ = true;
    labelField_.SetText(text);
    filling_ = false;
}

void EditorWindow::ShowSwitches(bool active, bool osd) {
    activeButton_.SetChecked(active);
    osdButton_.SetChecked(osd);
}

void EditorWindow::Show() {
    lastFocus_ = keys_[static_cast<std::size_t>(editor_->SelectedSlot())].hwnd();
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
}

void EditorWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void EditorWindow::SetEnabled(bool enabled) { EnableWindow(hwnd(), enabled ? TRUE : FALSE); }

// ---------------------------------------------------------------------------
// What the user does.

bool EditorWindow::OnCommand(int id, int code) {
    AssignmentEditor& editor = *editor_;
    if (const std::optional<int> slot = SlotOfControl(id)) {
        if (code == BN_CLICKED) editor.SelectKey(*slot);
        return true;
    }
    switch (id) {
    case kActionList:
        if (code == CBN_SETFOCUS) {
            editor.EnterActionList();
        } else if (code == CBN_SELENDOK || (code == CBN_SELCHANGE && !actionList_.IsOpen())) {
            // Moving through the open list is not yet a choice; closing it on
            // an entry, or the arrow keys on the closed list, are.
            editor.PickAction(actionList_.Selected());
            ShowActionHint(actionList_.Selected());
        } else if (code == CBN_SELENDCANCEL) {
            ShowAction(IsActionIndex(editor.Selected().actionIndex) ? editor.Selected().actionIndex : -1);
        }
        return true;
    case kAddressField:
        if (code == EN_SETFOCUS) {
            editor.EnterAddressField();
        } else if (code == EN_CHANGE && !filling_) {
            editor.TypeAddress(addressField_.Text());
        }
        return true;
    case kLabelField:
        if (code == EN_CHANGE && !filling_) editor.TypeLabel(labelField_.Text());
        return true;
    case kRunFileField:
        return true;  // read-only: the browse button fills it
    default:
        break;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
    case kActionOption:
        editor.ChooseKind(AssignmentKind::Action);
        return true;
    case kRunFileOption:
        editor.ChooseKind(AssignmentKind::RunFile);
        return true;
    case kAddressOption:
        editor.ChooseKind(AssignmentKind::GoToAddress);
        return true;
    case kRunFileButton:
        editor.BrowseForFile();
        return true;
    case kActiveButton:
        editor.SetActive(activeButton_.IsChecked());
        return true;
    case kOsdButton:
        editor.SetOsdEnabled(osdButton_.IsChecked());
        return true;
    case kSettingsButton:
        editor.OpenSettings();
        return true;
    case kOkButton:
        editor.Ok();
        return true;
    case kCancelButton:
    case kCloseButton:
    case IDCANCEL:  // Esc
        editor.Cancel();
        return true;
    case kMinimizeButton:
        // Still shown as far as the keys are concerned: IsWindowVisible stays true.
        ShowWindow(hwnd(), SW_MINIMIZE);
        return true;
    case kHelpButton:
        if (openHelpMenu_) {
            POINT at{};
            GetCursorPos(&at);
            openHelpMenu_(at);
        }
        return true;
    default:
        return false;
    }
}

void EditorWindow::OnActivate(bool active, bool minimized) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd(), focus)) lastFocus_ = focus;
        return;
    }
    if (minimized) return;
    HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                      ? lastFocus_
                      : keys_[static_cast<std::size_t>(editor_->SelectedSlot())].hwnd();
    SetFocus(target);
}

void EditorWindow::OnCloseRequest() {
    // Hidden there is nothing to cancel; disabled, the settings dialog is up
    // and closes first.
    if (editor_ != nullptr && IsWindowVisible(hwnd()) && IsWindowEnabled(hwnd())) editor_->Cancel();
}

std::optional<LRESULT> EditorWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (editor_ == nullptr) return std::nullopt;  // not built yet
    if (std::optional<LRESULT> reflected = ReflectToFlatControls(message, wParam, lParam)) return *reflected;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
        return std::nullopt;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
        return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (menuMessages_) return menuMessages_(message, wParam, lParam);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

}  // namespace keytide::win32
