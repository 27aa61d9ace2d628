// An arcade run offered to an online board as its game over ends: asked only
// with a board set, drawn over the game over's last page without touching
// the run, and sent, as a replay that checks itself and carries the initials,
// only when the player says yes.
#include <gtest/gtest.h>

#include <optional>

#include "app/game_app.hpp"
#include "app/replay.hpp"
#include "input/keyboard.hpp"
#include "test_support.hpp"

namespace {

using testing_support::FakePlatform;
using testing_support::HeadlessGame;
using testing_support::RepoDataDir;

constexpr int kQuestionTop = 400, kQuestionBottom = 440;  // the two lines of the question
constexpr size_t kPageWidth = 640;

InputScript InitialsScript() {
  Replay replay;
  std::string error;
  EXPECT_TRUE(LoadReplay((RepoDataDir().parent_path() / "tests/scripts/arcade_initials.krp").string(), replay, error))
      << error;
  return replay.script;
}

FrameInput Holding(std::vector<uint8_t> keys) {
  FrameInput input;
  for (const uint8_t vk : keys) input.keys[vk] = 0x80;
  return input;
}

// The game under the script's rules, its data and tables in a scratch copy.
struct OfferedGame {
  explicit OfferedGame(const std::string& board) : data(RepoDataDir()) {
    AppOptions options;
    options.dataDir = data.DataDir();
    options.fullScreen = 0;
    options.keyboard = 1;
    options.rules.kind = RulesKind::Arcade;
    options.rules.difficulty = Difficulty::Expert;
    options.boardAddress = board;
    app.emplace(window, options, BuiltinResources());
    EXPECT_TRUE(app->InitInstance());
  }
  HeadlessGame data;
  FakePlatform window;
  std::optional<CGameApp> app;
};

// Both games see the same input: the one with a board shows what the other
// does until the game over ends, and then asks over that last page, rows
// below the initials alone changed, while the run waits.
TEST(SendRun, TheGameOverAsksOnlyWithABoardOverItsOwnLastPage) {
  const InputScript script = InitialsScript();
  OfferedGame asked("http://board.test"), plain("");
  std::vector<uint8_t> gameOverPage;
  int64_t call = 1;
  for (; call <= script.Length() && asked.app->Frames() == plain.app->Frames(); ++call) {
    gameOverPage = plain.window.lastPage;
    asked.app->OnIdle(script.InputAt(call));
    plain.app->OnIdle(script.InputAt(call));
    if (asked.app->Frames() == plain.app->Frames()) {
      ASSERT_EQ(asked.window.lastPage, plain.window.lastPage) << call;
    }
  }
  ASSERT_LT(call, script.Length()) << "asked as the title came";
  EXPECT_EQ(plain.app->LastFrame().screen, std::string("title"));
  for (size_t at = 0; at < gameOverPage.size(); ++at) {
    const auto y = static_cast<int>(at / kPageWidth);
    if (y < kQuestionTop || y >= kQuestionBottom) {
      ASSERT_EQ(asked.window.lastPage[at], gameOverPage[at]) << at;
    }
  }
  EXPECT_NE(asked.window.lastPage, gameOverPage);
  // Unanswered, it goes on asking; the run stands still meanwhile.
  const int64_t frames = asked.app->Frames();
  for (; call <= script.Length(); ++call) asked.app->OnIdle(script.InputAt(call));
  EXPECT_EQ(asked.app->Frames(), frames);
  EXPECT_TRUE(asked.window.sentRuns.empty() && plain.window.sentRuns.empty());
}

// Yes sends the run as the board takes it: a replay that ends as played,
// under the initials entered; then the title comes. No sends nothing.
TEST(SendRun, FireSendsTheRunThatChecksItselfAndBombKeepsIt) {
  const InputScript script = InitialsScript();
  for (const uint8_t answer : {VK_SPACE, VK_SHIFT}) {
    OfferedGame game("http://board.test");
    for (int64_t call = 1; call <= script.Length(); ++call) game.app->OnIdle(script.InputAt(call));
    const int64_t frames = game.app->Frames();
    game.app->OnIdle(Holding({answer, VK_LEFT}));
    ASSERT_EQ(game.app->Frames(), frames) << "the answer is no frame of the run";
    game.app->OnIdle(Holding({answer}));
    game.app->OnIdle(Holding({}));
    EXPECT_EQ(game.app->LastFrame().screen, std::string("title"));
    EXPECT_EQ(game.app->Frames(), frames + 2) << "the answer's key goes to nothing until let go";
    if (answer == VK_SHIFT) {
      EXPECT_TRUE(game.window.sentRuns.empty());
      continue;
    }
    ASSERT_EQ(game.window.sentRuns.size(), 1u);
    Replay sent;
    bool isReplay = false;
    std::string error;
    ASSERT_TRUE(ParseReplay(game.window.sentRuns[0], "sent", sent, isReplay, error)) << error;
    EXPECT_EQ(sent.player, "BCA");
    EXPECT_EQ(sent.script.Length(), frames);
    CheckOutcome outcome;
    EXPECT_EQ(CheckReplay(sent, RepoDataDir().string(), "", {}, &outcome), "");
    ASSERT_TRUE(outcome.entry.has_value());
    EXPECT_EQ(outcome.score, 5290);
    EXPECT_EQ(std::string(outcome.entry->initials.begin(), outcome.entry->initials.end()), "BCA");
  }
}

}  // namespace
