#include "settings/SettingsDialog.h"

#include "model/Error.h"
#include "model/Names.h"
#include "settings/SettingChoices.h"

namespace keytide {

namespace {

// Settings or const Settings: the field behind a check box.
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

std::optional<std::string> Chosen(const std::string& fontName) {
    return fontName.empty() ? std::nullopt : std::optional<std::string>(fontName);
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

ControlValue ValueOf(const Settings& settings, SettingsControl control, const std::vector<std::string>& fonts) {
    switch (control) {
    case SettingsControl::Font: return PositionOf(fonts, Chosen(settings.fontName));
    case SettingsControl::Size: return PositionOf(kSizeChoices, settings.osdSize);
    case SettingsControl::BarStyle: return PositionOf(kBarStyleChoices, settings.barStyle);
    case SettingsControl::TimeOut: return PositionOf(kTimeOutChoices, settings.timeOutSeconds);
    case SettingsControl::Color: return settings.osdColor;
    default: return CheckField(settings, control) ? 1 : 0;
    }
}

void AssignValue(Settings& settings, SettingsControl control, ControlValue value,
                 const std::vector<std::string>& fonts) {
    switch (control) {
    case SettingsControl::Font: settings.fontName = ChoiceAt(fonts, value).value_or(""); break;
    case SettingsControl::Size: settings.osdSize = ChoiceAt(kSizeChoices, value); break;
    case SettingsControl::BarStyle: settings.barStyle = ChoiceAt(kBarStyleChoices, value); break;
    case SettingsControl::TimeOut: settings.timeOutSeconds = ChoiceAt(kTimeOutChoices, value); break;
    case SettingsControl::Color: settings.osdColor = static_cast<ColorValue>(value); break;
    default: CheckField(settings, control) = value != 0; break;
    }
}

SettingsDialog::SettingsDialog(Settings& settings, const std::vector<std::string>& installedFonts,
                               SettingsStore& store, SettingsDialogServices services)
    : settings_(settings), installedFonts_(installedFonts), store_(store), services_(services) {}

void SettingsDialog::Open() {
    services_.host.EnableEditor(false);
    // The settings may have changed since the window last showed them (the
    // start-up load, a failed load): the controls take them again.
    services_.view.ShowValues(settings_, installedFonts_);
    services_.view.Show();
}

void SettingsDialog::Change(SettingsControl control, ControlValue value) {
    AssignValue(settings_, control, value, installedFonts_);
}

void SettingsDialog::ChooseOsdColor() {
    if (const std::optional<ColorValue> chosen = services_.colors.Choose(settings_.osdColor)) {
        settings_.osdColor = *chosen;
        services_.view.ShowValues(settings_, installedFonts_);
    }
}

void SettingsDialog::Preview() { services_.preview.Preview(settings_); }

void SettingsDialog::Confirm() {
    // A failure ends OK with the window up and the editor still disabled
    // behind it, so that the window's Cancel is still the way back.
    store_.Save();
    store_.SetAutoLoad(settings_.autoLoad);
    services_.host.EnableEditor(true);
    services_.view.Hide();
    services_.host.SettingsChanged();
}

void SettingsDialog::Dismiss() {
    services_.host.EnableEditor(true);
    services_.view.Hide();
    const std::vector<std::string> problems = store_.Load();
    services_.view.ShowValues(settings_, installedFonts_);
    for (const std::string& problem : problems) services_.messages.ShowError(names::kProgramTitle, platform::ErrorBoxText(problem));
}

}  // namespace keytide
