// The [Settings] section: defaults, load order, bad values that give their
// default and let the rest load, the font-selection rule, save order, one
// read and one write with the bytes of the single writes, round trips, the
// start-with-Windows entry and the settings dialog's start-up steps.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include "core/AssignmentStore.h"
#include "core/DefaultIni.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/FakeCodePage.h"
#include "doubles/FakeFontSource.h"
#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"
#include "ini_diff/IniChecks.h"
#include "model/Error.h"
#include "settings/ini/IniText.h"
#include "settings/SettingsStartup.h"

namespace keytide {
namespace {

using platform::RegistryRoot;

constexpr char kIniPath[] = "C:\\Program Files\\Keytide\\ktd.ini";
constexpr char kExePath[] = "C:\\Program Files\\Keytide\\keytide.exe";

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() { registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath); }

    void WriteIni(const std::string& text) { files.files[kIniPath] = text; }
    std::string Ini() const { return files.files.at(kIniPath); }
    std::optional<std::string> RunValue(const std::string& name, RegistryRoot root = RegistryRoot::CurrentUser) {
        auto value = registry.ReadValue(root, kRunKeyPath, name);
        if (!value || value->type == platform::RegistryValueType::Missing) return std::nullopt;
        return value->text;
    }
    std::vector<std::string> ProblemsOfLoad() { return store.Load(); }
    void Load() { EXPECT_EQ(store.Load(), std::vector<std::string>{}); }

    fakes::MemoryFileSystem files;
    fakes::Latin1CodePage codePage;
    fakes::RecordingMessages fileMessages;
    ConfigFile iniFile{files, codePage, fileMessages, kIniPath};
    fakes::FakeRegistry registry;
    std::vector<std::string> fonts{"Arial", "Courier New", "Tahoma", "Times New Roman"};
    Settings settings;
    SettingsStore store{settings, fonts, iniFile, registry, kExePath};
};

// Every setting away from what an empty section gives.
Settings OtherThanTheDefaults() {
    return Settings{false, false, false, false, "Tahoma", false, true, OsdSize::Small, 0x123456, BarStyle::Normal, 7};
}

TEST_F(SettingsStoreTest, AnEmptySectionLoadsTheMissingKeyDefaults) {
    for (const std::string text : {"[Settings]\r\n", "", "[Other]\r\nAutoLoad=0\r\n"}) {
        WriteIni(text);
        settings = OtherThanTheDefaults();
        Load();
        // AutoLoad on, welcome screen, Scroll Lock and animation on, Arial bold,
        // normal size, lime, rounded, three seconds.
        EXPECT_EQ(settings, Settings{});
        EXPECT_EQ(RunValue(kRunValueName), "\"" + std::string(kExePath) + "\"");
    }
}

TEST_F(SettingsStoreTest, TheBuiltInFileSaysOneSecondTimeOut) {
    WriteIni(std::string(kDefaultIniText));
    Load();
    EXPECT_EQ(settings.timeOutSeconds, 1);
    EXPECT_EQ(settings.osdSize, OsdSize::Normal);
    EXPECT_EQ(settings.fontName, "Arial");
    EXPECT_EQ(settings.osdColor, kColorLime);
}

TEST_F(SettingsStoreTest, AnIndexOutsideItsListLeavesNoSelectionAndSavesAsMinusOne) {
    const auto noTimeOut = [](const Settings& s) { return !s.timeOutSeconds; };
    const auto noSize = [](const Settings& s) { return !s.osdSize; };
    const auto noStyle = [](const Settings& s) { return !s.barStyle; };
    struct Case {
        const char* line;
        bool (*hasNone)(const Settings&);
        const char* key;
    };
    const Case cases[] = {
        {"OSDTimeOut=12", noTimeOut, "OSDTimeOut"},   {"OSDTimeOut=10", noTimeOut, "OSDTimeOut"},
        {"OSDTimeOut=-1", noTimeOut, "OSDTimeOut"},   {"OSDSize=3", noSize, "OSDSize"},
        {"OSDSize=-5", noSize, "OSDSize"},            {"OSDProgressStyle=2", noStyle, "OSDProgressStyle"},
    };
    for (const Case& c : cases) {
        WriteIni(std::string("[Settings]\r\n") + c.line + "\r\n");
        Load();
        EXPECT_TRUE(c.hasNone(settings)) << c.line;
        store.Save();
        EXPECT_EQ(ini::ReadString(Ini(), "Settings", c.key, "?"), "-1") << c.line;
    }
}

