// The pilot's hands: every few frames it picks where to go (a wanted item,
// else under the lowest enemy above the ship) and plays the candidate moves
// ahead on a scratch copy of the game, keeping the one that loses the least
// energy, then comes nearest; a bomb when no move escapes a hit and the bomb
// does. Fire is always held. Deterministic: the look-ahead is the game itself.
#pragma once

#include <cstdint>
#include <vector>

#include "app/game_app.hpp"
#include "platform/headless/scripted_game.hpp"

namespace autopilot {

struct Point {
  float x = 0, y = 0;
};

class Policy {
 public:
  // The scratch game starts with `options`: the same data as the run's.
  explicit Policy(const AppOptions& options);
  bool Start();

  // The keys for the next frame of play of `game`.
  std::vector<uint8_t> Next(const CGameApp& game);

 private:
  struct Outcome {
    int32_t energy = 0;     // at the horizon
    int32_t firstLoss = 0;  // frames until energy first falls; past the horizon when never
    float distance = 0;     // from the goal at the horizon
    bool BetterThan(const Outcome& other) const;
  };
  void Decide(const CGameApp& game);
  Outcome Try(const Snapshot& start, const std::vector<uint8_t>& move, bool bomb, Point goal);

  platform::HeadlessPlatform m_headless;
  platform::ScriptedGame m_scratch;
  std::vector<uint8_t> m_move;
  bool m_bomb = false;
  int32_t m_held = 0;  // frames the current move has left
};

}  // namespace autopilot
