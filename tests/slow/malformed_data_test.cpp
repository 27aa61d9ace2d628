// Every committed data file, broken in many ways: the game either plays a few
// hundred frames or refuses to start with a message that names a data file
// and a line inside it. Nothing may crash or trip a sanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "input/keyboard.hpp"
#include "test_support.hpp"

namespace {

using testing_support::HeadlessGame;
using testing_support::ReadFile;
using testing_support::RepoDataDir;
using testing_support::WriteFile;

// Unoptimised and sanitized builds run a deterministic sample of each kind of
// mutation; the release build runs many more.
#ifdef NDEBUG
constexpr size_t kCasesPerKind = 250;
#else
constexpr size_t kCasesPerKind = 8;
#endif
constexpr int kFramesPerKeySet = 25;

enum class Kind {
  kEmpty,
  kCrLf,
  kPastCapacity,
  kTruncatedAtLine,
  kTruncatedInLine,
  kFieldDropped,
  kColumnDroppedEverywhere,
  kNumberReplaced,
  kKeyRenamed,
};

const char* KindName(Kind kind) {
  static const char* const kNames[] = {
      "empty",
      "CR/LF line ends",
      "past the capacity",
      "truncated at a line",
      "truncated inside a line",
      "field dropped",
      "column dropped on every line",
      "number replaced",
      "key renamed",
  };
  return kNames[static_cast<int>(kind)];
}

const std::vector<std::string> kNumberReplacements = {
    "x1", "99999999999999999999", "-99999999999999999999", "32767", "-32768", "65536", "2147483648", ""};
const std::vector<std::string> kKeyReplacements = {"Z", ""};  // appended; empty: the key cleared

struct Mutation {
  Kind kind;
  size_t line = 0;
  size_t field = 0;
  size_t replacement = 0;
};

std::vector<std::string> SplitKeeping(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < text.size()) {
    const size_t at = text.find(separator, start);
    const size_t end = at == std::string::npos ? text.size() : at + 1;
    parts.push_back(text.substr(start, end - start));
    start = end;
  }
  return parts;
}

// The fields of a line without its line feed; a line without commas is one field.
std::vector<std::string> Fields(std::string line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t at = line.find(','); at != std::string::npos; at = line.find(',', start)) {
    fields.push_back(line.substr(start, at - start));
    start = at + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::string JoinLine(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + fields[i];
  return line + "\n";
}

bool IsNumber(const std::string& field) {
  const size_t digits = !field.empty() && field[0] == '-' ? 1 : 0;
  return field.size() > digits && field.find_first_not_of("0123456789", digits) == std::string::npos;
}

bool IsComment(const std::string& line) { return !line.empty() && line[0] == '#'; }

class DataFile {
 public:
  explicit DataFile(std::string text) : m_text(std::move(text)), m_lines(SplitKeeping(m_text, '\n')) {}

  // Every mutation this file allows, kind by kind.
  std::vector<std::vector<Mutation>> AllMutations() const {
    std::vector<std::vector<Mutation>> kinds = {{{Kind::kEmpty}}, {{Kind::kCrLf}}, {{Kind::kPastCapacity}}};
    std::vector<Mutation> atLine, inLine, dropped, everywhere, numbers, keys;
    size_t widest = 0;
    for (size_t line = 0; line < m_lines.size(); ++line) {
      atLine.push_back({Kind::kTruncatedAtLine, line});
      inLine.push_back({Kind::kTruncatedInLine, line});
      if (IsComment(m_lines[line])) continue;
      const std::vector<std::string> fields = Fields(m_lines[line]);
      widest = std::max(widest, fields.size());
      for (size_t field = 0; field < fields.size(); ++field) {
        dropped.push_back({Kind::kFieldDropped, line, field});
        const std::string& text = fields[field];
        if (IsNumber(text)) {
          for (size_t r = 0; r < kNumberReplacements.size(); ++r) {
            numbers.push_back({Kind::kNumberReplaced, line, field, r});
          }
        } else if (!text.empty()) {
          for (size_t r = 0; r < kKeyReplacements.size(); ++r) keys.push_back({Kind::kKeyRenamed, line, field, r});
        }
      }
    }
    for (size_t field = 0; field < widest; ++field) everywhere.push_back({Kind::kColumnDroppedEverywhere, 0, field});
    for (auto* list : {&atLine, &inLine, &dropped, &everywhere, &numbers, &keys}) kinds.push_back(std::move(*list));
    return kinds;
  }

  std::string Apply(const Mutation& m) const {
    std::vector<std::string> lines = m_lines;
    switch (m.kind) {
      case Kind::kEmpty:
        return "";
      case Kind::kCrLf: {
        std::string text;
        for (char c : m_text) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return text;
      }
      case Kind::kPastCapacity: {
        // Every table holds at most 512 rows; the map reads only its first 20000 numbers.
        std::string text;
        for (size_t copies = 0; copies * m_lines.size() < 600 || copies < 2; ++copies) text += m_text;
        return text;
      }
      case Kind::kTruncatedAtLine:
        lines.resize(m.line);
        break;
      case Kind::kTruncatedInLine:
        lines[m.line].resize(lines[m.line].size() / 2);
        lines.resize(m.line + 1);
        break;
      case Kind::kFieldDropped:
        lines[m.line] = DropField(lines[m.line], m.field);
        break;
      case Kind::kColumnDroppedEverywhere:
        for (std::string& line : lines) {
          if (!IsComment(line)) line = DropField(line, m.field);
        }
        break;
      case Kind::kNumberReplaced:
      case Kind::kKeyRenamed: {
        std::vector<std::string> fields = Fields(lines[m.line]);
        std::string& field = fields[m.field];
        if (m.kind == Kind::kNumberReplaced) {
          field = kNumberReplacements[m.replacement];
        } else {
          field = kKeyReplacements[m.replacement].empty() ? "" : field + kKeyReplacements[m.replacement];
        }
        lines[m.line] = JoinLine(fields);
        break;
      }
    }
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
  }

  std::string Describe(const Mutation& m) const {
    std::string what = KindName(m.kind);
    const bool hasLine = m.kind != Kind::kEmpty && m.kind != Kind::kCrLf && m.kind != Kind::kPastCapacity &&
                         m.kind != Kind::kColumnDroppedEverywhere;
    const bool hasField = m.kind == Kind::kFieldDropped || m.kind == Kind::kColumnDroppedEverywhere ||
                          m.kind == Kind::kNumberReplaced || m.kind == Kind::kKeyRenamed;
    if (hasLine) what += ", line " + std::to_string(m.line + 1);
    if (hasField) what += ", field " + std::to_string(m.field + 1);
    if (m.kind == Kind::kNumberReplaced) what += " by '" + kNumberReplacements[m.replacement] + "'";
    return what;
  }

 private:
  static std::string DropField(const std::string& line, size_t field) {
    std::vector<std::string> fields = Fields(line);
    if (field >= fields.size()) return line;
    fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(field));
    return JoinLine(fields);
  }

  std::string m_text;
  std::vector<std::string> m_lines;
};

