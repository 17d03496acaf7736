#pragma once
// A gradient background: two colours blended in one of the gradient styles,
// optionally with a sunken edge, kept as a finished picture. The picture is
// drawn again only when the area's size or a property has changed since it
// was last drawn; otherwise a repaint is one copy of it.
#include <functional>
#include <utility>
#include <vector>

#include "widgets/Gradient.h"

namespace keytide::widgets {

class GradientPanel {
public:
    // A fresh panel's picture is stale. The listener is asked for a repaint
    // each time a property takes a new value.
    explicit GradientPanel(std::function<void()> repaint = {}) : repaint_(std::move(repaint)) {}

    void SetRepaintListener(std::function<void()> repaint) { repaint_ = std::move(repaint); }

    Color BeginColor() const { return gradient_.begin; }
    Color EndColor() const { return gradient_.end; }
    GradientStyle Style() const { return gradient_.style; }
    bool HasSunkenFrame() const { return sunkenFrame_; }

    // Setting the current value again changes nothing and asks for nothing.
    void SetBeginColor(Color color) { Change(gradient_.begin, color); }
    void SetEndColor(Color color) { Change(gradient_.end, color); }
    void SetStyle(GradientStyle style) { Change(gradient_.style, style); }
    void SetSunkenFrame(bool on) { Change(sunkenFrame_, on); }

    // True when the picture must be drawn again for an area of this size.
    bool NeedsRedraw(int width, int height) const { return dirty_ || width != drawnWidth_ || height != drawnHeight_; }

    // The whole picture for a width x height area: the gradient, then the
    // edge when it is on. Drawn into a fresh (black) picture of that size.
    std::vector<FilledShape> Picture(int width, int height) const;

    // The painter has drawn Picture(width, height) and keeps it.
    void MarkDrawn(int width, int height) {
        drawnWidth_ = width;
        drawnHeight_ = height;
        dirty_ = false;
    }

private:
    template <typename T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        dirty_ = true;
        if (repaint_) repaint_();
    }

    GradientLook gradient_;
    bool sunkenFrame_ = false;
    bool dirty_ = true;
    int drawnWidth_ = -1;
    int drawnHeight_ = -1;
    std::function<void()> repaint_;
};

}  // namespace keytide::widgets
