#include "app/input_script.hpp"

#include <algorithm>
#include <array>
#include <climits>

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

bool SameKeys(std::vector<uint8_t> a, std::vector<uint8_t> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

}  // namespace

const InputRun* InputScript::RunAt(int64_t call) const {
  const auto run = std::upper_bound(runs.begin(), runs.end(), call - 1,
                                    [](int64_t before, const InputRun& r) { return before < r.end; });
  return run == runs.end() ? nullptr : &*run;
}

int64_t InputScript::Length() const { return runs.empty() ? 0 : runs.back().end; }

void InputScript::Append(const std::vector<uint8_t>& keys, bool click, std::optional<JoyReading> stick) {
  if (!runs.empty() && !click && !runs.back().click && SameKeys(runs.back().keys, keys) && runs.back().stick == stick) {
    ++runs.back().count;
    ++runs.back().end;
    return;
  }
  runs.push_back(InputRun{1, keys, click, stick, Length() + 1});
}

std::string InputScript::Text() const {
  std::string text;
  for (const InputRun& run : runs) {
    text += std::to_string(run.count) + " " + KeyNames(run.keys, run.click);
    if (run.stick) text += " " + StickText(*run.stick);
    text += "\n";
  }
  return text;
}

std::string Replay::Text() const {
  std::string header = std::string(kReplayMagic) + " " + std::to_string(kReplayVersion) + " " +
                       (fullScreen ? "fullscreen" : "window") + " " + (keyboard ? "keyboard" : "joystick");
  if (!keyboard) {
    const std::optional<platform::JoyCaps>& caps = script.joystick;
    header += caps ? " " + std::to_string(caps->xMin) + " " + std::to_string(caps->xMax) + " " +
                         std::to_string(caps->yMin) + " " + std::to_string(caps->yMax)
                   : " none";
  }
  return header + "\n" + script.Text();
}

bool ParseInputScript(std::string_view text, const std::string& fileName, InputScript& out, std::string& error) {
  out.runs.clear();
  int64_t total = 0;
  for (int line = 1; !text.empty(); ++line) {
    const size_t end = text.find('\n');
    std::string_view raw = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (raw.empty() || raw.front() == '#') continue;
    InputRun run;
    const bool countOk = ParseCount(NextWord(raw), run.count);
    const bool keysOk = ParseKeys(NextWord(raw), run);
    const std::string_view stick = NextWord(raw);
    const bool stickOk = out.joystick ? ParseStick(stick, run) : stick.empty();
    if (!countOk || !keysOk || !stickOk || !Trim(raw).empty()) {
      error = LineError(fileName, line,
                        std::string("expected 'COUNT KEYS") + (out.joystick ? " STICK" : "") +
                            "' (KEYS: none, or left right up down space shift escape click joined by '+'" +
                            (out.joystick ? "; STICK: X,Y,BUTTONS or unplugged)" : ")"));
      return false;
    }
    total += run.count;
    if (total > INT64_MAX / 2) {
      error = LineError(fileName, line, "too many idle calls");
      return false;
    }
    run.end = total;
    out.runs.push_back(std::move(run));
  }
  return true;
}

bool ParseReplay(std::string_view text, const std::string& fileName, Replay& out, bool& isReplay, std::string& error) {
  out = Replay{};
  const size_t end = text.find('\n');
  std::string_view header = Trim(text.substr(0, end));
  isReplay = NextWord(header) == kReplayMagic;
  if (!isReplay) return ParseInputScript(text, fileName, out.script, error);

  const std::string_view version = NextWord(header), display = NextWord(header), input = NextWord(header);
  if (version != "1" && version != "2") {
    error = LineError(fileName, 1, "replay format version '" + std::string(version) + "' is not 1 or " +
                                       std::to_string(kReplayVersion));
    return false;
  }
  bool limitsOk = true;
  if (version == "2" && input == "joystick") {
    if (const std::string_view first = NextWord(header); first != "none") {
      uint32_t limits[4] = {};
      limitsOk = ParseNumber(first, limits[0]) && ParseNumber(NextWord(header), limits[1]) &&
                 ParseNumber(NextWord(header), limits[2]) && ParseNumber(NextWord(header), limits[3]);
      out.script.joystick = platform::JoyCaps{limits[0], limits[1], limits[2], limits[3]};
    }
  }
  if ((display != "window" && display != "fullscreen") || (input != "keyboard" && input != "joystick") ||
      !limitsOk || !Trim(header).empty()) {
    error = LineError(fileName, 1,
                      "expected 'kestrova-replay 2 window|fullscreen keyboard|joystick [XMIN XMAX YMIN YMAX|none]'");
    return false;
  }
  out.fullScreen = display == "fullscreen";
  out.keyboard = input == "keyboard";
  // The script's lines are counted from the file's second line.
  std::string script(1, '\n');
  script += text.substr(end == std::string_view::npos ? text.size() : end + 1);
  return ParseInputScript(script, fileName, out.script, error);
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
