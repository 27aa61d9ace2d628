// The settings dialog's template, as the GTK dialog and the browser's form read it.
#include "ui/settings_form.hpp"

#include <gtest/gtest.h>

#include <map>

#include "ui/dialog_json.hpp"

namespace {

// Each member is set by the radio buttons of one group, which set nothing
// else, so that a click in each group chooses both.
TEST(SettingsForm, EachMemberHasARadioGroupOfItsOwn) {
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
}

TEST(SettingsForm, JsonForThePageEscapesTheCaptions) {
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
