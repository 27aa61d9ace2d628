// Recording a run and playing it back gives the same run, frame for frame,
// and a replay checks itself: a changed input, other data or another end is
// named with the frame where it first shows.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "app/fnv1a.hpp"
#include "app/game_app.hpp"
#include "app/replay.hpp"
#include "app/replay_viewer.hpp"
#include "app/state_report.hpp"
#include "input/keyboard.hpp"
#include "test_support.hpp"

namespace {

using testing_support::CommittedReplay;
using testing_support::Held;
using testing_support::RepoDataDir;
using testing_support::StartedCore;

constexpr int64_t kFrames = 1300;  // two checks
const StartChoices kWithStick = testing_support::WithStick(1);

// A player: a click on the title, then moving, firing and a bomb in turns,
// with the stick and its buttons; the stick unplugged for a while.
FrameInput PlayerInput(int64_t frame) {
  FrameInput input;
  const std::vector<std::vector<uint8_t>> moves = {{VK_SPACE, VK_LEFT}, {VK_UP}, {VK_RIGHT}, {VK_SHIFT}, {}};
  if (frame >= 20) {
    for (const uint8_t vk : moves[static_cast<size_t>(frame / 37) % moves.size()]) input.keys[vk] = 0x80;
  }
  input.keys['Q'] = 0x80;  // not a game key: a replay keeps only the game's
  input.click = frame == 20;
  const auto turn = static_cast<uint32_t>(frame / 23);
  input.stick = JoyReading{true, 32768, 32768, 0};
  if (frame > 20) input.stick = JoyReading{true, turn * 9000 % 65536, 65535 - turn * 7000 % 65536, turn % 4};
  if (frame > 300 && frame < 330) input.stick = JoyReading{};
  return input;
}

// `frames` frames from `choices` recorded, each frame's input from `input`;
// into `hashes`, if given, each frame's state hash XOR its page's.
Replay Recorded(const StartChoices& choices, int64_t frames, const std::function<FrameInput(int64_t)>& input,
                std::vector<uint64_t>* hashes = nullptr) {
  Core live = StartedCore(choices);
  ReplayRecorder recorder(choices, StampFor(RepoDataDir().string(), choices.rules));
  FrameOutput out;
  for (int64_t frame = 1; frame <= frames; ++frame) {
    const FrameInput held = input(frame);
    out = live.Step(held);
    recorder.Add(held, out, live.State());
    if (hashes != nullptr) hashes->push_back(HashPlayState(live.State()) ^ Fnv1a(out.page));
  }
  return recorder.Finish(out.page, live.State());
}

TEST(Replay, ARecordedRunReadsBackChecksItselfAndNamesTheFirstCheckThatSeesADifference) {
  const Replay replay = Recorded(kWithStick, kFrames, PlayerInput);
  ASSERT_EQ(replay.checks.size(), 2u);
  EXPECT_EQ(replay.checks[1].frame, 1200);
  EXPECT_EQ(replay.end.substr(0, 5), "1300 ");

  Replay back;
  bool isReplay = false;
  std::string error;
  ASSERT_TRUE(ParseReplay(replay.Text(), "run.krp", back, isReplay, error)) << error;
  EXPECT_TRUE(back.fullScreen == 1 && back.keyboard == 0 && back.script.joystick && back.stamp == replay.stamp);
  const std::string data = RepoDataDir().string();
  EXPECT_EQ(CheckReplay(back, data, ""), "") << "read back, it plays to every check and the end as recorded";

  Replay changed = replay;  // a step right at frame 700
  for (InputRun& run : changed.script.runs) {
    if (run.end - run.count < 700 && run.end >= 700) run.keys = {VK_RIGHT};
  }
  const std::string difference = CheckReplay(changed, data, "");
  EXPECT_EQ(difference.rfind("frame 1200: the state hash is ", 0), 0u) << difference;
  Replay ended = replay;
  ended.end.back() = ended.end.back() == '0' ? '1' : '0';
  EXPECT_EQ(CheckReplay(ended, data, ""), "ended as \"" + replay.end + "\", not as recorded \"" + ended.end + "\"");

  testing_support::HeadlessGame other(RepoDataDir());  // a copy of the data, one cell changed
  std::string chars = testing_support::ReadFile(other.dir / "data" / "char.csv");
  chars.insert(chars.find('\n'), " ");
  testing_support::WriteFile(other.dir / "data" / "char.csv", chars);
  const std::string verdict = CheckReplay(replay, other.DataDir(), "");
  EXPECT_EQ(verdict.rfind("recorded on other data (data " + replay.stamp->dataHash + " of kestrova ", 0), 0u) << verdict;
  EXPECT_EQ(CheckReplay(replay, data, "", {1299}), "plays 1300 frames, more than the 1299 allowed");
}

// An arcade run to its game over and its initials: what it came to is what the
// check reports, a run cut at the game over reads back with that screen in its
// end line, and one still playing at the deadline is cut there.
TEST(Replay, AnArcadeRunReportsItsScoreAndInitialsAndEndsOnTheGameOver) {
  const std::string data = RepoDataDir().string();
  const Replay replay = CommittedReplay("tests/scripts/arcade_initials.krp");
  CheckOutcome outcome;
  ASSERT_EQ(CheckReplay(replay, data, "", {}, &outcome), "");
  EXPECT_EQ(outcome.frames, replay.script.Length());
  EXPECT_EQ(outcome.score, 5290);
  ASSERT_TRUE(outcome.entry);
  EXPECT_EQ(std::string(outcome.entry->initials.begin(), outcome.entry->initials.end()), "BCA");

  const auto inputAt = [&replay](int64_t frame) { return replay.script.InputAt(frame); };
  Replay over;
  bool isReplay = false;
  std::string error;
  ASSERT_TRUE(ParseReplay(Recorded(replay.Choices(), 6100, inputAt).Text(), "over.krp", over, isReplay, error)) << error;
  EXPECT_EQ(over.end.substr(0, 14), "6100 gameover ");
  EXPECT_EQ(CheckReplay(over, data, "", {}, &outcome), "");
  EXPECT_TRUE(outcome.score == 5290 && !outcome.entry);

  const CheckLimits past{INT64_MAX, std::chrono::steady_clock::now()};
  EXPECT_EQ(CheckReplay(replay, data, "", past, &outcome), "cut at frame 0: it plays longer than the time allowed");
  EXPECT_EQ(outcome.frames, 0);
}

// Played live, an arcade run enters its initials into the difficulty's table
// beside the score file, after what the table held, and leaves the score file
// alone. Watched, it plays under its rules and from its own table as it began
// (played otherwise, it would be another run), and saves nothing.
TEST(Replay, AnArcadeRunPlayedLiveEntersItsInitialsBesideTheScoreFileAndWatchedPlaysFromItsOwnTable) {
  Replay replay = CommittedReplay("tests/scripts/arcade_initials.krp");
  testing_support::HeadlessGame player(RepoDataDir());
  const auto folder = player.dir / "scores";
  std::filesystem::create_directories(folder);
  testing_support::WriteFile(folder / "score.dat", testing_support::ScoreFileText({42}));
  testing_support::WriteFile(folder / "arcade-expert.dat", "9000 XYZ\n");
  AppOptions options;
  options.dataDir = player.DataDir();
  options.scorePath = (folder / "score.dat").string();
  options.keyboard = 1;
  options.rules = replay.Choices().rules;
  testing_support::WindowedApp live(options);
  EXPECT_EQ(live.window.dialogs, 0) << "the keyboard given, the dialog is not asked";
  for (int64_t frame = 1; frame <= replay.script.Length(); ++frame) live.OnIdle(replay.script.InputAt(frame));
  live.ExitInstance();
  const std::string table = testing_support::ReadFile(folder / "arcade-expert.dat");
  EXPECT_EQ(table, "9000 XYZ\n5290 BCA\n");
  EXPECT_EQ(testing_support::ReadFile(folder / "score.dat"), testing_support::ScoreFileText({42}));

  replay.best.entries[0] = ArcadeEntry{9500, {'Q', 'R', 'S'}};  // the run's 5290 enters second, not first
  WatchReplayWith(replay, options);
  testing_support::WindowedApp watching(options);
  ReplayViewer viewer(replay, replay.script.Length() - 1);
  for (int tick = 0; tick < 10 && watching.OnIdleWatching(viewer, FrameInput{}) != 0; ++tick) {
  }
  EXPECT_TRUE(viewer.Done());
  EXPECT_EQ(watching.State().run.best.entries[0], replay.best.entries[0]);
  EXPECT_EQ(watching.State().run.best.entries[1], (ArcadeEntry{5290, {'B', 'C', 'A'}}));
  watching.ExitInstance();
  EXPECT_EQ(testing_support::ReadFile(folder / "arcade-expert.dat"), table) << "watching saves nothing";
}

// The viewer's controls, and its seeks: each lands on the page and state the
// straight run had at that frame, back or on, however far. Watched in a
// window, the run shows those frames, runs on while away and saves nothing.
TEST(Replay, TheViewerPausesStepsChangesSpeedAndSeeksToTheStraightRunsFramesAndAWindowShowsThem) {
  std::vector<uint64_t> straight;
  const Replay replay = Recorded(kWithStick, kFrames, PlayerInput, &straight);
  EXPECT_NE(straight.front(), straight.back()) << "the hashes follow the run";
  Core core = StartedCore(replay.Choices());
  ReplayViewer viewer(replay);
  int heard = 0;  // ticks whose frame started a sound
  const auto tick = [&](std::vector<uint8_t> keys = {}, int times = 1) {
    std::optional<FrameOutput> out;
    for (int i = 0; i < times; ++i) {
      out = viewer.Tick(core, Held(keys));
      heard += out && out->sounds.Any();
    }
    return out;
  };
  const auto showsFrame = [&](int64_t frame) {
    return viewer.Frame() == frame &&
           (HashPlayState(core.State()) ^ Fnv1a(core.State().back.pixels)) == straight[static_cast<size_t>(frame - 1)];
  };
  tick({}, 50);
  tick({VK_LEFT});
  EXPECT_TRUE(viewer.Frame() == 0 && HashPlayState(core.State()) == HashPlayState(StartedCore(replay.Choices()).State()))
      << "back past the start: the start itself";
  tick({}, 700);
  EXPECT_TRUE(showsFrame(700) && !viewer.BarShown()) << "plain watching is the recording alone";
  EXPECT_GT(heard, 0);
  tick({VK_LEFT});
  EXPECT_TRUE(showsFrame(100) && viewer.BarShown());
  tick({VK_SPACE});
  tick({}, 10);
  EXPECT_TRUE(showsFrame(100)) << "paused";
  EXPECT_EQ(std::string(viewer.Bar().speed), "PAUSE");
  tick({VK_SHIFT});
  EXPECT_TRUE(showsFrame(101)) << "one frame on";
  tick({VK_SPACE, VK_DOWN});  // on again, at half speed: a frame every other tick
  tick({});
  EXPECT_EQ(viewer.Frame(), 102);
  tick({VK_DOWN});
  tick({}, 8);
  EXPECT_TRUE(showsFrame(104)) << "a quarter: two frames in eight ticks";
  for (int i = 0; i < 6; ++i) tick({VK_UP}), tick({});
  EXPECT_EQ(std::string(viewer.Bar().speed), "8X");
  const int64_t fast = viewer.Frame();
  heard = 0;
  tick({});
  EXPECT_TRUE(showsFrame(fast + 8)) << "eight frames a tick";
  tick({}, 80);
  EXPECT_EQ(heard, 0) << "unheard";
  const int64_t far = viewer.Frame();
  ASSERT_EQ(far, fast + 8 * 81);
  tick({VK_LEFT});
  tick({VK_RIGHT});
  EXPECT_TRUE(showsFrame(far)) << "back and on again";
  tick({});  // a key held on is no new press
  tick({VK_RIGHT});
  EXPECT_TRUE(showsFrame(std::min(far + 8 + ReplayViewer::kSeekFrames, kFrames - 1))) << "not past the end";
  tick({}, 200);
  EXPECT_TRUE(viewer.Done() && viewer.Frame() == kFrames);
  ReplayViewer stopped(replay);
  stopped.Tick(core, Held({VK_SPACE}));
  EXPECT_EQ(std::string(stopped.Bar().speed), "PAUSE") << "a press from the very first tick";
  stopped.Tick(core, Held({VK_SPACE, VK_ESCAPE}));
  EXPECT_TRUE(stopped.Done());

  testing_support::HeadlessGame watcher(RepoDataDir());
  const auto scores = watcher.dir / "data" / "score.dat";
  testing_support::WriteFile(scores, testing_support::ScoreFileText({42}));
  testing_support::FakePlatform window;
  window.stick = JoyCaps{0, 1000, 0, 1000};  // plugged in at the watcher's, not the recording's
  AppOptions options;
  options.dataDir = watcher.DataDir();
  WatchReplayWith(replay, options);
  CGameApp app(window, options, BuiltinResources());
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(window.title, "Kestrova App (replay)");
  ReplayViewer watched(replay, 100);  // the first 100 frames played unseen in the first tick
  EXPECT_EQ(window.presents, 0);
  for (int64_t frame = 101; frame <= 300; ++frame) {
    app.OnIdleWatching(watched, FrameInput{});
    ASSERT_EQ(HashPlayState(app.State()) ^ Fnv1a(window.lastPage), straight[static_cast<size_t>(frame - 1)])
        << "frame " << frame;
    if (frame == 200) {
      EXPECT_FALSE(app.OnAway()) << "people leave a replay running";
    }
  }
  app.ExitInstance();
  EXPECT_EQ(testing_support::ReadFile(scores), testing_support::ScoreFileText({42}));
}

// Past 64 states kept, every other one goes: seeks still land exactly.
TEST(Replay, TheViewerSeeksBackExactlyInALongRecording) {
  Replay idle;
  idle.keyboard = 1;
  constexpr int64_t kLong = 66 * ReplayViewer::kSeekFrames + 7;
  for (int64_t i = 0; i < kLong; ++i) idle.script.Append({}, i == 500);  // a click starts play
  Core core = StartedCore(idle.Choices());
  ReplayViewer viewer(idle, kLong - 100);
  viewer.Tick(core, FrameInput{});
  viewer.Tick(core, Held({VK_LEFT}));
  ASSERT_EQ(viewer.Frame(), kLong - 100 + 1 - ReplayViewer::kSeekFrames);
  Core straight = StartedCore(idle.Choices());
  for (int64_t frame = 1; frame <= viewer.Frame(); ++frame) straight.Step(idle.script.InputAt(frame), frame == viewer.Frame());
  EXPECT_EQ(HashPlayState(core.State()), HashPlayState(straight.State()));
  EXPECT_EQ(core.State().back.pixels, straight.State().back.pixels);
}

TEST(Replay, FileRoundTripsAndBadFilesNameTheLine) {
  Replay replay;
  replay.keyboard = 0;
  replay.script.Append({}, false);
  replay.script.Append({}, false);
  replay.script.Append({VK_SPACE}, true);
  replay.script.Append({VK_SPACE}, false);
  EXPECT_EQ(replay.Text(), "kestrova-replay 2 window joystick none\n2 none\n1 space+click\n1 space\n");
  // With a joystick: its limits, and each run's reading; a reading that changes starts a run.
  Replay stick = replay;
  stick.script = InputScript{{}, JoyCaps{0, 65535, 10, 65000}};
  stick.script.Append({}, false, JoyReading{true, 1, 65535, 3});
  stick.script.Append({}, false, JoyReading{true, 1, 65535, 3});
  stick.script.Append({}, false, JoyReading{});
  stick.script.Append({VK_LEFT}, false, JoyReading{true, 4294967295u, 0, 0});
  EXPECT_EQ(stick.Text(), "kestrova-replay 2 window joystick 0 65535 10 65000\n2 none 1,65535,3\n1 none unplugged\n"
                          "1 left 4294967295,0,0\n");
  // Format 3: the stamp, and each check after its frame, cutting the run it falls in.
  Replay checked = replay;
  checked.stamp = ReplayStamp{"1.0.0", "00000000000000ff"};
  checked.checks = {{1, 0xa}, {3, 0xb}};
  checked.end = "4 play 0000000000000001 0000000000000002";
  EXPECT_EQ(checked.Text(), "kestrova-replay 3 window joystick none\ngame 1.0.0 data 00000000000000ff\n1 none\n"
                            "check 1 000000000000000a\n1 none\n1 space+click\ncheck 3 000000000000000b\n1 space\n"
                            "end 4 play 0000000000000001 0000000000000002\n");
  Replay ruled = checked;  // the start choices beyond the standard rules, and a name
  ruled.rules = GameRules{RulesKind::Practice, Difficulty::Expert, 2, kFromCarrier, false, true};
  ruled.player = "Ada K.";
  ruled.best.entries[0] = ArcadeEntry{22310, {'A', 'D', 'A'}};
  ruled.best.entries[1] = ArcadeEntry{900, {'B', 'O', 'B'}};
  const std::string ruledText = ruled.Text();
  EXPECT_NE(ruledText.find("\nrules practice difficulty expert stage 2 from carrier lives no invulnerable yes\n"
                           "best 22310 ADA 900 BOB\nplayer Ada K.\n1 none\n"), std::string::npos) << ruledText;
  Replay back;
  bool isReplay = false;
  std::string error;
  for (const Replay* original : {&replay, &stick, &checked, &ruled}) {
    ASSERT_TRUE(ParseReplay(original->Text(), "r", back, isReplay, error)) << error;
    EXPECT_TRUE(isReplay);
    EXPECT_EQ(back.Text(), original->Text());
    EXPECT_TRUE(back.rules == original->rules && back.player == original->player && back.best == original->best);
  }
  // Format 1, without the joystick, still reads.
  ASSERT_TRUE(ParseReplay("kestrova-replay 1 fullscreen joystick\n5 up\n", "r", back, isReplay, error)) << error;
  EXPECT_TRUE(back.fullScreen == 1 && back.keyboard == 0 && !back.script.joystick && back.script.Length() == 5);

  const std::string game = "kestrova-replay 3 window keyboard\ngame 1.0.0 data 0123456789abcdef\n";
  const std::string end = "end 2 play 0123456789abcdef 0123456789abcdef\n";
  const struct {
    std::string text;
    const char* where;
  } bad[] = {
      {"kestrova-replay 4 window keyboard\n1 none\n", "r:1:"},
      {"kestrova-replay 1 sideways keyboard\n", "r:1:"},
      {"kestrova-replay 1 window keyboard extra\n", "r:1:"},
      {"kestrova-replay 2 window joystick 0 65535 0\n", "r:1:"},
      {"kestrova-replay 2 window joystick 0 65535 0 4294967296\n", "r:1:"},
      {"kestrova-replay 1 window keyboard\n1 none\n2", "r:3:"},  // cut off mid-line
      {"kestrova-replay 2 window keyboard\n1 none 1,2,3\n", "r:2:"},  // no joystick, no readings
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none\n", "r:2:"},  // a reading on every line
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none 1,2\n", "r:2:"},
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none 1,2,3,4\n", "r:2:"},
      {"kestrova-replay 2 window keyboard\ncheck 1 0123456789abcdef\n", "r:2:"},  // format 2 has no checks
      {"kestrova-replay 3 window keyboard\n2 none\n" + end, "r:2:"},  // the game line first
      {game + "game 1.0.0 data 0123456789abcdef\n", "r:3:"},
      {"kestrova-replay 3 window keyboard\ngame 1.0.0 data 0123456789ABCDEF\n", "r:2:"},
      {"kestrova-replay 3 window keyboard\ngame 1.0.0 date 0123456789abcdef\n", "r:2:"},
      {game + "2 none\ncheck 3 0123456789abcdef\n" + end, "r:4:"},  // a check before its frame
      {game + "2 none\ncheck 2 0123456789abcdef\ncheck 2 0123456789abcdef\n" + end, "r:5:"},
      {game + "2 none\ncheck 2 123\n" + end, "r:4:"},
      {game + "2 none\nend 3 play 0123456789abcdef 0123456789abcdef\n", "r:4:"},
      {game + "2 none\nend 2 elsewhere 0123456789abcdef 0123456789abcdef\n", "r:4:"},
      {game + "2 none\n" + end + "1 none\n", "r:5:"},
      {game + "2 none\n", "r:4:"},  // frames without an end
      {game.substr(0, game.find('\n') + 1), "r:2:"},  // no game line at all
      {game + "rules standard\n", "r:3:"},
      {game + "rules arcade difficulty insane\n", "r:3:"},
      {game + "rules arcade\nrules arcade\n", "r:4:"},
      {game + "rules practice stage 0\n", "r:3:"},
      {game + "rules practice from 3601\n", "r:3:"},
      {game + "rules practice lives maybe\n", "r:3:"},
      {game + "rules arcade speed 2\n", "r:3:"},
      {game + "player <script>\n", "r:3:"},
      {game + "best 100 AB\n", "r:3:"},
      {game + "best 6 AAA 5 BBB 4 CCC 3 DDD 2 EEE 1 FFF\n", "r:3:"},
      {game + "best 100 ABC\nbest 100 ABC\n", "r:4:"},
      {game + "player Seventeen letters\n", "r:3:"},
      {game + "1 none\nplayer late\n", "r:4:"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ParseReplay(c.text, "r", back, isReplay, error)) << c.text;
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << c.text << " gave " << error;
  }
  EXPECT_FALSE(LoadReplay("/nonexistent/run.krp", back, error));
}

}  // namespace
