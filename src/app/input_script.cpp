#include "app/input_script.hpp"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <string>

#include "game/play_state.hpp"
#include "input/keyboard.hpp"

namespace {

struct KeyName {
  const char* name;
  uint8_t vk;
};
constexpr std::array<KeyName, 7> kKeyNames = {{
    {"left", VK_LEFT}, {"right", VK_RIGHT}, {"up", VK_UP}, {"down", VK_DOWN},
    {"space", VK_SPACE}, {"shift", VK_SHIFT}, {"escape", VK_ESCAPE},
}};
constexpr std::string_view kClick = "click";
constexpr std::string_view kReplayMagic = "kestrova-replay";
constexpr std::string_view kUnplugged = "unplugged";
constexpr std::string_view kGameWord = "game";
constexpr std::string_view kDataWord = "data";
constexpr std::string_view kCheckWord = "check";
constexpr std::string_view kEndWord = "end";
constexpr std::string_view kRulesWord = "rules";
constexpr std::string_view kPlayerWord = "player";
constexpr std::string_view kBestWord = "best";
constexpr std::array<const char*, 2> kYesNo = {"no", "yes"};

bool ParseKeys(std::string_view text, InputRun& run) {
  run.keys.clear();
  run.click = false;
  if (text == "none") return true;
  while (true) {
    const size_t plus = text.find('+');
    const std::string_view name = text.substr(0, plus);
    const auto key = std::find_if(kKeyNames.begin(), kKeyNames.end(), [&](const KeyName& k) { return name == k.name; });
    if (key != kKeyNames.end()) {
      run.keys.push_back(key->vk);
    } else if (name == kClick) {
      run.click = true;
    } else {
      return false;
    }
    if (plus == std::string_view::npos) return true;
    text.remove_prefix(plus + 1);
  }
}

bool ParseCount(std::string_view text, int64_t& count) {
  if (text.empty() || text.size() > 12) return false;
  count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    count = count * 10 + (c - '0');
  }
  return true;
}

// A whole number of the joystick's range: 0 to 4294967295.
bool ParseNumber(std::string_view text, uint32_t& value) {
  int64_t wide = 0;
  if (!ParseCount(text, wide) || wide > UINT32_MAX) return false;
  value = static_cast<uint32_t>(wide);
  return true;
}

bool ParseStick(std::string_view text, InputRun& run) {
  if (text == kUnplugged) {
    run.stick = JoyReading{};
    return true;
  }
  JoyReading reading{true};
  uint32_t* fields[] = {&reading.x, &reading.y, &reading.buttons};
  for (uint32_t* field : fields) {
    const size_t comma = field == fields[2] ? std::string_view::npos : text.find(',');
    if (!ParseNumber(text.substr(0, comma), *field)) return false;
    text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
  }
  run.stick = reading;
  return true;
}

std::string StickText(const JoyReading& stick) {
  if (!stick.attached) return std::string(kUnplugged);
  return std::to_string(stick.x) + "," + std::to_string(stick.y) + "," + std::to_string(stick.buttons);
}

std::string_view Trim(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

// Splits off the next word of `line`.
std::string_view NextWord(std::string_view& line) {
  line = Trim(line);
  const size_t gap = line.find_first_of(" \t");
  const std::string_view word = line.substr(0, gap);
  line.remove_prefix(gap == std::string_view::npos ? line.size() : gap);
  return word;
}

std::string LineError(const std::string& fileName, int line, const std::string& what) {
  return fileName + ":" + std::to_string(line) + ": " + what;
}

// Exactly 16 lower-case hex digits, as the hashes are printed.
bool ParseHash(std::string_view text, uint64_t* value = nullptr) {
  if (text.size() != 16 || text.find_first_not_of("0123456789abcdef") != std::string_view::npos) return false;
  if (value != nullptr) *value = std::stoull(std::string(text), nullptr, 16);
  return true;
}

std::string HashText(uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, hash);
  return text;
}

