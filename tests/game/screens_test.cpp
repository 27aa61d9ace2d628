// Start-up, the screens and the moves between them, and what each screen draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <tuple>

#include "data/sheet_geometry.hpp"
#include "app/state_report.hpp"
#include "gfx/number.hpp"
#include "input/keyboard.hpp"
#include "play_fixture.hpp"

namespace {

using play_test::PlayGame;
using testing_support::DataFiles;
using testing_support::HeadlessGame;
using testing_support::Held;
using testing_support::BigLetterRect;
using testing_support::ShowsCell;
using testing_support::ShowsText;
using testing_support::WindowedApp;

DataFiles TinyStage() { return {play_test::StillTypes(), play_test::kQuietScript, play_test::kChars}; }

TEST(Startup, FailuresShowTheirMessagesAndSaveNothingAndNoAudioStillPlays) {
  using testing_support::FakePlatform;
  const struct {
    const char* name;
    void (*setup)(HeadlessGame&, FakePlatform&, AppOptions&);
    std::vector<std::string> messages;
    bool saves;
  } cases[] = {
      {"window", [](HeadlessGame&, FakePlatform& p, AppOptions&) { p.failWindow = true; }, {"ERROR Make Window"},
       false},
      {"video", [](HeadlessGame&, FakePlatform& p, AppOptions&) { p.videoResult = platform::VideoResult::NoPrimary; },
       {"ERROR WIndow Mode DDSPRimary", "ERROR InitDirectDraw"}, false},
      {"no sheet", [](HeadlessGame& g, FakePlatform&, AppOptions& o) { o.sheetPath = (g.dir / "missing.bmp").string(); },
       {"ERROR Find Resource", "ERROR BITMAP LOADING"}, false},
      {"corrupt sheet",
       [](HeadlessGame& g, FakePlatform&, AppOptions& o) {
         testing_support::WriteFile(g.dir / "bad.bmp", "BM not really a bitmap");
         o.sheetPath = (g.dir / "bad.bmp").string();
       },
       {"ERROR LOAD IMAGE", "ERROR BITMAP LOADING"}, false},
      {"no audio", [](HeadlessGame&, FakePlatform& p, AppOptions&) { p.failAudio = true; }, {}, true},
      // The browser keeps the score file only when the save says it was written.
      {"score folder a file",
       [](HeadlessGame& g, FakePlatform&, AppOptions& o) {
         testing_support::WriteFile(g.dir / "scores", "a file where the folder would be");
         o.scorePath = (g.dir / "scores" / "score.dat").string();
       },
       {}, false},
  };
  for (const auto& c : cases) {
    HeadlessGame files(TinyStage());
    const auto scoreFile = files.dir / "data" / "score.dat";
    testing_support::WriteFile(scoreFile, "stored scores");
    FakePlatform window;
    AppOptions options = files.WindowOptions();
    c.setup(files, window, options);
    CGameApp app(window, options, BuiltinResources());
    EXPECT_EQ(app.InitInstance(), c.messages.empty() ? 1 : 0) << c.name;
    if (!c.messages.empty()) {
      EXPECT_EQ(app.OnIdle(FrameInput{}), 0) << c.name << ": no game to step";
    }
    EXPECT_EQ(window.messages, c.messages) << c.name;
    EXPECT_EQ(window.dialogs, 0) << "both choices given";
    EXPECT_EQ(window.audioPlaying, c.messages.empty() && !window.failAudio) << c.name;
    EXPECT_EQ(app.SaveScore(), c.saves) << c.name;
    app.ExitInstance();
    EXPECT_EQ(testing_support::ReadFile(scoreFile) == "stored scores", !c.saves) << c.name;
  }
}

TEST(Screens, KeysClicksAndTheJoystickMoveBetweenThem) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start());
  const GameState& s = game.State().m_state;
  game.Idle(3);
  EXPECT_TRUE(s.m_bTitle);
  EXPECT_FALSE(game.Sounded(Effect::Start));
  game.StartPlay();
  EXPECT_TRUE(s.m_bPlaying);
  EXPECT_TRUE(game.Sounded(Effect::Start));
  EXPECT_TRUE(std::all_of(game.Page().begin(), game.Page().end(), [](uint8_t p) { return p == 0; }))
      << "the frame presented at the switch is black";
  game.State().g_player.x = 200;
  game.Idle(1, {VK_ESCAPE, VK_RIGHT, VK_SPACE});
  EXPECT_TRUE(s.m_bExitQuery);
  EXPECT_EQ(game.State().g_player.x, 204) << "the frame of play runs before the query opens";
  EXPECT_EQ(play_test::Nodes(game.State().mainList, KIND_PLAYER_BULLET).size(), 3u);
  game.Idle(1, {VK_SPACE});  // the selection opens on N: play resumes
  EXPECT_TRUE(s.m_bPlaying);
  EXPECT_TRUE(game.Sounded(Effect::Confirm) && !game.Sounded(Effect::Cursor));
  game.Idle(1, {VK_ESCAPE});
  game.Idle(1, {VK_LEFT, VK_RIGHT});  // Right wins
  EXPECT_EQ(game.State().g_nExitCursorX, EXIT_CURSOR_YES);
  EXPECT_TRUE(game.Sounded(Effect::Cursor) && !game.Sounded(Effect::Confirm));
  game.Idle(1, {VK_RIGHT});
  EXPECT_FALSE(game.Sounded(Effect::Cursor)) << "the cursor stayed";
  game.Idle(1, {VK_LEFT});
  EXPECT_EQ(game.State().g_nExitCursorX, EXIT_CURSOR_NO);
  game.Idle(1, {}, true);  // a left click starts play only from the title
  EXPECT_TRUE(s.m_bExitQuery);
  EXPECT_FALSE(game.last.close);
  game.Idle(1, {VK_RIGHT, VK_SPACE});
  EXPECT_TRUE(game.last.close);
  EXPECT_TRUE(s.m_bExitQuery) << "Y only asks the window to close";

  HeadlessGame clicked(TinyStage());
  ASSERT_TRUE(clicked.Start());
  clicked.Idle(1, {}, true);
  EXPECT_TRUE(clicked.State().m_state.m_bPlaying);
  EXPECT_TRUE(clicked.Sounded(Effect::Start)) << "with the frame after the click";
  EXPECT_EQ(clicked.last.screen, std::string("play"));
}

