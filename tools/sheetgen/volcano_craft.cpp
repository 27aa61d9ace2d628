// Stage 2's enemies: craft of charred metal and glowing vents, creatures of
// the ash, the ground guns of the lava fields, the barge that comes mid-stage
// and the fortress at the end, with a battered picture for its later phases.
#include "data/stage2_sheet.hpp"
#include "sheetgen/art.hpp"

namespace sheetgen {
namespace {

using namespace stage2;

// A glowing disc: white-hot in the middle, cooling to `lo` at its rim.
void Glow(Cell& c, const Mask& m, int cx2, int cy2, int r2, int lo) {
  PaintFn(c, m, R_FIRE, lo, 15, [=](int x, int y) {
    const int dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
    return 16 * 15 - 16 * (15 - lo) * (dx * dx + dy * dy) / (r2 * r2);
  });
}

// Ember: a charred arrowhead with glowing wing vents. Variant: vents flare.
void Ember(Cell& c, int v) {
  Mask wings(32, 32);
  wings.Polygon({{16, 8}, {3, 19}, {4, 23}, {12, 20}, {16, 24}}).MirrorX();
  PaintShaded(c, wings, {R_ROCK, 5, 2, 2, 2});
  Mask vents(32, 32);
  vents.Polygon({{6, 19}, {12, 14}, {13, 16}, {8, 20}}).MirrorX();
  PaintShaded(c, vents, {R_FIRE, v ? 14 : 10, 1, 0, 1});
  Mask body(32, 32);
  body.Polygon({{16, 29}, {14, 24}, {13, 8}, {14, 4}, {16, 3}}).MirrorX();
  PaintShaded(c, body, {R_GREY, 6, 2, -2, 2});
  Mask eye(32, 32);
  eye.Ellipse(32, 44, 3, 6);
  PaintShaded(c, eye, {R_FIRE, 12, 2, 2, 1});
  Flame(c, 14, 2, 4, v ? 3 : 2, -1);
  c.Outline(kInk);
}

// Cinder wasp: striped abdomen, glassy wings, a red head. Variant: wings beat.
void Wasp(Cell& c, int v) {
  Mask wings(32, 32);
  if (v == 0) {
    wings.Polygon({{15, 13}, {3, 8}, {2, 12}, {14, 17}}).Polygon({{15, 17}, {5, 20}, {6, 23}, {15, 19}});
  } else {
    wings.Polygon({{15, 13}, {7, 2}, {4, 4}, {14, 17}}).Polygon({{15, 17}, {3, 15}, {3, 18}, {15, 19}});
  }
  PaintShaded(c, wings.MirrorX(), {R_ICE, 9, 2, 0, 1, 4, 14});
  Mask abdomen(32, 32);
  abdomen.Ellipse(32, 20, 9, 15);
  PaintShaded(c, abdomen, {R_ORANGE, 10, 2, 2, 2});
  for (int y : {6, 10, 14})
    for (int x = 0; x < 32; ++x)
      if (abdomen.At(x, y)) c.Set(x, y, C(R_GREY, 2));
  c.Set(16, 1, C(R_GREY, 3));
  Mask thorax(32, 32);
  thorax.Ellipse(32, 38, 7, 6);
  PaintShaded(c, thorax, {R_GREY, 5, 2, 1, 2});
  Mask head(32, 32);
  head.Ellipse(32, 50, 7, 6);
  PaintShaded(c, head, {R_RED, 8, 2, 2, 1});
  c.Set(14, 25, C(R_FIRE, 15));
  c.Set(17, 25, C(R_FIRE, 15));
  c.Set(14, 28, C(R_ROCK, 9));
  c.Set(17, 28, C(R_ROCK, 9));
  c.Outline(kInk);
}

// Ash manta: a broad grey ray with glowing spots, its tail behind. Variant:
// the wing tips curl down.
void Manta(Cell& c, int v) {
  Mask tail(32, 32);
  tail.Rect(15, 0, 2, 8);
  PaintShaded(c, tail, {R_ROCK, 6, 1, 0, 1});
  const int tip = v ? 21 : 16;
  Mask body(32, 32);
  body.Polygon({{16, 5}, {9, 8}, {1, tip}, {3, tip + 3}, {10, 22}, {13, 28}, {16, 27}}).MirrorX();
  PaintShaded(c, body, {R_ROCK, 8, 2, -2, 3});
  Mask spots(32, 32);
  spots.Ellipse(20, 30, 3, 3).Ellipse(32, 24, 4, 4).Ellipse(14, 36, 2, 2).MirrorX();
  PaintShaded(c, spots, {R_FIRE, 11, 1, 0, 1});
  c.Set(13, 24, C(R_FIRE, 15));
  c.Set(18, 24, C(R_FIRE, 15));
  c.Outline(kInk);
}

// Obsidian shard: a glassy black crystal. Variant: its core glows, charged.
void Shard(Cell& c, int v) {
  Mask spikes(32, 32);
  spikes.Polygon({{10, 12}, {3, 8}, {9, 17}}).MirrorX();
  PaintShaded(c, spikes, {R_PURPLE, 4, 2, 0, 1});
  Mask crystal(32, 32);
  crystal.Polygon({{16, 1}, {10, 10}, {8, 18}, {16, 31}}).MirrorX();
  PaintShaded(c, crystal, {R_PURPLE, 4, 3, 2, 2});
  Mask facet(32, 32);
  facet.Polygon({{16, 1}, {10, 10}, {8, 18}, {16, 31}, {13, 16}});
  PaintShaded(c, facet, {R_PURPLE, 7, 2, 2, 1});
  Mask core(32, 32);
  core.Ellipse(32, 36, v ? 7 : 4, v ? 11 : 6);
  PaintShaded(c, core, {R_MAGENTA, v ? 13 : 7, 1, 0, 1});
  c.Set(12, 9, C(R_ICE, 15));
  c.Outline(kInk);
}

// Magma mine: a spiked iron ball, cracked over a molten heart. Variant:
// spikes turned, the heart white-hot.
void Mine(Cell& c, int v) {
  Mask spikes(32, 32);
  for (int k = 0; k < 8; ++k) {
    const int step = 2 * k + v;
    spikes.Polygon({Turn({14, 16}, 16, 16, step), Turn({16, 1}, 16, 16, step), Turn({18, 16}, 16, 16, step)});
  }
  PaintShaded(c, spikes, {R_STEEL, 7, 2, 1, 1});
  Mask ball(32, 32);
  ball.Ellipse(32, 32, 20, 20);
  PaintShaded(c, ball, {R_ROCK, 5, 3, 2, 3});
  for (int k = 0; k < 4; ++k) {
    for (int r = 3; r < 9; ++r) {
      const Point p = Turn({16 + r, 16 + (r % 3 == 0 ? 1 : 0)}, 16, 16, 4 * k + 1);
      c.Set(p.x, p.y, C(R_FIRE, v ? 14 : 10));
    }
  }
  Mask heart(32, 32);
  heart.Ellipse(32, 32, 7, 7);
  Glow(c, heart, 32, 32, 7, v ? 12 : 8);
  c.Outline(kInk);
}

// Smelter: a heavy furnace craft, its crucible open between two hulls.
// Variant: the crucible flares and the side guns fire.
void Smelter(Cell& c, int v) {
  Mask pods(32, 32);
  pods.Polygon({{3, 4}, {9, 3}, {10, 26}, {7, 30}, {3, 27}}).MirrorX();
  PaintShaded(c, pods, {R_BROWN, 8, 2, -2, 2});
  Mask hull(32, 32);
  hull.Polygon({{16, 2}, {10, 5}, {9, 21}, {12, 27}, {16, 28}}).MirrorX();
  PaintShaded(c, hull, {R_STEEL, 7, 2, -2, 2});
  for (int y = 20; y < 26; y += 2)
    for (int x = 11; x < 21; ++x)
      if (hull.At(x, y)) c.Set(x, y, C(R_STEEL, 3));
  Mask crucible(32, 32);
  crucible.Ellipse(32, 26, 12, 12);
  Glow(c, crucible, 32, 26, 12, v ? 10 : 6);
  if (v) {
    Flame(c, 5, 30, 3, 2, 1);
    Flame(c, 24, 30, 3, 2, 1);
  }
  c.Outline(kInk);
}

// Vent gun: a gun hidden in a rocky mound. Variant: the hatch open on the
// glow inside, the barrel out.
void VentGun(Cell& c, int v) {
  Mask mound(32, 32);
  mound.Ellipse(32, 32, 30, 30);
  PaintShaded(c, mound, {R_ROCK, 6, 2, 2, 3});
  for (const Point p : {Point{6, 10}, Point{25, 8}, Point{4, 20}, Point{27, 22}, Point{12, 27}, Point{20, 4}})
    c.Set(p.x, p.y, C(R_ROCK, 10));
  Mask ring(32, 32);
  ring.Ellipse(32, 32, 20, 20);
  PaintShaded(c, ring, {R_BROWN, 5, 2, 1, 2});
  Mask hatch(32, 32);
  hatch.Ellipse(32, 32, 15, 15);
  if (v == 0) {
    PaintShaded(c, hatch, {R_STEEL, 8, 2, 2, 2});
    for (int x = 11; x < 21; ++x) c.Set(x, 16, C(R_STEEL, 3));
  } else {
    Glow(c, hatch, 32, 32, 15, 7);
    Mask barrel(32, 32);
    barrel.Rect(15, 16, 2, 14);
    PaintShaded(c, barrel, {R_STEEL, 6, 1, 0, 1});
  }
  c.Outline(kInk);
}

// Magma crawler: a six-legged walker with a molten tank on its back.
// Variant: the legs a step on.
void Crawler(Cell& c, int v) {
  Mask legs(32, 32);
  for (int i = 0; i < 3; ++i) {
    const int y = 9 + 7 * i, reach = (i + v) % 2 ? 3 : -3;
    legs.Polygon({{12, y}, {2, y + reach}, {2, y + reach + 2}, {12, y + 2}});
  }
  PaintShaded(c, legs.MirrorX(), {R_ROCK, 4, 1, 0, 1});
  Mask body(32, 32);
  body.Ellipse(32, 32, 18, 24);
  PaintShaded(c, body, {R_BROWN, 8, 2, -2, 2});
  for (int y : {10, 14, 18})
    for (int x = 0; x < 32; ++x)
      if (body.At(x, y) && body.At(x, y - 2)) c.Set(x, y, C(R_BROWN, 4));
  Mask tank(32, 32);
  tank.Ellipse(32, 28, 8, 8);
  Glow(c, tank, 32, 28, 8, 9);
  Mask head(32, 32);
  head.Ellipse(32, 54, 9, 6);
  PaintShaded(c, head, {R_RED, 7, 2, 1, 1});
  Mask jaws(32, 32);
  jaws.Polygon({{13, 28}, {15, 31}, {16, 29}}).MirrorX();
  PaintShaded(c, jaws, {R_STEEL, 10, 1, 0, 1});
  c.Outline(kInk);
}

constexpr Craft kVolcanoCraft[] = {
    {RC_EMBER, RC_EMBER_B, Ember, "Ember", "charred arrowhead fighter, glowing wing vents", "vents flaring, longer flame"},
    {RC_WASP, RC_WASP_B, Wasp, "Cinder wasp", "striped orange abdomen, glassy wings, red head", "wings beating up"},
    {RC_MANTA, RC_MANTA_B, Manta, "Ash manta", "broad grey ray with glowing spots, tail behind",
     "wing tips curled down"},
    {RC_SHARD, RC_SHARD_B, Shard, "Obsidian shard", "glassy black-violet crystal, dim core",
     "core glowing magenta (charged)"},
    {RC_MINE, RC_MINE_B, Mine, "Magma mine", "spiked iron ball cracked over a molten heart",
     "spikes turned, heart white-hot"},
    {RC_SMELTER, RC_SMELTER_B, Smelter, "Smelter", "heavy furnace craft, crucible between two hulls",
     "crucible flaring, side guns firing"},
    {RC_VENT_GUN, RC_VENT_GUN_B, VentGun, "Vent gun", "steel hatch in a rocky mound (ground)",
     "hatch open on the glow, barrel out"},
    {RC_CRAWLER, RC_CRAWLER_B, Crawler, "Magma crawler", "six-legged walker with a molten tank (ground)",
     "legs a step on"},
};

// --- the barge and the fortress ---------------------------------------------------

// The barge: a flat hull carrying molten ore in channels between two engines.
void Barge(Cell& c) {
  Mask hull(96, 64);
  hull.Polygon({{48, 4}, {20, 4}, {4, 14}, {2, 40}, {14, 56}, {36, 62}, {48, 62}}).MirrorX();
  PaintShaded(c, hull, {R_BROWN, 7, 2, 3, 3});
  Mask deck(96, 64);
  deck.Polygon({{48, 10}, {24, 10}, {10, 18}, {9, 38}, {18, 51}, {38, 56}, {48, 56}}).MirrorX();
  PaintShaded(c, deck, {R_ROCK, 5, 1, 2, 2});
  for (int y = 14; y < 56; ++y)
    for (const int x : {28, 67})
      if (deck.At(x, y) && y % 6 != 0) c.Set(x, y, C(R_FIRE, 9 + (y % 6 == 3 ? 4 : 0)));
  for (int x = 14; x < 82; ++x)
    if (deck.At(x, 46)) c.Set(x, 46, C(R_FIRE, 10));
  for (const int x : {16, 72}) {
    Mask engine(96, 64);
    engine.Rect(x, 0, 8, 8);
    PaintShaded(c, engine, {R_STEEL, 6, 2, 1, 1});
    Flame(c, x + 2, 0, 4, 1, 1);
  }
  c.Outline(kInk);
}

// The barge's flame gun. Variant: the barrel red-hot, firing.
void BargeGun(Cell& c, int v) {
  Mask ring(32, 32);
  ring.Ellipse(32, 32, 26, 26);
  PaintShaded(c, ring, {R_ROCK, 6, 2, 2, 2});
  Mask barrel(32, 32);
  barrel.Rect(14, 14, 4, 17);
  PaintShaded(c, barrel, v ? Shading{R_FIRE, 11, 1, 0, 1} : Shading{R_STEEL, 8, 1, 0, 1});
  Mask house(32, 32);
  house.Ellipse(32, 28, 16, 14);
  PaintShaded(c, house, {R_ORANGE, 7, 2, 3, 2});
  if (v) Flame(c, 14, 31, 4, 1, 1);
  c.Outline(kInk);
}

// The barge's ore crucible. Variant: it boils over, brighter.
void BargeCore(Cell& c, int v) {
  Mask lip(32, 32);
  lip.Ellipse(32, 32, 28, 24);
  PaintShaded(c, lip, {R_STEEL, 7, 2, 2, 2});
  Mask melt(32, 32);
  melt.Ellipse(32, 32, 20, 16);
  Glow(c, melt, 32, 32, 20, v ? 9 : 5);
  for (const Point p : {Point{11, 14}, Point{19, 18}, Point{15, 12}}) c.Set(p.x, p.y, C(R_ORANGE, v ? 4 : 6));
  c.Outline(kInk);
}

// The fortress: a long armoured hull of black iron, bow down, its vents
// glowing. Battered, its plates are torn open on fire and blackened by smoke.
void Fortress(Cell& c, bool battered) {
  Mask hull(128, 96);
  hull.Polygon({{64, 2}, {36, 2}, {12, 10}, {2, 30}, {4, 62}, {20, 84}, {46, 94}, {64, 94}}).MirrorX();
  PaintShaded(c, hull, {R_ROCK, 6, 2, 3, 3});
  Mask deck(128, 96);
  deck.Polygon({{64, 10}, {38, 10}, {18, 18}, {10, 34}, {12, 60}, {26, 78}, {48, 86}, {64, 86}}).MirrorX();
  PaintShaded(c, deck, {R_GREY, 4, 1, 2, 2});
  // Hexagonal armour seams.
  for (int y = 10; y < 86; ++y) {
    for (int x = 10; x < 118; ++x) {
      if (!deck.At(x, y)) continue;
      const int row = y / 12, px = (x + (row % 2) * 8) % 16, py = y % 12;
      if (py == 0 || (px == 0 && py > 0)) c.Set(x, y, C(R_GREY, 2));
    }
  }
  // Glowing vents along the flanks and the bow.
  Mask vents(128, 96);
  for (int y = 24; y < 70; y += 10) vents.Rect(6, y, 3, 5);
  vents.Rect(58, 80, 12, 3).MirrorX();
  PaintShaded(c, vents, {R_FIRE, 11, 1, 0, 1});
  // The command tower at the stern.
  Mask tower(128, 96);
  tower.Polygon({{64, 12}, {54, 14}, {52, 26}, {56, 32}, {64, 33}}).MirrorX();
  PaintShaded(c, tower, {R_STEEL, 7, 2, 3, 2});
  Mask windows(128, 96);
  windows.Rect(56, 26, 16, 2);
  PaintShaded(c, windows, {R_FIRE, 13, 0, 0, 1});
  for (const int x : {36, 50, 74, 88}) {
    Mask nozzle(128, 96);
    nozzle.Rect(x, 1, 4, 3);
    PaintShaded(c, nozzle, {R_STEEL, 3, 0, 0, 1});
    Flame(c, x + 1, 1, 2, 1, 1);
  }
  if (battered) {
    // Torn plates: fire inside dark-rimmed holes, soot round them.
    static constexpr Point kHoles[] = {{30, 40}, {94, 58}, {70, 70}, {44, 66}, {84, 30}};
    for (const Point p : kHoles) {
      for (int y = -7; y <= 7; ++y) {
        for (int x = -7; x <= 7; ++x) {
          const int d2 = x * x + y * y + static_cast<int>(Hash(p.x + x, p.y + y, 60) % 9);
          if (!hull.At(p.x + x, p.y + y) || d2 > 49) continue;
          c.Set(p.x + x, p.y + y, d2 < 12 ? C(R_FIRE, 15 - d2 / 3) : d2 < 22 ? C(R_GREY, 1) : C(R_GREY, 3));
        }
      }
    }
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 128; ++x)
        if (hull.At(x, y) && Hash(x, y, 61) % 23 == 0) c.Set(x, y, C(R_GREY, 2));
  }
  c.Outline(kInk);
}

// The fortress's cannon. Variant: its muzzle glowing from firing.
void FortressCannon(Cell& c, int v) {
  Mask ring(32, 32);
  ring.Polygon({{9, 3}, {23, 3}, {29, 9}, {29, 23}, {23, 29}, {9, 29}, {3, 23}, {3, 9}});
  PaintShaded(c, ring, {R_STEEL, 5, 2, 2, 2});
  Mask barrels(32, 32);
  barrels.Rect(11, 16, 3, 15).MirrorX();
  PaintShaded(c, barrels, {R_ROCK, 9, 1, 0, 1});
  Mask house(32, 32);
  house.Ellipse(32, 30, 18, 18);
  PaintShaded(c, house, {R_RED, 6, 2, 3, 2});
  if (v) {
    Flame(c, 11, 30, 3, 2, 1);
    Flame(c, 18, 30, 3, 2, 1);
  }
  c.Set(12, 11, C(R_RED, 14));
  c.Outline(kInk);
}

// The fortress's missile rack. Variant: two tubes fired, their mouths hot.
void FortressRack(Cell& c, int v) {
  Mask box(32, 32);
  box.Polygon({{6, 3}, {26, 3}, {29, 6}, {29, 27}, {26, 30}, {6, 30}, {3, 27}, {3, 6}});
  PaintShaded(c, box, {R_BROWN, 6, 2, 3, 2});
  for (int i = 0; i < 4; ++i) {
    const int x = 9 + 14 * (i % 2), y = 9 + 14 * (i / 2);
    Mask tube(32, 32);
    tube.Ellipse(2 * x, 2 * y, 9, 9);
    const bool fired = v && (i == 1 || i == 2);
    PaintShaded(c, tube, fired ? Shading{R_FIRE, 9, 1, 0, 1} : Shading{R_STEEL, 2, -1, 0, 1});
    c.Set(x - 1, y - 1, fired ? C(R_FIRE, 15) : C(R_ORANGE, 11));
  }
  c.Outline(kInk);
}

// The fortress's reactor, a caged molten heart. Variant: it pulses bright.
void FortressCore(Cell& c, int v) {
  Mask housing(32, 32);
  housing.Polygon({{16, 1}, {6, 5}, {2, 16}, {6, 27}, {16, 31}}).MirrorX();
  PaintShaded(c, housing, {R_ROCK, 7, 2, 3, 2});
  Mask heart(32, 32);
  heart.Ellipse(32, 32, 20, 20);
  Glow(c, heart, 32, 32, 20, v ? 9 : 5);
  for (int k = 0; k < 4; ++k) {
    for (int r = 3; r < 10; ++r) {
      const Point p = Turn({16 + r, 16}, 16, 16, 4 * k + 2);
      c.Set(p.x, p.y, C(R_STEEL, 9));
    }
  }
  c.Outline(kInk);
}

}  // namespace