TEST_F(SettingsStoreTest, FontSelectionMatchesExactlyThenFallsBackToArial) {
    struct Case {
        const char* name;
        std::vector<std::string> fonts;
        const char* earlier;   // the font in force before the load
        std::string expected;  // "" for none
    };
    const std::vector<std::string> withArial = {"Arial", "Courier New", "Tahoma"};
    const std::vector<std::string> withoutArial = {"Courier New", "Liberation Sans", "Tahoma"};
    const Case cases[] = {
        {"Tahoma", withArial, "", "Tahoma"},
        {"Tahoma", withArial, "Courier New", "Tahoma"},  // a match replaces the earlier font
        {"arial", withArial, "", "Arial"},               // case counts; the fallback finds "Arial"
        {"TAHOMA", withArial, "", "Arial"},
        {"Missing", withArial, "", "Arial"},
        {"", withArial, "", "Arial"},
        {"Missing", withArial, "Courier New", "Courier New"},  // no match keeps the earlier font
        {"Missing", withArial, "Gone", "Arial"},               // ...if it is still installed
        {"Missing", withoutArial, "", ""},                     // nothing to fall back on
        {"Missing", withoutArial, "Tahoma", "Tahoma"},
        {"Liberation Sans", withoutArial, "Courier New", "Liberation Sans"},
        {"Tahoma ", withArial, "", "Tahoma"},  // the profile read trims blanks
        {"Arial", {}, "", ""},                 // an empty font list
    };
    for (const Case& c : cases) {
        fonts = c.fonts;
        settings.fontName = c.earlier;
        WriteIni(std::string("[Settings]\r\nFontName=") + c.name + "\r\n");
        Load();
        EXPECT_EQ(settings.fontName, c.expected) << "FontName=" << c.name;
    }
}

TEST_F(SettingsStoreTest, SaveWritesTheKeysInOrder) {
    settings.autoLoad = true;
    settings.welcomeScreen = false;
    settings.useScrollLock = true;
    settings.animateTray = false;
    settings.fontName = "Tahoma";
    settings.bold = false;
    settings.italic = true;
    settings.osdSize = OsdSize::Large;
    settings.osdColor = 0x00FF8000;
    settings.barStyle = BarStyle::Normal;
    settings.timeOutSeconds = 10;
    WriteIni("[IsActive]\r\nIsKTDActive=1\r\n");
    store.Save();
    EXPECT_EQ(Ini(),
              "[IsActive]\r\nIsKTDActive=1\r\n"
              "[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=0\r\nFontName=Tahoma\r\n"
              "Bold=0\r\nItalic=1\r\nOSDSize=2\r\nOSDColor=$00FF8000\r\nOSDProgressStyle=0\r\nOSDTimeOut=9\r\n");
    // Saving writes no registry value; that is the dialog's OK.
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(SettingsStoreTest, SettingsWithoutValuesAreSavedAsNoSelections) {
    settings = Settings{false, false, false, false, "", false, false, std::nullopt, kColorLime, std::nullopt, std::nullopt};
    WriteIni("");
    store.Save();
    EXPECT_EQ(Ini(),
              "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=0\r\nAnimateSysTray=0\r\nFontName=\r\n"
              "Bold=0\r\nItalic=0\r\nOSDSize=-1\r\nOSDColor=clLime\r\nOSDProgressStyle=-1\r\nOSDTimeOut=-1\r\n");
}

TEST_F(SettingsStoreTest, SavedSettingsLoadBackUnchanged) {
    // Check boxes as bits: AutoLoad, WelcomeScreen, ScrollLock, AnimateSysTray, Bold, Italic.
    const std::optional<OsdSize> noSize;
    const std::optional<BarStyle> noStyle;
    const std::optional<int> noTimeOut;
    auto make = [&](unsigned checks, const char* font, std::optional<OsdSize> size, std::optional<BarStyle> style,
                    std::optional<int> timeOut, ColorValue color) {
        Settings s;
        bool* boxes[] = {&s.autoLoad, &s.welcomeScreen, &s.useScrollLock, &s.animateTray, &s.bold, &s.italic};
        for (bool* box : boxes) {
            *box = (checks & 0b100000) != 0;
            checks <<= 1;
        }
        s.fontName = font;
        s.osdSize = size;
        s.barStyle = style;
        s.timeOutSeconds = timeOut;
        s.osdColor = color;
        return s;
    };
    const Settings cases[] = {
        make(0b000000, "", noSize, noStyle, noTimeOut, kColorLime),
        make(0b111111, "Times New Roman", OsdSize::Small, BarStyle::Rounded, 10, 0x00FF8000),
        make(0b101010, "Arial", OsdSize::Large, BarStyle::Normal, 1, 0x80000018),  // clInfoBk
        make(0b010101, "Courier New", OsdSize::Normal, noStyle, 5, 0x1FFFFFFF),    // clNone
        make(0b110011, "", OsdSize::Large, BarStyle::Rounded, 3, 0xFFFFFFFF),
        make(0b001100, "Tahoma", noSize, BarStyle::Normal, noTimeOut, 0x00000000),
    };
    for (const Settings& expected : cases) {
        settings = expected;
        WriteIni(std::string(kDefaultIniText));
        store.Save();
        const std::string saved = Ini();
        // The load starts from other values; only what was saved may show.
        settings = make(expected.autoLoad ? 0b011111 : 0b100000, "Tahoma", OsdSize::Normal, BarStyle::Rounded, 2,
                        0x123456);
        Load();
        SCOPED_TRACE(saved);
        // Without a font the saved name is empty; it matches nothing, so the
        // font the load started from (Tahoma) stays.
        Settings loaded = expected;
        if (loaded.fontName.empty()) loaded.fontName = "Tahoma";
        EXPECT_EQ(settings, loaded);
        // The rest of the file is untouched by the save.
        EXPECT_EQ(ini::ReadString(saved, "NumPadKey6", "OSDLabel", "?"), "Vol+");
        EXPECT_EQ(ini::ReadString(saved, "IsActive", "IsKTDActive", "?"), "1");
    }
}

TEST_F(SettingsStoreTest, ColourNamesComeBackInTheirTableSpelling) {
    WriteIni("[Settings]\r\nOSDColor=CLLIME\r\n");
    Load();
    EXPECT_EQ(settings.osdColor, kColorLime);
    store.Save();
    EXPECT_EQ(ini::ReadString(Ini(), "Settings", "OSDColor", "?"), "clLime");
}

TEST_F(SettingsStoreTest, AFailedSaveWritesNothingAndNamesTheFile) {
    WriteIni("[Settings]\r\n");
    settings.autoLoad = true;
    files.unwritable.insert(kIniPath);
    try {
        store.Save();
        FAIL() << "the save went through";
    } catch (const KeytideError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + kIniPath);
    }
    EXPECT_EQ(Ini(), "[Settings]\r\n");
}

