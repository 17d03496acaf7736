// The [Settings] section: defaults, load order, bad values that give their
// default and let the rest load, the font-selection rule, save order, one
// read and one write with the bytes of the single writes, round trips, the
// start-with-Windows entry and the settings dialog's start-up steps.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include "core/DefaultIni.h"
#include "platform/Error.h"
#include "settings/ini/IniText.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/FakeCodePage.h"
#include "doubles/FakeFontSource.h"
#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"
#include "ini_diff/IniChecks.h"
#include "settings/SettingsStartup.h"

namespace keytide {
namespace {

using platform::RegistryRoot;

constexpr char kIniPath[] = "C:\\Program Files\\Keytide\\ktd.ini";
constexpr char kExePath[] = "C:\\Program Files\\Keytide\\keytide.exe";

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() {
        registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath);
        settings.fontNames = {"Arial", "Courier New", "Tahoma", "Times New Roman"};
        ResetToDesignValues(settings);
    }

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
    Settings settings;
    SettingsStore store{settings, iniFile, registry, kExePath};
};

TEST_F(SettingsStoreTest, AnEmptySectionLoadsTheMissingKeyDefaults) {
    for (const std::string text : {"[Settings]\r\n", "", "[Other]\r\nAutoLoad=0\r\n"}) {
        WriteIni(text);
        ResetToDesignValues(settings);
        Load();
        EXPECT_TRUE(settings.autoLoad);
        EXPECT_TRUE(settings.welcomeScreen);
        EXPECT_TRUE(settings.useScrollLock);
        EXPECT_TRUE(settings.animateTray);
        EXPECT_EQ(settings.fontName(), "Arial");
        EXPECT_TRUE(settings.bold);
        EXPECT_FALSE(settings.italic);
        EXPECT_EQ(settings.osdSize, 1);  // "Normal"
        EXPECT_EQ(settings.osdColor, kColorLime);
        EXPECT_EQ(settings.barStyle, 1);  // "Rounded"
        EXPECT_EQ(settings.timeOutIndex, 2);           // "3" seconds
        EXPECT_EQ(RunValue(kRunValueName), kExePath);
    }
}

TEST_F(SettingsStoreTest, TheBuiltInFileSaysOneSecondTimeOut) {
    WriteIni(std::string(kDefaultIniText));
    Load();
    EXPECT_EQ(settings.timeOutIndex, 0);
    EXPECT_EQ(settings.osdSize, 1);
    EXPECT_EQ(settings.fontName(), "Arial");
    EXPECT_EQ(settings.osdColor, kColorLime);
}

TEST_F(SettingsStoreTest, AnIndexOutsideItsListLeavesNoSelectionAndSavesAsMinusOne) {
    struct Case {
        const char* line;
        int Settings::*list;
        const char* key;
    };
    const Case cases[] = {
        {"OSDTimeOut=12", &Settings::timeOutIndex, "OSDTimeOut"},
        {"OSDTimeOut=10", &Settings::timeOutIndex, "OSDTimeOut"},
        {"OSDTimeOut=-1", &Settings::timeOutIndex, "OSDTimeOut"},
        {"OSDSize=3", &Settings::osdSize, "OSDSize"},
        {"OSDSize=-5", &Settings::osdSize, "OSDSize"},
        {"OSDProgressStyle=2", &Settings::barStyle, "OSDProgressStyle"},
    };
    for (const Case& c : cases) {
        WriteIni(std::string("[Settings]\r\n") + c.line + "\r\n");
        Load();
        EXPECT_EQ(settings.*(c.list), kNoSelection) << c.line;
        store.Save();
        EXPECT_EQ(ini::ReadString(Ini(), "Settings", c.key, "?"), "-1") << c.line;
    }
}

