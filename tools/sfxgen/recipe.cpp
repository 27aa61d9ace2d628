#include "sfxgen/recipe.hpp"

namespace sfxgen {

using W = Wave;

// Pitches in A, the music's key: E5 = 76, A5 = 81, C#6 = 85, E6 = 88, A6 = 93.
// Each layer: wave, start, length, from, to, attack, half, gain, lowpass.
constexpr std::array<Recipe, kEffectCount> kRecipes = {{
    // Heard many times a second while fire is held: short, soft, falling.
    {Effect::Volley, 30, {{{W::Lead, 0, 560, 88, 76, 8, 160, 100, 170}}}},
    // A dull tick: a low triangle and a muffled click.
    {Effect::Hit, 36,
     {{{W::Triangle, 0, 480, 52, 40, 4, 90, 100, 90}, {W::Noise, 0, 240, 110, 100, 2, 30, 40, 60}}}},
    {Effect::SmallDown, 52, {{{W::Noise, 0, 2400, 112, 70, 8, 400, 100, 180}, {W::Sine, 0, 1600, 48, 30, 8, 300, 60, 256}}}},
    // Lower and longer, with a second burst inside the first.
    {Effect::LargeDown, 60,
     {{{W::Noise, 0, 5200, 96, 48, 16, 1000, 100, 110},
       {W::Sine, 0, 4000, 40, 24, 16, 900, 80, 256},
       {W::Noise, 800, 2400, 110, 60, 16, 500, 60, 150}}}},
    // Coarse held noise is the crunch; a falling square gives it weight.
    {Effect::PartDown, 58,
     {{{W::Noise, 0, 2400, 80, 72, 4, 350, 100, 220},
       {W::Square, 0, 1600, 45, 33, 4, 300, 50, 120},
       {W::Noise, 400, 1200, 116, 116, 4, 200, 50, 200}}}},
    // Explosions one after another over a long falling boom.
    {Effect::CarrierDown, 64,
     {{{W::Noise, 0, 7200, 100, 40, 16, 1600, 100, 120},
       {W::Sine, 0, 6000, 38, 22, 16, 1500, 90, 256},
       {W::Noise, 1400, 3000, 104, 56, 16, 600, 70, 150},
       {W::Noise, 3000, 3000, 96, 50, 16, 700, 60, 150}}}},
    // The items: the level a bright arpeggio, the bomb sliding fifths, the
    // energy a quick soft run.
    {Effect::LevelItem, 46,
     {{{W::Lead, 0, 700, 81, 81, 16, 300, 100, 160},
       {W::Lead, 400, 700, 85, 85, 16, 300, 100, 160},
       {W::Lead, 800, 700, 88, 88, 16, 300, 100, 160},
       {W::Lead, 1200, 1400, 93, 93, 16, 500, 100, 160}}}},
    {Effect::BombItem, 46,
     {{{W::Square, 0, 900, 74, 76, 16, 400, 100, 110},
       {W::Square, 560, 900, 81, 83, 16, 400, 100, 110},
       {W::Square, 1120, 1400, 86, 88, 16, 600, 100, 110}}}},
    {Effect::EnergyItem, 46,
     {{{W::Triangle, 0, 500, 81, 81, 8, 200, 100, 256},
       {W::Triangle, 240, 500, 83, 83, 8, 200, 100, 256},
       {W::Triangle, 480, 500, 85, 85, 8, 200, 100, 256},
       {W::Triangle, 720, 500, 88, 88, 8, 200, 100, 256},
       {W::Triangle, 960, 500, 90, 90, 8, 200, 100, 256},
       {W::Triangle, 1200, 1600, 93, 93, 8, 600, 100, 256}}}},
    // A rising whoosh as it falls, then the boom.
    {Effect::Bomb, 64,
     {{{W::Noise, 0, 2400, 70, 100, 2000, 4000, 70, 80},
       {W::Sine, 2000, 4400, 40, 20, 16, 1400, 100, 256},
       {W::Noise, 2000, 4400, 84, 36, 16, 1100, 90, 100}}}},
    // A saw and a pulse a semitone apart beat against each other as they fall.
    {Effect::ShipHit, 56,
     {{{W::Saw, 0, 3200, 64, 34, 8, 1400, 100, 200}, {W::Lead, 0, 3200, 63, 33, 8, 1400, 80, 200}}}},
    {Effect::Cursor, 28, {{{W::Square, 0, 200, 96, 96, 4, 40, 100, 200}}}},
    {Effect::Confirm, 44,
     {{{W::Lead, 0, 700, 83, 83, 16, 600, 100, 160}, {W::Lead, 800, 1800, 88, 88, 16, 700, 100, 160}}}},
    // Three pickup notes up to a held chord over the bass.
    {Effect::Start, 52,
     {{{W::Lead, 0, 400, 76, 76, 16, 400, 100, 160},
       {W::Lead, 480, 400, 81, 81, 16, 400, 100, 160},
       {W::Lead, 960, 400, 85, 85, 16, 400, 100, 160},
       {W::Lead, 1440, 2400, 88, 88, 16, 1200, 100, 160},
       {W::Triangle, 1440, 2400, 81, 81, 16, 1200, 60, 256},
       {W::Square, 1440, 2000, 57, 57, 16, 900, 50, 70}}}},
}};

namespace {

constexpr bool InEffectOrder() {
  for (size_t i = 0; i < kRecipes.size(); ++i) {
    if (kRecipes[i].effect != static_cast<Effect>(i)) return false;
  }
  return true;
}
static_assert(InEffectOrder(), "the recipes follow the Effect enumeration");

}  // namespace

}  // namespace sfxgen
