#include "platform/web/catalogue.hpp"

#include "app/settings_file.hpp"

namespace platform::web {
namespace {

// One entry as it is read: which of its strings the lines go on.
struct Entry {
  enum class Part { None, Id, Text } part = Part::None;
  std::string id, text;
  int line = 0;  // its msgid's
  bool fuzzy = false;
};

// A quoted string's contents, escapes undone; none with why in `error`.
std::optional<std::string> Unquote(std::string_view quoted, std::string& error) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
    error = "a string in double quotes expected";
    return std::nullopt;
  }
  std::string text;
  for (size_t i = 1; i + 1 < quoted.size(); ++i) {
    const char c = quoted[i];
    if (c == '"') {
      error = "a double quote inside a string must be written \\\"";
      return std::nullopt;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (i + 2 >= quoted.size()) {
      error = "the string ends in a lone backslash";
      return std::nullopt;
    }
    constexpr std::string_view kEscapes = "nt\"\\rabfv", kMeanings = "\n\t\"\\\r\a\b\f\v";
    const size_t escape = kEscapes.find(quoted[++i]);
    if (escape == std::string_view::npos) {
      error = std::string("unknown escape \\") + quoted[i];
      return std::nullopt;
    }
    text += kMeanings[escape];
  }
  return text;
}

}  // namespace

std::optional<Catalogue> Catalogue::Parse(std::string_view text, const std::string& path, std::string& error) {
  Catalogue catalogue;
  Entry entry;
  int number = 0;
  const auto fail = [&](int line, const std::string& why) {
    error = path + ":" + std::to_string(line) + ": " + why;
    return std::nullopt;
  };
  // The entry read so far, kept when a new one starts or the file ends; why not, when it cannot be.
  const auto finish = [&]() -> std::string {
    if (entry.part == Entry::Part::Id) return "a msgid without its msgstr";
    if (entry.part == Entry::Part::Text && !entry.id.empty() && !entry.text.empty() && !entry.fuzzy &&
        !catalogue.m_texts.emplace(entry.id, entry.text).second) {
      return "this msgid was given before";
    }
    entry = Entry{};
    return "";
  };
  while (!text.empty()) {
    ++number;
    const size_t end = text.find('\n');
    const std::string_view line = TrimSpaces(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;
    if (line.front() == '#') {
      // A flag line belongs to the entry after it.
      if (line.substr(0, 2) == "#," && line.find("fuzzy") != line.npos) {
        if (const std::string why = finish(); !why.empty()) return fail(entry.line, why);
        entry.fuzzy = true;
      }
      continue;
    }
    const size_t space = line.find_first_of(" \t");
    const std::string_view keyword = line.front() == '"' ? "" : line.substr(0, space);
    const std::string_view quoted = keyword.empty() ? line : TrimSpaces(line.substr(std::min(space, line.size())));
    std::string why;
    const std::optional<std::string> part = Unquote(quoted, why);
    if (!part) return fail(number, why);
    if (keyword == "msgid") {
      const bool fuzzy = entry.part == Entry::Part::None && entry.fuzzy;
      if (const std::string finished = finish(); !finished.empty()) return fail(entry.line, finished);
      entry = Entry{Entry::Part::Id, *part, "", number, fuzzy};
    } else if (keyword == "msgstr") {
      if (entry.part != Entry::Part::Id) return fail(number, "a msgstr without its msgid");
      entry.part = Entry::Part::Text;
      entry.text = *part;
    } else if (keyword.empty()) {
      if (entry.part == Entry::Part::None) return fail(number, "a string continued, but no msgid or msgstr before it");
      (entry.part == Entry::Part::Id ? entry.id : entry.text) += *part;
    } else {
      return fail(number, "'" + std::string(keyword) + "' is not read here (msgid and msgstr only)");
    }
  }
  if (const std::string why = finish(); !why.empty()) return fail(entry.line, why);
  return catalogue;
}

const char* Catalogue::Translate(const char* text) const {
  const auto found = m_texts.find(text);
  return found == m_texts.end() ? text : found->second.c_str();
}

}  // namespace platform::web
