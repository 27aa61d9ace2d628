// settings.ini's [video] and [sound] sections: how the player sees and hears
// the game, as the menu and the volume keys left it, kept at exit for the
// next start. Whether the game opens in a window or on the whole screen stays
// the settings dialog's choice.
#pragma once

#include <string>
#include <vector>

#include "app/settings_file.hpp"
#include "audio/volume.hpp"

struct ViewAndSound {
  bool integerScale = false;
  PlayerVolume volume;
  bool operator==(const ViewAndSound&) const = default;
};

// What the file gives over `defaults`; a value that cannot be read is warned
// about ("PATH:LINE: ...") and keeps its default.
ViewAndSound ReadViewAndSound(const SettingsFile& file, const std::string& path, ViewAndSound defaults,
                              std::vector<std::string>& warnings);
// Written into settings.ini as it stands on disk then, every other line left
// as it is; false, with the reason, when nothing was written.
bool SaveViewAndSound(const std::string& path, const ViewAndSound& settings, std::string& error);
