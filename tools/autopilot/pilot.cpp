#include "autopilot/pilot.hpp"

namespace autopilot {

namespace {

// The title and the clear screen stay long enough to be seen (and pictured).
constexpr int64_t kTitleCalls = 40;
constexpr int64_t kClearCalls = 150;
// A script that never ends would keep the pilot flying for ever.
constexpr int64_t kMostFrames = 60 * 60 * kFramesPerSecond;

AppOptions RunOptions(const std::string& dataDir) {
  AppOptions options;
  options.fullScreen = 0;
  options.keyboard = 1;
  options.dataDir = dataDir;
  options.saveScores = false;
  return options;
}

}  // namespace

Pilot::Pilot(const std::string& dataDir)
    : m_run(m_headless, RunOptions(dataDir)), m_policy(RunOptions(dataDir)), m_tally(*m_run.game.m_data) {}

bool Pilot::Start() { return m_run.Start() && m_policy.Start(); }

void Pilot::Call(const std::vector<uint8_t>& keys) {
  m_run.input.Append(keys, false);
  m_replay.script.Append(keys, false);
  m_run.Step();
}

bool Pilot::Fly() {
  const GameState& state = m_run.game.m_play.m_state;
  for (int64_t call = 0; call < kTitleCalls; ++call) Call({});
  Call({VK_SPACE});
  while (state.m_bPlaying && m_tally.Frames() < kMostFrames) {
    const std::vector<uint8_t> keys = m_policy.Next(m_run.game);
    m_tally.Before(m_run.game.m_play);
    Call(keys);
    m_tally.After(m_run.game.m_play);
  }
  if (!state.m_bStageClear) return false;
  for (int64_t call = 0; call < kClearCalls; ++call) Call({});
  return true;
}

}  // namespace autopilot
