#include "musicgen/song.hpp"

#include <array>
#include <string>

namespace musicgen {
namespace {

// A bar of melody: 16 tokens, one per sixteenth: a note ("A4", "G#5"),
// "-" to hold the previous note, "." for silence.
using Bar = const char*;

struct Chord {
  int root;   // MIDI note of the root in octave 2
  bool minor;
};
constexpr Chord Am{45, true}, Dm{38, true}, Em{40, true}, F{41, false}, G{43, false}, E{40, false}, C{36, false};
constexpr Chord Gm{43, true}, A{45, false}, Bb{34, false}, Eb{39, false};

struct Section {
  std::array<Chord, 8> chords;
  std::array<Bar, 8> melody;
  int bars;
  bool harmony;  // a second voice a third below the melody
  bool halfTime; // the breakdown's sparser drums
};

// How a song's band plays: its key, its lead, and per sixteenth of a bar its
// bass ('r' root, 'o' octave, 'f' fifth), kick, snare and hats ('x' closed,
// 'o' open), in full time and in a breakdown's half time.
struct Style {
  int tonic;  // the minor key's tonic, any octave
  Instrument lead;
  std::array<int, 8> arp;  // chord tones 0..3 (root, third, fifth, octave), in turn
  const char* bass;
  const char* kick;
  const char* snare;
  const char* hats;
  const char* halfKick;
  const char* halfSnare;
  const char* halfHats;
  const char* fill;      // the snare of a section's last bar
  const char* lastFill;  // ... of the song's last, whose last sixteenth stays silent
  const char* lastHats;  // the open hat rings longer than a sixteenth: none at the very end
};

// --- stage 1 ----------------------------------------------------------------------------

constexpr Style kCoastStyle = {57, Instrument::Lead, {0, 1, 2, 3, 2, 1, 0, 1},
                               "r.r.r.o.r.r.r.o.", "x...x...x...x...", "....x.......x...", "x.x.x.x.x.x.x.o.",
                               "x.......x.x.....", "........x.......", "..x...x...x...x.",
                               "....x.......x.xx", "....x.....xxxx..", "x.x.x.x.x.x.x.x."};

// A minor, main theme.
constexpr Section kThemeA = {
    {Am, F, G, Em, Am, F, G, E},
    {"A4 - - - C5 - E5 - A5 - - - G5 - E5 -", "F5 - - - E5 - C5 - A4 - - - C5 - F5 -",
     "G5 - - - F5 - D5 - B4 - - - D5 - G5 -", "E5 - - - - - - - D5 - E5 - G5 - B5 -",
     "A5 - - - G5 - E5 - C5 - - - E5 - A5 -", "C6 - - - A5 - F5 - C5 - F5 - A5 - C6 -",
     "B5 - - - A5 - G5 - D5 - G5 - B5 - D6 -", "E6 - - - B5 - G#5 - E5 - - - . . . ."},
    8, false, false};

constexpr Section kThemeA2 = {kThemeA.chords, kThemeA.melody, 8, true, false};

// Syncopated answer.
constexpr Section kThemeB = {
    {F, G, Am, Am, F, G, E, E},
    {"A5 - . A5 - . G5 - A5 - - - C6 - A5 -", "G5 - . G5 - . F5 - G5 - - - B5 - G5 -",
     "E5 - - - A5 - - - C6 - - - B5 - A5 -", "E5 - - - - - - - C5 - D5 - E5 - G5 -",
     "A5 - . A5 - . G5 - A5 - - - C6 - D6 -", "D6 - . C6 - . B5 - C6 - - - D6 - B5 -",
     "G#5 - - - B5 - - - E6 - - - D6 - B5 -", "G#5 - - - - - - - E5 - F5 - G#5 - B5 -"},
    8, true, false};

// Breakdown: long notes over half-time drums.
constexpr Section kBreak = {
    {Dm, Am, Dm, E, F, C, G, E},
    {"F5 - - - - - - - E5 - - - D5 - - -", "E5 - - - - - - - - - - - C5 - - -",
     "D5 - - - - - - - F5 - - - A5 - - -", "G#5 - - - - - - - - - - - B5 - - -",
     "C6 - - - - - - - A5 - - - F5 - - -", "G5 - - - - - - - E5 - - - C5 - - -",
     "D5 - - - - - - - G5 - - - B5 - - -", "B5 - - - - - - - G#5 - E5 - B4 - D5 -"},
    8, false, true};

// Turnaround back to the top: the lead rests, the band builds, the last
// sixteenth is silent so that the loop joins without a click.
constexpr Section kTurn = {
    {Am, Am, F, G, E, E, Am, Am},
    {". . . . . . . . . . . . . . . .", ". . . . . . . . . . . . E5 - A5 -",
     "C6 - - - - - - - . . . . . . . .", "B5 - - - - - - - . . . . . . . .",
     "G#5 - - - - - - - B5 - - - E6 - - -", "D6 - - - B5 - - - G#5 - - - E5 - . .",
     ". . . . . . . . . . . . . . . .", ". . . . . . . . . . . . . . . ."},
    6, false, false};

constexpr std::array<const Section*, 7> kForm = {&kThemeA, &kThemeA2, &kThemeB, &kBreak, &kThemeA2, &kThemeB, &kTurn};

// --- stage 2 ----------------------------------------------------------------------------

constexpr Style kVolcanoStyle = {62, Instrument::Brass, {0, 2, 1, 3, 0, 2, 1, 2},
                                 "r.rrr.rrf.ffr.oo", "x.....x.x.....x.", "....x.......x...", "x.x.x.x.x.x.x.o.",
                                 "x.........x.....", "........x.......", "x...x...x...x...",
                                 "....x.....x.xxxx", "....x.....xxxx..", "x.x.x.x.x.x.x.x."};

constexpr const char* kRests = ". . . . . . . . . . . . . . . .";

// The band alone, building.
constexpr Section kVolcanoIntro = {{Dm, Dm, Bb, A}, {kRests, kRests, kRests, kRests}, 4, false, false};

// D minor, main theme.
constexpr Section kVolcanoA = {
    {Dm, Bb, C, A, Dm, Bb, Gm, A},
    {"D5 - - - A4 - D5 - F5 - E5 - D5 - A4 -", "A#4 - - - D5 - F5 - A#5 - A5 - F5 - D5 -",
     "C5 - - - E5 - G5 - C6 - - - A#5 - G5 -", "A5 - - - - - - - E5 - C#5 - E5 - G5 -",
     "F5 - - - E5 - D5 - A5 - - - F5 - D5 -", "D6 - - - A#5 - F5 - D5 - F5 - A#5 - D6 -",
     "D6 - - - A#5 - G5 - D5 - G5 - A#5 - D6 -", "C#6 - - - A5 - E5 - C#5 - - - . . . ."},
    8, false, false};

constexpr Section kVolcanoA2 = {kVolcanoA.chords, kVolcanoA.melody, 8, true, false};

// Syncopated answer, through the dark flat second.
constexpr Section kVolcanoB = {
    {Gm, A, Dm, Dm, Eb, Bb, A, A},
    {"G5 - . G5 - . A#5 - G5 - - - D6 - A#5 -", "A5 - . A5 - . G5 - A5 - - - C#6 - A5 -",
     "F5 - - - A5 - - - D6 - - - C6 - A5 -", "D5 - - - - - - - A4 - C5 - D5 - F5 -",
     "G5 - . G5 - . D#5 - G5 - - - A#5 - D#6 -", "D6 - . C6 - . A#5 - C6 - - - D6 - F6 -",
     "E6 - - - C#6 - - - A5 - - - G5 - E5 -", "C#5 - - - - - - - E5 - G5 - A5 - C#6 -"},
    8, false, false};

// Breakdown: long notes over half-time drums.
constexpr Section kVolcanoBreak = {
    {Dm, Bb, Gm, A, Eb, Bb, C, A},
    {"F5 - - - - - - - E5 - - - D5 - - -", "D5 - - - - - - - - - - - A#4 - - -",
     "A#4 - - - - - - - D5 - - - G5 - - -", "E5 - - - - - - - - - - - C#5 - - -",
     "G5 - - - - - - - A#5 - - - D#6 - - -", "D6 - - - - - - - A#5 - - - F5 - - -",
     "E5 - - - - - - - G5 - - - C6 - - -", "C#6 - - - - - - - A5 - E5 - C#5 - E5 -"},
    8, false, true};

// Turnaround back to the top; the last sixteenth is silent.
constexpr Section kVolcanoTurn = {
    {Dm, Bb, A, A},
    {". . . . . . . . . . . . A4 - D5 -", "F5 - - - - - - - A#5 - - - - - - -",
     "A5 - - - C#6 - - - E6 - - - C#6 - - -", kRests},
    4, false, false};

constexpr std::array<const Section*, 7> kVolcanoForm = {&kVolcanoIntro, &kVolcanoA,     &kVolcanoA2,  &kVolcanoB,
                                                        &kVolcanoBreak, &kVolcanoA2, &kVolcanoTurn};

int ParsePitch(const std::string& token) {
  static constexpr int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const int letter = kSemitone[token[0] - 'A'];
  const bool sharp = token.size() > 2 && token[1] == '#';
  const int octave = token.back() - '0';
  return 12 * (octave + 1) + letter + (sharp ? 1 : 0);
}

// Two scale steps down in the minor key of `tonic`; its raised seventh
// counts as the natural one, and the result is raised back over the major
// chord on the fifth.
int ThirdBelow(int pitch, const Chord& chord, int tonic) {
  static constexpr int kScale[7] = {0, 2, 3, 5, 7, 8, 10};  // semitones above the tonic
  const auto fromTonic = [tonic](int p) { return ((p - tonic) % 12 + 12) % 12; };
  const int above = fromTonic(pitch);
  int degree = 0;
  for (int i = 0; i < 7; ++i)
    if (kScale[i] <= above) degree = i;
  const int base = pitch - above;  // the tonic at or below the note
  int below = degree >= 2 ? base + kScale[degree - 2] : base - 12 + kScale[degree + 5];
  if (!chord.minor && chord.root % 12 == (tonic + 7) % 12 && fromTonic(below) == 10) ++below;
  return below;
}

void AddMelody(std::vector<Note>& song, const Style& style, const Section& s, int bar, int firstStep) {
  const std::string text = s.melody[static_cast<size_t>(bar)];
  std::vector<std::string> tokens;
  for (size_t pos = 0; pos < text.size();) {
    const size_t end = text.find(' ', pos);
    tokens.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    pos = end == std::string::npos ? text.size() : end + 1;
  }
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i] == "-" || tokens[i] == ".") continue;
    size_t len = 1;
    while (i + len < tokens.size() && tokens[i + len] == "-") ++len;
    const int pitch = ParsePitch(tokens[i]);
    const int step = firstStep + static_cast<int>(i);
    song.push_back({style.lead, step, static_cast<int>(len), pitch, i % 4 == 0 ? 16 : 13});
    if (s.harmony) {
      song.push_back({Instrument::Harmony, step, static_cast<int>(len),
                      ThirdBelow(pitch, s.chords[static_cast<size_t>(bar)], style.tonic), 10});
    }
  }
}

