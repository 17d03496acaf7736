#pragma once
// What the on-screen display asks of the window system. Implemented by the two
// OSD windows, and by recording doubles in tests.
#include <optional>
#include <string>

#include "model/Settings.h"
#include "osd/OsdLayout.h"

namespace keytide {

enum class OsdWindow { Text, Progress };

class OsdWindows {
public:
    virtual ~OsdWindows() = default;

    virtual bool IsVisible(OsdWindow window) const = 0;

    // Builds the shape of the label drawn in the font, within the screen's
    // size, and gives it to the text window (with redraw); the font lives only
    // for this call.
    virtual void ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) = 0;
    // Builds the row of bar segments across the screen's width and gives it
    // to the progress window.
    virtual void ShapeProgress(int barHeight, std::optional<BarStyle> barStyle, int screenWidth) = 0;

    virtual void SetBounds(OsdWindow window, const WindowBounds& bounds) = 0;
    virtual void SetColor(OsdWindow window, ColorValue color) = 0;
    // The text window's own text, which it does not draw: what a screen
    // reader speaks for it.
    virtual void SetSpokenText(const std::string& text) = 0;
    virtual void Disable(OsdWindow window) = 0;
    // Shows without activating: the OSD never takes the focus. A screen
    // reader hears of the text window's showing and of its new text.
    virtual void Show(OsdWindow window) = 0;
    virtual void Hide(OsdWindow window) = 0;
    // To the top of the topmost band, without moving, sizing or activating.
    virtual void BringToTop(OsdWindow window) = 0;
};

}  // namespace keytide
