#include "app/settings_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>

#include "data/printable.hpp"
#include "data/score_file.hpp"

namespace {

constexpr std::string_view kSpaces = " \t\r";

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

SettingsFile SettingsFile::Parse(std::string_view text, const std::string& path, std::vector<std::string>& warnings) {
  SettingsFile file;
  std::string section;
  int number = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    Line line{std::string(text.substr(0, end)), section, "", "", false};
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    const std::string_view content = TrimSpaces(line.text);
    const auto warn = [&](const std::string& what) {
      warnings.push_back(path + ":" + std::to_string(number) + ": " + what);
    };
    const size_t equals = content.find('=');
    if (content.empty() || content[0] == '#' || content[0] == ';') {
      // a comment or a blank line
    } else if (content.front() == '[' && content.back() == ']') {
      section = line.section = std::string(TrimSpaces(content.substr(1, content.size() - 2)));
      line.header = true;
      if (std::find(kSettingsSections.begin(), kSettingsSections.end(), section) == kSettingsSections.end()) {
        warn("unknown section [" + Printable(section) + "]; its lines are not read");
      }
    } else if (equals == std::string_view::npos || TrimSpaces(content.substr(0, equals)).empty()) {
      warn("expected 'KEY = VALUE' or '[SECTION]', not '" + Printable(content) + "'");
    } else if (section.empty()) {
      warn("'" + Printable(content) + "' comes before any [SECTION]; it is not read");
    } else {
      line.key = TrimSpaces(content.substr(0, equals));
      line.value = TrimSpaces(content.substr(equals + 1));
    }
    file.m_lines.push_back(std::move(line));
  }
  return file;
}

std::vector<SettingsEntry> SettingsFile::Section(std::string_view section) const {
  std::vector<SettingsEntry> entries;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.section == section && !line.key.empty()) entries.push_back({line.key, line.value, static_cast<int>(i + 1)});
  }
  return entries;
}

void SettingsFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  const Line entry{std::string(key) + " = " + std::string(value), std::string(section), std::string(key),
                   std::string(value), false};
  const auto inSection = [&](const Line& line) { return line.section == section; };
  const auto found = std::find_if(m_lines.begin(), m_lines.end(),
                                  [&](const Line& line) { return inSection(line) && line.key == key; });
  if (found != m_lines.end()) {
    *found = entry;
    // Later lines of the same key would contradict this one at the next start.
    m_lines.erase(std::remove_if(found + 1, m_lines.end(), [&](const Line& line) { return inSection(line) && line.key == key; }),
                  m_lines.end());
    return;
  }
  // After the section's last line that is not blank: blank lines stay
  // between it and the next section.
  const auto last = std::find_if(m_lines.rbegin(), m_lines.rend(), [&](const Line& line) {
    return inSection(line) && (line.header || !TrimSpaces(line.text).empty());
  });
  if (last != m_lines.rend()) {
    m_lines.insert(last.base(), entry);
    return;
  }
  if (!m_lines.empty() && !TrimSpaces(m_lines.back().text).empty()) m_lines.push_back(Line{});
  m_lines.push_back(Line{"[" + std::string(section) + "]", std::string(section), "", "", true});
  m_lines.push_back(entry);
}

std::string SettingsFile::Text() const {
  std::string text;
  for (const Line& line : m_lines) text += line.text + "\n";
  return text;
}

std::string SettingsFolder(const std::string& xdgConfigHome, const std::string& home) {
  if (xdgConfigHome.starts_with('/')) return xdgConfigHome + "/kestrova";
  if (!home.empty()) return home + "/.config/kestrova";
  return "";
}

SettingsRead ReadSettingsText(const std::string& path, std::string& text, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr && errno == ENOENT) return SettingsRead::Missing;
  text.clear();
  if (file != nullptr) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    const int why = errno;
    std::fclose(file);
    if (!failed) return SettingsRead::Read;
    errno = why;
  }
  error = path + ": " + std::strerror(errno);
  return SettingsRead::Unreadable;
}

bool SaveSettings(const std::string& path, const std::function<void(SettingsFile&)>& change, std::string& error) {
  return SaveMerged(
      path,
      [&](const std::string& stored) {
        std::vector<std::string> known;  // warned about when the game started
        SettingsFile file = SettingsFile::Parse(stored, path, known);
        change(file);
        return file.Text();
      },
      error);
}