void AddBand(std::vector<Note>& song, const Style& style, const Section& s, int bar, int firstStep,
             bool lastBarOfSong) {
  const Chord& chord = s.chords[static_cast<size_t>(bar)];
  const int third = chord.minor ? 3 : 4;
  const int steps = lastBarOfSong ? 15 : 16;  // leave the loop's last sixteenth silent
  // Bass: accented on the beats of the bar's halves.
  for (int i = 0; i < steps; ++i) {
    const char b = style.bass[i];
    if (b == '.') continue;
    const int pitch = chord.root + (b == 'o' ? 12 : b == 'f' ? 7 : 0);
    song.push_back({Instrument::Bass, firstStep + i, 1, pitch, i % 8 == 0 ? 16 : 12});
  }
  // Arpeggio in sixteenths over the chord.
  const int tones[4] = {0, third, 7, 12};
  for (int i = 0; i < steps; ++i) {
    if (s.halfTime && i % 2) continue;
    song.push_back({Instrument::Arp, firstStep + i, 1, chord.root + 36 + tones[style.arp[static_cast<size_t>(i % 8)]],
                    i % 4 == 0 ? 12 : 8});
  }
  // Drums.
  const char* kick = s.halfTime ? style.halfKick : style.kick;
  const char* snare = s.halfTime ? style.halfSnare : style.snare;
  const char* hats = s.halfTime ? style.halfHats : lastBarOfSong ? style.lastHats : style.hats;
  const bool fill = bar == s.bars - 1 && !s.halfTime;
  if (fill) snare = lastBarOfSong ? style.lastFill : style.fill;
  for (int i = 0; i < steps; ++i) {
    const int at = firstStep + i;
    if (kick[i] == 'x') song.push_back({Instrument::Kick, at, 1, 0, 16});
    if (snare[i] == 'x') song.push_back({Instrument::Snare, at, 1, 0, i >= 10 && fill ? 10 + (i - 10) : 14});
    if (hats[i] == 'x') song.push_back({Instrument::HatClosed, at, 1, 0, i % 4 == 0 ? 12 : 8});
    if (hats[i] == 'o') song.push_back({Instrument::HatOpen, at, 1, 0, 10});
  }
}

template <size_t N>
std::vector<Note> Compose(const Style& style, const std::array<const Section*, N>& form, int bars) {
  std::vector<Note> song;
  int bar = 0;
  for (const Section* s : form) {
    for (int b = 0; b < s->bars; ++b, ++bar) {
      const int first = bar * kStepsPerBar;
      AddMelody(song, style, *s, b, first);
      AddBand(song, style, *s, b, first, bar == bars - 1);
    }
  }
  return song;
}

}  // namespace

Song ComposeSong() { return {750, 54, Compose(kCoastStyle, kForm, 54)}; }  // 160 beats a minute

Song ComposeVolcanoSong() { return {800, 48, Compose(kVolcanoStyle, kVolcanoForm, 48)}; }  // 150 beats a minute

}  // namespace musicgen
