// Start-up, activation, the lock keys, hot-key dispatch and the editor's
// session of the main controller, observed through the doubles of its seams.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/DefaultIni.h"
#include "doubles/ControllerWorld.h"
#include "model/Error.h"
#include "settings/ini/IniText.h"

namespace keytide {
namespace {

using fakes::CallLog;

constexpr char kIniPath[] = "C:\\Keytide\\ktd.ini";

class MainControllerTest : public ::testing::Test, protected fakes::ControllerWorld {
protected:
    MainControllerTest() : ControllerWorld(kIniPath) {}
    std::string Ini() const { return files.files.at(kIniPath); }
    std::string IniValue(const char* section, const char* key) const {
        return ini::ReadString(Ini(), section, key, "<missing>");
    }
    int IdOf(const char* name) { return hotkeys.IdOf(name); }
    // A grabbed Scroll Lock press toggles the light before the program hears
    // of it, on Windows and on Wine.
    void PressScrollLock() {
        keyboard.scrollLock = !keyboard.scrollLock;
        controller.OnHotKey(IdOf("Hotkey17"));
    }
    void StartWith(std::string iniText) {
        files.files[kIniPath] = std::move(iniText);
        controller.OnCreate();
        controller.OnDeferredStart();
        log.clear();
    }

};

TEST_F(MainControllerTest, FirstStartWritesTheDefaultFileAndLoadsIt) {
    controller.OnCreate();

    EXPECT_EQ(Ini(), kDefaultIniText);
    EXPECT_EQ(controller.InForce().keys[0].osdLabel, "Run");
    EXPECT_EQ(controller.InForce().keys[0].actionIndex, 8);
    EXPECT_EQ(controller.InForce().keys[13].osdLabel, "Min/Res");
    EXPECT_EQ(controller.InForce().keys[13].actionIndex, 11);
    EXPECT_EQ(controller.InForce().keys[13].kind.FileValue(), 0);
    EXPECT_TRUE(controller.IsActive());
    EXPECT_TRUE(controller.IsOsdEnabled());
    EXPECT_TRUE(tray.activeChecked);
    EXPECT_TRUE(tray.osdChecked);
    // Scroll Lock is grabbed from creation; the slot keys wait for the deferred start.
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey17"));
    EXPECT_FALSE(AnySlotRegistered());
    // The first load does not touch the lock keys: the settings are not loaded yet.
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](auto& call) { return call.rfind("tap", 0) == 0; }), 0);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainControllerTest, AnExistingEmptyFileIsLeftAloneAndEverySlotRunsNothing) {
    files.files[kIniPath] = "";
    controller.OnCreate();

    EXPECT_EQ(Ini(), "");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const KeyAssignment& key = controller.InForce().keys[slot];
        EXPECT_EQ(key.osdLabel, "None") << slot;
        EXPECT_EQ(key.kind.FileValue(), 1) << slot;
        EXPECT_EQ(key.fileName, "") << slot;
    }
    EXPECT_TRUE(controller.IsActive());
}

TEST_F(MainControllerTest, UnwritableDefaultFileIsReportedAndStartUpGoesOn) {
    files.unwritable.insert(kIniPath);
    controller.OnCreate();

    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0], "Keytide|Cannot create file C:\\Keytide\\ktd.ini.");
    EXPECT_EQ(controller.InForce().keys[5].osdLabel, "None");
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey17"));
}

TEST_F(MainControllerTest, DeferredStartWhileActiveGrabsKeysAndForcesNumLock) {
    controller.OnCreate();
    log.clear();
    controller.OnDeferredStart();

    const CallLog expectedPrefix{"fill font list", "load settings"};
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(CallLog(log.begin(), log.begin() + 2), expectedPrefix);
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(hotkeys.IsRegistered("NumLock"));
    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_TRUE(keyboard.numLock);
    EXPECT_TRUE(tray.iconVisible);
    EXPECT_TRUE(tray.cycleIcons);
    // Welcome screen shown, then hidden, before the tray icon comes up.
    auto welcome = std::find(log.begin(), log.end(), "welcome shown");
    auto hidden = std::find(log.begin(), log.end(), "welcome hidden");
    auto trayUp = std::find(log.begin(), log.end(), "tray visible on");
    EXPECT_TRUE(welcome < hidden && hidden < trayUp);
}

TEST_F(MainControllerTest, DeferredStartWhileInactiveLeavesKeysAndNumLockAlone) {
    std::string text(kDefaultIniText);
    text.replace(text.find("IsKTDActive=1"), 13, "IsKTDActive=0");
    keyboard.scrollLock = true;
    settings.welcomeScreen = false;
    StartWith(text);

    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_FALSE(keyboard.scrollLock);
    EXPECT_FALSE(keyboard.numLock);
    EXPECT_FALSE(tray.cycleIcons);
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
}

TEST_F(MainControllerTest, WelcomeScreenOnlyWhenItsSettingIsOn) {
    settings.welcomeScreen = false;
    controller.OnCreate();
    controller.OnDeferredStart();
    EXPECT_EQ(std::count(log.begin(), log.end(), "welcome shown"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "welcome hidden"), 1);
}

