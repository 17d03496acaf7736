// The assignment editor's rules on its draft, with the real main controller
// over an in-memory ktd.ini: what each of the user's actions does to the
// selected key's kind and fields, and what OK, a failing OK and Cancel do to
// the file, the hot keys and the tray.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/DefaultIni.h"
#include "doubles/ControllerWorld.h"
#include "doubles/EditorDoubles.h"
#include "editor/Editor.h"
#include "editor/EditorLayout.h"
#include "model/ActionCatalog.h"
#include "model/Error.h"
#include "settings/ini/IniText.h"

namespace keytide {
namespace {

using fakes::CallLog;

constexpr char kIniPath[] = "C:\\Keytide\\ktd.ini";
constexpr int kKey5 = 8;
constexpr int kKeyPlus = 6;

TEST(FileLabelTest, BaseNameCutToEightCharacters) {
    struct Case {
        const char* path;
        const char* baseName;
        const char* label;
    };
    const Case cases[] = {
        {"C:\\Windows\\System32\\calculator.exe", "calculator", "calculat"},
        {"C:\\Windows\\notepad.exe", "notepad", "notepad"},
        {"D:\\docs\\README", "README", "README"},
        {"C:\\Users\\me\\.profile", "", ""},
        {"C:\\my.dir\\tool", "tool", "tool"},          // the dot of a folder is no extension
        {"C:\\my.dir\\v1.2\\setup.exe", "setup", "setup"},
        {"C:tool.exe", "tool", "tool"},                // a drive without a backslash
        {"E:\\backup.tar.gz", "backup.tar", "backup.t"},  // only the last extension goes
        {"C:\\dir\\name.", "name", "name"},
        {"plain", "plain", "plain"},
        {"C:\\folder\\", "", ""},
        {"C:\\Programme\\Größenänderung.exe", "Größenänderung", "Größenän"},  // characters, not bytes
        {"D:\\音楽\\プレーヤー.exe", "プレーヤー", "プレーヤー"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileBaseName(c.path), c.baseName) << c.path;
        EXPECT_EQ(LabelForFile(c.path), c.label) << c.path;
    }
}

class EditorTest : public ::testing::Test, protected fakes::ControllerWorld {
protected:
    EditorTest() : ControllerWorld(kIniPath) {
        files.files[kIniPath] = std::string(kDefaultIniText);
        controller.OnCreate();
        controller.OnDeferredStart();
        editor.Open();
        log.clear();
    }

