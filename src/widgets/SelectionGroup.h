#pragma once
// A group of buttons of which exactly one is down once one has been chosen:
// the fifteen keypad keys, or a set of option buttons.
namespace keytide::widgets {

class SelectionGroup {
public:
    static constexpr int kNone = -1;

    // Adds a member and returns its index; members count from 0.
    int Add() { return count_++; }
    int Count() const { return count_; }
    int Selected() const { return selected_; }

    // True when the selection moved. Choosing the member that is already down
    // keeps it down; an index outside the group changes nothing.
    bool Select(int index);

    // The member the arrow keys move to from `from`, going round at either
    // end; `from` itself when the group has fewer than two members.
    int Neighbour(int from, int step) const;

private:
    int count_ = 0;
    int selected_ = kNone;
};

}  // namespace keytide::widgets
