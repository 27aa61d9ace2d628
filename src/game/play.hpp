// A frame of play and its steps. Play works on what it is handed: the play
// state, the game data, the pages to draw on and this frame's keys.
#pragma once

#include <cstdint>

#include "audio/effects.hpp"
#include "data/difficulty.hpp"
#include "data/tables.hpp"
#include "game/play_state.hpp"
#include "gfx/display.hpp"
#include "input/keyboard.hpp"

class Play {
 public:
  // The effects the frame starts go to `sounds`; `tuning` is the difficulty
  // of a run with stakes (the standard game reads none of it).
  Play(PlayState& state, const GameData& data, CDisplay& display, FrameSounds& sounds,
       DifficultyTuning tuning = {})
      : m_play(state), m_data(data), m_display(display), m_sounds(sounds), m_tuning(tuning) {}

  // In this order: the stage-script step when its wait has run out and the
  // wait's countdown, the background, the walk over the object list, the
  // ship, the score. Presenting the page is the caller's.
  void RunFrame(const KeyboardState& keys);

  // A run with stakes begins at the title: fresh objects, ship, score and
  // lives, the script from its start or, in practice, from where it is to
  // start (the ground scrolled there unseen). game/run_start.cpp
  void StartRun();

 private:
  void StepStageScript();  // game/stage.cpp
  void UpdateBackground();  // game/background.cpp
  // One object's update on mainList.current; 1 when it is finished.
  int32_t UpdateObject(int32_t kind);  // game/update.cpp
  void UpdatePlayer(const KeyboardState& keys);  // game/player.cpp
  void DrawPanel();  // the energy gauge and the bomb stock

  // game/enemy.cpp
  int32_t UpdateMover(int32_t kind);  // flying and ground enemies, items
  int32_t UpdateCarrier();
  // game/projectiles.cpp
  int32_t UpdateEnemyBullet(int32_t kind);
  int32_t UpdatePlayerShot();
  int32_t UpdatePopup();
  int32_t UpdateExplosion();
  int32_t UpdateCarrierDeath();
  int32_t UpdateBomb();
  // game/stage.cpp
  void SpawnEnemy(int32_t typeRow, int32_t scriptRow);
  void SpawnChild(int32_t row);
  void SetCharacter(GameObject& o, int32_t charRow) const;
  void SetFirstStep(GameObject& o, int32_t stepRow) const;
  // game/enemy.cpp: a movement program's steps.
  // `liveParts`: a carrier's parts still standing, which its "PHASE" rows follow.
  void LoadStep(GameObject& o, bool withFireChance, int32_t liveParts = 0) const;
  void RunProgram(GameObject& o, int32_t liveParts = 0) const;
  int32_t LiveParts() const;
  bool TouchesShip(const GameObject& box);
  // Aimed bullets from (x, y) at the ship, one or a spread of three as the shot type says.
  void FireAt(float x, float y, int16_t shotType);
  void HitShip();
  // game/arcade.cpp: what a run with stakes changes of the standard game.
  void AddScore(int16_t value);
  void LoseShip();
  // The ship lost: true while it is down (not drawn, not steered); its end
  // brings the next ship or the game over.
  bool ShipDown();
  void DrawRunPanel();
  int32_t Percent(int32_t percent) const;
  int16_t FireChance(int16_t chance) const;
  int16_t Toughness(int16_t hitPoints) const;
  int16_t BulletSpeed() const;
  int32_t Volley() const;
  // A move by `speed` along two independent angles.
  void MoveBy(GameObject& o, int32_t speed, int16_t angleX, int16_t angleY) const;
  // Keyed sprite onto the back page, trimmed to the playfield.
  void DrawSprite(RECT source, int32_t left, int32_t top, int32_t right, int32_t bottom);

  PlayState& m_play;
  const GameData& m_data;
  CDisplay& m_display;
  FrameSounds& m_sounds;
  DifficultyTuning m_tuning;
};
