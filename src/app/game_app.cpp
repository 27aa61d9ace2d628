#include "app/game_app.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "app/replay.hpp"
#include "gfx/kana_text.hpp"
#include "ui/screens.hpp"
#include "ui/settings_dlg.hpp"

namespace {

constexpr const char* kReplayWindowTitle = "Kestrova App (replay)";

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The message naming the step of bringing up the display that failed.
const char* VideoMessage(platform::VideoResult result, bool fullScreen) {
  using platform::VideoResult;
  switch (result) {
    case VideoResult::NoDevice: return "ERROR m_pDirectDraw";
    case VideoResult::NoCooperation: return "ERROR SetCoop OK";
    case VideoResult::NoDisplayMode: return "ERROR Set DisplayMode";
    case VideoResult::NoPrimary: return fullScreen ? "ERROR ( FULL ) DDSPRimary" : "ERROR WIndow Mode DDSPRimary";
    case VideoResult::NoBackPage:
      return fullScreen ? "( FULL )Attack Surface ERROR" : "ERROR Windw Mode DDSBackScreen";
    case VideoResult::Ok: break;
  }
  return "";
}

}  // namespace

CGameApp::CGameApp(platform::Platform& platform, AppOptions options, Resources resources, const Translator& texts)
    : m_platform(platform), m_options(std::move(options)), m_resources(resources), m_texts(texts) {}

int32_t CGameApp::InitInstance() {
  // Read before anything else, as the built-in sheet is there from the start.
  std::vector<uint8_t> sheetFile;
  std::span<const uint8_t> sheetBitmap = m_resources.sheet;
  if (!m_options.sheetPath.empty()) sheetBitmap = sheetFile = ReadWholeFile(m_options.sheetPath);
  if (!m_platform.CreateMainWindow(m_resources.icon)) {
    m_platform.ShowMessageBox("ERROR Make Window");
    return 0;
  }
  if (m_options.replay) m_platform.SetWindowTitle(kReplayWindowTitle);

  CSettingsDlg dialog;
  if (m_options.fullScreen || m_options.keyboard) {
    dialog.m_bFullScreen = m_options.fullScreen.value_or(dialog.m_bFullScreen);
    dialog.m_bKeyboard = m_options.keyboard.value_or(dialog.m_bKeyboard);
  } else {
    m_platform.RunSettingsDialog(dialog.m_bFullScreen, dialog.m_bKeyboard);
  }
  m_choices.fullScreen = dialog.m_bFullScreen;
  m_choices.keyboard = dialog.m_bKeyboard;

  const platform::VideoResult video = m_platform.InitVideo(dialog.m_bFullScreen != 0);
  if (video != platform::VideoResult::Ok) {
    m_platform.ShowMessageBox(VideoMessage(video, dialog.m_bFullScreen != 0));
    m_platform.ShowMessageBox("ERROR InitDirectDraw");
    return 0;
  }
  auto sheet = std::make_shared<SpriteSheet>();
  if (const SheetResult loaded = LoadSpriteSheet(sheetBitmap, *sheet); loaded != SheetResult::Loaded) {
    if (*SheetMessage(loaded) != '\0') m_platform.ShowMessageBox(SheetMessage(loaded));
    m_platform.ShowMessageBox("ERROR BITMAP LOADING");
    return 0;
  }
  std::string kanaError;
  if (Surface kana; LoadKanaPage(m_resources.kana, kana, kanaError)) {
    m_kana = std::move(kana);
  } else {
    std::fprintf(stderr, "kestrova: warning: %s: %s; the menu stays in English\n", kKanaResource, kanaError.c_str());
  }
  // A machine without sound still plays, silently, rather than ending unexplained.
  if (m_sound.InitSound(m_platform, m_resources.music, m_resources.effects)) {
    m_sound.PlayMusic();
  } else {
    std::fprintf(stderr, "kestrova: warning: no audio output; playing without music\n");
  }

  m_platform.ShowMainWindow();
  CoreSetup setup;
  setup.sheet = std::move(sheet);
  setup.rules = m_choices.rules = m_options.rules;
  if (dialog.m_bKeyboard == 0) {
    JoyCaps caps;
    if (m_options.replay) {
      setup.joystick = m_choices.joystick = m_options.replayStick;
    } else if (m_platform.OpenJoystick(caps)) {
      setup.joystick = m_choices.joystick = caps;
    }
  }
  m_stages = m_options.dataDir.empty() ? 1 : CountStages(m_options.dataDir);
  return StartCore(std::move(setup));
}