// Away from the window, play alone shows its paused page; the page the next
// frame draws on is as it was, so the run goes on as if nothing happened.
TEST(Screens, OnlyPlayPausesWhileAwayAndPlaysOnUnchanged) {
  HeadlessGame files(TinyStage()), straight(TinyStage());
  WindowedApp paused(files.WindowOptions());
  ASSERT_TRUE(straight.Start());
  EXPECT_FALSE(paused.OnAway()) << "the title keeps running";
  paused.OnIdle(Held({VK_SPACE}));
  straight.StartPlay();
  for (int i = 0; i < 30; ++i) paused.OnIdle(Held({VK_SPACE, VK_LEFT}));
  straight.Idle(30, {VK_SPACE, VK_LEFT});
  const std::vector<uint8_t> before = paused.window.lastPage;
  ASSERT_TRUE(paused.OnAway());
  const std::vector<uint8_t>& shown = paused.window.lastPage;
  size_t dimmed = 0, kept = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    const bool black = ((i % 640) + (i / 640)) % 2 == 0;  // the dimming's pixels
    if (black && before[i] != 0) dimmed += shown[i] == 0;
    if (!black) kept += shown[i] == before[i];
  }
  EXPECT_GT(dimmed, 1000u);
  EXPECT_GT(kept, shown.size() / 2 - 40000) << "the picture stays under the dimming and the word";
  for (int i = 0; i < 30; ++i) paused.OnIdle(Held({VK_SPACE}));
  straight.Idle(30, {VK_SPACE});
  EXPECT_EQ(FrameLine(60 + 2, paused.LastFrame().screen, paused.LastFrame().page, paused.State()),
            FrameLine(60 + 2, straight.last.screen, straight.last.page, straight.State()));

  AppOptions options = files.WindowOptions();
  options.pauseWhenAway = false;
  WindowedApp playsOn(options);
  playsOn.OnIdle(Held({VK_SPACE}));
  EXPECT_FALSE(playsOn.OnAway());
}

