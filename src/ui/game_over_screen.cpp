// The game over of a run with stakes, and the initials of a score that makes
// the difficulty's table: up and down choose a letter (held, it repeats), fire
// takes it and goes to the next; the third ends the entry.
#include <algorithm>

#include "gfx/number.hpp"
#include "ui/screens.hpp"

namespace {

constexpr int32_t kShownFrames = 120;   // GAME OVER alone, before the entry or the way out
constexpr int32_t kLongestFrames = 900;  // without an entry, the title comes by itself then
constexpr int32_t kRepeatAfter = 16, kRepeatEvery = 6;
constexpr int32_t kLetterTop = 320, kLetterLeft = 240, kLetterSize = 32;
constexpr int32_t kQuestionTop = 400, kQuestionLeft = 176;  // two centred lines below the initials' boxes

enum Keys : int32_t { kFire = 1, kUp = 2, kDown = 4 };

int32_t HeldKeys(const PlayState& play, const KeyboardState& keys) {
  const CJoystick& stick = play.g_joystick;
  return (KeyHeld(keys, VK_SPACE) || stick.Fire() ? kFire : 0) | (KeyHeld(keys, VK_UP) || stick.Up() ? kUp : 0) |
         (KeyHeld(keys, VK_DOWN) || stick.Down() ? kDown : 0);
}

// The step up or down a held key makes this frame: on the press, then after
// a pause at a steady pace.
int32_t LetterStep(RunState& run, int32_t held) {
  const int32_t direction = (held & kUp ? 1 : 0) - (held & kDown ? 1 : 0);
  if (direction == 0) {
    run.entryHold = 0;
    return 0;
  }
  const int32_t frame = run.entryHold++;
  return frame == 0 || (frame >= kRepeatAfter && (frame - kRepeatAfter) % kRepeatEvery == 0) ? direction : 0;
}

void Finish(PlayState& play) {
  play.run.gameOver = 0;
  play.run.entryPlace = -1;
  play.m_state.SetTitle(1);
}

}  // namespace

std::optional<ArcadeEntry> DrawGameOverScreen(PlayState& play, CDisplay& display, const KeyboardState& keys,
                                              FrameSounds& sounds) {
  RunState& run = play.run;
  run.overTimer = std::min(run.overTimer + 1, kLongestFrames);
  const int32_t held = HeldKeys(play, keys);
  const bool pressed = (held & kFire) != 0 && (run.keysBefore & kFire) == 0;
  run.keysBefore = held;

  ClearSurface(display.GetBackSurface());
  display.DrawBigText("GAME", 192, 128, 4);
  display.DrawBigText("OVER", 192, 192, 4);
  display.DrawSmallText("SCORE", 192, 272, 2);
  DrawNumber(display, run.score, 448, 276);

  if (run.overTimer == kShownFrames && run.entryPlace < 0 && run.rules.kind == RulesKind::Arcade) {
    if (const std::optional<size_t> place = run.best.PlaceOf(run.score)) {
      run.entryPlace = static_cast<int32_t>(*place);
      run.entry = ArcadeEntry{run.score, {'A', 'A', 'A'}};
      run.entryLetter = 0;
    }
  }
  if (run.entryPlace < 0) {
    if (run.overTimer >= kLongestFrames || (run.overTimer > kShownFrames && pressed)) Finish(play);
    return std::nullopt;
  }

  display.DrawSmallText("YOUR INITIALS", 192, 300, 1);
  for (int32_t i = 0; i < static_cast<int32_t>(kInitials); ++i) {
    const int32_t x = kLetterLeft + i * (kLetterSize + 16);
    display.DrawBigText(std::string_view(&run.entry.initials[static_cast<size_t>(i)], 1), x, kLetterTop, 2);
    if (i == run.entryLetter) display.DrawSmallGlyph(45, x - 4, kLetterTop - 4, 5);  // the selection box
  }
  char& letter = run.entry.initials[static_cast<size_t>(run.entryLetter)];
  if (const int32_t step = LetterStep(run, held); step != 0) {
    letter = static_cast<char>('A' + (letter - 'A' + step + 26) % 26);
    sounds.Start(Effect::Cursor);
  }
  if (!pressed) return std::nullopt;
  sounds.Start(Effect::Confirm);
  if (++run.entryLetter < static_cast<int32_t>(kInitials)) return std::nullopt;
  const ArcadeEntry entered = run.entry;
  run.best.Enter(entered);
  Finish(play);
  return entered;
}

void DrawSendQuestion(CDisplay& display) {
  display.DrawSmallText("SEND RUN TO BOARD?", kQuestionLeft, kQuestionTop, 2);
  display.DrawSmallText("FIRE YES / BOMB NO", kQuestionLeft, kQuestionTop + 24, 2);
}
