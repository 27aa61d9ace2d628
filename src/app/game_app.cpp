#include "app/game_app.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "gfx/number.hpp"
#include "ui/screens.hpp"
#include "ui/settings_dlg.hpp"

namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

CGameApp::CGameApp(platform::Platform& platform, AppOptions options, Resources resources)
    : m_data(std::make_unique<GameData>()), m_platform(platform), m_options(std::move(options)), m_resources(resources) {}

CGameApp::~CGameApp() = default;

int32_t CGameApp::InitInstance() {
  if (!m_options.sheetPath.empty()) {
    m_sheetFile = ReadWholeFile(m_options.sheetPath);
    m_resources.sheet = m_sheetFile;
  }
  m_pFrame = std::make_unique<CMainFrame>(m_platform, m_resources.sheet, m_play.m_state, m_options.pauseWhenAway);
  if (!m_platform.CreateMainWindow(m_resources.icon)) {
    m_platform.ShowMessageBox("ERROR Make Window");
    return 0;
  }

  CSettingsDlg dialog;
  if (m_options.fullScreen || m_options.keyboard) {
    dialog.m_bFullScreen = m_options.fullScreen.value_or(dialog.m_bFullScreen);
    dialog.m_bKeyboard = m_options.keyboard.value_or(dialog.m_bKeyboard);
  } else {
    dialog.DoModal(m_platform);
  }
  CDisplay& display = m_pFrame->m_display;
  display.m_bFullScreen = dialog.m_bFullScreen;

  if (!display.InitDirectDraw(m_platform)) {
    m_platform.ShowMessageBox("ERROR InitDirectDraw");
    return 0;
  }
  if (!display.LoadSpriteSheet(m_resources.sheet)) {
    m_platform.ShowMessageBox("ERROR BITMAP LOADING");
    return 0;
  }
  // A machine without sound still plays, silently, rather than ending unexplained.
  if (m_pFrame->m_sound.InitSound(m_platform, m_resources.music, m_resources.effects)) {
    m_pFrame->m_sound.PlayMusic();
  } else {
    std::fprintf(stderr, "kestrova: warning: no audio output; playing without music\n");
  }

  m_pMainWnd = m_pFrame.get();
  m_platform.ShowMainWindow();
  if (dialog.m_bKeyboard == 0) m_play.g_joystick.InitJoystick(m_platform);
  if (!LoadData()) return 0;
  ClearSurface(display.GetBackSurface());
  return 1;
}

int32_t CGameApp::LoadData() {
  if (m_options.dataDir.empty()) {
    m_platform.ShowMessageBox("ERROR DATA LOADING " + m_options.dataProblem);
    return 0;
  }
  DataError error;
  if (!LoadGameData(m_options.dataDir, *m_data, &error)) {
    m_platform.ShowMessageBox("ERROR DATA LOADING " + error.Message());
    return 0;
  }
  m_highScores.Load(ScorePath());
  m_scoresLoaded = true;
  return 1;
}

int32_t CGameApp::OnIdle() {
  if (m_pMainWnd == nullptr) return 0;
  const GameState& state = m_play.m_state;
  if (state.m_bPlaying) {
    RunFrameOfPlay();
  } else if (state.m_bTitle) {
    DrawTitleScreen();
  } else if (state.m_bStageClear) {
    DrawStageClearScreen();
  } else if (state.m_bExitQuery) {
    DrawExitQueryScreen();
  } else {
    RunFrameOfPlay();
  }
  // Clicks between idle calls start their sounds with this frame's.
  m_lastSounds = std::exchange(m_pFrame->m_sounds, FrameSounds{});
  m_pFrame->m_sound.StartEffects(m_lastSounds);
  return 1;
}

void CGameApp::ReadInput(bool pollJoystick) {
  m_platform.GetKeyboardState(m_keys);
  if (pollJoystick) m_play.g_joystick.PollJoystick(m_platform);
}

void CGameApp::DrawTitleScreen() {
  ReadInput(true);
  DrawFrame([&](CDisplay& display) {
    ::DrawTitleScreen(m_play, display, m_highScores, m_keys, m_pFrame->m_sounds);
  });
}

void CGameApp::DrawStageClearScreen() {
  ReadInput(true);
  DrawFrame([&](CDisplay& display) { ::DrawStageClearScreen(m_play, display, m_keys, m_pFrame->m_sounds); });
}

void CGameApp::DrawExitQueryScreen() {
  ReadInput(false);
  if (::DrawExitQueryScreen(m_play, m_pFrame->m_display, m_keys, m_pFrame->m_sounds)) m_platform.PostClose();
  m_pFrame->m_display.Present();
}

void CGameApp::RunFrameOfPlay() {
  ReadInput(true);
  DrawFrame([&](CDisplay&) { PlayOf().RunFrame(m_keys); });
}

void CGameApp::DrawFrame(const std::function<void(CDisplay&)>& draw) {
  CDisplay& display = m_pFrame->m_display;
  display.SetUnseen(!m_platform.NextPageSeen());
  draw(display);
  display.SetUnseen(false);
  display.Present();
}

void CGameApp::StepStageScript() { PlayOf().StepStageScript(); }
void CGameApp::UpdateBackground() { PlayOf().UpdateBackground(); }
int32_t CGameApp::UpdateObject(int32_t kind) { return PlayOf().UpdateObject(kind); }
void CGameApp::DrawScore(int32_t score) { ::DrawScore(m_pFrame->m_display, score); }
void CGameApp::DrawNumber(int32_t value, int32_t right, int32_t top) {
  ::DrawNumber(m_pFrame->m_display, value, right, top);
}

void CGameApp::UpdatePlayer() {
  ReadInput(true);
  PlayOf().UpdatePlayer(m_keys);
}

Snapshot CGameApp::SaveSnapshot() const {
  CDisplay& display = m_pFrame->m_display;
  return Snapshot{m_play, display.GetBackSurface(), display.GetScrollSurface()};
}

void CGameApp::RestoreSnapshot(const Snapshot& snapshot) {
  m_play = snapshot.play;
  m_pFrame->m_display.GetBackSurface() = snapshot.back;
  m_pFrame->m_display.GetScrollSurface() = snapshot.scroll;
}

bool CGameApp::SaveScore() {
  // Scores that were never read must not be overwritten by an empty table.
  if (!m_scoresLoaded) return false;
  const int16_t score = m_play.g_player.score;
  if (!m_highScores.Save(ScorePath(), score, m_savedScore)) return false;
  m_savedScore = score;
  return true;
}

int CGameApp::ExitInstance() {
  if (m_options.saveScores) SaveScore();
  return 0;
}

int CGameApp::Run(const Snapshot* start) {
  if (!InitInstance()) {
    ExitInstance();
    return 1;
  }
  if (start != nullptr) RestoreSnapshot(*start);
  m_platform.RunMessageLoop(*m_pFrame, [this] { return OnIdle() != 0; });
  m_pMainWnd = nullptr;
  return ExitInstance();
}

std::string CGameApp::ScorePath() const {
  return m_options.scorePath.empty() ? m_options.dataDir + "/score.dat" : m_options.scorePath;
}
