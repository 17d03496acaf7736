// The settings dialog: its controls are the settings in force. Every control
// round-trips through OK and the next load, Cancel brings every control back
// from the file, a cancelled colour dialog keeps the colour, and OK tells the
// program that the settings changed.
#include "settings/SettingsDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/ControllerDoubles.h"
#include "doubles/FakeCodePage.h"
#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"
#include "model/Error.h"
#include "settings/ini/IniText.h"
#include "settings/SettingChoices.h"
#include "settings/SettingsDialogLayout.h"

namespace keytide {
namespace {

using platform::RegistryRoot;

constexpr char kIniPath[] = "C:\\Keytide\\ktd.ini";
constexpr char kExePath[] = "C:\\Keytide\\keytide.exe";

// What the file holds before each test: every control away from the values
// the tests change it to.
constexpr char kStoredSettings[] =
    "[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=0\r\nFontName=Arial\r\n"
    "Bold=1\r\nItalic=0\r\nOSDSize=1\r\nOSDColor=clLime\r\nOSDProgressStyle=1\r\nOSDTimeOut=0\r\n";

using Log = std::vector<std::string>;

class RecordingView final : public SettingsDialogView {
public:
    explicit RecordingView(Log& log) : log_(log) {}
    void ShowValues(const Settings& settings, const std::vector<std::string>&) override {
        shown = settings;
        log_.push_back("controls filled");
    }
    void Show() override {
        visible = true;
        log_.push_back("shown");
    }
    void Hide() override {
        visible = false;
        log_.push_back("hidden");
    }
    Settings shown;
    bool visible = false;

private:
    Log& log_;
};

class RecordingHost final : public SettingsDialogHost {
public:
    explicit RecordingHost(Log& log) : log_(log) {}
    void EnableEditor(bool enabled) override {
        editorEnabled = enabled;
        log_.push_back(enabled ? "editor enabled" : "editor disabled");
    }
    void SettingsChanged() override { log_.push_back("settings changed"); }
    bool editorEnabled = true;

private:
    Log& log_;
};

class ScriptedColors final : public ColorChooser {
public:
    std::optional<ColorValue> Choose(ColorValue initial) override {
        initials.push_back(initial);
        return answer;
    }
    std::optional<ColorValue> answer;
    std::vector<ColorValue> initials;
};

class RecordingPreview final : public OsdPreview {
public:
    explicit RecordingPreview(const fakes::MemoryFileSystem& files) : files_(files) {}
    void Preview(const Settings& settings) override {
        shown.push_back(settings);
        fileDuringPreview = files_.files.at(kIniPath);
    }
    std::vector<Settings> shown;
    std::string fileDuringPreview;

private:
    const fakes::MemoryFileSystem& files_;
};

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest() {
        registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath);
        files.files[kIniPath] = kStoredSettings;
        Load();
        log.clear();
    }

    void Load() { EXPECT_EQ(store.Load(), std::vector<std::string>{}); }

    std::string Stored(const char* key) const { return ini::ReadString(files.files.at(kIniPath), "Settings", key, "?"); }

    Log log;
    fakes::MemoryFileSystem files;
    fakes::Latin1CodePage codePage;
    fakes::RecordingMessages messages;
    ConfigFile iniFile{files, codePage, messages, kIniPath};
    fakes::FakeRegistry registry;
    Settings settings;
    std::vector<std::string> fonts{"Arial", "Courier New", "Tahoma"};
    SettingsStore store{settings, fonts, iniFile, registry, kExePath};
    RecordingView view{log};
    RecordingHost host{log};
    ScriptedColors colors;
    RecordingPreview preview{files};
    SettingsDialog dialog{settings, fonts, store, {view, host, colors, preview, messages}};
};

