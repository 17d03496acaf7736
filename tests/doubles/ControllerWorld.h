#pragma once
// The real main controller over an in-memory ktd.ini, with recording doubles
// of its other seams: the world of the controller's and the editor's tests.
#include <algorithm>

#include "core/MainController.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/FakeCodePage.h"
#include "doubles/MemoryFileSystem.h"
#include "model/KeySlots.h"

namespace keytide::fakes {

struct ControllerWorld {
    explicit ControllerWorld(const char* iniPath) : iniFile{files, codePage, messages, iniPath} {}

    bool AnySlotRegistered() const {
        return std::any_of(kKeySlots.begin(), kKeySlots.end(),
                           [&](const KeySlot& key) { return hotkeys.IsRegistered(key.hotkeyName); });
    }
    bool AllSlotsRegistered() const {
        return std::all_of(kKeySlots.begin(), kKeySlots.end(),
                           [&](const KeySlot& key) { return hotkeys.IsRegistered(key.hotkeyName); });
    }

    CallLog log;
    MemoryFileSystem files;
    RecordingMessages messages;
    FakeHotkeys hotkeys{log};
    FakeLockKeyboard keyboard{log, hotkeys};
    RecordingTray tray{log};
    RecordingStartup startup{log};
    RecordingDispatcher dispatcher{log};
    Settings settings;
    Latin1CodePage codePage;
    ConfigFile iniFile;
    MainController controller{
        ControllerServices{files, messages, hotkeys, keyboard, tray, startup, dispatcher, settings}, iniFile};
};

}  // namespace keytide::fakes