void DrawVolcanoCraft(Sheet& sheet) { PlaceCraft(sheet, kVolcanoCraft); }

void DrawVolcanoCarriers(Sheet& sheet) {
  Cell barge = sheet.Place(Table::kData, RC_BARGE, "Barge (mid-stage)",
                           "flat brown hull with molten ore in channels, two engines at the rear");
  Barge(barge);
  Cell fortress = sheet.Place(Table::kData, RC_FORTRESS, "Fortress (carrier)",
                              "black iron hull with hexagonal armour, glowing vents, bow down");
  Fortress(fortress, false);
  Cell battered = sheet.Place(Table::kData, RC_FORTRESS_DAMAGED, "Fortress, battered",
                              "the same hull torn open on fires, sooty (its later phases)");
  Fortress(battered, true);
  static constexpr Craft kParts[] = {
      {RC_BARGE_GUN, RC_BARGE_GUN_B, BargeGun, "Barge gun", "orange flame gun on a ring", "barrel red-hot, firing"},
      {RC_BARGE_CORE, RC_BARGE_CORE_B, BargeCore, "Barge crucible", "steel crucible of molten ore", "boiling over"},
      {RC_FORTRESS_CANNON, RC_FORTRESS_CANNON_B, FortressCannon, "Fortress cannon",
       "red twin cannon on an octagonal mount", "muzzles glowing"},
      {RC_FORTRESS_RACK, RC_FORTRESS_RACK_B, FortressRack, "Fortress rack", "missile rack, 2 x 2 tubes",
       "two tubes fired, mouths hot"},
      {RC_FORTRESS_CORE, RC_FORTRESS_CORE_B, FortressCore, "Fortress reactor", "caged molten heart",
       "pulsing bright"},
  };
  PlaceCraft(sheet, kParts);
}

}  // namespace sheetgen
