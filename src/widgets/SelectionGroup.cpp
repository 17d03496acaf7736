#include "widgets/SelectionGroup.h"

namespace keytide::widgets {

bool SelectionGroup::Select(int index) {
    if (index < 0 || index >= count_ || index == selected_) return false;
    selected_ = index;
    return true;
}

int SelectionGroup::Neighbour(int from, int step) const {
    if (count_ < 2 || from < 0 || from >= count_) return from;
    const int moved = (from + step % count_ + count_) % count_;
    return moved;
}

}  // namespace keytide::widgets
