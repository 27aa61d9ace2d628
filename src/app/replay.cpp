#include "app/replay.hpp"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "app/fnv1a.hpp"
#include "app/headless_core.hpp"
#include "app/state_report.hpp"
#include "data/difficulty.hpp"
#include "data/tables.hpp"

namespace {

std::string Strip(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

uint64_t MixText(const std::string& text, uint64_t hash) {
  return Fnv1a({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, hash);
}

// Reading the clock costs more than a frame on the title: it is read every so often.
constexpr int64_t kDeadlineEvery = 256;

std::string PlayChecked(const Replay& replay, const std::string& dataDir, const std::string& expectedLast,
                        const CheckLimits& limits, CheckOutcome& outcome) {
  if (replay.stamp) {
    const ReplayStamp here = StampFor(dataDir, replay.rules);
    if (replay.stamp->dataHash != here.dataHash) {
      return "recorded on other data (data " + replay.stamp->dataHash + " of kestrova " + replay.stamp->version +
             "; the data here is " + here.dataHash + ")";
    }
  }
  const std::string expected = Strip(replay.stamp ? replay.end : expectedLast);
  const int64_t frames = std::strtoll(expected.c_str(), nullptr, 10);
  if (frames <= 0) return "";
  if (frames > limits.frames) {
    return "plays " + std::to_string(frames) + " frames, more than the " + std::to_string(limits.frames) + " allowed";
  }
  std::string message;
  std::optional<Core> core = StartHeadlessCore(dataDir, replay.Choices(), message);
  if (!core) return "the game did not start";
  auto check = replay.checks.begin();
  FrameOutput out;
  int64_t& played = outcome.frames;
  // Only the last page is compared: the others need not be drawn whole.
  while (played < frames && !out.close) {
    if (played % kDeadlineEvery == 0 && std::chrono::steady_clock::now() >= limits.deadline) {
      return "cut at frame " + std::to_string(played) + ": it plays longer than the time allowed";
    }
    ++played;
    out = core->Step(replay.script.InputAt(played), played == frames);
    const RunState& run = core->State().run;
    outcome.score = HasStakes(run) ? run.score : core->State().g_player.score;
    // The initials are the last run's: a later run that entered none is not named by them.
    if (out.entry) {
      outcome.entry = out.entry;
    } else if (run.gameOver == 0 && CurrentScreen(core->State()) == Screen::Play) {
      outcome.entry.reset();
    }
    if (check != replay.checks.end() && check->frame == played) {
      const uint64_t hash = HashPlayState(core->State());
      if (hash != check->stateHash) {
        char text[96];
        std::snprintf(text, sizeof text, "frame %" PRId64 ": the state hash is %016" PRIx64 ", not as recorded %016" PRIx64,
                      played, hash, check->stateHash);
        return text;
      }
      ++check;
    }
  }
  const std::string last = Strip(FrameLine(played, out.screen, out.page, core->State()));
  if (last == expected) return "";
  return "ended as \"" + last + "\", not as recorded \"" + expected + "\"";
}

}  // namespace

bool LoadReplay(const std::string& path, Replay& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot open";
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bool isReplay = false;
  return ParseReplay(text, path, out, isReplay, error);
}

bool SaveReplay(const std::string& path, const std::string& text, std::string& error) {
  const std::string tmp = path + ".tmp";
  std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out || std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    error = "cannot write the recording " + path;
    return false;
  }
  return true;
}

ReplayStamp StampFor(const std::string& dataDir, const GameRules& rules) {
  // Each file's name and length before its bytes, so that no two folders of
  // different files hash alike by where one file ends and the next begins.
  // Only the files the rules read: the standard game reads no difficulty.
  std::vector<std::string> names(kDataFiles.begin(), kDataFiles.end());
  if (rules.kind != RulesKind::Standard) {
    names.push_back(std::string(kDifficultyTable) + ".csv");
    // And the stage packs, each as its files' names within the data folder.
    for (int32_t stage = 2; stage <= kMostStages; ++stage) {
      const std::string pack = StagePackName(stage);
      std::error_code ignored;
      if (!std::filesystem::is_directory(dataDir + "/" + pack, ignored)) break;
      for (const char* file : kPackFiles) names.push_back(pack + "/" + file);
    }
  }
  uint64_t hash = kFnv1aStart;
  for (const std::string& name : names) {
    std::ifstream in(dataDir + "/" + name, std::ios::binary);
    const std::string bytes = in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
                                 : std::string();
    hash = MixText(std::string(name) + (in ? ":" + std::to_string(bytes.size()) + ":" : ":missing:"), hash);
    hash = MixText(bytes, hash);
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, hash);
  return ReplayStamp{KESTROVA_VERSION, text};
}

ReplayRecorder::ReplayRecorder(const StartChoices& choices, ReplayStamp stamp) {
  m_replay.fullScreen = choices.fullScreen;
  m_replay.keyboard = choices.keyboard;
  m_replay.script.joystick = choices.keyboard ? std::nullopt : choices.joystick;
  m_replay.rules = choices.rules;
  m_replay.best = choices.best;
  m_replay.stamp = std::move(stamp);
}

void ReplayRecorder::Add(const FrameInput& input, const FrameOutput& output, const PlayState& state) {
  InputScript& script = m_replay.script;
  script.Append(HeldKeys(input.keys), input.click, script.joystick ? std::optional(input.stick) : std::nullopt);
  m_lastScreen = output.screen;
  if (Frames() % kCheckEvery == 0) m_replay.checks.push_back(ReplayCheck{Frames(), HashPlayState(state)});
}

Replay ReplayRecorder::Finish(std::span<const uint8_t> lastPage, const PlayState& state) const {
  Replay replay = m_replay;
  if (Frames() > 0) replay.end = Strip(FrameLine(Frames(), m_lastScreen.c_str(), lastPage, state));
  return replay;
}

std::string CheckReplay(const Replay& replay, const std::string& dataDir, const std::string& expectedLast,
                        const CheckLimits& limits, CheckOutcome* outcome) {
  CheckOutcome played;
  std::string verdict = PlayChecked(replay, dataDir, expectedLast, limits, played);
  if (outcome != nullptr) *outcome = std::move(played);
  return verdict;
}
