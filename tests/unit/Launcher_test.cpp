// Launching files, addresses, protocol handlers, the calculator, applets and
// the Windows-key shortcuts.
#include <gtest/gtest.h>

#include "actions/Launcher.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"
#include "model/Error.h"

namespace keytide {
namespace {

using platform::RegistryRoot;
using platform::RegistryValueType;

class LauncherTest : public ::testing::Test {
protected:
    fakes::MemoryFileSystem files;
    fakes::RecordingMessages messages;
    fakes::RecordingStarter starter;
    fakes::FakeRegistry registry;
    fakes::FakeWindowSystem windows;
    fakes::RecordingKeyInput keys;
    fakes::FakeShellAssociations associations;
    fakes::FakeSystemVersion system;
    Launcher launcher{LauncherServices{files, messages, starter, registry, windows, keys, associations, system}};
};

TEST_F(LauncherTest, RunFileOpensAnExistingFileWithoutArguments) {
    files.files["C:\\Tools\\app.exe"] = "";
    launcher.RunFile("C:\\Tools\\app.exe");
    EXPECT_EQ(starter.log, (std::vector<std::string>{"open C:\\Tools\\app.exe"}));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(LauncherTest, RunFileIgnoresEmptyAndTheNoneMarker) {
    launcher.RunFile("");
    launcher.RunFile("none");
    EXPECT_TRUE(starter.log.empty());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(LauncherTest, RunFileReportsWhatFailsTheExistenceTest) {
    files.files["C:\\Tools"] = "";
    files.directories.insert("C:\\Tools");
    files.files["C:\\Tools\\app.exe"] = "";
    // "None" is not the marker; a directory and a path with arguments do not pass.
    for (const char* path : {"None", "C:\\Tools", "C:\\Tools\\app.exe -x", "C:\\missing.txt"}) {
        messages.boxes.clear();
        launcher.RunFile(path);
        ASSERT_EQ(messages.boxes.size(), 1u) << path;
        EXPECT_EQ(messages.boxes[0], std::string("Error|File \"") + path + "\" does not exists!");
    }
    EXPECT_TRUE(starter.log.empty());
}

TEST_F(LauncherTest, AddressesGetHttpInFrontUnlessTheyCarryAnHttpScheme) {
    struct Case {
        const char* typed;
        const char* opened;
    };
    for (Case c : {Case{"example.com", "http://example.com"}, Case{"http://a.b", "http://a.b"},
                   Case{"HTTPS://A.B/Path", "HTTPS://A.B/Path"}, Case{"Http://x", "Http://x"},
                   Case{"mailto:me@x.y", "http://mailto:me@x.y"}, Case{"ftp://host", "http://ftp://host"},
                   Case{" http://x", "http:// http://x"}, Case{"http:/", "http://http:/"},
                   Case{"https:/", "http://https:/"}, Case{"Www.Example.COM", "http://Www.Example.COM"}}) {
        EXPECT_EQ(AddressToOpen(c.typed), c.opened) << c.typed;
    }
    launcher.OpenAddress("");
    EXPECT_TRUE(starter.log.empty());
    launcher.OpenAddress("example.com");
    EXPECT_EQ(starter.log, (std::vector<std::string>{"open http://example.com"}));
}

TEST_F(LauncherTest, OpenCommandIsCutBetweenTheFirstCharacterAndTheLastQuote) {
    struct Case {
        const char* value;
        const char* result;
    };
    for (Case c : {Case{"\"C:\\Mail\\mail.exe\" /compose %1", "C:\\Mail\\mail.exe"},
                   // A quoted argument after the quoted path stays out of the path.
                   Case{"\"C:\\B\\b.exe\" -osint -url \"%1\"", "C:\\B\\b.exe"},
                   Case{"C:\\B\\b.exe %1", ""}, Case{"C:\\B\\b.exe \"%1\"", ":\\B\\b.exe \"%1"},
                   Case{"\"\"", ""}, Case{"x\"", ""}, Case{"ab\"", "b"}, Case{"", ""}}) {
        EXPECT_EQ(CutQuotedCommand(c.value), c.result) << c.value;
    }
}

TEST_F(LauncherTest, ReadShellOpenCommandReadsTheProtocolKey) {
    EXPECT_EQ(launcher.ReadShellOpenCommand("mailto"), "none");

    auto& key = registry.AddKey(RegistryRoot::ClassesRoot, "mailto\\shell\\open\\command");
    EXPECT_EQ(launcher.ReadShellOpenCommand("mailto"), "");

    key.values[""] = {RegistryValueType::String, "\"C:\\Mail\\mail.exe\" %1"};
    EXPECT_EQ(launcher.ReadShellOpenCommand("mailto"), "C:\\Mail\\mail.exe");
    EXPECT_EQ(launcher.ReadShellOpenCommand("http"), "none");
}

// The order is shown here at the seam: Wine's shell (8.0) answers from the
// protocol's own key and never reads the user's choice, so end to end under
// Wine the choice and the key cannot differ.
TEST_F(LauncherTest, TheUsersChoiceComesFirstThenTheProtocolsKeyBothCutByThePathRules) {
    constexpr char kClassicKey[] = "http\\shell\\open\\command";
    struct Case {
        const char* name;
        std::optional<std::string> chosen;   // what the shell answers
        std::optional<std::string> classic;  // the protocol key's value; nothing: no key
        const char* expected;
    };
    const Case cases[] = {
        {"the user's choice", "\"C:\\Chosen\\b.exe\" -url \"%1\"", "\"C:\\Old\\ie.exe\" %1", "C:\\Chosen\\b.exe"},
        {"no choice: the key", std::nullopt, "\"C:\\Old\\ie.exe\" %1", "C:\\Old\\ie.exe"},
        {"an empty answer counts as none", "", "\"C:\\Old\\ie.exe\" %1", "C:\\Old\\ie.exe"},
        {"neither", std::nullopt, std::nullopt, "none"},
        {"no choice, empty key", std::nullopt, "", ""},
        // The choice is cut by the same rules: an unquoted command names no path.
        {"an unquoted choice", "C:\\Chosen\\b.exe %1", "\"C:\\Old\\ie.exe\" %1", ""},
        {"a choice without a key", "\"C:\\Chosen\\b.exe\" %1", std::nullopt, "C:\\Chosen\\b.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        associations.commands.clear();
        registry.keys.clear();
        if (c.chosen) associations.commands["http"] = *c.chosen;
        if (c.classic) registry.SetString(RegistryRoot::ClassesRoot, kClassicKey, "", *c.classic);
        EXPECT_EQ(launcher.ReadShellOpenCommand("http"), c.expected);
    }
}

TEST_F(LauncherTest, NonStringOpenCommandEndsWithAnError) {
    registry.AddKey(RegistryRoot::ClassesRoot, "http\\shell\\open\\command").values[""] = {RegistryValueType::Other,
                                                                                           ""};
    try {
        launcher.ReadShellOpenCommand("http");
        FAIL() << "a value that is not a string must not be read as one";
    } catch (const KeytideError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for ''");
    }
}

TEST_F(LauncherTest, CalculatorKeyStartsClosesAndStartsAgain) {
    launcher.ToggleCalculator();
    EXPECT_EQ(starter.log, (std::vector<std::string>{"open calc.exe"}));

    const auto calculator = windows.Add({"SciCalc", "any title"});
    launcher.ToggleCalculator();
    ASSERT_EQ(windows.log.size(), 1u);
    EXPECT_EQ(windows.log[0], fakes::FakeWindowSystem::Describe("close", calculator));

    windows.windows.clear();
    launcher.ToggleCalculator();
    EXPECT_EQ(starter.log.size(), 2u);
}

TEST_F(LauncherTest, CalculatorOfEveryWindowsGenerationIsFoundAndOnlyThat) {
    using Window = fakes::FakeWindowSystem::Window;
    struct Case {
        const char* name;
        std::vector<Window> present;
        int closed;  // index into present, -1: none is the calculator
    };
    const auto frame = [](const char* title, const char* program) {
        return Window{"ApplicationFrameWindow", title, false, false, true, program};
    };
    const Case cases[] = {
        {"classic, any title", {{"SciCalc", "Rechner"}}, 0},
        {"Windows 7, any title", {{"CalcFrame", "Calculator"}}, 0},
        {"Windows 11's app in German",
         {frame("Einstellungen", "SystemSettings.exe"), frame("Rechner", "CalculatorApp.exe")},
         1},
        {"Windows 10's app in French", {frame("Calculatrice", "Calculator.exe")}, 0},
        {"another app's frame", {frame("Settings", "SystemSettings.exe")}, -1},
        {"the English title is not enough", {frame("Calculator", "Notepad.exe"), {"Notepad", "Calculator"}}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.windows.clear();
        windows.log.clear();
        starter.log.clear();
        std::vector<platform::WindowId> ids;
        for (const auto& window : c.present) ids.push_back(windows.Add(window));

        launcher.ToggleCalculator();
        if (c.closed >= 0) {
            EXPECT_EQ(windows.log,
                      std::vector<std::string>{fakes::FakeWindowSystem::Describe("close", ids[c.closed])});
            EXPECT_TRUE(starter.log.empty());
        } else {
            EXPECT_TRUE(windows.log.empty());
            EXPECT_EQ(starter.log, std::vector<std::string>{"open calc.exe"});
        }
    }
}

TEST_F(LauncherTest, AppletsRunWithShowNormal) {
    launcher.RunControlPanelApplet("rundll32.exe shell32.dll,Control_RunDLL Desk.cpl");
    EXPECT_EQ(starter.log,
              (std::vector<std::string>{"start rundll32.exe shell32.dll,Control_RunDLL Desk.cpl /normal"}));
}

TEST_F(LauncherTest, WindowsKeyChordIsFourEventsInOrder) {
    launcher.WinKeyChord('R');
    launcher.WinKeyChord('d');
    EXPECT_EQ(keys.log, (std::vector<std::string>{"91 down", "82 down", "82 up", "91 up", "91 down", "68 down",
                                                  "68 up", "91 up"}));
}

// Windows + F opened the file search up to Windows 8.1; Windows 10 and 11
// (which both report 10) give that key to the Feedback Hub.
TEST_F(LauncherTest, FindFilesUsesTheWindowsKeyOnlyWhereItStillSearchesFiles) {
    struct Case {
        platform::WindowsVersion version;
        bool chord;
    };
    // Windows 7, 8.1, 10 or 11, and a version that could not be read.
    for (const Case& c : {Case{{6, 1}, true}, Case{{6, 3}, true}, Case{{10, 0}, false}, Case{{0, 0}, true}}) {
        keys.log.clear();
        starter.log.clear();
        system.version = c.version;
        launcher.FindFiles();
        using Log = std::vector<std::string>;
        EXPECT_EQ(keys.log, (c.chord ? Log{"91 down", "70 down", "70 up", "91 up"} : Log{})) << c.version.major;
        EXPECT_EQ(starter.log, (c.chord ? Log{} : Log{"open search-ms:"})) << c.version.major;
    }
}

}  // namespace
}  // namespace keytide
