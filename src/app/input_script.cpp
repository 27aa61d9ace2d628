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

bool ParseKeys(std::string_view text, std::vector<uint8_t>& keys) {
  keys.clear();
  if (text == "none") return true;
  while (true) {
    const size_t plus = text.find('+');
    const std::string_view name = text.substr(0, plus);
    bool found = false;
    for (const KeyName& k : kKeyNames) {
      if (name == k.name) {
        keys.push_back(k.vk);
        found = true;
      }
    }
    if (!found) return false;
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

std::string_view Trim(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

const std::vector<uint8_t>& InputScript::KeysAt(int64_t call) const {
  static const std::vector<uint8_t> kNone;
  const auto run = std::upper_bound(runs.begin(), runs.end(), call - 1,
                                    [](int64_t before, const InputRun& r) { return before < r.end; });
  return run == runs.end() ? kNone : run->keys;
}

int64_t InputScript::Length() const { return runs.empty() ? 0 : runs.back().end; }

bool ParseInputScript(std::string_view text, const std::string& fileName, InputScript& out, std::string& error) {
  out.runs.clear();
  int64_t total = 0;
  for (int line = 1; !text.empty(); ++line) {
    const size_t end = text.find('\n');
    const std::string_view raw = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (raw.empty() || raw.front() == '#') continue;
    const size_t gap = raw.find_first_of(" \t");
    InputRun run;
    const bool countOk = ParseCount(raw.substr(0, gap), run.count);
    const std::string_view keys = gap == std::string_view::npos ? std::string_view{} : Trim(raw.substr(gap));
    if (!countOk || !ParseKeys(keys, run.keys)) {
      error = fileName + ":" + std::to_string(line) + ": expected 'COUNT KEYS' (KEYS: none, or " +
              "left right up down space shift escape joined by '+')";
      return false;
    }
    total += run.count;
    if (total > INT64_MAX / 2) {
      error = fileName + ":" + std::to_string(line) + ": too many idle calls";
      return false;
    }
    run.end = total;
    out.runs.push_back(std::move(run));
  }
  return true;
}

std::string KeyNames(const std::vector<uint8_t>& keys) {
  std::string names;
  for (const KeyName& k : kKeyNames) {
    for (uint8_t vk : keys) {
      if (vk == k.vk) {
        if (!names.empty()) names += '+';
        names += k.name;
        break;
      }
    }
  }
  return names.empty() ? "none" : names;
}
