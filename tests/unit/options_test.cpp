#include "app/options.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kestrova");
  return ParseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, ChoicesThatSkipTheDialog) {
  struct Case {
    std::vector<const char*> args;
    std::optional<int32_t> fullScreen, keyboard;
  };
  const Case cases[] = {
      {{}, std::nullopt, std::nullopt},  // the dialog asks
      {{"--window"}, 0, std::nullopt},
      {{"--fullscreen"}, 1, std::nullopt},
      {{"--keyboard"}, std::nullopt, 1},
      {{"--joystick"}, std::nullopt, 0},
      {{"--fullscreen", "--joystick"}, 1, 0},
      {{"--keyboard", "--window", "--keyboard"}, 0, 1},  // repeating a choice is harmless
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, Action::Run) << c.args.size();
    EXPECT_EQ(line.app.fullScreen, c.fullScreen) << c.args.size();
    EXPECT_EQ(line.app.keyboard, c.keyboard) << c.args.size();
  }
}

TEST(Options, ValuesSeparateOrJoined) {
  struct Case {
    std::vector<const char*> args;
    int32_t scale;
    std::string data, sheet, record = "", replay = "";
    std::optional<int32_t> seek = std::nullopt;
    int32_t volume = 100;
    bool muted = false;
    bool integerScale = false;
    bool pauses = true;
    bool frameStats = false;
  };
  const Case cases[] = {
      {{}, 1, "data", ""},
      {{"--scale", "1"}, 1, "data", ""},
      {{"--scale", "8"}, 8, "data", ""},
      {{"--scale=3"}, 3, "data", ""},
      {{"--data", "levels/x"}, 1, "levels/x", ""},
      {{"--data=/tmp/d", "--sheet", "a.bmp"}, 1, "/tmp/d", "a.bmp"},
      {{"--sheet=--odd name.bmp", "--scale", "2"}, 2, "data", "--odd name.bmp"},
      {{"--data", "--window"}, 1, "--window", ""},  // a value is taken as it stands
      {{"--record", "run.krp", "--sheet=s.bmp"}, 1, "data", "s.bmp", "run.krp"},
      {{"--replay=old.krp", "--data", "d"}, 1, "d", "", "", "old.krp"},
      {{"--seek", "0", "--replay", "r.krp"}, 1, "data", "", "", "r.krp", 0},
      {{"--replay", "r.krp", "--seek=86400"}, 1, "data", "", "", "r.krp", 86400},
      {{"--volume", "0", "--mute"}, 1, "data", "", "", "", std::nullopt, 0, true},
      {{"--volume=55"}, 1, "data", "", "", "", std::nullopt, 55},
      {{"--integer-scale", "--scale", "2"}, 2, "data", "", "", "", std::nullopt, 100, false, true, true},
      {{"--no-pause"}, 1, "data", "", "", "", std::nullopt, 100, false, false, false},
      {{"--frame-stats", "--scale=2"}, 2, "data", "", "", "", std::nullopt, 100, false, false, true, true},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    ASSERT_EQ(line.action, Action::Run) << c.args.size() << ": " << line.error;
    const std::string name = c.args.empty() ? "no arguments" : c.args[0];
    EXPECT_EQ(line.scale, c.scale) << name;
    EXPECT_EQ(line.app.dataDir, c.data) << name;
    EXPECT_EQ(line.app.sheetPath, c.sheet) << name;
    EXPECT_EQ(line.recordPath, c.record) << name;
    EXPECT_EQ(line.replayPath, c.replay) << name;
    EXPECT_EQ(line.seekSeconds, c.seek) << name;
    EXPECT_EQ(line.volume, c.volume) << name;
    EXPECT_EQ(line.muted, c.muted) << name;
    EXPECT_EQ(line.integerScale, c.integerScale) << name;
    EXPECT_EQ(line.app.pauseWhenAway, c.pauses) << name;
    EXPECT_EQ(line.frameStats, c.frameStats) << name;
    EXPECT_TRUE(line.app.saveScores);
  }
}

