// The media player's remote control: every request sequence of its
// properties and operations, the six actions' sequences, the uninstall entry,
// starting the player.
#include "media/WinampRemote.h"

#include <gtest/gtest.h>

#include <functional>

#include "doubles/MemoryFileSystem.h"
#include "doubles/PlatformDoubles.h"

namespace keytide {
namespace {

using Log = std::vector<std::string>;
using platform::RegistryRoot;

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp";
constexpr char kPlayerDir[] = "C:\\PROGRAM FILES\\WINAMP\\";

// A player window answering queries the way the player does. Requests to it
// are logged as "ask <code>[ arg <argument>]" and "cmd <id>"; requests that
// find no player window end in " (none)".
class PlayerWindowSystem : public fakes::FakeWindowSystem {
public:
    struct Player {
        std::intptr_t version = 0x5010;
        std::intptr_t state = 0;  // 0 stopped, 1 playing, 3 paused
        std::intptr_t length = 0;
        std::intptr_t position = 0;  // 0-based
        std::intptr_t time = 0;
        std::intptr_t shuffle = 0;
    };

    void StartPlayer() { playerWindow = Add({"Winamp v1.x", "Winamp 2.91", 0, true}); }

    platform::WindowId FindTopWindow(const char* className, const char* title) override {
        if (std::string(className) == "Winamp v1.x") {
            ++playerLookups;
            if (onPlayerLookup) onPlayerLookup();
        }
        return FakeWindowSystem::FindTopWindow(className, title);
    }
    std::optional<std::intptr_t> SendPlayerRequest(platform::WindowId window, std::int32_t code, std::int32_t argument,
                                                   unsigned timeoutMs) override {
        timeouts.push_back(timeoutMs);
        std::string line = "ask " + std::to_string(code);
        if (argument != 0) line += " arg " + std::to_string(argument);
        log.push_back(line + Target(window));
        if (window == 0 || hung) return std::nullopt;
        return Answer(argument, code);
    }
    void PostPlayerCommand(platform::WindowId window, std::uint32_t id) override {
        log.push_back("cmd " + std::to_string(id) + Target(window));
    }

    Player player;
    platform::WindowId playerWindow = 0;
    int playerLookups = 0;
    std::function<void()> onPlayerLookup;  // before each lookup, e.g. to close the player
    std::vector<unsigned> timeouts;

private:
    std::string Target(platform::WindowId window) const {
        if (window == 0) return " (none)";
        return window == playerWindow ? "" : " to " + std::to_string(window);
    }
    std::intptr_t Answer(std::int32_t argument, std::int32_t code) {
        switch (code) {
        case 0:
            return player.version;
        case 104:
            return player.state;
        case 105:
            return player.time;
        case 121:
            player.position = argument;
            return 0;
        case 124:
            return player.length;
        case 125:
            return player.position;
        case 250:
            return player.shuffle;
        default:
            return 0;
        }
    }
};

// Starting a program can bring the player up at once (or not).
class PlayerStarter : public fakes::RecordingStarter {
public:
    void StartProgram(const std::string& commandLine, platform::ShowState show) override {
        RecordingStarter::StartProgram(commandLine, show);
        if (onExec) onExec();
    }
    std::function<void()> onExec;
};

class WinampRemoteTest : public ::testing::Test {
protected:
    WinampRemoteTest() {
        registry.SetString(RegistryRoot::LocalMachine, kUninstallKey, "UninstallString",
                           "\"C:\\Program Files\\Winamp\\UninstWA.exe\"");
    }

    void StartPlayer(std::intptr_t state, std::intptr_t length) {
        windows.StartPlayer();
        windows.player.state = state;
        windows.player.length = length;
    }
    Log TakeLog() {
        Log taken;
        taken.swap(windows.log);
        return taken;
    }
    // What the player keys do for Play/Pause while the player's window exists.
    void PlayPause() {
        if (!winamp.IsRunning()) winamp.SetRunning(true);
        winamp.SetPlayState(winamp.QueryPlayState() == PlayState::Playing ? PlayState::Paused : PlayState::Playing);
    }