bool SameKeys(std::vector<uint8_t> a, std::vector<uint8_t> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

// The lines of a script from line number `line` on: runs into `script`, and
// with `replay` (format 3) its game, check and end lines too.
class BodyParser {
 public:
  BodyParser(const std::string& fileName, InputScript& script, Replay* replay)
      : m_fileName(fileName), m_script(script), m_replay(replay) {}

  bool Parse(std::string_view text, int line, std::string& error) {
    m_script.runs.clear();
    for (; !text.empty(); ++line) {
      const size_t end = text.find('\n');
      std::string_view raw = Trim(text.substr(0, end));
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      if (raw.empty() || raw.front() == '#') continue;
      if (!Line(raw, line, error)) return false;
    }
    if (m_replay == nullptr) return true;
    if (!m_replay->stamp) return Fail(line, "no 'game VERSION data DATAHASH' line", error);
    if (m_replay->end.empty() && m_total > 0) return Fail(line, "no 'end FRAME SCREEN PAGEHASH STATEHASH' line", error);
    return true;
  }

 private:
  bool Line(std::string_view raw, int line, std::string& error) {
    std::string_view rest = raw;
    const std::string_view word = NextWord(rest);
    if (m_replay != nullptr && !m_replay->end.empty()) return Fail(line, "nothing but comments may follow the end line", error);
    if (m_replay != nullptr && word == kGameWord) return Game(rest, line, error);
    if (m_replay != nullptr && !m_replay->stamp) return Fail(line, "expected 'game VERSION data DATAHASH' first", error);
    if (m_replay != nullptr && (word == kRulesWord || word == kPlayerWord || word == kBestWord)) {
      if (m_total > 0 || !m_replay->checks.empty()) return Fail(line, "the start choices come before the runs", error);
      if (word == kBestWord) return Best(rest, line, error);
      return word == kRulesWord ? Rules(rest, line, error) : Player(rest, line, error);
    }
    if (m_replay != nullptr && word == kCheckWord) return Check(rest, line, error);
    if (m_replay != nullptr && word == kEndWord) return End(rest, line, error);
    return Run(raw, line, error);
  }

  bool Run(std::string_view raw, int line, std::string& error) {
    InputRun run;
    const bool countOk = ParseCount(NextWord(raw), run.count);
    const bool keysOk = ParseKeys(NextWord(raw), run);
    const std::string_view stick = NextWord(raw);
    const bool withStick = m_script.joystick.has_value();
    const bool stickOk = withStick ? ParseStick(stick, run) : stick.empty();
    if (!countOk || !keysOk || !stickOk || !Trim(raw).empty()) {
      return Fail(line,
                  std::string("expected 'COUNT KEYS") + (withStick ? " STICK" : "") +
                      "' (KEYS: none, or left right up down space shift escape click joined by '+'" +
                      (withStick ? "; STICK: X,Y,BUTTONS or unplugged)" : ")"),
                  error);
    }
    m_total += run.count;
    if (m_total > INT64_MAX / 2) return Fail(line, "too many frames", error);
    run.end = m_total;
    m_script.runs.push_back(std::move(run));
    return true;
  }

  bool Game(std::string_view rest, int line, std::string& error) {
    const std::string_view version = NextWord(rest), data = NextWord(rest), hash = NextWord(rest);
    if (m_replay->stamp) return Fail(line, "a second game line", error);
    if (version.empty() || data != kDataWord || !ParseHash(hash) || !Trim(rest).empty()) {
      return Fail(line, "expected 'game VERSION data DATAHASH' (DATAHASH: 16 hex digits)", error);
    }
    m_replay->stamp = ReplayStamp{std::string(version), std::string(hash)};
    return true;
  }

  bool Rules(std::string_view rest, int line, std::string& error) {
    GameRules& rules = m_replay->rules;
    const auto kind = NameIndex(kRulesNames, NextWord(rest));
    bool ok = kind.has_value() && *kind != static_cast<size_t>(RulesKind::Standard) && !m_rulesSeen;
    if (ok) rules.kind = static_cast<RulesKind>(*kind);
    for (std::string_view key = NextWord(rest); ok && !key.empty(); key = NextWord(rest)) {
      const std::string_view value = NextWord(rest);
      int64_t number = 0;
      if (key == "difficulty") {
        const auto d = NameIndex(kDifficultyNames, value);
        ok = d.has_value();
        if (ok) rules.difficulty = static_cast<Difficulty>(*d);
      } else if (key == "stage") {
        ok = ParseCount(value, number) && number >= 1 && number <= 99;
        rules.stage = static_cast<int32_t>(number);
      } else if (key == "from") {
        ok = value == "carrier" || (ParseCount(value, number) && number <= 3600);
        rules.fromSeconds = value == "carrier" ? kFromCarrier : static_cast<int32_t>(number);
      } else if (key == "lives" || key == "invulnerable") {
        const auto yes = NameIndex(kYesNo, value);
        ok = yes.has_value();
        (key == "lives" ? rules.lives : rules.invulnerable) = yes == size_t{1};
      } else {
        ok = false;
      }
    }
    m_rulesSeen = true;
    if (!ok) {
      return Fail(line, "expected 'rules arcade|practice [difficulty easy|normal|hard|expert] [stage N] "
                        "[from SECONDS|carrier] [lives yes|no] [invulnerable yes|no]', once", error);
    }
    return true;
  }

  // The table as its file holds it, one "SCORE INITIALS" after the other.
  bool Best(std::string_view rest, int line, std::string& error) {
    std::string table;
    size_t entries = 0;
    for (std::string_view score = NextWord(rest); !score.empty(); score = NextWord(rest), ++entries) {
      table += std::string(score) + " " + std::string(NextWord(rest)) + "\n";
    }
    std::string reason;
    if (m_bestSeen || entries > kArcadeEntries || !m_replay->best.Parse(table, "", reason)) {
      return Fail(line, "expected 'best SCORE INITIALS...' once, at most 5 of them (a score from 1, three letters)",
                  error);
    }
    m_bestSeen = true;
    return true;
  }

  bool Player(std::string_view rest, int line, std::string& error) {
    const std::string_view name = Trim(rest);
    if (!m_replay->player.empty() || !IsPlayerName(name)) {
      return Fail(line, "expected 'player NAME' once (1 to 16 letters, digits, spaces and -_.)", error);
    }
    m_replay->player = std::string(name);
    return true;
  }

  bool Check(std::string_view rest, int line, std::string& error) {
    ReplayCheck check;
    const bool ok = ParseCount(NextWord(rest), check.frame) && ParseHash(NextWord(rest), &check.stateHash) &&
                    Trim(rest).empty();
    if (!ok) return Fail(line, "expected 'check FRAME STATEHASH' (STATEHASH: 16 hex digits)", error);
    const int64_t before = m_replay->checks.empty() ? 0 : m_replay->checks.back().frame;
    if (check.frame <= before || check.frame > m_total) {
      return Fail(line, "a check of frame " + std::to_string(check.frame) + " after frame " + std::to_string(m_total) +
                            (before > 0 ? " and the check of frame " + std::to_string(before) : std::string()),
                  error);
    }
    m_replay->checks.push_back(check);
    return true;
  }

  bool End(std::string_view rest, int line, std::string& error) {
    int64_t frame = 0;
    const std::string_view frameText = NextWord(rest), screen = NextWord(rest), page = NextWord(rest),
                           state = NextWord(rest);
    const bool screenOk = NameIndex(kScreenNames, screen).has_value();
    if (!ParseCount(frameText, frame) || !screenOk || !ParseHash(page) || !ParseHash(state) || !Trim(rest).empty()) {
      return Fail(line, "expected 'end FRAME SCREEN PAGEHASH STATEHASH'", error);
    }
    if (frame != m_total || frame == 0) {
      return Fail(line, "the end line names frame " + std::to_string(frame) + ", the runs end at frame " +
                            std::to_string(m_total), error);
    }
    m_replay->end = std::string(frameText) + " " + std::string(screen) + " " + std::string(page) + " " +
                    std::string(state);
    return true;
  }

  bool Fail(int line, const std::string& what, std::string& error) const {
    error = LineError(m_fileName, line, what);
    return false;
  }

  const std::string& m_fileName;
  InputScript& m_script;
  Replay* m_replay;
  int64_t m_total = 0;
  bool m_rulesSeen = false;
  bool m_bestSeen = false;
};

std::string RulesText(const GameRules& r) {
  std::string text = std::string(kRulesWord) + " " + RulesName(r.kind) + " difficulty " + DifficultyName(r.difficulty);
  if (r.kind == RulesKind::Practice) {
    text += " stage " + std::to_string(r.stage) + " from " +
            (r.fromSeconds == kFromCarrier ? std::string("carrier") : std::to_string(r.fromSeconds)) + " lives " +
            kYesNo[r.lives] + " invulnerable " + kYesNo[r.invulnerable];
  }
  return text + "\n";
}

}  // namespace

