// What the game needs of a machine with a window: the window, page
// presentation, message boxes, the settings dialog, the joystick and the audio
// output, and the sending of runs to an online board. The game's composer (CGameApp) talks to the machine through this
// class; each host reads its own input and runs its own loop.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "audio/sound.hpp"
#include "audio/volume.hpp"
#include "gfx/page_layout.hpp"
#include "gfx/palette.hpp"
#include "gfx/surface.hpp"
#include "input/joystick.hpp"
#include "input/keyboard.hpp"

namespace platform {

inline constexpr int kPageWidth = PAGE_WIDTH;
inline constexpr size_t kPlayerActions = 7;
inline constexpr int kPageHeight = PAGE_HEIGHT;

// The steps of bringing up the display; each failure has its own message.
enum class VideoResult { Ok, NoDevice, NoCooperation, NoDisplayMode, NoPrimary, NoBackPage };

class Platform : public AudioOutput {
 public:
  virtual ~Platform() = default;

  // The 640 x 480 main window "Kestrova App" at (0, 0), with the given icon
  // (a bitmap resource). Visible and blank from here on.
  virtual bool CreateMainWindow(std::span<const uint8_t> iconBitmap) = 0;
  virtual void ShowMainWindow() = 0;
  // Another caption for the main window (a replay says it is one).
  virtual void SetWindowTitle(const std::string& title) = 0;

  // A modal OK box; the text also goes to standard error.
  virtual void ShowMessageBox(const std::string& text) = 0;
  // The modal settings dialog; members change only through its buttons.
  virtual void RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) = 0;

  virtual VideoResult InitVideo(bool fullScreen) = 0;
  // Shows the whole 640 x 480 page through the palette, once per call.
  virtual void Present(std::span<const uint8_t> page, const Palette& palette) = 0;

  // Opens the first joystick; its limits, false when there is none.
  virtual bool OpenJoystick(JoyCaps& caps) = 0;

  // What the player sees and hears, as the game's menu shows and changes it.
  virtual PlayerView View() const = 0;
  virtual void SetView(const PlayerView& view) = 0;
  virtual PlayerVolume Volume() const = 0;
  virtual void SetVolume(const PlayerVolume& volume) = 0;
  // The keys (or the pad's buttons) for each of the game's actions (up, down,
  // left, right, fire, bomb, exit), as the menu shows them; `action` given
  // `name` alone, kept for the next start: "" when done, else why not, for
  // the player ("Z taken by fire"); the controls the game always had back.
  virtual std::array<std::string, kPlayerActions> ActionNames(ControlDevice device) const = 0;
  virtual std::string Bind(ControlDevice device, size_t action, const std::string& name) = 0;
  virtual void ResetControls(ControlDevice device) = 0;
  // How the next start begins: whether the settings dialog opens (else its
  // last answer stands) and the language of the dialog and the messages ("en",
  // "ja", or "" for the desktop's); "" when kept, else why not, for the player.
  virtual bool DialogAtStart() const = 0;
  virtual std::string Language() const = 0;
  virtual std::string SetStart(bool dialog, const std::string& language) = 0;

  // A finished run, a format-3 replay's text, for the online board the host
  // was given, as the player chose: sent in the background, so that play goes
  // on meanwhile, and kept for later where the board cannot be reached.
  virtual void SendRun(std::string replayText) = 0;
};

}  // namespace platform
