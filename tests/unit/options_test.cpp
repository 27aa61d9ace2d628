#include "app/options.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kestrova");
  return ParseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, NoArgumentsRunTheDialogWithDefaults) {
  const CommandLine line = Parse({});
  EXPECT_EQ(line.action, Action::Run);
  EXPECT_FALSE(line.app.fullScreen);
  EXPECT_FALSE(line.app.keyboard);
  EXPECT_EQ(line.app.dataDir, "data");
  EXPECT_EQ(line.app.sheetPath, "");
  EXPECT_TRUE(line.app.saveScores);
  EXPECT_EQ(line.scale, 1);
}

TEST(Options, ChoicesThatSkipTheDialog) {
  struct Case {
    std::vector<const char*> args;
    std::optional<int32_t> fullScreen, keyboard;
  };
  const Case cases[] = {
      {{"--window"}, 0, std::nullopt},
      {{"--fullscreen"}, 1, std::nullopt},
      {{"--keyboard"}, std::nullopt, 1},
      {{"--joystick"}, std::nullopt, 0},
      {{"--fullscreen", "--joystick"}, 1, 0},
      {{"--keyboard", "--window", "--keyboard"}, 0, 1},  // repeating a choice is harmless
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, Action::Run) << c.args[0];
    EXPECT_EQ(line.app.fullScreen, c.fullScreen) << c.args[0];
    EXPECT_EQ(line.app.keyboard, c.keyboard) << c.args[0];
  }
}

TEST(Options, ValuesSeparateOrJoined) {
  struct Case {
    std::vector<const char*> args;
    int32_t scale;
    std::string data, sheet, record = "", replay = "";
  };
  const Case cases[] = {
      {{"--scale", "1"}, 1, "data", ""},
      {{"--scale", "8"}, 8, "data", ""},
      {{"--scale=3"}, 3, "data", ""},
      {{"--data", "levels/x"}, 1, "levels/x", ""},
      {{"--data=/tmp/d", "--sheet", "a.bmp"}, 1, "/tmp/d", "a.bmp"},
      {{"--sheet=--odd name.bmp", "--scale", "2"}, 2, "data", "--odd name.bmp"},
      {{"--data", "--window"}, 1, "--window", ""},  // a value is taken as it stands
      {{"--record", "run.krp", "--sheet=s.bmp"}, 1, "data", "s.bmp", "run.krp"},
      {{"--replay=old.krp", "--data", "d"}, 1, "d", "", "", "old.krp"},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    ASSERT_EQ(line.action, Action::Run) << c.args[0] << ": " << line.error;
    EXPECT_EQ(line.scale, c.scale) << c.args[0];
    EXPECT_EQ(line.app.dataDir, c.data) << c.args[0];
    EXPECT_EQ(line.app.sheetPath, c.sheet) << c.args[0];
    EXPECT_EQ(line.recordPath, c.record) << c.args[0];
    EXPECT_EQ(line.replayPath, c.replay) << c.args[0];
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
       {"--window", "--fullscreen", "--keyboard", "--joystick", "--scale", "--data", "--sheet", "--record", "--replay",
        "--help", "--version"}) {
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
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, Action::UsageError) << c.args[0];
    EXPECT_NE(line.error.find(c.mentions), std::string::npos) << c.args[0] << ": " << line.error;
  }
}

}  // namespace
