// Stage 2's 32 x 32 ground: a crusted lava sea, molten lava with its shores
// of basalt, ash fields with fumaroles and cinder cones, obsidian flows and
// the pipes and pumps of a geothermal works.
#include <cstdlib>

#include "data/stage2_sheet.hpp"
#include "sheetgen/art.hpp"
#include "sheetgen/tile_kit.hpp"

namespace sheetgen {
namespace {

using namespace tiles;
using namespace stage2;

// --- lava ----------------------------------------------------------------------------

uint8_t Lava(int x, int y) {
  const int vein = Noise(x, y, 71);
  if (vein > 176) return C(R_FIRE, 9 + (vein - 176) / 27);
  return Dithered(R_FIRE, 4, 7, Noise(x, y, 70), x, y);
}

// Bright streaks drift across the melt, bent by noise; two per tile height.
uint8_t LavaFlow(int x, int y) {
  const int bend = (TileNoise(x, 0, kTile, 8, 72) - 128) / 32;
  const int phase = ((y + bend) % 16 + 16) % 16;
  if (phase == 0 && Hash(x / 3, y / 16, 73) % 4 != 0) return C(R_FIRE, 12);
  if (phase == 1) return C(R_FIRE, 9);
  if (phase == 8 && Hash(x / 2, y, 74) % 5 == 0) return C(R_FIRE, 2);
  return Lava(x, y);
}

// Cooled plates floating on the melt, which glows through the seams between them.
uint8_t Crust(int x, int y) {
  const int seam = std::abs(Noise(x, y, 75) - 128);
  if (seam < 5) return C(R_FIRE, 10 - seam);
  if (seam < 8) return C(R_FIRE, 4);
  return Dithered(R_ROCK, 2, 4, Noise(x, y, 76), x, y);
}

// Crust dithered into open melt as `towardMelt` grows from 0 to 31.
uint8_t CrustMelting(int x, int y, int towardMelt) {
  const int level = towardMelt * 18 / (kTile - 1) - 1 + (Noise(x, y, 77) - 128) / 64;
  return level > Bayer(x, y) ? Lava(x, y) : Crust(x, y);
}
uint8_t CrustTopLavaBottom(int x, int y) { return CrustMelting(x, y, y); }
uint8_t LavaTopCrustBottom(int x, int y) { return CrustMelting(x, y, kTile - 1 - y); }

// --- rock and ash ------------------------------------------------------------------

uint8_t Basalt(int x, int y) {
  const uint32_t fleck = Hash(x, y, 78) % 14;
  if (fleck == 0) return C(R_STEEL, 4);
  if (fleck == 1) return C(R_ROCK, 6);
  return Dithered(R_ROCK, 2, 4, Noise(x, y, 79), x, y);
}

// Boulders tumbled on the basalt.
uint8_t Rubble(int x, int y) {
  static constexpr Blob kStones[] = {{7, 7, 5}, {22, 6, 4}, {15, 17, 6}, {27, 21, 4}, {6, 24, 4}, {18, 28, 3}};
  const int light = BlobLight(x, y, kStones);
  if (light == kNoBlob) return Basalt(x, y);
  const int v = 16 * 5 + light + (Noise(x, y, 80) - 128) / 6 + Bayer(x, y);
  return C(R_ROCK, std::clamp(v / 16, 2, 10));
}

// True on the cracks of a fissure, which stay clear of the tile's edges.
bool OnFissure(int x, int y) {
  static constexpr Point kCrack[] = {{4, 9}, {10, 12}, {15, 10}, {19, 16}, {24, 17}, {27, 24}};
  static constexpr Point kBranch[] = {{15, 10}, {13, 17}, {16, 22}, {14, 27}};
  const auto near = [&](const Point* p, size_t n) {
    for (size_t i = 0; i + 1 < n; ++i) {
      const Point a = p[i], b = p[i + 1];
      const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
      for (int t = 0; t <= steps; ++t)
        if (a.x + (b.x - a.x) * t / steps == x && a.y + (b.y - a.y) * t / steps == y) return true;
    }
    return false;
  };
  return near(kCrack, 6) || near(kBranch, 4);
}

uint8_t Fissure(int x, int y) {
  if (OnFissure(x, y)) return C(R_FIRE, 13);
  for (const Point d : {Point{1, 0}, Point{-1, 0}, Point{0, 1}, Point{0, -1}})
    if (OnFissure(x + d.x, y + d.y)) return C(R_FIRE, 6);
  return Basalt(x, y);
}

// A ring about the tile's middle: 0 inside `inner`, 1 on the rim, 2 outside `outer`, with a little noise.
int Zone(int x, int y, int inner, int outer, uint32_t seed) {
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32, d2 = dx * dx + dy * dy + (Noise(x, y, seed) - 128) * 2;
  return d2 < 4 * inner * inner ? 0 : d2 < 4 * outer * outer ? 1 : 2;
}

// A small vent in the basalt: a lit rim about a glowing throat.
uint8_t Vent(int x, int y) {
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32;
  switch (Zone(x, y, 5, 11, 81)) {
    case 0: return C(R_FIRE, std::clamp(14 - (dx * dx + dy * dy) / 14, 8, 14));
    case 1: return Dithered(R_BROWN, 3, 9, std::clamp(128 - (dx + dy) * 5, 0, 255), x, y);
    default: return Basalt(x, y);
  }
}

uint8_t Ash(int x, int y) {
  const uint32_t grain = Hash(x, y, 82) % 16;
  if (grain == 0) return C(R_GREY, 11);
  if (grain == 1) return C(R_ROCK, 5);
  return Dithered(R_GREY, 6, 8, Noise(x, y, 83), x, y);
}

// A steaming hole ringed with yellow sulphur in the ash.
uint8_t Fumarole(int x, int y) {
  switch (Zone(x, y, 3, 10, 84)) {
    case 0: return Hash(x, y, 85) % 3 == 0 ? C(R_GREY, 14) : C(R_ROCK, 2);
    case 1: return Hash(x, y, 86) % 5 == 0 ? C(R_ORANGE, 13) : Dithered(R_SAND, 8, 12, Noise(x, y, 86), x, y);
    default: return Ash(x, y);
  }
}

// A cinder cone rising from the ash, lava in its crater.
uint8_t CinderCone(int x, int y) {
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32;
  switch (Zone(x, y, 4, 13, 87)) {
    case 0: return C(R_FIRE, std::clamp(13 - (dx * dx + dy * dy) / 10, 8, 13));
    case 1: return Dithered(R_BROWN, 2, 8, std::clamp(128 - (dx + dy) * 4, 0, 255), x, y);
    default: return Ash(x, y);
  }
}

// Black volcanic glass with violet sheen and glints along its facets.
uint8_t Obsidian(int x, int y) {
  const int facet = (Noise(x, y, 88) / 24) % 2;
  if (std::abs(Noise(x, y, 89) - 128) < 3) return C(R_PURPLE, 9);
  if (Hash(x, y, 90) % 37 == 0) return C(R_ICE, 15);
  return Dithered(R_PURPLE, 1 + facet, 3 + facet, Noise(x, y, 91), x, y);
}

// A ragged edge across the tile between two grounds.
uint8_t Join(int x, int y, uint8_t (*top)(int, int), uint8_t (*bottom)(int, int)) {
  return y < Shore(x + 5) ? top(x, y) : bottom(x, y);
}
uint8_t BasaltTopAshBottom(int x, int y) { return Join(x, y, Basalt, Ash); }
uint8_t AshTopBasaltBottom(int x, int y) { return Join(x, y, Ash, Basalt); }
uint8_t BasaltTopObsidianBottom(int x, int y) { return Join(x, y, Basalt, Obsidian); }
uint8_t ObsidianTopBasaltBottom(int x, int y) { return Join(x, y, Obsidian, Basalt); }

// --- the geothermal works ------------------------------------------------------------

// A steel pipe `t` pixels across from its left (top) edge, lit from the top
// left; flanges every 16 pixels along it at `along`.
uint8_t PipeAt(int t, int along) {
  static constexpr int kShade[10] = {3, 7, 10, 11, 10, 9, 8, 7, 5, 3};
  const int flange = along % 16 < 2 ? (along % 16 == 0 ? 2 : -2) : 0;
  return C(R_STEEL, kShade[t] + flange);
}

bool InPipe(int t) { return t >= 11 && t <= 20; }

uint8_t Pipe(int x, int y) {
  if (!InPipe(x)) return x == 10 || x == 21 ? C(R_GREY, 4) : Ash(x, y);  // its shadow on the ash
  return PipeAt(x - 11, y);
}

uint8_t PipeAcross(int x, int y) {
  if (!InPipe(y)) return y == 10 || y == 21 ? C(R_GREY, 4) : Ash(x, y);
  return PipeAt(y - 11, x);
}

// A valve housing where two pipes cross.
uint8_t PipeCross(int x, int y) {
  if (x >= 8 && x <= 23 && y >= 8 && y <= 23) {
    if (x == 8 || y == 8) return C(R_STEEL, 12);
    if (x == 23 || y == 23) return C(R_STEEL, 3);
    const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32;
    if (dx * dx + dy * dy < 4 * 4 * 4) return C(R_RED, 9);  // the valve wheel
    return C(R_STEEL, 7);
  }
  return InPipe(x) ? Pipe(x, y) : PipeAcross(x, y);
}

// A pump house on the pipe, its vents glowing.
uint8_t Pump(int x, int y) {
  if (x < 5 || x > 26 || y < 6 || y > 25) return Pipe(x, y);
  if (x == 5 || y == 6) return C(R_STEEL, 13);
  if (x == 26 || y == 25) return C(R_STEEL, 2);
  if (y >= 10 && y <= 21 && (x == 9 || x == 13 || x == 18 || x == 22)) return C(R_FIRE, 9 + (y % 4 == 0 ? 3 : 0));
  return Dithered(R_STEEL, 5, 7, Noise(x, y, 92), x, y);
}

// A well head drilled into the ash, its pipe leaving through the bottom edge.
uint8_t WellHead(int x, int y) {
  const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 24, d2 = dx * dx + dy * dy;
  if (d2 < 4 * 3 * 3) return C(R_FIRE, 12);
  if (d2 < 4 * 8 * 8) return C(R_STEEL, d2 < 4 * 6 * 6 ? 5 : 10 - (dx + dy) / 6);
  return y > 12 ? Pipe(x, y) : Ash(x, y);
}

// The pipe across, with a branch coming in through the top edge.
uint8_t PipeTee(int x, int y) {
  if (y < 11 && InPipe(x)) return Pipe(x, y);
  return PipeAcross(x, y);
}

// --- lava shores ---------------------------------------------------------------------

// `depth` = how far into the rock the pixel is (negative: in the lava): a
// white-hot line where the melt touches the rock, then chilled black rock.
uint8_t LavaShoreAt(int depth, int x, int y) {
  if (depth < -1) return Lava(x, y);
  if (depth < 0) return C(R_FIRE, 12);
  if (depth < 2) return Dithered(R_ROCK, 1, 2, Noise(x, y, 93), x, y);
  return Basalt(x, y);
}

template <int (*kDepth)(int, int)>
uint8_t LavaShore(int x, int y) {
  return LavaShoreAt(kDepth(x, y), x, y);
}

constexpr TilePlace kVolcanoTiles[] = {
    {TILE_LAVA, Lava, "molten lava"},
    {TILE_LAVA_FLOW, LavaFlow, "molten lava with bright streaks drifting across"},
    {TILE_CRUST, Crust, "lava crust: dark plates, the melt glowing in the seams"},
    {TILE_CRUST_TO_LAVA, CrustTopLavaBottom, "crust top, molten lava bottom (dithered)"},
    {TILE_LAVA_TO_CRUST, LavaTopCrustBottom, "molten lava top, crust bottom (dithered)"},
    {TILE_BASALT, Basalt, "basalt"},
    {TILE_RUBBLE, Rubble, "boulders on basalt"},
    {TILE_FISSURE, Fissure, "glowing fissure in basalt (edges plain basalt)"},
    {TILE_VENT, Vent, "vent in basalt: a lit rim about a glowing throat"},
    {TILE_ASH, Ash, "ash"},
    {TILE_FUMAROLE, Fumarole, "fumarole in ash: a steaming hole ringed with sulphur"},
    {TILE_CINDER_CONE, CinderCone, "cinder cone in ash, lava in its crater"},
    {TILE_OBSIDIAN, Obsidian, "obsidian: black-violet glass with glints"},
    {TILE_BASALT_TO_ASH, BasaltTopAshBottom, "basalt top, ash bottom"},
    {TILE_ASH_TO_BASALT, AshTopBasaltBottom, "ash top, basalt bottom"},
    {TILE_BASALT_TO_OBSIDIAN, BasaltTopObsidianBottom, "basalt top, obsidian bottom"},
    {TILE_OBSIDIAN_TO_BASALT, ObsidianTopBasaltBottom, "obsidian top, basalt bottom"},
    {TILE_PIPE, Pipe, "steel pipe running up the screen over ash"},
    {TILE_PIPE_ACROSS, PipeAcross, "steel pipe running across the screen over ash"},
    {TILE_PIPE_CROSS, PipeCross, "valve housing where the pipes cross (joins both)"},
    {TILE_PUMP, Pump, "pump house on the pipe up the screen, glowing vents"},
    {TILE_WELL_HEAD, WellHead, "well head in ash, its pipe leaving through the bottom edge"},
    {TILE_PIPE_TEE, PipeTee, "pipe across, with a branch coming in through the top edge"},
    {TILE_SHORE_ROCK_TOP, LavaShore<LandTopDepth>, "shore: basalt top, lava bottom"},
    {TILE_SHORE_ROCK_BOTTOM, LavaShore<WaterTopDepth>, "shore: lava top, basalt bottom"},
    {TILE_SHORE_ROCK_LEFT, LavaShore<LandLeftDepth>, "shore: basalt left, lava right"},
    {TILE_SHORE_ROCK_RIGHT, LavaShore<WaterLeftDepth>, "shore: lava left, basalt right"},
    {TILE_LAVA_CAPE_BOTTOM_RIGHT, LavaShore<CapeDepth<kTile, kTile>>,
     "shore cape: basalt within a quarter circle about the bottom-right corner, lava elsewhere"},
    {TILE_LAVA_CAPE_BOTTOM_LEFT, LavaShore<CapeDepth<0, kTile>>, "shore cape about the bottom-left corner"},
    {TILE_LAVA_CAPE_TOP_RIGHT, LavaShore<CapeDepth<kTile, 0>>, "shore cape about the top-right corner"},
    {TILE_LAVA_CAPE_TOP_LEFT, LavaShore<CapeDepth<0, 0>>, "shore cape about the top-left corner"},
    {TILE_LAVA_BAY_TOP_LEFT, LavaShore<BayDepth<0, 0>>,
     "shore bay: lava within a quarter circle about the top-left corner, basalt elsewhere"},
    {TILE_LAVA_BAY_TOP_RIGHT, LavaShore<BayDepth<kTile, 0>>, "shore bay about the top-right corner"},
    {TILE_LAVA_BAY_BOTTOM_LEFT, LavaShore<BayDepth<0, kTile>>, "shore bay about the bottom-left corner"},
    {TILE_LAVA_BAY_BOTTOM_RIGHT, LavaShore<BayDepth<kTile, kTile>>, "shore bay about the bottom-right corner"},
};

}  // namespace

void DrawVolcanoTiles(Sheet& sheet) { PlaceTiles(sheet, kVolcanoTiles); }

}  // namespace sheetgen
