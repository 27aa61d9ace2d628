// The player's ship, the enemy craft (nose down), the ground guns and the
// carrier. Each craft is built from shaded parts and outlined at the end in a
// very dark blue, never in the transparent black.
#include <string>
#include <vector>

#include "sheetgen/art.hpp"
#include "sheetgen/palette.hpp"

namespace sheetgen {

void Flame(Cell& cell, int x, int y, int width, int len, int dy) {
  for (int i = 0; i < len; ++i) {
    for (int j = 0; j < width; ++j) {
      const int edge = (j == 0 || j == width - 1) ? 3 : 0;
      cell.Set(x + j, y + dy * i, C(R_FIRE, 15 - 3 * i - edge));
    }
  }
}

void Glass(Cell& cell, const Mask& m) { PaintShaded(cell, m, {R_CYAN, 6, 3, 4, 1, 2, 15}); }

void DrawPlayerShip(Cell& c) {
  // Drawn on a 32-pixel grid at the cell's size, for the icons too.
  const auto shape = [&c] { return Mask(c.W(), c.H(), 32); };
  const auto flat = [&c](const Mask& m, uint8_t colour) {
    for (int y = 0; y < m.H(); ++y)
      for (int x = 0; x < m.W(); ++x)
        if (m.At(x, y)) c.Set(x, y, colour);
  };
  Mask wings = shape();
  wings.Polygon({{14, 11}, {3, 21}, {2, 26}, {6, 27}, {14, 24}}).MirrorX();
  PaintShaded(c, wings, {R_BLUE, 8, 2, 3, 2, 2, 14});
  // Red wing stripes and tip cannons.
  Mask stripes = shape();
  stripes.Polygon({{9, 18}, {5, 22}, {6, 23}, {10, 20}}).MirrorX();
  PaintShaded(c, stripes, {R_RED, 9, 1, 0, 1});
  Mask guns = shape();
  guns.Rect(3, 15, 2, 9).MirrorX();
  PaintShaded(c, guns, {R_STEEL, 10, 2, 3, 1});
  Mask body = shape();
  body.Polygon({{16, 1}, {14, 5}, {13, 12}, {12, 22}, {13, 29}, {16, 30}}).MirrorX();
  PaintShaded(c, body, {R_STEEL, 10, 2, 4, 2});
  Mask canopy = shape();
  canopy.Ellipse(32, 24, 4, 9);
  Glass(c, canopy);
  Mask glint = shape();
  flat(glint.Rect(15, 9, 1, 1), C(R_ICE, 15));
  // Twin nozzles and their glow, fading downwards.
  Mask nozzles = shape();
  nozzles.Rect(12, 26, 3, 3).MirrorX();
  PaintShaded(c, nozzles, {R_STEEL, 4, 1, 1, 1});
  for (int i = 0; i < 3; ++i) {
    Mask glow = shape();
    flat(glow.Rect(13, 29 + i, 1, 1).MirrorX(), C(R_FIRE, 12 - 3 * i));
  }
  for (int i = shape().Pixels(1); i > 0; --i) c.Outline(kInk);
}

namespace {

// Small fighter: stubby body, forward-swept wings. Variant: flame flicker.
void Fighter(Cell& c, int v) {
  Mask wings(32, 32);
  wings.Polygon({{15, 14}, {4, 8}, {3, 12}, {12, 22}, {15, 22}}).MirrorX();
  PaintShaded(c, wings, {R_RED, 8, 2, 3, 2});
  Mask body(32, 32);
  body.Polygon({{16, 27}, {13, 22}, {12, 10}, {13, 5}, {16, 4}}).MirrorX();
  PaintShaded(c, body, {R_ROCK, 10, 2, -2, 2});
  Mask canopy(32, 32);
  canopy.Ellipse(32, 38, 4, 6);
  Glass(c, canopy);
  Mask tips(32, 32);
  tips.Rect(4, 8, 2, 5).MirrorX();
  PaintShaded(c, tips, {R_ORANGE, 11, 1, 0, 1});
  Flame(c, 14, 3, 4, v ? 3 : 2, -1);
  c.Outline(kInk);
}

// Dart: a long arrowhead that dives nose first. Variant: wings swept back.
void Dart(Cell& c, int v) {
  Mask fins(32, 32);
  if (v == 0) {
    fins.Polygon({{16, 8}, {6, 4}, {4, 6}, {14, 20}}).MirrorX();
  } else {
    fins.Polygon({{16, 8}, {10, 2}, {8, 4}, {14, 20}}).MirrorX();
  }
  PaintShaded(c, fins, {R_PURPLE, 8, 2, 2, 1});
  Mask body(32, 32);
  body.Polygon({{16, 31}, {14, 22}, {13, 8}, {14, 2}, {16, 2}}).MirrorX();
  PaintShaded(c, body, {R_MAGENTA, 9, 2, -3, 2});
  Mask eye(32, 32);
  eye.Ellipse(32, 42, 3, 6);
  PaintShaded(c, eye, {R_FIRE, 12, 2, 2, 1});
  Flame(c, 15, 1, 2, v ? 2 : 1, -1);
  c.Outline(kInk);
}

// Heavy gunship: broad armoured hull with two cannons. Variant: muzzle flash.
void Gunship(Cell& c, int v) {
  Mask hull(32, 32);
  hull.Polygon({{16, 2}, {7, 3}, {2, 10}, {3, 20}, {9, 26}, {16, 27}}).MirrorX();
  PaintShaded(c, hull, {R_FOREST, 10, 2, -3, 3, 2, 15});
  Mask plates(32, 32);
  plates.Polygon({{16, 6}, {10, 7}, {8, 12}, {10, 19}, {16, 21}}).MirrorX();
  PaintShaded(c, plates, {R_GREEN, 8, 1, 0, 1});
  Mask guns(32, 32);
  guns.Rect(8, 18, 3, 11).MirrorX();
  PaintShaded(c, guns, {R_STEEL, 7, 2, 0, 1});
  Mask dome(32, 32);
  dome.Ellipse(32, 26, 7, 7);
  Glass(c, dome);
  if (v) {
    Flame(c, 8, 29, 3, 3, 1);
    Flame(c, 21, 29, 3, 3, 1);
  }
  c.Outline(kInk);
}

// Spinner: a saucer with four blades. Variant: blades turned an eighth.
void Spinner(Cell& c, int v) {
  Mask blades(32, 32);
  for (int k = 0; k < 4; ++k) {
    const int step = 4 * k + 2 * v + 1;
    blades.Polygon({Turn({16, 15}, 16, 16, step), Turn({29, 13}, 16, 16, step), Turn({29, 19}, 16, 16, step),
                    Turn({16, 17}, 16, 16, step)});
  }
  PaintShaded(c, blades, {R_SAND, 9, 2, 2, 1});
  Mask rim(32, 32);
  rim.Ellipse(32, 32, 20, 20);
  PaintShaded(c, rim, {R_STEEL, 8, 3, 3, 3});
  Mask dome(32, 32);
  dome.Ellipse(31, 31, 10, 10);
  PaintShaded(c, dome, {R_MAGENTA, 9, 3, 4, 2});
  c.Set(13, 13, C(R_MAGENTA, 15));
  // Lights round the rim alternate with the variant.
  for (int k = 0; k < 8; ++k) {
    const Point p = Turn({16, 8}, 16, 16, 2 * k);
    c.Set(p.x, p.y, (k + v) % 2 ? C(R_FIRE, 14) : C(R_CYAN, 13));
  }
  c.Outline(kInk);
}

// Interceptor: swept wings and twin tail fins. Variant: afterburners lit.
void Interceptor(Cell& c, int v) {
  Mask wings(32, 32);
  wings.Polygon({{16, 10}, {2, 20}, {3, 24}, {16, 20}}).MirrorX();
  PaintShaded(c, wings, {R_ORANGE, 9, 2, 2, 2});
  Mask tails(32, 32);
  tails.Polygon({{12, 9}, {9, 2}, {11, 2}, {14, 8}}).MirrorX();
  PaintShaded(c, tails, {R_ORANGE, 6, 2, 0, 1});
  Mask body(32, 32);
  body.Polygon({{16, 30}, {14, 24}, {13, 6}, {14, 3}, {16, 3}}).MirrorX();
  PaintShaded(c, body, {R_SAND, 10, 2, -2, 2});
  Mask canopy(32, 32);
  canopy.Ellipse(32, 44, 4, 8);
  Glass(c, canopy);
  Mask stripe(32, 32);
  stripe.Polygon({{6, 20}, {3, 22}, {4, 23}, {7, 21}}).MirrorX();
  PaintShaded(c, stripe, {R_RED, 8, 0, 0, 1});
  if (v) Flame(c, 14, 2, 4, 3, -1);
  c.Outline(kInk);
}

// Bomber: a wide flying wing with four engines. Variant: bay doors open.
void Bomber(Cell& c, int v) {
  Mask wing(32, 32);
  wing.Polygon({{16, 6}, {1, 12}, {1, 17}, {10, 19}, {16, 24}}).MirrorX();
  PaintShaded(c, wing, {R_BROWN, 9, 2, -3, 2});
  Mask engines(32, 32);
  engines.Rect(5, 9, 3, 8).Rect(10, 8, 3, 9).MirrorX();
  PaintShaded(c, engines, {R_ROCK, 8, 2, 2, 1});
  Mask cockpit(32, 32);
  cockpit.Ellipse(32, 40, 6, 6);
  Glass(c, cockpit);
  if (v) {
    Mask bay(32, 32);
    bay.Rect(14, 12, 4, 5);
    PaintShaded(c, bay, {R_STEEL, 2, 0, 0, 1});
    c.Set(15, 14, C(R_FIRE, 13));
    c.Set(16, 15, C(R_FIRE, 11));
  }
  for (int x : {6, 11, 20, 25}) c.Set(x, 8, C(R_FIRE, v ? 15 : 11));
  c.Outline(kInk);
}

// Ground turret seen from above: octagonal pad, round gun house, barrel
// pointing down (variant: down and to the left).
void Turret(Cell& c, int v) {
  Mask pad(32, 32);
  pad.Polygon({{9, 1}, {23, 1}, {31, 9}, {31, 23}, {23, 31}, {9, 31}, {1, 23}, {1, 9}});
  PaintShaded(c, pad, {R_ROCK, 7, 2, 2, 2});
  for (const Point p : {Point{5, 9}, Point{26, 9}, Point{5, 22}, Point{26, 22}, Point{10, 4}, Point{21, 27}})
    c.Set(p.x, p.y, C(R_ROCK, 3));
  Mask barrel(32, 32);
  const int step = v ? 2 : 0;
  barrel.Polygon({Turn({15, 16}, 16, 16, step), Turn({15, 30}, 16, 16, step), Turn({17, 30}, 16, 16, step),
                  Turn({17, 16}, 16, 16, step)});
  PaintShaded(c, barrel, {R_STEEL, 6, 1, 0, 1});
  Mask house(32, 32);
  house.Ellipse(32, 32, 16, 16);
  PaintShaded(c, house, {R_GREEN, 8, 3, 3, 3});
  Mask hatch(32, 32);
  hatch.Ellipse(30, 28, 5, 5);
  PaintShaded(c, hatch, {R_GREEN, 4, 1, 0, 1});
  c.Outline(kInk);
}

// Tank seen from above, gun to the front (down). Variant: tracks a step on.
void Tank(Cell& c, int v) {
  Mask tracks(32, 32);
  tracks.Rect(4, 3, 6, 27).MirrorX();
  PaintShaded(c, tracks, {R_ROCK, 5, 1, 0, 1});
  for (int y = 3 + v * 2; y < 30; y += 4) {
    for (int x : {4, 5, 6, 7, 8, 9, 22, 23, 24, 25, 26, 27}) c.Set(x, y, C(R_ROCK, 2));
  }
  Mask hull(32, 32);
  hull.Polygon({{16, 5}, {9, 5}, {8, 8}, {8, 26}, {10, 28}, {16, 28}}).MirrorX();
  PaintShaded(c, hull, {R_FOREST, 10, 2, 2, 2});
  Mask barrel(32, 32);
  barrel.Rect(15, 18, 2, 13);
  PaintShaded(c, barrel, {R_STEEL, 6, 1, 0, 1});
  Mask turret(32, 32);
  turret.Ellipse(32, 30, 12, 12);
  PaintShaded(c, turret, {R_FOREST, 12, 2, 2, 2});
  c.Set(13, 12, C(R_FOREST, 15));
  c.Outline(kInk);
}

// The carrier: a long armoured hull, bow down, with a bridge and deck plates.
void Carrier(Cell& c) {
  Mask hull(128, 96);
  hull.Polygon({{64, 2}, {30, 2}, {10, 12}, {3, 38}, {6, 64}, {22, 84}, {48, 94}, {64, 94}}).MirrorX();
  PaintShaded(c, hull, {R_STEEL, 7, 2, 3, 3});
  Mask deck(128, 96);
  deck.Polygon({{64, 10}, {34, 10}, {16, 20}, {11, 40}, {14, 62}, {27, 78}, {50, 86}, {64, 86}}).MirrorX();
  PaintShaded(c, deck, {R_STEEL, 5, 1, 2, 2});
  // Plate seams and rivets.
  for (int y = 18; y < 86; y += 12)
    for (int x = 12; x < 116; ++x)
      if (deck.At(x, y) && deck.At(x, y - 2) && deck.At(x, y + 2)) c.Set(x, y, C(R_STEEL, 3));
  for (int x = 24; x < 110; x += 16)
    for (int y = 12; y < 86; ++y)
      if (deck.At(x, y) && deck.At(x - 2, y) && deck.At(x + 2, y)) c.Set(x, y, C(R_STEEL, 3));
  for (int y = 14; y < 86; y += 12)
    for (int x = 20; x < 110; x += 16)
      if (deck.At(x, y)) c.Set(x, y, C(R_STEEL, 9));
  // Ribs on the armour belt outside the deck.
  for (int y = 6; y < 92; y += 4)
    for (int x = 0; x < 128; ++x)
      if (hull.At(x, y) && !deck.At(x, y) && hull.At(x, y - 1) && hull.At(x, y + 1)) c.Set(x, y, C(R_STEEL, 4));
  // Dashed centre line from the bridge to the bow.
  for (int y = 40; y < 84; ++y)
    if (y % 8 < 4) c.Set(63, y, C(R_SAND, 12)), c.Set(64, y, C(R_SAND, 10));
  // Red hazard bands on the flanks.
  Mask bands(128, 96);
  bands.Polygon({{8, 30}, {4, 44}, {7, 44}, {11, 30}}).Polygon({{9, 54}, {7, 62}, {10, 62}, {12, 54}}).MirrorX();
  PaintShaded(c, bands, {R_RED, 8, 1, 0, 1});
  // The bridge tower, centre rear.
  Mask bridge(128, 96);
  bridge.Polygon({{64, 14}, {54, 16}, {52, 30}, {56, 36}, {64, 37}}).MirrorX();
  PaintShaded(c, bridge, {R_ROCK, 10, 2, 3, 2});
  Mask windows(128, 96);
  windows.Rect(56, 30, 16, 2);
  PaintShaded(c, windows, {R_CYAN, 11, 0, 0, 1});
  // The bow's sensor dome.
  Mask dome(128, 96);
  dome.Ellipse(128, 156, 10, 8);
  PaintShaded(c, dome, {R_RED, 9, 2, 3, 2});
  // Exhaust glow at the stern.
  for (int x : {40, 52, 72, 84}) {
    Mask nozzle(128, 96);
    nozzle.Rect(x, 1, 4, 3);
    PaintShaded(c, nozzle, {R_STEEL, 3, 0, 0, 1});
    Flame(c, x + 1, 1, 2, 1, 1);
  }
  c.Outline(kInk);
}

// Parts that sit on the carrier (each its own object and its own target).
void CarrierTurret(Cell& c) {
  Mask ring(32, 32);
  ring.Ellipse(32, 32, 26, 26);
  PaintShaded(c, ring, {R_STEEL, 6, 2, 2, 2});
  Mask barrels(32, 32);
  barrels.Rect(12, 16, 2, 15).Rect(18, 16, 2, 15);
  PaintShaded(c, barrels, {R_ROCK, 9, 1, 0, 1});
  Mask house(32, 32);
  house.Polygon({{16, 7}, {10, 9}, {9, 20}, {12, 23}, {16, 23}}).MirrorX();
  PaintShaded(c, house, {R_RED, 8, 2, 3, 2});
  c.Set(13, 12, C(R_RED, 14));
  c.Outline(kInk);
}

void CarrierPod(Cell& c) {
  Mask box(32, 32);
  box.Polygon({{6, 3}, {26, 3}, {29, 6}, {29, 27}, {26, 30}, {6, 30}, {3, 27}, {3, 6}});
  PaintShaded(c, box, {R_ROCK, 8, 2, 3, 2});
  // A 3 x 3 rack of missile tubes.
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      Mask tube(32, 32);
      tube.Ellipse(2 * (10 + 6 * i), 2 * (10 + 6 * j), 5, 5);
      PaintShaded(c, tube, {R_STEEL, 2, -1, 0, 1});
      c.Set(10 + 6 * i - 1, 10 + 6 * j - 1, C(R_RED, 11));
    }
  }
  c.Outline(kInk);
}

