#pragma once
// The tray icon's pictures, made once at start and kept until the end: the
// animation never makes an icon per step.
#include <windows.h>

#include <vector>

#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

class TrayPictures {
public:
    // Pictures 0 .. count - 1 of the program's resources, at the size the
    // notification area shows for the system's DPI.
    static TrayPictures Load(int count);

    // Picture index, or the last one for an index past the end. Pictures that
    // look alike give the same handle.
    HICON Picture(int index) const;
    int Count() const { return static_cast<int>(pictures_.size()); }

private:
    std::vector<UniqueHicon> icons_;  // the distinct pictures
    std::vector<HICON> pictures_;     // each picture's icon, one of icons_

};

}  // namespace keytide::win32
