#pragma once
// One key slot's assignment. All fields are held whatever the kind, so that
// switching the kind in the editor loses nothing.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/KeySlots.h"

namespace keytide {

// What SelectedFunction stores; any other value carries out nothing.
enum class ActionKind : std::int32_t { PredefinedAction = 0, RunFile = 1, GoToAddress = 2 };

struct TNumPadKey {
    std::string OSDLabel;
    std::string FileName;
    std::string GoToAdress;
    std::int32_t Action = 0;
    std::int32_t SelectedFunction = 0;
};

// The fifteen records, created once and never replaced: loading overwrites
// their fields in place, so a reference to a slot's record stays valid.
class NumPadKeyTable {
public:
    NumPadKeyTable() = default;
    NumPadKeyTable(const NumPadKeyTable&) = delete;
    NumPadKeyTable& operator=(const NumPadKeyTable&) = delete;

    TNumPadKey& operator[](int slot) { return keys_.at(static_cast<std::size_t>(slot)); }
    const TNumPadKey& operator[](int slot) const { return keys_.at(static_cast<std::size_t>(slot)); }

private:
    std::array<TNumPadKey, kSlotCount> keys_{};
};

}  // namespace keytide
