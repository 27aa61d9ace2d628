// Which rules a run plays under. The standard rules are the game as it always
// was, and the default; arcade and practice are chosen beside them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "data/difficulty.hpp"

enum class RulesKind : uint8_t { Standard, Arcade, Practice };

inline constexpr std::array<const char*, 3> kRulesNames = {"standard", "arcade", "practice"};

struct GameRules {
  RulesKind kind = RulesKind::Standard;
  Difficulty difficulty = Difficulty::Normal;
  // Practice: where play starts, and what it keeps of arcade's stakes.
  int32_t stage = 1;         // from 1
  int32_t fromSeconds = 0;   // into the stage's script; kFromCarrier: where its carrier comes
  bool lives = true;
  bool invulnerable = false;

  friend bool operator==(const GameRules&, const GameRules&) = default;
};

inline constexpr int32_t kFromCarrier = -1;

// The name's index in `names`; none for a name not there.
template <size_t N>
std::optional<size_t> NameIndex(const std::array<const char*, N>& names, std::string_view name) {
  for (size_t i = 0; i < N; ++i) {
    if (name == names[i]) return i;
  }
  return std::nullopt;
}

constexpr const char* RulesName(RulesKind kind) { return kRulesNames[static_cast<size_t>(kind)]; }
constexpr const char* DifficultyName(Difficulty d) { return kDifficultyNames[static_cast<size_t>(d)]; }
