// The background tiles the map uses, by their corners on the sprite sheet
// (assets/SHEET.md). Each map row is shown mirrored top-to-bottom, and later
// rows appear above earlier ones, so a tile's sheet top faces the rows already
// passed and its sheet bottom the rows still to come. Joins are named for the
// way the journey crosses them.
#pragma once

#include <array>
#include <cstdint>

namespace mapgen {

struct Tile {
  int16_t x = 0, y = 0;
  friend bool operator==(const Tile&, const Tile&) = default;
};

inline constexpr int kMapRows = 500;
inline constexpr int kMapColumns = 20;
using TileMap = std::array<std::array<Tile, kMapColumns>, kMapRows>;

// Plain ground.
inline constexpr Tile kDeepWater{0, 320};
inline constexpr Tile kWater{32, 320};
inline constexpr Tile kWaves{64, 320};
inline constexpr Tile kSand{160, 320};
inline constexpr Tile kGrass{192, 320};
inline constexpr Tile kFlowers{256, 352};
inline constexpr Tile kForest{224, 320};
inline constexpr Tile kCrater{224, 352};
inline constexpr Tile kScorched{224, 384};

// Roads: along the journey, across it, and where they meet.
inline constexpr Tile kRoad{288, 320};
inline constexpr Tile kRoadAcross{256, 384};
inline constexpr Tile kRoadCross{64, 384};
inline constexpr Tile kRoadInForest{480, 352};
inline constexpr Tile kRoadTeeAhead{512, 320};   // the road across, a branch leading on
inline constexpr Tile kRoadTeeBehind{544, 320};  // the road across, a branch from the rows passed

// The base.
inline constexpr Tile kFloor{64, 352};
inline constexpr Tile kFloorLane{96, 352};
inline constexpr Tile kWall{128, 352};
inline constexpr Tile kWallGate{512, 352};
inline constexpr Tile kHangarRoof{160, 352};
inline constexpr Tile kHelipad{128, 384};
inline constexpr Tile kRunway{192, 352};
inline constexpr Tile kRunwayEnd{160, 384};

// Joins across the whole width, from the ground passed to the ground ahead.
inline constexpr Tile kDeepToWater{448, 320};
inline constexpr Tile kWaterToDeep{480, 320};
inline constexpr Tile kSandToGrass{0, 384};
inline constexpr Tile kGrassToSand{32, 384};
inline constexpr Tile kGrassToForest{192, 384};
inline constexpr Tile kForestToGrass{448, 352};

// Shore pieces by which sheet corners are land: bit 0 top left, 1 top right,
// 2 bottom left, 3 bottom right. 0 is open water, 15 dry land; the two
// diagonal pairs (6 and 9) have no piece and must not occur.
inline constexpr std::array<Tile, 16> kShore = {{
    kWater,       {416, 320}, {384, 320}, {128, 320},  // -, cape TL, cape TR, land top
    {352, 320},   {32, 352},  {},         {416, 352},  // cape BL, land left, -, bay BR
    {320, 320},   {},         {0, 352},   {384, 352},  // cape BR, -, land right, bay BL
    {96, 320},    {352, 352}, {320, 352}, kSand,       // land bottom, bay TR, bay TL, -
}};

}  // namespace mapgen
