// Scripted movers: flying and ground enemies, items, and the carrier with its
// children, each following its movement program in dataTable.
#include "data/table_walk.hpp"
#include "game/motion.hpp"
#include "game/play.hpp"

namespace {

struct MoverTraits {
  int16_t kind;
  bool scrolls;  // carried down with the background
  bool fires;
  bool touches;  // contact with the ship
  int32_t (Player::*pickUp)();  // items: what a touch gives; null for enemies
  Effect pickUpSound;
};

constexpr MoverTraits kMovers[] = {
    {KIND_ENEMY, false, true, true, nullptr, Effect::Count},
    {KIND_GROUND_ENEMY, true, true, false, nullptr, Effect::Count},
    {KIND_LEVEL_ITEM, false, false, true, &Player::RaiseLevel, Effect::LevelItem},
    {KIND_BOMB_ITEM, false, false, true, &Player::AddBomb, Effect::BombItem},
    {KIND_ENERGY_ITEM, false, false, true, &Player::AddEnergy, Effect::EnergyItem},
};

const MoverTraits& TraitsOf(int32_t kind) {
  for (const MoverTraits& traits : kMovers) {
    if (traits.kind == kind) return traits;
  }
  return kMovers[0];
}

bool IsPastEdge(const GameObject& o) {
  return IsOutside(Trunc(o.x), Trunc(o.y), PLAYFIELD_LEFT - o.width, -o.height, PLAYFIELD_RIGHT + o.width,
                   PAGE_HEIGHT + o.height) != 0;
}

RECT ImageOf(const GameObject& o) { return {o.srcLeft, o.srcTop, o.srcLeft + o.width, o.srcTop + o.height}; }

}  // namespace

// Loads the step at programRow, passing over one "BITMAP" row (new image),
// one "PHASE" row that `liveParts` does not take, and then one jump.
void Play::LoadStep(GameObject& o, bool withFireChance, int32_t liveParts) const {
  const DataTable& data = m_data.dataTable;
  const StepRows step = ResolveStep(data, o.programRow, liveParts);
  if (step.imageRow >= 0) {
    const CharTable& chars = m_data.charTable;
    const int32_t c = chars.FindRow(data.Text(DataColumn::CHAR, step.imageRow));
    o.srcLeft = chars.I16(CharColumn::LEFT, c);
    o.srcTop = chars.I16(CharColumn::TOP, c);
    o.width = chars.I16(CharColumn::WIDTH, c);
    o.height = chars.I16(CharColumn::HEIGHT, c);
  }
  o.programRow = static_cast<int16_t>(step.row);
  o.angleX = data.I16(DataColumn::ANGLE_X, o.programRow);
  o.angleY = data.I16(DataColumn::ANGLE_Y, o.programRow);
  o.stepTimer = data.I16(DataColumn::TIMER, o.programRow);
  o.speed = data.I16(DataColumn::SPEED, o.programRow);
  if (withFireChance) o.fireChance = data.I16(DataColumn::FIRE_CHANCE, o.programRow);
}

// Counts the step down; when it has run out, the next one takes over.
void Play::RunProgram(GameObject& o, int32_t liveParts) const {
  --o.stepTimer;
  if (o.stepTimer <= 0) {
    o.programRow = static_cast<int16_t>(NextProgramRow(m_data.dataTable, o.programRow));
    LoadStep(o, true, liveParts);
  }
}

int32_t Play::LiveParts() const {
  int32_t live = 0;
  for (const GameObject* c = m_play.childList.First(); c != nullptr; c = c->next) live += c->kind != KIND_NONE;
  return live;
}

bool Play::TouchesShip(const GameObject& box) {
  const int32_t left = Trunc(box.x), top = Trunc(box.y);
  return m_play.g_player.TouchPlayer(left, top, left + box.width, top + box.height) != 0;
}

void Play::FireAt(float x, float y, int16_t shotType) {
  ObjectList& objects = m_play.mainList;
  const Player& player = m_play.g_player;
  const int16_t speed = BulletSpeed();
  if (shotType == KIND_SPREAD_BULLET) {
    for (const int8_t offset : {0, 8, -8}) {
      AddAimedBulletFrom(objects, x, y, player.x, player.y, KIND_SPREAD_BULLET, offset, speed);
    }
    return;
  }
  AddAimedBulletFrom(objects, x, y, player.x, player.y, KIND_BULLET, 0, speed);
  // A harder difficulty fans more aimed bullets out beside it, either side in turn.
  for (int32_t i = 0; i < Volley(); ++i) {
    const int8_t offset = static_cast<int8_t>((i / 2 + 1) * 12 * (i % 2 == 0 ? 1 : -1));
    AddAimedBulletFrom(objects, x, y, player.x, player.y, KIND_BULLET, offset, speed);
  }
}

