// What a POST of a run is taken as: a format-3 arcade replay of this data,
// within the size and the length the board allows. Everything here is cheap
// and plays nothing: the workers play what it lets through.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/input_script.hpp"

struct SubmissionLimits {
  int64_t maxBytes = 1 << 20;
  int64_t maxFrames = 216000;
};

struct Submission {
  Replay replay;
  std::string difficulty;
  int64_t frames = 0;
};

struct Refusal {
  int status = 400;  // 400, or 413 for a body over the size allowed
  std::string error;
};

// `dataHash`: the board's own data under the arcade rules, the data a run must
// have been recorded on. Nothing when `body` is taken, into `out`; else why not.
std::optional<Refusal> ParseSubmission(std::string_view body, const SubmissionLimits& limits,
                                       const std::string& dataHash, Submission& out);