// The menu over the title and play: nothing of the game runs while it is
// open, it changes what the player sees and hears, and the key that closed it
// is not the game's until let go.
TEST(Screens, TheMenuHoldsTheGameChangesTheViewAndSoundAndQuits) {
  HeadlessGame files(TinyStage());
  WindowedApp app(files.WindowOptions());
  const auto idle = [&](std::vector<uint8_t> keys, bool menu = false) {
    FrameInput input = Held(keys);
    input.menu = menu;
    return app.OnIdle(input);
  };
  // A frame for each key set in turn.
  const auto idleThrough = [&](std::initializer_list<std::vector<uint8_t>> frames) {
    for (const auto& keys : frames) idle(keys);
  };
  idle({});
  const std::vector<uint8_t> title = app.window.lastPage;
  idle({}, true);
  EXPECT_EQ(app.Frames(), 1) << "the menu's frames are none of the game's";
  EXPECT_NE(app.window.lastPage, title) << "drawn over the title";
  // Past GAME, CONTROLS, PAD and VIDEO to SOUND, its volume down a step.
  idleThrough({{VK_DOWN}, {}, {VK_DOWN}, {}, {VK_DOWN}, {}, {VK_DOWN}, {}, {VK_DOWN}, {VK_SPACE}, {VK_LEFT}});
  EXPECT_EQ(app.window.volume, (PlayerVolume{90, false}));
  idleThrough({{VK_ESCAPE}, {}, {VK_ESCAPE}});  // back on the title as it was
  EXPECT_EQ(app.window.lastPage, title);
  EXPECT_EQ(app.Frames(), 1);
  idle({}, true);
  idle({VK_SPACE});  // RESUME, with the key that starts play held on
  idle({VK_SPACE});
  EXPECT_TRUE(app.State().m_state.m_bTitle) << "Space chose RESUME, and is the game's once let go";
  EXPECT_FALSE(app.LastInput().keys[VK_SPACE]);
  FrameInput pad;  // the same from a pad: the fire button that chose RESUME is no shot
  pad.stick = JoyReading{true, 32768, 32768, 1};
  idle({}, true);
  app.OnIdle(pad);
  app.OnIdle(pad);
  EXPECT_EQ(app.LastInput().stick.buttons, 0u);
  idle({});
  idle({VK_SPACE});
  EXPECT_TRUE(app.State().m_state.m_bPlaying);
  idle({VK_ESCAPE});
  idle({}, true);
  EXPECT_TRUE(app.State().m_state.m_bExitQuery) << "the exit query keeps its keys";
  idle({VK_SPACE});  // back in play, whose menu has no rules to change
  idle({}, true);
  // Past CONTROLS and PAD to VIDEO: full screen on, integer scale on, full screen off again.
  idleThrough({{VK_DOWN}, {}, {VK_DOWN}, {}, {VK_DOWN}, {}, {VK_SPACE}, {}, {VK_SPACE}, {VK_DOWN}, {VK_RIGHT}, {VK_UP},
               {VK_SPACE}});
  EXPECT_EQ(app.window.view, (PlayerView{false, true}));
  // From VIDEO up past PAD, CONTROLS and RESUME, round to QUIT, then LANGUAGE:
  // English from the next start, the platform told at once.
  idleThrough({{VK_ESCAPE}, {VK_UP}, {}, {VK_UP}, {}, {VK_UP}, {}, {VK_UP}, {}, {VK_UP}, {VK_RIGHT}});
  EXPECT_EQ(app.window.language, "en");
  idle({VK_DOWN});
  EXPECT_EQ(idle({VK_SPACE}), 0) << "QUIT";
}

