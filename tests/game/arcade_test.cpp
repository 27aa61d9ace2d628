// The arcade and practice rules beside the standard ones: lives, the ship
// lost and back, extra lives, the 32-bit score, the game over and its
// initials, the loops, the difficulties' changes, and practice's start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "app/game_app.hpp"
#include "app/headless_core.hpp"
#include "app/replay.hpp"
#include "input/keyboard.hpp"
#include "play_fixture.hpp"

namespace {

using namespace play_test;
using testing_support::HeadlessGame;

StartChoices Rules(RulesKind kind, Difficulty difficulty = Difficulty::Normal) {
  StartChoices choices;
  choices.rules.kind = kind;
  choices.rules.difficulty = difficulty;
  return choices;
}

// A game on a tiny stage with these rules, play started from the title.
struct RuledGame : PlayGame {
  explicit RuledGame(const StartChoices& choices, const std::string& data = StillTypes(),
                     const std::string& stage = kQuietScript, const std::string& chars = kChars)
      : PlayGame(data, stage, choices, chars) {}
  RunState& Run() { return State().run; }
  // A bullet that hits the ship, unprotected, and flies on down and away.
  void Hit() {
    P().hitFlag = 0;
    AddMovingObject(State().mainList, KIND_BULLET, P().x, P().y, 64, 64, 8);
    Idle();
  }
  // Hits until its energy is gone.
  void Drain() {
    while (P().energy > 0 && Run().downTimer == 0) Hit();
  }
};

TEST(Arcade, ShipsAreLostAtNoEnergyComeBackProtectedAndTheLastEndsTheGame) {
  RuledGame game(Rules(RulesKind::Arcade));
  EXPECT_EQ(game.Run().lives, 3);
  game.Drain();
  EXPECT_EQ(game.Run().lives, 2);
  EXPECT_TRUE(game.Sounded(Effect::LargeDown));
  EXPECT_EQ(game.Of(KIND_EXPLOSION).size(), 1u);
  game.Idle(118);  // down 120 frames, the one it was lost in among them
  EXPECT_GT(game.Run().downTimer, 0) << "still down";
  game.Idle(1);
  EXPECT_EQ(game.Run().downTimer, 0);
  EXPECT_TRUE(game.P().energy == MAX_ENERGY && game.P().hitFlag == 1 && game.P().x == 320 && game.P().y == 448);
  game.Idle(100);
  EXPECT_EQ(game.P().hitFlag, 1) << "protected longer than after a hit";
  game.Idle(30);
  EXPECT_EQ(game.P().hitFlag, 0);
  for (int ship = 0; ship < 2; ++ship) {
    game.Drain();
    game.Idle(119);
  }
  EXPECT_EQ(game.Run().gameOver, 1) << "the last ship's 120 frames down end the game";
  game.Idle(1);
  EXPECT_EQ(game.last.screen, std::string("gameover"));
  // Without a score nothing is entered: fire after the moment alone leads to the title.
  game.Idle(120);
  game.Idle(1, {VK_SPACE});
  game.Idle(1);
  EXPECT_EQ(game.last.screen, std::string("title"));
  // A new run from the title starts afresh.
  game.State().mainList.Append(AllocObject());
  game.StartPlay();
  EXPECT_TRUE(game.Run().lives == 3 && game.Run().gameOver == 0 && game.State().mainList.Empty());
}

// An enemy worth `worth`, shot where it stands.
void Kill(RuledGame& game, int16_t worth) {
  game.Add(KIND_ENEMY, 300, 100)->scoreValue = worth;
  game.Add(KIND_PLAYER_BULLET, 310, 110, 192);
  game.Idle();
}

// The score, stopping at the top of 32 bits, gives extra lives; at the game
// over one that makes the table takes initials, and the title shows them.
TEST(Arcade, TheScoreIsThirtyTwoBitsGivesExtraLivesAndOneThatMakesTheTableTakesInitials) {
  StartChoices choices = Rules(RulesKind::Arcade);
  choices.best.entries[0] = ArcadeEntry{5000, {'B', 'E', 'N'}};
  RuledGame game(choices);
  game.Run().score = 19990;
  Kill(game, 30000);
  EXPECT_EQ(game.Run().score, 49990) << "past 32767";
  EXPECT_EQ(game.Run().lives, 4) << "the first extra life, at 20000";
  EXPECT_EQ(game.Run().nextExtraLife, 60000);
  Kill(game, 30000);
  EXPECT_EQ(game.Run().lives, 5) << "and every 40000 past it";
  game.Run().score = INT32_MAX - 10;
  Kill(game, 100);
  EXPECT_EQ(game.Run().score, INT32_MAX);

  game.Run().score = 1200;
  game.Run().lives = 1;
  game.Drain();
  game.Idle(119 + 120);  // down, then the game over shown alone
  ASSERT_EQ(game.Run().entryPlace, 1);
  const std::vector<uint8_t> withA(game.Page().begin(), game.Page().end());
  game.Idle(1, {VK_DOWN});  // A back to Z, at once
  game.Idle(20, {VK_DOWN});  // held: one more after 16 frames, the next due at 22: Y
  EXPECT_FALSE(std::equal(withA.begin(), withA.end(), game.Page().begin())) << "the first letter is drawn";
  game.Idle(1, {VK_SPACE});
  game.Idle(1, {VK_SPACE});  // still held: no second letter taken
  EXPECT_EQ(game.Run().entryLetter, 1);
  game.Idle(1);
  game.Idle(1, {VK_SPACE});
  game.Idle(1);
  game.Idle(1, {VK_UP});
  EXPECT_FALSE(game.last.entry.has_value());
  game.Idle(1, {VK_SPACE});
  ASSERT_TRUE(game.last.entry.has_value());
  EXPECT_EQ(*game.last.entry, (ArcadeEntry{1200, {'Y', 'A', 'B'}}));
  EXPECT_EQ(game.Run().best.entries[1], *game.last.entry);
  game.Idle(1);
  EXPECT_EQ(game.last.screen, std::string("title"));
}

// A shooter of 10 hit points and one chance in 101 to fire each frame; the
// script ends after it, so that a stage clear comes soon.
constexpr const char* kShooterChars = "T,64,10,0,0,32,32,,1,100\n";
const std::string kShooterTypes = Type("F1", "T", "0,0,30000,100,,,0") + StillTypes();

struct Shooter {
  explicit Shooter(Difficulty difficulty)
      : game(Rules(RulesKind::Arcade, difficulty), kShooterTypes, "F1,300,100,4000\n,,,1\nEOF,\n",
             std::string(kChars) + kShooterChars) {
    game.Idle(1);
  }
  // The one released last.
  GameObject& Enemy() { return *game.Of(KIND_ENEMY).back(); }
  // The bullets fired over `frames` frames, the ship kept out of their way:
  // those that have moved once from the shooter, their speed.
  std::vector<int16_t> Fired(int frames) {
    std::vector<int16_t> fired;
    for (int i = 0; i < frames; ++i) {
      game.P().hitFlag = 1;
      game.Idle();
      for (const GameObject* b : game.Of(KIND_BULLET)) {
        if (std::abs(b->x - Enemy().x) + std::abs(b->y - Enemy().y) <= 2.0f * b->speed) fired.push_back(b->speed);
      }
    }
    return fired;
  }
  RuledGame game;
};

TEST(Arcade, DifficultiesChangeFireBulletsAndToughnessAndEachLoopIsHarder) {
  Shooter normal(Difficulty::Normal), easy(Difficulty::Easy), expert(Difficulty::Expert);
  EXPECT_EQ(normal.Enemy().hitPoints, 10);
  EXPECT_EQ(easy.Enemy().hitPoints, 7) << "75 %";
  EXPECT_EQ(expert.Enemy().hitPoints, 15) << "150 %";
  const std::vector<int16_t> calm = normal.Fired(1200), fierce = expert.Fired(1200);
  ASSERT_FALSE(calm.empty());
  EXPECT_TRUE(std::all_of(calm.begin(), calm.end(), [](int16_t speed) { return speed == 2; }));
  EXPECT_TRUE(std::all_of(fierce.begin(), fierce.end(), [](int16_t speed) { return speed == 4; })) << "2 faster";
  EXPECT_EQ(fierce.size() % 5, 0u) << "each shot with 4 fanned beside it";
  EXPECT_GT(fierce.size(), 5 * 5 * calm.size()) << "fired 8 times as often";

  // Round again: the stage clear, then a quarter more on every percent.
  expert.game.Idle(4000);
  ASSERT_EQ(expert.game.last.screen, std::string("clear"));
  expert.game.StartPlay();
  EXPECT_EQ(expert.game.Run().loop, 1);
  expert.game.Idle(2);
  EXPECT_EQ(expert.Enemy().hitPoints, 17) << "175 %";
}

// A second stage in a pack beside stage 1's files: its own types, script,
// sheet and music, after stage 1's clear; after the last, stage 1 again, a loop on.
void Packed(HeadlessGame& game) {
  const auto pack = game.dir / "data" / "stage2";
  std::filesystem::create_directories(pack);
  testing_support::WriteFile(pack / "data.csv", Type("Z2", "E"));
  testing_support::WriteFile(pack / "stage.csv", "Z2,200,100,30\n,,,1\nEOF,\n");
  testing_support::WriteFile(pack / "char.csv", kChars);
  testing_support::WriteFile(pack / "map.dat", testing_support::UniformMap(0, 320));
  std::filesystem::copy_file(std::filesystem::path(KESTROVA_SOURCE_DIR) / "assets" / "sheet.bmp", pack / "sheet.bmp");
  std::filesystem::copy_file(testing_support::RepoDataDir() / "stage2" / "music.wav", pack / "music.wav");
}

const testing_support::DataFiles kQuick{StillTypes(), "E1,100,100,1\n,,,1\nEOF,\n", kChars};

TEST(Arcade, StagePacksFollowEachOtherWithTheirMusicAndPracticeStartsAtTheOneChosen) {
  HeadlessGame game(kQuick);
  Packed(game);
  ASSERT_TRUE(game.Start(Rules(RulesKind::Arcade)));
  ASSERT_EQ(game.core->Stages(), 2);
  game.StartPlay();
  game.Idle(3);
  ASSERT_EQ(game.last.screen, std::string("clear"));
  EXPECT_EQ(game.last.stage, 1);
  game.StartPlay();
  EXPECT_TRUE(game.State().run.stage == 2 && game.State().mainList.Empty() && game.core->Data().dataTable.FindRow("Z2") == 0);
  game.Idle(1);
  EXPECT_EQ(play_test::Nodes(game.State().mainList, KIND_ENEMY).at(0)->x, 200) << "stage 2's script";
  EXPECT_EQ(game.last.stage, 2);
  game.Idle(40);
  ASSERT_EQ(game.last.screen, std::string("clear"));
  game.StartPlay();
  EXPECT_TRUE(game.State().run.stage == 1 && game.State().run.loop == 1);
  // A replay's stamp covers the packs its rules play, and only those.
  const GameRules arcade = Rules(RulesKind::Arcade).rules;
  const ReplayStamp before = StampFor(game.DataDir(), arcade), plain = StampFor(game.DataDir());
  testing_support::WriteFile(game.dir / "data" / "stage2" / "stage.csv", "Z2,201,100,30\n,,,1\nEOF,\n");
  EXPECT_NE(StampFor(game.DataDir(), arcade).dataHash, before.dataHash);
  EXPECT_EQ(StampFor(game.DataDir()).dataHash, plain.dataHash);
  // In a window each stage plays its pack's music, and stage 1 its own again when the stages come round.
  AppOptions options = game.WindowOptions();
  options.rules = arcade;
  testing_support::WindowedApp app(options);
  const std::span<const uint8_t> first = app.window.music;
  std::vector<std::pair<int32_t, const uint8_t*>> switches;  // the stage, and what plays from then on
  const FrameInput fire = testing_support::Held({VK_SPACE});
  for (int frame = 0; frame < 200 && switches.size() < 2; ++frame) {
    const uint8_t* before = app.window.music.data();
    app.OnIdle(frame % 2 == 0 ? fire : FrameInput{});
    if (app.window.music.data() != before) switches.emplace_back(app.State().run.stage, app.window.music.data());
  }
  ASSERT_EQ(switches.size(), 2u);
  EXPECT_EQ(switches[0].first, 2);
  EXPECT_EQ(switches[1], std::pair(1, first.data()));
  app.ExitInstance();

  StartChoices second = Rules(RulesKind::Practice);
  second.rules.stage = 2;
  HeadlessGame practice(kQuick), standard(kQuick);
  Packed(practice);
  Packed(standard);
  ASSERT_TRUE(practice.Start(second) && standard.Start());
  practice.StartPlay();
  practice.Idle(1);
  EXPECT_EQ(play_test::Nodes(practice.State().mainList, KIND_ENEMY).at(0)->x, 200);
  EXPECT_EQ(standard.core->Stages(), 1) << "the standard game is stage 1 alone";

  std::filesystem::remove(practice.dir / "data" / "stage2" / "sheet.bmp");
  std::string message;
  EXPECT_FALSE(StartHeadlessCore(practice.DataDir(), second, message));
  EXPECT_NE(message.find("stage2/sheet.bmp: "), std::string::npos) << message;
  testing_support::WriteFile(practice.dir / "data" / "stage2" / "stage.csv", "Z2,200\n");
  EXPECT_FALSE(StartHeadlessCore(practice.DataDir(), second, message));
  EXPECT_NE(message.find("stage2/stage.csv"), std::string::npos) << message;
}

// Practice from a point plays on exactly as the stage does from there; its
// hits are counted, and it has lives only when asked.
TEST(Practice, StartsWhereTheStageWouldBeAndCountsItsHits) {
  HeadlessGame straight(testing_support::RepoDataDir()), practice(testing_support::RepoDataDir());
  StartChoices from60 = Rules(RulesKind::Practice);
  from60.rules.fromSeconds = 60;
  ASSERT_TRUE(straight.Start() && practice.Start(from60));
  straight.StartPlay();
  straight.Idle(3600);
  practice.StartPlay();
  const PlayState &a = straight.State(), &b = practice.State();
  EXPECT_TRUE(a.g_nStageRow == b.g_nStageRow && a.g_nStageWait == b.g_nStageWait && a.g_nMapRow == b.g_nMapRow &&
              a.g_nTileLine == b.g_nTileLine && a.g_nScrollLine == b.g_nScrollLine &&
              a.m_state.m_nScrollSpeed == b.m_state.m_nScrollSpeed);
  EXPECT_EQ(a.scroll.pixels, b.scroll.pixels) << "the ground scrolled there";
  EXPECT_TRUE(b.mainList.Empty());

  StartChoices carrier = Rules(RulesKind::Practice);
  carrier.rules.fromSeconds = kFromCarrier;
  carrier.rules.invulnerable = true;
  carrier.rules.lives = false;
  HeadlessGame atCarrier(testing_support::RepoDataDir());
  ASSERT_TRUE(atCarrier.Start(carrier));
  atCarrier.StartPlay();
  atCarrier.Idle(1);
  EXPECT_EQ(play_test::Nodes(atCarrier.State().mainList, KIND_CARRIER).size(), 1u) << "released at once";

  StartChoices untouchable = Rules(RulesKind::Practice);
  untouchable.rules.invulnerable = true;
  RuledGame invulnerable(untouchable);
  for (int i = 0; i < 20; ++i) invulnerable.Hit();
  EXPECT_EQ(invulnerable.Run().hits, 20);
  EXPECT_EQ(invulnerable.P().energy, MAX_ENERGY);

  StartChoices endless = Rules(RulesKind::Practice);
  endless.rules.lives = false;
  RuledGame livesless(endless);
  for (int ship = 0; ship < 4; ++ship) {
    livesless.Drain();
    livesless.Idle(121);
  }
  EXPECT_TRUE(livesless.Run().gameOver == 0 && livesless.last.screen == std::string("play")) << "never over";
}

}  // namespace
