// settings.ini's [video], [sound] and [start] sections: how the player sees
// and hears the game, as the menu and the volume keys left it, and how the
// next start begins, kept at exit. Whether the game opens in a window or on
// the whole screen stays the settings dialog's choice; with the dialog turned
// off, its last answer stands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/settings_file.hpp"
#include "audio/volume.hpp"

struct StartPrefs {
  bool dialog = true;    // the settings dialog at every start
  std::string language;  // of the dialog and the messages: "en", "ja", or "" for the desktop's
  std::optional<bool> fullScreen, keyboard;  // the dialog's last answer
  bool operator==(const StartPrefs&) const = default;
};

struct ViewAndSound {
  bool integerScale = false;
  PlayerVolume volume;
  StartPrefs start;
  bool operator==(const ViewAndSound&) const = default;
};

// What the file gives over `defaults`; a value that cannot be read is warned
// about ("PATH:LINE: ...") and keeps its default.
ViewAndSound ReadViewAndSound(const SettingsFile& file, const std::string& path, ViewAndSound defaults,
                              std::vector<std::string>& warnings);
// Written into settings.ini as it stands on disk then, every other line left
// as it is; false, with the reason, when nothing was written.
bool SaveViewAndSound(const std::string& path, const ViewAndSound& settings, std::string& error);