// On the title the menu chooses the next run's rules, unless the run is recorded.
TEST(Screens, TheTitlesMenuMakesTheGameAnewUnderTheRulesChosen) {
  for (const bool recorded : {false, true}) {
    HeadlessGame files(TinyStage());
    AppOptions options = files.WindowOptions();
    options.choicesFixed = recorded;
    WindowedApp app(options);
    int frame = 0;
    for (const auto& keys : {std::vector<uint8_t>{}, {}, {VK_DOWN}, {VK_SPACE}, {}, {VK_RIGHT}, {VK_ESCAPE}, {}, {VK_ESCAPE}}) {
      FrameInput input = Held(keys);
      input.menu = ++frame == 2;
      app.OnIdle(input);
    }
    EXPECT_EQ(app.Choices().rules.kind, recorded ? RulesKind::Standard : RulesKind::Arcade) << recorded;
    app.OnIdle(FrameInput{});
    app.OnIdle(Held({VK_SPACE}));
    EXPECT_EQ(app.State().run.lives, recorded ? 0 : 3);
  }
}

// The keys page passes the next key pressed on to the platform, which keeps
// it or says why not; the game's own keys go on as they were meanwhile. The
// key just bound, still held as its new action, moves nothing until let go.
TEST(Screens, TheMenusKeysPageGivesAnActionTheNextKeyPressed) {
  HeadlessGame files(TinyStage());
  WindowedApp app(files.WindowOptions());
  int frame = 0;
  for (const auto& [keys, name] : std::vector<std::pair<std::vector<uint8_t>, std::string>>{
           {{}, ""}, {{}, ""}, {{VK_DOWN}, ""}, {{}, ""}, {{VK_DOWN}, ""}, {{VK_SPACE}, ""}, {{}, ""}, {{VK_DOWN}, ""},
           {{}, ""}, {{VK_SPACE}, ""}, {{}, "Z"}, {{VK_DOWN}, ""}, {{}, ""}, {{VK_SPACE}, ""}, {{}, "Up"},
           {{}, ""}, {{VK_SPACE}, ""}, {{}, "X"}}) {
    FrameInput input = Held(keys);
    input.menu = ++frame == 2;
    input.keyName = name;
    app.OnIdle(input);  // past GAME to CONTROLS, down to DOWN: Z for it, held; Up, which UP has; X
  }
  const auto keys = app.window.ActionNames(ControlDevice::Keyboard);
  EXPECT_EQ(std::tie(keys[0], keys[1], keys[2]), std::tuple("Up", "X", "Left"));
  EXPECT_EQ(app.Frames(), 1);
}

TEST(Screens, JoystickStartsAndSteersBesideTheKeyboardAndStopsWhenUnplugged) {
  HeadlessGame game(TinyStage());
  ASSERT_TRUE(game.Start(testing_support::WithStick()));
  game.stick = JoyReading{true, 65535, 32768, 3};
  game.Idle(2);
  EXPECT_TRUE(game.State().m_state.m_bTitle) << "buttons 1 and 2 together do not start play";
  game.stick.buttons = 1;
  game.Idle(1);
  EXPECT_TRUE(game.State().m_state.m_bPlaying) << "button 1 alone does";
  game.stick.buttons = 0;
  game.State().g_player.x = 200;
  game.Idle(2);
  EXPECT_EQ(game.State().g_player.x, 208);
  game.Idle(1, {VK_LEFT});  // both devices: the moves cancel
  EXPECT_FLOAT_EQ(game.State().g_player.x, 208);
  game.stick.x = 32768;
  game.Idle(1, {VK_ESCAPE});
  game.stick = JoyReading{};
  game.Idle(1, {VK_SPACE});  // the exit query reads the keyboard alone: the stick is missed only in play
  EXPECT_EQ(game.State().g_joystick.m_bAvailable, 1);
  game.Idle(1);
  EXPECT_EQ(game.State().g_joystick.m_bAvailable, 0);
  EXPECT_EQ(game.State().g_player.x, 208);
  game.Idle(1, {VK_RIGHT});
  EXPECT_EQ(game.State().g_player.x, 212);
}

