// The replay reader over any text: a replay or a plain script; what it
// accepts, written back out as a replay, reads the same (a replay that checks
// itself the same frame for frame, its checks and end as they were).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "script_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Replay replay;
  bool isReplay = false;
  std::string error;
  if (!ParseReplay(text, "fuzz.replay", replay, isReplay, error)) {
    FUZZ_CHECK(error.rfind("fuzz.replay:", 0) == 0);
    return 0;
  }
  FUZZ_CHECK(isReplay || (replay.fullScreen == 0 && replay.keyboard == 1));
  CheckRuns(replay.script);
  Replay again;
  FUZZ_CHECK(ParseReplay(replay.Text(), "again.replay", again, isReplay, error));
  FUZZ_CHECK(isReplay && again.fullScreen == replay.fullScreen && again.keyboard == replay.keyboard);
  FUZZ_CHECK(again.stamp == replay.stamp && again.checks == replay.checks && again.end == replay.end);
  FUZZ_CHECK(replay.stamp ? SameInput(replay.script, again.script) : SameRuns(replay.script, again.script));
  return 0;
}
