// Input from a script instead of the player: for each idle call, the keys its
// run holds and the left click it makes just before the call, and what a
// recorded joystick read (a script without one leaves the joystick to the
// platform below, which a replay shuts off).
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
  // Goes on from the script's idle call `calls` + 1, as if the earlier calls
  // had been taken (a game restored to that point plays on).
  void SkipTo(int64_t calls) { m_call = calls; }
  // Idle calls taken so far.
  int64_t Calls() const { return m_call; }
  // One more idle call at the script's end, with `keys` held and a left
  // click before it if `click`.
  void Append(const std::vector<uint8_t>& keys, bool click) { m_script.Append(keys, click); }
  bool Ended() const { return m_call >= m_script.Length(); }

  // Takes the next idle call's input: from now on its keys are held (none
  // once the script has ended), and its click goes to `handler` at once.
  void BeginCall(platform::WindowHandler& handler);
  // The next idle call of `game`, which runs on this platform.
  void StepGame(CGameApp& game);
  // The last idle call's line "CALL SCREEN PAGEHASH STATEHASH\n", SCREEN as
  // it was before the call.
  std::string LastLine(const CGameApp& game) const;
  // The page the last idle call presented.
  std::span<const uint8_t> LastPage() const { return m_page; }
  // The game has asked for its window to close.
  bool ClosePosted() const { return m_closePosted; }
  // Cleared by a check for the idle calls whose pages it will not look at.
  bool nextPageSeen = true;
  bool NextPageSeen() const override { return nextPageSeen; }

  void PostClose() override;
  void GetKeyboardState(uint8_t (&keys)[256]) override;
  bool GetJoystickCaps(platform::JoyCaps& caps) override;
  bool PollJoystick(platform::JoyInfo& info) override;
  void Present(std::span<const uint8_t> page, const platform::Palette& palette) override;

 protected:
  // False: without a recorded joystick there is none, whatever is plugged in.
  bool m_liveJoystick = true;

 private:
  InputScript m_script;
  int64_t m_call = 0;
  const InputRun* m_run = nullptr;
  std::span<const uint8_t> m_page;
  const char* m_screen = "";
  bool m_closePosted = false;
};
