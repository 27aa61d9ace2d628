// A finished arcade run offered to an online board: the sitting's frames are
// kept in memory from the core's start, as the board plays a replay from
// there, and as each arcade game over ends the player is asked whether to
// send the run, with fire for yes and bomb for no. Nothing is sent unasked.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/replay.hpp"

class RunOffer {
 public:
  RunOffer(const StartChoices& choices, ReplayStamp stamp);

  // A frame the core played, with what it took and gave and the state after
  // it. The frame that ends a game over opens the question; what is held
  // then answers nothing until let go.
  void Add(const FrameInput& input, const FrameOutput& output, const PlayState& state);
  bool Asking() const { return m_asked.has_value(); }

  // A frame of the open question, `yes` and `no` held or not: the replay
  // text to send once yes is pressed; the question closes on either, and
  // after a while unanswered, as a no.
  std::optional<std::string> Answer(bool yes, bool no);

 private:
  ReplayRecorder m_recorder;
  std::optional<ArcadeEntry> m_entry;  // the initials this run entered, if it did
  bool m_overBefore = false;  // the frame before was a game over's
  std::optional<std::string> m_asked;  // the run's replay while the question is open
  bool m_heldBefore = true;
  int32_t m_askedFrames = 0;
};
