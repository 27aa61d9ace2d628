#include "autopilot/policy.hpp"

#include <algorithm>
#include <cmath>

namespace autopilot {

namespace {

constexpr int32_t kHold = 4;      // frames between choices
constexpr int32_t kHorizon = 24;  // frames each candidate is played ahead
constexpr float kShipSize = 32.0f, kItemSize = 16.0f, kBoxSize = 32.0f;
constexpr float kHomeY = 400.0f;  // low, with room to dodge either way
constexpr float kLowestY = 448.0f;
// A volley's centre shot leaves 12 px right of the ship's left edge: this
// puts it over the middle of a 32-wide target.
constexpr float kAimOffset = 4.0f;

bool IsWanted(const GameObject& o, const Player& p) {
  return (o.kind == KIND_ENERGY_ITEM && p.energy < MAX_ENERGY) || (o.kind == KIND_BOMB_ITEM && p.bombs < MAX_BOMBS) ||
         (o.kind == KIND_LEVEL_ITEM && p.level < MAX_LEVEL);
}

bool OnScreen(const GameObject& o) { return o.y + o.height > 0.0f && o.y < kLowestY; }

// The nearest wanted item, else under the lowest enemy or carrier part the
// volleys can still reach, else home.
Point PickGoal(const PlayState& play) {
  const Player& p = play.g_player;
  Point goal{320.0f - kShipSize / 2, kHomeY};
  float nearest = INFINITY;
  for (const GameObject* o = play.mainList.First(); o != nullptr; o = o->next) {
    if (!IsWanted(*o, p) || !OnScreen(*o)) continue;
    const float x = o->x + (kItemSize - kShipSize) / 2, y = o->y;
    const float d = std::fabs(x - p.x) + std::fabs(y - p.y);
    if (d < nearest) {
      nearest = d;
      goal = {x, y};
    }
  }
  if (nearest < INFINITY) return goal;
  float lowest = -INFINITY;
  const auto consider = [&](const GameObject& o) {
    if (o.y + kBoxSize < p.y && o.y + kBoxSize > 0.0f && o.y > lowest) {
      lowest = o.y;
      goal.x = o.x + kAimOffset;
    }
  };
  for (const GameObject* o = play.mainList.First(); o != nullptr; o = o->next) {
    if (o->kind == KIND_ENEMY || o->kind == KIND_GROUND_ENEMY) consider(*o);
  }
  for (const GameObject* c = play.childList.First(); c != nullptr; c = c->next) {
    if (c->kind != KIND_NONE) consider(*c);
  }
  return goal;
}

// The keys of a move along -1, 0, 1 on each axis, fire held.
std::vector<uint8_t> MoveKeys(int dx, int dy) {
  std::vector<uint8_t> keys{VK_SPACE};
  if (dx != 0) keys.push_back(dx < 0 ? VK_LEFT : VK_RIGHT);
  if (dy != 0) keys.push_back(dy < 0 ? VK_UP : VK_DOWN);
  return keys;
}

int Toward(float from, float to) { return to > from + 2.0f ? 1 : to < from - 2.0f ? -1 : 0; }

}  // namespace

FrameInput Holding(const std::vector<uint8_t>& keys) {
  FrameInput input;
  for (const uint8_t vk : keys) input.keys[vk] = 0x80;
  return input;
}

std::vector<uint8_t> Policy::Next(const Core& game) {
  if (m_held == 0) {
    Decide(game);
    m_held = kHold;
  }
  --m_held;
  std::vector<uint8_t> keys = m_move;
  if (m_bomb) keys.push_back(VK_SHIFT);
  m_bomb = false;  // one press is one bomb
  return keys;
}

bool Policy::Outcome::BetterThan(const Outcome& other) const {
  if (energy != other.energy) return energy > other.energy;
  if (firstLoss != other.firstLoss) return firstLoss > other.firstLoss;
  return distance < other.distance;
}

void Policy::Decide(const Core& game) {
  const PlayState& start = game.State();
  const Player& p = start.g_player;
  const Point goal = PickGoal(start);
  // Straight for the goal when that is safe; the full search only when not.
  m_move = MoveKeys(Toward(p.x, goal.x), Toward(p.y, goal.y));
  Outcome best = Try(start, m_move, false, goal);
  if (best.firstLoss > kHorizon) return;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const std::vector<uint8_t> keys = MoveKeys(dx, dy);
      const Outcome outcome = Try(start, keys, false, goal);
      if (outcome.BetterThan(best)) {
        best = outcome;
        m_move = keys;
      }
    }
  }
  if (best.firstLoss > kHorizon || p.bombs == 0 || p.bombActive != 0) return;
  m_bomb = Try(start, m_move, true, goal).BetterThan(best);
}

Policy::Outcome Policy::Try(const PlayState& start, const std::vector<uint8_t>& move, bool bomb, Point goal) {
  m_scratch.Restore(start);
  const PlayState& play = m_scratch.State();
  const Player& p = play.g_player;
  Outcome outcome{p.energy, kHorizon + 1, 0.0f};
  // The move for as long as it would be held, then the ship stays, firing;
  // unseen, for only the play state counts. Stops at the stage clear, where
  // fire would start the stage again.
  for (int32_t frame = 1; frame <= kHorizon && play.m_state.m_bPlaying; ++frame) {
    std::vector<uint8_t> keys = frame <= kHold ? move : MoveKeys(0, 0);
    if (bomb && frame == 1) keys.push_back(VK_SHIFT);
    const int32_t before = p.energy;
    m_scratch.Step(Holding(keys), false);
    if (p.energy < before && outcome.firstLoss > kHorizon) outcome.firstLoss = frame;
  }
  outcome.distance = std::fabs(p.x - goal.x) + std::fabs(p.y - goal.y);
  outcome.energy = p.energy;
  return outcome;
}

}  // namespace autopilot
