#pragma once
// Flat check boxes and option buttons: a small white box or circle with a
// black outline and a mark in the program's blue, the caption beside it, on
// whatever the parent shows under the control (the parent answers
// WM_PRINTCLIENT; see GradientPanelView).
#include <windows.h>

#include <vector>

#include "widgets/FlatControl_win.h"
#include "widgets/Gradient.h"
#include "widgets/SelectionGroup.h"

namespace keytide::win32 {

// What check boxes and option buttons share: the checked state (also through
// BM_GETCHECK and BM_SETCHECK), the caption and its focus rectangle.
class FlatMarkButton : public FlatControl {
public:
    void Create(HWND parent, int id, const char* caption, const RECT& bounds);
    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked);
    void SetTextColor(widgets::Color color);

protected:
    void Draw(HDC dc, const RECT& rect, UINT itemState) override;
    std::optional<LRESULT> OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the box or circle with its mark into `box`.
    virtual void DrawMark(HDC dc, const RECT& box, bool enabled, bool held) = 0;

private:
    bool checked_ = false;
    widgets::Color textColor_ = widgets::kBlack;
};

class FlatCheckBox final : public FlatMarkButton {
protected:
    void OnClicked() override { SetChecked(!IsChecked()); }
    void DrawMark(HDC dc, const RECT& box, bool enabled, bool held) override;
};

class FlatOptionGroup;

// One of a group: a click or the space bar selects it; the arrow keys move
// the selection through the group. Only the selected one is a tab stop.
class FlatOptionButton final : public FlatMarkButton {
protected:
    void OnClicked() override;
    std::optional<LRESULT> OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawMark(HDC dc, const RECT& box, bool enabled, bool held) override;

private:
    friend class FlatOptionGroup;
    FlatOptionGroup* group_ = nullptr;
    int groupIndex_ = -1;
};

class FlatOptionGroup {
public:
    FlatOptionGroup() = default;
    FlatOptionGroup(const FlatOptionGroup&) = delete;
    FlatOptionGroup& operator=(const FlatOptionGroup&) = delete;

    // The button must live as long as the group.
    void Add(FlatOptionButton& button);
    void Select(int index);
    int Selected() const { return selection_.Selected(); }

private:
    friend class FlatOptionButton;
    void MoveFrom(int index, int step);

    std::vector<FlatOptionButton*> members_;
    widgets::SelectionGroup selection_;
};

}  // namespace keytide::win32
