// An arcade run offered to an online board as its game over ends: asked only
// with a board set, drawn over the game over's last page without touching the
// run, and nothing sent unless the player says yes (the board tests send one).
#include <gtest/gtest.h>

#include <optional>

#include "app/game_app.hpp"
#include "input/keyboard.hpp"
#include "test_support.hpp"

namespace {

using testing_support::RepoDataDir;

constexpr size_t kQuestionTop = 400, kQuestionBottom = 440, kPageWidth = 640;

// The game under arcade_initials.krp's rules, its tables in a scratch copy of the data.
struct OfferedGame {
  explicit OfferedGame(const std::string& board) : data(RepoDataDir()) {
    AppOptions options = data.WindowOptions();
    options.rules.kind = RulesKind::Arcade;
    options.rules.difficulty = Difficulty::Expert;
    options.boardAddress = board;
    app.emplace(options);
  }
  testing_support::HeadlessGame data;
  std::optional<testing_support::WindowedApp> app;
};

// Both games see the same input: the one with a board shows what the other
// does until the game over ends, then asks over that last page, only the rows
// below the initials changed, while the run waits; bomb says no.
TEST(SendRun, TheGameOverAsksOnlyWithABoardAndBombSendsNothing) {
  const Replay script = testing_support::CommittedReplay("tests/scripts/arcade_initials.krp");
  OfferedGame asked("http://board.test"), plain("");
  std::vector<uint8_t> gameOverPage;
  int64_t call = 1;
  for (; call <= script.script.Length() && asked.app->Frames() == plain.app->Frames(); ++call) {
    gameOverPage = plain.app->window.lastPage;
    asked.app->OnIdle(script.script.InputAt(call));
    plain.app->OnIdle(script.script.InputAt(call));
    if (asked.app->Frames() == plain.app->Frames()) {
      ASSERT_EQ(asked.app->window.lastPage, plain.app->window.lastPage) << call;
    }
  }
  ASSERT_LT(call, script.script.Length()) << "asked as the title came";
  EXPECT_EQ(plain.app->LastFrame().screen, std::string("title"));
  EXPECT_NE(asked.app->window.lastPage, gameOverPage);
  for (size_t at = 0; at < gameOverPage.size(); ++at) {
    if (at / kPageWidth < kQuestionTop || at / kPageWidth >= kQuestionBottom) {
      ASSERT_EQ(asked.app->window.lastPage[at], gameOverPage[at]) << at;
    }
  }
  const int64_t frames = asked.app->Frames();
  for (; call <= script.script.Length(); ++call) asked.app->OnIdle(script.script.InputAt(call));
  EXPECT_EQ(asked.app->Frames(), frames) << "unanswered, it goes on asking";
  asked.app->OnIdle(testing_support::Held({VK_SHIFT}));
  asked.app->OnIdle(FrameInput{});
  EXPECT_EQ(asked.app->LastFrame().screen, std::string("title"));
  EXPECT_EQ(asked.app->Frames(), frames + 1);
  EXPECT_TRUE(asked.app->window.sentRuns.empty() && plain.app->window.sentRuns.empty());
}

}  // namespace