void Play::HitShip() {
  m_sounds.Start(Effect::ShipHit);
  RunState& run = m_play.run;
  if (!HasStakes(run)) {
    m_play.g_player.LoseEnergy();
    return;
  }
  ++run.hits;
  if (run.rules.kind == RulesKind::Practice && run.rules.invulnerable) return;
  m_play.g_player.LoseEnergy();
  if (m_play.g_player.energy <= 0) LoseShip();
}

int32_t Play::UpdateMover(int32_t kind) {
  const MoverTraits& traits = TraitsOf(kind);
  ObjectList& objects = m_play.mainList;
  Player& player = m_play.g_player;
  GameObject& o = *objects.current;
  DrawSprite(ImageOf(o), Trunc(o.x), Trunc(o.y), Trunc(o.x + o.width), Trunc(o.y + o.height));

  if (traits.scrolls) {
    // Same step, plus the background's own motion.
    o.x = Advance(o.x, o.speed, m_data.cosTable[AngleIndex(o.angleX)]);
    o.y = static_cast<float>(static_cast<double>(o.y) +
                             static_cast<double>(o.speed) * static_cast<double>(m_data.sinTable[AngleIndex(o.angleY)]) +
                             static_cast<double>(m_play.m_state.m_nScrollSpeed));
  } else {
    MoveBy(o, o.speed, o.angleX, o.angleY);
  }

  RunProgram(o);

  if (traits.fires && RandomRange(m_play.g_random, 0, FireChance(o.fireChance)) == 1) FireAt(o.x, o.y, o.shotType);

  int32_t result = 0;
  if (traits.touches && player.hitFlag == 0 && TouchesShip(o)) {
    if (traits.pickUp == nullptr) {
      HitShip();
    } else {
      (player.*traits.pickUp)();
      m_sounds.Start(traits.pickUpSound);
      result = 1;
    }
  }

  if (IsPastEdge(o)) {
    o.kind = KIND_NONE;
    return 1;
  }
  return result;
}

int32_t Play::UpdateCarrier() {
  ObjectList& children = m_play.childList;
  Player& player = m_play.g_player;
  GameObject& carrier = *m_play.mainList.current;
  DrawSprite(ImageOf(carrier), Trunc(carrier.x), Trunc(carrier.y), Trunc(carrier.x) + carrier.width,
             Trunc(carrier.y) + carrier.height);
  MoveBy(carrier, carrier.speed, carrier.angleX, carrier.angleY);
  // Its phase follows the parts still standing from the frames before.
  RunProgram(carrier, LiveParts());
  // A step without a fire chance draws nothing from the random sequence.
  if (carrier.fireChance > 0 && RandomRange(m_play.g_random, 0, FireChance(carrier.fireChance)) == 1) {
    FireAt(carrier.x + static_cast<float>(carrier.width / 2), carrier.y + static_cast<float>(carrier.height / 2),
           carrier.shotType);
  }

  int32_t result = 0;
  if (IsPastEdge(carrier)) {
    result = 1;
    carrier.kind = KIND_NONE;
    children.Clear();
  }

  carrier.childCount = 0;
  GameObject* child = children.First();
  while (child != nullptr) {
    GameObject& c = *child;
    if (c.kind == KIND_NONE) {
      // Destroyed parts go now, or replaying a stage would grow the list for ever.
      if (children.current == child) children.current = children.head;
      child = children.Remove(child);
      continue;
    }
    ++carrier.childCount;
    DrawSprite(ImageOf(c), Trunc(c.x), Trunc(c.y), Trunc(c.x) + c.width, Trunc(c.y) + c.height);
    MoveBy(c, carrier.speed, carrier.angleX, carrier.angleY);
    MoveBy(c, c.speed, c.angleX, c.angleY);
    // Contact is with the carrier's own box, tested once per live part.
    --c.stepTimer;
    if (player.hitFlag == 0 && TouchesShip(carrier)) HitShip();
    if (c.stepTimer <= 0) {
      c.programRow = static_cast<int16_t>(NextProgramRow(m_data.dataTable, c.programRow));
      LoadStep(c, false);
    }
    child = c.next;
  }

  if (carrier.childCount == 0) {
    carrier.kind = KIND_CARRIER_DEATH;
    m_sounds.Start(Effect::CarrierDown);
    carrier.animTick = 0;
    carrier.animFrame = 0;
    AddScore(carrier.scoreValue);
  }
  return result;
}
