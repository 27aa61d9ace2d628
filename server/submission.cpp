#include "submission.hpp"

#include <algorithm>

#include "game/rules.hpp"

namespace {

// A replay is printable ASCII in lines; anything else is refused before parsing,
// so that what is stored and served back is text.
constexpr std::string_view kHeader = "kestrova-replay 3 ";

bool IsReplayByte(char c) { return (c >= ' ' && c <= '~') || c == '\n' || c == '\r' || c == '\t'; }

}  // namespace

std::optional<Refusal> ParseSubmission(std::string_view body, const SubmissionLimits& limits,
                                       const std::string& dataHash, Submission& out) {
  if (static_cast<int64_t>(body.size()) > limits.maxBytes) {
    return Refusal{413, "the replay is " + std::to_string(body.size()) + " bytes, more than the " +
                            std::to_string(limits.maxBytes) + " taken"};
  }
  if (body.empty()) return Refusal{400, "the body is empty: send a replay recorded by kestrova --record"};
  if (const auto bad = std::find_if_not(body.begin(), body.end(), IsReplayByte); bad != body.end()) {
    const auto line = std::count(body.begin(), bad, '\n') + 1;
    return Refusal{400, "replay:" + std::to_string(line) + ": byte " + std::to_string(bad - body.begin()) +
                            " is not text"};
  }
  // An input script parses too, but plays nothing a board could check.
  if (body.substr(0, kHeader.size()) != kHeader) {
    return Refusal{400, "replay:1: not a replay that checks itself ('" + std::string(kHeader) +
                            " ...', as kestrova --record writes)"};
  }
  bool isReplay = false;
  std::string error;
  if (!ParseReplay(body, "replay", out.replay, isReplay, error)) return Refusal{400, error};
  const Replay& replay = out.replay;
  if (replay.rules.kind != RulesKind::Arcade) {
    return Refusal{400, std::string("the board takes arcade runs; this one is under the ") +
                            RulesName(replay.rules.kind) + " rules"};
  }
  out.frames = replay.script.Length();
  if (out.frames == 0) return Refusal{400, "the replay has no frames"};
  if (out.frames > limits.maxFrames) {
    return Refusal{400, "the replay claims " + std::to_string(out.frames) + " frames, more than the " +
                            std::to_string(limits.maxFrames) + " taken"};
  }
  if (replay.stamp->dataHash != dataHash) {
    return Refusal{400, "recorded on other data (data " + replay.stamp->dataHash + " of kestrova " +
                            replay.stamp->version + "; this board plays data " + dataHash + ")"};
  }
  out.difficulty = DifficultyName(replay.rules.difficulty);
  return std::nullopt;
}
