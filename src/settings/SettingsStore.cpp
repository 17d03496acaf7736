#include "settings/SettingsStore.h"

#include <algorithm>

#include "model/Error.h"
#include "platform/FilePath.h"
#include "settings/ColorCodec.h"
#include "settings/SettingChoices.h"

namespace keytide {

namespace {

constexpr char kSection[] = "Settings";
constexpr char kDefaultColorName[] = "clLime";

namespace key {
constexpr char kAutoLoad[] = "AutoLoad";
constexpr char kWelcomeScreen[] = "WelcomeScreen";
constexpr char kScrollLock[] = "ScrollLock";
constexpr char kAnimateSysTray[] = "AnimateSysTray";
constexpr char kFontName[] = "FontName";
constexpr char kBold[] = "Bold";
constexpr char kItalic[] = "Italic";
constexpr char kOSDSize[] = "OSDSize";
constexpr char kOSDColor[] = "OSDColor";
constexpr char kOSDProgressStyle[] = "OSDProgressStyle";
constexpr char kOSDTimeOut[] = "OSDTimeOut";
}  // namespace key

bool Installed(const std::vector<std::string>& fonts, const std::string& name) {
    return std::find(fonts.begin(), fonts.end(), name) != fonts.end();
}

// False when the file's encoding cannot hold the font name (the rest is written).
bool WriteSettings(ini::IniDocument& file, const Settings& s) {
    file.WriteBool(kSection, key::kAutoLoad, s.autoLoad);
    file.WriteBool(kSection, key::kWelcomeScreen, s.welcomeScreen);
    file.WriteBool(kSection, key::kScrollLock, s.useScrollLock);
    file.WriteBool(kSection, key::kAnimateSysTray, s.animateTray);
    const bool fontNameStored = file.WriteString(kSection, key::kFontName, s.fontName);
    file.WriteBool(kSection, key::kBold, s.bold);
    file.WriteBool(kSection, key::kItalic, s.italic);
    file.WriteInteger(kSection, key::kOSDSize, PositionOf(kSizeChoices, s.osdSize));
    // Colour names and "$" numbers are ASCII: every encoding holds them.
    (void)file.WriteString(kSection, key::kOSDColor, ColorToString(s.osdColor));
    file.WriteInteger(kSection, key::kOSDProgressStyle, PositionOf(kBarStyleChoices, s.barStyle));
    file.WriteInteger(kSection, key::kOSDTimeOut, PositionOf(kTimeOutChoices, s.timeOutSeconds));
    return fontNameStored;
}

}  // namespace

SettingsStore::SettingsStore(Settings& settings, const std::vector<std::string>& installedFonts, ConfigFile& iniFile,
                             platform::Registry& registry, std::string executablePath)
    : settings_(settings),
      installedFonts_(installedFonts),
      registry_(registry),
      executablePath_(std::move(executablePath)),
      iniFile_(iniFile, [this](ini::IniDocument& file) { (void)WriteSettings(file, held_); }) {}

std::vector<std::string> SettingsStore::Load() {
    std::vector<std::string> problems;
    const auto report = [&](const KeytideError& error) { problems.emplace_back(error.what()); };
    const ini::IniDocument file = iniFile_.Load();
    Settings& s = settings_;

    s.autoLoad = file.ReadBool(kSection, key::kAutoLoad, true);
    try {
        SetAutoLoad(s.autoLoad);
    } catch (const KeytideError& error) {
        report(error);
    }

    s.welcomeScreen = file.ReadBool(kSection, key::kWelcomeScreen, true);
    s.useScrollLock = file.ReadBool(kSection, key::kScrollLock, true);
    s.animateTray = file.ReadBool(kSection, key::kAnimateSysTray, true);

    const std::string fontName = file.ReadString(kSection, key::kFontName, kDefaultFontName);
    if (Installed(installedFonts_, fontName)) {
        s.fontName = fontName;
    } else if (!Installed(installedFonts_, s.fontName)) {
        s.fontName = Installed(installedFonts_, kDefaultFontName) ? kDefaultFontName : "";
    }

    s.bold = file.ReadBool(kSection, key::kBold, true);
    s.italic = file.ReadBool(kSection, key::kItalic, false);
    s.osdSize = ChoiceAt(kSizeChoices, file.ReadInteger(kSection, key::kOSDSize, 1));
    try {
        s.osdColor = StringToColor(file.ReadString(kSection, key::kOSDColor, kDefaultColorName));
    } catch (const KeytideError& error) {
        report(error);
        s.osdColor = StringToColor(kDefaultColorName);
    }
    s.barStyle = ChoiceAt(kBarStyleChoices, file.ReadInteger(kSection, key::kOSDProgressStyle, 1));
    s.timeOutSeconds = ChoiceAt(kTimeOutChoices, file.ReadInteger(kSection, key::kOSDTimeOut, 2));
    held_ = s;
    return problems;
}

void SettingsStore::Save() {
    const Settings& s = settings_;
    bool fontNameStored = true;
    iniFile_.Save([&](ini::IniDocument& file) { fontNameStored = WriteSettings(file, s); });
    held_ = s;
    if (!fontNameStored) {
        throw KeytideError(FillTemplate("Cannot store %s in the system's code page", s.fontName));
    }
}

void SettingsStore::SetAutoLoad(bool on) {
    const std::optional<platform::RegistryValue> value = registry_.ReadValue(kRunKeyRoot, kRunKeyPath, kRunValueName);
    const bool isString = value && value->type == platform::RegistryValueType::String;
    const std::string wanted = on ? "\"" + executablePath_ + "\"" : std::string();
    if (isString && value->text == wanted) return;
    const bool present = value && value->type != platform::RegistryValueType::Missing;
    if (!on && !present) return;  // no key or no value: nothing starts the program
    const bool oldFormOfThisProgram = on && isString && platform::SamePath(value->text, executablePath_);
    if (!registry_.WriteString(kRunKeyRoot, kRunKeyPath, kRunValueName, wanted) && !oldFormOfThisProgram) {
        throw KeytideError(FillTemplate("Failed to set data for '%s'", kRunValueName));
    }
}

void SettingsStore::RemoveExecutableRunValue() {
    // An empty name would be the key's default value, which is not ours.
    const std::string name(platform::FileNameOf(executablePath_));
    if (!name.empty()) registry_.DeleteValue(kRunKeyRoot, kRunKeyPath, name);
}

}  // namespace keytide
