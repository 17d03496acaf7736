#pragma once
// Flat push buttons and toggle buttons: a filled face in the program's blue
// with a black border and a bold caption. The face is lighter while the
// button has the focus or the mouse, darker while it is held or down.
#include <windows.h>

#include <vector>

#include "widgets/FlatControl_win.h"
#include "widgets/FlatLook.h"
#include "widgets/SelectionGroup.h"

namespace keytide::win32 {

class FlatButton : public FlatControl {
public:
    FlatButton() = default;
    void Create(HWND parent, int id, const char* caption, const RECT& bounds);
    void SetPalette(const widgets::FlatButtonPalette& palette);

protected:
    void Draw(HDC dc, const RECT& rect, UINT itemState) override;
    // A toggle that is down looks held.
    virtual bool ShowsDown() const { return false; }

private:
    widgets::FlatButtonPalette palette_;
};

class FlatToggleGroup;

// Keeps its pressed state: a click puts it down or up; in a group, a click
// puts it down and the group's other buttons up. BM_GETCHECK and BM_SETCHECK
// read and set the state too.
class FlatToggleButton : public FlatButton {
public:
    bool IsDown() const { return down_; }
    void SetDown(bool down);

protected:
    bool ShowsDown() const override { return down_; }
    void OnClicked() override;
    std::optional<LRESULT> OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class FlatToggleGroup;
    bool down_ = false;
    FlatToggleGroup* group_ = nullptr;
    int groupIndex_ = -1;
};

// Toggle buttons of which exactly one is down once one has been chosen.
class FlatToggleGroup {
public:
    FlatToggleGroup() = default;
    FlatToggleGroup(const FlatToggleGroup&) = delete;
    FlatToggleGroup& operator=(const FlatToggleGroup&) = delete;

    // The button must live as long as the group; it goes up when it joins.
    void Add(FlatToggleButton& button);
    // Puts the button at `index` (in the order added) down and the rest up.
    void Select(int index);
    int Selected() const { return selection_.Selected(); }

private:
    std::vector<FlatToggleButton*> members_;
    widgets::SelectionGroup selection_;
};

}  // namespace keytide::win32
