// Virtual-key codes the game polls, and the rule for a held key.
#pragma once

#include <cstdint>

// What a player binds the game's actions on: keyboard keys, or a pad's buttons.
enum class ControlDevice : uint8_t { Keyboard, Pad };

inline constexpr uint8_t VK_SHIFT = 0x10;
inline constexpr uint8_t VK_ESCAPE = 0x1B;
inline constexpr uint8_t VK_SPACE = 0x20;
inline constexpr uint8_t VK_LEFT = 0x25;
inline constexpr uint8_t VK_UP = 0x26;
inline constexpr uint8_t VK_RIGHT = 0x27;
inline constexpr uint8_t VK_DOWN = 0x28;

using KeyboardState = uint8_t[256];

// Held when any of the four high bits is set; the toggle bit is ignored.
inline bool KeyHeld(const KeyboardState& keys, uint8_t vk) { return (keys[vk] & 0xF0) != 0; }