void CarrierEngine(Cell& c) {
  Mask housing(32, 32);
  housing.Polygon({{16, 2}, {7, 4}, {4, 14}, {7, 29}, {16, 30}}).MirrorX();
  PaintShaded(c, housing, {R_STEEL, 8, 2, 3, 2});
  Mask fins(32, 32);
  for (int y = 8; y < 26; y += 4) fins.Rect(8, y, 16, 1);
  PaintShaded(c, fins, {R_STEEL, 4, 0, 0, 1});
  Mask core(32, 32);
  core.Ellipse(32, 32, 10, 10);
  PaintFn(c, core, R_FIRE, 6, 15, [](int x, int y) {
    const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32;
    return 15 * 16 - (dx * dx + dy * dy) * 2;
  });
  c.Outline(kInk);
}

constexpr Craft kCraft[] = {
    {RC_FIGHTER, RC_FIGHTER_B, Fighter, "Small fighter", "red forward-swept fighter", "longer engine flame"},
    {RC_DART, RC_DART_B, Dart, "Dart", "magenta arrowhead diver", "fins swept back, longer flame"},
    {RC_GUNSHIP, RC_GUNSHIP_B, Gunship, "Heavy gunship", "broad green armoured hull, twin cannons",
     "cannons firing (muzzle flash)"},
    {RC_SPINNER, RC_SPINNER_B, Spinner, "Spinner", "saucer with four blades, magenta dome",
     "blades turned 45 degrees, rim lights swapped"},
    {RC_INTERCEPTOR, RC_INTERCEPTOR_B, Interceptor, "Interceptor", "orange swept-wing jet, twin tail",
     "afterburners lit"},
    {RC_BOMBER, RC_BOMBER_B, Bomber, "Bomber", "brown flying wing, four engines", "bomb bay open, engines bright"},
    {RC_TURRET, RC_TURRET_B, Turret, "Ground turret", "octagonal pad, green gun house, barrel down",
     "barrel turned down-left"},
    {RC_TANK, RC_TANK_B, Tank, "Ground tank", "green tank, gun forward (down)", "track treads moved on"},
};

}  // namespace

void DrawShip(Sheet& sheet) {
  Cell ship = sheet.Place(Table::kFixed, RC_SHIP, "Player ship", "blue and steel fighter, nose up");
  DrawPlayerShip(ship);
}

void DrawCraft(Sheet& sheet) { PlaceCraft(sheet, kCraft); }

void DrawCarrier(Sheet& sheet) {
  Cell carrier = sheet.Place(Table::kData, RC_CARRIER, "Carrier",
                             "armoured steel hull seen from above, bow down, bridge at the rear");
  Carrier(carrier);
  Cell gun = sheet.Place(Table::kData, RC_CARRIER_GUN, "Carrier turret", "red twin-barrelled turret on a ring mount");
  CarrierTurret(gun);
  Cell pod = sheet.Place(Table::kData, RC_CARRIER_POD, "Carrier pod", "missile pod, 3 x 3 tubes");
  CarrierPod(pod);
  Cell core = sheet.Place(Table::kData, RC_CARRIER_CORE, "Carrier engine", "finned engine housing with a glowing core");
  CarrierEngine(core);
}

}  // namespace sheetgen
