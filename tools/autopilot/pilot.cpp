#include "autopilot/pilot.hpp"

#include <utility>

namespace autopilot {

namespace {

// The title and the clear screen stay long enough to be seen (and pictured).
constexpr int64_t kTitleCalls = 40;
constexpr int64_t kClearCalls = 150;
// A script that never ends would keep the pilot flying for ever.
constexpr int64_t kMostFrames = 60 * 60 * kFramesPerSecond;

}  // namespace

Pilot::Pilot(const Core& game, const StartChoices& choices, ReplayStamp stamp)
    : m_run(game), m_policy(game), m_recorder(choices, std::move(stamp)) {}

void Pilot::Call(const std::vector<uint8_t>& keys) {
  const FrameInput input = Holding(keys);
  m_last = m_run.Step(input);
  m_recorder.Add(input, m_last, m_run.State());
}

bool Pilot::Fly() {
  const PlayState& play = m_run.State();
  const GameState& state = play.m_state;
  for (int64_t call = 0; call < kTitleCalls; ++call) Call({});
  Call({VK_SPACE});
  for (;;) {
    Tally& tally = m_tallies.emplace_back(m_run.Data());
    while (CurrentScreen(play) == Screen::Play && tally.Frames() < kMostFrames) {
      const std::vector<uint8_t> keys = m_policy.Next(m_run);
      tally.Before(m_run.State());
      Call(keys);
      tally.After(m_run.State());
    }
    if (!state.m_bStageClear) return false;
    for (int64_t call = 0; call < kClearCalls; ++call) Call({});
    // The last stage's clear ends the run: after it the stages come round again.
    if (play.run.rules.kind != RulesKind::Arcade || m_last.stage == m_run.Stages()) return true;
    Call({VK_SPACE});
  }
}

}  // namespace autopilot
