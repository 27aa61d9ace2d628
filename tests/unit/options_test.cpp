// The start-up choices: the command line, and the settings dialog's template
// as the GTK dialog and the browser's form read it.
#include "app/options.hpp"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/dialog_json.hpp"
#include "ui/settings_form.hpp"

namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kestrova");
  return ParseOptions(static_cast<int>(args.size()), args.data());
}

// Everything a run takes from its command line, to compare in one piece.
auto Taken(const CommandLine& l) {
  return std::tuple(l.app.fullScreen, l.app.keyboard, l.scale, l.app.dataDir, l.app.sheetPath, l.recordPath,
                    l.replayPath, l.seekSeconds, l.volume, l.muted, l.integerScale, l.app.pauseWhenAway,
                    l.frameStats, l.app.saveScores, l.app.boardAddress);
}

// Each case changes what it names from what no option gives.
TEST(Options, ChoicesThatSkipTheDialogValuesSeparateOrJoinedHelpVersionMistakesAndTheRules) {
  const CommandLine none = Parse({});
  ASSERT_EQ(none.action, Action::Run);
  // The dialog asks; a window of 640 x 480, the data under the current folder, full volume.
  EXPECT_EQ(Taken(none), std::tuple(std::nullopt, std::nullopt, 1, "data", "", "", "", std::nullopt, 100, false, false,
                                    true, false, true, ""));
  const struct {
    std::vector<const char*> args;
    void (*change)(CommandLine&);
  } cases[] = {
      {{"--fullscreen", "--joystick"}, [](CommandLine& l) { l.app.fullScreen = 1, l.app.keyboard = 0; }},
      // Repeating a choice is harmless.
      {{"--keyboard", "--window", "--keyboard"}, [](CommandLine& l) { l.app.fullScreen = 0, l.app.keyboard = 1; }},
      {{"--scale", "1"}, [](CommandLine&) {}},
      {{"--scale", "8"}, [](CommandLine& l) { l.scale = 8; }},
      {{"--scale=3"}, [](CommandLine& l) { l.scale = 3; }},
      {{"--data=/tmp/d", "--sheet", "a.bmp"},
       [](CommandLine& l) { l.app.dataDir = "/tmp/d", l.app.sheetPath = "a.bmp"; }},
      {{"--sheet=--odd name.bmp", "--scale", "2"},
       [](CommandLine& l) { l.app.sheetPath = "--odd name.bmp", l.scale = 2; }},
      {{"--data", "--window"}, [](CommandLine& l) { l.app.dataDir = "--window"; }},  // a value is taken as it stands
      {{"--record", "run.krp", "--sheet=s.bmp"},
       [](CommandLine& l) { l.recordPath = "run.krp", l.app.sheetPath = "s.bmp"; }},
      {{"--replay=old.krp", "--data", "d"}, [](CommandLine& l) { l.replayPath = "old.krp", l.app.dataDir = "d"; }},
      {{"--seek", "0", "--replay", "r.krp"}, [](CommandLine& l) { l.seekSeconds = 0, l.replayPath = "r.krp"; }},
      {{"--replay", "r.krp", "--seek=86400"}, [](CommandLine& l) { l.seekSeconds = 86400, l.replayPath = "r.krp"; }},
      {{"--volume", "0", "--mute"}, [](CommandLine& l) { l.volume = 0, l.muted = true; }},
      {{"--volume=55"}, [](CommandLine& l) { l.volume = 55; }},
      {{"--integer-scale", "--scale", "2"}, [](CommandLine& l) { l.integerScale = true, l.scale = 2; }},
      {{"--no-pause"}, [](CommandLine& l) { l.app.pauseWhenAway = false; }},
      {{"--frame-stats", "--scale=2"}, [](CommandLine& l) { l.frameStats = true, l.scale = 2; }},
      {{"--board", "https://board.example:8443/k/"}, [](CommandLine& l) { l.app.boardAddress = "https://board.example:8443/k/"; }},
  };
  for (const auto& c : cases) {
    const CommandLine line = Parse(c.args);
    ASSERT_EQ(line.action, Action::Run) << c.args[0] << ": " << line.error;
    CommandLine want = none;
    c.change(want);
    EXPECT_EQ(Taken(line), Taken(want)) << c.args[0] << " (" << c.args.size() << " arguments)";
  }

  // Help wins over the version; a mistake is a usage error that says what.
  struct Mistake {
    std::vector<const char*> args;
    std::string mentions;
    Action action = Action::UsageError;
  };
  const Mistake mistakes[] = {
      {{"--help"}, "", Action::Help},
      {{"--version"}, "", Action::Version},
      {{"--version", "--help"}, "", Action::Help},
      {{"--help", "--version"}, "", Action::Help},
      {{"--help", "--nonsense"}, "--nonsense"},
      {{"--bogus"}, "--bogus"},
      {{"stray"}, "stray"},
      {{"--window", "--fullscreen"}, "--fullscreen"},
      {{"--scale"}, "--scale"},
      {{"--scale", "0"}, "'0'"},
      {{"--scale", "9"}, "'9'"},
      {{"--scale", "12"}, "'12'"},
      {{"--scale="}, "''"},
      {{"--data="}, "--data"},
      {{"--help=1"}, "--help"},
      {{"--record", "a.krp", "--replay", "b.krp"}, "--record and --replay"},
      {{"--seek", "5"}, "--seek needs --replay"},
      {{"--replay", "r.krp", "--seek", "1.5"}, "'1.5'"},
      {{"--replay", "r.krp", "--seek", "86401"}, "'86401'"},
      {{"--volume", "101"}, "'101'"},
      {{"--volume", "-5"}, "'-5'"},
      {{"--volume="}, "''"},
      {{"--board", "board.example"}, "--board takes a board's address: a board's address starts with http://"},
      {{"--board=http://"}, "names its host, not 'http://'"},
      {{"--board", "http://h/ x"}, "without spaces"},
      {{"--board", "http://h/?a=1"}, "no query"},
  };
  for (const Mistake& c : mistakes) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, c.action) << c.args[0];
    EXPECT_NE(line.error.find(c.mentions), std::string::npos) << c.args[0] << ": " << line.error;
  }
  // The help names every option the parser accepts.
  for (const char* option :
       {"--window", "--fullscreen", "--keyboard", "--joystick", "--scale", "--integer-scale", "--volume", "--mute",
        "--no-pause", "--data", "--sheet", "--record", "--replay", "--seek", "--frame-stats", "--board", "--help", "--version"}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
  EXPECT_EQ(VersionText().rfind("kestrova ", 0), 0u);

  // The rules' options, which the game, kestrova-sim and the autopilot share.
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

// Each member is set by the radio buttons of one group, which set nothing
// else, so that a click in each group chooses both; and the browser's copy of
// a form keeps every field and caption, escaped.
TEST(SettingsForm, EachMemberHasARadioGroupOfItsOwnAndTheJsonEscapesTheCaptions) {
  std::map<int32_t, int> groupOf;  // by radio button
  int group = 0;
  for (const DialogControl& c : kSettingsForm.controls) {
    group += c.startsGroup ? 1 : 0;
    if (c.kind == ControlKind::Radio) {
      EXPECT_TRUE(groupOf.emplace(c.id, group).second) << "id " << c.id << " twice";
    } else {
      EXPECT_EQ(CommandFor(kSettingsForm, c.id), nullptr) << c.caption;
    }
  }
  std::map<int, int> memberOfGroup, groupOfMember;  // -1: no member
  for (const auto& [id, g] : groupOf) {
    const DialogCommand* command = CommandFor(kSettingsForm, id);
    const int member = command != nullptr ? static_cast<int>(command->member) : -1;
    EXPECT_EQ(memberOfGroup.emplace(g, member).first->second, member) << id;
    if (command != nullptr) {
      EXPECT_EQ(groupOfMember.emplace(member, g).first->second, g) << id;
    }
  }
  EXPECT_EQ(groupOfMember.size(), 2u);
  int32_t fullScreen = 0, keyboard = 0;
  for (const DialogCommand& command : kSettingsForm.commands) {
    EXPECT_TRUE(groupOf.contains(command.id)) << command.id;
    EXPECT_EQ(CommandFor(kSettingsForm, command.id), &command);
    Apply(command, fullScreen, keyboard);
    EXPECT_EQ(command.member == SettingsMember::FullScreen ? fullScreen : keyboard, command.value) << command.id;
  }
  const DialogControl controls[] = {{7, ControlKind::Radio, "\"a\\b\"\n", {1, 2, 3, 4}, true},
                                    {0, ControlKind::Edit, "画面", {5, 6, 7, 8}, false}};
  const DialogCommand commands[] = {{7, SettingsMember::Keyboard, 0}, {8, SettingsMember::FullScreen, 1}};
  EXPECT_EQ(DialogJson({"Form", 9, 10, controls, commands}),
            R"({"caption":"Form","clientSize":[9,10],"controls":[)"
            R"({"id":7,"kind":"radio","caption":"\"a\\b\"\u000a","box":[1,2,3,4],"startsGroup":true},)"
            R"({"id":0,"kind":"edit","caption":"画面","box":[5,6,7,8],"startsGroup":false}],)"
            R"("commands":[{"id":7,"member":"keyboard","value":0},{"id":8,"member":"fullScreen","value":1}]})");
}

}  // namespace
