// Every enemy, bullet, shot, item and effect is a GameObject in one of two
// intrusive lists: mainList (everything live) and childList (carrier parts).
#pragma once

#include <cstdint>

#include "game/random.hpp"

enum ObjectKind : int16_t {
  KIND_NONE = 0,
  KIND_ENEMY = 1,
  KIND_GROUND_ENEMY = 16,
  KIND_CARRIER = 40,
  KIND_BULLET = 64,
  KIND_SPREAD_BULLET = 65,
  KIND_PLAYER_BULLET = 128,
  KIND_POPUP = 129,
  KIND_LEVEL_ITEM = 160,
  KIND_BOMB_ITEM = 161,
  KIND_ENERGY_ITEM = 162,
  KIND_EXPLOSION = 200,
  KIND_CARRIER_DEATH = 201,
  KIND_BOMB = 202,
};

struct GameObject {
  int16_t kind = 0;
  float x = 0;
  float y = 0;
  int16_t angleX = 0;
  int16_t angleY = 0;
  int16_t speed = 0;
  int16_t srcLeft = 0;
  int16_t srcTop = 0;
  int16_t width = 0;
  int16_t height = 0;
  int16_t hitPoints = 0;
  int16_t shotType = 0;
  int16_t fireChance = 0;
  int16_t stepTimer = 0;
  int16_t charRow = 0;
  int16_t programRow = 0;
  int16_t animTick = 0;
  int16_t animFrame = 0;
  int16_t scoreValue = 0;
  int16_t childCount = 0;
  GameObject* next = nullptr;
  GameObject* prev = nullptr;
};

// A list owns its nodes. `head` is the sentinel; `current` is the node being
// updated (or the one a spawner appended last). A copy is a list of copies in
// the same order, its `current` at the same place.
class ObjectList {
 public:
  ObjectList();
  ObjectList(const ObjectList& other);
  ObjectList& operator=(const ObjectList& other);
  ~ObjectList();

  void Append(GameObject* node);
  // Unlinks `node` and frees it; returns the node that followed it.
  GameObject* Remove(GameObject* node);
  // Frees every node but the sentinel.
  void Clear();
  GameObject* First() const { return head->next; }
  bool Empty() const { return head->next == nullptr; }

  GameObject* head;
  GameObject* last;
  GameObject* current;

 private:
  void AppendCopies(const ObjectList& other);
};

// A new record, every field zero.
GameObject* AllocObject();

void AddMovingObject(ObjectList& list, int16_t kind, float x, float y, int16_t angleX, int16_t angleY, int16_t speed);
void AddObject(ObjectList& list, int16_t kind, float x, float y);
void AddObjectAtFrame(ObjectList& list, int16_t kind, float x, float y, int16_t frame);
// Enemy bullets from list.current's top-left corner, aimed at the target.
inline constexpr int16_t kBulletSpeed = 2;
// An aimed bullet from (x, y), its angle turned by `offset`.
void AddAimedBulletFrom(ObjectList& list, float x, float y, float targetX, float targetY, int16_t kind, int8_t offset,
                        int16_t speed = kBulletSpeed);

int32_t AimAngle(float dx, float dy);
// rand() % (hi - lo + 1) + lo; an empty range (hi < lo) gives lo without drawing.
int32_t RandomRange(RandomState& random, int32_t lo, int32_t hi);
int32_t IsOutside(int32_t px, int32_t py, int32_t left, int32_t top, int32_t right, int32_t bottom);

// Angles from data may lie outside 0..255; tables are indexed by the low byte.
inline constexpr uint8_t AngleIndex(int32_t angle) { return static_cast<uint8_t>(angle & 0xFF); }
