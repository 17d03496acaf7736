// The [Settings] section: defaults, load order and its stopping rules, the
// font-selection rule, save order, round trips, the start-with-Windows entry
// and the settings dialog's start-up steps.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include "core/DefaultIni.h"
#include "core/Error.h"
#include "core/ini/IniText.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/FakeFontSource.h"
#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"
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
        settings.FontListBox = {"Arial", "Courier New", "Tahoma", "Times New Roman"};
        ResetToDesignValues(settings);
    }

    void WriteIni(const std::string& text) { files.files[kIniPath] = text; }
    std::string Ini() const { return files.files.at(kIniPath); }
    std::optional<std::string> RunValue(const std::string& name, RegistryRoot root = RegistryRoot::CurrentUser) {
        auto value = registry.ReadValue(root, kRunKeyPath, name);
        if (!value || value->type == platform::RegistryValueType::Missing) return std::nullopt;
        return value->text;
    }
    std::string ErrorOfLoad() {
        try {
            store.LoadIni();
        } catch (const KeytideError& error) {
            return error.what();
        }
        return "<no error>";
    }

    testing::MemoryFileSystem files;
    testing::FakeRegistry registry;
    Settings settings;
    SettingsStore store{settings, files, kIniPath, registry, kExePath};
};

TEST_F(SettingsStoreTest, AnEmptySectionLoadsTheMissingKeyDefaults) {
    for (const std::string text : {"[Settings]\r\n", "", "[Other]\r\nAutoLoad=0\r\n"}) {
        WriteIni(text);
        ResetToDesignValues(settings);
        store.LoadIni();
        EXPECT_TRUE(settings.AutoLoadChk);
        EXPECT_TRUE(settings.WelcomeScrChk);
        EXPECT_TRUE(settings.UseScrollLockChk);
        EXPECT_TRUE(settings.AnimateSystrayChk);
        EXPECT_EQ(settings.FontName(), "Arial");
        EXPECT_TRUE(settings.BoldChk);
        EXPECT_FALSE(settings.ItalicChk);
        EXPECT_EQ(settings.SizeListBox, 1);  // "Normal"
        EXPECT_EQ(settings.ColorPanel, kColorLime);
        EXPECT_EQ(settings.ProgressBarStyleListBox, 1);  // "Rounded"
        EXPECT_EQ(settings.TimeOutListBox, 2);           // "3" seconds
        EXPECT_EQ(RunValue(kRunValueName), kExePath);
    }
}

TEST_F(SettingsStoreTest, TheBuiltInFileSaysOneSecondTimeOut) {
    WriteIni(std::string(kIniBackup));
    store.LoadIni();
    EXPECT_EQ(settings.TimeOutListBox, 0);
    EXPECT_EQ(settings.SizeListBox, 1);
    EXPECT_EQ(settings.FontName(), "Arial");
    EXPECT_EQ(settings.ColorPanel, kColorLime);
}

TEST_F(SettingsStoreTest, AnIndexOutsideItsListLeavesNoSelectionAndSavesAsMinusOne) {
    struct Case {
        const char* line;
        int Settings::*list;
        const char* key;
    };
    const Case cases[] = {
        {"OSDTimeOut=12", &Settings::TimeOutListBox, "OSDTimeOut"},
        {"OSDTimeOut=10", &Settings::TimeOutListBox, "OSDTimeOut"},
        {"OSDTimeOut=-1", &Settings::TimeOutListBox, "OSDTimeOut"},
        {"OSDSize=3", &Settings::SizeListBox, "OSDSize"},
        {"OSDSize=-5", &Settings::SizeListBox, "OSDSize"},
        {"OSDProgressStyle=2", &Settings::ProgressBarStyleListBox, "OSDProgressStyle"},
    };
    for (const Case& c : cases) {
        WriteIni(std::string("[Settings]\r\n") + c.line + "\r\n");
        store.LoadIni();
        EXPECT_EQ(settings.*(c.list), kNoSelection) << c.line;
        store.SaveIni();
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
        settings.FontListBox = c.fonts;
        settings.FontIndex = c.earlierSelection;
        WriteIni(std::string("[Settings]\r\nFontName=") + c.name + "\r\n");
        store.LoadIni();
        EXPECT_EQ(settings.FontName(), c.expected) << "FontName=" << c.name;
    }
}

