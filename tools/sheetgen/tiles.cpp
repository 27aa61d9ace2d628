// Stage 1's 32 x 32 background tiles (the coast, the country, the base) and
// the title and stage-clear backgrounds.
#include <algorithm>
#include <cstdlib>

#include "sheetgen/art.hpp"
#include "sheetgen/tile_kit.hpp"

namespace sheetgen {
namespace {

using namespace tiles;

// --- plain terrain -------------------------------------------------------------

uint8_t DeepWater(int x, int y) { return Dithered(R_WATER, 2, 5, Noise(x, y, 1), x, y); }

uint8_t Water(int x, int y) { return Dithered(R_WATER, 4, 7, Noise(x, y, 2), x, y); }

uint8_t Waves(int x, int y) {
  // Crests run across the tile, bent by noise; two per tile height.
  const int bend = (TileNoise(x, 0, kTile, 8, 3) - 128) / 32;
  const int phase = ((y + bend) % 16 + 16) % 16;
  if (phase == 0 && Hash(x / 3, y / 16, 4) % 4 != 0) return C(R_WATER, 12);
  if (phase == 1) return C(R_WATER, 9);
  return Water(x, y);
}

uint8_t Sand(int x, int y) {
  const uint32_t grain = Hash(x, y, 5) % 16;
  if (grain == 0) return C(R_SAND, 7);
  if (grain == 1) return C(R_SAND, 12);
  return Dithered(R_SAND, 8, 10, Noise(x, y, 6), x, y);
}

uint8_t Grass(int x, int y) {
  const uint32_t blade = Hash(x, y, 7) % 12;
  if (blade == 0) return C(R_GREEN, 9);
  if (blade == 1) return C(R_GREEN, 3);
  return Dithered(R_GREEN, 4, 7, Noise(x, y, 8), x, y);
}

uint8_t Forest(int x, int y) {
  static constexpr Blob kCrowns[] = {{6, 6, 7}, {22, 4, 6}, {14, 16, 7}, {29, 18, 6}, {5, 25, 6}, {20, 28, 6}};
  const int light = BlobLight(x, y, kCrowns);
  if (light == kNoBlob) return Dithered(R_FOREST, 1, 3, Noise(x, y, 9), x, y);
  const int v = 16 * 4 + light + (Noise(x, y, 10) - 128) / 4 + Bayer(x, y);
  return C(R_FOREST, std::clamp(v / 16, 3, 14));
}

// Boulders and stones half sunk in gravel.
uint8_t Rock(int x, int y) {
  static constexpr Blob kStones[] = {{5, 5, 6},  {17, 3, 4},  {26, 9, 6},  {12, 14, 5}, {3, 20, 4},
                                     {21, 20, 7}, {9, 27, 5}, {29, 28, 3}, {15, 25, 3}};
  const int light = BlobLight(x, y, kStones);
  if (light == kNoBlob) {
    return Hash(x, y, 11) % 3 == 0 ? C(R_ROCK, 6) : Dithered(R_ROCK, 3, 5, Noise(x, y, 26), x, y);
  }
  const int v = 16 * 6 + light + (Noise(x, y, 27) - 128) / 6 + Bayer(x, y);
  return C(R_ROCK, std::clamp(v / 16, 4, 13));
}

uint8_t Road(int x, int y) {
  if (x < 7 || x > 24) return Grass(x, y);
  if (x == 7 || x == 24) return C(R_ROCK, 4);
  if (x == 8 || x == 23) return C(R_ROCK, 12);
  if ((x == 15 || x == 16) && y % 16 < 8) return C(R_SAND, 14);
  return Dithered(R_ROCK, 4, 6, Noise(x, y, 12), x, y);
}

// Cracks in the ice: polylines whose ends meet across the tile's edges.
bool OnCrack(int x, int y) {
  static constexpr Point kCrackA[] = {{0, 6}, {7, 9}, {13, 8}, {20, 14}, {26, 12}, {32, 6}};
  static constexpr Point kCrackB[] = {{19, 9}, {17, 16}, {20, 21}, {18, 26}, {22, 29}};
  const auto near = [&](const Point* p, size_t n) {
    for (size_t i = 0; i + 1 < n; ++i) {
      const Point a = p[i], b = p[i + 1];
      const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
      for (int t = 0; t <= steps; ++t) {
        const int px = a.x + (b.x - a.x) * t / steps, py = a.y + (b.y - a.y) * t / steps;
        if ((px % kTile) == x && (py % kTile) == y) return true;
      }
    }
    return false;
  };
  return near(kCrackA, 6) || near(kCrackB, 5);
}

uint8_t Ice(int x, int y) {
  const int n = Noise(x, y, 13);
  if (OnCrack(x, y)) return C(R_ICE, 6);
  if (OnCrack((x + kTile - 1) % kTile, (y + kTile - 1) % kTile)) return C(R_ICE, 15);  // the lit lip of the crack
  if (Hash(x, y, 14) % 40 == 0) return C(R_ICE, 15);
  return Dithered(R_ICE, 10, 13, n, x, y);
}

// --- shorelines ------------------------------------------------------------------

// `depth` = how far into the land the pixel is (negative: in the water).
uint8_t ShoreAt(int depth, int x, int y) {
  if (depth < -1) return Water(x, y);
  if (depth < 0) return C(R_ICE, 13);  // surf
  if (depth < 2) return Dithered(R_SAND, 6, 7, Noise(x, y, 16), x, y);
  return Sand(x, y);
}

uint8_t CoastWaterTop(int x, int y) { return ShoreAt(WaterTopDepth(x, y), x, y); }
uint8_t CoastLandTop(int x, int y) { return ShoreAt(LandTopDepth(x, y), x, y); }
uint8_t CoastWaterLeft(int x, int y) { return ShoreAt(WaterLeftDepth(x, y), x, y); }
uint8_t CoastLandLeft(int x, int y) { return ShoreAt(LandLeftDepth(x, y), x, y); }

uint8_t SandTopGrassBottom(int x, int y) {
  const int edge = Shore(x + 7);
  if (y < edge) return Sand(x, y);
  return (y == edge && Hash(x, y, 17) % 2) ? C(R_SAND, 8) : Grass(x, y);
}

uint8_t GrassTopSandBottom(int x, int y) {
  const int edge = Shore(x + 7);
  if (y >= edge) return Sand(x, y);
  return (y == edge - 1 && Hash(x, y, 17) % 2) ? C(R_SAND, 8) : Grass(x, y);
}

// --- buildings ---------------------------------------------------------------------

// Steel plates 16 x 16 with bevelled seams and corner rivets.
uint8_t Floor(int x, int y) {
  const int px = x % 16, py = y % 16;
  if (px == 0 || py == 0) return C(R_STEEL, 4);
  if (px == 1 || py == 1) return C(R_STEEL, 9);
  if ((px == 3 || px == 13) && (py == 3 || py == 13)) return C(R_STEEL, 10);
  return Dithered(R_STEEL, 6, 7, Noise(x, y, 18), x, y);
}

uint8_t FloorLines(int x, int y) {
  if (x == 5 || x == 6 || x == 25 || x == 26) return (y / 4) % 2 ? C(R_SAND, 13) : C(R_SAND, 11);
  return Floor(x, y);
}

// Armoured blocks 16 x 8 in offset courses, each raised with a bevel.
uint8_t Wall(int x, int y) {
  const int course = y / 8, bx = (x + (course % 2) * 8) % 16, by = y % 8;
  if (bx == 15 || by == 7) return C(R_STEEL, 2);
  if (bx == 14 || by == 6) return C(R_STEEL, 5);
  if (bx == 0 || by == 0) return C(R_STEEL, 12);
  return Dithered(R_STEEL, 8, 9, Noise(x, y, 19), x, y);
}

uint8_t HangarRoof(int x, int y) {
  static constexpr int kRidge[4] = {10, 8, 6, 5};
  if (y % 16 == 0) return C(R_ROCK, 3);
  return C(R_ROCK, kRidge[x % 4] - (Noise(x, y, 20) > 170 ? 1 : 0));
}

uint8_t Runway(int x, int y) {
  if (x == 2 || x == 29) return C(R_ICE, 14);
  if ((x == 15 || x == 16) && y % 16 >= 4 && y % 16 < 12) return C(R_ICE, 14);
  return Dithered(R_ROCK, 3, 5, Noise(x, y, 21), x, y);
}

uint8_t Crater(int x, int y) {
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32, d2 = dx * dx + dy * dy;
  if (d2 > 4 * 13 * 13) return Grass(x, y);
  if (d2 > 4 * 10 * 10) {
    // The rim: lit on its upper-left slope, shadowed lower right.
    return Dithered(R_BROWN, 5, 12, std::clamp(128 - (dx + dy) * 4, 0, 255), x, y);
  }
  // The pit: its far (lower-right) wall catches the light.
  return Dithered(R_BROWN, 1, 6, std::clamp(96 + (dx + dy) * 5, 0, 255), x, y);
}

uint8_t Flowers(int x, int y) {
  static constexpr uint8_t kPetals[3] = {C(R_MAGENTA, 13), C(R_SAND, 15), C(R_ICE, 15)};
  const uint32_t h = Hash(x / 4, y / 4, 22);
  if (h % 3 == 0 && x % 4 == static_cast<int>(h >> 4) % 3 && y % 4 == static_cast<int>(h >> 8) % 3)
    return kPetals[(h >> 12) % 3];
  return Grass(x, y);
}

// --- extra terrain ---------------------------------------------------------------------

// The road turned to run across the screen.
uint8_t RoadAcross(int x, int y) {
  if (y < 7 || y > 24) return Grass(x, y);
  if (y == 7 || y == 24) return C(R_ROCK, 4);
  if (y == 8 || y == 23) return C(R_ROCK, 12);
  if ((y == 15 || y == 16) && x % 16 < 8) return C(R_SAND, 14);
  return Dithered(R_ROCK, 4, 6, Noise(x, y, 12), x, y);
}

uint8_t RoadJunction(int x, int y) {
  if (x >= 7 && x <= 24 && y >= 7 && y <= 24) return Dithered(R_ROCK, 4, 6, Noise(x, y, 12), x, y);
  return y >= 7 && y <= 24 ? RoadAcross(x, y) : Road(x, y);
}

uint8_t Reef(int x, int y) {
  const int n = Noise(x, y, 23);
  if (n > 165) return Dithered(R_ROCK, 4, 9, (n - 165) * 2, x, y);
  if (n > 150) return C(R_WATER, 10);
  return Water(x, y);
}

uint8_t Helipad(int x, int y) {
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32, d2 = dx * dx + dy * dy;
  const bool ring = d2 >= 4 * 11 * 11 && d2 <= 4 * 13 * 13;
  const bool letterH = ((x == 11 || x == 12 || x == 19 || x == 20) && y >= 10 && y <= 21) ||
                       (x > 12 && x < 19 && (y == 15 || y == 16));
  if (ring || letterH) return C(R_SAND, 13);
  return Dithered(R_STEEL, 5, 6, Noise(x, y, 24), x, y);
}

uint8_t RunwayThreshold(int x, int y) {
  if (x >= 4 && x <= 27 && x % 4 < 2 && y >= 6 && y <= 25) return C(R_ICE, 14);
  return Runway(x, y);
}

uint8_t GrassTopForestBottom(int x, int y) { return y < Shore(x + 3) ? Grass(x, y) : Forest(x, y); }

uint8_t Scorched(int x, int y) {
  const int n = Noise(x, y, 25);
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32, d2 = dx * dx + dy * dy;
  if (d2 + (n - 128) * 8 < 4 * 12 * 12) return Dithered(R_BROWN, 1, 4, n, x, y);
  return Grass(x, y);
}

// --- joins for the tile map --------------------------------------------------------

template <int CX, int CY>
uint8_t Cape(int x, int y) {
  return ShoreAt(CapeDepth<CX, CY>(x, y), x, y);
}

template <int CX, int CY>
uint8_t Bay(int x, int y) {
  return ShoreAt(BayDepth<CX, CY>(x, y), x, y);
}

// Deep water dithered into shallower water as `towardShallow` grows from 0 to 31.
uint8_t DeepShallowing(int x, int y, int towardShallow) {
  const int level = towardShallow * 18 / (kTile - 1) - 1 + (Noise(x, y, 28) - 128) / 64;
  return level > Bayer(x, y) ? Water(x, y) : DeepWater(x, y);
}
uint8_t DeepTopWaterBottom(int x, int y) { return DeepShallowing(x, y, y); }
uint8_t WaterTopDeepBottom(int x, int y) { return DeepShallowing(x, y, kTile - 1 - y); }

uint8_t ForestTopGrassBottom(int x, int y) { return y < Shore(x + 3) ? Forest(x, y) : Grass(x, y); }

uint8_t RoadInForest(int x, int y) { return x < 7 || x > 24 ? Forest(x, y) : Road(x, y); }

uint8_t Asphalt(int x, int y) { return Dithered(R_ROCK, 4, 6, Noise(x, y, 12), x, y); }

// The road across with a branch leaving through the bottom (top) edge.
uint8_t RoadTeeDown(int x, int y) {
  const bool branch = x >= 7 && x <= 24;
  if (y > 24) return branch ? Road(x, y) : Grass(x, y);
  return branch && y >= 15 ? Asphalt(x, y) : RoadAcross(x, y);
}

uint8_t RoadTeeUp(int x, int y) {
  const bool branch = x >= 7 && x <= 24;
  if (y < 7) return branch ? Road(x, y) : Grass(x, y);
  return branch && y <= 16 ? Asphalt(x, y) : RoadAcross(x, y);
}

// The base wall opened for the road, with hazard-striped posts.
uint8_t WallGate(int x, int y) {
  if (x >= 7 && x <= 24) return Road(x, y);
  if (x < 3 || x > 28) return Wall(x, y);
  if (x == 3 || x == 25) return C(R_STEEL, 12);
  if (x == 6 || x == 28) return C(R_STEEL, 2);
  return (x + y) / 3 % 2 ? C(R_SAND, 13) : C(R_GREY, 2);
}

// --- screen backgrounds -----------------------------------------------------------------

// Title: a faint diamond lattice on deep navy.
uint8_t TitleBack(int x, int y) {
  if ((x + y) % 16 == 0 || (x - y + 32) % 16 == 0) return C(R_BLUE, 2);
  if ((x + y) % 16 == 8 && (x - y + 32) % 16 == 8) return C(R_BLUE, 4);
  return (x + y) % 2 && y % 2 ? C(R_STEEL, 1) : C(R_BLUE, 1);
}

// Stage clear: soft raised squares on dark violet.
uint8_t ClearBack(int x, int y) {
  const int px = x % 16, py = y % 16;
  if (px == 0 || py == 0) return C(R_PURPLE, 3);
  if (px == 15 || py == 15) return C(R_PURPLE, 1);
  return (x + y) % 2 ? C(R_PURPLE, 2) : C(R_PURPLE, 1);
}

constexpr TilePlace kTiles[] = {
    {TILE_DEEP_WATER, DeepWater, "deep water"},
    {TILE_WATER, Water, "water"},
    {TILE_WAVES, Waves, "water with waves"},
    {TILE_COAST_LAND_BOTTOM, CoastWaterTop, "coast: water top, sand bottom"},
    {TILE_COAST_LAND_TOP, CoastLandTop, "coast: sand top, water bottom"},
    {TILE_SAND, Sand, "sand"},
    {TILE_GRASS, Grass, "grass"},
    {TILE_FOREST, Forest, "forest (tree crowns)"},
    {TILE_ROCK, Rock, "rock"},
    {TILE_ROAD, Road, "road running up the screen, grass verges"},
    {TILE_COAST_LAND_RIGHT, CoastWaterLeft, "coast: water left, sand right"},
    {TILE_COAST_LAND_LEFT, CoastLandLeft, "coast: sand left, water right"},
    {TILE_FLOOR, Floor, "base floor (steel plates)"},
    {TILE_FLOOR_LANE, FloorLines, "base floor with yellow lane lines"},
    {TILE_WALL, Wall, "base wall (armoured blocks)"},
    {TILE_HANGAR_ROOF, HangarRoof, "hangar roof (corrugated)"},
    {TILE_RUNWAY, Runway, "runway with centre dashes"},
    {TILE_CRATER, Crater, "crater in grass"},
    {TILE_FLOWERS, Flowers, "grass with flowers"},
    {TILE_ICE, Ice, "ice"},
    {TILE_SAND_TO_GRASS, SandTopGrassBottom, "sand top, grass bottom"},
    {TILE_GRASS_TO_SAND, GrassTopSandBottom, "grass top, sand bottom"},
    {TILE_ROAD_CROSS, RoadJunction,
     "crossroads (joins the road tile above and below, the road across left and right)"},
    {TILE_REEF, Reef, "reef: rocks in water"},
    {TILE_HELIPAD, Helipad, "helipad on base floor"},
    {TILE_RUNWAY_END, RunwayThreshold, "runway threshold stripes (joins the runway)"},
    {TILE_GRASS_TO_FOREST, GrassTopForestBottom, "grass top, forest bottom"},
    {TILE_SCORCHED, Scorched, "scorched ground in grass"},
    {TILE_ROAD_ACROSS, RoadAcross, "road running across the screen, grass verges"},
    {TILE_CAPE_BOTTOM_RIGHT, Cape<kTile, kTile>,
     "shore cape: sand within a quarter circle about the bottom-right corner, water elsewhere"},
    {TILE_CAPE_BOTTOM_LEFT, Cape<0, kTile>, "shore cape about the bottom-left corner"},
    {TILE_CAPE_TOP_RIGHT, Cape<kTile, 0>, "shore cape about the top-right corner"},
    {TILE_CAPE_TOP_LEFT, Cape<0, 0>, "shore cape about the top-left corner"},
    {TILE_BAY_TOP_LEFT, Bay<0, 0>,
     "shore bay: water within a quarter circle about the top-left corner, sand elsewhere"},
    {TILE_BAY_TOP_RIGHT, Bay<kTile, 0>, "shore bay about the top-right corner"},
    {TILE_BAY_BOTTOM_LEFT, Bay<0, kTile>, "shore bay about the bottom-left corner"},
    {TILE_BAY_BOTTOM_RIGHT, Bay<kTile, kTile>, "shore bay about the bottom-right corner"},
    {TILE_DEEP_TO_WATER, DeepTopWaterBottom, "deep water top, water bottom (dithered)"},
    {TILE_WATER_TO_DEEP, WaterTopDeepBottom, "water top, deep water bottom (dithered)"},
    {TILE_FOREST_TO_GRASS, ForestTopGrassBottom, "forest top, grass bottom"},
    {TILE_ROAD_IN_FOREST, RoadInForest, "road running up the screen through forest"},
    {TILE_ROAD_TEE_AHEAD, RoadTeeDown, "road across, with a branch leaving through the bottom edge"},
    {TILE_ROAD_TEE_BEHIND, RoadTeeUp, "road across, with a branch leaving through the top edge"},
    {TILE_WALL_GATE, WallGate, "base wall opened for the road, hazard-striped posts"},
};

}  // namespace

void DrawScreenTiles(Sheet& sheet) {
  Paint(sheet.Place(Table::kFixed, RC_TITLE_TILE, "Title background tile",
                    "dark navy diamond lattice, seamless, no index 0"),
        TitleBack);
  Paint(sheet.Place(Table::kFixed, RC_CLEAR_TILE, "Stage-clear background tile",
                    "dark violet raised squares, seamless, no index 0"),
        ClearBack);
}

void DrawTiles(Sheet& sheet) { PlaceTiles(sheet, kTiles); }

}  // namespace sheetgen
