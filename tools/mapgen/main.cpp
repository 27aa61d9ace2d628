// Writes the stage's tile map: 500 rows of 20 tiles, each as the x and then
// the y of its corner on the sprite sheet, one three-digit number a line.
// usage: kestrova-mapgen MAP.dat
#include <cstdio>
#include <string>
#include <vector>

#include "common/byte_file.hpp"
#include "mapgen/journey.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrova-mapgen MAP.dat\n");
    return 2;
  }
  mapgen::TileMap map{};
  std::string error;
  if (!mapgen::BuildJourney(map, error)) {
    std::fprintf(stderr, "kestrova-mapgen: %s\n", error.c_str());
    return 1;
  }
  std::vector<uint8_t> text;
  char line[16];
  for (const auto& row : map) {
    for (const RECT& tile : row) {
      const int length = std::snprintf(line, sizeof line, "%03d\n%03d\n", tile.left, tile.top);
      text.insert(text.end(), line, line + length);
    }
  }
  return tools::WriteWholeFile("kestrova-mapgen", argv[1], text) ? 0 : 1;
}
