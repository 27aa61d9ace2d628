#include "app/controls.hpp"

#include <algorithm>

#include "data/printable.hpp"

namespace {

constexpr std::string_view kSeparator = ", ";  // "," alone is a key's name
constexpr std::string_view kNothing = "none";

// A device's part of the file: its section and what names its keys.
struct Device {
  std::string_view section;
  const char* noun;
  Bindings Controls::*bindings;
  NameCheck ControlNames::*check;
};
constexpr Device kDevices[] = {{kKeyboardSection, "key", &Controls::keyboard, &ControlNames::key},
                               {kGamepadSection, "button", &Controls::gamepad, &ControlNames::button}};

std::optional<size_t> ActionIndex(std::string_view name) {
  const auto found = std::find(kGameActionNames.begin(), kGameActionNames.end(), name);
  if (found == kGameActionNames.end()) return std::nullopt;
  return static_cast<size_t>(found - kGameActionNames.begin());
}

std::vector<std::string_view> SplitNames(std::string_view value) {
  std::vector<std::string_view> names;
  if (value == kNothing) return names;
  for (size_t at; (at = value.find(kSeparator)) != std::string_view::npos; value.remove_prefix(at + kSeparator.size())) {
    names.push_back(TrimSpaces(value.substr(0, at)));
  }
  names.push_back(TrimSpaces(value));
  return names;
}

// The line's names as the platform spells them, none repeated, into
// `names`; else why the line cannot be used. A name another line gave an
// action already cannot be this action's.
std::string LineNames(const SettingsEntry& entry, size_t action, const Bindings& bindings,
                      const std::array<int, kGameActions>& givenAt, const NameCheck& check, const char* noun,
                      std::vector<std::string>& names) {
  if (entry.value.empty()) return std::string("no ") + noun + " given (a name, or none)";
  for (const std::string_view name : SplitNames(entry.value)) {
    const std::optional<std::string> known = check(name);
    if (!known) return "'" + Printable(name) + "' names no " + noun;
    const std::optional<GameAction> holder = bindings.ActionOf(*known);
    const size_t other = holder ? static_cast<size_t>(*holder) : action;
    if (other != action && givenAt[other] != 0) {
      return *known + " is " + std::string(kGameActionNames[other]) + "'s already (line " +
             std::to_string(givenAt[other]) + ")";
    }
    if (std::find(names.begin(), names.end(), *known) == names.end()) names.push_back(*known);
  }
  return "";
}

// One section's lines over the device's defaults.
Bindings ReadBindings(const std::vector<SettingsEntry>& entries, const Bindings& defaults, const NameCheck& check,
                      const char* noun, const std::string& path, std::vector<std::string>& warnings) {
  Bindings bindings = defaults;
  std::array<int, kGameActions> givenAt{};  // the line that set the action; 0 while it has its default
  std::array<const SettingsEntry*, kGameActions> emptiedBy{};  // the line that took a default's last name
  for (const SettingsEntry& entry : entries) {
    const auto warn = [&](const std::string& what) {
      warnings.push_back(path + ":" + std::to_string(entry.line) + ": " + what);
    };
    const std::optional<size_t> action = ActionIndex(entry.key);
    if (!action) {
      warn("unknown action '" + Printable(entry.key) + "' (up, down, left, right, fire, bomb or exit)");
      continue;
    }
    if (givenAt[*action] != 0) {
      warn(entry.key + " was given on line " + std::to_string(givenAt[*action]) + "; this line is not read");
      continue;
    }
    std::vector<std::string> names;
    const std::string refused = LineNames(entry, *action, bindings, givenAt, check, noun, names);
    if (!refused.empty()) {
      warn(refused + "; " + entry.key + " keeps " + JoinNames(bindings.names[*action]));
      continue;
    }
    // What the line takes from other actions' defaults is the line's.
    for (size_t other = 0; other < kGameActions; ++other) {
      if (other == *action) continue;
      std::vector<std::string>& theirs = bindings.names[other];
      const auto kept = std::remove_if(theirs.begin(), theirs.end(), [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
      });
      if (kept == theirs.begin() && kept != theirs.end()) emptiedBy[other] = &entry;
      theirs.erase(kept, theirs.end());
    }
    bindings.names[*action] = std::move(names);
    givenAt[*action] = entry.line;
  }
  for (size_t action = 0; action < kGameActions; ++action) {
    const SettingsEntry* by = emptiedBy[action];
    if (by != nullptr && givenAt[action] == 0) {
      const std::string name(kGameActionNames[action]);
      warnings.push_back(path + ":" + std::to_string(by->line) + ": " + by->key + " takes " + name + "'s last " +
                         noun + "; " + name + " has none now");
    }
  }
  return bindings;
}

}  // namespace

