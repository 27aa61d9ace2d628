#include "mapgen/journey.hpp"

#include "mapgen/land_field.hpp"
#include "mapgen/lcg.hpp"

namespace mapgen {
namespace {

// Landmarks in map rows; row 0 comes into view first.
constexpr int kShallowsBegin = 25;  // deep water gives way to shallower
constexpr int kGrassBegins = 114;   // beach sand gives way to grass
constexpr int kBaseWall = 304;
constexpr int kBaseExitWall = 380;
constexpr int kSandBegins = 385;
constexpr int kDeepBegins = 460;

constexpr int kMainRoad = 8;  // column, from a road across to the base gate
constexpr int kMainRoadBegins = 126;
constexpr int kSideRoad = 13;  // column, between two roads across
constexpr int kSideRoadRows[2] = {168, 190};
constexpr int kRoadsAcross[] = {126, 168, 190, 280};
constexpr int kForests[][2] = {{214, 236}, {240, 262}};  // the rows of their edges
constexpr int kBattlefield[2] = {150, 206};
constexpr int kRunwayRows[2] = {349, 378};
constexpr int kRunwayColumn = 11;
constexpr int kBaseLeft = 4, kBaseRight = 15;  // columns inside the walls

// The mainland rises from the right, a headland closes in from the left.
constexpr Span kLandfall[] = {
    {94, 18, 20},  {95, 16, 20},  {96, 15, 20},  {97, 15, 20}, {98, 14, 20}, {99, 12, 20}, {100, 12, 20},
    {101, 11, 20}, {102, 11, 20}, {103, 12, 20}, {104, 12, 20}, {105, 10, 20}, {106, 9, 20}, {107, 9, 20},
    {108, 8, 20},  {100, 0, 1},   {101, 0, 3},   {102, 0, 4},  {103, 0, 4},  {104, 0, 5},  {105, 0, 5},
    {106, 0, 6},   {107, 0, 6},   {108, 0, 6},
};
constexpr int kMainlandFirst = 109, kMainlandLast = 390;  // corner rows of land from edge to edge

// Leaving: a bay opens in the middle, two headlands reach out to sea.
constexpr Span kLeaving[] = {
    {391, 0, 8},  {391, 13, 20}, {392, 0, 7},  {392, 14, 20}, {393, 0, 7},  {393, 15, 20}, {394, 0, 6},
    {394, 15, 20}, {395, 0, 5}, {395, 17, 20}, {396, 0, 5},  {396, 18, 20}, {397, 0, 5},  {398, 0, 4},
    {399, 0, 3},  {400, 0, 3},  {401, 0, 2},
};

constexpr Span kIslands[] = {
    {40, 5, 5},    {52, 14, 14},  {53, 13, 15},  {54, 12, 16},  {55, 12, 15}, {56, 13, 15}, {57, 14, 14},
    {68, 5, 6},    {69, 4, 7},    {70, 4, 6},    {71, 5, 5},    {84, 10, 11}, {85, 9, 12},  {86, 8, 12},
    {87, 9, 11},   {88, 10, 10},  {409, 12, 12}, {416, 6, 7},   {417, 5, 8},  {418, 6, 8},  {419, 7, 7},
    {432, 14, 14}, {444, 4, 5},   {445, 4, 5},
};

struct Block {
  int row, column, size;  // size x size tiles from (row, column)
};
constexpr Block kHangars[] = {{309, 5, 2},  {309, 11, 2}, {322, 12, 2}, {334, 4, 2},
                              {340, 11, 2}, {355, 13, 2}, {360, 4, 2},  {366, 13, 2}};
constexpr Block kHelipads[] = {{315, 12, 1}, {328, 5, 1}, {345, 13, 1}, {372, 5, 1}};

LandField MakeLand() {
  LandField land;
  for (const Span& s : kLandfall) land.SetLand(s.row, s.first, s.last);
  for (int row = kMainlandFirst; row <= kMainlandLast; ++row) land.SetLand(row, 0, MAP_COLUMNS);
  for (const Span& s : kLeaving) land.SetLand(s.row, s.first, s.last);
  for (const Span& s : kIslands) land.SetLand(s.row, s.first, s.last);
  land.CloseDiagonals();
  return land;
}

// Open water: deep at both ends of the map, shallower with waves between.
RECT SeaTile(int row, Lcg& rng) {
  if (row < kShallowsBegin || row > kDeepBegins) return TILE_DEEP_WATER;
  if (row == kShallowsBegin) return TILE_DEEP_TO_WATER;
  if (row == kDeepBegins) return TILE_WATER_TO_DEEP;
  return rng.OneIn(6) ? TILE_WAVES : TILE_WATER;
}

bool InForest(int row) {
  for (const auto& f : kForests)
    if (row > f[0] && row < f[1]) return true;
  return false;
}

bool IsRoadAcross(int row) {
  for (int r : kRoadsAcross)
    if (row == r) return true;
  return false;
}

// Grassland between the beach and the base: meadows, a battlefield, forests
// and the roads through them.
RECT CountryTile(int row, int column, Lcg& rng) {
  if (row == kGrassBegins) return TILE_SAND_TO_GRASS;
  if (IsRoadAcross(row)) {
    if (column == kMainRoad) return row == kMainRoadBegins ? TILE_ROAD_TEE_AHEAD : TILE_ROAD_CROSS;
    if (column == kSideRoad && row == kSideRoadRows[0]) return TILE_ROAD_TEE_AHEAD;
    if (column == kSideRoad && row == kSideRoadRows[1]) return TILE_ROAD_TEE_BEHIND;
    return TILE_ROAD_ACROSS;
  }
  if (column == kMainRoad && row > kMainRoadBegins) return InForest(row) ? TILE_ROAD_IN_FOREST : TILE_ROAD;
  if (column == kSideRoad && Between(row, kSideRoadRows[0], kSideRoadRows[1])) return TILE_ROAD;
  for (const auto& f : kForests) {
    if (row == f[0]) return TILE_GRASS_TO_FOREST;
    if (row == f[1]) return TILE_FOREST_TO_GRASS;
  }
  if (InForest(row)) return TILE_FOREST;
  if (Between(row, kBattlefield[0], kBattlefield[1])) {
    if (rng.OneIn(9)) return TILE_CRATER;
    if (rng.OneIn(8)) return TILE_SCORCHED;
    return TILE_GRASS;
  }
  return rng.OneIn(5) ? TILE_FLOWERS : TILE_GRASS;
}

bool InBlock(const Block& b, int row, int column) {
  return Between(row, b.row, b.row + b.size - 1) && Between(column, b.column, b.column + b.size - 1);
}

// The walled base: hangars and pads on steel floor, a lane from the gate,
// and the runway.
RECT BaseTile(int row, int column) {
  if (row == kBaseWall || row == kBaseExitWall)
    return column == kMainRoad && row == kBaseWall ? TILE_WALL_GATE : TILE_WALL;
  if (!Between(column, kBaseLeft, kBaseRight)) return TILE_WALL;
  if (column == kMainRoad) return TILE_FLOOR_LANE;
  if (column == kRunwayColumn && Between(row, kRunwayRows[0], kRunwayRows[1]))
    return row == kRunwayRows[0] || row == kRunwayRows[1] ? TILE_RUNWAY_END : TILE_RUNWAY;
  for (const Block& b : kHangars)
    if (InBlock(b, row, column)) return TILE_HANGAR_ROOF;
  for (const Block& b : kHelipads)
    if (InBlock(b, row, column)) return TILE_HELIPAD;
  return TILE_FLOOR;
}

RECT LandTile(int row, int column, Lcg& rng) {
  if (Between(row, kGrassBegins, kBaseWall - 1)) return CountryTile(row, column, rng);
  if (Between(row, kBaseWall, kBaseExitWall)) return BaseTile(row, column);
  if (Between(row, kBaseExitWall + 1, kSandBegins - 1)) return rng.OneIn(4) ? TILE_FLOWERS : TILE_GRASS;
  if (row == kSandBegins) return TILE_GRASS_TO_SAND;
  return TILE_SAND;
}

// The corner mask every tile of a row must have: open water where deep and
// shallow water join across the whole width, dry land from the first grass to
// the last (no shore may touch grass, forest or the base); -1 for any.
int RequiredMask(int row) {
  if (row == kShallowsBegin || row == kDeepBegins) return 0;
  if (Between(row, kGrassBegins, kSandBegins)) return 15;
  return -1;
}

}  // namespace

bool BuildJourney(TileMap& map, std::string& error) {
  Lcg rng(0x4B657374u);
  const Ground sea{RequiredMask, "open water", "dry land", [&rng](int row) { return SeaTile(row, rng); },
                   [&rng](int row, int column) { return LandTile(row, column, rng); }, SHORE_TILES};
  return LayTiles(MakeLand(), sea, map, error);
}

}  // namespace mapgen
