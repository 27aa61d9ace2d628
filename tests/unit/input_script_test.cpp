#include <gtest/gtest.h>

#include "app/input_script.hpp"
#include "input/keyboard.hpp"

namespace {

TEST(InputScript, RunsCommentsAndKeyLookup) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(ParseInputScript("# warm up\n3 none\n\n2 space+left\r\n  1   escape  \n", "s.txt", script, error)) << error;
  EXPECT_EQ(script.Length(), 6);
  const std::vector<std::vector<uint8_t>> expected = {
      {}, {}, {}, {VK_SPACE, VK_LEFT}, {VK_SPACE, VK_LEFT}, {VK_ESCAPE}, {}, {}};
  for (size_t call = 1; call <= expected.size(); ++call) {
    const InputRun* run = script.RunAt(static_cast<int64_t>(call));
    EXPECT_EQ(run != nullptr ? run->keys : std::vector<uint8_t>{}, expected[call - 1]) << "call " << call;
  }
  ASSERT_TRUE(ParseInputScript("999999999999 none\n", "s.txt", script, error)) << "twelve digits: " << error;
  EXPECT_EQ(script.Length(), 999999999999);
  EXPECT_EQ(KeyNames({VK_SHIFT, VK_RIGHT, VK_UP}), "right+up+shift");
  EXPECT_EQ(KeyNames({}), "none");
}

TEST(InputScript, ErrorsNameTheLine) {
  const struct {
    const char* text;
    const char* where;
  } cases[] = {
      {"1 none\nx space\n", "f:2:"},  {"1 jump\n", "f:1:"},       {"1 space+\n", "f:1:"},
      {"-4 none\n", "f:1:"},          {"#\n\n5\n", "f:3:"},        {"1 space++left\n", "f:1:"},
      {"99999999999999999 none\n", "f:1:"},
  };
  for (const auto& c : cases) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(ParseInputScript(c.text, "f", script, error)) << c.text;
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
  }
}

}  // namespace
