#include <gtest/gtest.h>

#include "input/joystick.hpp"
#include "platform/headless/headless_platform.hpp"

namespace {

using platform::JoyCaps;
using platform::JoyInfo;

constexpr uint32_t kCentre = 32768;

// Directions past the limits pulled in by 8192; buttons by the whole word.
TEST(Joystick, LimitsPulledInBy8192BecomeTheThresholds) {
  platform::HeadlessPlatform device;
  device.SetJoystick(JoyInfo{kCentre, kCentre, 0, 0}, JoyCaps{0, 65535, 0, 65535});
  CJoystick stick;
  ASSERT_EQ(stick.InitJoystick(device), 1);
  EXPECT_EQ(stick.m_joyCaps.xMin, 8192u);
  EXPECT_EQ(stick.m_joyCaps.xMax, 57343u);
  const struct {
    uint32_t x, y, buttons;
    bool right, left, down, up, fire, bomb, start;
  } cases[] = {
      {57343, kCentre, 0, true, false, false, false, false, false, false},
      {57342, kCentre, 0, false, false, false, false, false, false, false},
      {8192, kCentre, 0, false, true, false, false, false, false, false},
      {8193, kCentre, 0, false, false, false, false, false, false, false},
      {kCentre, 65535, 0, false, false, true, false, false, false, false},
      {kCentre, 0, 0, false, false, false, true, false, false, false},
      {65535, 0, 0, true, false, false, true, false, false, false},
      {kCentre, kCentre, 1, false, false, false, false, true, false, true},
      {kCentre, kCentre, 2, false, false, false, false, false, true, false},
      {kCentre, kCentre, 3, false, false, false, false, true, true, false},
      {kCentre, kCentre, 4, false, false, false, false, false, false, false},
      {kCentre, kCentre, 5, false, false, false, false, false, false, false},
  };
  for (const auto& c : cases) {
    device.SetJoystick(JoyInfo{c.x, c.y, 0, c.buttons});
    EXPECT_EQ(stick.PollJoystick(device), 1);
    const bool seen[] = {stick.Right(), stick.Left(), stick.Down(), stick.Up(),
                         stick.Fire(),  stick.Bomb(), stick.StartButton()};
    const bool want[] = {c.right, c.left, c.down, c.up, c.fire, c.bomb, c.start};
    for (size_t i = 0; i < std::size(want); ++i) {
      EXPECT_EQ(seen[i], want[i]) << c.x << "," << c.y << " buttons " << c.buttons << ", output " << i;
    }
  }
}

TEST(Joystick, LimitsNarrowerThanTheDeadZoneWrapUnsigned) {
  platform::HeadlessPlatform device;
  device.SetJoystick(JoyInfo{}, JoyCaps{0, 100, 0, 100});
  CJoystick stick;
  stick.InitJoystick(device);
  EXPECT_EQ(stick.m_joyCaps.xMax, 100u - 8192u);  // 4294959204: right is out of reach
  stick.PollJoystick(device);
  EXPECT_FALSE(stick.Right());
  EXPECT_TRUE(stick.Left());
}

TEST(Joystick, UnpluggedStopsSteeringAndPluggingInResumes) {
  platform::HeadlessPlatform device;
  device.SetJoystick(JoyInfo{65535, kCentre, 0, 1});
  CJoystick stick;
  stick.InitJoystick(device);
  stick.PollJoystick(device);
  EXPECT_TRUE(stick.Right());
  device.SetJoystick(std::nullopt);
  EXPECT_EQ(stick.PollJoystick(device), 0);
  EXPECT_EQ(stick.m_bAvailable, 0);
  EXPECT_EQ(stick.m_joyInfo.x, 0u);
  EXPECT_FALSE(stick.Right() || stick.Left() || stick.Up() || stick.Down() || stick.Fire());
  device.SetJoystick(JoyInfo{0, kCentre, 0, 0});
  EXPECT_EQ(stick.PollJoystick(device), 1);
  EXPECT_TRUE(stick.Left());
}

TEST(Joystick, NeverOpenedMeansNeverAvailable) {
  platform::HeadlessPlatform device;  // nothing plugged in
  CJoystick stick;
  EXPECT_EQ(stick.InitJoystick(device), 0);
  device.SetJoystick(JoyInfo{0, 0, 0, 3});
  EXPECT_EQ(stick.PollJoystick(device), 0);
  EXPECT_FALSE(stick.Left() || stick.Fire());
}

}  // namespace
