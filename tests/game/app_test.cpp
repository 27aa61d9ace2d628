// Start-up, the screen state machine and the screens, on the headless platform.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/object.hpp"
#include "game/player.hpp"
#include "data/sheet_geometry.hpp"
#include "input/keyboard.hpp"
#include "test_support.hpp"
#include "ui/screens.hpp"

namespace {

using testing_support::DataFiles;
using testing_support::HeadlessGame;

DataFiles TinyStage() {
  return {
      "# one enemy type\nE1,,,,,INIT,,,C1,\n,0,64,100,0,,,1,,\n",
      "E1,200,0,60,\n,,,5000,\n,,,1,\nEOF,\n",  // the stage clears after about 5 000 frames
      "C1,0,1,0,160,32,32,,1,100,\n",
      "",
  };
}

// Every non-transparent pixel of the sheet cell shows at (x, y) of the page.
::testing::AssertionResult CellDrawnAt(const HeadlessGame& game, RECT cell, int x, int y) {
  const Surface& sheet = const_cast<HeadlessGame&>(game).Display().GetSheetSurface();
  int opaque = 0;
  for (int dy = 0; dy < cell.bottom - cell.top; ++dy) {
    for (int dx = 0; dx < cell.right - cell.left; ++dx) {
      const uint8_t want = sheet.Row(cell.top + dy)[cell.left + dx];
      if (want == 0) continue;
      ++opaque;
      if (game.PagePixel(x + dx, y + dy) != want) {
        return ::testing::AssertionFailure() << "pixel (" << x + dx << ", " << y + dy << ") differs";
      }
    }
  }
  if (opaque == 0) return ::testing::AssertionFailure() << "the cell is empty on the sheet";
  return ::testing::AssertionSuccess();
}

TEST(Startup, FailuresShowTheirMessagesAndSaveNothing) {
  const struct {
    const char* name;
    void (*setup)(HeadlessGame&, AppOptions&);
    std::vector<std::string> messages;
  } cases[] = {
      {"window", [](HeadlessGame& g, AppOptions&) { g.platform.failWindow = true; }, {"ERROR Make Window"}},
      {"video",
       [](HeadlessGame& g, AppOptions&) { g.platform.videoResult = platform::VideoResult::NoPrimary; },
       {"ERROR WIndow Mode DDSPRimary", "ERROR InitDirectDraw"}},
      {"no sheet",
       [](HeadlessGame& g, AppOptions& o) { o.sheetPath = (g.dir / "missing.bmp").string(); },
       {"ERROR Find Resource", "ERROR BITMAP LOADING"}},
      {"corrupt sheet",
       [](HeadlessGame& g, AppOptions& o) {
         testing_support::WriteFile(g.dir / "bad.bmp", "BM not really a bitmap");
         o.sheetPath = (g.dir / "bad.bmp").string();
       },
       {"ERROR LOAD IMAGE", "ERROR BITMAP LOADING"}},
  };
  for (const auto& c : cases) {
    HeadlessGame game(TinyStage());
    const auto scoreFile = game.dir / "data" / "score.dat";
    testing_support::WriteFile(scoreFile, "stored scores");
    AppOptions options;
    c.setup(game, options);
    EXPECT_FALSE(game.Start(options)) << c.name;
    EXPECT_EQ(game.platform.Messages(), c.messages) << c.name;
    game.app->ExitInstance();
    EXPECT_EQ(testing_support::ReadFile(scoreFile), "stored scores") << c.name;
  }
}

TEST(Startup, NoAudioStillPlays) {
  HeadlessGame silent(TinyStage());
  silent.platform.failAudio = true;
  EXPECT_TRUE(silent.Start());
  EXPECT_TRUE(silent.platform.Messages().empty());
}

TEST(Screens, StateMachineFollowsKeysAndClicks) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start());
  GameState& s = game.State().m_state;
  game.Idle(3);
  EXPECT_TRUE(s.m_bTitle);

  game.StartPlay();
  EXPECT_TRUE(s.m_bPlaying);
  EXPECT_TRUE(std::all_of(game.Page().begin(), game.Page().end(), [](uint8_t p) { return p == 0; }))
      << "the frame presented at the switch is black";

  game.Idle(1, {VK_ESCAPE});
  EXPECT_TRUE(s.m_bExitQuery);
  game.Idle(1, {VK_SPACE});  // the selection opens on N: play resumes
  EXPECT_TRUE(s.m_bPlaying);

  game.Idle(1, {VK_ESCAPE});
  game.Idle(1, {VK_LEFT, VK_RIGHT});  // Right wins
  EXPECT_EQ(game.State().g_nExitCursorX, EXIT_CURSOR_YES);
  game.Idle(1, {VK_LEFT});
  EXPECT_EQ(game.State().g_nExitCursorX, EXIT_CURSOR_NO);
  game.Idle(1, {VK_RIGHT, VK_SPACE});
  EXPECT_TRUE(game.platform.CloseRequested());
  EXPECT_TRUE(s.m_bExitQuery) << "Y only asks the window to close";
}