TEST_F(SettingsStoreTest, SaveWritesTheKeysInOrder) {
    settings.AutoLoadChk = true;
    settings.WelcomeScrChk = false;
    settings.UseScrollLockChk = true;
    settings.AnimateSystrayChk = false;
    settings.FontIndex = 2;
    settings.BoldChk = false;
    settings.ItalicChk = true;
    settings.SizeListBox = 2;
    settings.ColorPanel = 0x00FF8000;
    settings.ProgressBarStyleListBox = 0;
    settings.TimeOutListBox = 9;
    WriteIni("[IsActive]\r\nIsKTDActive=1\r\n");
    store.SaveIni();
    EXPECT_EQ(Ini(),
              "[IsActive]\r\nIsKTDActive=1\r\n"
              "[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=0\r\nFontName=Tahoma\r\n"
              "Bold=0\r\nItalic=1\r\nOSDSize=2\r\nOSDColor=$00FF8000\r\nOSDProgressStyle=0\r\nOSDTimeOut=9\r\n");
    // Saving writes no registry value; that is the dialog's OK.
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(SettingsStoreTest, SaveOfTheDesignValuesWritesNoSelections) {
    WriteIni("");
    store.SaveIni();
    EXPECT_EQ(Ini(),
              "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=0\r\nAnimateSysTray=0\r\nFontName=\r\n"
              "Bold=0\r\nItalic=0\r\nOSDSize=-1\r\nOSDColor=clLime\r\nOSDProgressStyle=-1\r\nOSDTimeOut=-1\r\n");
}

TEST_F(SettingsStoreTest, SavedSettingsLoadBackUnchanged) {
    // Check boxes as bits: AutoLoad, WelcomeScreen, ScrollLock, AnimateSysTray, Bold, Italic.
    auto make = [&](unsigned checks, int font, int size, int style, int timeOut, ColorValue color) {
        Settings s = settings;
        bool* boxes[] = {&s.AutoLoadChk,       &s.WelcomeScrChk, &s.UseScrollLockChk,
                         &s.AnimateSystrayChk, &s.BoldChk,       &s.ItalicChk};
        for (bool* box : boxes) {
            *box = (checks & 0b100000) != 0;
            checks <<= 1;
        }
        s.FontIndex = font;
        s.SizeListBox = size;
        s.ProgressBarStyleListBox = style;
        s.TimeOutListBox = timeOut;
        s.ColorPanel = color;
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
        WriteIni(std::string(kIniBackup));
        store.SaveIni();
        const std::string saved = Ini();
        // The load starts from other values; only what was saved may show.
        settings = make(expected.AutoLoadChk ? 0b011111 : 0b100000, 2, 1, 1, 1, 0x123456);
        store.LoadIni();
        SCOPED_TRACE(saved);
        EXPECT_EQ(settings.AutoLoadChk, expected.AutoLoadChk);
        EXPECT_EQ(settings.WelcomeScrChk, expected.WelcomeScrChk);
        EXPECT_EQ(settings.UseScrollLockChk, expected.UseScrollLockChk);
        EXPECT_EQ(settings.AnimateSystrayChk, expected.AnimateSystrayChk);
        EXPECT_EQ(settings.BoldChk, expected.BoldChk);
        EXPECT_EQ(settings.ItalicChk, expected.ItalicChk);
        EXPECT_EQ(settings.SizeListBox, expected.SizeListBox);
        EXPECT_EQ(settings.ColorPanel, expected.ColorPanel);
        EXPECT_EQ(settings.ProgressBarStyleListBox, expected.ProgressBarStyleListBox);
        EXPECT_EQ(settings.TimeOutListBox, expected.TimeOutListBox);
        // Without a selection the saved name is empty; it matches nothing, so
        // the selection the load started from (Tahoma) stays.
        EXPECT_EQ(settings.FontName(), expected.FontIndex == kNoSelection ? "Tahoma" : expected.FontName());
        // The rest of the file is untouched by the save.
        EXPECT_EQ(ini::ReadString(saved, "NumPadKey6", "OSDLabel", "?"), "Vol+");
        EXPECT_EQ(ini::ReadString(saved, "IsActive", "IsKTDActive", "?"), "1");
    }
}

TEST_F(SettingsStoreTest, ColourNamesComeBackInTheirTableSpelling) {
    WriteIni("[Settings]\r\nOSDColor=CLLIME\r\n");
    store.LoadIni();
    EXPECT_EQ(settings.ColorPanel, kColorLime);
    store.SaveIni();
    EXPECT_EQ(ini::ReadString(Ini(), "Settings", "OSDColor", "?"), "clLime");
}

TEST_F(SettingsStoreTest, AFailedSaveStopsAtThatKeyAndNamesTheFile) {
    WriteIni("[Settings]\r\n");
    settings.AutoLoadChk = true;
    files.failWriteNumber = files.writeCount + 3;  // the third write: ScrollLock
    try {
        store.SaveIni();
        FAIL() << "the save went through";
    } catch (const KeytideError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + kIniPath);
    }
    EXPECT_EQ(Ini(), "[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=0\r\n");
}

