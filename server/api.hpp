// The board's HTTP face: runs sent and looked up, the boards as JSON and as a
// page, the browser build to watch runs with; limits on what a client may ask.
#pragma once

#include <httplib.h>

#include <cstdint>
#include <string>

#include "rate_limit.hpp"
#include "store.hpp"
#include "submission.hpp"

struct ApiSettings {
  SubmissionLimits limits;
  std::string dataHash;  // what runs must have been recorded on
  int64_t queueLimit = 10000;
  bool behindProxy = false;
  bool watchable = false;  // the browser build is served under /play/
};

// The routes on `server`; `pool`, `limiter` and `settings` outlive it.
void AddRoutes(httplib::Server& server, ConnectionPool& pool, RateLimiter& limiter, const ApiSettings& settings);
