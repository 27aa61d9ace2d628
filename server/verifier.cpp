#include "verifier.hpp"

#include "app/replay.hpp"

Decision VerifyRun(std::string_view replayText, const std::string& dataDir, const VerifyLimits& limits) {
  Decision decision;
  Replay replay;
  bool isReplay = false;
  // The intake parsed it before it was stored: this fails only for a row changed since.
  if (!ParseReplay(replayText, "replay", replay, isReplay, decision.reason) || !replay.stamp) {
    if (decision.reason.empty()) decision.reason = "not a replay that checks itself";
    return decision;
  }
  CheckOutcome outcome;
  const CheckLimits caps{limits.maxFrames, std::chrono::steady_clock::now() + limits.timeCap};
  decision.reason = CheckReplay(replay, dataDir, "", caps, &outcome);
  decision.verified = decision.reason.empty();
  decision.frames = outcome.frames;
  decision.score = outcome.score;
  // The player's name where the replay gives one, else the initials the run entered.
  if (outcome.entry) decision.name.assign(outcome.entry->initials.begin(), outcome.entry->initials.end());
  return decision;
}
