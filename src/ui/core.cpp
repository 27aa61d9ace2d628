#include "ui/core.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "game/play.hpp"
#include "ui/screens.hpp"

Core::Core(CoreSetup setup) : m_setup(std::move(setup)) {
  if (m_setup.joystick) m_thresholds = JoystickThresholds(*m_setup.joystick);
  m_state.g_joystick.InitJoystick(Thresholds());
  m_state.run.rules = m_setup.rules;
  m_state.run.best = m_setup.best;
}

int32_t Core::Stage() const { return HasStakes(m_state.run) ? std::clamp(m_state.run.stage, 1, Stages()) : 1; }

const GameData& Core::Data() const {
  return Stage() == 1 ? *m_setup.data : *m_setup.laterStages[static_cast<size_t>(Stage() - 2)].data;
}

const SpriteSheet& Core::Sheet() const {
  return Stage() == 1 ? *m_setup.sheet : *m_setup.laterStages[static_cast<size_t>(Stage() - 2)].sheet;
}

std::span<const uint8_t> Core::PackMusic(int32_t stage) const {
  if (stage < 2 || stage > Stages()) return {};
  return m_setup.laterStages[static_cast<size_t>(stage - 2)].music;
}

// A left click starts play from the title, as Space does. The sheet it
// would reload is the one already loaded.
void Core::OnLButtonDown(FrameSounds& sounds) {
  if (!m_state.m_state.m_bTitle) return;
  m_state.m_state.SetPlaying(1);
  sounds.Start(Effect::Start);
  ClearSurface(m_state.back);
  CDisplay display(Sheet(), m_state.back, m_state.scroll, true);
  AfterStart(Screen::Title, display, sounds);
}

// From the title a run begins afresh, at the stage practice chose; from the
// stage clear, arcade goes on to the next stage, or round again, harder, after
// the last; practice is over.
void Core::AfterStart(Screen from, CDisplay& display, FrameSounds& sounds) {
  RunState& run = m_state.run;
  if (!HasStakes(run) || !m_state.m_state.m_bPlaying) return;
  if (from == Screen::Title) {
    run.stage = run.rules.kind == RulesKind::Practice ? std::clamp(run.rules.stage, 1, Stages()) : 1;
    run.rules.stage = run.stage;
    CDisplay onStage(Sheet(), m_state.back, m_state.scroll, display.Unseen());
    Play(m_state, Data(), onStage, sounds, m_setup.tuning).StartRun();
  } else if (run.rules.kind == RulesKind::Practice) {
    m_state.m_state.SetTitle(1);
  } else if (Stages() == 1) {
    ++run.loop;
  } else {
    run.loop += run.stage == Stages() ? 1 : 0;
    run.stage = run.stage % Stages() + 1;
    // Another stage's programs and script: nothing of the last one's goes on.
    m_state.mainList.Clear();
    m_state.childList.Clear();
    m_state.g_nStageRow = 0;
    m_state.g_nStageWait = 0;
  }
}

FrameOutput Core::Step(const FrameInput& input, bool seen) {
  FrameOutput out;
  if (input.click) OnLButtonDown(out.sounds);
  const Screen screen = CurrentScreen(m_state);
  out.screen = ScreenName(m_state);
  // The exit query reads the keyboard alone, and draws its page whole.
  if (screen == Screen::Exit) {
    CDisplay display(Sheet(), m_state.back, m_state.scroll);
    out.close = DrawExitQueryScreen(m_state, display, input.keys, out.sounds);
  } else {
    m_state.g_joystick.PollJoystick(input.stick, Thresholds());
    CDisplay display(Sheet(), m_state.back, m_state.scroll, !seen);
    if (screen == Screen::Title) {
      DrawTitleScreen(m_state, display, m_setup.scores, input.keys, out.sounds);
      AfterStart(screen, display, out.sounds);
    } else if (screen == Screen::Clear) {
      DrawStageClearScreen(m_state, display, input.keys, out.sounds);
      AfterStart(screen, display, out.sounds);
    } else if (screen == Screen::GameOver) {
      out.entry = DrawGameOverScreen(m_state, display, input.keys, out.sounds);
    } else {
      Play(m_state, Data(), display, out.sounds, m_setup.tuning).RunFrame(input.keys);
    }
  }
  out.page = m_state.back.pixels;
  out.score = m_state.g_player.score;
  out.stage = Stage();
  return out;
}

std::span<const uint8_t> Core::PausedPage() { return OverlaidPage(DrawPausedPage); }

std::span<const uint8_t> Core::OverlaidPage(const std::function<void(CDisplay&)>& draw) {
  m_overlaidPage = m_state.back;
  Surface unused;
  CDisplay display(Sheet(), m_overlaidPage, unused);
  draw(display);
  return m_overlaidPage.pixels;
}

bool LoadCoreData(const std::string& dataDir, const std::string& scorePath, CoreSetup& setup, std::string& error) {
  auto data = std::make_shared<GameData>();
  DataError dataError;
  if (!LoadGameData(dataDir, *data, &dataError)) {
    error = dataError.Message();
    return false;
  }
  setup.data = std::move(data);
  if (!scorePath.empty()) setup.scores.Load(scorePath);
  if (setup.rules.kind == RulesKind::Standard) return true;
  std::array<DifficultyTuning, kDifficulties> tunings;
  if (!LoadDifficulties(dataDir, tunings, &dataError)) {
    error = dataError.Message();
    return false;
  }
  setup.tuning = tunings[static_cast<size_t>(setup.rules.difficulty)];
  return LoadStagePacks(dataDir, setup.laterStages, error);
}

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int32_t CountStages(const std::string& dataDir) {
  int32_t stages = 1;
  std::error_code ignored;
  while (stages < kMostStages && std::filesystem::is_directory(dataDir + "/" + StagePackName(stages + 1), ignored)) {
    ++stages;
  }
  return stages;
}

bool LoadStagePacks(const std::string& dataDir, std::vector<StagePack>& packs, std::string& error) {
  packs.clear();
  const int32_t stages = CountStages(dataDir);
  for (int32_t stage = 2; stage <= stages; ++stage) {
    const std::string dir = dataDir + "/" + StagePackName(stage);
    auto data = std::make_shared<GameData>();
    DataError dataError;
    if (!LoadGameData(dir, *data, &dataError, kPackScript)) {
      error = dataError.Message();
      return false;
    }
    auto sheet = std::make_shared<SpriteSheet>();
    if (const SheetResult loaded = LoadSpriteSheet(ReadBytes(dir + "/sheet.bmp"), *sheet); loaded != SheetResult::Loaded) {
      error = dir + "/sheet.bmp: " + (*SheetMessage(loaded) != '\0' ? SheetMessage(loaded) : "not a sprite sheet");
      return false;
    }
    packs.push_back(StagePack{std::move(data), std::move(sheet), ReadBytes(dir + "/music.wav")});
  }
  return true;
}
