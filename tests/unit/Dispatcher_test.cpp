// The road of one key press: the slot's assignment, the label, the volume-bar
// decision, the deferred actions and the two counters, in that order.
#include <gtest/gtest.h>

#include "actions/ActionCatalog.h"
#include "actions/Dispatcher.h"
#include "core/DefaultIni.h"
#include "platform/Error.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/MemoryFileSystem.h"

namespace keytide {
namespace {

using testing::CallLog;

// Every operation the dispatcher can reach, recorded by name in one log.
class RecordingOperations : public LaunchOperations,
                            public WindowOperations,
                            public PowerOperations,
                            public MasterVolume,
                            public WinampControl,
                            public OsdDisplay {
public:
    explicit RecordingOperations(CallLog& log) : log_(log) {}

    void RunFile(const std::string& path) override { Log("RunFile " + path); }
    void OpenAddress(const std::string& address) override { Log("OpenAddress " + address); }
    std::string ReadShellOpenCommand(const std::string& protocol) override {
        Log("ReadShellOpenCommand " + protocol);
        if (failOpenCommand) throw KeytideError("Invalid data type for ''");
        return "C:\\" + protocol + ".exe";
    }
    void ToggleCalculator() override { Log("ToggleCalculator"); }
    void RunControlPanelApplet(const std::string& commandLine) override { Log("Applet " + commandLine); }
    void WinKeyChord(char letter) override { Log(std::string("WinKeyChord ") + letter); }

    void CloseForegroundWindow() override { Log("Close"); }
    void MaximizeForegroundWindow() override { Log("Maximize"); }
    void MinimizeForegroundWindow() override { Log("Minimize"); }
    void RestoreForegroundWindow() override { Log("Restore"); }
    void EjectCD() override { Log("EjectCD"); }
    void RefreshDesktop() override { Log("RefreshDesktop"); }
    void StartScreenSaver() override { Log("StartScreenSaver"); }

    void LogOff() override { Log("LogOff"); }
    void OpenShutdownDialog() override { Log("OpenShutdownDialog"); }
    void RequestPower(PowerAction type) override {
        Log("Shutdown " + std::to_string(static_cast<int>(type)));
    }

    void ToggleMute() override { Log("ToggleMute"); }
    void VolumeDown() override { Log("VolumeDown"); }
    void VolumeUp() override { Log("VolumeUp"); }
    LineVolume ReadMasterVolume() override { return {}; }

    bool IsRunning() override {
        Log("Started?");
        return winampRunning;
    }
    void SetRunning(bool started) override {
        Log(std::string("SetStarted ") + (started ? "1" : "0"));
        winampRunning = started;
    }
    PlayState QueryPlayState() override {
        Log("PlayState?");
        return playState;
    }
    void SetPlayState(PlayState state) override {
        Log("SetPlayState " + std::to_string(static_cast<int>(state)));
        playState = state;
    }
    void StepBackward() override { Log("StepBackward"); }
    void StepForward() override { Log("StepForward"); }
    void NextTrack() override { Log("NextTrack"); }
    void PreviousTrack() override { Log("PreviousTrack"); }

    bool IsTextWindowVisible() const override { return labelVisible; }
    void ShowLabel(const std::string& label) override {
        Log("ShowLabel " + label);
        labelVisible = true;
    }
    void ShowVolumeBar() override { Log("ShowVolumeBar"); }
    void HideVolumeBar() override { Log("HideVolumeBar"); }

    bool winampRunning = true;
    PlayState playState = PlayState::Stopped;
    bool labelVisible = false;
    bool failOpenCommand = false;

private:
    void Log(std::string call) { log_.push_back(std::move(call)); }
    CallLog& log_;
};

class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest() {
        files.files[kIniPath] = "";
        controller.OnCreate();
        controller.SetDispatcher(dispatcher);
    }

    void Assign(int slot, int kind, int actionIndex, std::string label = "L") {
        KeyAssignment& key = controller.Assignments()[slot];
        key.kind = kind;
        key.actionIndex = actionIndex;
        key.osdLabel = std::move(label);
    }
    CallLog Press(int slot) {
        log.clear();
        dispatcher.DispatchSlot(slot);
        return log;
    }

