// settings.ini, the player's settings: `[section]` lines, each followed by
// `key = value` lines; `#` or `;` starts a comment line. Read and written
// back without SDL, so the browser can keep the same text; a file rewritten
// keeps every line it does not change (comments, sections another part of the
// game owns) as it stood.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kKeyboardSection = "keyboard";
inline constexpr std::string_view kGamepadSection = "gamepad";
// Every section the game reads.
inline constexpr std::string_view kVideoSection = "video";
inline constexpr std::string_view kSoundSection = "sound";
inline constexpr std::string_view kStartSection = "start";
inline constexpr std::string_view kBoardSection = "board";
inline constexpr std::array<std::string_view, 6> kSettingsSections = {kKeyboardSection, kGamepadSection, kVideoSection,
                                                                      kSoundSection,    kStartSection,   kBoardSection};

struct SettingsEntry {
  std::string key;
  std::string value;  // without the spaces around it
  int line = 0;       // from 1, for warnings
};

class SettingsFile {
 public:
  // Lines that are neither a section, an entry, a comment nor blank, entries
  // before any section and sections the game does not read are warned about
  // as "PATH:LINE: ..." and kept as they are.
  static SettingsFile Parse(std::string_view text, const std::string& path, std::vector<std::string>& warnings);

  // The section's entries in file order (a section given twice: both parts).
  std::vector<SettingsEntry> Section(std::string_view section) const;
  // The section's first `key` line gets `value`, and any later ones go; a key
  // not there is added at the end of the section's last part, a section not
  // there at the end of the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  std::string Text() const;

 private:
  struct Line {
    std::string text;
    std::string section;  // the section the line is in; for a section line, its own
    std::string key, value;  // set for an entry only
    bool header = false;
  };
  std::vector<Line> m_lines;
};

// `text` without the spaces, tabs and carriage returns around it.
std::string_view TrimSpaces(std::string_view text);

// Where the player's settings live: $XDG_CONFIG_HOME/kestrova (a relative one
// ignored, as XDG says), else ~/.config/kestrova; empty when neither is set.
std::string SettingsFolder(const std::string& xdgConfigHome, const std::string& home);

// `change` made to settings.ini at `path` as it stands on disk then, every
// other line left as it is, swapped in whole; false, with the reason, when
// nothing was written.
bool SaveSettings(const std::string& path, const std::function<void(SettingsFile&)>& change, std::string& error);

enum class SettingsRead { Read, Missing, Unreadable };
// The file's text; for an unreadable one, `error` says why ("PATH: WHY").
SettingsRead ReadSettingsText(const std::string& path, std::string& text, std::string& error);
