#include "editor/EditorLayout.h"

#include "model/ActionCatalog.h"
#include "widgets/FlatLook.h"

namespace keytide::editor {

std::optional<ControlPlace> FindControl(int id) {
    for (const ControlPlace& control : kControls) {
        if (control.id == id) return control;
    }
    for (const ControlPlace& control : kAssignmentControls) {
        if (control.id == id) return control;
    }
    return std::nullopt;
}

namespace {

widgets::Rect Offset(const ControlPlace& control, int x, int y) {
    return {x + control.left, y + control.top, x + control.left + control.width, y + control.top + control.height};
}

}  // namespace

widgets::Rect PlaceInParent(const ControlPlace& control) {
    switch (control.area) {
    case Area::TitleBar:
        return Offset(control, 0, 0);
    case Area::Keypad:
        return Offset(control, kKeypadPanel.left + kKeypadBorder, kKeypadPanel.top + kKeypadBorder);
    case Area::Assignment:
        return Offset(control, kAssignmentPanel.left, kAssignmentPanel.top);
    case Area::Window:
        break;
    }
    return Offset(control, 0, 0);
}

widgets::Rect PlaceInWindow(const ControlPlace& control) {
    widgets::Rect place = PlaceInParent(control);
    if (control.area == Area::TitleBar) {
        place.left += kTitleBar.left;
        place.right += kTitleBar.left;
        place.top += kTitleBar.top;
        place.bottom += kTitleBar.top;
    }
    return place;
}

widgets::Rect ScaleRect(const widgets::Rect& rect, int dpi) {
    return {widgets::ScaleToDpi(rect.left, dpi), widgets::ScaleToDpi(rect.top, dpi), widgets::ScaleToDpi(rect.right, dpi),
            widgets::ScaleToDpi(rect.bottom, dpi)};
}

widgets::Rect ScaleControl(const widgets::Rect& rect, int dpi) {
    return {widgets::ScaleToDpi(rect.left, dpi), widgets::ScaleToDpi(rect.top, dpi),
            widgets::ScaleToDpi(rect.right - 1, dpi) + 1, widgets::ScaleToDpi(rect.bottom - 1, dpi) + 1};
}

Size WindowSize(int dpi) { return {widgets::ScaleToDpi(kWindowWidth, dpi), widgets::ScaleToDpi(kWindowHeight, dpi)}; }

std::optional<int> SlotOfControl(int id) {
    if (id < kKeyFirst || id > kKeyLast) return std::nullopt;
    return id - kKeyFirst;
}

const char* ActionListHint(int actionIndex) {
    if (!IsActionIndex(actionIndex)) return kActionHint;
    const char* own = kActionCatalog[static_cast<std::size_t>(actionIndex)].hint;
    return own != nullptr ? own : kActionHint;
}

}  // namespace keytide::editor