TEST(Screens, LeftClickStartsOnlyFromTheTitle) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start());
  CMainFrame& frame = *game.app->m_pFrame;
  frame.OnLButtonDown();
  EXPECT_TRUE(game.State().m_state.m_bPlaying);
  EXPECT_TRUE(game.platform.Messages().empty());
  game.Idle(1, {VK_ESCAPE});
  frame.OnLButtonDown();
  EXPECT_TRUE(game.State().m_state.m_bExitQuery);
  EXPECT_FALSE(game.platform.CloseRequested());
  frame.OnRButtonDown();
  EXPECT_TRUE(game.platform.CloseRequested());
}

TEST(Screens, JoystickStartsOnlyWithButtonOneAlone) {
  HeadlessGame game(TinyStage());
  game.platform.SetJoystick(platform::JoyInfo{32768, 32768, 0, 3});
  AppOptions options;
  options.keyboard = 0;
  ASSERT_TRUE(game.Start(options));
  game.Idle(2);
  EXPECT_TRUE(game.State().m_state.m_bTitle);
  game.platform.SetJoystick(platform::JoyInfo{32768, 32768, 0, 1});
  game.Idle(1);
  EXPECT_TRUE(game.State().m_state.m_bPlaying);
}

TEST(Screens, TitleShowsTheFiveBestScoresRightAligned) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start());
  const int32_t scores[5] = {2500, 123456, 0, 7, 90};
  for (size_t i = 0; i < 5; ++i) game.app->m_highScores.entries[i].score = scores[i];
  game.Idle(1);
  for (int rank = 1; rank <= 5; ++rank) {
    const int y = 300 + 20 * rank;
    EXPECT_TRUE(CellDrawnAt(game, g_rcSmallDigit[static_cast<size_t>(rank)], 128, y));
    const std::string text = std::to_string(scores[rank - 1]);
    const int left = 208 - 8 * static_cast<int>(text.size());
    for (size_t k = 0; k < text.size(); ++k) {
      EXPECT_TRUE(CellDrawnAt(game, g_rcSmallDigit[static_cast<size_t>(text[k] - '0')], left + 8 * static_cast<int>(k), y))
          << "rank " << rank;
    }
  }
}

TEST(Screens, ExitQueryBoxShowsTheChoiceFromBeforeTheFrame) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start());
  game.StartPlay();
  game.Idle(1, {VK_ESCAPE});
  game.Idle(1, {VK_RIGHT});
  const Surface& sheet = game.Display().GetSheetSurface();
  const RECT box = CharCellRect('\'');
  // Top-left block of the 6x box: drawn at (192 - 8, 184) this frame, at 312 the next.
  const auto boxAt = [&](int x) {
    for (int dy = 0; dy < 48; ++dy) {
      for (int dx = 0; dx < 48; ++dx) {
        const uint8_t want = sheet.Row(box.top + dy / 6)[box.left + dx / 6];
        if (want != 0 && game.PagePixel(x + dx, 184 + dy) != want) return false;
      }
    }
    return true;
  };
  EXPECT_TRUE(boxAt(184));
  game.Idle(1);
  EXPECT_TRUE(boxAt(312));
}

TEST(FrameOfPlay, LayersAreBackgroundObjectsShipScore) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start());
  game.StartPlay();
  game.Idle(600);  // the background ring has filled
  // An explosion, the ship and the SCORE label all at (128, 16).
  game.State().g_player.x = 128;
  game.State().g_player.y = 16;
  AddObject(game.State().mainList, KIND_EXPLOSION, 128, 16);
  game.Idle(1);
  const Surface& sheet = game.Display().GetSheetSurface();
  const auto cell = [&](RECT r, int dx, int dy) { return sheet.Row(r.top + dy)[r.left + dx]; };
  int fromEach[4] = {};
  for (int dy = 0; dy < 32; ++dy) {
    for (int dx = 0; dx < 32; ++dx) {
      const uint8_t glyph = dy < 16 ? cell(BigGlyphRect(dx < 16 ? 18 : 2), dx % 16, dy) : 0;  // S, C
      const uint8_t ship = cell(RC_SHIP, dx, dy);
      const uint8_t blast = cell(g_rcExplosion[0], dx, dy);
      const uint8_t seen = game.PagePixel(128 + dx, 16 + dy);
      if (glyph) {
        EXPECT_EQ(seen, glyph);
        ++fromEach[3];
      } else if (ship) {
        EXPECT_EQ(seen, ship);
        ++fromEach[2];
      } else if (blast) {
        EXPECT_EQ(seen, blast);
        ++fromEach[1];
      } else {
        EXPECT_NE(seen, 0) << "the background covers the playfield";
        ++fromEach[0];
      }
    }
  }
  for (int layer = 0; layer < 4; ++layer) EXPECT_GT(fromEach[layer], 0) << "layer " << layer << " never on top";
}

}  // namespace
