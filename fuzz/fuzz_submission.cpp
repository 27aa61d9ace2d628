// The board's body parser over any bytes, as a POST brings them: it refuses
// with 400 or 413 and a reason, or takes an arcade replay of this data within
// the limits, which reads the same once written back out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/replay.hpp"
#include "fuzz_check.hpp"
#include "submission.hpp"

namespace {

constexpr SubmissionLimits kLimits{1 << 16, 20000};

const std::string& DataHash() {
  static const std::string hash = StampFor(KESTROVA_DATA_DIR, GameRules{RulesKind::Arcade}).dataHash;
  return hash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  Submission taken;
  if (const auto refusal = ParseSubmission(body, kLimits, DataHash(), taken)) {
    FUZZ_CHECK((refusal->status == 413) == (static_cast<int64_t>(size) > kLimits.maxBytes));
    FUZZ_CHECK(refusal->status == 400 || refusal->status == 413);
    FUZZ_CHECK(!refusal->error.empty());
    return 0;
  }
  const Replay& replay = taken.replay;
  FUZZ_CHECK(static_cast<int64_t>(size) <= kLimits.maxBytes);
  FUZZ_CHECK(taken.frames >= 1 && taken.frames <= kLimits.maxFrames && taken.frames == replay.script.Length());
  FUZZ_CHECK(replay.rules.kind == RulesKind::Arcade && replay.stamp && replay.stamp->dataHash == DataHash());
  FUZZ_CHECK(taken.difficulty == DifficultyName(replay.rules.difficulty));
  Submission again;
  FUZZ_CHECK(!ParseSubmission(replay.Text(), {INT64_MAX, kLimits.maxFrames}, DataHash(), again));
  FUZZ_CHECK(again.frames == taken.frames && again.replay.checks == replay.checks && again.replay.end == replay.end);
  FUZZ_CHECK(again.replay.player == replay.player && again.replay.best == replay.best);
  return 0;
}
