// The road of one key press: the slot's assignment, the label, the volume-bar
// decision, the deferred actions and the end of the press, in that order.
#include <gtest/gtest.h>

#include "actions/Dispatcher.h"
#include "doubles/ControllerDoubles.h"
#include "model/ActionCatalog.h"
#include "model/Error.h"

namespace keytide {
namespace {

using fakes::CallLog;

// Every operation the dispatcher can reach, recorded by name in one log.
class RecordingOperations : public LaunchOperations,
                            public WindowOperations,
                            public platform::SessionControl,
                            public VolumeKeys,
                            public PlayerKeys,
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
    void FindFiles() override { Log("FindFiles"); }

    void CloseForegroundWindow() override { Log("Close"); }
    void MaximizeForegroundWindow() override { Log("Maximize"); }
    void MinimizeForegroundWindow() override { Log("Minimize"); }
    void RestoreForegroundWindow() override { Log("Restore"); }
    void EjectCD() override { Log("EjectCD"); }
    void RefreshDesktop() override { Log("RefreshDesktop"); }
    void StartScreenSaver() override { Log("StartScreenSaver"); }

    void OpenShutdownDialog() override { Log("OpenShutdownDialog"); }

    bool Request(platform::SessionRequest request) override {
        using platform::SessionRequest;
        Log(request == SessionRequest::LogOff    ? "LogOff"
            : request == SessionRequest::Restart ? "Restart"
            : request == SessionRequest::ShutDown ? "ShutDown"
                                                  : "Suspend");
        return true;
    }

    void ToggleMute() override { Log("ToggleMute"); }
    void VolumeDown() override { Log("VolumeDown"); }
    void VolumeUp() override { Log("VolumeUp"); }

    void Press(PlayerKey key) override { Log("Player " + std::to_string(static_cast<int>(key))); }

    void ShowKeyLabel(int, const std::string& label) override { Log("ShowLabel " + label); }
    void ShowVolumeBar() override { Log("ShowVolumeBar"); }
    void HideVolumeBar() override { Log("HideVolumeBar"); }
    void KeyDone(int slot) override { doneSlots.push_back(slot); }

    bool failOpenCommand = false;
    std::vector<int> doneSlots;

private:
    void Log(std::string call) { log_.push_back(std::move(call)); }
    CallLog& log_;
};

class DispatcherTest : public ::testing::Test {
protected:
    void Assign(int slot, int kind, int actionIndex, std::string label = "L") {
        KeyAssignment& key = keys[slot];
        key.kind = StoredKind::FromFile(kind);
        key.actionIndex = actionIndex;
        key.osdLabel = std::move(label);
    }
    CallLog Press(int slot, bool osdEnabled = true) {
        log.clear();
        dispatcher.Dispatch(slot, keys[slot], osdEnabled);
        return log;
    }

    CallLog log;
    KeyAssignments keys;
    RecordingOperations operations{log};
    Dispatcher dispatcher{DispatchServices{operations, operations, operations, operations, operations, operations}};
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
        {17, {"Restart"}},
        {19, {"ShutDown"}},
        {20, {"FindFiles"}},
        {21, {"VolumeDown"}},
        {22, {"VolumeUp"}},
        {23, {"Player 0"}},
        {24, {"Player 1"}},
        {25, {"Player 2"}},
        {26, {"Player 3"}},
        {27, {"Player 4"}},
        {28, {"Player 5"}},
        {30, {"Suspend"}},
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
    Assign(0, 0, 29, "ShdwnDlg");
    EXPECT_EQ(Press(0), (CallLog{"ShowLabel ShdwnDlg", "HideVolumeBar", "OpenShutdownDialog"}));
}

TEST_F(DispatcherTest, VolumeKeysShowTheBarAfterTheLabel) {
    Assign(6, 0, 22, "Vol+");
    EXPECT_EQ(Press(6), (CallLog{"VolumeUp", "ShowLabel Vol+", "ShowVolumeBar"}));
}

TEST_F(DispatcherTest, OtherKindsIgnoreTheirLeftOverActionIndex) {
    for (int leftOver : {18, 21, 22, 29}) {
        KeyAssignment& key = keys[2];
        key.actionIndex = leftOver;
        key.fileName = "C:\\a.exe";
        key.address = "example.com";
        key.osdLabel = "K";
        key.kind = AssignmentKind::RunFile;
        EXPECT_EQ(Press(2), (CallLog{"RunFile C:\\a.exe", "ShowLabel K", "HideVolumeBar"})) << leftOver;
        key.kind = AssignmentKind::GoToAddress;
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
        EXPECT_EQ(Press(4), (CallLog{"ShowLabel Lbl", "HideVolumeBar"})) << c.kind << "/" << c.actionIndex;
        EXPECT_EQ(operations.doneSlots.back(), 4);
    }
}

TEST_F(DispatcherTest, WithTheOsdOffNothingShowsButThePressEndsAndTheBarHides) {
    Assign(6, 0, 22);
    EXPECT_EQ(Press(6, false), (CallLog{"VolumeUp", "HideVolumeBar"}));
    EXPECT_EQ(operations.doneSlots, (std::vector<int>{6}));
}

TEST_F(DispatcherTest, AnErrorInTheActionEndsTheWholeDispatch) {
    Assign(5, 0, 7, "WWW");
    operations.failOpenCommand = true;
    EXPECT_THROW(Press(5), KeytideError);
    EXPECT_EQ(log, (CallLog{"ReadShellOpenCommand http"}));
    EXPECT_TRUE(operations.doneSlots.empty());
}

TEST(ActionCatalog, ProposedLabelsFitTheEditorsLabelField) {
    for (const CatalogEntry& entry : kActionCatalog) EXPECT_LE(std::string(entry.proposedLabel).size(), 8u);
    EXPECT_STREQ(kActionCatalog[20].text, "Find File...");
    EXPECT_STREQ(kActionCatalog[29].text, "Open Shutdown dialog");
    EXPECT_STREQ(kActionCatalog[30].proposedLabel, "Suspend");
}

}  // namespace
}  // namespace keytide
