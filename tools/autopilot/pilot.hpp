// A whole run by the policy, from start-up: a moment on the title screen,
// Space, play to the stage clear, a moment on the clear screen; under arcade
// rules, Space again and on through every stage the data holds. Its input,
// frame by frame, is the replay.
#pragma once

#include <vector>

#include "app/replay.hpp"
#include "autopilot/policy.hpp"
#include "autopilot/tally.hpp"

namespace autopilot {

class Pilot {
 public:
  // Flies `game`, as start-up left it with `choices`; its replay is stamped with `stamp`.
  Pilot(const Core& game, const StartChoices& choices, ReplayStamp stamp);

  // True when play reached every stage's clear, each within the longest stage played.
  bool Fly();

  Replay Recording() const { return m_recorder.Finish(m_last.page, m_run.State()); }
  // Each stage played, in order: all but the last cleared.
  const std::vector<Tally>& Counts() const { return m_tallies; }

 private:
  void Call(const std::vector<uint8_t>& keys);

  Core m_run;
  Policy m_policy;
  std::vector<Tally> m_tallies;
  ReplayRecorder m_recorder;
  FrameOutput m_last;
};

}  // namespace autopilot
