// What a run with stakes (the arcade and practice rules) changes of the
// standard game: the difficulty's fire, bullets and toughness, the 32-bit
// score and extra lives, and a ship lost at no energy, down a while, then
// back with full energy and protection, or the game over.
#include <algorithm>
#include <climits>

#include "game/play.hpp"
#include "gfx/number.hpp"

namespace {

constexpr int32_t kShipDownFrames = 120;
// A ship coming back is protected this much longer than after a hit.
constexpr int16_t kRespawnProtection = -56;
constexpr float kStartX = 320.0f, kStartY = 448.0f;
constexpr int32_t kMostLives = 99;
// The ships in reserve, small, at the bottom right; the hits taken in practice at the top right.
constexpr int32_t kReserveTop = 460, kReserveRight = PLAYFIELD_RIGHT, kReserveSize = 16;
constexpr int32_t kHitsRight = PLAYFIELD_RIGHT - 8, kHitsTop = 8;
constexpr int16_t kHitsLabel[] = {24, 25, 36, 35};  // H I T S

bool CountsLives(const RunState& run) { return run.rules.kind == RulesKind::Arcade || run.rules.lives; }

}  // namespace

int32_t Play::Percent(int32_t percent) const { return percent + m_tuning.loopPercent * m_play.run.loop; }

int16_t Play::FireChance(int16_t chance) const {
  if (!HasStakes(m_play.run) || chance <= 0) return chance;
  // One chance in `chance` + 1: a higher percent fires more often.
  const int64_t scaled = int64_t{chance} * 100 / Percent(m_tuning.firePercent);
  return static_cast<int16_t>(std::clamp<int64_t>(scaled, 1, INT16_MAX));
}

int16_t Play::Toughness(int16_t hitPoints) const {
  if (!HasStakes(m_play.run) || hitPoints <= 0) return hitPoints;
  const int64_t scaled = int64_t{hitPoints} * Percent(m_tuning.toughPercent) / 100;
  return static_cast<int16_t>(std::clamp<int64_t>(scaled, 1, INT16_MAX));
}

int16_t Play::BulletSpeed() const {
  return static_cast<int16_t>(kBulletSpeed + (HasStakes(m_play.run) ? m_tuning.bulletSpeed : 0));
}

int32_t Play::Volley() const { return HasStakes(m_play.run) ? m_tuning.volley : 0; }

void Play::AddScore(int16_t value) {
  m_play.g_player.AddScore(value);
  RunState& run = m_play.run;
  if (!HasStakes(run)) return;
  run.score = static_cast<int32_t>(std::clamp<int64_t>(int64_t{run.score} + value, 0, INT32_MAX));
  while (run.nextExtraLife > 0 && run.score >= run.nextExtraLife) {
    run.lives = std::min(run.lives + 1, kMostLives);
    m_sounds.Start(Effect::LevelItem);
    const int64_t next = int64_t{run.nextExtraLife} + m_tuning.everyExtraLife;
    run.nextExtraLife = m_tuning.everyExtraLife > 0 && next <= INT32_MAX ? static_cast<int32_t>(next) : 0;
  }
}

void Play::LoseShip() {
  RunState& run = m_play.run;
  Player& p = m_play.g_player;
  AddObject(m_play.mainList, KIND_EXPLOSION, p.x, p.y);
  m_sounds.Start(Effect::LargeDown);
  run.downTimer = kShipDownFrames;
  p.hitFlag = 1;
  p.hitTimer = 0;
  if (CountsLives(run)) --run.lives;
}

bool Play::ShipDown() {
  RunState& run = m_play.run;
  if (run.downTimer <= 0) return false;
  Player& p = m_play.g_player;
  p.hitTimer = 0;  // nothing touches a ship that is not there
  if (--run.downTimer > 0) return true;
  if (CountsLives(run) && run.lives <= 0) {
    run.gameOver = 1;
    run.overTimer = 0;
    return true;
  }
  p.x = kStartX;
  p.y = kStartY;
  p.energy = MAX_ENERGY;
  p.hitTimer = kRespawnProtection;
  return false;
}

void Play::DrawRunPanel() {
  const RunState& run = m_play.run;
  if (!HasStakes(run)) return;
  Surface& back = m_display.GetBackSurface();
  const Surface& sheet = m_display.GetSheetSurface();
  // The ship flying is not among them.
  for (int32_t i = 0; CountsLives(run) && i < std::min(run.lives - 1, 8); ++i) {
    const int32_t right = kReserveRight - kReserveSize * i;
    BltKeyed(back, sheet, RECT{right - kReserveSize, kReserveTop, right, kReserveTop + kReserveSize}, RC_SHIP);
  }
  if (run.rules.kind != RulesKind::Practice) return;
  for (size_t i = 0; i < std::size(kHitsLabel); ++i) {
    m_display.DrawSmallGlyph(kHitsLabel[i], kHitsRight - 104 + 8 * static_cast<int32_t>(i), kHitsTop, 1);
  }
  DrawNumber(m_display, run.hits, kHitsRight, kHitsTop);
}
