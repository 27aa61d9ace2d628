#include "platform/sdl/sdl_platform.hpp"

#include <cstdio>
#include <utility>

#include "platform/sdl/gtk_settings_dialog.hpp"

namespace platform::sdl {
namespace {

constexpr const char* kMessageTitle = "kestrova";

// The character a key gives, as the volume keys are named; none for a key
// that gives none. The keypad's own keys give those of the main keys.
char32_t KeyCharacter(SDL_Keycode key) {
  constexpr struct {
    SDL_Keycode key;
    char32_t character;
  } kKeypad[] = {{SDLK_KP_MINUS, U'-'}, {SDLK_KP_PLUS, U'+'}};
  for (const auto& k : kKeypad) {
    if (k.key == key) return k.character;
  }
  return key > 0 && (key & SDLK_SCANCODE_MASK) == 0 ? static_cast<char32_t>(key) : U'\0';
}

}  // namespace

// The player's keys, not the game's: replays never see them.
void SdlPlatform::HandlePlayerKey(const SDL_KeyboardEvent& key, WindowEvents& events) {
  switch (key.keysym.sym) {
    case SDLK_F11:
      if (key.repeat == 0) m_video.ToggleFullScreen();
      break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      if (key.repeat != 0) break;
      if ((key.keysym.mod & KMOD_ALT) != 0) {
        m_video.ToggleFullScreen();
      } else {
        events.menu = true;
      }
      break;
    case SDLK_F1:
      events.menu = events.menu || key.repeat == 0;
      break;
    default:
      m_audio.PressVolumeKey(KeyCharacter(key.keysym.sym), key.repeat != 0);
      if (key.repeat == 0) events.keyName = SDL_GetKeyName(key.keysym.sym);
      break;
  }
}

SdlPlatform::SdlPlatform(SdlSettings settings, const Translator& texts)
    : m_texts(texts),
      m_video(settings.scale, settings.integerScale, settings.frameStats),
      m_controls(settings.controls),
      m_settingsPath(std::move(settings.settingsPath)),
      m_start(std::move(settings.start)),
      m_keys(settings.controls.keyboard),
      m_joystick(settings.controls.gamepad, std::move(settings.padMappings)),
      m_audio(settings.audio) {
  if (!settings.boardAddress.empty()) {
    m_board = std::make_unique<BoardSender>(std::move(settings.boardAddress), Outbox(std::move(settings.outboxFolder)));
  }
}

void SdlPlatform::SendRun(std::string replayText) {
  if (m_board) m_board->Send(std::move(replayText));
}

bool SdlPlatform::CreateMainWindow(std::span<const uint8_t> iconBitmap) { return m_video.CreateWindow(iconBitmap); }

void SdlPlatform::ShowMainWindow() { m_video.ShowWindow(); }

void SdlPlatform::SetWindowTitle(const std::string& title) {
  if (m_video.Window() != nullptr) SDL_SetWindowTitle(m_video.Window(), title.c_str());
}

void SdlPlatform::DropStartUpClicks() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEWHEEL);
}

WindowEvents SdlPlatform::PumpEvents() {
  WindowEvents events;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_QUIT:
        events.close = true;
        break;
      case SDL_WINDOWEVENT:
        // A new size, or a screen of another pixel density, moves the picture.
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            event.window.event == SDL_WINDOWEVENT_DISPLAY_CHANGED) {
          m_video.Relayout();
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          events.focused = false;
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          events.focused = true;
        } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
          events.close = true;
        }
        break;
      case SDL_KEYDOWN:
        HandlePlayerKey(event.key, events);
        break;
      case SDL_CONTROLLERBUTTONDOWN:
        // Start is the menu's own button.
        if (event.cbutton.button != SDL_CONTROLLER_BUTTON_START) {
          events.buttonName = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(event.cbutton.button));
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) events.leftClick = true;
        if (event.button.button == SDL_BUTTON_RIGHT) events.rightClick = true;
        break;
      default:
        break;
    }
  }
  return events;
}

void SdlPlatform::WaitEvent() { SDL_WaitEvent(nullptr); }

JoyReading SdlPlatform::ReadInput(KeyboardState& keys) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  m_keys.Fill(std::span<const Uint8>(state, static_cast<size_t>(count)), keys);
  const JoyReading stick = m_joystick.Poll();
  if (m_joystick.Held(GameAction::Exit)) keys[kGameActionKeys[static_cast<size_t>(GameAction::Exit)]] = kKeyDown;
  return stick;
}

std::array<std::string, kPlayerActions> SdlPlatform::ActionNames(ControlDevice device) const {
  return ::ActionNames(m_controls.Of(device));
}

std::string SdlPlatform::Bind(ControlDevice device, size_t action, const std::string& name) {
  const std::string refused = BindForMenu(m_controls.Of(device), action, name);
  if (refused.empty()) KeepKeys();
  return refused;
}

void SdlPlatform::ResetControls(ControlDevice device) {
  m_controls.Reset(device);
  KeepKeys();
}

void SdlPlatform::KeepKeys() {
  m_keys = KeyMap(m_controls.keyboard);
  m_joystick.SetBindings(m_controls.gamepad);
  std::string error;
  if (!m_settingsPath.empty() && !SaveControls(m_settingsPath, m_controls, error)) {
    std::fprintf(stderr, "kestrova: warning: cannot keep the keys: %s\n", error.c_str());
  }
}

bool SdlPlatform::PadAsksForMenu() {
  const bool held = m_joystick.StartHeld();
  const bool pressed = held && !m_startBefore;
  m_startBefore = held;
  return pressed;
}

void SdlPlatform::ShowMessageBox(const std::string& text) {
  const char* shown = m_texts.Translate(text.c_str());
  std::fprintf(stderr, "kestrova: %s\n", shown);
  if (!DriverShowsNothing()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, kMessageTitle, shown, m_video.Window());
}

void SdlPlatform::RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) {
  // Turned off in the menu, the dialog gives the answer it gave last.
  if (!m_start.dialog && m_start.fullScreen && m_start.keyboard) {
    fullScreen = *m_start.fullScreen ? 1 : 0;
    keyboard = *m_start.keyboard ? 1 : 0;
    return;
  }
  RunGtkSettingsDialog(fullScreen, keyboard, m_texts);
  m_start.fullScreen = fullScreen != 0;
  m_start.keyboard = keyboard != 0;
}

std::string SdlPlatform::SetStart(bool dialog, const std::string& language) {
  m_start.dialog = dialog;
  m_start.language = language;
  return "";
}

VideoResult SdlPlatform::InitVideo(bool fullScreen) { return m_video.Init(fullScreen); }

void SdlPlatform::Present(std::span<const uint8_t> page, const Palette& palette) { m_video.Present(page, palette); }

bool SdlPlatform::OpenJoystick(JoyCaps& caps) { return m_joystick.Open(caps); }

bool SdlPlatform::OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) {
  return m_audio.Open(format, samples);
}

void SdlPlatform::PlayAudioLoop() { m_audio.Play(); }

void SdlPlatform::LoadEffect(size_t index, std::span<const uint8_t> samples) { m_audio.LoadEffect(index, samples); }

void SdlPlatform::StartEffect(size_t index) { m_audio.StartEffect(index); }

void SdlPlatform::SwitchMusic(std::span<const uint8_t> samples) { m_audio.SwitchMusic(samples); }

void SdlPlatform::SetView(const PlayerView& view) {
  if (view.fullScreen != m_video.FullScreen()) m_video.ToggleFullScreen();
  if (view.integerScale != m_video.IntegerScale()) m_video.SetIntegerScale(view.integerScale);
}

}  // namespace platform::sdl