// Each control with a value other than the stored one, and the key it is saved as.
struct ControlChange {
    SettingsControl control;
    ControlValue value;
    const char* key;
    const char* written;
};
const ControlChange kChanges[] = {
    {SettingsControl::AutoLoad, 0, "AutoLoad", "0"},
    {SettingsControl::WelcomeScreen, 1, "WelcomeScreen", "1"},
    {SettingsControl::UseScrollLock, 0, "ScrollLock", "0"},
    {SettingsControl::AnimateTray, 1, "AnimateSysTray", "1"},
    {SettingsControl::Font, 2, "FontName", "Tahoma"},
    {SettingsControl::Bold, 0, "Bold", "0"},
    {SettingsControl::Italic, 1, "Italic", "1"},
    {SettingsControl::Size, 2, "OSDSize", "2"},
    {SettingsControl::Color, 0x00FF8000, "OSDColor", "$00FF8000"},
    {SettingsControl::BarStyle, 0, "OSDProgressStyle", "0"},
    {SettingsControl::TimeOut, 9, "OSDTimeOut", "9"},
};

TEST_F(SettingsDialogTest, EveryControlIsInForceAtOnceAndRoundTripsThroughOkAndTheNextLoad) {
    ASSERT_EQ(std::size(kChanges), kSettingsControls.size());
    for (const ControlChange& change : kChanges) {
        SCOPED_TRACE(change.key);
        files.files[kIniPath] = kStoredSettings;
        Load();
        const Settings before = settings;
        dialog.Open();
        ASSERT_NE(ValueOf(settings, change.control, fonts), change.value);

        dialog.Change(change.control, change.value);
        // The readers of the settings see the change before OK; the file does not.
        EXPECT_EQ(ValueOf(settings, change.control, fonts), change.value);
        EXPECT_EQ(files.files[kIniPath], kStoredSettings);
        for (SettingsControl other : kSettingsControls) {
            if (other != change.control) {
                EXPECT_EQ(ValueOf(settings, other, fonts), ValueOf(before, other, fonts));
            }
        }

        dialog.Confirm();
        EXPECT_EQ(Stored(change.key), change.written);
        settings = Settings{};
        Load();
        EXPECT_EQ(ValueOf(settings, change.control, fonts), change.value);
    }
}

TEST_F(SettingsDialogTest, CancelBringsEveryControlBackFromTheFile) {
    const Settings stored = settings;
    dialog.Open();
    for (const ControlChange& change : kChanges) dialog.Change(change.control, change.value);
    for (const ControlChange& change : kChanges) ASSERT_EQ(ValueOf(settings, change.control, fonts), change.value);
    log.clear();

    dialog.Dismiss();
    for (SettingsControl control : kSettingsControls) {
        EXPECT_EQ(ValueOf(settings, control, fonts), ValueOf(stored, control, fonts)) << static_cast<int>(control);
        // The window shows the restored values too.
        EXPECT_EQ(ValueOf(view.shown, control, fonts), ValueOf(stored, control, fonts)) << static_cast<int>(control);
    }
    EXPECT_EQ(files.files[kIniPath], kStoredSettings);
    EXPECT_EQ(log, (Log{"editor enabled", "hidden", "controls filled"}));
    // The start-with-Windows entry is rewritten from the stored AutoLoad.
    EXPECT_EQ(registry.ReadValue(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName)->text,
              "\"" + std::string(kExePath) + "\"");
}

TEST_F(SettingsDialogTest, CancelShowsWhatTheReloadFoundWrongAndLoadsTheRest) {
    dialog.Open();
    dialog.Change(SettingsControl::TimeOut, 5);
    dialog.Change(SettingsControl::Color, 0x00123456);
    files.files[kIniPath] = "[Settings]\r\nOSDColor=Limegreen\r\nOSDTimeOut=3\r\n";
    dialog.Dismiss();
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{"Keytide|'Limegreen' is not a valid integer value."}));
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(settings.timeOutSeconds, 4);
    EXPECT_EQ(settings.osdColor, kColorLime);  // the colour's default
    EXPECT_EQ(view.shown.timeOutSeconds, 4);
}

