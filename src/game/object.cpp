#include "game/object.hpp"

#include <cmath>

ObjectList::ObjectList() : head(AllocObject()), last(head), current(head) { head->prev = head; }

ObjectList::ObjectList(const ObjectList& other) : ObjectList() { AppendCopies(other); }

ObjectList& ObjectList::operator=(const ObjectList& other) {
  if (this != &other) {
    Clear();
    AppendCopies(other);
  }
  return *this;
}

void ObjectList::AppendCopies(const ObjectList& other) {
  if (other.current == nullptr) current = nullptr;
  for (const GameObject* node = other.First(); node != nullptr; node = node->next) {
    GameObject* copy = AllocObject();
    *copy = *node;
    Append(copy);
    if (node == other.current) current = copy;
  }
}

ObjectList::~ObjectList() {
  Clear();
  delete head;
}

void ObjectList::Append(GameObject* node) {
  last->next = node;
  node->prev = last;
  node->next = nullptr;
  last = node;
}

GameObject* ObjectList::Remove(GameObject* node) {
  GameObject* following = node->next;
  if (node == last) {
    node->prev->next = nullptr;
    last = node->prev;
  } else {
    node->prev->next = node->next;
    node->next->prev = node->prev;
  }
  delete node;
  return following;
}

void ObjectList::Clear() {
  GameObject* node = head->next;
  while (node != nullptr) {
    GameObject* following = node->next;
    delete node;
    node = following;
  }
  head->next = nullptr;
  last = head;
  current = head;
}

GameObject* AllocObject() { return new GameObject{}; }

void AddMovingObject(ObjectList& list, int16_t kind, float x, float y, int16_t angleX, int16_t angleY, int16_t speed) {
  GameObject* o = AllocObject();
  o->kind = kind;
  o->x = x;
  o->y = y;
  o->angleX = angleX;
  o->angleY = angleY;
  o->speed = speed;
  list.Append(o);
}

void AddObjectAtFrame(ObjectList& list, int16_t kind, float x, float y, int16_t frame) {
  GameObject* o = AllocObject();
  o->kind = kind;
  o->x = x;
  o->y = y;
  o->animFrame = frame;
  o->animTick = 0;
  list.Append(o);
}

void AddObject(ObjectList& list, int16_t kind, float x, float y) { AddObjectAtFrame(list, kind, x, y, 0); }

void AddAimedBulletFrom(ObjectList& list, float x, float y, float targetX, float targetY, int16_t kind, int8_t offset,
                        int16_t speed) {
  const int32_t angle = (AimAngle(targetX - x, targetY - y) + offset) & 0xFF;
  AddMovingObject(list, kind, x, y, static_cast<int16_t>(angle), static_cast<int16_t>(angle), speed);
}

int32_t AimAngle(float dx, float dy) {
  if (dy == 0) dy = 0.1f;
  // The scaled sine, not an arcsine: straight down gives 40.
  double r = dy / std::sqrt(static_cast<double>(dx * dx + dy * dy)) * 40.75498611783286;
  if (r < 0) r = -r;
  if (!(r < 64)) r = 0;  // only reachable with non-finite input
  const int32_t n = static_cast<int32_t>(r);
  if (dx >= 0) return dy >= 0 ? n : 192 + n;
  return dy >= 0 ? 128 - n : 128 + n;
}

int32_t RandomRange(RandomState& random, int32_t lo, int32_t hi) {
  if (hi < lo) return lo;
  const int64_t span = int64_t{hi} - lo + 1;
  return static_cast<int32_t>(Rand15(random) % span + lo);
}

int32_t IsOutside(int32_t px, int32_t py, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return (px < left || px > right || py < top || py > bottom) ? 1 : 0;
}
