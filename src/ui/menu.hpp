// The game's menu, drawn by the game over the screen it was opened on, as the
// paused page is: on the title the next run's rules, difficulty and practice
// start; everywhere the player's view (full screen, integer scale, the
// dialog at start), sound (volume, mute), language and quitting; from the keys, a pad alone or the mouse. Play
// does not run while it is open; the host applies what it changes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "audio/volume.hpp"
#include "input/keyboard.hpp"
#include "gfx/display.hpp"
#include "game/rules.hpp"
#include "gfx/page_layout.hpp"
#include "gfx/surface.hpp"
#include "ui/translator.hpp"

inline constexpr size_t kMenuActions = 7;  // up, down, left, right, fire, bomb, exit

struct MenuSettings {
  PlayerView view;
  PlayerVolume volume;
  GameRules rules;     // the next run's, changed on the title only
  int32_t stages = 1;  // the stages the data holds, for practice's choice
  std::array<std::string, kMenuActions> keys;     // each action's keys, as the platform names them
  std::array<std::string, kMenuActions> buttons;  // and its pad buttons
  // Asked of the host: an action's key or button given by the player, or a
  // device's controls the game always had back.
  struct Binding {
    ControlDevice device;
    int32_t action;
    std::string name;
    bool operator==(const Binding&) const = default;
  };
  std::optional<Binding> bind;
  std::optional<ControlDevice> reset;
  bool dialogAtStart = true;  // the next start's: the settings dialog, and the language of its texts
  std::string language;       // "en", "ja", or "" for the desktop's
  std::string notice;  // the host's answer, shown under the rows
  bool operator==(const MenuSettings&) const = default;
};

// One frame's fresh presses, from the keys and the pad.
struct MenuInput {
  bool up = false, down = false, left = false, right = false;
  bool choose = false;  // Space, Return, the pad's south button
  bool back = false;    // Escape, the pad's east button, the key that opened the menu
  std::optional<int32_t> clickY;  // a left click at this line of the page
  std::string keyName;  // a key pressed, by the platform's name: the answer to "press the key for FIRE"
  std::string buttonName;  // a pad button pressed, likewise
};

enum class MenuResult : uint8_t { Open, Closed, Quit };

// The player's language: every label, title and word of the menu through
// `translator`, the katakana they come in drawn from `kana`.
struct MenuTexts {
  const Translator& translator = kSourceTexts;
  const Surface* kana = nullptr;
};

class Menu {
 public:
  // On its first page, at its first row; on the title, with the game's page.
  void Open(bool onTitle);
  bool IsOpen() const { return m_open; }
  // Moves, chooses and changes `settings` in place.
  MenuResult Step(const MenuInput& input, MenuSettings& settings);
  // Over the page as it stands: dimmed, the page's title and its rows.
  void Draw(CDisplay& display, const MenuSettings& settings, const MenuTexts& texts = {}) const;
  // The row a click at page line `y` falls on, if any.
  std::optional<int32_t> RowAt(int32_t y) const;

 private:
  enum class Page : uint8_t { Top, TitleTop, Game, Controls, Pad, Video, Sound };
  void Enter(Page page, int32_t row);
  void BackToTop();
  MenuResult Act(int32_t direction, MenuSettings& settings);  // 0: chosen, -1 / +1: left / right

  bool m_open = false;
  Page m_top = Page::Top;
  Page m_page = Page::Top;
  int32_t m_row = 0;
  int32_t m_waitingFor = -1;  // the action whose key (or button, on the pad's page) the next one pressed is
};
