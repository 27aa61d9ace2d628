#include <climits>

#include "game/motion.hpp"
#include "game/play.hpp"
#include "gfx/number.hpp"

void Play::RunFrame(const KeyboardState& keys) {
  if (m_play.g_nStageWait <= 0) StepStageScript();
  if (m_play.g_nStageWait > INT32_MIN) --m_play.g_nStageWait;
  UpdateBackground();

  ObjectList& objects = m_play.mainList;
  objects.current = objects.First();
  while (objects.current != nullptr) {
    GameObject* object = objects.current;
    if (UpdateObject(object->kind) == 0) {
      objects.current = object->next;
    } else {
      objects.current = objects.Remove(object);
    }
  }

  UpdatePlayer(keys);
  DrawScore(m_display, HasStakes(m_play.run) ? m_play.run.score : m_play.g_player.score);
}

void Play::MoveBy(GameObject& o, int32_t speed, int16_t angleX, int16_t angleY) const {
  o.x = Advance(o.x, speed, m_data.cosTable[AngleIndex(angleX)]);
  o.y = Advance(o.y, speed, m_data.sinTable[AngleIndex(angleY)]);
}

void Play::DrawSprite(RECT source, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  m_display.BltClipped(m_display.GetSheetSurface(), left, top, right, bottom, source);
}

int32_t Play::UpdateObject(int32_t kind) {
  switch (kind) {
    case KIND_ENEMY:
    case KIND_GROUND_ENEMY:
    case KIND_LEVEL_ITEM:
    case KIND_BOMB_ITEM:
    case KIND_ENERGY_ITEM:
      return UpdateMover(kind);
    case KIND_CARRIER:
      return UpdateCarrier();
    case KIND_BULLET:
    case KIND_SPREAD_BULLET:
      return UpdateEnemyBullet(kind);
    case KIND_PLAYER_BULLET:
      return UpdatePlayerShot();
    case KIND_POPUP:
      return UpdatePopup();
    case KIND_EXPLOSION:
      return UpdateExplosion();
    case KIND_CARRIER_DEATH:
      return UpdateCarrierDeath();
    case KIND_BOMB:
      return UpdateBomb();
    default:
      return 0;  // any other kind is inert and stays
  }
}