TEST_F(SettingsStoreTest, AnUndecodableColourEndsTheLoadThere) {
    settings.ProgressBarStyleListBox = 0;
    settings.TimeOutListBox = 5;
    WriteIni(
        "[Settings]\r\nWelcomeScreen=1\r\nBold=1\r\nOSDSize=2\r\nOSDColor=Limegreen\r\n"
        "OSDProgressStyle=1\r\nOSDTimeOut=9\r\n");
    EXPECT_EQ(ErrorOfLoad(), "'Limegreen' is not a valid integer value");
    // Before the colour: loaded.
    EXPECT_TRUE(settings.WelcomeScrChk);
    EXPECT_TRUE(settings.BoldChk);
    EXPECT_EQ(settings.SizeListBox, 2);
    EXPECT_EQ(settings.FontName(), "Arial");
    // The colour and after it: as the controls were.
    EXPECT_EQ(settings.ColorPanel, kColorLime);
    EXPECT_EQ(settings.ProgressBarStyleListBox, 0);
    EXPECT_EQ(settings.TimeOutListBox, 5);

    WriteIni("[Settings]\r\nOSDColor=\r\n");
    EXPECT_EQ(ErrorOfLoad(), "'' is not a valid integer value");
}

TEST_F(SettingsStoreTest, LoadWritesTheRunValueFromAutoLoad) {
    WriteIni("[Settings]\r\nAutoLoad=1\r\n");
    store.LoadIni();
    EXPECT_EQ(RunValue(kRunValueName), kExePath);

    // Off: the value stays, with empty data.
    WriteIni("[Settings]\r\nAutoLoad=0\r\n");
    store.LoadIni();
    EXPECT_EQ(RunValue(kRunValueName), "");

    // Every load rewrites it: a moved program writes its new path.
    SettingsStore moved{settings, files, kIniPath, registry, "D:\\Tools\\keytide.exe"};
    WriteIni("[Settings]\r\n");
    moved.LoadIni();
    EXPECT_EQ(RunValue(kRunValueName), "D:\\Tools\\keytide.exe");

    // Only the current user's Run key is written.
    EXPECT_FALSE(registry.keys.count({RegistryRoot::LocalMachine, kRunKeyPath}));
}

TEST_F(SettingsStoreTest, ARefusedRunValueEndsTheLoadRightAfterAutoLoad) {
    settings.WelcomeScrChk = false;
    settings.SizeListBox = kNoSelection;
    WriteIni("[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=1\r\nOSDSize=2\r\n");
    for (bool keyMissing : {false, true}) {
        registry.keys.clear();
        if (!keyMissing) registry.AddKey(RegistryRoot::CurrentUser, kRunKeyPath).writable = false;
        settings.AutoLoadChk = true;
        EXPECT_EQ(ErrorOfLoad(), "Failed to set data for 'Keytide'");
        EXPECT_FALSE(settings.AutoLoadChk);  // read before the write
        EXPECT_FALSE(settings.WelcomeScrChk);
        EXPECT_EQ(settings.SizeListBox, kNoSelection);
        EXPECT_EQ(settings.FontIndex, kNoSelection);
        // The key is never created.
        EXPECT_EQ(registry.keys.count({RegistryRoot::CurrentUser, kRunKeyPath}), keyMissing ? 0u : 1u);
    }
}

