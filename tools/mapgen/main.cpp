// Writes the stage's tile map: 500 rows of 20 tiles, each as the x and then
// the y of its corner on the sprite sheet, one three-digit number a line.
// usage: kestrova-mapgen MAP.dat
#include <cstdio>
#include <string>

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
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "kestrova-mapgen: cannot write %s\n", argv[1]);
    return 1;
  }
  for (const auto& row : map)
    for (const mapgen::Tile& tile : row) std::fprintf(out, "%03d\n%03d\n", tile.x, tile.y);
  const bool written = std::ferror(out) == 0;
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "kestrova-mapgen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
