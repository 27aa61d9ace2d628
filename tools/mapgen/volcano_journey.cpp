#include "data/stage2_sheet.hpp"
#include "mapgen/journey.hpp"
#include "mapgen/land_field.hpp"
#include "mapgen/lcg.hpp"

namespace mapgen {
namespace {

using namespace stage2;

// Landmarks in map rows; row 0 comes into view first.
constexpr int kMeltBegins = 20;  // the crust breaks up into open lava
constexpr int kCrustBegins = 460;
constexpr int kAsh[2] = {200, 290};       // the rows of its joins with the basalt
constexpr int kObsidian[2] = {351, 376};
constexpr int kMainlandFirst = 111, kMainlandLast = 395;  // corner rows of rock from edge to edge, but for the lava

// The lava river across the plain: its corner rows by corner column, from
// kRiverRow + top to kRiverRow + bottom.
constexpr int kRiverRow = 158;
constexpr int kRiverTop[MAP_COLUMNS + 1] = {1, 1, 0, 0, 0, 1, 2, 2, 1, 0, 0, 0, 1, 1, 2, 2, 1, 0, 0, 1, 1};
constexpr int kRiverBottom[MAP_COLUMNS + 1] = {6, 5, 5, 6, 7, 7, 6, 5, 5, 5, 6, 7, 7, 6, 5, 5, 6, 7, 7, 6, 6};

// The lava channel winding down from the obsidian: three corners wide,
// its first corner column shifting every few rows.
constexpr int kChannel[2] = {312, 348};
constexpr int kChannelColumn[] = {9, 9, 10, 11, 11, 12, 12, 11, 10, 9, 8, 7, 7, 8, 9, 10, 10, 9, 8};
constexpr int kChannelRowsPerStep = 2;

// Rock rises from the left, a headland closes in from the right.
constexpr Span kLandfall[] = {
    {96, 0, 2},   {97, 0, 3},   {98, 0, 5},    {99, 0, 6},    {100, 0, 6},   {101, 0, 8},   {102, 0, 9},
    {103, 0, 9},  {104, 0, 11}, {105, 0, 12},  {106, 0, 12},  {107, 0, 13},  {108, 0, 14},  {109, 0, 15},
    {110, 0, 17}, {101, 19, 20}, {102, 18, 20}, {103, 17, 20}, {104, 17, 20}, {105, 16, 20}, {106, 15, 20},
    {107, 15, 20}, {108, 16, 20}, {109, 16, 20}, {110, 18, 20},
};

// Into the caldera: the rock parts in the middle for the lava lake.
constexpr Span kLeaving[] = {
    {396, 0, 8},  {396, 12, 20}, {397, 0, 7},  {397, 13, 20}, {398, 0, 6},  {398, 14, 20}, {399, 0, 6},
    {399, 15, 20}, {400, 0, 5}, {400, 16, 20}, {401, 0, 4},  {401, 17, 20}, {402, 0, 3},  {402, 18, 20},
    {403, 0, 2},  {403, 19, 20}, {404, 0, 1},  {405, 0, 0},
};

constexpr Span kIslands[] = {
    {38, 13, 13},  {46, 5, 6},    {47, 4, 7},    {48, 5, 7},    {49, 6, 6},    {60, 12, 14},  {61, 11, 15},
    {62, 11, 14},  {63, 12, 13},  {74, 7, 7},    {82, 14, 15},  {83, 13, 16},  {84, 14, 15},  {420, 6, 7},
    {421, 5, 8},   {422, 6, 7},   {434, 13, 14}, {435, 12, 15}, {436, 13, 14}, {448, 8, 8},
};

struct Pipeline {
  int column, wellRow;
};
// Both run on to the pipe across at the ash's far end.
constexpr Pipeline kPipelines[] = {{6, 206}, {13, 236}};
constexpr int kPipesAcross[] = {244, 284};
constexpr int kPumps[][2] = {{222, 6}, {250, 6}, {262, 13}};  // row, column

bool InChannel(int row, int column) {
  if (!Between(row, kChannel[0], kChannel[1])) return false;
  const int first = kChannelColumn[(row - kChannel[0]) / kChannelRowsPerStep];
  return Between(column, first, first + 2);
}

bool InRiver(int row, int column) {
  return Between(row, kRiverRow + kRiverTop[column], kRiverRow + kRiverBottom[column]);
}

LandField MakeLand() {
  LandField land;
  for (const Span& s : kLandfall) land.SetLand(s.row, s.first, s.last);
  for (int row = kMainlandFirst; row <= kMainlandLast; ++row)
    for (int column = 0; column <= MAP_COLUMNS; ++column)
      if (!InRiver(row, column) && !InChannel(row, column)) land.SetLand(row, column, column);
  for (const Span& s : kLeaving) land.SetLand(s.row, s.first, s.last);
  for (const Span& s : kIslands) land.SetLand(s.row, s.first, s.last);
  land.CloseDiagonals();
  return land;
}

// Open lava: crusted over at both ends of the map, molten between.
RECT MeltTile(int row, Lcg& rng) {
  if (row < kMeltBegins || row > kCrustBegins) return TILE_CRUST;
  if (row == kMeltBegins) return TILE_CRUST_TO_LAVA;
  if (row == kCrustBegins) return TILE_LAVA_TO_CRUST;
  return rng.OneIn(5) ? TILE_LAVA_FLOW : TILE_LAVA;
}

bool IsPipeAcross(int row) {
  for (const int r : kPipesAcross)
    if (row == r) return true;
  return false;
}

// The ash fields and the geothermal works on them.
RECT AshTile(int row, int column, Lcg& rng) {
  for (const Pipeline& p : kPipelines) {
    if (column != p.column) continue;
    if (row == p.wellRow) return TILE_WELL_HEAD;
    if (row == kPipesAcross[1]) return TILE_PIPE_TEE;
    if (Between(row, p.wellRow, kPipesAcross[1])) {
      if (IsPipeAcross(row)) return TILE_PIPE_CROSS;
      for (const auto& pump : kPumps)
        if (pump[0] == row && pump[1] == column) return TILE_PUMP;
      return TILE_PIPE;
    }
  }
  if (IsPipeAcross(row)) return TILE_PIPE_ACROSS;
  if (rng.OneIn(40)) return TILE_FUMAROLE;
  if (rng.OneIn(70)) return TILE_CINDER_CONE;
  return TILE_ASH;
}

RECT RockTile(int row, int column, Lcg& rng) {
  if (row == kAsh[0]) return TILE_BASALT_TO_ASH;
  if (row == kAsh[1]) return TILE_ASH_TO_BASALT;
  if (Between(row, kAsh[0], kAsh[1])) return AshTile(row, column, rng);
  if (row == kObsidian[0]) return TILE_BASALT_TO_OBSIDIAN;
  if (row == kObsidian[1]) return TILE_OBSIDIAN_TO_BASALT;
  if (Between(row, kObsidian[0], kObsidian[1])) return TILE_OBSIDIAN;
  if (rng.OneIn(7)) return TILE_RUBBLE;
  if (rng.OneIn(14)) return TILE_FISSURE;
  if (rng.OneIn(28)) return TILE_VENT;
  return TILE_BASALT;
}

// The corner mask every tile of a row must have: open lava where the crust
// joins the melt across the whole width, solid rock over the ash and the
// obsidian (no shore may touch them); -1 for any.
int RequiredMask(int row) {
  if (row == kMeltBegins || row == kCrustBegins) return 0;
  if (Between(row, kAsh[0], kAsh[1]) || Between(row, kObsidian[0], kObsidian[1])) return 15;
  return -1;
}

}  // namespace

bool BuildVolcanoJourney(TileMap& map, std::string& error) {
  Lcg rng(0x4C617661u);
  const Ground lava{RequiredMask, "open lava", "solid rock", [&rng](int row) { return MeltTile(row, rng); },
                    [&rng](int row, int column) { return RockTile(row, column, rng); }, LAVA_SHORE_TILES};
  return LayTiles(MakeLand(), lava, map, error);
}

}  // namespace mapgen
