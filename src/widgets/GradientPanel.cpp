#include "widgets/GradientPanel.h"

namespace keytide::widgets {

std::vector<FilledShape> GradientPanel::Picture(int width, int height) const {
    std::vector<FilledShape> shapes = GradientShapes(gradient_, width, height);
    if (sunkenFrame_) {
        std::vector<FilledShape> frame = SunkenFrameShapes(width, height);
        shapes.insert(shapes.end(), frame.begin(), frame.end());
    }
    return shapes;
}

}  // namespace keytide::widgets
