// Enemy bullets, the player's shots and their hits, and the effects: score
// popup, explosion, the carrier's dying phase and the bomb's ring.
#include "game/motion.hpp"
#include "game/play.hpp"

namespace {

constexpr int16_t kPopupTicks = 128;
constexpr int16_t kExplosionImageTicks = 4, kLastExplosionImage = 7;
constexpr int16_t kCarrierDeathFrames = 32;
constexpr int16_t kBombFrames = 20;

bool IsPastProjectileEdge(const GameObject& o) {
  return IsOutside(Trunc(o.x), Trunc(o.y), 64, -32, 576, 512) != 0;
}

// A shot's top-left corner inside a target's 32 x 32 box, borders included.
bool ShotHits(const GameObject& shot, const GameObject& target) {
  return target.x <= shot.x && shot.x <= target.x + 32.0f && target.y <= shot.y && shot.y <= target.y + 32.0f;
}

bool IsShotTarget(const GameObject& o) { return o.kind == KIND_ENEMY || o.kind == KIND_GROUND_ENEMY; }

// The heavy craft, worth this much or more, go down with the bigger sound.
constexpr int16_t kLargeWorth = 300;

Effect DownSound(const GameObject& enemy) {
  return enemy.scoreValue >= kLargeWorth ? Effect::LargeDown : Effect::SmallDown;
}

}  // namespace

int32_t Play::UpdateEnemyBullet(int32_t kind) {
  GameObject& o = *m_play.mainList.current;
  const int32_t left = Trunc(o.x), top = Trunc(o.y);
  DrawSprite(kind == KIND_SPREAD_BULLET ? RC_SPREAD_BULLET : RC_BULLET, left, top, left + 16, top + 16);
  MoveBy(o, o.speed, o.angleX, o.angleY);

  Player& player = m_play.g_player;
  const int32_t newLeft = Trunc(o.x), newTop = Trunc(o.y);
  if (player.hitFlag == 0 && player.TouchPlayer(newLeft, newTop, newLeft + 16, newTop + 16)) HitShip();
  if (IsPastProjectileEdge(o)) {
    o.kind = KIND_NONE;
    return 1;
  }
  return player.bombActive != 0 ? 1 : 0;
}

int32_t Play::UpdatePlayerShot() {
  GameObject& shot = *m_play.mainList.current;
  const int32_t left = Trunc(shot.x), top = Trunc(shot.y);
  DrawSprite(RC_PLAYER_SHOT, left, top, left + 8, top + 8);
  MoveBy(shot, shot.speed, shot.angleX, shot.angleX);  // both axes follow angleX
  if (IsPastProjectileEdge(shot)) {
    shot.kind = KIND_NONE;
    return 1;
  }

  // One shot may wound several targets in the same frame, until one dies.
  int32_t result = 0;
  for (GameObject* e = m_play.mainList.First(); e != nullptr; e = e->next) {
    if (!IsShotTarget(*e) || !ShotHits(shot, *e)) continue;
    --e->hitPoints;
    result = 1;
    shot.kind = KIND_NONE;
    m_sounds.Start(e->hitPoints <= 0 ? DownSound(*e) : Effect::Hit);
    if (e->hitPoints <= 0) {
      e->kind = KIND_EXPLOSION;  // the enemy's node becomes its own explosion
      e->animTick = 0;
      e->animFrame = 0;
      AddScore(e->scoreValue);
      AddObject(m_play.mainList, KIND_POPUP, e->x, e->y);
      return 1;
    }
  }
  for (GameObject* c = m_play.childList.First(); c != nullptr; c = c->next) {
    if (c->kind == KIND_NONE || !ShotHits(shot, *c)) continue;
    --c->hitPoints;
    result = 1;
    shot.kind = KIND_NONE;
    m_sounds.Start(c->hitPoints <= 0 ? Effect::PartDown : Effect::Hit);
    if (c->hitPoints <= 0) {
      c->kind = KIND_NONE;
      c->animTick = 0;
      c->animFrame = 0;
      AddScore(c->scoreValue);
      return 1;
    }
  }
  return result;
}

int32_t Play::UpdatePopup() {
  GameObject& o = *m_play.mainList.current;
  const int32_t left = Trunc(o.x), top = Trunc(o.y);
  m_display.DrawSmallText("+100", left, top, 1);
  ++o.animTick;
  if (o.animTick % 8 == 0) o.y -= 1.0f;
  return o.animTick > kPopupTicks ? 1 : 0;
}

int32_t Play::UpdateExplosion() {
  GameObject& o = *m_play.mainList.current;
  ++o.animTick;
  DrawSprite(g_rcExplosion[static_cast<size_t>(o.animFrame)], Trunc(o.x), Trunc(o.y), Trunc(o.x + 32.0f),
             Trunc(o.y + 32.0f));
  if (o.animTick > kExplosionImageTicks) {
    ++o.animFrame;
    o.animTick = 0;
    if (o.animFrame > kLastExplosionImage) {
      o.kind = KIND_NONE;
      return 1;
    }
  }
  return 0;
}

int32_t Play::UpdateCarrierDeath() {
  GameObject& o = *m_play.mainList.current;
  ++o.animFrame;
  // The vertical point is drawn first.
  const int32_t left = Trunc(o.x), top = Trunc(o.y);
  const int32_t y = RandomRange(m_play.g_random, top + 32, top + o.height - 32);
  const int32_t x = RandomRange(m_play.g_random, left + 32, left + o.width - 32);
  AddObject(m_play.mainList, KIND_EXPLOSION, static_cast<float>(x), static_cast<float>(y));
  if (o.animFrame > kCarrierDeathFrames) {
    o.kind = KIND_NONE;
    return 1;
  }
  return 0;
}

int32_t Play::UpdateBomb() {
  GameObject& o = *m_play.mainList.current;
  ++o.animFrame;
  const int32_t radius = 8 * o.animFrame;
  for (size_t angle = 0; angle < 256; angle += 8) {
    AddObjectAtFrame(m_play.mainList, KIND_EXPLOSION, Advance(o.x, radius, m_data.cosTable[angle]),
                     Advance(o.y, radius, m_data.sinTable[angle]), kLastExplosionImage);
  }
  if (o.animFrame > kBombFrames) {
    o.kind = KIND_NONE;
    m_play.g_player.bombActive = 0;
    return 1;
  }
  return 0;
}
