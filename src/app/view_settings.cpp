#include "app/view_settings.hpp"

#include <algorithm>
#include <optional>

#include "app/language.hpp"

namespace {

std::optional<bool> YesNo(const std::string& value) {
  if (value == "yes") return true;
  if (value == "no") return false;
  return std::nullopt;
}

std::optional<int32_t> Percent(const std::string& value) {
  if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const int32_t percent = std::stoi(value);
  return percent <= PlayerVolume::kFull ? std::optional<int32_t>(percent) : std::nullopt;
}

}  // namespace

ViewAndSound ReadViewAndSound(const SettingsFile& file, const std::string& path, ViewAndSound defaults,
                              std::vector<std::string>& warnings) {
  ViewAndSound read = defaults;
  const auto refuse = [&](const SettingsEntry& entry, const char* takes) {
    warnings.push_back(path + ":" + std::to_string(entry.line) + ": " + entry.key + " takes " + takes + ", not '" +
                       entry.value + "'; it stays as it was");
  };
  for (const SettingsEntry& entry : file.Section(kVideoSection)) {
    const std::optional<bool> on = YesNo(entry.value);
    if (entry.key != "integer_scale") {
      warnings.push_back(path + ":" + std::to_string(entry.line) + ": no video setting '" + entry.key + "'");
    } else if (on) {
      read.integerScale = *on;
    } else {
      refuse(entry, "yes or no");
    }
  }
  for (const SettingsEntry& entry : file.Section(kSoundSection)) {
    if (entry.key == "volume") {
      const std::optional<int32_t> percent = Percent(entry.value);
      if (percent) read.volume.percent = *percent; else refuse(entry, "a whole number from 0 to 100");
    } else if (entry.key == "mute") {
      const std::optional<bool> on = YesNo(entry.value);
      if (on) read.volume.muted = *on; else refuse(entry, "yes or no");
    } else {
      warnings.push_back(path + ":" + std::to_string(entry.line) + ": no sound setting '" + entry.key + "'");
    }
  }
  StartPrefs& start = read.start;
  for (const SettingsEntry& entry : file.Section(kStartSection)) {
    const std::optional<bool> on = YesNo(entry.value);
    if (entry.key == "language") {
      const bool known = entry.value == kDesktopLanguage ||
                         std::find(std::begin(kLanguages), std::end(kLanguages), entry.value) != std::end(kLanguages);
      if (known) start.language = entry.value == kDesktopLanguage ? "" : entry.value; else refuse(entry, "en, ja or desktop");
    } else if (entry.key == "dialog" || entry.key == "fullscreen" || entry.key == "keyboard") {
      if (!on) {
        refuse(entry, "yes or no");
      } else if (entry.key == "dialog") {
        start.dialog = *on;
      } else {
        (entry.key == "fullscreen" ? start.fullScreen : start.keyboard) = *on;
      }
    } else {
      warnings.push_back(path + ":" + std::to_string(entry.line) + ": no start setting '" + entry.key + "'");
    }
  }
  return read;
}

bool SaveViewAndSound(const std::string& path, const ViewAndSound& settings, std::string& error) {
  return SaveSettings(
      path,
      [&](SettingsFile& file) {
        file.Set(kVideoSection, "integer_scale", settings.integerScale ? "yes" : "no");
        file.Set(kSoundSection, "volume", std::to_string(settings.volume.percent));
        file.Set(kSoundSection, "mute", settings.volume.muted ? "yes" : "no");
        const StartPrefs& start = settings.start;
        file.Set(kStartSection, "dialog", start.dialog ? "yes" : "no");
        file.Set(kStartSection, "language", start.language.empty() ? kDesktopLanguage : start.language);
        if (start.fullScreen) file.Set(kStartSection, "fullscreen", *start.fullScreen ? "yes" : "no");
        if (start.keyboard) file.Set(kStartSection, "keyboard", *start.keyboard ? "yes" : "no");
      },
      error);
}
