#include "shell/SingleInstance.h"

namespace keytide {

namespace {

std::u16string_view Cut(std::u16string_view name) { return name.substr(0, kWindowNameLength); }

bool SameName(std::u16string_view name, std::u16string_view own) {
    return !name.empty() && Cut(name) == Cut(own);
}

}  // namespace

bool NamesMatch(const TopWindow& window, std::u16string_view ownClass, std::u16string_view ownTitle) {
    return SameName(window.className, ownClass) && SameName(window.title, ownTitle);
}

InstanceSearch SearchRunningCopy(const std::vector<TopWindow>& windows, std::uintptr_t ownWindow,
                                 std::u16string_view ownClass, std::u16string_view ownTitle) {
    InstanceSearch search;
    for (const TopWindow& window : windows) {
        if (!NamesMatch(window, ownClass, ownTitle)) continue;
        ++search.matches;
        if (window.id != ownWindow) search.otherCopy = window.id;
    }
    return search;
}

InstanceDecision DecideInstance(StartupLock lock, const InstanceSearch& search) {
    switch (lock) {
    case StartupLock::Taken:
        // A matching window now can only be a copy that started a moment
        // after us: it finds the lock held and ends.
        return {};
    case StartupLock::HeldElsewhere:
        return {true, search.otherCopy};
    case StartupLock::Unavailable:
        break;
    }
    // Our own window always matches; a second match is another copy.
    if (search.matches < 2) return {};
    return {true, search.otherCopy};
}

}  // namespace keytide
