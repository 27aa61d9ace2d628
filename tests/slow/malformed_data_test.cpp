// Every committed data file, broken in many ways: the game either plays a few
// hundred frames or refuses to start with a message that names a data file
// and a line inside it. Nothing may crash or trip a sanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "input/keyboard.hpp"
#include "test_support.hpp"

namespace {

using testing_support::HeadlessGame;
using testing_support::ReadFile;
using testing_support::RepoDataDir;

// Unoptimised and sanitized builds run a sample of each kind; release many more.
#ifdef NDEBUG
constexpr size_t kCasesPerKind = 250;
#else
constexpr size_t kCasesPerKind = 8;
#endif

using Lines = std::vector<std::string>;  // each with its line feed, but maybe the last

Lines Split(const std::string& text, char separator) {
  Lines parts;
  for (size_t start = 0; start < text.size();) {
    const size_t at = text.find(separator, start);
    const size_t end = at == std::string::npos ? text.size() : at + 1;
    parts.push_back(text.substr(start, end - start));
    start = end;
  }
  return parts;
}

std::string Join(const Lines& parts) {
  std::string text;
  for (const std::string& part : parts) text += part;
  return text;
}

// The line's fields (without the line feed), edited, joined back.
std::string EditFields(const std::string& line, const std::function<void(Lines&)>& edit) {
  Lines fields = Split(line.substr(0, line.size() - (line.ends_with('\n') ? 1 : 0)) + ",", ',');
  for (std::string& field : fields) field.pop_back();
  edit(fields);
  std::string joined;
  for (size_t i = 0; i < fields.size(); ++i) joined += (i == 0 ? "" : ",") + fields[i];
  return joined + "\n";
}

bool IsNumber(const std::string& field) {
  const size_t sign = field.starts_with("-") ? 1 : 0;
  return field.size() > sign && field.find_first_not_of("0123456789", sign) == std::string::npos;
}

struct Mutation {
  std::string what;
  std::function<std::string()> apply;
};

// Every mutation of the text, kind by kind.
std::vector<std::vector<Mutation>> AllMutations(const std::string& text) {
  // Shared by every mutation, which copies it only when applied.
  const auto shared = std::make_shared<const Lines>(Split(text, '\n'));
  const Lines& lines = *shared;
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  // Every table holds at most 512 rows; the map reads only its first 20000 numbers.
  std::string repeated;
  for (size_t copies = 0; copies * lines.size() < 600 || copies < 2; ++copies) repeated += text;
  std::vector<std::vector<Mutation>> kinds = {{{"empty", [] { return std::string(); }}},
                                              {{"CR/LF line ends", [crlf] { return crlf; }}},
                                              {{"past the capacity", [repeated] { return repeated; }}}};
  const auto editLine = [shared](size_t line, std::function<void(Lines&)> edit) {
    return [shared, line, edit] {
      Lines copy = *shared;
      copy[line] = EditFields(copy[line], edit);
      return Join(copy);
    };
  };
  std::vector<Mutation> truncated, dropped, everywhere, numbers, keys;
  size_t widest = 0;
  for (size_t line = 0; line < lines.size(); ++line) {
    const std::string at = "line " + std::to_string(line + 1);
    for (const bool inside : {false, true}) {
      truncated.push_back({"truncated " + std::string(inside ? "inside " : "at ") + at, [shared, line, inside] {
                             Lines copy(shared->begin(), shared->begin() + static_cast<std::ptrdiff_t>(line + inside));
                             if (inside) copy.back().resize(copy.back().size() / 2);
                             return Join(copy);
                           }});
    }
    if (lines[line].starts_with("#")) continue;
    Lines fields;
    EditFields(lines[line], [&fields](Lines& f) { fields = f; });
    widest = std::max(widest, fields.size());
    for (size_t field = 0; field < fields.size(); ++field) {
      const std::string where = at + ", field " + std::to_string(field + 1);
      const auto erase = [field](Lines& f) { f.erase(f.begin() + static_cast<std::ptrdiff_t>(field)); };
      dropped.push_back({"field dropped, " + where, editLine(line, erase)});
      if (IsNumber(fields[field])) {
        for (const char* number : {"x1", "99999999999999999999", "-99999999999999999999", "32767", "-32768",
                                   "65536", "2147483648", ""}) {
          numbers.push_back({"number replaced, " + where + " by '" + number + "'",
                             editLine(line, [field, number](Lines& f) { f[field] = number; })});
        }
      } else if (!fields[field].empty()) {
        keys.push_back({"key renamed, " + where, editLine(line, [field](Lines& f) { f[field] += "Z"; })});
        keys.push_back({"key cleared, " + where, editLine(line, [field](Lines& f) { f[field].clear(); })});
      }
    }
  }
  for (size_t field = 0; field < widest; ++field) {
    everywhere.push_back({"column " + std::to_string(field + 1) + " dropped on every line", [shared, field] {
                            Lines copy = *shared;
                            for (std::string& line : copy) {
                              if (line.starts_with("#")) continue;
                              line = EditFields(line, [field](Lines& f) {
                                if (field < f.size()) f.erase(f.begin() + static_cast<std::ptrdiff_t>(field));
                              });
                            }
                            return Join(copy);
                          }});
  }
  for (auto* list : {&truncated, &dropped, &everywhere, &numbers, &keys}) kinds.push_back(std::move(*list));
  return kinds;
}

// At most `count` of `all`, one from each of `count` equal stretches, at a
// place that shifts from stretch to stretch (so a stride that is a multiple of
// the replacements still meets all of them); the same on every run.
std::vector<const Mutation*> Sample(const std::vector<Mutation>& all, size_t count) {
  std::vector<const Mutation*> picked;
  const size_t stride = std::max<size_t>(1, all.size() / count);
  for (size_t i = 0; i < std::min(count, all.size()); ++i) {
    picked.push_back(&all[all.size() <= count ? i : i * stride + (i * 7 + stride / 2) % stride]);
  }
  return picked;
}

// Start-up refused: the message names a data file, and a line inside it when it names one.
::testing::AssertionResult NamesADataFile(const HeadlessGame& game) {
  const auto& messages = game.platform.Messages();
  if (messages.size() != 1) return ::testing::AssertionFailure() << messages.size() << " messages";
  const std::string prefix = "ERROR DATA LOADING " + (game.dir / "data").string() + "/";
  static const std::regex kRest("(data\\.csv|Stage1\\.csv|char\\.csv|map\\.dat)(:([0-9]+))?: .+");
  std::smatch match;
  const std::string& message = messages[0];
  if (!message.starts_with(prefix) ||
      !std::regex_match(message.begin() + static_cast<std::ptrdiff_t>(prefix.size()), message.end(), match, kRest)) {
    return ::testing::AssertionFailure() << "'" << message << "'";
  }
  const std::string file = ReadFile(game.dir / "data" / match[1].str());
  const size_t lines = static_cast<size_t>(std::count(file.begin(), file.end(), '\n')) + 1;
  if (match[3].matched && (std::stoul(match[3].str()) < 1 || std::stoul(match[3].str()) > lines)) {
    return ::testing::AssertionFailure() << "a line past the file's " << lines << ": '" << message << "'";
  }
  return ::testing::AssertionSuccess();
}

// Start, fire, move, bomb, and a trip to the exit query and back.
const std::vector<std::vector<uint8_t>> kKeySets = {
    {VK_SPACE},           {VK_SPACE, VK_LEFT},           {VK_SPACE, VK_UP},
    {VK_SHIFT, VK_RIGHT}, {VK_SPACE, VK_DOWN, VK_RIGHT}, {VK_ESCAPE},
    {VK_SPACE},           {VK_SPACE, VK_LEFT, VK_DOWN},  {VK_UP},
    {VK_SHIFT, VK_SPACE}, {VK_SPACE, VK_RIGHT},          {VK_LEFT}};
constexpr int kFramesPerKeySet = 25;

class MalformedData : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedData, EachMutationPlaysOrNamesTheFile) {
  const std::string name = GetParam();
  int played = 0, refused = 0;
  for (const std::vector<Mutation>& kind : AllMutations(ReadFile(RepoDataDir() / name))) {
    for (const Mutation* m : Sample(kind, kCasesPerKind)) {
      SCOPED_TRACE(name + ": " + m->what);
      HeadlessGame game(RepoDataDir());
      testing_support::WriteFile(game.dir / "data" / name, m->apply());
      if (!game.Start()) {
        ++refused;
        EXPECT_TRUE(NamesADataFile(game));
        continue;
      }
      ++played;
      EXPECT_TRUE(game.platform.Messages().empty());
      for (const auto& keys : kKeySets) game.Idle(kFramesPerKeySet, keys);
      EXPECT_FALSE(game.platform.CloseRequested());
      EXPECT_EQ(game.platform.PresentCount(), static_cast<int64_t>(kKeySets.size() * kFramesPerKeySet));
    }
  }
  // Both outcomes occur, or the mutations miss what they are meant to exercise.
  EXPECT_GT(played, 0);
  EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(CommittedFiles, MalformedData, ::testing::Values("data.csv", "Stage1.csv", "char.csv", "map.dat"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

}  // namespace
