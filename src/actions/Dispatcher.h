#pragma once
// Where a key press becomes an effect: the slot's assignment, then the
// on-screen display, then the actions that must come after the display.
#include "actions/LaunchOperations.h"
#include "actions/PowerOperations.h"
#include "actions/WindowOperations.h"
#include "core/ControllerPorts.h"
#include "core/KeyAssignment.h"
#include "media/VolumeKeys.h"
#include "media/WinampControl.h"
#include "osd/OsdDisplay.h"

namespace keytide {

struct DispatchServices {
    LaunchOperations& launch;
    WindowOperations& windows;
    PowerOperations& power;
    VolumeKeys& volume;
    WinampControl& winamp;
    OsdDisplay& osd;
};

class Dispatcher final : public SlotDispatcher {
public:
    explicit Dispatcher(DispatchServices services) : services_(services) {}

    void Dispatch(int slot, const KeyAssignment& assignment, bool osdEnabled) override;

private:
    void RunImmediateAction(const KeyAssignment& key);
    void RunDeferredAction(const KeyAssignment& key);

    DispatchServices services_;
};

// True for the two volume actions, which show the volume bar.
bool CarriesVolumeAction(const KeyAssignment& key);

}  // namespace keytide