// At most `count` of `all`, one from each of `count` equal stretches, at a
// place that shifts from stretch to stretch (so a stride that is a multiple of
// the replacements still meets all of them); the same on every run.
std::vector<Mutation> Sample(const std::vector<Mutation>& all, size_t count) {
  if (all.size() <= count) return all;
  const size_t stride = all.size() / count;
  std::vector<Mutation> picked;
  for (size_t i = 0; i < count; ++i) picked.push_back(all[i * stride + (i * 7 + stride / 2) % stride]);
  return picked;
}

size_t LineCount(const std::filesystem::path& path) {
  const std::string text = ReadFile(path);
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// Start-up refused: the message names a data file, and a line inside it when it names one.
::testing::AssertionResult NamesADataFile(const HeadlessGame& game) {
  const auto& messages = game.platform.Messages();
  if (messages.size() != 1) return ::testing::AssertionFailure() << messages.size() << " messages";
  const std::string prefix = "ERROR DATA LOADING " + (game.dir / "data").string() + "/";
  static const std::regex kRest("(data\\.csv|Stage1\\.csv|char\\.csv|map\\.dat)(:([0-9]+))?: .+");
  std::smatch match;
  const std::string& message = messages[0];
  if (message.rfind(prefix, 0) != 0 ||
      !std::regex_match(message.begin() + static_cast<std::ptrdiff_t>(prefix.size()), message.end(), match, kRest)) {
    return ::testing::AssertionFailure() << "'" << message << "'";
  }
  if (match[3].matched) {
    const size_t line = std::stoul(match[3].str());
    const size_t lines = LineCount(game.dir / "data" / match[1].str());
    if (line < 1 || line > lines) {
      return ::testing::AssertionFailure() << "line " << line << " of " << lines << ": '" << message << "'";
    }
  }
  return ::testing::AssertionSuccess();
}

// Start, fire, move, bomb, and a trip to the exit query and back.
const std::vector<std::vector<uint8_t>> kKeySets = {
    {VK_SPACE},           {VK_SPACE, VK_LEFT},           {VK_SPACE, VK_UP},
    {VK_SHIFT, VK_RIGHT}, {VK_SPACE, VK_DOWN, VK_RIGHT}, {VK_ESCAPE},
    {VK_SPACE},           {VK_SPACE, VK_LEFT, VK_DOWN},  {VK_UP},
    {VK_SHIFT, VK_SPACE}, {VK_SPACE, VK_RIGHT},          {VK_LEFT}};

class MalformedData : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedData, EachMutationPlaysOrNamesTheFile) {
  const std::string name = GetParam();
  const DataFile original(ReadFile(RepoDataDir() / name));
  {
    HeadlessGame intact(RepoDataDir());
    ASSERT_TRUE(intact.Start()) << "the committed data must start: "
                                << ::testing::PrintToString(intact.platform.Messages());
  }
  int played = 0;
  int refused = 0;
  for (const std::vector<Mutation>& kind : original.AllMutations()) {
    for (const Mutation& m : Sample(kind, kCasesPerKind)) {
      SCOPED_TRACE(name + ": " + original.Describe(m));
      HeadlessGame game(RepoDataDir());
      WriteFile(game.dir / "data" / name, original.Apply(m));
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
  std::printf("%s: %d mutations played, %d refused at start-up\n", name.c_str(), played, refused);
}

INSTANTIATE_TEST_SUITE_P(CommittedFiles, MalformedData,
                         ::testing::Values("data.csv", "Stage1.csv", "char.csv", "map.dat"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

}  // namespace