// Every word of every screen, letter by letter.
TEST(Screens, EachScreenShowsItsWordsAndTheExitBoxTheChoiceFromBeforeTheFrame) {
  PlayGame game(play_test::StillTypes(), ",,,1\nEOF,\n");
  const std::vector<uint8_t> paused(game.core->PausedPage().begin(), game.core->PausedPage().end());
  EXPECT_TRUE(ShowsText(paused, U"PAUSE", BigLetterRect, 160, 208, 4));
  game.Idle(3);  // the script ends at once
  ASSERT_EQ(game.last.screen, std::string("clear"));
  EXPECT_TRUE(ShowsText(game.Page(), U"STAGE", BigLetterRect, 128, 128, 4));
  EXPECT_TRUE(ShowsText(game.Page(), U"CLEAR", BigLetterRect, 128, 192, 4));
  game.StartPlay();
  game.Idle(1, {VK_ESCAPE});
  game.Idle(1, {VK_RIGHT});
  EXPECT_TRUE(ShowsText(game.Page(), U"EXIT?", CharCellRect, 128, 128, 4, 64));
  EXPECT_TRUE(ShowsText(game.Page(), U"N/Y", CharCellRect, 192, 192, 4, 64));
  // The 6x box: drawn at (192 - 8, 184) this frame, at 312 the next.
  EXPECT_TRUE(ShowsCell(game.Page(), CharCellRect('\''), 184, 184, 6));
  game.Idle(1);
  EXPECT_TRUE(ShowsCell(game.Page(), CharCellRect('\''), 312, 184, 6));

  // The title, with the five best scores ranked and right-aligned.
  HeadlessGame title(TinyStage());
  const int32_t scores[5] = {2500, 123456, 0, 7, 90};
  testing_support::WriteFile(title.dir / "data" / "score.dat",
                             testing_support::ScoreFileText(std::vector<int32_t>(scores, scores + 5)));
  ASSERT_TRUE(title.Start());
  title.Idle(1);
  EXPECT_TRUE(ShowsText(title.Page(), U"KEST", BigLetterRect, 128, 128, 4));
  EXPECT_TRUE(ShowsText(title.Page(), U"ROVA", BigLetterRect, 192, 192, 4));
  EXPECT_TRUE(ShowsText(title.Page(), U"SECOND", BigLetterRect, 192, 256, 1));
  EXPECT_TRUE(ShowsText(title.Page(), U"PUSH SPACE", CharCellRect, 128, 440, 2));
  // The small digits are the small font's.
  for (int rank = 1; rank <= 5; ++rank) {
    const int y = 300 + 20 * rank;
    EXPECT_TRUE(ShowsText(title.Page(), std::u32string(1, U'0' + rank), CharCellRect, 128, y, 1)) << "rank " << rank;
    const std::string text = std::to_string(scores[rank - 1]);
    const int left = 208 - 8 * static_cast<int>(text.size());
    EXPECT_TRUE(ShowsText(title.Page(), std::u32string(text.begin(), text.end()), CharCellRect, left, y, 1)) << rank;
  }
}

