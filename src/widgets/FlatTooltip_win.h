#pragma once
// Flat hints: the common controls' tooltip, which does the timing, placement
// and tracking, drawn in the program's look: a #0080C0 box with a black
// outline and white bold Arial 11 px text. One per host window; the host
// passes WM_NOTIFY on through ReflectToFlatControls.
#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatControl_win.h"
#include "widgets/Gradient.h"

namespace keytide::win32 {

class FlatTooltip final : public ReflectionTarget {
public:
    FlatTooltip() = default;
    FlatTooltip(const FlatTooltip&) = delete;
    FlatTooltip& operator=(const FlatTooltip&) = delete;
    ~FlatTooltip() override;

    // The tooltip window, owned by the host; it ends with the host at the latest.
    void Create(HWND host);
    HWND hwnd() const { return window_.get(); }

    // The hint shown while the mouse rests on a control of the host.
    void Add(HWND control, const std::string& text);
    // A new text for a control's hint.
    void SetText(HWND control, const std::string& text);
    // The hint for an area of the host's client area (a label drawn by the host).
    void AddArea(UINT areaId, const RECT& area, const std::string& text);

    // After WM_DPICHANGED: the font and margins again, at the host's new DPI.
    void RefreshForDpi();

    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AddTool(UINT flags, UINT_PTR id, const RECT& area, const std::string& text);
    void PaintHint(HDC dc);
    void ApplyDpi();
    std::string CurrentText() const;
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR self);

    HWND host_ = nullptr;
    UniqueHwnd window_;
    UniqueHfont font_;
    std::map<UINT_PTR, std::string> texts_;  // by tool id
    int margin_ = 0;
};

}  // namespace keytide::win32