TEST_F(SettingsStoreTest, FontSelectionMatchesExactlyThenFallsBackToArial) {
    struct Case {
        const char* name;
        std::vector<std::string> fonts;
        int earlierSelection;
        std::string expected;  // selected face, "" for none
    };
    const std::vector<std::string> withArial = {"Arial", "Courier New", "Tahoma"};
    const std::vector<std::string> withoutArial = {"Courier New", "Liberation Sans", "Tahoma"};
    const Case cases[] = {
        {"Tahoma", withArial, kNoSelection, "Tahoma"},
        {"Tahoma", withArial, 1, "Tahoma"},           // a match replaces the earlier selection
        {"arial", withArial, kNoSelection, "Arial"},  // case counts; the fallback finds "Arial"
        {"TAHOMA", withArial, kNoSelection, "Arial"},
        {"Missing", withArial, kNoSelection, "Arial"},
        {"", withArial, kNoSelection, "Arial"},
        {"Missing", withArial, 1, "Courier New"},     // no match keeps the earlier selection
        {"Missing", withoutArial, kNoSelection, ""},  // nothing to fall back on
        {"Missing", withoutArial, 2, "Tahoma"},
        {"Liberation Sans", withoutArial, 0, "Liberation Sans"},
        {"Tahoma ", withArial, kNoSelection, "Tahoma"},  // the profile read trims blanks
        {"Arial", {}, kNoSelection, ""},                 // an empty font list
    };
    for (const Case& c : cases) {
        settings.fontNames = c.fonts;
        settings.fontIndex = c.earlierSelection;
        WriteIni(std::string("[Settings]\r\nFontName=") + c.name + "\r\n");
        Load();
        EXPECT_EQ(settings.fontName(), c.expected) << "FontName=" << c.name;
    }
}