const InputRun* InputScript::RunAt(int64_t call) const {
  const auto run = std::upper_bound(runs.begin(), runs.end(), call - 1,
                                    [](int64_t before, const InputRun& r) { return before < r.end; });
  return run == runs.end() ? nullptr : &*run;
}

int64_t InputScript::Length() const { return runs.empty() ? 0 : runs.back().end; }

FrameInput InputScript::InputAt(int64_t call) const {
  FrameInput input;
  const InputRun* run = RunAt(call);
  if (run == nullptr) return input;
  for (const uint8_t vk : run->keys) input.keys[vk] = 0x80;
  input.click = run->click;
  if (run->stick) input.stick = *run->stick;
  return input;
}

void InputScript::Append(const std::vector<uint8_t>& keys, bool click, std::optional<JoyReading> stick) {
  if (!runs.empty() && !click && !runs.back().click && SameKeys(runs.back().keys, keys) && runs.back().stick == stick) {
    ++runs.back().count;
    ++runs.back().end;
    return;
  }
  runs.push_back(InputRun{1, keys, click, stick, Length() + 1});
}

namespace {

std::string RunText(const InputRun& run, int64_t count) {
  std::string text = std::to_string(count) + " " + KeyNames(run.keys, run.click);
  if (run.stick) text += " " + StickText(*run.stick);
  return text + "\n";
}

}  // namespace

