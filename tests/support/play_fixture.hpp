// Small stages for the play tests: characters with plain 32 x 32 boxes,
// types that stand still, and a game in play to put objects into.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/tables.hpp"
#include "game/object.hpp"
#include "test_support.hpp"

namespace play_test {

using testing_support::DataFiles;
using testing_support::HeadlessGame;

// key, shotType, hitPoints, srcLeft, srcTop, width, height, -, kind, scoreValue
inline const std::string kChars =
    "E,0,1,0,0,32,32,,1,100\n"
    "S,65,1,0,0,32,32,,1,1\n"
    "G,0,1,0,0,32,32,,16,100\n"
    "C,0,1,0,0,64,64,,40,500\n"
    "P,0,1,0,0,32,32,,0,10\n"
    "L,0,1,0,0,32,32,,160,0\n"
    "B,0,1,0,0,32,32,,161,0\n"
    "N,0,1,0,0,32,32,,162,0\n"
    "W,0,1,64,0,48,16,,1,100\n";

// A type whose one step lasts long: angles, timer, fireChance, speed.
inline std::string Type(const std::string& key, const std::string& chr, const std::string& step = "0,0,1000,0,,,0") {
  return key + ",,,,,INIT,,," + chr + "\n," + step + "\n";
}

// Every still type of the characters above, named after them with a 1.
inline std::string StillTypes() {
  return Type("E1", "E") + Type("S1", "S") + Type("G1", "G") + Type("L1", "L") + Type("B1", "B") + Type("N1", "N") +
         Type("P1", "P");
}

// Rows that keep the script busy for the length of any test.
inline const std::string kQuietScript = ",,,30000\n,,,30000\nEOF,\n";

inline std::vector<GameObject*> Nodes(const ObjectList& list, int16_t kind) {
  std::vector<GameObject*> nodes;
  for (GameObject* o = list.First(); o != nullptr; o = o->next) {
    if (o->kind == kind) nodes.push_back(o);
  }
  return nodes;
}

inline size_t CountNodes(const ObjectList& list) {
  size_t n = 0;
  for (const GameObject* o = list.First(); o != nullptr; o = o->next) ++n;
  return n;
}

// A game in play on the given data and start choices, the title screen left behind.
struct PlayGame : HeadlessGame {
  explicit PlayGame(const std::string& data = StillTypes(), const std::string& stage = kQuietScript,
                    const StartChoices& choices = {}, const std::string& chars = kChars)
      : HeadlessGame(DataFiles{data, stage, chars}) {
    EXPECT_TRUE(Start(choices));
    StartPlay();
  }
  Player& P() { return State().g_player; }
  std::vector<GameObject*> Of(int16_t kind) { return Nodes(State().mainList, kind); }
  // An object appended to the live list: a 32 x 32 box with one hit point,
  // moving by `speed` along `angle` (both axes), its step lasting long.
  GameObject* Add(int16_t kind, float x, float y, int16_t angle = 0, int16_t speed = 0) {
    AddMovingObject(State().mainList, kind, x, y, angle, angle, speed);
    GameObject* o = State().mainList.last;
    o->width = o->height = 32;
    o->hitPoints = 1;
    o->stepTimer = 1000;
    return o;
  }
};

}  // namespace play_test
