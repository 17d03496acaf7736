#pragma once
// The fifteen keypad keys that carry assignments, in keypad reading order
// (Num Lock and Enter carry none), and the two lock keys the program grabs.
#include <array>
#include <cstdint>
#include <string>

namespace keytide {

inline constexpr int kSlotCount = 15;

struct KeySlot {
    const char* caption;     // shown on the key's editor button
    std::uint32_t virtualKey;
    const char* hotkeyName;  // atom name of the key's hot-key identifier
};

// Slot index -> key. The hot-key names number the digits first, so they do not
// follow the slot order.
inline constexpr std::array<KeySlot, kSlotCount> kKeySlots{{
    {"/", 0x6F, "Hotkey11"},
    {"*", 0x6A, "Hotkey12"},
    {"-", 0x6D, "Hotkey13"},
    {"7", 0x67, "Hotkey8"},
    {"8", 0x68, "Hotkey9"},
    {"9", 0x69, "Hotkey10"},
    {"+", 0x6B, "Hotkey14"},
    {"4", 0x64, "Hotkey5"},
    {"5", 0x65, "Hotkey6"},
    {"6", 0x66, "Hotkey7"},
    {"1", 0x61, "Hotkey2"},
    {"2", 0x62, "Hotkey3"},
    {"3", 0x63, "Hotkey4"},
    {"0", 0x60, "Hotkey1"},
    {".", 0x6E, "Hotkey15"},
}};

// Entries of the hot-key identifier table after the fifteen slots.
inline constexpr int kScrollLockEntry = 15;
inline constexpr int kNumLockEntry = 16;
inline constexpr int kHotkeyEntryCount = 17;

inline constexpr std::uint32_t kVkScrollLock = 0x91;
inline constexpr std::uint32_t kVkNumLock = 0x90;
inline constexpr char kScrollLockHotkeyName[] = "Hotkey17";
inline constexpr char kNumLockHotkeyName[] = "NumLock";

// "NumPadKey" followed by the slot index in decimal: the slot's INI section.
std::string SlotSection(int slot);

constexpr bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

}  // namespace keytide