std::string InputScript::Text() const {
  std::string text;
  for (const InputRun& run : runs) text += RunText(run, run.count);
  return text;
}

std::string Replay::Text() const {
  const bool checked = stamp.has_value();
  std::string header = std::string(kReplayMagic) + " " + (checked ? "3" : "2") + " " +
                       (fullScreen ? "fullscreen" : "window") + " " + (keyboard ? "keyboard" : "joystick");
  if (!keyboard) {
    const std::optional<JoyCaps>& caps = script.joystick;
    header += caps ? " " + std::to_string(caps->xMin) + " " + std::to_string(caps->xMax) + " " +
                         std::to_string(caps->yMin) + " " + std::to_string(caps->yMax)
                   : " none";
  }
  std::string text = header + "\n";
  if (!checked) return text + script.Text();
  text += std::string(kGameWord) + " " + stamp->version + " " + std::string(kDataWord) + " " + stamp->dataHash + "\n";
  if (rules.kind != RulesKind::Standard) text += RulesText(rules);
  if (best.entries[0].score > 0) {
    text += kBestWord;
    for (const ArcadeEntry& e : best.entries) {
      if (e.score > 0) text += " " + std::to_string(e.score) + " " + std::string(e.initials.begin(), e.initials.end());
    }
    text += "\n";
  }
  if (!player.empty()) text += std::string(kPlayerWord) + " " + player + "\n";
  // A run is cut where a check falls inside it, so that each check follows its frame.
  auto check = checks.begin();
  for (const InputRun& run : script.runs) {
    int64_t written = run.end - run.count;
    for (; check != checks.end() && check->frame <= run.end; ++check) {
      if (check->frame > written) text += RunText(run, check->frame - written);
      written = std::max(written, check->frame);
      text += std::string(kCheckWord) + " " + std::to_string(check->frame) + " " + HashText(check->stateHash) + "\n";
    }
    if (run.end > written) text += RunText(run, run.end - written);
  }
  for (; check != checks.end(); ++check) {
    text += std::string(kCheckWord) + " " + std::to_string(check->frame) + " " + HashText(check->stateHash) + "\n";
  }
  if (!end.empty()) text += std::string(kEndWord) + " " + end + "\n";
  return text;
}

