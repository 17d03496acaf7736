#pragma once
// What the keys do: one assignment per key slot, and the program's two
// switches. Together they are what the key sections of ktd.ini hold.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/KeySlots.h"

namespace keytide {

enum class AssignmentKind : std::int32_t { Action = 0, RunFile = 1, GoToAddress = 2 };

// The kind as the file stores it: one of the three, or any other number,
// which carries out nothing and is written back as it was read.
class StoredKind {
public:
    constexpr StoredKind(AssignmentKind kind = AssignmentKind::Action) : value_(static_cast<std::int32_t>(kind)) {}
    static constexpr StoredKind FromFile(std::int32_t value) {
        StoredKind stored;
        stored.value_ = value;
        return stored;
    }

    // Nothing for a number that names no kind.
    constexpr std::optional<AssignmentKind> Known() const {
        if (value_ < 0 || value_ > static_cast<std::int32_t>(AssignmentKind::GoToAddress)) return std::nullopt;
        return static_cast<AssignmentKind>(value_);
    }
    constexpr std::int32_t FileValue() const { return value_; }
    constexpr bool operator==(AssignmentKind kind) const { return value_ == static_cast<std::int32_t>(kind); }
    constexpr bool operator==(const StoredKind&) const = default;

private:
    std::int32_t value_;
};

// One key slot's assignment. All fields are held whatever the kind, so that
// switching the kind in the editor loses nothing.
struct KeyAssignment {
    std::string osdLabel;          // shown by the OSD after the key has run
    std::string fileName;          // run when the kind is RunFile
    std::string address;           // opened when the kind is GoToAddress
    std::int32_t actionIndex = 0;  // catalogue index, run when the kind is Action
    StoredKind kind;
    bool operator==(const KeyAssignment&) const = default;
};

// The fifteen assignments in slot order.
class KeyAssignments {
public:
    KeyAssignment& operator[](int slot) { return keys_.at(static_cast<std::size_t>(slot)); }
    const KeyAssignment& operator[](int slot) const { return keys_.at(static_cast<std::size_t>(slot)); }
    bool operator==(const KeyAssignments&) const = default;

private:
    std::array<KeyAssignment, kSlotCount> keys_{};
};

struct ProgramSwitches {
    bool active = true;  // slot hot keys registered
    bool osd = true;     // key presses show the on-screen display
    bool operator==(const ProgramSwitches&) const = default;
};

// Everything the key sections hold; the editor works on a copy of it.
struct KeyConfiguration {
    KeyAssignments keys;
    ProgramSwitches switches;
    bool operator==(const KeyConfiguration&) const = default;
};

}  // namespace keytide
