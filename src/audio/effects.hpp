// The sound effects: what play and the screens can start, by name. The names
// are the effects' asset files (assets/sfx/NAME.wav) and their words in traces.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum class Effect : uint8_t {
  Volley,       // the player's shots leave
  Hit,          // a shot hits an enemy that lives on
  SmallDown,    // a small enemy destroyed
  LargeDown,    // a large enemy destroyed
  PartDown,     // a carrier part destroyed
  CarrierDown,  // the carrier destroyed
  LevelItem,    // items picked up, each its own
  BombItem,
  EnergyItem,
  Bomb,         // a bomb dropped
  ShipHit,      // the ship loses energy
  Cursor,       // the exit query's cursor moves
  Confirm,      // the exit query's choice is taken
  Start,        // play starts from the title
  Count
};

inline constexpr size_t kEffectCount = static_cast<size_t>(Effect::Count);

inline constexpr std::array<const char*, kEffectCount> kEffectNames = {
    "volley",     "hit",       "small-down",  "large-down", "part-down", "carrier-down", "level-item",
    "bomb-item",  "energy-item", "bomb",      "ship-hit",   "cursor",    "confirm",      "start"};

constexpr const char* EffectName(Effect effect) { return kEffectNames[static_cast<size_t>(effect)]; }

// The effects one frame starts. Play and the screens decide; the sound only
// listens, so nothing here is play state.
class FrameSounds {
 public:
  void Start(Effect effect) { m_started |= Bit(effect); }
  bool Started(Effect effect) const { return (m_started & Bit(effect)) != 0; }
  bool Any() const { return m_started != 0; }

 private:
  static constexpr uint32_t Bit(Effect effect) { return uint32_t{1} << static_cast<uint32_t>(effect); }
  uint32_t m_started = 0;
};
