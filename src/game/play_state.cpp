#include "game/play_state.hpp"

#include <cstddef>
#include <utility>

namespace {

// The number of fields of an aggregate: how many initializers it takes.
struct AnyField {
  template <typename T>
  operator T() const;  // NOLINT: only ever named in unevaluated operands
};
template <typename T, typename... Fields>
constexpr size_t FieldCount() {
  if constexpr (requires { T{std::declval<Fields>()..., AnyField{}}; }) {
    return FieldCount<T, Fields..., AnyField>();
  } else {
    return sizeof...(Fields);
  }
}

// A new field fails here until the visit below lists it (or says why not).
static_assert(FieldCount<GameObject>() == 22, "VisitObject lists every field but the links");
static_assert(FieldCount<Player>() == 9, "VisitPlayState lists every field of the player");
static_assert(FieldCount<GameState>() == 5, "VisitPlayState lists every screen flag");
static_assert(FieldCount<CJoystick>() == 6, "VisitPlayState lists the joystick's availability");
static_assert(FieldCount<PlayState>() == 16, "VisitPlayState lists every part of the play state");
static_assert(FieldCount<RunState>() == 16, "VisitRun lists every value of a run with stakes");
static_assert(FieldCount<GameRules>() == 6, "VisitRun lists every rule");

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

// The lists' `current` is set afresh before every use within a frame.
void VisitList(StateVisitor& v, const char* name, const ObjectList& list) {
  v.BeginList(name);
  for (const GameObject* o = list.First(); o != nullptr; o = o->next) VisitObject(v, *o);
  v.EndList();
}

void VisitEntry(StateVisitor& v, const ArcadeEntry& e) {
  v.BeginGroup(nullptr);
  v.Int("score", e.score);
  const char initials[] = {e.initials[0], e.initials[1], e.initials[2], '\0'};
  v.Text("initials", initials);
  v.EndGroup();
}

void VisitRun(StateVisitor& v, const RunState& r) {
  v.BeginGroup("run");
  v.Text("rules", RulesName(r.rules.kind));
  v.Text("difficulty", DifficultyName(r.rules.difficulty));
  v.Int("practice_stage", r.rules.stage);
  v.Int("practice_from", r.rules.fromSeconds);
  v.Int("practice_lives", r.rules.lives);
  v.Int("invulnerable", r.rules.invulnerable);
  v.Int("stage", r.stage);
  v.Int("lives", r.lives);
  v.Int("loop", r.loop);
  v.Int("score", r.score);
  v.Int("next_extra_life", r.nextExtraLife);
  v.Int("down_timer", r.downTimer);
  v.Int("hits", r.hits);
  v.Int("game_over", r.gameOver);
  v.Int("over_timer", r.overTimer);
  v.Int("entry_place", r.entryPlace);
  v.Int("entry_letter", r.entryLetter);
  v.Int("entry_hold", r.entryHold);
  v.Int("keys_before", r.keysBefore);
  v.BeginList("entry");
  VisitEntry(v, r.entry);
  v.EndList();
  v.BeginList("best");
  for (const ArcadeEntry& e : r.best.entries) VisitEntry(v, e);
  v.EndList();
  v.EndGroup();
}

}  // namespace

void VisitPlayState(StateVisitor& v, const PlayState& s) {
  v.BeginGroup(nullptr);
  v.Int("stage_row", s.g_nStageRow);
  v.Int("stage_wait", s.g_nStageWait);
  v.Int("scroll_speed", s.m_state.m_nScrollSpeed);
  v.Int("scroll_line", s.g_nScrollLine);
  v.Int("tile_line", s.g_nTileLine);
  v.Int("map_row", s.g_nMapRow);
  const Player& p = s.g_player;
  v.BeginGroup("player");
  v.Float("x", p.x);
  v.Float("y", p.y);
  v.Int("score", p.score);
  v.Int("energy", p.energy);
  v.Int("bombs", p.bombs);
  v.Int("level", p.level);
  v.Int("hit_flag", p.hitFlag);
  v.Int("hit_timer", p.hitTimer);
  v.Int("bomb_active", p.bombActive);
  v.EndGroup();
  v.Int("fire_timer", s.g_nFireTimer);
  v.Int("title", s.m_state.m_bTitle);
  v.Int("playing", s.m_state.m_bPlaying);
  v.Int("stage_clear", s.m_state.m_bStageClear);
  v.Int("exit_query", s.m_state.m_bExitQuery);
  v.Int("exit_cursor_x", s.g_nExitCursorX);
  v.Int("rand_state", s.g_random.seed);
  // The stick and buttons are polled afresh before every use: only
  // availability carries from one frame to the next.
  v.Int("joystick_available", s.g_joystick.m_bAvailable);
  VisitList(v, "objects", s.mainList);
  VisitList(v, "children", s.childList);
  v.Page("back", s.back);
  v.Page("scroll", s.scroll);
  if (HasStakes(s.run)) VisitRun(v, s.run);
  v.EndGroup();
}

Screen CurrentScreen(const PlayState& play) {
  if (play.run.gameOver != 0) return Screen::GameOver;
  const GameState& s = play.m_state;
  if (s.m_bPlaying) return Screen::Play;
  if (s.m_bTitle) return Screen::Title;
  if (s.m_bStageClear) return Screen::Clear;
  if (s.m_bExitQuery) return Screen::Exit;
  return Screen::Play;
}

const char* ScreenName(const PlayState& s) {
  return kScreenNames[static_cast<size_t>(CurrentScreen(s))];
}
