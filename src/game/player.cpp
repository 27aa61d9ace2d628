#include "game/player.hpp"

#include "data/numbers.hpp"
#include "game/motion.hpp"
#include "game/play.hpp"

namespace {

constexpr int32_t kShipSize = 32;
constexpr int32_t kStep = 4;
constexpr float kMinX = 96.0f, kMaxX = 512.0f, kMinY = 0.0f, kMaxY = 448.0f;
constexpr int16_t kProtectionFrames = 64;  // protected until hitTimer exceeds it
constexpr int32_t kVolleyPeriod = 6;       // the timer wraps past this: a volley every 7 frames
constexpr int16_t kShotSpeed = 10;
// The energy gauge and the bomb stock, at the bottom left of the playfield.
constexpr int32_t kGaugeTop = 464, kStockTop = 448, kPanelLeft = PLAYFIELD_LEFT;

struct Direction {
  uint8_t key;
  bool (CJoystick::*stick)() const;
  int16_t angle;
};
// Tested in this order, each on its own: diagonals combine, opposites cancel.
constexpr Direction kDirections[] = {
    {VK_RIGHT, &CJoystick::Right, 0},
    {VK_LEFT, &CJoystick::Left, 128},
    {VK_DOWN, &CJoystick::Down, 64},
    {VK_UP, &CJoystick::Up, 192},
};

struct Muzzle {
  float dx;
  int16_t angle;
};
// Left edge slightly left of straight up, right side slightly right, centre straight up.
constexpr Muzzle kVolley[] = {{0.0f, 190}, {23.0f, 194}, {12.0f, 192}};

}  // namespace

int32_t Player::TouchPlayer(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (static_cast<float>(right) >= x && x + 32.0f >= static_cast<float>(left) && static_cast<float>(bottom) >= y &&
      y + 32.0f >= static_cast<float>(top)) {
    hitTimer = 0;
    hitFlag = 1;
    return 1;
  }
  return 0;
}

int32_t Player::LoseEnergy() {
  energy = ToI16(energy - 1);
  return energy < 0 ? 1 : 0;
}

int32_t Player::AddEnergy() {
  if (energy >= MAX_ENERGY) return 0;
  ++energy;
  return 1;
}

int32_t Player::AddBomb() {
  if (bombs >= MAX_BOMBS) return 0;
  ++bombs;
  return 1;
}

int32_t Player::RaiseLevel() {
  if (level >= MAX_LEVEL) return 0;
  ++level;
  return 1;
}

void Play::UpdatePlayer(const KeyboardState& keys) {
  Surface& back = m_display.GetBackSurface();
  const Surface& sheet = m_display.GetSheetSurface();
  Player& p = m_play.g_player;
  const CJoystick& joystick = m_play.g_joystick;

  if (ShipDown()) {
    if (KeyHeld(keys, VK_ESCAPE)) m_play.m_state.SetExitQuery(1);
    DrawPanel();
    return;
  }
  const int32_t shipX = Trunc(p.x), shipY = Trunc(p.y);
  BltKeyed(back, sheet, RECT{shipX, shipY, shipX + kShipSize, shipY + kShipSize}, RC_SHIP);

  if (p.hitFlag != 0) {
    ++p.hitTimer;
    if (p.hitTimer > kProtectionFrames) p.hitFlag = 0;
  }

  if (KeyHeld(keys, VK_ESCAPE)) m_play.m_state.SetExitQuery(1);

  for (const Direction& d : kDirections) {
    if (!(joystick.*d.stick)() && !KeyHeld(keys, d.key)) continue;
    p.x = Advance(p.x, kStep, m_data.cosTable[AngleIndex(d.angle)]);
    p.y = Advance(p.y, kStep, m_data.sinTable[AngleIndex(d.angle)]);
  }
  if (p.x > kMaxX) p.x = kMaxX;
  if (p.x < kMinX) p.x = kMinX;
  if (p.y > kMaxY) p.y = kMaxY;
  if (p.y < kMinY) p.y = kMinY;

  int32_t& fireTimer = m_play.g_nFireTimer;
  if (fireTimer > kVolleyPeriod) fireTimer = 0;
  if (fireTimer == 0 && (joystick.Fire() || KeyHeld(keys, VK_SPACE))) {
    m_sounds.Start(Effect::Volley);
    for (const Muzzle& m : kVolley) {
      AddMovingObject(m_play.mainList, KIND_PLAYER_BULLET, p.x + m.dx, p.y, m.angle, m.angle, kShotSpeed);
    }
  }
  ++fireTimer;

  if ((joystick.Bomb() || KeyHeld(keys, VK_SHIFT)) && p.bombActive == 0 && p.bombs > 0) {
    --p.bombs;
    p.bombActive = 1;
    AddObject(m_play.mainList, KIND_BOMB, p.x, p.y);
    m_sounds.Start(Effect::Bomb);
  }
  DrawPanel();
}

void Play::DrawPanel() {
  Surface& back = m_display.GetBackSurface();
  const Surface& sheet = m_display.GetSheetSurface();
  const Player& p = m_play.g_player;
  // An empty or negative gauge makes empty rectangles: nothing is drawn.
  const int32_t gauge = 4 * p.energy;
  BltKeyed(back, sheet, RECT{kPanelLeft, kGaugeTop, kPanelLeft + gauge, kGaugeTop + 16},
           RECT{GAUGE_LEFT, GAUGE_TOP, GAUGE_LEFT + gauge, GAUGE_BOTTOM});
  for (int32_t i = 0; i < p.bombs; ++i) {
    const int32_t left = kPanelLeft + 16 * i;
    BltKeyed(back, sheet, RECT{left, kStockTop, left + 16, kStockTop + 16}, RC_BOMB_ICON);
  }
  DrawRunPanel();
}
