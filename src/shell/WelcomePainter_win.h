#pragma once
// Paints the welcome picture's shapes into a bitmap at a scale: drawn three
// times as large with GDI, then averaged down, so that round keys, dots and
// letters have smooth edges at 100 % as at 150 %.
#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "shell/WelcomePicture.h"

namespace keytide::win32 {

// A 32-bit top-down bitmap of width x height pixels holding the picture
// scaled by width / kCanvasWidth; empty when GDI cannot give one.
UniqueHbitmap PaintWelcomePicture(const welcome::Picture& picture, int width, int height);

}  // namespace keytide::win32