TEST_F(MainControllerTest, StillActivePictureWithoutAnimation) {
    settings.animateTray = false;
    StartWith(std::string(kDefaultIniText));
    EXPECT_FALSE(tray.cycleIcons);
    EXPECT_EQ(tray.iconIndex, kTrayStillActiveIcon);
}

TEST_F(MainControllerTest, ScrollLockPressTogglesTheStateOnceWhetherOrNotThePressToggledTheLight) {
    settings.useScrollLock = false;
    StartWith(std::string(kDefaultIniText));
    struct Step {
        bool pressToggles;  // Windows and Wine toggle the light of a grabbed press themselves
        bool expected;
    };
    for (const Step step :
         {Step{true, true}, Step{true, false}, Step{false, true}, Step{true, false}, Step{true, true}}) {
        if (step.pressToggles) keyboard.scrollLock = !keyboard.scrollLock;
        controller.OnHotKey(IdOf("Hotkey17"));
        EXPECT_EQ(keyboard.scrollLock, step.expected);
    }
    EXPECT_TRUE(keyboard.echoes.empty());
}

TEST_F(MainControllerTest, ScrollLockSwitchesTheProgramOffAndOnAndSaves) {
    StartWith(std::string(kDefaultIniText));
    ASSERT_TRUE(keyboard.scrollLock);

    PressScrollLock();
    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey17"));
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "0");
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
    EXPECT_FALSE(tray.cycleIcons);

    keyboard.numLock = false;
    PressScrollLock();
    EXPECT_TRUE(controller.IsActive());
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(hotkeys.IsRegistered("NumLock"));
    EXPECT_TRUE(keyboard.numLock);
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "1");
    EXPECT_TRUE(tray.cycleIcons);
    EXPECT_TRUE(dispatcher.slots.empty());
}

TEST_F(MainControllerTest, ScrollLockWithTheSettingOffOnlyTogglesTheLight) {
    settings.useScrollLock = false;
    StartWith(std::string(kDefaultIniText));
    const std::string before = Ini();
    const int writesBefore = files.writeCount;

    PressScrollLock();
    EXPECT_TRUE(controller.IsActive());
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));  // not forced with the setting off
    EXPECT_EQ(files.writeCount, writesBefore);
    EXPECT_EQ(Ini(), before);
}

TEST_F(MainControllerTest, WhileTheEditorIsOpenScrollLockOnlyTogglesTheLightAndSlotsDoNothing) {
    StartWith(std::string(kDefaultIniText));
    controller.BeginEditing();
    EXPECT_FALSE(tray.iconVisible);
    const int writesBefore = files.writeCount;

    PressScrollLock();
    EXPECT_FALSE(keyboard.scrollLock);
    EXPECT_TRUE(controller.IsActive());
    EXPECT_EQ(files.writeCount, writesBefore);

    controller.OnHotKey(IdOf("Hotkey9"));
    EXPECT_TRUE(dispatcher.slots.empty());

    // Cancel: the light shows the state in force again, and the keys work.
    controller.Revert();
    controller.EndEditing();
    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_TRUE(tray.iconVisible);
    controller.OnHotKey(IdOf("Hotkey9"));
    EXPECT_EQ(dispatcher.slots, std::vector<int>{4});
}

TEST_F(MainControllerTest, TheEditorsDraftComesIntoForceOnlyByCommit) {
    StartWith(std::string(kDefaultIniText));
    KeyConfiguration draft = controller.BeginEditing();
    draft.switches.active = false;
    draft.keys[4].osdLabel = "Post";

    // Unsaved, the draft changes nothing: the settings dialog's OK follows
    // the Active state in force, the one the tray menu shows.
    controller.SettingsChanged();
    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(tray.activeChecked);

    controller.Commit(draft);
    controller.EndEditing();
    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_FALSE(keyboard.scrollLock);
    EXPECT_FALSE(tray.activeChecked);
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
    EXPECT_EQ(IniValue("NumPadKey4", "OSDLabel"), "Post");
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "0");
}

TEST_F(MainControllerTest, AFailedCommitChangesNothing) {
    StartWith(std::string(kDefaultIniText));
    KeyConfiguration draft = controller.BeginEditing();
    draft.switches.active = false;
    files.unwritable.insert(kIniPath);
    EXPECT_THROW(controller.Commit(draft), KeytideError);
    EXPECT_TRUE(controller.IsActive());
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(controller.IsEditing());
}

TEST_F(MainControllerTest, SlotHotKeysDispatchTheirSlot) {
    StartWith(std::string(kDefaultIniText));
    for (int slot = 0; slot < kSlotCount; ++slot) controller.OnHotKey(IdOf(kKeySlots[slot].hotkeyName));
    std::vector<int> expected(kSlotCount);
    for (int slot = 0; slot < kSlotCount; ++slot) expected[slot] = slot;
    EXPECT_EQ(dispatcher.slots, expected);
    // The dispatcher is handed the slot's live record and the OSD flag.
    EXPECT_EQ(dispatcher.labels[13], "Min/Res");
    controller.ToggleOsd();
    controller.OnHotKey(IdOf("Hotkey1"));
    EXPECT_FALSE(dispatcher.osdFlags.back());

    dispatcher.slots.clear();
    controller.OnHotKey(0x7777);  // no key of ours
    controller.OnHotKey(0);
    EXPECT_TRUE(dispatcher.slots.empty());
}

