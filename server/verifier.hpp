// Playing a stored run with the game's own core to see whether it ends as it
// claims: through every check line to its end line, within the frame and
// time caps.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "store.hpp"

struct VerifyLimits {
  int64_t maxFrames = 0;
  std::chrono::milliseconds timeCap{};
};

Decision VerifyRun(std::string_view replayText, const std::string& dataDir, const VerifyLimits& limits);
