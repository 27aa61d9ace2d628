// What a run of the stage did, frame of play by frame: energy lost, bombs
// used, enemies destroyed and escaped, per 30 seconds, read from the play
// state before and after each frame as the game itself changes it.
#pragma once

#include <cstdint>
#include <vector>

#include "data/tables.hpp"
#include "game/play_state.hpp"

namespace autopilot {

inline constexpr int64_t kFramesPerSecond = 60;
inline constexpr int64_t kWindowSeconds = 30;

struct Window {
  int64_t energyLost = 0;
  int64_t bombsUsed = 0;
  int64_t destroyed = 0;
  int64_t escaped = 0;
  int64_t livesLost = 0;  // a run with stakes: ships lost
};

// Counts; the carrier's parts count as enemies.
class Tally {
 public:
  explicit Tally(const GameData& data) : m_data(data) {}

  // Around each frame of play, in order.
  void Before(const PlayState& play);
  void After(const PlayState& play);

  int64_t Frames() const { return m_frame; }
  int32_t LowestEnergy() const { return m_lowestEnergy; }
  int64_t CarriersComing() const { return m_carriersComing; }
  const std::vector<int64_t>& CarriersDown() const { return m_carriersDown; }     // frames of play
  const std::vector<int64_t>& CarriersGone() const { return m_carriersGone; }     // flown off
  const std::vector<Window>& Windows() const { return m_windows; }
  Window Total() const;

 private:
  struct Census {
    int64_t enemies = 0;   // flying and ground enemies
    int64_t parts = 0;     // live carrier parts
    int64_t carriers = 0;  // carriers whole
  };
  static Census Count(const PlayState& play);
  // What the stage script releases in the frame about to run.
  Census Released(const PlayState& play) const;

  const GameData& m_data;
  Census m_before;
  int32_t m_energyBefore = 0;
  int32_t m_downBefore = 0;
  int64_t m_frame = 0;
  int32_t m_lowestEnergy = INT32_MAX;
  int64_t m_carriersComing = 0;
  std::vector<int64_t> m_carriersDown;
  std::vector<int64_t> m_carriersGone;
  std::vector<Window> m_windows;
};

}  // namespace autopilot
