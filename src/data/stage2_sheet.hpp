// Stage 2's own pictures on its sheet (data/stage2/sheet.bmp): the cells its
// data files name, drawn by kestrova-sheetgen --stage 2 and laid out by
// kestrova-mapgen --stage 2. Every cell the game's code draws lies where
// sheet_geometry.hpp puts it on both sheets; these fill the other places.
#pragma once

#include "data/sheet_geometry.hpp"

namespace stage2 {

// Enemy craft, nose down; the second picture (_B) of each lies right below it.
inline constexpr RECT RC_EMBER = CellRect(0, 160, 32, 32);
inline constexpr RECT RC_EMBER_B = CellRect(0, 192, 32, 32);
inline constexpr RECT RC_WASP = CellRect(32, 160, 32, 32);
inline constexpr RECT RC_WASP_B = CellRect(32, 192, 32, 32);
inline constexpr RECT RC_MANTA = CellRect(64, 160, 32, 32);
inline constexpr RECT RC_MANTA_B = CellRect(64, 192, 32, 32);
inline constexpr RECT RC_SHARD = CellRect(96, 160, 32, 32);
inline constexpr RECT RC_SHARD_B = CellRect(96, 192, 32, 32);
inline constexpr RECT RC_MINE = CellRect(128, 160, 32, 32);
inline constexpr RECT RC_MINE_B = CellRect(128, 192, 32, 32);
inline constexpr RECT RC_SMELTER = CellRect(160, 160, 32, 32);
inline constexpr RECT RC_SMELTER_B = CellRect(160, 192, 32, 32);
inline constexpr RECT RC_VENT_GUN = CellRect(192, 160, 32, 32);
inline constexpr RECT RC_VENT_GUN_B = CellRect(192, 192, 32, 32);
inline constexpr RECT RC_CRAWLER = CellRect(224, 160, 32, 32);
inline constexpr RECT RC_CRAWLER_B = CellRect(224, 192, 32, 32);

// The mid-stage barge and its parts.
inline constexpr RECT RC_BARGE = CellRect(192, 224, 96, 64);
inline constexpr RECT RC_BARGE_GUN = CellRect(256, 160, 32, 32);
inline constexpr RECT RC_BARGE_GUN_B = CellRect(256, 192, 32, 32);
inline constexpr RECT RC_BARGE_CORE = CellRect(288, 160, 32, 32);
inline constexpr RECT RC_BARGE_CORE_B = CellRect(288, 192, 32, 32);

// The carrier, whole and battered, and its parts.
inline constexpr RECT RC_FORTRESS = CellRect(0, 224, 128, 96);
inline constexpr RECT RC_FORTRESS_DAMAGED = CellRect(0, 0, 128, 96);
inline constexpr RECT RC_FORTRESS_CANNON = CellRect(128, 224, 32, 32);
inline constexpr RECT RC_FORTRESS_CANNON_B = CellRect(128, 288, 32, 32);
inline constexpr RECT RC_FORTRESS_RACK = CellRect(160, 224, 32, 32);
inline constexpr RECT RC_FORTRESS_RACK_B = CellRect(160, 288, 32, 32);
inline constexpr RECT RC_FORTRESS_CORE = CellRect(128, 256, 32, 32);
inline constexpr RECT RC_FORTRESS_CORE_B = CellRect(160, 256, 32, 32);

// --- background tiles: lava, basalt, ash and the geothermal works ----------------

// Molten lava, and the dark crust that floats on it far from the shores.
inline constexpr RECT TILE_LAVA = TileAt(0, 320);
inline constexpr RECT TILE_LAVA_FLOW = TileAt(32, 320);
inline constexpr RECT TILE_CRUST = TileAt(64, 320);
inline constexpr RECT TILE_CRUST_TO_LAVA = TileAt(96, 320);  // named from the tile's top to its bottom
inline constexpr RECT TILE_LAVA_TO_CRUST = TileAt(128, 320);

// Rock and ash.
inline constexpr RECT TILE_BASALT = TileAt(160, 320);
inline constexpr RECT TILE_RUBBLE = TileAt(192, 320);
inline constexpr RECT TILE_FISSURE = TileAt(224, 320);
inline constexpr RECT TILE_VENT = TileAt(256, 320);
inline constexpr RECT TILE_ASH = TileAt(288, 320);
inline constexpr RECT TILE_FUMAROLE = TileAt(320, 320);
inline constexpr RECT TILE_CINDER_CONE = TileAt(352, 320);
inline constexpr RECT TILE_OBSIDIAN = TileAt(384, 320);
inline constexpr RECT TILE_BASALT_TO_ASH = TileAt(416, 320);
inline constexpr RECT TILE_ASH_TO_BASALT = TileAt(448, 320);
inline constexpr RECT TILE_BASALT_TO_OBSIDIAN = TileAt(480, 320);
inline constexpr RECT TILE_OBSIDIAN_TO_BASALT = TileAt(512, 320);

// The geothermal works: pipes over the ash, and the pumps on them.
inline constexpr RECT TILE_PIPE = TileAt(0, 384);  // up the screen
inline constexpr RECT TILE_PIPE_ACROSS = TileAt(32, 384);
inline constexpr RECT TILE_PIPE_CROSS = TileAt(64, 384);
inline constexpr RECT TILE_PUMP = TileAt(96, 384);  // a pump on a pipe up the screen
// Where a pipe up the screen begins and ends, named as the map meets them:
// the well head's pipe leaves through its sheet-bottom edge, toward later
// rows; the tee takes a pipe in through its sheet-top edge, from earlier rows.
inline constexpr RECT TILE_WELL_HEAD = TileAt(128, 384);
inline constexpr RECT TILE_PIPE_TEE = TileAt(160, 384);

// Lava shores, named for where the rock lies, as the shores of sheet_geometry.hpp.
inline constexpr RECT TILE_SHORE_ROCK_TOP = TileAt(0, 352);
inline constexpr RECT TILE_SHORE_ROCK_BOTTOM = TileAt(32, 352);
inline constexpr RECT TILE_SHORE_ROCK_LEFT = TileAt(64, 352);
inline constexpr RECT TILE_SHORE_ROCK_RIGHT = TileAt(96, 352);
inline constexpr RECT TILE_LAVA_CAPE_BOTTOM_RIGHT = TileAt(128, 352);
inline constexpr RECT TILE_LAVA_CAPE_BOTTOM_LEFT = TileAt(160, 352);
inline constexpr RECT TILE_LAVA_CAPE_TOP_RIGHT = TileAt(192, 352);
inline constexpr RECT TILE_LAVA_CAPE_TOP_LEFT = TileAt(224, 352);
inline constexpr RECT TILE_LAVA_BAY_TOP_LEFT = TileAt(256, 352);
inline constexpr RECT TILE_LAVA_BAY_TOP_RIGHT = TileAt(288, 352);
inline constexpr RECT TILE_LAVA_BAY_BOTTOM_LEFT = TileAt(320, 352);
inline constexpr RECT TILE_LAVA_BAY_BOTTOM_RIGHT = TileAt(352, 352);

// The shore piece by which of its corners are rock, indexed as SHORE_TILES.
inline constexpr std::array<RECT, 16> LAVA_SHORE_TILES = {{
    TILE_LAVA, TILE_LAVA_CAPE_TOP_LEFT, TILE_LAVA_CAPE_TOP_RIGHT, TILE_SHORE_ROCK_TOP,
    TILE_LAVA_CAPE_BOTTOM_LEFT, TILE_SHORE_ROCK_LEFT, {}, TILE_LAVA_BAY_BOTTOM_RIGHT,
    TILE_LAVA_CAPE_BOTTOM_RIGHT, {}, TILE_SHORE_ROCK_RIGHT, TILE_LAVA_BAY_BOTTOM_LEFT,
    TILE_SHORE_ROCK_BOTTOM, TILE_LAVA_BAY_TOP_RIGHT, TILE_LAVA_BAY_TOP_LEFT, TILE_BASALT,
}};

}  // namespace stage2