int32_t CGameApp::StartCore(CoreSetup setup) {
  if (!LoadData(setup)) return 0;
  m_highScores = setup.scores;
  m_choices.best = ArcadeTable{};
  if (m_options.rules.kind == RulesKind::Arcade && m_options.replay) {
    setup.best = m_choices.best = m_options.replayBest;
  } else if (m_options.rules.kind == RulesKind::Arcade) {
    std::ifstream in(ArcadePath(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    if (!setup.best.Parse(text, ArcadePath(), error)) std::fprintf(stderr, "kestrova: warning: %s\n", error.c_str());
    m_choices.best = setup.best;
  }
  m_core.emplace(std::move(setup));
  m_offer.reset();
  if (!m_options.boardAddress.empty() && !m_options.replay && m_options.rules.kind == RulesKind::Arcade) {
    m_offer.emplace(m_choices, StampFor(m_options.dataDir, m_options.rules));
  }
  return 1;
}

bool CGameApp::ChangeRules(const GameRules& rules) {
  CoreSetup setup = m_core->Setup();
  setup.rules = m_choices.rules = m_options.rules = rules;
  setup.best = ArcadeTable{};
  setup.laterStages.clear();
  m_savedScore.reset();
  return StartCore(std::move(setup)) != 0;
}

int32_t CGameApp::LoadData(CoreSetup& setup) {
  if (m_options.dataDir.empty()) {
    m_platform.ShowMessageBox("ERROR DATA LOADING " + m_options.dataProblem);
    return 0;
  }
  std::string error;
  if (!LoadCoreData(m_options.dataDir, ScorePath(), setup, error)) {
    m_platform.ShowMessageBox("ERROR DATA LOADING " + error);
    return 0;
  }
  return 1;
}

void CGameApp::FollowStage() {
  if (m_lastFrame.stage == m_musicStage) return;
  const std::span<const uint8_t> music = m_core->PackMusic(m_lastFrame.stage);
  // A pack without music of its own plays on with the last.
  if (m_lastFrame.stage == 1 || !music.empty()) {
    m_sound.SwitchMusic(m_lastFrame.stage == 1 ? m_resources.music : music);
    m_musicStage = m_lastFrame.stage;
  }
}

namespace {

constexpr uint32_t kMenuUp = 1, kMenuDown = 2, kMenuLeft = 4, kMenuRight = 8, kMenuChoose = 16, kMenuBack = 32;
constexpr struct {
  uint8_t vk;
  uint32_t key;
} kMenuKeys[] = {{VK_UP, kMenuUp},       {VK_DOWN, kMenuDown},      {VK_LEFT, kMenuLeft},
                 {VK_RIGHT, kMenuRight}, {VK_SPACE, kMenuChoose},  {VK_ESCAPE, kMenuBack}};
// The pads' readings come in the classic range on every host.
const JoyCaps kPadThresholds = JoystickThresholds(JoyCaps{0, 65535, 0, 65535});

bool MenuOpensOn(Screen screen) { return screen == Screen::Title || screen == Screen::Clear || screen == Screen::Play; }

}  // namespace

uint32_t CGameApp::MenuKeys(const FrameInput& input) {
  uint32_t held = 0;
  for (const auto& k : kMenuKeys) held |= KeyHeld(input.keys, k.vk) ? k.key : 0;
  m_menuPad.InitJoystick(&kPadThresholds);
  m_menuPad.PollJoystick(input.stick, &kPadThresholds);
  return held | (m_menuPad.Up() ? kMenuUp : 0) | (m_menuPad.Down() ? kMenuDown : 0) |
         (m_menuPad.Left() ? kMenuLeft : 0) | (m_menuPad.Right() ? kMenuRight : 0) |
         (m_menuPad.Fire() ? kMenuChoose : 0) | (m_menuPad.Bomb() ? kMenuBack : 0);
}

int32_t CGameApp::MenuFrame(const FrameInput& input) {
  const uint32_t held = MenuKeys(input);
  const bool opening = !m_menu.IsOpen();
  if (opening) {
    // The next run's rules change on the title alone, and not in a run being recorded.
    m_menu.Open(CurrentScreen(m_core->State()) == Screen::Title && !m_options.choicesFixed);
    m_menuHeld = held;  // what was held as it opened chooses nothing
  }
  const uint32_t pressed = held & ~m_menuHeld;
  m_menuHeld = held;
  MenuInput in;
  in.up = (pressed & kMenuUp) != 0;
  in.down = (pressed & kMenuDown) != 0;
  in.left = (pressed & kMenuLeft) != 0;
  in.right = (pressed & kMenuRight) != 0;
  in.choose = (pressed & kMenuChoose) != 0;
  in.back = (pressed & kMenuBack) != 0 || (input.menu && !opening);  // the key that opened it closes it
  in.keyName = opening ? "" : input.keyName;
  in.buttonName = opening ? "" : input.buttonName;
  MenuSettings settings;
  settings.view = m_platform.View();
  settings.volume = m_platform.Volume();
  settings.rules = m_menuRules ? *m_menuRules : m_options.rules;
  settings.stages = m_stages;
  settings.keys = m_platform.ActionNames(ControlDevice::Keyboard);
  settings.buttons = m_platform.ActionNames(ControlDevice::Pad);
  settings.notice = m_menuNotice;
  settings.dialogAtStart = m_platform.DialogAtStart();
  settings.language = m_platform.Language();
  const MenuSettings before = settings;
  const MenuResult result = m_menu.Step(in, settings);
  if (!(settings.view == before.view)) m_platform.SetView(settings.view);
  if (!(settings.volume == before.volume)) m_platform.SetVolume(settings.volume);
  m_menuNotice = settings.notice;
  if (settings.bind) {
    m_menuNotice = m_platform.Bind(settings.bind->device, static_cast<size_t>(settings.bind->action), settings.bind->name);
  }
  if (settings.reset) m_platform.ResetControls(*settings.reset);
  // A key held as the table changes may now be another action's: the key that
  // answered "press the key for FIRE" must not choose the row again as fire.
  if (settings.bind || settings.reset) m_menuHeld = ~uint32_t{0};
  if (settings.dialogAtStart != before.dialogAtStart || settings.language != before.language) {
    const std::string refused = m_platform.SetStart(settings.dialogAtStart, settings.language);
    m_menuNotice = refused.empty() ? "from the next start" : refused;
  }
  settings.keys = m_platform.ActionNames(ControlDevice::Keyboard);
  settings.buttons = m_platform.ActionNames(ControlDevice::Pad);
  m_menuRules = settings.rules;
  // The rules chosen make a new game as the menu closes: data, tuning, stages and table anew.
  if (result != MenuResult::Open) {
    const GameRules chosen = *m_menuRules;
    m_menuRules.reset();
    if (!(chosen == m_options.rules) && !ChangeRules(chosen)) return 0;
  }
  if (result == MenuResult::Open) {
    const MenuTexts texts = MenuTextsOf();
    m_platform.Present(m_core->OverlaidPage([&](CDisplay& d) { m_menu.Draw(d, settings, texts); }),
                       m_core->GetPalette());
  } else {
    m_keptFromGame = held;
    m_platform.Present(m_core->State().back.pixels, m_core->GetPalette());
  }
  return result == MenuResult::Quit ? 0 : 1;
}

void CGameApp::OfferFrame(const FrameInput& input) {
  const uint32_t held = MenuKeys(input);
  // Fire and bomb as the game has them (Space and Shift, the pad's buttons); Escape says no too.
  const bool yes = (held & kMenuChoose) != 0;
  const bool no = (held & kMenuBack) != 0 || KeyHeld(input.keys, VK_SHIFT);
  if (std::optional<std::string> text = m_offer->Answer(yes, no)) {
    m_platform.SendRun(std::move(*text));
  }
  if (m_offer->Asking()) {
    m_platform.Present(m_core->OverlaidPage(DrawSendQuestion), m_core->GetPalette());
  } else {
    // What answered is the question's until let go.
    m_keptFromGame = held;
    m_platform.Present(m_core->State().back.pixels, m_core->GetPalette());
  }
}

int32_t CGameApp::OnIdle(const FrameInput& input) {
  if (!m_core) return 0;
  if (m_offer && m_offer->Asking()) {
    OfferFrame(input);
    return 1;
  }
  if (m_menu.IsOpen() || (input.menu && MenuOpensOn(CurrentScreen(m_core->State())))) return MenuFrame(input);
  // Keys held through the menu's close are the menu's until let go.
  m_keptFromGame &= MenuKeys(input);
  m_lastInput = input;
  for (const auto& k : kMenuKeys) {
    if (m_keptFromGame & k.key) m_lastInput.keys[k.vk] = 0;
  }
  if (m_keptFromGame & (kMenuChoose | kMenuBack)) m_lastInput.stick.buttons = 0;
  ++m_frames;
  m_lastFrame = m_core->Step(m_lastInput);
  if (m_offer) m_offer->Add(m_lastInput, m_lastFrame, m_core->State());
  m_platform.Present(m_lastFrame.page, m_core->GetPalette());
  m_sound.StartEffects(m_lastFrame.sounds);
  FollowStage();
  if (m_lastFrame.entry && m_options.saveScores) SaveArcadeEntry(ArcadePath(), *m_lastFrame.entry);
  return m_lastFrame.close ? 0 : 1;
}

void WatchReplayWith(const Replay& replay, AppOptions& options) {
  options.fullScreen = replay.fullScreen;
  options.keyboard = replay.keyboard;
  options.rules = replay.rules;
  options.saveScores = false;
  options.replay = true;
  options.replayStick = replay.Choices().joystick;
  options.replayBest = replay.best;
  options.boardAddress.clear();  // the watcher's run is not theirs to send
}

int32_t CGameApp::OnIdleWatching(ReplayViewer& viewer, const FrameInput& live) {
  if (!m_core) return 0;
  if (const std::optional<FrameOutput> out = viewer.Tick(*m_core, live)) {
    m_lastFrame = *out;
    m_sound.StartEffects(out->sounds);
    FollowStage();
  }
  const ViewerBar bar = viewer.Bar();
  m_platform.Present(viewer.BarShown() ? m_core->OverlaidPage([&bar](CDisplay& d) { DrawViewerBar(d, bar); })
                                       : std::span<const uint8_t>(m_core->State().back.pixels),
                     m_core->GetPalette());
  return viewer.Done() ? 0 : 1;
}

bool CGameApp::OnAway() {
  // People leave a replay running.
  if (m_options.replay || !m_options.pauseWhenAway || !m_core || !m_core->PausesWhenAway()) return false;
  m_platform.Present(m_core->PausedPage(), m_core->GetPalette());
  return true;
}

bool CGameApp::SaveScore() {
  // Scores that were never read must not be overwritten by an empty table;
  // runs with stakes keep tables of their own.
  if (!m_core || m_options.rules.kind != RulesKind::Standard) return false;
  const int16_t score = m_core->State().g_player.score;
  if (!m_highScores.Save(ScorePath(), score, m_savedScore)) return false;
  m_savedScore = score;
  return true;
}

int CGameApp::ExitInstance() {
  if (m_options.saveScores) SaveScore();
  return 0;
}

MenuTexts CGameApp::MenuTextsOf() const {
  return m_kana ? MenuTexts{m_texts, &*m_kana} : MenuTexts{};
}

std::string CGameApp::ScorePath() const {
  return m_options.scorePath.empty() ? m_options.dataDir + "/score.dat" : m_options.scorePath;
}

std::string CGameApp::ArcadePath() const {
  const std::string scores = ScorePath();
  return scores.substr(0, scores.find_last_of('/') + 1) + "arcade-" + DifficultyName(m_options.rules.difficulty) +
         ".dat";
}
