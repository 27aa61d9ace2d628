// The stage script's step and the spawners it drives.
#include "data/table_walk.hpp"
#include "game/play.hpp"

void Play::StepStageScript() {
  const StageTable& stage = m_data.stageTable;
  const ScriptStep step = TakeScriptStep(stage, m_play.g_nStageRow);
  m_play.g_nStageWait = stage.Int(StageColumn::WAIT, step.row);
  const std::string& key = stage.Text(StageColumn::KEY, step.row);
  if (!key.empty()) SpawnEnemy(m_data.dataTable.FindRow(key), step.row);

  GameState& state = m_play.m_state;
  m_play.g_nStageRow = step.next;
  if (step.speedRow >= 0) {
    state.m_nScrollSpeed = static_cast<uint8_t>(stage.Int(StageColumn::WAIT, step.speedRow) & 0xFF);
  }
  // A script that never says "EOF" ends where the table does.
  if (step.ends) {
    m_play.g_nStageRow = 0;
    state.SetStageClear(1);
  }
}

void Play::SetCharacter(GameObject& o, int32_t charRow) const {
  const CharTable& chars = m_data.charTable;
  o.hitPoints = Toughness(chars.I16(CharColumn::HIT_POINTS, charRow));
  o.srcLeft = chars.I16(CharColumn::LEFT, charRow);
  o.srcTop = chars.I16(CharColumn::TOP, charRow);
  o.width = chars.I16(CharColumn::WIDTH, charRow);
  o.height = chars.I16(CharColumn::HEIGHT, charRow);
  o.scoreValue = chars.I16(CharColumn::SCORE, charRow);
  o.charRow = static_cast<int16_t>(charRow);
}

// A program's first step, taken by enemies and children alike.
void Play::SetFirstStep(GameObject& o, int32_t stepRow) const {
  const DataTable& data = m_data.dataTable;
  o.angleX = data.I16(DataColumn::ANGLE_X, stepRow);
  o.angleY = data.I16(DataColumn::ANGLE_Y, stepRow);
  o.stepTimer = data.I16(DataColumn::TIMER, stepRow);
  o.speed = data.I16(DataColumn::SPEED, stepRow);
}

void Play::SpawnEnemy(int32_t typeRow, int32_t scriptRow) {
  const DataTable& data = m_data.dataTable;
  const CharTable& chars = m_data.charTable;
  // Anything but a type header would leave the steps below acting on whatever
  // record happens to be current (start-up's check rules it out).
  if (!data.Is(DataColumn::COMMAND, typeRow, KEYWORD_INIT)) return;
  const int32_t charRow = chars.FindRow(data.Text(DataColumn::CHAR, typeRow));
  GameObject* enemy = AllocObject();
  m_play.mainList.Append(enemy);
  m_play.mainList.current = enemy;
  enemy->kind = chars.I16(CharColumn::KIND, charRow);
  enemy->shotType = chars.I16(CharColumn::SHOT_TYPE, charRow);
  SetCharacter(*enemy, charRow);

  const TypeRows rows = ReadTypeRows(data, typeRow);
  SetFirstStep(*enemy, rows.firstStep);
  enemy->fireChance = data.I16(DataColumn::FIRE_CHANCE, rows.firstStep);
  const StageTable& stage = m_data.stageTable;
  enemy->x = static_cast<float>(stage.Int(StageColumn::X, scriptRow));
  enemy->y = static_cast<float>(stage.Int(StageColumn::Y, scriptRow));

  // A block without "END" ends where the table does.
  for (int32_t row = rows.partsBegin; rows.hasParts && row < rows.partsEnd; ++row) SpawnChild(row);
  enemy->programRow = static_cast<int16_t>(rows.programRow);
}

void Play::SpawnChild(int32_t row) {
  const DataTable& data = m_data.dataTable;
  ObjectList& children = m_play.childList;
  GameObject* child = AllocObject();
  children.Append(child);
  children.current = child;
  child->kind = data.I16(DataColumn::PART_KIND, row);

  const GameObject& parent = *m_play.mainList.current;
  child->x = static_cast<float>(static_cast<double>(data.Int(DataColumn::PART_X, row)) + parent.x);
  child->y = static_cast<float>(static_cast<double>(data.Int(DataColumn::PART_Y, row)) + parent.y);

  const int32_t typeRow = data.FindRow(data.Text(DataColumn::CHAR, row));
  SetCharacter(*child, m_data.charTable.FindRow(data.Text(DataColumn::CHAR, typeRow)));
  const int32_t firstStep = FirstStepRow(typeRow);
  SetFirstStep(*child, firstStep);
  child->programRow = static_cast<int16_t>(firstStep);
}
