// The game's only window on the outside world: window, page presentation,
// messages, keyboard, joystick, audio, message boxes and the settings dialog.
// Everything outside src/platform/ talks to the machine through this class.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace platform {

inline constexpr int kPageWidth = 640;
inline constexpr int kPageHeight = 480;

struct Color {
  uint8_t r = 0, g = 0, b = 0;
};
using Palette = std::array<Color, 256>;

// An 8-bit picture with its palette, as decoded from a bitmap resource.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height, rows top to bottom
  Palette palette{};
};

// The main frame's message handlers, called by the message loop.
class WindowHandler {
 public:
  virtual void OnLButtonDown() = 0;
  virtual void OnRButtonDown() = 0;
  // The window lost the focus. True: the handler has shown its paused page,
  // and no idle call runs and the music stays still until the focus is back.
  virtual bool OnAway() = 0;

 protected:
  ~WindowHandler() = default;
};

// The steps of bringing up the display; each failure has its own message.
enum class VideoResult { Ok, NoDevice, NoCooperation, NoDisplayMode, NoPrimary, NoBackPage };

// Joystick capabilities and one poll, in the units of the classic joystick API:
// axes 0..65535, button bit i = button i + 1.
struct JoyCaps {
  uint32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};
struct JoyInfo {
  uint32_t x = 0, y = 0, z = 0, buttons = 0;
};

// The "fmt " chunk of a PCM wave.
struct WaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  bool operator==(const WaveFormat&) const = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The 640 x 480 main window "Kestrova App" at (0, 0), with the given icon
  // (a bitmap resource). Visible and blank from here on.
  virtual bool CreateMainWindow(std::span<const uint8_t> iconBitmap) = 0;
  virtual void ShowMainWindow() = 0;
  // Another caption for the main window (a replay says it is one).
  virtual void SetWindowTitle(const std::string& title) = 0;
  // Asks the window to close; it closes when the message loop next runs.
  virtual void PostClose() = 0;
  // Handles every waiting message, then calls onIdle once; repeats until the
  // window has closed. Input that arrived before the loop started is dropped.
  virtual void RunMessageLoop(WindowHandler& handler, const std::function<bool()>& onIdle) = 0;

  // A modal OK box; the text also goes to standard error.
  virtual void ShowMessageBox(const std::string& text) = 0;
  // The modal settings dialog; members change only through its buttons.
  virtual void RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) = 0;

  virtual VideoResult InitVideo(bool fullScreen) = 0;
  // Shows the whole 640 x 480 page through the palette, once per call.
  virtual void Present(std::span<const uint8_t> page, const Palette& palette) = 0;
  // False when nobody will look at the next presented page (a check that
  // hashes only its last frame): play may then skip drawing what the frame
  // after it draws over.
  virtual bool NextPageSeen() const { return true; }
  virtual bool DecodeBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) = 0;

  // 256 bytes indexed by virtual-key code; 0x80 marks a key that is down.
  virtual void GetKeyboardState(uint8_t (&keys)[256]) = 0;
  virtual bool GetJoystickCaps(JoyCaps& caps) = 0;
  virtual bool PollJoystick(JoyInfo& info) = 0;

  // Opens the audio output for one looping PCM buffer; false when none opens.
  virtual bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) = 0;
  virtual void PlayAudioLoop() = 0;
  // Sound effects in the music's format, by index, each started over the
  // music; what the output cannot play stays silent.
  virtual void LoadEffect(size_t index, std::span<const uint8_t> samples) = 0;
  virtual void StartEffect(size_t index) = 0;
};

}  // namespace platform