TEST_F(SettingsDialogTest, TheColourDialogStartsFromTheSwatchAndItsCancelKeepsTheColour) {
    dialog.Open();
    dialog.Change(SettingsControl::Color, 0x00123456);
    colors.answer = std::nullopt;
    dialog.ChooseOsdColor();
    EXPECT_EQ(settings.osdColor, 0x00123456u);
    EXPECT_EQ(colors.initials, (std::vector<ColorValue>{0x00123456}));

    colors.answer = 0x00FF8000;
    dialog.ChooseOsdColor();
    EXPECT_EQ(settings.osdColor, 0x00FF8000u);
    EXPECT_EQ(view.shown.osdColor, 0x00FF8000u);
    EXPECT_EQ(Stored("OSDColor"), "clLime");  // not stored until OK

    colors.answer = std::nullopt;
    dialog.ChooseOsdColor();
    EXPECT_EQ(settings.osdColor, 0x00FF8000u);
    EXPECT_EQ(colors.initials.back(), 0x00FF8000u);
}

TEST_F(SettingsDialogTest, PreviewShowsTheUnsavedChoices) {
    dialog.Open();
    dialog.Change(SettingsControl::Font, 1);
    dialog.Change(SettingsControl::Size, 0);
    dialog.Change(SettingsControl::Color, 0x000000FF);
    dialog.Change(SettingsControl::BarStyle, 0);
    dialog.Change(SettingsControl::TimeOut, 4);
    dialog.Preview();
    ASSERT_EQ(preview.shown.size(), 1u);
    const Settings& sample = preview.shown[0];
    EXPECT_EQ(sample.fontName, "Courier New");
    EXPECT_EQ(sample.osdSize, OsdSize::Small);
    EXPECT_EQ(sample.osdColor, 0x000000FFu);
    EXPECT_EQ(sample.barStyle, BarStyle::Normal);
    EXPECT_EQ(sample.timeOutSeconds, 5);
    EXPECT_EQ(preview.fileDuringPreview, kStoredSettings);
}

TEST_F(SettingsDialogTest, OpenDisablesTheEditorAndShowsTheCurrentSettings) {
    settings.timeOutSeconds = 8;  // e.g. loaded at start while the window was hidden
    dialog.Open();
    EXPECT_EQ(log, (Log{"editor disabled", "controls filled", "shown"}));
    EXPECT_EQ(view.shown.timeOutSeconds, 8);
    EXPECT_FALSE(host.editorEnabled);
}

TEST_F(SettingsDialogTest, OkSavesThenTellsTheProgramTheSettingsChanged) {
    dialog.Open();
    dialog.Change(SettingsControl::UseScrollLock, 0);
    dialog.Change(SettingsControl::AutoLoad, 0);
    log.clear();
    dialog.Confirm();
    EXPECT_EQ(log, (Log{"editor enabled", "hidden", "settings changed"}));
    EXPECT_EQ(Stored("ScrollLock"), "0");
    // AutoLoad off: the value stays with empty data.
    EXPECT_EQ(registry.ReadValue(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName)->text, "");
}

// Either failure: first the Run key that AutoLoad needs, then the file too.
TEST_F(SettingsDialogTest, AFailedSaveEndsOkBeforeTheWindowGoes) {
    registry.keys.clear();
    registry.keysCreatable = false;
    for (const bool fileRefused : {false, true}) {
        if (fileRefused) files.unwritable.insert(kIniPath);
        dialog.Open();
        log.clear();
        EXPECT_THROW(dialog.Confirm(), KeytideError);
        EXPECT_TRUE(log.empty());
        EXPECT_TRUE(view.visible);
        EXPECT_FALSE(host.editorEnabled);
    }
}

