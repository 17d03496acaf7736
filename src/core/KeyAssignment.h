#pragma once
// One key slot's assignment. All fields are held whatever the kind, so that
// switching the kind in the editor loses nothing.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/KeySlots.h"

namespace keytide {

// What a key does, as stored in the file; any other stored value carries out nothing.
enum class AssignmentKind : std::int32_t { Action = 0, RunFile = 1, GoToAddress = 2 };

struct KeyAssignment {
    std::string osdLabel;       // shown by the OSD after the key has run
    std::string fileName;       // run when the kind is RunFile
    std::string address;        // opened when the kind is GoToAddress
    std::int32_t actionIndex = 0;  // catalogue index, run when the kind is Action
    std::int32_t kind = 0;      // an AssignmentKind, or any other stored value
};

// The fifteen records, created once and never replaced: loading overwrites
// their fields in place, so a reference to a slot's record stays valid.
class KeyAssignments {
public:
    KeyAssignments() = default;
    KeyAssignments(const KeyAssignments&) = delete;
    KeyAssignments& operator=(const KeyAssignments&) = delete;

    KeyAssignment& operator[](int slot) { return keys_.at(static_cast<std::size_t>(slot)); }
    const KeyAssignment& operator[](int slot) const { return keys_.at(static_cast<std::size_t>(slot)); }

private:
    std::array<KeyAssignment, kSlotCount> keys_{};
};

}  // namespace keytide
