#pragma once
// The choices of the settings dialog's lists, in the order the lists show
// them. A choice's position is also the number ktd.ini stores for it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Settings.h"

namespace keytide {

inline constexpr std::array<OsdSize, 3> kSizeChoices = {OsdSize::Small, OsdSize::Normal, OsdSize::Large};
inline constexpr std::array<BarStyle, 2> kBarStyleChoices = {BarStyle::Normal, BarStyle::Rounded};
inline constexpr std::array<int, kLongestTimeOutSeconds> kTimeOutChoices = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

inline constexpr int kNoPosition = -1;

// The choice at a position; nothing for a position the list does not have.
template <typename Choices>
auto ChoiceAt(const Choices& choices, std::int64_t position) -> std::optional<typename Choices::value_type> {
    if (position < 0 || position >= static_cast<std::int64_t>(choices.size())) return std::nullopt;
    return choices[static_cast<std::size_t>(position)];
}

// Where a choice stands in the list; kNoPosition for none, or one it does not hold.
template <typename Choices>
int PositionOf(const Choices& choices, const std::optional<typename Choices::value_type>& choice) {
    if (!choice) return kNoPosition;
    for (std::size_t position = 0; position < choices.size(); ++position) {
        if (choices[position] == *choice) return static_cast<int>(position);
    }
    return kNoPosition;
}

}  // namespace keytide
