#include "autopilot/tally.hpp"

#include <algorithm>

#include "data/table_walk.hpp"

namespace autopilot {

namespace {

bool IsEnemy(int16_t kind) { return kind == KIND_ENEMY || kind == KIND_GROUND_ENEMY; }

int64_t CountNew(const ObjectList& list, int16_t kind, int16_t GameObject::*tick, int16_t value) {
  int64_t n = 0;
  for (const GameObject* o = list.First(); o != nullptr; o = o->next) n += o->kind == kind && o->*tick == value;
  return n;
}

}  // namespace

Tally::Census Tally::Count(const PlayState& play) {
  Census census;
  for (const GameObject* o = play.mainList.First(); o != nullptr; o = o->next) {
    census.enemies += IsEnemy(o->kind);
    census.carriers += o->kind == KIND_CARRIER;
  }
  for (const GameObject* c = play.childList.First(); c != nullptr; c = c->next) census.parts += c->kind != KIND_NONE;
  return census;
}

// The spawner's own walk of the tables, so a frame's newcomers are known
// before they can die or leave in it.
Tally::Census Tally::Released(const PlayState& play) const {
  Census released;
  if (play.g_nStageWait > 0) return released;
  const StageTable& stage = m_data.stageTable;
  const DataTable& data = m_data.dataTable;
  const std::string& key = stage.Text(StageColumn::KEY, TakeScriptStep(stage, play.g_nStageRow).row);
  if (key.empty()) return released;
  const int32_t typeRow = data.FindRow(key);
  if (!data.Is(DataColumn::COMMAND, typeRow, KEYWORD_INIT)) return released;
  const int16_t kind = m_data.charTable.I16(CharColumn::KIND, m_data.charTable.FindRow(data.Text(DataColumn::CHAR, typeRow)));
  released.enemies = IsEnemy(kind);
  released.carriers = kind == KIND_CARRIER;
  const TypeRows rows = ReadTypeRows(data, typeRow);
  if (rows.hasParts) released.parts = rows.partsEnd - rows.partsBegin;
  return released;
}

void Tally::Before(const PlayState& play) {
  const Census now = Count(play), released = Released(play);
  m_before = {now.enemies + released.enemies, now.parts + released.parts, now.carriers + released.carriers};
  m_carriersComing += released.carriers;
  m_energyBefore = play.g_player.energy;
  m_downBefore = play.run.downTimer;
}

void Tally::After(const PlayState& play) {
  const size_t window = static_cast<size_t>(m_frame++ / (kWindowSeconds * kFramesPerSecond));
  if (m_windows.size() <= window) m_windows.resize(window + 1);
  Window& w = m_windows[window];
  const Census after = Count(play);
  // A kill leaves a score popup, updated once in its own frame; a bomb and a
  // dying carrier start counting in the frame after theirs.
  const int64_t killed = CountNew(play.mainList, KIND_POPUP, &GameObject::animTick, 1);
  const int64_t downed = CountNew(play.mainList, KIND_CARRIER_DEATH, &GameObject::animFrame, 0);
  const int64_t gone = m_before.carriers - after.carriers - downed;
  w.destroyed += killed;
  w.escaped += m_before.enemies - killed - after.enemies;
  // A carrier flying off takes its parts along.
  (gone > 0 ? w.escaped : w.destroyed) += m_before.parts - after.parts;
  for (int64_t i = 0; i < downed; ++i) m_carriersDown.push_back(m_frame);
  for (int64_t i = 0; i < gone; ++i) m_carriersGone.push_back(m_frame);
  w.bombsUsed += CountNew(play.mainList, KIND_BOMB, &GameObject::animFrame, 0);
  w.energyLost += std::max(0, m_energyBefore - play.g_player.energy);
  w.livesLost += m_downBefore == 0 && play.run.downTimer > 0;
  m_lowestEnergy = std::min<int32_t>(m_lowestEnergy, play.g_player.energy);
}

Window Tally::Total() const {
  Window total;
  for (const Window& w : m_windows) {
    total.energyLost += w.energyLost;
    total.bombsUsed += w.bombsUsed;
    total.destroyed += w.destroyed;
    total.escaped += w.escaped;
    total.livesLost += w.livesLost;
  }
  return total;
}

}  // namespace autopilot
