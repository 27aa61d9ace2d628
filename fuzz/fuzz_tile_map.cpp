// The tile-map reader over any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/tile_map.hpp"
#include "fuzz_check.hpp"

namespace {
TileMap g_map;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  DataError error;
  const TileMapResult result = LoadTileMapBytes(bytes, "map.dat", g_map, &error);
  FUZZ_CHECK(result != TileMapResult::kMissing);
  if (result == TileMapResult::kBad) {
    int32_t lines = 1;
    for (char c : bytes) lines += c == '\n' ? 1 : 0;
    FUZZ_CHECK(error.file == "map.dat" && error.line >= 1 && error.line <= lines);
    return 0;
  }
  for (const auto& row : g_map) {
    for (const RECT& tile : row) {
      FUZZ_CHECK(tile.left >= 0 && tile.top >= 0 && tile.right <= SHEET_WIDTH && tile.bottom <= SHEET_HEIGHT);
      FUZZ_CHECK(tile.right - tile.left == TILE_SIZE && tile.bottom - tile.top == TILE_SIZE);
    }
  }
  return 0;
}
