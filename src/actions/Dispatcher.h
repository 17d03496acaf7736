#pragma once
// Where a key press becomes an effect: the slot's assignment, then the
// on-screen display, then the actions that must come after the display.
#include "actions/LaunchOperations.h"
#include "actions/WindowOperations.h"
#include "media/PlayerKeys.h"
#include "media/VolumeKeys.h"
#include "model/KeyAssignment.h"
#include "osd/OsdDisplay.h"
#include "platform/Session.h"

namespace keytide {

// Carries out one key slot's assignment and the on-screen display after it.
class SlotDispatcher {
public:
    virtual ~SlotDispatcher() = default;
    virtual void Dispatch(int slot, const KeyAssignment& assignment, bool osdEnabled) = 0;
};

struct DispatchServices {
    LaunchOperations& launch;
    WindowOperations& windows;
    platform::SessionControl& session;
    VolumeKeys& volume;
    PlayerKeys& player;
    OsdDisplay& osd;
};

class Dispatcher final : public SlotDispatcher {
public:
    explicit Dispatcher(DispatchServices services) : services_(services) {}

    void Dispatch(int slot, const KeyAssignment& assignment, bool osdEnabled) override;

private:
    void RunImmediateAction(const KeyAssignment& key);
    void RunDeferredAction(const KeyAssignment& key);
    void RequestSession(platform::SessionRequest request);

    DispatchServices services_;
};

// True for the two volume actions, which show the volume bar.
bool CarriesVolumeAction(const KeyAssignment& key);

}  // namespace keytide
