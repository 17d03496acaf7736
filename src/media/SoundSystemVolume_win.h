#pragma once
// The master volume as the sound thread opens it at its first call: Core
// Audio's default output, or the winmm mixer (DefaultOutputVolume), in a COM
// apartment of the sound thread's own.
#include <memory>

#include "media/MasterVolume.h"

namespace keytide::win32 {

// On the calling thread, which must be the one that uses and releases it.
std::unique_ptr<MasterVolume> OpenSoundSystemVolume();

}  // namespace keytide::win32
