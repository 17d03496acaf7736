#pragma once
// An OSD window (ktdOSDTextForm, ktdOSDProgressForm): borderless, content
// free, filled with its colour and cut to the shape of its window region. It
// is created hidden and disabled and never takes the focus.
#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

class OsdShapeWindow final : public WindowBase {
public:
    void Create(const char* className, int width, int height);

    // The window takes the region and releases its previous one.
    void SetShape(UniqueHrgn region);
    void SetColor(COLORREF color);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    COLORREF color_ = 0;
    UniqueHbrush brush_;
};

}  // namespace keytide::win32
