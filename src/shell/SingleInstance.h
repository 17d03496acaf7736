#pragma once
// Recognising a copy of the program that already runs: by the class name and
// the title of its editor window, guarded by a named lock that two
// copies starting at the same moment cannot both take.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keytide {

// What the window system keeps of a window's class name and title.
inline constexpr std::size_t kWindowNameLength = 255;

struct TopWindow {
    std::uintptr_t id = 0;
    std::u16string className;
    std::u16string title;
};

// Whether a window's names are those of the program's editor window:
// equal in their first 255 characters, letter case counting; a window
// without a class name or a title never matches.
bool NamesMatch(const TopWindow& window, std::u16string_view ownClass, std::u16string_view ownTitle);

struct InstanceSearch {
    int matches = 0;               // the program's own window included
    std::uintptr_t otherCopy = 0;  // the last matching window that is not our own
};

InstanceSearch SearchRunningCopy(const std::vector<TopWindow>& windows, std::uintptr_t ownWindow,
                                 std::u16string_view ownClass, std::u16string_view ownTitle);

// The start-up lock, taken before the windows are looked at.
enum class StartupLock {
    Taken,          // this copy made it: no other copy runs or is starting
    HeldElsewhere,  // another copy holds it, even if its window is not there yet
    Unavailable,    // the system would not make it: the windows alone decide
};

struct InstanceDecision {
    bool endThisCopy = false;
    std::uintptr_t bringForward = 0;  // 0: nothing to bring forward
};

InstanceDecision DecideInstance(StartupLock lock, const InstanceSearch& search);

}  // namespace keytide
