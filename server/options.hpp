// kestrova-board's command line: where the database is, what it serves and
// the limits it holds hostile input to.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

struct BoardOptions {
  std::string db;             // a libpq connection string; empty: libpq's PG* environment
  std::string listenHost;     // empty: no HTTP, only workers
  int listenPort = 0;         // 0: any free port (printed on start)
  int workers = 0;            // verifying threads; 0: none here
  std::string dataDir;        // the game's data the runs are played on
  std::string webDir;         // the browser build, served under /play/; empty: none
  int rateLimit = 60;         // requests per address per minute; 0: none
  bool behindProxy = false;   // from loopback, X-Forwarded-For names the client
  int64_t queueLimit = 10000; // runs waiting for a worker before new ones are refused
  int64_t maxBytes = 1 << 20;
  int64_t maxFrames = 216000;  // an hour at 60 frames a second
  std::chrono::milliseconds timeCap{30000};  // a run still playing then is rejected
  std::chrono::milliseconds lease{60000};    // a claimed run goes back to the queue after this
};

enum class ParseResult { Run, Exit, UsageError };

// `message` is the help or version text for Exit, the reason for UsageError.
ParseResult ParseBoardOptions(int argc, const char* const* argv, BoardOptions& options, std::string& message);
