// A whole run by the policy, from start-up: a moment on the title screen,
// Space, play to the stage clear, a moment on the clear screen. Its input,
// call by call, is the replay.
#pragma once

#include <string>

#include "app/input_script.hpp"
#include "autopilot/policy.hpp"
#include "autopilot/tally.hpp"
#include "platform/headless/scripted_game.hpp"

namespace autopilot {

class Pilot {
 public:
  explicit Pilot(const std::string& dataDir);

  // Start-up of the run and of the policy's scratch game; false when the
  // data did not load (the game has said why on stderr).
  bool Start();
  // True when play reached the stage clear within the longest stage played.
  bool Fly();

  const Replay& Recording() const { return m_replay; }
  const Tally& Counts() const { return m_tally; }

 private:
  void Call(const std::vector<uint8_t>& keys);

  platform::HeadlessPlatform m_headless;
  platform::ScriptedGame m_run;
  Policy m_policy;
  Tally m_tally;
  Replay m_replay;
};

}  // namespace autopilot