TEST(FrameOfPlay, LayersAreBackgroundObjectsShipScore) {
  PlayGame game;
  game.Idle(600);  // the background ring has filled
  // An explosion, the ship and the SCORE label all at (128, 16).
  game.P().x = 128;
  game.P().y = 16;
  AddObject(game.State().mainList, KIND_EXPLOSION, 128, 16);
  game.Idle(1);
  const Surface& sheet = testing_support::BuiltinSheet().pixels;
  const auto cell = [&](RECT r, int dx, int dy) { return sheet.Row(r.top + dy)[r.left + dx]; };
  int fromEach[4] = {};
  for (int dy = 0; dy < 32; ++dy) {
    for (int dx = 0; dx < 32; ++dx) {
      // From the top layer down: the S and C of the label, the ship, the blast, the background.
      const uint8_t layers[] = {dy < 16 ? cell(BigGlyphRect(dx < 16 ? 18 : 2), dx % 16, dy) : uint8_t{0},
                                cell(RC_SHIP, dx, dy), cell(g_rcExplosion[0], dx, dy)};
      const auto top = std::find_if(std::begin(layers), std::end(layers), [](uint8_t p) { return p != 0; });
      const uint8_t seen = game.PagePixel(128 + dx, 16 + dy);
      if (top == std::end(layers)) {
        EXPECT_NE(seen, 0) << "the background covers the playfield";
      } else {
        EXPECT_EQ(seen, *top);
      }
      ++fromEach[top - std::begin(layers)];
    }
  }
  for (int layer = 0; layer < 4; ++layer) EXPECT_GT(fromEach[layer], 0) << "layer " << layer << " never on top";
}

// Digits and letters painted each with its own value on a blank sheet: big
// digit d = 10 + d, big minus 9, small digit d = 30 + d, small minus 29,
// letter i = 50 + i. Each case gives the text and the x where it starts.
TEST(Numbers, TheScoreEndsAtX192UnderItsLabelOtherNumbersAtTheirRightEdge) {
  SpriteSheet painted;
  Surface& sheet = painted.pixels;
  sheet.Create(SHEET_WIDTH, SHEET_HEIGHT);
  Surface page = Surface::Blank(PAGE_WIDTH, PAGE_HEIGHT), ring;
  CDisplay display(painted, page, ring);
  const auto fill = [&sheet](RECT r, int value) {
    for (int32_t y = r.top; y < r.bottom; ++y) std::fill(sheet.Row(y) + r.left, sheet.Row(y) + r.right, value);
  };
  for (int d = 0; d < 10; ++d) {
    fill(g_rcDigit[static_cast<size_t>(d)], 10 + d);
    fill(g_rcSmallDigit[static_cast<size_t>(d)], 30 + d);
  }
  fill(RC_BIG_MINUS, 9);
  fill(RC_SMALL_MINUS, 29);
  for (int i = 0; i < 26; ++i) fill(BigGlyphRect(i), 50 + i);
  const struct {
    bool score;
    int32_t value;
    const char* text;
    int left;
  } cases[] = {
      {true, 0, "0", 176},          {true, 12345, "12345", 112},           {true, 32767, "32767", 112},
      {true, -5, "-5", 160},        {true, INT32_MAX, "2147483647", 32},   {true, INT32_MIN, "-2147483648", 16},
      {false, 0, "0", 200},         {false, 123456, "123456", 160},        {false, -7, "-7", 192},
      {false, INT32_MIN, "-2147483648", 120},
  };
  for (const auto& c : cases) {
    ClearSurface(page);
    const int size = c.score ? 16 : 8, top = c.score ? 32 : 100;
    if (c.score) {
      DrawScore(display, c.value);
    } else {
      DrawNumber(display, c.value, 208, 100);
    }
    const uint8_t* row = page.Row(top + size / 2);
    EXPECT_EQ(row[c.left - size / 2], 0) << c.text << " starts later";
    for (size_t i = 0; i < std::strlen(c.text); ++i) {
      const int want = (c.text[i] == '-' ? -1 : c.text[i] - '0') + (c.score ? 10 : 30);
      EXPECT_EQ(row[c.left + static_cast<int>(i) * size + size / 2], want) << c.text << " at " << i;
    }
    EXPECT_EQ(row[c.score ? 200 : 212], 0) << c.text << " ends there";
    // S C O R E from x 128, a line above.
    const int label[] = {18, 2, 14, 17, 4};
    for (int i = 0; c.score && i < 5; ++i) EXPECT_EQ(page.Row(24)[136 + 16 * i], 50 + label[i]) << c.text;
  }
}

}  // namespace