    PlayerWindowSystem windows;
    fakes::FakeRegistry registry;
    PlayerStarter starter;
    fakes::MemoryFileSystem files;
    WinampRemote winamp{WinampServices{windows, registry, starter, files}};
};

TEST_F(WinampRemoteTest, PropertiesAndOperationsMakeTheirRequests) {
    StartPlayer(1, 5);
    windows.player.position = 2;
    windows.player.time = 61000;
    windows.player.shuffle = 1;
    struct Case {
        const char* name;
        std::function<void()> run;
        Log expected;
    };
    const Case cases[] = {
        {"is running", [&] { EXPECT_TRUE(winamp.IsRunning()); }, {"ask 0"}},
        {"run while running", [&] { winamp.SetRunning(true); }, {"ask 0"}},
        {"close", [&] { winamp.SetRunning(false); }, {"ask 0", "cmd 40001"}},
        {"play state", [&] { EXPECT_EQ(winamp.QueryPlayState(), PlayState::Playing); }, {"ask 104"}},
        {"stop", [&] { winamp.SetPlayState(PlayState::Stopped); }, {"cmd 40047"}},
        {"pause", [&] { winamp.SetPlayState(PlayState::Paused); }, {"ask 104", "cmd 40046"}},
        {"play while playing", [&] { winamp.SetPlayState(PlayState::Playing); }, {"ask 124", "ask 104"}},
        {"NextTrack", [&] { winamp.NextTrack(); }, {"cmd 40048"}},
        {"PreviousTrack", [&] { winamp.PreviousTrack(); }, {"cmd 40044"}},
        {"StepForward", [&] { winamp.StepForward(); }, {"cmd 40148"}},
        {"StepBackward", [&] { winamp.StepBackward(); }, {"cmd 40144"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.log.clear();
        windows.playerLookups = 0;
        c.run();
        EXPECT_EQ(windows.log, c.expected);
        // The window is looked up for every single request.
        EXPECT_EQ(windows.playerLookups, static_cast<int>(std::max<std::size_t>(c.expected.size(), 1)));
    }
    EXPECT_TRUE(starter.log.empty());
}

TEST_F(WinampRemoteTest, RepliesMapToStatesAndSequences) {
    StartPlayer(0, 1);
    struct StateCase {
        std::intptr_t reply;
        PlayState state;
    };
    for (const auto& c :
         {StateCase{0, PlayState::Stopped}, StateCase{1, PlayState::Playing}, StateCase{3, PlayState::Paused}}) {
        windows.player.state = c.reply;
        EXPECT_EQ(winamp.QueryPlayState(), c.state) << c.reply;
    }
    windows.player.shuffle = 0;
    windows.player.position = 0;
}

TEST_F(WinampRemoteTest, PlayPauseSequencesOfARunningPlayer) {
    struct Case {
        const char* name;
        std::intptr_t state;
        std::intptr_t length;
        Log expected;
    };
    const Case cases[] = {
        {"playing", 1, 4, {"ask 0", "ask 104", "ask 104", "cmd 40046"}},
        {"paused", 3, 4, {"ask 0", "ask 104", "ask 124", "ask 104", "cmd 40046"}},
        {"stopped", 0, 4, {"ask 0", "ask 104", "ask 124", "ask 104", "cmd 40045"}},
        {"stopped, empty playlist", 0, 0, {"ask 0", "ask 104", "ask 124"}},
        {"unknown state", 2, 4, {"ask 0", "ask 104", "ask 124", "ask 104"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.windows.clear();
        StartPlayer(c.state, c.length);
        windows.log.clear();
        PlayPause();
        EXPECT_EQ(windows.log, c.expected);
    }
    EXPECT_TRUE(starter.log.empty());
}

TEST_F(WinampRemoteTest, PlayPauseWithoutPlayerStartsItQuoted) {
    PlayPause();
    EXPECT_EQ(TakeLog(), (Log{"ask 0 (none)", "ask 0 (none)", "ask 104 (none)", "ask 124 (none)"}));
    EXPECT_EQ(starter.log, Log{"start \"C:\\PROGRAM FILES\\WINAMP\\Winamp.exe\" /normal"});

    // A player that is up at once, stopped with a playlist, is asked to play.
    starter.log.clear();
    starter.onExec = [&] { StartPlayer(0, 2); };
    PlayPause();
    EXPECT_EQ(TakeLog(), (Log{"ask 0 (none)", "ask 0 (none)", "ask 104", "ask 124", "ask 104", "cmd 40045"}));
    EXPECT_EQ(starter.log.size(), 1u);
}

TEST_F(WinampRemoteTest, OtherActionsNeverStartThePlayer) {
    winamp.StepBackward();
    winamp.StepForward();
    winamp.NextTrack();
    winamp.PreviousTrack();
    winamp.SetPlayState(PlayState::Stopped);
    EXPECT_EQ(TakeLog(), (Log{"cmd 40144 (none)", "cmd 40148 (none)", "cmd 40048 (none)", "cmd 40044 (none)",
                              "cmd 40047 (none)"}));
    EXPECT_TRUE(starter.log.empty());
}

TEST_F(WinampRemoteTest, WithoutPlayerEveryReplyCountsAsZero) {
    EXPECT_FALSE(winamp.IsRunning());
    EXPECT_EQ(winamp.QueryPlayState(), PlayState::Stopped);
    winamp.SetRunning(false);
    EXPECT_EQ(windows.log.back(), "ask 0 (none)");  // nothing to close
}

TEST_F(WinampRemoteTest, HungPlayerCountsAsZeroAndEveryQueryIsBounded) {
    StartPlayer(1, 3);
    windows.player.position = 4;
    windows.hung = true;
    EXPECT_FALSE(winamp.IsRunning());
    EXPECT_EQ(winamp.QueryPlayState(), PlayState::Stopped);
    PlayPause();
    ASSERT_FALSE(windows.timeouts.empty());
    for (unsigned timeout : windows.timeouts) EXPECT_EQ(timeout, WinampRemote::kQueryTimeoutMs);
    EXPECT_LE(WinampRemote::kQueryTimeoutMs, 500u);
}

TEST_F(WinampRemoteTest, PlayerDirectoryFromTheUninstallEntry) {
    struct Case {
        const char* name;
        std::optional<platform::RegistryValue> value;  // nothing: no key at all
        std::string expected;
    };
    using platform::RegistryValueType;
    const Case cases[] = {
        {"quoted", {{RegistryValueType::String, "\"C:\\Program Files\\Winamp\\UninstWA.exe\""}}, kPlayerDir},
        {"unquoted", {{RegistryValueType::String, "C:\\Program Files\\Winamp\\UninstWA.exe"}}, kPlayerDir},
        {"with arguments", {{RegistryValueType::String, "\"D:\\Apps\\wa\\un.exe\" /S"}}, "D:\\APPS\\WA\\"},
        {"folder only", {{RegistryValueType::String, "c:\\winamp\\"}}, "C:\\WINAMP\\"},
        {"no backslash", {{RegistryValueType::String, "\"UninstWA.exe\""}}, ""},
        {"empty", {{RegistryValueType::String, ""}}, ""},
        {"only a quote", {{RegistryValueType::String, "\""}}, ""},
        {"missing value", {{RegistryValueType::Missing, ""}}, ""},
        {"not a string", {{RegistryValueType::Other, "\\\\"}}, ""},
        {"no key", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        registry.keys.clear();
        if (c.value) registry.AddKey(RegistryRoot::LocalMachine, kUninstallKey).values["UninstallString"] = *c.value;
        EXPECT_EQ(winamp.PlayerDirectory(), c.expected);
    }
}

TEST_F(WinampRemoteTest, InstalledWhereTheUninstallEntryNamesAFolderWithThePlayer) {
    const std::string program = std::string(kPlayerDir) + "Winamp.exe";
    EXPECT_FALSE(winamp.IsInstalled());  // an entry left behind by an uninstall
    files.directories.insert(program);
    EXPECT_FALSE(winamp.IsInstalled());
    files.directories.clear();
    files.files[program] = "MZ";
    EXPECT_TRUE(winamp.IsInstalled());
    registry.keys.clear();
    EXPECT_FALSE(winamp.IsInstalled());
    EXPECT_TRUE(TakeLog().empty());  // the player itself is not asked
}

TEST_F(WinampRemoteTest, StartingThePlayerWithoutOrWithAStrangeDirectory) {
    registry.keys.clear();
    winamp.SetRunning(true);
    EXPECT_EQ(starter.log, Log{"start \"Winamp.exe\" /normal"});  // the system searches for it

    // A quote left inside the folder cannot be a path; quoting it would run
    // something else, so nothing runs.
    starter.log.clear();
    registry.SetString(RegistryRoot::LocalMachine, kUninstallKey, "UninstallString",
                       "\"C:\\Winamp\\UninstWA.exe\" \"/log=D:\\logs\\x\"");
    ASSERT_EQ(winamp.PlayerDirectory(), "C:\\WINAMP\\UNINSTWA.EXE\" \"/LOG=D:\\LOGS\\");
    winamp.SetRunning(true);
    EXPECT_TRUE(starter.log.empty());
}

}  // namespace
}  // namespace keytide