TEST_F(SettingsStoreTest, ASaveIsOneReadAndOneWriteWithTheBytesOfTheSingleWrites) {
    settings = Settings{false, false, false, false, "Caf\xC3\xA9 Sans", false, false, std::nullopt, 0x80000018,
                        std::nullopt, std::nullopt};
    for (const fakes::CorpusFile& file : fakes::AwkwardFiles()) {
        SCOPED_TRACE(file.name);
        WriteIni(file.text);
        std::string expected = file.text;
        const std::pair<const char*, const char*> writes[] = {
            {"AutoLoad", "0"},      {"WelcomeScreen", "0"},  {"ScrollLock", "0"}, {"AnimateSysTray", "0"},
            {"FontName", "Caf\xE9 Sans"}, {"Bold", "0"},     {"Italic", "0"},     {"OSDSize", "-1"},
            {"OSDColor", "clInfoBk"}, {"OSDProgressStyle", "-1"}, {"OSDTimeOut", "-1"}};
        for (const auto& [key, value] : writes) expected = ini::WriteString(expected, "Settings", key, value);
        const int reads = files.readCount;
        const int writeCount = files.writeCount;
        store.Save();
        EXPECT_EQ(Ini(), expected);
        EXPECT_EQ(files.readCount - reads, 1);
        EXPECT_EQ(files.writeCount - writeCount, 1);
    }
}

TEST_F(SettingsStoreTest, AnUnreadableFileLoadsTheDefaultsAndIsNotSavedOver) {
    WriteIni("[Settings]\r\nOSDTimeOut=7\r\n");
    files.unreadable.insert(kIniPath);
    Load();
    EXPECT_EQ(settings.timeOutSeconds, 3);
    EXPECT_EQ(fileMessages.boxes.size(), 1u);
    files.unreadable.clear();
    EXPECT_THROW(store.Save(), KeytideError);
    EXPECT_EQ(Ini(), "[Settings]\r\nOSDTimeOut=7\r\n");
    Load();
    EXPECT_EQ(settings.timeOutSeconds, 8);
    EXPECT_NO_THROW(store.Save());
}

