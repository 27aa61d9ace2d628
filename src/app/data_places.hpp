// Where the game reads its data files and keeps its scores: the folder the
// player names, a data folder under the current one (a checkout), or the
// installed data beside the program, with the scores in the player's home.
#pragma once

#include <string>

struct DataPlaces {
  std::string dataDir;    // empty when no place holds the game's data
  std::string scorePath;  // empty when the scores cannot be kept
  std::string problem;    // why one of them is empty, for the player
};

// What the choice depends on; GatherPlaceFacts reads it off the running program.
struct PlaceFacts {
  std::string givenDataDir;      // --data, or empty
  std::string localDataDir;      // "data", under the current folder
  std::string installedDataDir;  // beside the program; empty when it cannot be told
  std::string xdgDataHome;       // the environment's XDG_DATA_HOME and HOME
  std::string home;
};

PlaceFacts GatherPlaceFacts(const std::string& givenDataDir);
DataPlaces FindDataPlaces(const PlaceFacts& facts);
