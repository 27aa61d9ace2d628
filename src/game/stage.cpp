#include "game/stage.hpp"

#include <cstdio>

#include "app/game_app.hpp"
#include "data/numbers.hpp"
#include "data/tables.hpp"
#include "game/object.hpp"

int32_t g_nStageWait = 0;
int32_t g_nStageRow = 0;

namespace {

int16_t DataI16(int32_t column, int32_t row) { return CellToI16(dataTable.GetCell(column, row)); }
int16_t CharI16(int32_t column, int32_t row) { return CellToI16(charTable.GetCell(column, row)); }

// Image, size, toughness and worth of a character row.
void SetCharacter(GameObject& o, int32_t charRow) {
  o.hitPoints = CharI16(2, charRow);
  o.srcLeft = CharI16(3, charRow);
  o.srcTop = CharI16(4, charRow);
  o.width = CharI16(5, charRow);
  o.height = CharI16(6, charRow);
  o.scoreValue = CharI16(9, charRow);
  o.charRow = static_cast<int16_t>(charRow);
}

// A program's first step, taken by enemies and children alike.
void SetFirstStep(GameObject& o, int32_t stepRow) {
  o.angleX = DataI16(1, stepRow);
  o.angleY = DataI16(2, stepRow);
  o.stepTimer = DataI16(3, stepRow);
  o.speed = DataI16(7, stepRow);
}

}  // namespace

void CGameApp::StepStageScript() {
  g_nStageWait = CellToInt(stageTable.GetCell(3, g_nStageRow));
  const std::string& key = stageTable.GetCell(0, g_nStageRow);
  if (!key.empty()) SpawnEnemy(dataTable.FindRow(key), g_nStageRow);
  ++g_nStageRow;

  GameState& state = m_pFrame->m_state;
  if (stageTable.GetCell(0, g_nStageRow) == "DOT") {
    state.m_nScrollSpeed = static_cast<uint8_t>(CellToInt(stageTable.GetCell(3, g_nStageRow)) & 0xFF);
    ++g_nStageRow;
  }
  // A script that never says "EOF" ends where the table does.
  if (stageTable.GetCell(0, g_nStageRow) == "EOF" || g_nStageRow >= stageTable.Capacity()) {
    g_nStageRow = 0;
    state.SetStageClear(1);
  }
}

void CGameApp::SpawnEnemy(int32_t typeRow, int32_t scriptRow) {
  // Anything but a type header would leave the steps below acting on
  // whatever record happens to be current: release nothing at all.
  if (dataTable.GetCell(5, typeRow) != "INIT") {
    if (m_reportedTypeRows.insert(typeRow).second) {
      std::fprintf(stderr, "kestrova: %s:%d: \"%s\" is not an \"INIT\" row of %s; nothing released\n",
                   stageTable.FileName().c_str(), stageTable.LineOfRow(scriptRow),
                   stageTable.GetCell(0, scriptRow).c_str(), dataTable.FileName().c_str());
    }
    return;
  }
  const int32_t charRow = charTable.FindRow(dataTable.GetCell(8, typeRow));
  GameObject* enemy = AllocObject();
  mainList.Append(enemy);
  mainList.current = enemy;
  enemy->kind = CharI16(8, charRow);
  enemy->shotType = CharI16(1, charRow);
  SetCharacter(*enemy, charRow);

  SetFirstStep(*enemy, typeRow + 1);
  enemy->fireChance = DataI16(4, typeRow + 1);
  enemy->x = static_cast<float>(CellToInt(stageTable.GetCell(1, scriptRow)));
  enemy->y = static_cast<float>(CellToInt(stageTable.GetCell(2, scriptRow)));

  if (dataTable.GetCell(5, typeRow + 2) == "START") {
    enemy->programRow = static_cast<int16_t>(SpawnChildren(typeRow + 2));
  } else {
    enemy->programRow = static_cast<int16_t>(typeRow + 1);
  }
}

int32_t CGameApp::SpawnChildren(int32_t startRow) {
  // A block without "END" ends where the table does.
  int32_t row = startRow + 1;
  while (row < dataTable.Capacity() && dataTable.GetCell(5, row) != "END") {
    SpawnChild(row);
    ++row;
  }
  return row + 1;
}

void CGameApp::SpawnChild(int32_t row) {
  GameObject* child = AllocObject();
  childList.Append(child);
  childList.current = child;
  child->kind = DataI16(4, row);

  const GameObject& parent = *mainList.current;
  child->x = static_cast<float>(static_cast<double>(CellToInt(dataTable.GetCell(1, row))) + parent.x);
  child->y = static_cast<float>(static_cast<double>(CellToInt(dataTable.GetCell(2, row))) + parent.y);

  const int32_t typeRow = dataTable.FindRow(dataTable.GetCell(8, row));
  SetCharacter(*child, charTable.FindRow(dataTable.GetCell(8, typeRow)));
  SetFirstStep(*child, typeRow + 1);
  child->programRow = static_cast<int16_t>(typeRow + 1);
}