    static constexpr char kIniPath[] = "C:\\K\\ktd.ini";
    CallLog log;
    CallLog seamLog;
    testing::MemoryFileSystem files;
    testing::RecordingMessages messages;
    testing::FakeHotkeys hotkeys{seamLog};
    testing::FakeLockKeyboard keyboard{seamLog, hotkeys};
    testing::RecordingTray tray{seamLog};
    testing::FakeMainWindow mainWindow;
    testing::RecordingStartup startup{seamLog};
    Settings settings;
    MainController controller{
        ControllerServices{files, messages, hotkeys, keyboard, tray, mainWindow, startup, settings}, kIniPath};
    RecordingOperations operations{log};
    OsdCounters counters;
    Dispatcher dispatcher{DispatchServices{operations, operations, operations, operations, operations, operations},
                          controller, counters};
};

TEST_F(DispatcherTest, EachImmediateActionCallsItsOperation) {
    const std::map<int, CallLog> expected = {
        {0, {"Close"}},
        {1, {"Maximize"}},
        {2, {"Minimize"}},
        {3, {"Restore"}},
        {4, {"EjectCD"}},
        {5, {"ToggleCalculator"}},
        {6, {"ReadShellOpenCommand mailto", "RunFile C:\\mailto.exe"}},
        {7, {"ReadShellOpenCommand http", "RunFile C:\\http.exe"}},
        {8, {"WinKeyChord R"}},
        {9, {"WinKeyChord E"}},
        {10, {"LogOff"}},
        {11, {"WinKeyChord D"}},
        {12, {"ToggleMute"}},
        {13, {"Applet rundll32.exe shell32.dll,Control_RunDLL Appwiz.cpl"}},
        {14, {"Applet rundll32.exe shell32.dll,Control_RunDLL Desk.cpl"}},
        {15, {"Applet rundll32.exe shell32.dll,Control_RunDLL Sysdm.cpl"}},
        {16, {"RefreshDesktop"}},
        {17, {"Shutdown 2"}},
        {19, {"Shutdown 1"}},  // shut down, not power off
        {20, {"WinKeyChord F"}},
        {21, {"VolumeDown"}},
        {22, {"VolumeUp"}},
        {23, {"StepBackward"}},
        {24, {"StepForward"}},
        {25, {"NextTrack"}},
        {27, {"PreviousTrack"}},
        {28, {"SetPlayState 0"}},
        {30, {"Shutdown 4"}},
    };
    for (const auto& [index, calls] : expected) {
        Assign(3, 0, index, "X");
        CallLog got = Press(3);
        got.erase(std::remove_if(got.begin(), got.end(),
                                 [](const std::string& call) {
                                     return call.rfind("ShowLabel", 0) == 0 || call == "ShowVolumeBar" ||
                                            call == "HideVolumeBar";
                                 }),
                  got.end());
        EXPECT_EQ(got, calls) << "action " << index << " (" << kActionCatalog[index].text << ")";
    }
}

TEST_F(DispatcherTest, DeferredActionsRunAfterTheLabel) {
    Assign(0, 0, 18, "SSaver");
    EXPECT_EQ(Press(0), (CallLog{"ShowLabel SSaver", "HideVolumeBar", "StartScreenSaver"}));
    operations.labelVisible = false;
    Assign(0, 0, 29, "ShdwnDlg");
    EXPECT_EQ(Press(0), (CallLog{"ShowLabel ShdwnDlg", "HideVolumeBar", "OpenShutdownDialog"}));
}

TEST_F(DispatcherTest, VolumeKeysShowTheBarAfterTheLabel) {
    Assign(6, 0, 22, "Vol+");
    EXPECT_EQ(Press(6), (CallLog{"VolumeUp", "ShowLabel Vol+", "ShowVolumeBar"}));
    // Held key: no rebuild of the label, the bar follows the volume.
    EXPECT_EQ(Press(6), (CallLog{"VolumeUp", "ShowVolumeBar"}));
}

TEST_F(DispatcherTest, OtherKindsIgnoreTheirLeftOverActionIndex) {
    for (int leftOver : {18, 21, 22, 29}) {
        KeyAssignment& key = controller.Assignments()[2];
        key.actionIndex = leftOver;
        key.fileName = "C:\\a.exe";
        key.address = "example.com";
        key.osdLabel = "K";
        key.kind = 1;
        operations.labelVisible = false;
        EXPECT_EQ(Press(2), (CallLog{"RunFile C:\\a.exe", "ShowLabel K", "HideVolumeBar"})) << leftOver;
        key.kind = 2;
        operations.labelVisible = false;
        EXPECT_EQ(Press(2), (CallLog{"OpenAddress example.com", "ShowLabel K", "HideVolumeBar"})) << leftOver;
    }
}

TEST_F(DispatcherTest, UnknownKindsAndIndicesCarryOutNothingButShowTheLabel) {
    struct Case {
        int kind;
        int actionIndex;
    };
    for (Case c : {Case{0, 31}, Case{0, -1}, Case{0, 99}, Case{3, 5}, Case{-1, 5}, Case{7, 22}}) {
        Assign(4, c.kind, c.actionIndex, "Lbl");
        operations.labelVisible = false;
        EXPECT_EQ(Press(4), (CallLog{"ShowLabel Lbl", "HideVolumeBar"})) << c.kind << "/" << c.actionIndex;
        EXPECT_EQ(counters.lastSlot, 4);
    }
}

TEST_F(DispatcherTest, LabelIsRebuiltOnlyForAnotherSlotOrAHiddenWindow) {
    Assign(0, 0, 12, "Mute");
    Assign(1, 0, 12, "Mute2");
    // The first press of slot 0 builds although lastSlot starts at 0.
    EXPECT_EQ(Press(0), (CallLog{"ToggleMute", "ShowLabel Mute", "HideVolumeBar"}));
    EXPECT_EQ(Press(0), (CallLog{"ToggleMute", "HideVolumeBar"}));
    EXPECT_EQ(Press(1), (CallLog{"ToggleMute", "ShowLabel Mute2", "HideVolumeBar"}));
    operations.labelVisible = false;
    EXPECT_EQ(Press(1), (CallLog{"ToggleMute", "ShowLabel Mute2", "HideVolumeBar"}));
}

TEST_F(DispatcherTest, WithTheOsdOffNothingShowsButCountersAndBarHidingGoOn) {
    controller.SetOsdFlag(false);
    Assign(6, 0, 22);
    counters.ticks = 7;
    EXPECT_EQ(Press(6), (CallLog{"VolumeUp", "HideVolumeBar"}));
    EXPECT_EQ(counters.ticks, 0);
    EXPECT_EQ(counters.lastSlot, 6);
}

TEST_F(DispatcherTest, PlayPauseStartsThePlayerThenToggles) {
    Assign(8, 0, 26, "P");
    operations.winampRunning = false;
    operations.playState = PlayState::Stopped;
    CallLog got = Press(8);
    EXPECT_EQ(CallLog(got.begin(), got.begin() + 4),
              (CallLog{"Started?", "SetStarted 1", "PlayState?", "SetPlayState 1"}));

    got = Press(8);
    EXPECT_EQ(CallLog(got.begin(), got.begin() + 3), (CallLog{"Started?", "PlayState?", "SetPlayState 2"}));
    operations.playState = PlayState::Paused;
    got = Press(8);
    EXPECT_EQ(CallLog(got.begin(), got.begin() + 3), (CallLog{"Started?", "PlayState?", "SetPlayState 1"}));
}

TEST_F(DispatcherTest, AnErrorInTheActionEndsTheWholeDispatch) {
    Assign(5, 0, 7, "WWW");
    counters.ticks = 4;
    counters.lastSlot = 9;
    operations.failOpenCommand = true;
    log.clear();
    EXPECT_THROW(dispatcher.DispatchSlot(5), KeytideError);
    EXPECT_EQ(log, (CallLog{"ReadShellOpenCommand http"}));
    EXPECT_EQ(counters.ticks, 4);
    EXPECT_EQ(counters.lastSlot, 9);
}

TEST_F(DispatcherTest, SlotsOutsideTheTableAreIgnored) {
    EXPECT_TRUE(Press(-1).empty());
    EXPECT_TRUE(Press(15).empty());
}

TEST(ActionCatalog, ProposedLabelsFitTheEditorsLabelField) {
    for (const CatalogEntry& entry : kActionCatalog) EXPECT_LE(std::string(entry.proposedLabel).size(), 8u);
    EXPECT_STREQ(kActionCatalog[20].text, "Find File...");
    EXPECT_STREQ(kActionCatalog[29].text, "Open Shutdown dialog");
    EXPECT_STREQ(kActionCatalog[30].proposedLabel, "Suspend");
}

}  // namespace
}  // namespace keytide