bool ParseInputScript(std::string_view text, const std::string& fileName, InputScript& out, std::string& error) {
  return BodyParser(fileName, out, nullptr).Parse(text, 1, error);
}

bool ParseReplay(std::string_view text, const std::string& fileName, Replay& out, bool& isReplay, std::string& error) {
  out = Replay{};
  const size_t end = text.find('\n');
  std::string_view header = Trim(text.substr(0, end));
  isReplay = NextWord(header) == kReplayMagic;
  if (!isReplay) return ParseInputScript(text, fileName, out.script, error);

  const std::string_view version = NextWord(header), display = NextWord(header), input = NextWord(header);
  if (version != "1" && version != "2" && version != "3") {
    error = LineError(fileName, 1, "replay format version '" + std::string(version) + "' is not 1 to " +
                                       std::to_string(kReplayVersion));
    return false;
  }
  bool limitsOk = true;
  if (version != "1" && input == "joystick") {
    if (const std::string_view first = NextWord(header); first != "none") {
      uint32_t limits[4] = {};
      limitsOk = ParseNumber(first, limits[0]) && ParseNumber(NextWord(header), limits[1]) &&
                 ParseNumber(NextWord(header), limits[2]) && ParseNumber(NextWord(header), limits[3]);
      out.script.joystick = JoyCaps{limits[0], limits[1], limits[2], limits[3]};
    }
  }
  if ((display != "window" && display != "fullscreen") || (input != "keyboard" && input != "joystick") ||
      !limitsOk || !Trim(header).empty()) {
    error = LineError(fileName, 1,
                      "expected 'kestrova-replay 3 window|fullscreen keyboard|joystick [XMIN XMAX YMIN YMAX|none]'");
    return false;
  }
  out.fullScreen = display == "fullscreen";
  out.keyboard = input == "keyboard";
  const std::string_view body = text.substr(end == std::string_view::npos ? text.size() : end + 1);
  return BodyParser(fileName, out.script, version == "3" ? &out : nullptr).Parse(body, 2, error);
}

std::string KeyNames(const std::vector<uint8_t>& keys, bool click) {
  std::string names;
  for (const KeyName& k : kKeyNames) {
    if (std::find(keys.begin(), keys.end(), k.vk) != keys.end()) {
      if (!names.empty()) names += '+';
      names += k.name;
    }
  }
  if (click) names += names.empty() ? "click" : "+click";
  return names.empty() ? "none" : names;
}

bool IsPlayerName(std::string_view name) {
  const auto allowed = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' ||
           c == '_' || c == '.';
  };
  return !name.empty() && name.size() <= kMaxPlayerName && name.front() != ' ' && name.back() != ' ' &&
         std::all_of(name.begin(), name.end(), allowed);
}

std::vector<uint8_t> HeldKeys(const KeyboardState& keys) {
  std::vector<uint8_t> held;
  for (const KeyName& k : kKeyNames) {
    if (KeyHeld(keys, k.vk)) held.push_back(k.vk);
  }
  return held;
}
