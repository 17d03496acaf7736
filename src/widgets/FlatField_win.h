#pragma once
// Flat text fields and drop-down lists: the system's EDIT and COMBOBOX, which
// keep their typing, selection, keyboard and accessibility, drawn in the
// program's look: a white face with a one-pixel black outline that turns
// blue while the field has the focus, Arial text, and for the drop-down list
// a flat blue arrow button and the chosen entry in the program's blue.
//
// Their parent passes WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC and WM_DRAWITEM on
// through ReflectToFlatControls (FlatControl_win.h), as for the flat buttons.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatControl_win.h"
#include "widgets/FlatLook.h"
#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

struct FlatFieldLook {
    widgets::Color face = widgets::kWhite;
    widgets::Color readOnlyFace = widgets::Rgb(0xEE, 0xF8, 0xFF);
    widgets::Color text = widgets::kBlack;
    widgets::Color outline = widgets::kBlack;
    widgets::Color focusedOutline = widgets::kFlatBlue;
    widgets::Color chosenFace = widgets::kFlatBlue;  // the entry under the selection
    widgets::Color chosenText = widgets::kWhite;
    FontStyle font{"Arial", 13, false};
};

// What both fields share: the window, its subclass and its font.
class FlatField : public ReflectionTarget {
public:
    FlatField(const FlatField&) = delete;
    FlatField& operator=(const FlatField&) = delete;
    ~FlatField() override;

    HWND hwnd() const { return window_.get(); }
    // Moves the field (parent client coordinates).
    virtual void Place(const RECT& bounds);
    // After WM_DPICHANGED: the font again, at the window's new DPI.
    virtual void RefreshForDpi();

protected:
    explicit FlatField(const FlatFieldLook& look) : look_(look) {}

    void CreateField(const wchar_t* className, DWORD style, HWND parent, int id, const RECT& bounds);
    virtual std::optional<LRESULT> OnFieldMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);
    bool HasFocus() const { return GetFocus() == window_.get(); }
    int FontLineHeight() const;

    FlatFieldLook look_;
    UniqueHfont font_;

private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR self);
    UniqueHwnd window_;
};

// A single-line text field; the text sits in the middle of its height.
class FlatEdit final : public FlatField {
public:
    explicit FlatEdit(const FlatFieldLook& look = {}) : FlatField(look) {}

    // extraStyle: ES_READONLY and the like.
    void Create(HWND parent, int id, const RECT& bounds, DWORD extraStyle = 0);
    std::string Text() const;
    void SetText(const std::string& text);
    // Typing stops at this many characters; text set by the program is kept whole.
    void LimitTyping(int characters);
    void RefreshForDpi() override;

    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    std::optional<LRESULT> OnFieldMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintFrame();
    bool ReadOnly() const;

    UniqueHbrush face_;
    UniqueHbrush readOnlyFace_;
};

// A drop-down list to choose from (no typing), its entries kept in the order
// added.
class FlatDropDownList final : public FlatField {
public:
    explicit FlatDropDownList(const FlatFieldLook& look = {}) : FlatField(look) {}

    // bounds: the closed list. visibleEntries: how many the open list shows.
    void Create(HWND parent, int id, const RECT& bounds, int visibleEntries);
    void SetEntries(const std::vector<std::string>& entries);
    // -1: no entry chosen.
    void Select(int index);
    int Selected() const;
    bool IsOpen() const;
    void Place(const RECT& bounds) override;
    void RefreshForDpi() override;

    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    std::optional<LRESULT> OnFieldMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    void DrawEntry(HDC dc, int index, const RECT& rect, bool chosen);
    void FitHeights();
    std::wstring EntryText(int index) const;

    RECT bounds_{};
    int visibleEntries_ = 8;
};

}  // namespace keytide::win32
