// The player's controls: which keys and which pad buttons do each of the
// game's actions, kept in settings.ini's [keyboard] and [gamepad] sections.
// A host turns them into the game's own keys and stick before the core, so
// the game, its replays and its hashes only ever see those. Keys and buttons
// go by the platform's names (SDL's); this table only knows that no two
// actions share one.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.hpp"
#include "input/keyboard.hpp"

enum class GameAction : uint8_t { Up, Down, Left, Right, Fire, Bomb, Exit };
inline constexpr size_t kGameActions = 7;
inline constexpr std::array<std::string_view, kGameActions> kGameActionNames = {"up",   "down", "left", "right",
                                                                                "fire", "bomb", "exit"};
// The game's key for each action.
inline constexpr std::array<uint8_t, kGameActions> kGameActionKeys = {VK_UP,    VK_DOWN,  VK_LEFT,  VK_RIGHT,
                                                                      VK_SPACE, VK_SHIFT, VK_ESCAPE};

// One device's table: the names of the keys (or buttons) each action has,
// none when nothing does it.
struct Bindings {
  std::array<std::vector<std::string>, kGameActions> names;

  // The action `name` does, if any.
  std::optional<GameAction> ActionOf(std::string_view name) const;
  // The menu's "press the key for FIRE": `action` has `name` alone from now
  // on. Refused when another action has it: that action is returned.
  std::optional<GameAction> Bind(GameAction action, const std::string& name);
  friend bool operator==(const Bindings&, const Bindings&) = default;
};

// The menu's binding of `action` (an index of kGameActionNames) to `name`
// alone: "" when done, else why not, for the player ("Z taken by fire").
std::string BindForMenu(Bindings& bindings, size_t action, const std::string& name);

// An action's names as settings.ini writes them: joined by ", ", or "none".
std::string JoinNames(const std::vector<std::string>& names);
// Each action's names so, as the menu shows them.
std::array<std::string, kGameActions> ActionNames(const Bindings& bindings);

struct Controls {
  Bindings keyboard;  // key names as SDL_GetKeyName writes them
  Bindings gamepad;   // SDL's game controller button names
  Bindings& Of(ControlDevice device) { return device == ControlDevice::Pad ? gamepad : keyboard; }
  const Bindings& Of(ControlDevice device) const { return device == ControlDevice::Pad ? gamepad : keyboard; }
  // The menu's RESET: `device`'s table as the game always had it.
  void Reset(ControlDevice device);
  friend bool operator==(const Controls&, const Controls&) = default;
};

// The keys the game always had: the arrows, Space, either Shift and Escape;
// on a pad the d-pad, the south button fires and the east one bombs.
Controls DefaultControls();

// The platform's own spelling of a key or button name ("z": "Z"); none for a
// name it does not know.
using NameCheck = std::function<std::optional<std::string>(std::string_view)>;
struct ControlNames {
  NameCheck key;
  NameCheck button;
};

// The controls settings.ini gives. An unknown action or name, an action
// given twice, or a key another line gave an action already, is warned about
// ("PATH:LINE: ...") and that action keeps its default; a default key a line
// gives another action goes to that action.
Controls ReadControls(const SettingsFile& file, const std::string& path, const ControlNames& names,
                      std::vector<std::string>& warnings);
// Each action one line, its names joined by ", ", or "none".
void WriteControls(const Controls& controls, SettingsFile& file);

// Start-up: the controls in settings.ini at `path`, with warnings for what
// could not be read. A missing file is written with the defaults, for the
// player to find and edit.
Controls LoadControls(const std::string& path, const ControlNames& names, std::vector<std::string>& warnings);
// The one way the controls are kept: written into settings.ini as it stands
// on disk then, every other line of it left as it is. False, with the reason,
// when nothing was written.
bool SaveControls(const std::string& path, const Controls& controls, std::string& error);
