#include "widgets/FlatLook.h"

#include <algorithm>
#include <cstdint>

namespace keytide::widgets {

FaceState FaceStateOf(bool enabled, bool pressedOrDown, bool focused, bool mouseOver) {
    if (!enabled) return FaceState::Disabled;
    if (pressedOrDown) return FaceState::Pressed;
    if (focused || mouseOver) return FaceState::Focused;
    return FaceState::Normal;
}

Color FaceColor(const FlatButtonPalette& palette, FaceState state) {
    switch (state) {
    case FaceState::Focused:
        return palette.focused;
    case FaceState::Pressed:
        return palette.pressed;
    case FaceState::Disabled:
        return palette.disabledFace;
    case FaceState::Normal:
        break;
    }
    return palette.face;
}

int ScaleToDpi(int pixelsAt96, int dpi) {
    if (dpi <= 0) dpi = 96;
    const std::int64_t product = static_cast<std::int64_t>(pixelsAt96) * dpi;
    const std::int64_t rounded = product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96);
    return static_cast<int>(rounded);
}

MenuMetrics MenuMetricsFor(int dpi, int textHeight) {
    MenuMetrics metrics;
    metrics.sideBarWidth = ScaleToDpi(24, dpi);
    metrics.checkColumnWidth = ScaleToDpi(22, dpi);
    metrics.textRightPadding = ScaleToDpi(18, dpi);
    metrics.itemHeight = std::max(ScaleToDpi(22, dpi), textHeight + ScaleToDpi(8, dpi));
    metrics.separatorHeight = ScaleToDpi(7, dpi);
    return metrics;
}

std::vector<MenuItemBox> LayOutMenu(const std::vector<MenuEntry>& entries, const MenuMetrics& metrics,
                                    int minimumHeight) {
    int height = 0;
    int items = 0;
    for (const MenuEntry& entry : entries) {
        height += entry.separator ? metrics.separatorHeight : metrics.itemHeight;
        if (!entry.separator) ++items;
    }
    const int missing = items > 0 ? std::max(0, minimumHeight - height) : 0;
    std::vector<MenuItemBox> boxes;
    boxes.reserve(entries.size());
    int top = 0;
    int item = 0;
    for (const MenuEntry& entry : entries) {
        MenuItemBox box;
        box.top = top;
        box.height = entry.separator ? metrics.separatorHeight : metrics.itemHeight;
        if (!entry.separator) {
            box.height += missing / items + (item < missing % items ? 1 : 0);
            ++item;
        }
        box.width =
            metrics.sideBarWidth + metrics.checkColumnWidth + std::max(entry.textWidth, 0) + metrics.textRightPadding;
        top += box.height;
        boxes.push_back(box);
    }
    return boxes;
}

}  // namespace keytide::widgets