TEST_F(SettingsStoreTest, AnUndecodableColourIsReportedAndTakesItsDefaultWhileTheRestLoads) {
    settings = OtherThanTheDefaults();
    WriteIni(
        "[Settings]\r\nWelcomeScreen=1\r\nBold=1\r\nOSDSize=2\r\nOSDColor=clBogus\r\n"
        "OSDProgressStyle=1\r\nOSDTimeOut=9\r\n");
    EXPECT_EQ(ProblemsOfLoad(), std::vector<std::string>{"'clBogus' is not a valid integer value"});
    EXPECT_TRUE(settings.welcomeScreen);
    EXPECT_TRUE(settings.bold);
    EXPECT_EQ(settings.osdSize, OsdSize::Large);
    EXPECT_EQ(settings.fontName, "Arial");
    EXPECT_EQ(settings.osdColor, kColorLime);
    // After the colour: loaded too, so the OSD has its time-out and bar.
    EXPECT_EQ(settings.barStyle, BarStyle::Rounded);
    EXPECT_EQ(settings.timeOutSeconds, 10);

    WriteIni("[Settings]\r\nOSDColor=\r\n");
    EXPECT_EQ(ProblemsOfLoad(), std::vector<std::string>{"'' is not a valid integer value"});
}

TEST_F(SettingsStoreTest, LoadBringsTheRunValueInLineWithAutoLoad) {
    const std::string quoted = "\"" + std::string(kExePath) + "\"", noKey = "(no key)", none = "(no value)";
    const std::string refused = "Failed to set data for 'Keytide'";
    const std::string oldForm = "c:\\program files\\keytide\\KEYTIDE.EXE";
    struct Case {
        const char* autoLoad;
        std::string before;  // the data, or noKey, or none
        bool writable;
        std::string after;
        std::string problem;
    };
    for (const Case& c : {Case{"1", noKey, true, quoted, ""}, Case{"1", oldForm, true, quoted, ""},
                          Case{"1", "D:\\Old\\keytide.exe", true, quoted, ""},  // a moved program
                          Case{"1", oldForm, false, oldForm, ""},  // this program all the same: no box
                          Case{"1", "D:\\Old\\keytide.exe", false, "D:\\Old\\keytide.exe", refused},
                          Case{"0", noKey, true, noKey, ""}, Case{"0", none, false, none, ""},
                          Case{"0", quoted, true, "", ""}, Case{"0", quoted, false, quoted, refused}}) {
        SCOPED_TRACE(std::string("AutoLoad=") + c.autoLoad + " before " + c.before);
        registry.keys.clear();
        if (c.before != noKey) registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath).writable = c.writable;
        if (c.before != noKey && c.before != none) {
            registry.keys.begin()->second.values[kRunValueName] = {platform::RegistryValueType::String, c.before};
        }
        WriteIni(std::string("[Settings]\r\nAutoLoad=") + c.autoLoad + "\r\n");
        EXPECT_EQ(ProblemsOfLoad(), c.problem.empty() ? std::vector<std::string>{} : std::vector{c.problem});
        EXPECT_EQ(registry.keys.empty() ? noKey : RunValue(kRunValueName).value_or(none), c.after);
        registry.writes.clear();
        (void)ProblemsOfLoad();
        EXPECT_TRUE(!c.writable || registry.writes.empty()) << "a second load wrote again";
        // Only the current user's Run key is written.
        EXPECT_FALSE(registry.keys.count({RegistryRoot::LocalMachine, kRunKeyPath}));
    }
}

TEST_F(SettingsStoreTest, ARefusedRunValueIsReportedAndTheRestLoads) {
    settings.welcomeScreen = false;
    settings.osdSize = std::nullopt;
    WriteIni("[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=1\r\nOSDSize=2\r\nOSDColor=nope\r\n");
    for (bool keyMissing : {false, true}) {
        registry.keys.clear();
        registry.keysCreatable = false;
        if (!keyMissing) registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath).writable = false;
        settings.autoLoad = false;
        EXPECT_EQ(ProblemsOfLoad(), (std::vector<std::string>{"Failed to set data for 'Keytide'",
                                                              "'nope' is not a valid integer value"}));
        EXPECT_TRUE(settings.autoLoad);
        EXPECT_TRUE(settings.welcomeScreen);
        EXPECT_EQ(settings.osdSize, OsdSize::Large);
        EXPECT_EQ(settings.fontName, "Arial");
        EXPECT_EQ(registry.keys.count({RegistryRoot::CurrentUser, kRunKeyPath}), keyMissing ? 0u : 1u);
    }
}