std::string JoinNames(const std::vector<std::string>& names) {
  if (names.empty()) return std::string(kNothing);
  std::string text = names[0];
  for (size_t i = 1; i < names.size(); ++i) text += std::string(kSeparator) + names[i];
  return text;
}

std::optional<GameAction> Bindings::ActionOf(std::string_view name) const {
  for (size_t action = 0; action < kGameActions; ++action) {
    const std::vector<std::string>& has = names[action];
    if (std::find(has.begin(), has.end(), name) != has.end()) return static_cast<GameAction>(action);
  }
  return std::nullopt;
}

std::optional<GameAction> Bindings::Bind(GameAction action, const std::string& name) {
  const std::optional<GameAction> holder = ActionOf(name);
  if (holder && *holder != action) return holder;
  names[static_cast<size_t>(action)] = {name};
  return std::nullopt;
}

std::string BindForMenu(Bindings& bindings, size_t action, const std::string& name) {
  if (action >= kGameActions) return "";
  if (const std::optional<GameAction> taken = bindings.Bind(static_cast<GameAction>(action), name)) {
    return name + " taken by " + std::string(kGameActionNames[static_cast<size_t>(*taken)]);
  }
  return "";
}

std::array<std::string, kGameActions> ActionNames(const Bindings& bindings) {
  std::array<std::string, kGameActions> names;
  for (size_t i = 0; i < kGameActions; ++i) names[i] = JoinNames(bindings.names[i]);
  return names;
}

void Controls::Reset(ControlDevice device) { Of(device) = DefaultControls().Of(device); }

Controls DefaultControls() {
  return Controls{
      Bindings{{{{"Up"}, {"Down"}, {"Left"}, {"Right"}, {"Space"}, {"Left Shift", "Right Shift"}, {"Escape"}}}},
      Bindings{{{{"dpup"}, {"dpdown"}, {"dpleft"}, {"dpright"}, {"a"}, {"b"}, {}}}}};
}

Controls ReadControls(const SettingsFile& file, const std::string& path, const ControlNames& names,
                      std::vector<std::string>& warnings) {
  const Controls defaults = DefaultControls();
  Controls controls;
  for (const Device& device : kDevices) {
    controls.*device.bindings = ReadBindings(file.Section(device.section), defaults.*device.bindings,
                                             names.*device.check, device.noun, path, warnings);
  }
  return controls;
}

void WriteControls(const Controls& controls, SettingsFile& file) {
  for (const Device& device : kDevices) {
    for (size_t action = 0; action < kGameActions; ++action) {
      file.Set(device.section, kGameActionNames[action], JoinNames((controls.*device.bindings).names[action]));
    }
  }
}

Controls LoadControls(const std::string& path, const ControlNames& names, std::vector<std::string>& warnings) {
  std::string text, error;
  switch (ReadSettingsText(path, text, error)) {
    case SettingsRead::Missing: {
      const Controls defaults = DefaultControls();
      warnings.push_back(SaveControls(path, defaults, error) ? path + " was not there: written with the default controls"
                                                             : "cannot keep the settings: " + error);
      return defaults;
    }
    case SettingsRead::Unreadable:
      warnings.push_back(error + "; playing with the default controls");
      return DefaultControls();
    case SettingsRead::Read:
      break;
  }
  return ReadControls(SettingsFile::Parse(text, path, warnings), path, names, warnings);
}

bool SaveControls(const std::string& path, const Controls& controls, std::string& error) {
  return SaveSettings(path, [&](SettingsFile& file) { WriteControls(controls, file); }, error);
}