TEST_F(MainControllerTest, NumLockPressPutsNumLockBackOn) {
    StartWith(std::string(kDefaultIniText));
    keyboard.numLock = false;
    controller.OnHotKey(IdOf("NumLock"));
    EXPECT_TRUE(keyboard.numLock);
    EXPECT_TRUE(dispatcher.slots.empty());
}

TEST_F(MainControllerTest, AFailedSaveAfterScrollLockLeavesTheChangeInForce) {
    StartWith(std::string(kDefaultIniText));
    files.unwritable.insert(kIniPath);

    try {
        PressScrollLock();
        FAIL() << "the failed save must end the handler";
    } catch (const KeytideError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Keytide\\ktd.ini");
    }
    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
}

TEST_F(MainControllerTest, ActiveCommandTogglesEverythingAndSaves) {
    StartWith(std::string(kDefaultIniText));

    controller.ToggleActive();
    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(tray.activeChecked);
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_FALSE(keyboard.scrollLock);
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "0");

    controller.ToggleActive();
    EXPECT_TRUE(controller.IsActive());
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(hotkeys.IsRegistered("NumLock"));
    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "1");
}

TEST_F(MainControllerTest, OsdCommandTogglesOnlyTheOsdFlag) {
    StartWith(std::string(kDefaultIniText));
    controller.ToggleOsd();
    EXPECT_FALSE(controller.IsOsdEnabled());
    EXPECT_FALSE(tray.osdChecked);
    EXPECT_TRUE(controller.IsActive());
    EXPECT_EQ(IniValue("IsActive", "IsOSDActive"), "0");
    EXPECT_EQ(IniValue("IsActive", "IsKTDActive"), "1");
}

TEST_F(MainControllerTest, RegisteringTwiceAndReleasingTwiceChangeNothing) {
    StartWith(std::string(kDefaultIniText));
    controller.SettingsChanged();  // grabs the keys it holds once more
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(messages.boxes.empty());

    controller.OnCloseQuery();
    controller.OnDestroy();
    EXPECT_TRUE(hotkeys.registered.empty());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainControllerTest, ACalledOffLogOffGivesTheKeysBack) {
    StartWith(std::string(kDefaultIniText));
    controller.OnCloseQuery();  // the system asked whether the log-on may end
    EXPECT_TRUE(hotkeys.registered.empty());

    controller.SessionEndCancelled();
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey17"));
    EXPECT_TRUE(hotkeys.IsRegistered("NumLock"));

    controller.ToggleActive();  // inactive: only Scroll Lock comes back
    controller.OnCloseQuery();
    controller.SessionEndCancelled();
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey17"));
}

TEST_F(MainControllerTest, KeyHeldByAnotherProgramDoesNotStopTheOthers) {
    hotkeys.heldElsewhere.insert(0x68);  // keypad 8
    StartWith(std::string(kDefaultIniText));
    EXPECT_FALSE(hotkeys.IsRegistered("Hotkey9"));
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey10"));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainControllerTest, EachHotKeyAtomIsAddedOnceAndDeletedOnceAtExit) {
    StartWith(std::string(kDefaultIniText));
    controller.ToggleActive();
    controller.ToggleActive();
    PressScrollLock();
    PressScrollLock();
    ASSERT_EQ(hotkeys.uses.size(), 17u);  // fifteen slots, Scroll Lock, Num Lock
    for (const auto& [name, uses] : hotkeys.uses) EXPECT_EQ(uses, 1) << name;

    controller.OnCloseQuery();
    controller.OnDestroy();  // releases once more; nothing is left to delete
    for (const auto& [name, uses] : hotkeys.uses) {
        EXPECT_EQ(uses, 0) << name;
        EXPECT_EQ(std::count(log.begin(), log.end(), "delete atom " + name), 1) << name;
    }
}

TEST_F(MainControllerTest, ACalledOffLogOffAddsTheAtomsAgainForTheNextExit) {
    StartWith(std::string(kDefaultIniText));
    controller.OnCloseQuery();
    controller.SessionEndCancelled();
    for (const auto& [name, uses] : hotkeys.uses) EXPECT_EQ(uses, 1) << name;
    controller.OnHotKey(IdOf("Hotkey9"));  // the keys work under their atoms
    EXPECT_EQ(dispatcher.slots, std::vector<int>{4});

    controller.OnCloseQuery();
    controller.OnDestroy();
    for (const auto& [name, uses] : hotkeys.uses) EXPECT_EQ(uses, 0) << name;
}

TEST_F(MainControllerTest, NothingIsSavedAtExit) {
    StartWith(std::string(kDefaultIniText));
    const int writesBefore = files.writeCount;
    controller.OnCloseQuery();
    controller.OnDestroy();
    EXPECT_EQ(files.writeCount, writesBefore);
}

}  // namespace
}  // namespace keytide
