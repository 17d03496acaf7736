#pragma once
// Subsystems whose Win32 side is still being built. Each class is removed when
// its real implementation is wired into the program; nothing here is final.
#include "osd/OsdDisplay.h"

namespace keytide::win32 {

class PendingOsdDisplay final : public OsdDisplay {
public:
    bool IsTextWindowVisible() const override { return false; }
    void ShowLabel(const std::string&) override {}
    void ShowVolumeBar() override {}
    void HideVolumeBar() override {}
};

}  // namespace keytide::win32