TEST(ExecutableFileNameTest, IsThePartAfterTheLastSeparator) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Program Files\\Keytide\\keytide.exe", "keytide.exe"},
        {"C:keytide.exe", "keytide.exe"},
        {"\\\\server\\share\\tools/kt.exe", "kt.exe"},
        {"keytide.exe", "keytide.exe"},
        {"C:\\Tools\\", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(ExecutableFileName(path), name) << path;
}

TEST_F(SettingsStoreTest, TheExecutableNamedRunValueIsRemoved) {
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, "keytide.exe", "C:\\old\\keytide.exe");
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, kRunValueName, kExePath);
    store.RemoveExecutableRunValue();
    EXPECT_EQ(RunValue("keytide.exe"), std::nullopt);
    EXPECT_EQ(RunValue(kRunValueName), kExePath);

    // A path without a file name removes nothing (not the key's default value).
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, "", "default");
    SettingsStore nameless{settings, files, kIniPath, registry, "C:\\Tools\\"};
    nameless.RemoveExecutableRunValue();
    EXPECT_EQ(RunValue(""), "default");
}

// --- the settings dialog's start-up steps

class SettingsStartupTest : public SettingsStoreTest {
protected:
    testing::FakeFontSource fonts;
    testing::RecordingMessages messages;
    SettingsStartup startup{settings, store, fonts, messages};
};

TEST_F(SettingsStartupTest, CreationSetsTheDesignValuesAndRemovesTheExecutableNamedValue) {
    Settings loaded;  // what a load gives
    loaded.FontListBox = {"Arial"};
    loaded.FontIndex = 0;
    settings = loaded;
    registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, "keytide.exe", "x");
    startup.FormCreate();
    EXPECT_FALSE(settings.AutoLoadChk || settings.WelcomeScrChk || settings.UseScrollLockChk ||
                 settings.AnimateSystrayChk || settings.BoldChk || settings.ItalicChk);
    EXPECT_EQ(settings.FontIndex, kNoSelection);
    EXPECT_EQ(settings.SizeListBox, kNoSelection);
    EXPECT_EQ(settings.ProgressBarStyleListBox, kNoSelection);
    EXPECT_EQ(settings.TimeOutListBox, kNoSelection);
    EXPECT_EQ(settings.ColorPanel, kColorLime);
    EXPECT_EQ(RunValue("keytide.exe"), std::nullopt);
}

TEST_F(SettingsStartupTest, TheFontListHoldsEachFaceOnceInThePlatformOrder) {
    // Faces come once per character set; vertical variants carry an '@'.
    fonts.faces = {"Tahoma", "arial", "Arial", "@MS Gothic", "MS Gothic", "Tahoma", "", "Courier New", "Arial"};
    settings.FontIndex = 1;
    startup.FillFontList();
    EXPECT_EQ(settings.FontListBox, (std::vector<std::string>{"arial", "Arial", "Courier New", "MS Gothic", "Tahoma"}));
    EXPECT_EQ(settings.FontIndex, kNoSelection);
}

TEST_F(SettingsStartupTest, LoadSettingsLoadsAndReportsAnErrorWithoutEndingTheStart) {
    fonts.faces = {"Tahoma", "Arial"};
    startup.FillFontList();
    WriteIni("[Settings]\r\nFontName=Tahoma\r\nOSDTimeOut=4\r\n");
    startup.LoadSettings();
    EXPECT_EQ(settings.FontName(), "Tahoma");
    EXPECT_EQ(settings.TimeOutListBox, 4);
    EXPECT_TRUE(messages.boxes.empty());

    WriteIni("[Settings]\r\nOSDColor=nope\r\n");
    EXPECT_NO_THROW(startup.LoadSettings());
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{"Keytide|'nope' is not a valid integer value."}));

    registry.keys.clear();
    EXPECT_NO_THROW(startup.LoadSettings());
    EXPECT_EQ(messages.boxes.back(), "Keytide|Failed to set data for 'Keytide'.");
}

}  // namespace
}  // namespace keytide
