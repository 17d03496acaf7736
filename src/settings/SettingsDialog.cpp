#include "settings/SettingsDialog.h"

#include "platform/Error.h"
#include "platform/Names.h"

namespace keytide {

namespace {

// Settings or const Settings: the field behind a check box or a list.
template <typename SettingsT>
auto& CheckField(SettingsT& settings, SettingsControl control) {
    switch (control) {
    case SettingsControl::AutoLoad: return settings.autoLoad;
    case SettingsControl::WelcomeScreen: return settings.welcomeScreen;
    case SettingsControl::UseScrollLock: return settings.useScrollLock;
    case SettingsControl::AnimateTray: return settings.animateTray;
    case SettingsControl::Bold: return settings.bold;
    default: return settings.italic;
    }
}

template <typename SettingsT>
auto& ListField(SettingsT& settings, SettingsControl control) {
    switch (control) {
    case SettingsControl::Font: return settings.fontIndex;
    case SettingsControl::Size: return settings.osdSize;
    case SettingsControl::BarStyle: return settings.barStyle;
    default: return settings.timeOutIndex;
    }
}

int ListCount(const Settings& settings, SettingsControl control) {
    switch (control) {
    case SettingsControl::Font: return static_cast<int>(settings.fontNames.size());
    case SettingsControl::Size: return kSizeListCount;
    case SettingsControl::BarStyle: return kProgressBarStyleListCount;
    default: return kTimeOutListCount;
    }
}

}  // namespace

ControlKind KindOf(SettingsControl control) {
    switch (control) {
    case SettingsControl::Font:
    case SettingsControl::Size:
    case SettingsControl::BarStyle:
    case SettingsControl::TimeOut: return ControlKind::DropDownList;
    case SettingsControl::Color: return ControlKind::ColorSwatch;
    default: return ControlKind::CheckBox;
    }
}

ControlValue ValueOf(const Settings& settings, SettingsControl control) {
    switch (KindOf(control)) {
    case ControlKind::CheckBox: return CheckField(settings, control) ? 1 : 0;
    case ControlKind::DropDownList: return ListField(settings, control);
    case ControlKind::ColorSwatch: return settings.osdColor;
    }
    return 0;
}

void AssignValue(Settings& settings, SettingsControl control, ControlValue value) {
    switch (KindOf(control)) {
    case ControlKind::CheckBox:
        CheckField(settings, control) = value != 0;
        break;
    case ControlKind::DropDownList:
        ListField(settings, control) =
            value >= 0 && value < ListCount(settings, control) ? static_cast<int>(value) : kNoSelection;
        break;
    case ControlKind::ColorSwatch:
        settings.osdColor = static_cast<ColorValue>(value);
        break;
    }
}

SettingsDialog::SettingsDialog(Settings& settings, SettingsStore& store, SettingsDialogServices services)
    : settings_(settings), store_(store), services_(services) {}

void SettingsDialog::Open() {
    services_.host.EnableEditor(false);
    // The settings may have changed since the window last showed them (the
    // start-up load, a failed load): the controls take them again.
    services_.view.ShowValues(settings_);
    services_.view.Show();
}

void SettingsDialog::Change(SettingsControl control, ControlValue value) { AssignValue(settings_, control, value); }

void SettingsDialog::ChooseOsdColor() {
    if (const std::optional<ColorValue> chosen = services_.colors.Choose(settings_.osdColor)) {
        settings_.osdColor = *chosen;
        services_.view.ShowValues(settings_);
    }
}

void SettingsDialog::Preview() { services_.preview.Preview(settings_); }

void SettingsDialog::Confirm() {
    store_.Save();
    services_.host.EnableEditor(true);
    store_.SetAutoLoad(settings_.autoLoad);
    services_.view.Hide();
    if (settings_.useScrollLock) services_.host.SetScrollLockState(services_.host.IsActive());
    services_.host.UpdateNumLock();
}

void SettingsDialog::Dismiss() {
    services_.host.EnableEditor(true);
    services_.view.Hide();
    const std::vector<std::string> problems = store_.Load();
    services_.view.ShowValues(settings_);
    for (const std::string& problem : problems) services_.messages.ShowError(names::kProgramTitle, ErrorBoxText(problem));
}

}  // namespace keytide
