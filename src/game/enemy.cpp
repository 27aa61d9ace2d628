// Scripted movers: flying and ground enemies, items, and the carrier with its
// children, each following its movement program in dataTable.
#include "app/game_app.hpp"
#include "data/numbers.hpp"
#include "data/tables.hpp"
#include "game/motion.hpp"
#include "game/object.hpp"
#include "game/player.hpp"
#include "data/sheet_geometry.hpp"

namespace {

struct MoverTraits {
  int16_t kind;
  bool scrolls;  // carried down with the background
  bool fires;
  bool touches;  // contact with the ship
  int32_t (Player::*pickUp)();  // items: what a touch gives; null for enemies
};

constexpr MoverTraits kMovers[] = {
    {KIND_ENEMY, false, true, true, nullptr},
    {KIND_GROUND_ENEMY, true, true, false, nullptr},
    {KIND_LEVEL_ITEM, false, false, true, &Player::RaiseLevel},
    {KIND_BOMB_ITEM, false, false, true, &Player::AddBomb},
    {KIND_ENERGY_ITEM, false, false, true, &Player::AddEnergy},
};

const MoverTraits& TraitsOf(int32_t kind) {
  for (const MoverTraits& traits : kMovers) {
    if (traits.kind == kind) return traits;
  }
  return kMovers[0];
}

int16_t DataI16(int32_t column, int32_t row) { return CellToI16(dataTable.GetCell(column, row)); }

// Loads the step at programRow, passing over one "BITMAP" row (new image)
// and then one jump.
void LoadStep(GameObject& o, bool withFireChance) {
  if (dataTable.GetCell(5, o.programRow) == "BITMAP") {
    const int32_t c = charTable.FindRow(dataTable.GetCell(8, o.programRow));
    o.srcLeft = CellToI16(charTable.GetCell(3, c));
    o.srcTop = CellToI16(charTable.GetCell(4, c));
    o.width = CellToI16(charTable.GetCell(5, c));
    o.height = CellToI16(charTable.GetCell(6, c));
    o.programRow = NextProgramRow(o.programRow);
  }
  const std::string& jump = dataTable.GetCell(6, o.programRow);
  if (!jump.empty()) o.programRow = static_cast<int16_t>(dataTable.FindRow(jump));
  o.angleX = DataI16(1, o.programRow);
  o.angleY = DataI16(2, o.programRow);
  o.stepTimer = DataI16(3, o.programRow);
  o.speed = DataI16(7, o.programRow);
  if (withFireChance) o.fireChance = DataI16(4, o.programRow);
}

void LoadNextStep(GameObject& o) { LoadStep(o, true); }
void LoadNextChildStep(GameObject& o) { LoadStep(o, false); }

// Counts the step down; when it has run out, the next one takes over.
void RunProgram(GameObject& o) {
  --o.stepTimer;
  if (o.stepTimer <= 0) {
    o.programRow = NextProgramRow(o.programRow);
    LoadNextStep(o);
  }
}

bool IsPastEdge(const GameObject& o) {
  return IsOutside(Trunc(o.x), Trunc(o.y), PLAYFIELD_LEFT - o.width, -o.height, PLAYFIELD_RIGHT + o.width,
                   platform::kPageHeight + o.height) != 0;
}

RECT ImageOf(const GameObject& o) { return {o.srcLeft, o.srcTop, o.srcLeft + o.width, o.srcTop + o.height}; }

bool TouchesShip(const GameObject& box) {
  const int32_t left = Trunc(box.x), top = Trunc(box.y);
  return g_player.TouchPlayer(left, top, left + box.width, top + box.height) != 0;
}

}  // namespace

int32_t CGameApp::UpdateMover(int32_t kind) {
  const MoverTraits& traits = TraitsOf(kind);
  GameObject& o = *mainList.current;
  DrawSprite(ImageOf(o), Trunc(o.x), Trunc(o.y), Trunc(o.x + o.width), Trunc(o.y + o.height));

  if (traits.scrolls) {
    // Same step, plus the background's own motion.
    o.x = Advance(o.x, o.speed, cosTable[AngleIndex(o.angleX)]);
    o.y = static_cast<float>(static_cast<double>(o.y) +
                             static_cast<double>(o.speed) * static_cast<double>(sinTable[AngleIndex(o.angleY)]) +
                             static_cast<double>(m_pFrame->m_state.m_nScrollSpeed));
  } else {
    MoveBy(o, o.speed, o.angleX, o.angleY);
  }

  RunProgram(o);

  if (traits.fires && RandomRange(0, o.fireChance) == 1) {
    if (o.shotType == KIND_SPREAD_BULLET) {
      AddAimedBullet(g_player.x, g_player.y, KIND_SPREAD_BULLET);
      AddAimedBulletOffset(g_player.x, g_player.y, KIND_SPREAD_BULLET, 8);
      AddAimedBulletOffset(g_player.x, g_player.y, KIND_SPREAD_BULLET, -8);
    } else {
      AddAimedBullet(g_player.x, g_player.y, KIND_BULLET);
    }
  }

  int32_t result = 0;
  if (traits.touches && g_player.hitFlag == 0 && TouchesShip(o)) {
    if (traits.pickUp == nullptr) {
      g_player.LoseEnergy();
    } else {
      (g_player.*traits.pickUp)();
      result = 1;
    }
  }

  if (IsPastEdge(o)) {
    o.kind = KIND_NONE;
    return 1;
  }
  return result;
}

int32_t CGameApp::UpdateCarrier() {
  GameObject& carrier = *mainList.current;
  DrawSprite(ImageOf(carrier), Trunc(carrier.x), Trunc(carrier.y), Trunc(carrier.x) + carrier.width,
             Trunc(carrier.y) + carrier.height);
  MoveBy(carrier, carrier.speed, carrier.angleX, carrier.angleY);
  RunProgram(carrier);

  int32_t result = 0;
  if (IsPastEdge(carrier)) {
    result = 1;
    carrier.kind = KIND_NONE;
    childList.Clear();
  }

  carrier.childCount = 0;
  GameObject* child = childList.First();
  while (child != nullptr) {
    GameObject& c = *child;
    if (c.kind == KIND_NONE) {
      // Destroyed parts go now, or replaying a stage would grow the list for ever.
      if (childList.current == child) childList.current = childList.head;
      child = childList.Remove(child);
      continue;
    }
    ++carrier.childCount;
    DrawSprite(ImageOf(c), Trunc(c.x), Trunc(c.y), Trunc(c.x) + c.width, Trunc(c.y) + c.height);
    MoveBy(c, carrier.speed, carrier.angleX, carrier.angleY);
    MoveBy(c, c.speed, c.angleX, c.angleY);
    // Contact is with the carrier's own box, tested once per live part.
    --c.stepTimer;
    if (g_player.hitFlag == 0 && TouchesShip(carrier)) g_player.LoseEnergy();
    if (c.stepTimer <= 0) {
      c.programRow = NextProgramRow(c.programRow);
      LoadNextChildStep(c);
    }
    child = c.next;
  }

  if (carrier.childCount == 0) {
    carrier.kind = KIND_CARRIER_DEATH;
    carrier.animTick = 0;
    carrier.animFrame = 0;
    g_player.AddScore(carrier.scoreValue);
  }
  return result;
}
