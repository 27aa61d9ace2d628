// Writes the stage's tile map: 500 rows of 20 tiles, each as the x and then
// the y of its corner on the sprite sheet, one three-digit number a line.
// usage: kestrova-mapgen [--stage 2] MAP.dat
#include <cstdio>
#include <string>
#include <vector>

#include "common/byte_file.hpp"
#include "mapgen/journey.hpp"

int main(int argc, char** argv) {
  const bool volcano = argc == 4 && std::string(argv[1]) == "--stage" && std::string(argv[2]) == "2";
  if (!volcano && (argc != 2 || std::string(argv[1]).rfind("--", 0) == 0)) {
    std::fprintf(stderr, "usage: kestrova-mapgen [--stage 2] MAP.dat\n");
    return 2;
  }
  mapgen::TileMap map{};
  std::string error;
  if (!(volcano ? mapgen::BuildVolcanoJourney(map, error) : mapgen::BuildJourney(map, error))) {
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
  return tools::WriteWholeFile("kestrova-mapgen", argv[argc - 1], text) ? 0 : 1;
}
