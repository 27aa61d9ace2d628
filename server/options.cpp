#include "options.hpp"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <thread>

namespace {

constexpr const char* kUsage =
    "usage: kestrova-board --db CONNINFO [--listen ADDRESS:PORT] [--workers N] [--data DIR] [--web DIR]\n"
    "                      [--rate-limit N] [--behind-proxy] [--queue-limit N] [--max-bytes N]\n"
    "                      [--max-frames N] [--time-cap SECONDS] [--lease SECONDS]\n"
    "  --db CONNINFO      the PostgreSQL database (\"\": the PG* environment); the schema is made or\n"
    "                     brought up to date on start\n"
    "  --listen A:P       serve the API and the board page there (127.0.0.1:8080, [::]:8080; port 0:\n"
    "                     any free one); without it, only verify\n"
    "  --workers N        threads verifying runs (the cores here by default; 0: none)\n"
    "  --data DIR         the game's data the runs were recorded on (as kestrova-sim finds it)\n"
    "  --web DIR          the browser build, served under /play/ to watch the board's runs\n"
    "  --rate-limit N     requests per address per minute (60; 0: none); loopback is not limited\n"
    "  --behind-proxy     a request from loopback is the X-Forwarded-For address's\n"
    "  --queue-limit N    runs waiting for verification before new ones are refused (10000)\n"
    "  --max-bytes N      the largest replay taken (1048576)\n"
    "  --max-frames N     the longest run taken, in frames (216000: an hour)\n"
    "  --time-cap S       a run still playing after S seconds is rejected (30)\n"
    "  --lease S          a worker's claim on a run; past it, another takes the run (60)\n";

bool WholeNumber(const std::string& text, int64_t low, int64_t high, int64_t& value) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::strtoll(text.c_str(), nullptr, 10);
  return value >= low && value <= high;
}

bool Store(int64_t number, int& to) {
  to = static_cast<int>(number);
  return true;
}

bool Seconds(const std::string& text, std::chrono::milliseconds& value) {
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds < 0.01 || seconds > 86400) return false;
  value = std::chrono::milliseconds(std::llround(seconds * 1000));
  return true;
}

// "HOST:PORT", "[V6]:PORT".
bool Address(const std::string& text, std::string& host, int& port) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  std::string name = text.substr(0, colon);
  if (name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
  int64_t number = 0;
  if (name.empty() || !WholeNumber(text.substr(colon + 1), 0, 65535, number)) return false;
  host = name;
  port = static_cast<int>(number);
  return true;
}

}  // namespace

ParseResult ParseBoardOptions(int argc, const char* const* argv, BoardOptions& options, std::string& message) {
  options.workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  bool dbGiven = false;
  int64_t number = 0;
  // Each option with a value: how it is read, and what it takes when it cannot be.
  using Reader = std::function<bool(const std::string&)>;
  const std::map<std::string, std::pair<Reader, const char*>> valued = {
      {"--db", {[&](const std::string& v) {
                 options.db = v;
                 dbGiven = true;
                 return true;
               }, ""}},
      {"--listen", {[&](const std::string& v) { return Address(v, options.listenHost, options.listenPort); },
                    "ADDRESS:PORT"}},
      {"--workers", {[&](const std::string& v) { return WholeNumber(v, 0, 256, number) && Store(number, options.workers); },
                     "a count from 0 to 256"}},
      {"--data", {[&](const std::string& v) { options.dataDir = v; return !v.empty(); }, "a folder"}},
      {"--web", {[&](const std::string& v) { options.webDir = v; return !v.empty(); }, "a folder"}},
      {"--rate-limit", {[&](const std::string& v) { return WholeNumber(v, 0, 1000000, number) && Store(number, options.rateLimit); },
                        "requests per minute, 0 for none"}},
      {"--queue-limit", {[&](const std::string& v) { return WholeNumber(v, 1, INT32_MAX, options.queueLimit); },
                         "a count from 1"}},
      {"--max-bytes", {[&](const std::string& v) { return WholeNumber(v, 64, 1 << 30, options.maxBytes); },
                       "a size from 64 to 1073741824 bytes"}},
      {"--max-frames", {[&](const std::string& v) { return WholeNumber(v, 1, 100000000, options.maxFrames); },
                        "a count from 1"}},
      {"--time-cap", {[&](const std::string& v) { return Seconds(v, options.timeCap); }, "seconds, from 0.01"}},
      {"--lease", {[&](const std::string& v) { return Seconds(v, options.lease); }, "seconds, from 0.01"}},
  };
  const auto usage = [&](const std::string& reason) {
    message = "kestrova-board: " + reason + "\n" + kUsage;
    return ParseResult::UsageError;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "--version") {
      message = arg == "--help" ? kUsage : std::string("kestrova-board ") + KESTROVA_VERSION + "\n";
      return ParseResult::Exit;
    }
    if (arg == "--behind-proxy") {
      options.behindProxy = true;
      continue;
    }
    const auto option = valued.find(arg);
    if (option == valued.end() || i + 1 == argc) return usage("unknown or incomplete option '" + arg + "'");
    if (!option->second.first(argv[++i])) return usage(arg + " takes " + option->second.second);
  }
  if (!dbGiven) return usage("--db is needed");
  if (options.listenHost.empty() && options.workers == 0) return usage("with neither --listen nor workers there is nothing to do");
  if (options.lease <= options.timeCap) return usage("--lease must be longer than --time-cap, or runs are taken twice");
  return ParseResult::Run;
}
