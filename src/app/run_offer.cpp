#include "app/run_offer.hpp"

#include <utility>

namespace {

constexpr int32_t kUnansweredFrames = 1800;  // half a minute: nobody is there to choose

}  // namespace

RunOffer::RunOffer(const StartChoices& choices, ReplayStamp stamp) : m_recorder(choices, std::move(stamp)) {}

void RunOffer::Add(const FrameInput& input, const FrameOutput& output, const PlayState& state) {
  m_recorder.Add(input, output, state);
  if (output.entry) m_entry = output.entry;
  const bool over = state.run.gameOver != 0;
  if (m_overBefore && !over) {
    Replay replay = m_recorder.Finish(output.page, state);
    // The board names the run by the initials it entered; a run in the same
    // sitting that entered none is not named by an earlier one's.
    if (m_entry) replay.player.assign(m_entry->initials.begin(), m_entry->initials.end());
    m_asked = replay.Text();
    m_entry.reset();
    m_heldBefore = true;
    m_askedFrames = 0;
  }
  m_overBefore = over;
}

std::optional<std::string> RunOffer::Answer(bool yes, bool no) {
  const bool held = yes || no;
  const bool pressed = held && !m_heldBefore;
  m_heldBefore = held;
  if (!pressed && ++m_askedFrames < kUnansweredFrames) return std::nullopt;
  std::optional<std::string> text = std::move(m_asked);
  m_asked.reset();
  if (pressed && yes && !no) return text;
  return std::nullopt;
}