TEST(SettingsControlValueTest, AControlsStateMeansASettingAndAPositionOutsideTheListMeansNone) {
    const std::vector<std::string> fonts = {"Arial", "Tahoma"};
    Settings settings;
    AssignValue(settings, SettingsControl::Font, 1, fonts);
    EXPECT_EQ(settings.fontName, "Tahoma");
    AssignValue(settings, SettingsControl::Size, 2, fonts);
    EXPECT_EQ(settings.osdSize, OsdSize::Large);
    AssignValue(settings, SettingsControl::BarStyle, 0, fonts);
    EXPECT_EQ(settings.barStyle, BarStyle::Normal);
    AssignValue(settings, SettingsControl::TimeOut, 9, fonts);
    EXPECT_EQ(settings.timeOutSeconds, 10);

    const struct {
        SettingsControl control;
        ControlValue value;
        ControlValue expected;
    } cases[] = {
        {SettingsControl::Font, 2, kNoPosition},     {SettingsControl::Size, 3, kNoPosition},
        {SettingsControl::BarStyle, 2, kNoPosition}, {SettingsControl::TimeOut, 10, kNoPosition},
        {SettingsControl::TimeOut, -7, kNoPosition}, {SettingsControl::Bold, 5, 1},
        {SettingsControl::Color, 0x80000018, 0x80000018},
    };
    for (const auto& c : cases) {
        AssignValue(settings, c.control, c.value, fonts);
        EXPECT_EQ(ValueOf(settings, c.control, fonts), c.expected) << static_cast<int>(c.control) << " = " << c.value;
    }
    EXPECT_EQ(settings.fontName, "");
    EXPECT_EQ(settings.timeOutSeconds, std::nullopt);
}

}  // namespace
}  // namespace keytide

namespace keytide::settings_dialog {
namespace {

bool Overlap(const widgets::Rect& a, const widgets::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const widgets::Rect& inner, const widgets::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The window's table: every setting once, in tab order down the group and
// left to right within a row, inside the group panel and clear of each other
// and of the buttons, and the buttons inside the window below the title bar.
TEST(SettingsDialogLayoutTest, TheControlsStandApartInTheGroupInTabOrder) {
    std::vector<widgets::Rect> places;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlPlace& place = kControls[i];
        EXPECT_EQ(place.control, kSettingsControls[i]) << "tab order at " << i;
        EXPECT_TRUE(Inside(place.bounds, kGroupPanel)) << place.caption;
        if (i > 0) {
            const widgets::Rect& before = kControls[i - 1].bounds;
            const bool sameRow = place.bounds.top == before.top;
            EXPECT_TRUE(sameRow ? place.bounds.left >= before.right : place.bounds.top >= before.top) << place.caption;
        }
        places.push_back(place.bounds);
    }
    places.push_back(kPreviewButton);
    EXPECT_TRUE(Inside(kPreviewButton, kGroupPanel));
    for (const widgets::Rect& button : {kOkButton, kCancelButton}) {
        EXPECT_FALSE(Overlap(button, kGroupPanel));
        EXPECT_TRUE(Inside(button, {0, kTitleBar.bottom, kWindowWidth, kWindowHeight}));
        places.push_back(button);
    }
    for (std::size_t a = 0; a < places.size(); ++a) {
        for (std::size_t b = a + 1; b < places.size(); ++b) {
            EXPECT_FALSE(Overlap(places[a], places[b])) << a << " and " << b;
        }
    }
    // The headings stand above their controls, inside the group.
    EXPECT_LT(kHeadings[0].top, kControls[0].bounds.top);
    EXPECT_GT(kHeadings[1].top, kControls[3].bounds.bottom - 1);
    EXPECT_LT(kHeadings[1].top, kControls[4].bounds.top);
    // The title bar's "X" sits on the bar.
    EXPECT_LE(kCloseButtonOnTitleBar.right, kTitleBar.right - kTitleBar.left);
    EXPECT_LE(kCloseButtonOnTitleBar.bottom, kTitleBar.bottom - kTitleBar.top);
}

}  // namespace
}  // namespace keytide::settings_dialog