TEST(Options, HelpAndVersion) {
  EXPECT_EQ(Parse({"--help"}).action, Action::Help);
  EXPECT_EQ(Parse({"--version"}).action, Action::Version);
  EXPECT_EQ(Parse({"--version", "--help"}).action, Action::Help);
  EXPECT_EQ(Parse({"--help", "--version"}).action, Action::Help);
  EXPECT_EQ(Parse({"--help", "--nonsense"}).action, Action::UsageError);
  // The help names every option the parser accepts.
  for (const char* option :
       {"--window", "--fullscreen", "--keyboard", "--joystick", "--scale", "--integer-scale", "--volume", "--mute",
        "--no-pause", "--data", "--sheet", "--record", "--replay", "--seek", "--frame-stats", "--lang", "--help", "--version"}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
  EXPECT_EQ(VersionText().rfind("kestrova ", 0), 0u);
}

TEST(Options, MistakesAreUsageErrorsThatSayWhat) {
  struct Case {
    std::vector<const char*> args;
    std::string mentions;
  };
  const Case cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"-w"}, "-w"},
      {{"stray"}, "stray"},
      {{"--window", "--fullscreen"}, "--fullscreen"},
      {{"--joystick", "--keyboard"}, "--keyboard"},
      {{"--scale"}, "--scale"},
      {{"--scale", "0"}, "'0'"},
      {{"--scale", "9"}, "'9'"},
      {{"--scale", "12"}, "'12'"},
      {{"--scale", "-1"}, "'-1'"},
      {{"--scale", "2x"}, "'2x'"},
      {{"--scale="}, "''"},
      {{"--data"}, "--data"},
      {{"--data="}, "--data"},
      {{"--sheet", ""}, "--sheet"},
      {{"--window=yes"}, "--window"},
      {{"--help=1"}, "--help"},
      {{"--record", "a.krp", "--replay", "b.krp"}, "--record and --replay"},
      {{"--replay"}, "--replay"},
      {{"--seek", "5"}, "--seek needs --replay"},
      {{"--replay", "r.krp", "--seek", "1.5"}, "'1.5'"},
      {{"--replay", "r.krp", "--seek", "86401"}, "'86401'"},
      {{"--replay", "r.krp", "--seek", "-1"}, "'-1'"},
      {{"--volume", "101"}, "'101'"},
      {{"--volume", "-5"}, "'-5'"},
      {{"--volume="}, "''"},
      {{"--mute=1"}, "--mute"},
      {{"--integer-scale=yes"}, "--integer-scale"},
      {{"--no-pause=yes"}, "--no-pause"},
      {{"--frame-stats=yes"}, "--frame-stats"},
      {{"--lang", "fr"}, "'fr'"},
      {{"--lang", "EN"}, "'EN'"},  // the catalogues' own names only
      {{"--lang"}, "--lang"},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, Action::UsageError) << c.args[0];
    EXPECT_NE(line.error.find(c.mentions), std::string::npos) << c.args[0] << ": " << line.error;
  }
}

// The rules' options, which the game, kestrova-sim and the autopilot share.
TEST(Options, RulesDifficultyPracticeAndStage) {
  GameRules rules;
  std::string error;
  for (const auto& [name, value] : {std::pair{"--rules", "arcade"}, std::pair{"--difficulty", "expert"}}) {
    ASSERT_TRUE(IsRulesOption(name) && ApplyRulesOption(name, value, rules, error)) << error;
  }
  EXPECT_TRUE(rules.kind == RulesKind::Arcade && rules.difficulty == Difficulty::Expert);
  ASSERT_TRUE(ApplyRulesOption("--stage", "2", rules, error)) << error;
  ASSERT_TRUE(ApplyRulesOption("--practice", "carrier", rules, error)) << error;
  EXPECT_EQ(rules, (GameRules{RulesKind::Practice, Difficulty::Expert, 2, kFromCarrier, true, false}));
  const struct {
    const char* name;
    const char* value;
    const char* error;
  } bad[] = {{"--rules", "casual", "--rules takes standard, arcade or practice, not 'casual'"},
             {"--difficulty", "Hard", "--difficulty takes easy, normal, hard or expert, not 'Hard'"},
             {"--stage", "0", "--stage takes a stage from 1 to 9, not '0'"},
             {"--stage", "10", "--stage takes a stage from 1 to 9, not '10'"},
             {"--practice", "-1", "--practice takes a whole number of seconds from 0 to 3600 or 'carrier', not '-1'"}};
  for (const auto& c : bad) {
    EXPECT_FALSE(ApplyRulesOption(c.name, c.value, rules, error));
    EXPECT_EQ(error, c.error);
  }
  EXPECT_FALSE(IsRulesOption("--seek"));
}

}  // namespace
