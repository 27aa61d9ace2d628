#include "ui/core.hpp"

#include <utility>

#include "game/play.hpp"
#include "ui/screens.hpp"

Core::Core(CoreSetup setup) : m_setup(std::move(setup)) {
  if (m_setup.joystick) m_thresholds = JoystickThresholds(*m_setup.joystick);
  m_state.g_joystick.InitJoystick(Thresholds());
  m_state.run.rules = m_setup.rules;
  m_state.run.best = m_setup.best;
}

// A left click starts play from the title, as Space does. The sheet it
// would reload is the one already loaded.
void Core::OnLButtonDown(FrameSounds& sounds) {
  if (!m_state.m_state.m_bTitle) return;
  m_state.m_state.SetPlaying(1);
  sounds.Start(Effect::Start);
  ClearSurface(m_state.back);
  CDisplay display(*m_setup.sheet, m_state.back, m_state.scroll, true);
  AfterStart(Screen::Title, display, sounds);
}

// From the title a run begins afresh; from the stage clear, arcade goes round
// again, harder, and practice is over.
void Core::AfterStart(Screen from, CDisplay& display, FrameSounds& sounds) {
  if (!HasStakes(m_state.run) || !m_state.m_state.m_bPlaying) return;
  if (from == Screen::Title) {
    Play(m_state, *m_setup.data, display, sounds, m_setup.tuning).StartRun();
  } else if (m_state.run.rules.kind == RulesKind::Practice) {
    m_state.m_state.SetTitle(1);
  } else {
    ++m_state.run.loop;
  }
}

FrameOutput Core::Step(const FrameInput& input, bool seen) {
  FrameOutput out;
  if (input.click) OnLButtonDown(out.sounds);
  const Screen screen = CurrentScreen(m_state);
  out.screen = ScreenName(m_state);
  // The exit query reads the keyboard alone, and draws its page whole.
  if (screen == Screen::Exit) {
    CDisplay display(*m_setup.sheet, m_state.back, m_state.scroll);
    out.close = DrawExitQueryScreen(m_state, display, input.keys, out.sounds);
  } else {
    m_state.g_joystick.PollJoystick(input.stick, Thresholds());
    CDisplay display(*m_setup.sheet, m_state.back, m_state.scroll, !seen);
    if (screen == Screen::Title) {
      DrawTitleScreen(m_state, display, m_setup.scores, input.keys, out.sounds);
      AfterStart(screen, display, out.sounds);
    } else if (screen == Screen::Clear) {
      DrawStageClearScreen(m_state, display, input.keys, out.sounds);
      AfterStart(screen, display, out.sounds);
    } else if (screen == Screen::GameOver) {
      out.entry = DrawGameOverScreen(m_state, display, input.keys, out.sounds);
    } else {
      Play(m_state, *m_setup.data, display, out.sounds, m_setup.tuning).RunFrame(input.keys);
    }
  }
  out.page = m_state.back.pixels;
  out.score = m_state.g_player.score;
  return out;
}

std::span<const uint8_t> Core::PausedPage() { return OverlaidPage(DrawPausedPage); }

std::span<const uint8_t> Core::OverlaidPage(const std::function<void(CDisplay&)>& draw) {
  m_overlaidPage = m_state.back;
  Surface unused;
  CDisplay display(*m_setup.sheet, m_overlaidPage, unused);
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
  return true;
}
