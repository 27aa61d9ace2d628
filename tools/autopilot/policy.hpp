// The pilot's hands: every few frames it picks where to go (a wanted item,
// else under the lowest enemy above the ship) and plays the candidate moves
// ahead on a scratch copy of the game, keeping the one that loses the least
// energy, then comes nearest; a bomb when no move escapes a hit and the bomb
// does. Fire is always held. Deterministic: the look-ahead is the game itself.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/core.hpp"

namespace autopilot {

struct Point {
  float x = 0, y = 0;
};

// The frame's input with exactly `keys` held.
FrameInput Holding(const std::vector<uint8_t>& keys);

class Policy {
 public:
  // The scratch game is a copy of the run's.
  explicit Policy(const Core& game) : m_scratch(game) {}

  // The keys for the next frame of play of `game`.
  std::vector<uint8_t> Next(const Core& game);

 private:
  struct Outcome {
    int32_t energy = 0;     // at the horizon
    int32_t firstLoss = 0;  // frames until energy first falls; past the horizon when never
    float distance = 0;     // from the goal at the horizon
    bool BetterThan(const Outcome& other) const;
  };
  void Decide(const Core& game);
  Outcome Try(const PlayState& start, const std::vector<uint8_t>& move, bool bomb, Point goal);

  Core m_scratch;
  std::vector<uint8_t> m_move;
  bool m_bomb = false;
  int32_t m_held = 0;  // frames the current move has left
};

}  // namespace autopilot