TEST_F(SettingsStoreTest, SaveWritesTheKeysInOrder) {
    settings.autoLoad = true;
    settings.welcomeScreen = false;
    settings.useScrollLock = true;
    settings.animateTray = false;
    settings.fontIndex = 2;
    settings.bold = false;
    settings.italic = true;
    settings.osdSize = 2;
    settings.osdColor = 0x00FF8000;
    settings.barStyle = 0;
    settings.timeOutIndex = 9;
    WriteIni("[IsActive]\r\nIsKTDActive=1\r\n");
    store.Save();
    EXPECT_EQ(Ini(),
              "[IsActive]\r\nIsKTDActive=1\r\n"
              "[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=0\r\nFontName=Tahoma\r\n"
              "Bold=0\r\nItalic=1\r\nOSDSize=2\r\nOSDColor=$00FF8000\r\nOSDProgressStyle=0\r\nOSDTimeOut=9\r\n");
    // Saving writes no registry value; that is the dialog's OK.
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(SettingsStoreTest, SaveOfTheDesignValuesWritesNoSelections) {
    WriteIni("");
    store.Save();
    EXPECT_EQ(Ini(),
              "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=0\r\nAnimateSysTray=0\r\nFontName=\r\n"
              "Bold=0\r\nItalic=0\r\nOSDSize=-1\r\nOSDColor=clLime\r\nOSDProgressStyle=-1\r\nOSDTimeOut=-1\r\n");
}

TEST_F(SettingsStoreTest, SavedSettingsLoadBackUnchanged) {
    // Check boxes as bits: AutoLoad, WelcomeScreen, ScrollLock, AnimateSysTray, Bold, Italic.
    auto make = [&](unsigned checks, int font, int size, int style, int timeOut, ColorValue color) {
        Settings s = settings;
        bool* boxes[] = {&s.autoLoad,       &s.welcomeScreen, &s.useScrollLock,
                         &s.animateTray, &s.bold,       &s.italic};
        for (bool* box : boxes) {
            *box = (checks & 0b100000) != 0;
            checks <<= 1;
        }
        s.fontIndex = font;
        s.osdSize = size;
        s.barStyle = style;
        s.timeOutIndex = timeOut;
        s.osdColor = color;
        return s;
    };
    const Settings cases[] = {
        make(0b000000, kNoSelection, kNoSelection, kNoSelection, kNoSelection, kColorLime),  // design values
        make(0b111111, 3, 0, 1, 9, 0x00FF8000),
        make(0b101010, 0, 2, 0, 0, 0x80000018),             // clInfoBk
        make(0b010101, 1, 1, kNoSelection, 4, 0x1FFFFFFF),  // clNone
        make(0b110011, kNoSelection, 2, 1, 2, 0xFFFFFFFF),
        make(0b001100, 2, kNoSelection, 0, kNoSelection, 0x00000000),
    };
    for (const Settings& expected : cases) {
        settings = expected;
        WriteIni(std::string(kDefaultIniText));
        store.Save();
        const std::string saved = Ini();
        // The load starts from other values; only what was saved may show.
        settings = make(expected.autoLoad ? 0b011111 : 0b100000, 2, 1, 1, 1, 0x123456);
        Load();
        SCOPED_TRACE(saved);
        EXPECT_EQ(settings.autoLoad, expected.autoLoad);
        EXPECT_EQ(settings.welcomeScreen, expected.welcomeScreen);
        EXPECT_EQ(settings.useScrollLock, expected.useScrollLock);
        EXPECT_EQ(settings.animateTray, expected.animateTray);
        EXPECT_EQ(settings.bold, expected.bold);
        EXPECT_EQ(settings.italic, expected.italic);
        EXPECT_EQ(settings.osdSize, expected.osdSize);
        EXPECT_EQ(settings.osdColor, expected.osdColor);
        EXPECT_EQ(settings.barStyle, expected.barStyle);
        EXPECT_EQ(settings.timeOutIndex, expected.timeOutIndex);
        // Without a selection the saved name is empty; it matches nothing, so
        // the selection the load started from (Tahoma) stays.
        EXPECT_EQ(settings.fontName(), expected.fontIndex == kNoSelection ? "Tahoma" : expected.fontName());
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
    settings.fontNames = {"Arial", "Caf\xC3\xA9 Sans"};
    settings.fontIndex = 1;
    settings.osdColor = 0x80000018;
    settings.timeOutIndex = kNoSelection;
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
    EXPECT_EQ(settings.timeOutIndex, 2);
    EXPECT_EQ(fileMessages.boxes.size(), 1u);
    files.unreadable.clear();
    EXPECT_THROW(store.Save(), KeytideError);
    EXPECT_EQ(Ini(), "[Settings]\r\nOSDTimeOut=7\r\n");
    Load();
    EXPECT_EQ(settings.timeOutIndex, 7);
    EXPECT_NO_THROW(store.Save());
}

TEST_F(SettingsStoreTest, AnUndecodableColourIsReportedAndTakesItsDefaultWhileTheRestLoads) {
    settings.barStyle = 0;
    settings.timeOutIndex = 5;
    settings.osdColor = 0x123456;
    WriteIni(
        "[Settings]\r\nWelcomeScreen=1\r\nBold=1\r\nOSDSize=2\r\nOSDColor=clBogus\r\n"
        "OSDProgressStyle=1\r\nOSDTimeOut=9\r\n");
    EXPECT_EQ(ProblemsOfLoad(), std::vector<std::string>{"'clBogus' is not a valid integer value"});
    EXPECT_TRUE(settings.welcomeScreen);
    EXPECT_TRUE(settings.bold);
    EXPECT_EQ(settings.osdSize, 2);
    EXPECT_EQ(settings.fontName(), "Arial");
    EXPECT_EQ(settings.osdColor, kColorLime);
    // After the colour: loaded too, so the OSD has its time-out and bar.
    EXPECT_EQ(settings.barStyle, 1);
    EXPECT_EQ(settings.timeOutIndex, 9);

    WriteIni("[Settings]\r\nOSDColor=\r\n");
    EXPECT_EQ(ProblemsOfLoad(), std::vector<std::string>{"'' is not a valid integer value"});
}

TEST_F(SettingsStoreTest, LoadWritesTheRunValueFromAutoLoad) {
    WriteIni("[Settings]\r\nAutoLoad=1\r\n");
    Load();
    EXPECT_EQ(RunValue(kRunValueName), kExePath);

    // Off: the value stays, with empty data.
    WriteIni("[Settings]\r\nAutoLoad=0\r\n");
    Load();
    EXPECT_EQ(RunValue(kRunValueName), "");

    // Every load rewrites it: a moved program writes its new path.
    SettingsStore moved{settings, iniFile, registry, "D:\\Tools\\keytide.exe"};
    WriteIni("[Settings]\r\n");
    EXPECT_TRUE(moved.Load().empty());
    EXPECT_EQ(RunValue(kRunValueName), "D:\\Tools\\keytide.exe");

    // Only the current user's Run key is written.
    EXPECT_FALSE(registry.keys.count({RegistryRoot::LocalMachine, kRunKeyPath}));
}

TEST_F(SettingsStoreTest, ARefusedRunValueIsReportedAndTheRestLoads) {
    settings.welcomeScreen = false;
    settings.osdSize = kNoSelection;
    WriteIni("[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=1\r\nOSDSize=2\r\nOSDColor=nope\r\n");
    for (bool keyMissing : {false, true}) {
        registry.keys.clear();
        if (!keyMissing) registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath).writable = false;
        settings.autoLoad = true;
        EXPECT_EQ(ProblemsOfLoad(), (std::vector<std::string>{"Failed to set data for 'Keytide'",
                                                              "'nope' is not a valid integer value"}));
        EXPECT_FALSE(settings.autoLoad);
        EXPECT_TRUE(settings.welcomeScreen);
        EXPECT_EQ(settings.osdSize, 2);
        EXPECT_EQ(settings.fontName(), "Arial");
        // The key is never created.
        EXPECT_EQ(registry.keys.count({RegistryRoot::CurrentUser, kRunKeyPath}), keyMissing ? 0u : 1u);
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
    SettingsStore nameless{settings, iniFile, registry, "C:\\Tools\\"};
    nameless.RemoveExecutableRunValue();
    EXPECT_EQ(RunValue(""), "default");
}

// --- the settings dialog's start-up steps

class SettingsStartupTest : public SettingsStoreTest {
protected:
    fakes::FakeFontSource fonts;
    fakes::RecordingMessages messages;
    SettingsStartup startup{settings, store, fonts, messages};
};

TEST_F(SettingsStartupTest, CreationSetsTheDesignValuesAndRemovesTheExecutableNamedValue) {
    Settings loaded;  // what a load gives
    loaded.fontNames = {"Arial"};
    loaded.fontIndex = 0;
    settings = loaded;
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, "keytide.exe", "x");
    startup.ResetToDesignState();
    EXPECT_FALSE(settings.autoLoad || settings.welcomeScreen || settings.useScrollLock ||
                 settings.animateTray || settings.bold || settings.italic);
    EXPECT_EQ(settings.fontIndex, kNoSelection);
    EXPECT_EQ(settings.osdSize, kNoSelection);
    EXPECT_EQ(settings.barStyle, kNoSelection);
    EXPECT_EQ(settings.timeOutIndex, kNoSelection);
    EXPECT_EQ(settings.osdColor, kColorLime);
    EXPECT_EQ(RunValue("keytide.exe"), std::nullopt);
}

TEST_F(SettingsStartupTest, TheFontListHoldsEachFaceOnceInThePlatformOrder) {
    // Faces come once per character set; vertical variants carry an '@'.
    fonts.faces = {"Tahoma", "arial", "Arial", "@MS Gothic", "MS Gothic", "Tahoma", "", "Courier New", "Arial"};
    settings.fontIndex = 1;
    startup.FillFontList();
    EXPECT_EQ(settings.fontNames, (std::vector<std::string>{"arial", "Arial", "Courier New", "MS Gothic", "Tahoma"}));
    EXPECT_EQ(settings.fontIndex, kNoSelection);
}

TEST_F(SettingsStartupTest, LoadSettingsLoadsAndReportsAnErrorWithoutEndingTheStart) {
    fonts.faces = {"Tahoma", "Arial"};
    startup.FillFontList();
    WriteIni("[Settings]\r\nFontName=Tahoma\r\nOSDTimeOut=4\r\n");
    startup.LoadSettings();
    EXPECT_EQ(settings.fontName(), "Tahoma");
    EXPECT_EQ(settings.timeOutIndex, 4);
    EXPECT_TRUE(messages.boxes.empty());

    WriteIni("[Settings]\r\nOSDColor=nope\r\n");
    EXPECT_NO_THROW(startup.LoadSettings());
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{"Keytide|'nope' is not a valid integer value."}));

    // Each problem gets its own box.
    registry.keys.clear();
    messages.boxes.clear();
    EXPECT_NO_THROW(startup.LoadSettings());
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{"Keytide|Failed to set data for 'Keytide'.",
                                                        "Keytide|'nope' is not a valid integer value."}));
}

}  // namespace
}  // namespace keytide
