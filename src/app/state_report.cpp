#include "app/state_report.hpp"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/fnv1a.hpp"

namespace {

class HashVisitor final : public StateVisitor {
 public:
  void Int(const char*, int64_t value) override { Mix(&value, sizeof value); }
  void Float(const char*, float value) override {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Mix(&bits, sizeof bits);
  }
  void BeginGroup(const char*) override { Mix("{", 1); }
  void EndGroup() override { Mix("}", 1); }
  void BeginList(const char*) override { Mix("[", 1); }
  void EndList() override { Mix("]", 1); }
  // The page has a hash of its own beside the state's; the ring shows through it.
  void Page(const char*, const Surface&) override {}
  void Text(const char*, const char* value) override { Mix(value, std::strlen(value) + 1); }
  uint64_t hash = kFnv1aStart;

 private:
  void Mix(const void* data, size_t size) { hash = Fnv1a({static_cast<const uint8_t*>(data), size}, hash); }
};

class JsonVisitor final : public StateVisitor {
 public:
  void Int(const char* name, int64_t value) override {
    Key(name);
    Append("%" PRId64, value);
  }
  void Float(const char* name, float value) override {
    Key(name);
    Append("%.9g", static_cast<double>(value));
  }
  void BeginGroup(const char* name) override { Open(name, '{'); }
  void EndGroup() override { Close('}'); }
  void BeginList(const char* name) override { Open(name, '['); }
  void EndList() override { Close(']'); }
  void Page(const char*, const Surface&) override {}  // pictures, not numbers: kestrova-sim --png shows them
  void Text(const char* name, const char* value) override {
    Key(name);
    text.append("\"").append(value).append("\"");
  }
  std::string text;

 private:
  void Key(const char* name) {
    if (!first) text += ',';
    first = false;
    if (name != nullptr) {
      text += '"';
      text += name;
      text += "\":";
    }
  }
  void Open(const char* name, char bracket) {
    Key(name);
    text += bracket;
    first = true;
  }
  void Close(char bracket) {
    text += bracket;
    first = false;
  }
  template <typename T>
  void Append(const char* format, T value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    text += buffer;
  }
  bool first = true;
};

}  // namespace

uint64_t HashPlayState(const PlayState& state) {
  HashVisitor v;
  VisitPlayState(v, state);
  return v.hash;
}

std::string FrameLine(int64_t call, const char* screen, std::span<const uint8_t> page, const PlayState& state) {
  char line[80];
  std::snprintf(line, sizeof line, "%" PRId64 " %s %016" PRIx64 " %016" PRIx64 "\n", call, screen, Fnv1a(page),
                HashPlayState(state));
  return line;
}

std::string TracePlayState(const PlayState& state, const FrameSounds& sounds) {
  JsonVisitor v;
  VisitPlayState(v, state);
  std::string text = std::move(v.text);
  text.pop_back();  // the closing brace: the sounds go inside, last
  text += ",\"sounds\":[";
  const char* comma = "";
  for (size_t i = 0; i < kEffectCount; ++i) {
    if (!sounds.Started(static_cast<Effect>(i))) continue;
    text.append(comma).append("\"").append(kEffectNames[i]).append("\"");
    comma = ",";
  }
  return text + "]}";
}
