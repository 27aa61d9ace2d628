// What the board takes before anything is played: the limits hold at their
// edges, and who is limited and for how long.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/replay.hpp"
#include "options.hpp"
#include "rate_limit.hpp"
#include "submission.hpp"

namespace {

std::string Committed(const std::string& name) {
  std::ifstream in(std::string(KESTROVA_SOURCE_DIR) + "/tests/scripts/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kRun = Committed("arcade_initials.krp");  // 6541 frames, expert
const std::string kHash = kRun.substr(kRun.find(" data ") + 6, 16);  // the data it was recorded on

TEST(Submission, TheLimitsHoldAtTheirEdgesAndARefusalNamesTheLine) {
  Submission taken;
  const auto bytes = static_cast<int64_t>(kRun.size());
  EXPECT_FALSE(ParseSubmission(kRun, {bytes, 6541}, kHash, taken));
  EXPECT_EQ(taken.frames, 6541);
  EXPECT_EQ(taken.difficulty, "expert");
  const auto big = ParseSubmission(kRun, {bytes - 1, 6541}, kHash, taken);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->status, 413);
  const auto longer = ParseSubmission(kRun, {bytes, 6540}, kHash, taken);
  ASSERT_TRUE(longer);
  EXPECT_EQ(longer->error, "the replay claims 6541 frames, more than the 6540 taken");
  const auto other = ParseSubmission(kRun, {bytes, 6541}, "ffffffffffffffff", taken);
  ASSERT_TRUE(other);
  EXPECT_EQ(other->error.rfind("recorded on other data (data " + kHash, 0), 0u) << other->error;

  std::string broken = kRun;
  broken.replace(broken.find("\n20 none\n"), 9, "\n20 nine\n");
  const auto refusal = ParseSubmission(broken, {}, kHash, taken);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->status, 400);
  EXPECT_EQ(refusal->error.rfind("replay:6: expected 'COUNT KEYS", 0), 0u) << refusal->error;
  const auto binary = ParseSubmission(kRun.substr(0, 40) + '\x7f', {}, kHash, taken);
  ASSERT_TRUE(binary);
  EXPECT_EQ(binary->error, "replay:2: byte 40 is not text");
}

TEST(RateLimit, EachAddressHasItsMinuteAndLoopbackNone) {
  RateLimiter limiter(2);
  const auto t0 = RateLimiter::Clock::time_point{} + std::chrono::hours(1);
  EXPECT_FALSE(limiter.Refuse("203.0.113.5", t0));
  EXPECT_FALSE(limiter.Refuse("203.0.113.5", t0 + std::chrono::seconds(10)));
  EXPECT_EQ(limiter.Refuse("203.0.113.5", t0 + std::chrono::seconds(15)), 45);
  EXPECT_FALSE(limiter.Refuse("2001:db8::1", t0 + std::chrono::seconds(15))) << "another address";
  EXPECT_FALSE(limiter.Refuse("203.0.113.5", t0 + std::chrono::seconds(60))) << "the next minute";
  for (const char* loopback : {"127.0.0.1", "127.8.9.10", "::1", "::ffff:127.0.0.1"}) {
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(limiter.Refuse(loopback, t0)) << loopback;
  }
  for (const char* remote : {"10.0.0.1", "::ffff:10.0.0.1", "128.0.0.1", "not an address", ""}) {
    EXPECT_FALSE(IsLoopback(remote)) << remote;
  }
  RateLimiter none(0);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(none.Refuse("203.0.113.5", t0));
}

ParseResult Parse(std::vector<const char*> args, BoardOptions& options, std::string& message) {
  args.insert(args.begin(), "kestrova-board");
  return ParseBoardOptions(static_cast<int>(args.size()), args.data(), options, message);
}

TEST(BoardOptions, TheCommandLineIsReadAndAMistakeNamed) {
  BoardOptions options;
  std::string message;
  ASSERT_EQ(Parse({"--db", "", "--listen", "[::1]:8080", "--workers", "0", "--time-cap", "0.5", "--lease", "2"},
                  options, message), ParseResult::Run) << message;
  EXPECT_TRUE(options.listenHost == "::1" && options.listenPort == 8080 && options.workers == 0);
  EXPECT_TRUE(options.timeCap == std::chrono::milliseconds(500) && options.lease == std::chrono::seconds(2));
  const std::vector<std::pair<std::vector<const char*>, std::string>> mistakes = {
      {{"--db", "", "--listen", "127.0.0.1:65536"}, "--listen takes ADDRESS:PORT"},
      {{"--db", "", "--workers", "0"}, "with neither --listen nor workers there is nothing to do"},
      {{"--db", "", "--time-cap", "90"}, "--lease must be longer than --time-cap, or runs are taken twice"},
      {{"--db", "", "--rate-limit", "-1"}, "--rate-limit takes requests per minute, 0 for none"},
      {{"--db"}, "unknown or incomplete option '--db'"},
  };
  for (const auto& [args, reason] : mistakes) {
    BoardOptions fresh;
    EXPECT_EQ(Parse(args, fresh, message), ParseResult::UsageError);
    EXPECT_EQ(message.substr(0, message.find('\n')), "kestrova-board: " + reason);
  }
}

}  // namespace
