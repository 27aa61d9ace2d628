// Input from a script instead of the player: for each idle call, the keys its
// run holds and the left click it makes just before the call; no joystick.
// Every scripted run drives the game through here: kestrova-sim and its
// replay checks, the browser's test hook, replays in the window, the tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/input_script.hpp"
#include "platform/forwarding_platform.hpp"

class CGameApp;

class ScriptedPlatform : public platform::ForwardingPlatform {
 public:
  explicit ScriptedPlatform(platform::Platform& inner, InputScript script = {})
      : ForwardingPlatform(inner), m_script(std::move(script)) {}

  // The script anew, from idle call 1.
  void Restart(InputScript script);
  // Idle calls taken so far.
  int64_t Calls() const { return m_call; }
  bool Ended() const { return m_call >= m_script.Length(); }

  // Takes the next idle call's input: from now on its keys are held (none
  // once the script has ended), and its click goes to `handler` at once.
  void BeginCall(platform::WindowHandler& handler);
  // The next idle call of `game`, which runs on this platform; its line
  // "CALL SCREEN PAGEHASH STATEHASH\n".
  std::string StepGame(CGameApp& game);
  // The page the last idle call presented.
  std::span<const uint8_t> LastPage() const { return m_page; }

  void GetKeyboardState(uint8_t (&keys)[256]) override;
  void Present(std::span<const uint8_t> page, const platform::Palette& palette) override;
  bool GetJoystickCaps(platform::JoyCaps&) override { return false; }
  bool PollJoystick(platform::JoyInfo&) override { return false; }

 private:
  InputScript m_script;
  int64_t m_call = 0;
  const InputRun* m_run = nullptr;
  std::span<const uint8_t> m_page;
};