    // The editor's draft of a key.
    const KeyAssignment& Key(int slot) const { return editor.Draft().keys[slot]; }
    // A key as the file holds it, and the editor opened anew on it.
    void StoreKey(int slot, const KeyAssignment& key) {
        KeyConfiguration stored = controller.InForce();
        stored.keys[slot] = key;
        controller.Commit(stored);
        editor.Open();
    }
    std::string Ini() const { return files.files.at(kIniPath); }
    std::string IniValue(int slot, const char* key) const {
        return ini::ReadString(Ini(), SlotSection(slot), key, "<missing>");
    }
    std::size_t CountLoggedStartingWith(const std::string& prefix) const {
        return static_cast<std::size_t>(
            std::count_if(log.begin(), log.end(), [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
    }

    fakes::RecordingDisplay display{log};
    fakes::ScriptedFileChooser chooser;
    fakes::RecordingSettingsDialog settingsDialog{log};
    AssignmentEditor editor{EditorServices{controller, display, chooser, settingsDialog}};
};

TEST_F(EditorTest, OpeningShowsKey5sDefaultRecordAndTakesTheIconAway) {
    EXPECT_TRUE(display.visible);
    EXPECT_FALSE(tray.iconVisible);
    editor.SelectKey(kKey5);

    EXPECT_EQ(editor.SelectedSlot(), kKey5);
    EXPECT_EQ(display.selectedKey, kKey5);
    EXPECT_EQ(display.kind, AssignmentKind::Action);
    EXPECT_EQ(display.action, action::kMediaPlayPause);
    EXPECT_EQ(display.label, "Ply/Paus");
    EXPECT_EQ(display.fileName, "");
    EXPECT_EQ(display.address, "");
}

TEST_F(EditorTest, SelectingShowsStoredValuesAsTheyAreAndChangesNoRecord) {
    struct Case {
        int kind;
        int action;
        std::optional<AssignmentKind> shownKind;  // nothing: the previous key's option stays
        int shownAction;
    };
    const Case cases[] = {
        {0, 30, AssignmentKind::Action, 30},
        {1, 0, AssignmentKind::RunFile, 0},
        {2, 5, AssignmentKind::GoToAddress, 5},
        {7, 12, std::nullopt, 12},
        {-1, 40, std::nullopt, -1},
        {0, -3, AssignmentKind::Action, -1},
        {2, 31, AssignmentKind::GoToAddress, -1},
    };
    for (const Case& c : cases) {
        StoreKey(3, {"A long label of 23 chars", "C:\\x.exe", "http://example.com/", c.action,
                     StoredKind::FromFile(c.kind)});
        const KeyAssignment before = Key(3);
        editor.SelectKey(kKeyPlus);  // kind 0: the option shows Action
        editor.SelectKey(3);

        const AssignmentKind expectedKind = c.shownKind.value_or(AssignmentKind::Action);
        EXPECT_EQ(display.kind, expectedKind) << "kind " << c.kind;
        EXPECT_EQ(display.action, c.shownAction) << "action " << c.action;
        EXPECT_EQ(display.label, "A long label of 23 chars");
        EXPECT_EQ(display.fileName, "C:\\x.exe");
        EXPECT_EQ(display.address, "http://example.com/");
        EXPECT_EQ(Key(3), before);
    }
}

TEST_F(EditorTest, ShowingKeysOneAfterAnotherLeavesEveryRecordAsLoaded) {
    // A key of kind 0 whose record also holds a file name and an address.
    StoreKey(4, {"Mail", "C:\\mail.exe", "http://mail.example/", action::kMail, AssignmentKind::Action});
    const std::string saved = Ini();
    for (int round = 0; round < 2; ++round) {
        for (int slot = 0; slot < kSlotCount; ++slot) editor.SelectKey(slot);
    }
    editor.Ok();
    EXPECT_EQ(Ini(), saved);
}

// Each of the user's actions in the editor, from a key of a known kind.
TEST_F(EditorTest, KindFollowsTheUsersActions) {
    struct Case {
        const char* action;
        int startKind;
        std::function<void(AssignmentEditor&)> act;
        int kind;
        std::optional<AssignmentKind> shownKind;  // the option the editor selects itself
    };
    const Case cases[] = {
        {"option Action", 2, [](AssignmentEditor& e) { e.ChooseKind(AssignmentKind::Action); }, 0, std::nullopt},
        {"option Run file", 0, [](AssignmentEditor& e) { e.ChooseKind(AssignmentKind::RunFile); }, 1, std::nullopt},
        {"option Go to adress", 1, [](AssignmentEditor& e) { e.ChooseKind(AssignmentKind::GoToAddress); }, 2,
         std::nullopt},
        {"focus into the action list", 2, [](AssignmentEditor& e) { e.EnterActionList(); }, 0,
         AssignmentKind::Action},
        {"focus into the address field", 0, [](AssignmentEditor& e) { e.EnterAddressField(); }, 2,
         AssignmentKind::GoToAddress},
        {"typing an address", 1, [](AssignmentEditor& e) { e.TypeAddress("www.example.com"); }, 2, std::nullopt},
        {"picking an action", 2, [](AssignmentEditor& e) { e.PickAction(action::kMute); }, 0, std::nullopt},
        {"typing a label", 1, [](AssignmentEditor& e) { e.TypeLabel("Mine"); }, 1, std::nullopt},
        {"picking no action", 2, [](AssignmentEditor& e) { e.PickAction(kActionCount); }, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        StoreKey(5, {"Label", "C:\\file.exe", "http://old/", action::kBrowser, StoredKind::FromFile(c.startKind)});
        editor.SelectKey(5);
        display.kind.reset();
        c.act(editor);

        EXPECT_EQ(Key(5).kind.FileValue(), c.kind) << c.action;
        EXPECT_EQ(display.kind, c.shownKind) << c.action;
        // The other kinds' fields stay in the record.
        EXPECT_EQ(Key(5).fileName, "C:\\file.exe") << c.action;
    }
}

TEST_F(EditorTest, PickingAnActionReplacesATypedLabelWithItsShortLabel) {
    editor.SelectKey(kKey5);
    editor.TypeLabel("typed");
    editor.PickAction(action::kVolumeUp);

    EXPECT_EQ(Key(kKey5).actionIndex, action::kVolumeUp);
    EXPECT_EQ(Key(kKey5).osdLabel, "Vol+");
    EXPECT_EQ(display.label, "Vol+");
    EXPECT_EQ(Key(kKey5).kind, AssignmentKind::Action);

    editor.TypeAddress("http://example.org/");
    EXPECT_EQ(Key(kKey5).address, "http://example.org/");
    EXPECT_EQ(Key(kKey5).osdLabel, "Vol+");
    EXPECT_EQ(Key(kKey5).actionIndex, action::kVolumeUp);
}

TEST_F(EditorTest, BrowsingSetsFileLabelAndKindAndOffersTheLastFileAgain) {
    chooser.answers = {std::string("C:\\Tools\\calculator.exe"), std::nullopt, std::string("D:\\.profile")};
    editor.SelectKey(2);
    editor.TypeLabel("typed");
    editor.BrowseForFile();

    EXPECT_EQ(Key(2).kind, AssignmentKind::RunFile);
    EXPECT_EQ(Key(2).fileName, "C:\\Tools\\calculator.exe");
    EXPECT_EQ(Key(2).osdLabel, "calculat");
    EXPECT_EQ(display.kind, AssignmentKind::RunFile);
    EXPECT_EQ(display.fileName, "C:\\Tools\\calculator.exe");
    EXPECT_EQ(display.label, "calculat");
    EXPECT_EQ(Key(2).actionIndex, action::kVolumeDown);

    // Cancelled: nothing changes, and the file chosen before is offered again.
    editor.SelectKey(kKey5);
    editor.BrowseForFile();
    EXPECT_EQ(Key(kKey5).kind, AssignmentKind::Action);
    EXPECT_EQ(Key(kKey5).fileName, "");
    EXPECT_EQ(Key(kKey5).osdLabel, "Ply/Paus");

    editor.BrowseForFile();
    EXPECT_EQ(Key(kKey5).osdLabel, "");  // a name that is only an extension
    const std::vector<std::string> offers{"", "C:\\Tools\\calculator.exe", "C:\\Tools\\calculator.exe"};
    EXPECT_EQ(chooser.offers, offers);
}

TEST_F(EditorTest, EditsStayInTheDraftUntilOk) {
    editor.SelectKey(kKeyPlus);
    editor.TypeLabel("Louder");
    editor.SetActive(false);
    EXPECT_EQ(controller.InForce().keys[kKeyPlus].osdLabel, "Vol+");
    EXPECT_TRUE(controller.IsActive());
    EXPECT_EQ(IniValue(kKeyPlus, "OSDLabel"), "Vol+");
}

TEST_F(EditorTest, OkSavesAppliesTheSwitchesAndGoesBackToTheTray) {
    editor.SelectKey(kKey5);
    editor.PickAction(action::kVolumeUp);
    editor.SelectKey(10);
    editor.TypeAddress("www.example.com");
    editor.SetOsdEnabled(false);
    editor.SetActive(false);
    log.clear();
    editor.Ok();

    EXPECT_EQ(IniValue(kKey5, "OSDLabel"), "Vol+");
    EXPECT_EQ(IniValue(kKey5, "Action"), "22");
    EXPECT_EQ(IniValue(kKey5, "SelectedFunction"), "0");
    EXPECT_EQ(IniValue(10, "GoToAdress"), "www.example.com");
    EXPECT_EQ(IniValue(10, "SelectedFunction"), "2");
    EXPECT_EQ(ini::ReadString(Ini(), "IsActive", "IsKTDActive", ""), "0");
    EXPECT_EQ(ini::ReadString(Ini(), "IsActive", "IsOSDActive", ""), "0");
    // The switches applied: keys and Num Lock released, light off, the inactive picture.
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_FALSE(hotkeys.IsRegistered("NumLock"));
    EXPECT_TRUE(hotkeys.IsRegistered("Hotkey17"));
    EXPECT_FALSE(keyboard.scrollLock);
    EXPECT_FALSE(tray.activeChecked);
    EXPECT_FALSE(tray.osdChecked);
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
    EXPECT_FALSE(tray.cycleIcons);
    // Then the window goes and the icon comes back.
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "editor hidden");
    EXPECT_EQ(log.back(), "tray visible on");
    // Opened again: key "/" as the file has it.
    editor.Open();
    EXPECT_EQ(display.selectedKey, 0);
    EXPECT_EQ(display.label, "Run");
}

TEST_F(EditorTest, OkWhileActiveKeepsEveryKeyRegisteredOnce) {
    editor.SelectKey(kKeyPlus);
    editor.TypeLabel("Louder");
    editor.Ok();

    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(hotkeys.IsRegistered("NumLock"));
    EXPECT_EQ(hotkeys.registered.size(), 17u);
    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_TRUE(keyboard.numLock);
    EXPECT_TRUE(tray.cycleIcons);
    EXPECT_TRUE(tray.iconVisible);
    EXPECT_EQ(IniValue(kKeyPlus, "OSDLabel"), "Louder");
    // The committed assignments are the ones the keys run with.
    controller.OnHotKey(hotkeys.IdOf("Hotkey14"));
    ASSERT_EQ(dispatcher.labels.size(), 1u);
    EXPECT_EQ(dispatcher.labels[0], "Louder");
}

TEST_F(EditorTest, ScrollLockLightIsLeftAloneByOkWhenTheSettingIsOff) {
    settings.useScrollLock = false;
    keyboard.scrollLock = true;
    editor.SetActive(false);
    editor.Ok();

    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_FALSE(AnySlotRegistered());
    EXPECT_EQ(tray.iconIndex, kTrayInactiveIcon);
}

TEST_F(EditorTest, FailingSaveKeepsTheWindowTheEditsAndTheKeys) {
    editor.SelectKey(kKey5);
    editor.PickAction(action::kVolumeUp);
    editor.SetActive(false);
    files.unwritable.insert(kIniPath);
    log.clear();

    try {
        editor.Ok();
        ADD_FAILURE() << "OK did not report the failing save";
    } catch (const KeytideError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Keytide\\ktd.ini");
    }
    EXPECT_TRUE(display.visible);
    EXPECT_FALSE(tray.iconVisible);
    EXPECT_EQ(editor.SelectedSlot(), kKey5);
    EXPECT_EQ(Key(kKey5).osdLabel, "Vol+");
    EXPECT_TRUE(controller.IsActive());
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(log.empty());

    // Once the file can be written again, the same OK goes through.
    files.unwritable.clear();
    editor.Ok();
    EXPECT_EQ(IniValue(kKey5, "OSDLabel"), "Vol+");
    EXPECT_FALSE(controller.IsActive());
    EXPECT_FALSE(display.visible);
}

TEST_F(EditorTest, CancelThrowsAwayEveryEditOfEveryKeyAndBothSwitches) {
    const std::string before = Ini();
    const KeyConfiguration inForce = controller.InForce();
    chooser.answers = {std::string("C:\\Apps\\marker.exe")};
    editor.SelectKey(1);
    editor.BrowseForFile();
    editor.SelectKey(kKey5);
    editor.PickAction(action::kVolumeUp);
    editor.SelectKey(14);
    editor.EnterAddressField();
    editor.TypeAddress("www.example.com");
    editor.SetActive(false);
    editor.SetOsdEnabled(false);
    log.clear();
    editor.Cancel();

    EXPECT_EQ(Ini(), before);
    EXPECT_EQ(controller.InForce(), inForce);
    EXPECT_TRUE(AllSlotsRegistered());
    EXPECT_TRUE(keyboard.scrollLock);
    EXPECT_TRUE(tray.activeChecked);
    EXPECT_TRUE(tray.osdChecked);
    EXPECT_TRUE(tray.cycleIcons);
    // Hidden first, the icon back last.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "editor hidden");
    EXPECT_EQ(log.back(), "tray visible on");
    // Opened again: key "/" and the switches as stored.
    editor.Open();
    EXPECT_EQ(display.selectedKey, 0);
    EXPECT_EQ(display.action, action::kRunDialog);
    EXPECT_EQ(display.label, "Run");
    EXPECT_TRUE(display.active);
    EXPECT_TRUE(display.osd);
}

TEST_F(EditorTest, OpeningShowsTheSwitchesInForce) {
    editor.Cancel();
    controller.ToggleActive();  // from the tray, while the editor was hidden
    editor.Open();
    EXPECT_FALSE(display.active);
    EXPECT_TRUE(display.osd);
    EXPECT_EQ(display.selectedKey, 0);
}

TEST_F(EditorTest, SettingsDisableTheEditorBeforeTheDialogOpens) {
    editor.OpenSettings();
    const CallLog expected{"editor disabled", "settings dialog opened"};
    EXPECT_EQ(log, expected);
}

TEST(EditorLayoutTest, EveryPlaceScalesWithTheDpiAndStaysInsideItsArea) {
    struct Case {
        int dpi;
        editor::Size window;
    };
    const Case cases[] = {{96, {521, 280}}, {120, {651, 350}}, {144, {782, 420}}, {192, {1042, 560}}};
    for (const Case& c : cases) {
        EXPECT_EQ(editor::WindowSize(c.dpi), c.window) << c.dpi;
        const widgets::Rect keypad = editor::ScaleRect(editor::kKeypadPanel, c.dpi);
        const widgets::Rect assignment = editor::ScaleRect(editor::kAssignmentPanel, c.dpi);
        const widgets::Rect titleBar = editor::ScaleRect(editor::kTitleBar, c.dpi);
        auto inside = [](const widgets::Rect& inner, const widgets::Rect& outer) {
            return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                   inner.bottom <= outer.bottom;
        };
        std::vector<widgets::Rect> keypadPlaces;
        auto check = [&](const editor::ControlPlace& control) {
            const widgets::Rect place = editor::ScaleControl(editor::PlaceInWindow(control), c.dpi);
            EXPECT_LT(place.left, place.right) << control.caption;
            switch (control.area) {
            case editor::Area::Keypad:
                EXPECT_TRUE(inside(place, keypad)) << control.caption << " at " << c.dpi;
                keypadPlaces.push_back(place);
                break;
            case editor::Area::Assignment:
                EXPECT_TRUE(inside(place, assignment)) << control.caption << " at " << c.dpi;
                break;
            case editor::Area::TitleBar:
                EXPECT_TRUE(inside(place, titleBar)) << control.caption << " at " << c.dpi;
                break;
            case editor::Area::Window:
                EXPECT_TRUE(inside(place, {0, 0, c.window.width, c.window.height})) << control.caption;
                break;
            }
        };
        for (const editor::ControlPlace& control : editor::kControls) check(control);
        for (const editor::ControlPlace& control : editor::kAssignmentControls) check(control);
        // Neighbouring keys share their one-pixel border line and no more.
        for (std::size_t i = 0; i < keypadPlaces.size(); ++i) {
            for (std::size_t j = i + 1; j < keypadPlaces.size(); ++j) {
                const widgets::Rect& a = keypadPlaces[i];
                const widgets::Rect& b = keypadPlaces[j];
                const int overlapX = std::min(a.right, b.right) - std::max(a.left, b.left);
                const int overlapY = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
                if (overlapX > 0 && overlapY > 0) {
                    EXPECT_EQ(std::min(overlapX, overlapY), 1) << i << " and " << j << " at " << c.dpi;
                }
            }
        }
    }
}

TEST(EditorLayoutTest, KeyButtonsCarryTheirSlotsCaptions) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::optional<editor::ControlPlace> key = editor::FindControl(editor::kKeyFirst + slot);
        ASSERT_TRUE(key.has_value()) << slot;
        EXPECT_STREQ(key->caption, kKeySlots[static_cast<std::size_t>(slot)].caption) << slot;
        EXPECT_EQ(editor::SlotOfControl(key->id), slot);
    }
    EXPECT_EQ(editor::SlotOfControl(editor::kNumLockLabel), std::nullopt);
}

}  // namespace
}  // namespace keytide
