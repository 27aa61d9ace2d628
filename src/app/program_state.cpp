#include "app/program_state.hpp"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "app/fnv1a.hpp"
#include "app/game_app.hpp"
#include "data/tables.hpp"
#include "game/background.hpp"
#include "game/object.hpp"
#include "game/player.hpp"
#include "game/random.hpp"
#include "game/stage.hpp"
#include "input/joystick.hpp"
#include "ui/screens.hpp"

namespace {

void VisitObject(StateVisitor& v, const GameObject& o) {
  v.BeginGroup(nullptr);
  v.Int("kind", o.kind);
  v.Float("x", o.x);
  v.Float("y", o.y);
  v.Int("angle_x", o.angleX);
  v.Int("angle_y", o.angleY);
  v.Int("speed", o.speed);
  v.Int("hp", o.hitPoints);
  v.Int("program_row", o.programRow);
  v.Int("step_timer", o.stepTimer);
  v.Int("anim_tick", o.animTick);
  v.Int("anim_frame", o.animFrame);
  v.Int("src_left", o.srcLeft);
  v.Int("src_top", o.srcTop);
  v.Int("width", o.width);
  v.Int("height", o.height);
  v.Int("shot_type", o.shotType);
  v.Int("fire_chance", o.fireChance);
  v.Int("char_row", o.charRow);
  v.Int("score_value", o.scoreValue);
  v.Int("child_count", o.childCount);
  v.EndGroup();
}

void VisitList(StateVisitor& v, const char* name, const ObjectList& list) {
  v.BeginList(name);
  for (const GameObject* o = list.First(); o != nullptr; o = o->next) VisitObject(v, *o);
  v.EndList();
}

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

const char* ScreenName(const GameState& s) {
  if (s.m_bPlaying) return "play";
  if (s.m_bTitle) return "title";
  if (s.m_bStageClear) return "clear";
  if (s.m_bExitQuery) return "exit";
  return "play";
}

void VisitProgramState(StateVisitor& v, const GameState& state) {
  v.BeginGroup(nullptr);
  v.Int("stage_row", g_nStageRow);
  v.Int("stage_wait", g_nStageWait);
  v.Int("scroll_speed", state.m_nScrollSpeed);
  v.Int("scroll_line", g_nScrollLine);
  v.Int("tile_line", g_nTileLine);
  v.Int("map_row", g_nMapRow);
  v.BeginGroup("player");
  v.Float("x", g_player.x);
  v.Float("y", g_player.y);
  v.Int("score", g_player.score);
  v.Int("energy", g_player.energy);
  v.Int("bombs", g_player.bombs);
  v.Int("level", g_player.level);
  v.Int("hit_flag", g_player.hitFlag);
  v.Int("hit_timer", g_player.hitTimer);
  v.Int("bomb_active", g_player.bombActive);
  v.EndGroup();
  v.Int("fire_timer", g_nFireTimer);
  v.Int("title", state.m_bTitle);
  v.Int("playing", state.m_bPlaying);
  v.Int("stage_clear", state.m_bStageClear);
  v.Int("exit_query", state.m_bExitQuery);
  v.Int("exit_cursor_x", g_nExitCursorX);
  v.Int("rand_state", g_random.seed);
  v.Int("joystick_available", g_joystick.m_bAvailable);
  VisitList(v, "objects", mainList);
  VisitList(v, "children", childList);
  v.EndGroup();
}

uint64_t HashProgramState(const GameState& state) {
  HashVisitor v;
  VisitProgramState(v, state);
  return v.hash;
}

std::string FrameLine(int64_t call, const char* screen, std::span<const uint8_t> page, const GameState& state) {
  char line[80];
  std::snprintf(line, sizeof line, "%" PRId64 " %s %016" PRIx64 " %016" PRIx64 "\n", call, screen, Fnv1a(page),
                HashProgramState(state));
  return line;
}

std::string TraceProgramState(const GameState& state) {
  JsonVisitor v;
  VisitProgramState(v, state);
  return v.text;
}

void ResetProgramState() {
  g_player = Player{};
  g_nFireTimer = 0;
  g_nStageWait = 0;
  g_nStageRow = 0;
  g_nScrollLine = 0;
  g_nTileLine = 0;
  g_nMapRow = 0;
  g_nExitCursorX = EXIT_CURSOR_NO;
  g_random = RandomState{};
  g_joystick = CJoystick{};
  mainList.Clear();
  childList.Clear();
  dataTable = CsvTable(dataTable.ColumnCount());
  stageTable = CsvTable(stageTable.ColumnCount());
  charTable = CsvTable(charTable.ColumnCount());
  cosTable.fill(0);
  sinTable.fill(0);
  for (auto& row : g_rcMap) {
    for (RECT& r : row) r = RECT{};
  }
}