// ktd.ini deleted while the program runs, then a Cancel: the keys and the
// settings as last saved come back into the file, in its encoding.
TEST_F(SettingsStoreTest, AFileGoneSinceTheLastLoadGetsTheSettingsAndKeysBack) {
    AssignmentStore keyStore{iniFile};
    KeyAssignments keys;
    ProgramSwitches switches;
    for (const auto encoding : {ini::TextEncoding::Utf8, ini::TextEncoding::Utf16Le}) {
        for (const bool writable : {true, false}) {
            files.unwritable.clear();
            WriteIni(ini::EncodeFileText({encoding, std::string(kDefaultIniText), {}}));
            keyStore.Load(keys, switches);
            settings = OtherThanTheDefaults();
            store.Save();
            settings.timeOutSeconds = 5;  // changed in the dialog, then Cancel
            files.files.erase(kIniPath);
            if (!writable) files.unwritable.insert(kIniPath);
            Load();
            EXPECT_EQ(settings, OtherThanTheDefaults());
            EXPECT_EQ(fileMessages.boxes.size(), writable ? 0u : 1u);
            fileMessages.boxes.clear();
            if (!writable) continue;
            EXPECT_EQ(ini::DecodeFileText(Ini()).encoding, encoding);
            EXPECT_EQ(ini::ReadString(ini::DecodeFileText(Ini()).text, "NumPadKey13", "OSDLabel", "?"), "Min/Res");
        }
    }
}

TEST_F(SettingsStoreTest, TheExecutableNamedRunValueIsRemoved) {
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, "keytide.exe", "C:\\old\\keytide.exe");
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName, kExePath);
    store.RemoveExecutableRunValue();
    EXPECT_EQ(RunValue("keytide.exe"), std::nullopt);
    EXPECT_EQ(RunValue(kRunValueName), kExePath);

    // A path without a file name removes nothing (not the key's default value).
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, "", "default");
    SettingsStore nameless{settings, fonts, iniFile, registry, "C:\\Tools\\"};
    nameless.RemoveExecutableRunValue();
    EXPECT_EQ(RunValue(""), "default");
}

// --- the settings dialog's start-up steps

class SettingsStartupTest : public SettingsStoreTest {
protected:
    fakes::FakeFontSource fontSource;
    fakes::RecordingMessages messages;
    SettingsStartup startup{fonts, store, fontSource, messages};
};

TEST_F(SettingsStartupTest, TheFontListHoldsEachFaceOnceInThePlatformOrder) {
    // Faces come once per character set; vertical variants carry an '@'.
    fontSource.faces = {"Tahoma", "arial", "Arial", "@MS Gothic", "MS Gothic", "Tahoma", "", "Courier New", "Arial"};
    startup.FillFontList();
    EXPECT_EQ(fonts, (std::vector<std::string>{"arial", "Arial", "Courier New", "MS Gothic", "Tahoma"}));
}

TEST_F(SettingsStartupTest, LoadSettingsLoadsAndReportsAnErrorWithoutEndingTheStart) {
    fontSource.faces = {"Tahoma", "Arial"};
    startup.FillFontList();
    WriteIni("[Settings]\r\nFontName=Tahoma\r\nOSDTimeOut=4\r\n");
    startup.LoadSettings();
    EXPECT_EQ(settings.fontName, "Tahoma");
    EXPECT_EQ(settings.timeOutSeconds, 5);
    EXPECT_TRUE(messages.boxes.empty());

    WriteIni("[Settings]\r\nOSDColor=nope\r\n");
    EXPECT_NO_THROW(startup.LoadSettings());
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{"Keytide|'nope' is not a valid integer value."}));

    // Each problem gets its own box.
    registry.keys.clear();
    registry.keysCreatable = false;
    messages.boxes.clear();
    EXPECT_NO_THROW(startup.LoadSettings());
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{"Keytide|Failed to set data for 'Keytide'.",
                                                        "Keytide|'nope' is not a valid integer value."}));
}

}  // namespace
}  // namespace keytide
