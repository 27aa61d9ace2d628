#include "app/game_app.hpp"
#include "game/object.hpp"

void CGameApp::DrawSprite(RECT source, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  CDisplay& display = m_pFrame->m_display;
  display.BltClipped(display.GetSheetSurface(), left, top, right, bottom, source);
}

int32_t CGameApp::UpdateObject(int32_t kind) {
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
