#include "platform/web/web_platform.hpp"

#include <emscripten/html5.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/controls.hpp"
#include "app/settings_file.hpp"
#include "gfx/bmp_reader.hpp"
#include "platform/common/page_convert.hpp"
#include "platform/web/browser.hpp"

namespace platform::web {
namespace {

constexpr const char* kCanvas = "#canvas";
constexpr size_t kPageSize = static_cast<size_t>(kPageWidth) * kPageHeight;
constexpr int kLeftButton = 0;
constexpr int kRightButton = 2;
// The page's storage item that holds the controls, in settings.ini's words.
constexpr const char* kControlsItem = "kestrova-controls";

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* self) {
  // True keeps the browser from acting on the key as well (scrolling the page).
  const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
  return static_cast<WebPlatform*>(self)->HandleKey(event->code, down, down && event->repeat) ? EM_TRUE : EM_FALSE;
}

// The player's controls as the page keeps them, the warnings for what could
// not be read on the console.
Controls KeptControls() {
  const std::string name = kControlsItem;
  const std::optional<std::string> text = browser::LoadItem(name);
  if (!text) return DefaultControls();
  std::vector<std::string> warnings;
  Controls controls = ReadControls(SettingsFile::Parse(*text, name, warnings), name, WebControlNames(), warnings);
  for (const std::string& warning : warnings) std::fprintf(stderr, "kestrova: warning: %s\n", warning.c_str());
  return controls;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* self) {
  // Key releases go to whichever window has the focus: none would come back.
  static_cast<WebPlatform*>(self)->ReleaseKeys();
  return EM_FALSE;
}

EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent* event, void* self) {
  static_cast<WebPlatform*>(self)->HandleMouseButton(event->button);
  return EM_TRUE;
}

// The icon with its index 0 see-through, as the desktop's window icon.
std::vector<uint8_t> IconPixels(const IndexedImage& icon) {
  std::vector<uint8_t> rgba(icon.pixels.size() * 4);
  for (size_t i = 0; i < icon.pixels.size(); ++i) {
    const Color c = icon.palette[icon.pixels[i]];
    uint8_t* pixel = &rgba[4 * i];
    pixel[0] = c.r;
    pixel[1] = c.g;
    pixel[2] = c.b;
    pixel[3] = icon.pixels[i] == 0 ? 0 : 255;
  }
  return rgba;
}

PadReading ReadPad(const EmscriptenGamepadEvent& event) {
  PadReading pad;
  pad.standardLayout = std::strcmp(event.mapping, "standard") == 0;
  pad.axisCount = std::clamp(event.numAxes, 0, kPadAxes);
  pad.buttonCount = std::clamp(event.numButtons, 0, kPadButtons);
  for (int i = 0; i < pad.axisCount; ++i) pad.axes[static_cast<size_t>(i)] = event.axis[i];
  for (int i = 0; i < pad.buttonCount; ++i) pad.pressed[static_cast<size_t>(i)] = event.digitalButton[i] != 0;
  return pad;
}

}  // namespace

WebPlatform::WebPlatform(bool scriptedOnly, const Translator& texts)
    : m_scriptedOnly(scriptedOnly),
      m_texts(texts),
      m_controls(scriptedOnly ? DefaultControls() : KeptControls()),
      m_keys(m_controls.keyboard),
      m_pad(m_controls.gamepad) {}

WebPlatform::~WebPlatform() {
  if (m_windowOpen) emscripten_set_mousedown_callback(kCanvas, nullptr, EM_FALSE, nullptr);
  if (m_keyboardTaken) {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
  }
}

bool WebPlatform::CreateMainWindow(std::span<const uint8_t> iconBitmap) {
  if (!browser::ShowScreen()) return false;
  m_windowOpen = true;
  emscripten_set_mousedown_callback(kCanvas, this, EM_FALSE, OnMouseDown);
  IndexedImage icon;
  std::string error;
  if (ReadIndexedBmp(iconBitmap, icon, error)) browser::SetIcon(IconPixels(icon), icon.width, icon.height);
  return true;
}

void WebPlatform::ShowMainWindow() {
  // Only now: the settings form before it needs the keyboard for itself.
  if (m_keyboardTaken || !m_windowOpen) return;
  m_keyboardTaken = true;
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnKey);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnBlur);
}

void WebPlatform::SetWindowTitle(const std::string& title) { browser::SetTitle(title); }

std::vector<Click> WebPlatform::TakeClicks() {
  std::vector<Click> clicks;
  clicks.swap(m_clicks);
  return clicks;
}

bool WebPlatform::HandleKey(std::string_view code, bool down, bool repeat) {
  if (m_scriptedOnly) return false;
  if (down && !repeat && !IsMenuKey(code)) {
    if (const std::optional<std::string_view> name = KeyName(code)) m_keyName = *name;
  }
  return m_keys.Set(code, down);
}

std::string WebPlatform::TakeKeyName() {
  std::string name;
  name.swap(m_keyName);
  return name;
}

std::string WebPlatform::TakeButtonName() { return m_pad.TakeButtonName(); }

void WebPlatform::HandleMouseButton(int button) {
  if (m_scriptedOnly) return;
  if (button == kLeftButton) m_clicks.push_back(Click::Left);
  if (button == kRightButton) m_clicks.push_back(Click::Right);
}

std::array<std::string, kPlayerActions> WebPlatform::ActionNames(ControlDevice device) const {
  return ::ActionNames(m_controls.Of(device));
}

std::string WebPlatform::Bind(ControlDevice device, size_t action, const std::string& name) {
  const std::string refused = BindForMenu(m_controls.Of(device), action, name);
  if (refused.empty()) KeepControls();
  return refused;
}

void WebPlatform::ResetControls(ControlDevice device) {
  m_controls.Reset(device);
  KeepControls();
}

// In use at once; kept as settings.ini would be, every other line of the kept text as it stood.
void WebPlatform::KeepControls() {
  m_keys.SetBindings(m_controls.keyboard);
  m_pad.SetBindings(m_controls.gamepad);
  if (m_scriptedOnly) return;
  std::vector<std::string> warnings;  // told once, as the page loaded
  const std::string name = kControlsItem;
  SettingsFile file = SettingsFile::Parse(browser::LoadItem(name).value_or(""), name, warnings);
  WriteControls(m_controls, file);
  if (!browser::StoreItem(name, file.Text())) {
    std::fprintf(stderr, "kestrova: warning: the page cannot keep the keys\n");
  }
}

std::string WebPlatform::Language() const { return m_scriptedOnly ? "" : browser::KeptLanguage(); }

std::string WebPlatform::SetStart(bool dialog, const std::string& language) {
  if (m_scriptedOnly) return "a test page keeps nothing";
  browser::KeepLanguage(language);
  return dialog ? "" : "the page asks at every load";
}

void WebPlatform::ShowMessageBox(const std::string& text) { browser::Alert(m_texts.Translate(text.c_str())); }

void WebPlatform::RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) {
  browser::RunSettingsForm(fullScreen, keyboard);
}

VideoResult WebPlatform::InitVideo(bool fullScreen) {
  if (!m_windowOpen) return VideoResult::NoDevice;
  // Still inside the form's click: the browser allows full screen only then.
  if (fullScreen) browser::RequestFullscreen();
  m_rgba.assign(kPageSize * 4, 0);
  return VideoResult::Ok;
}

void WebPlatform::Present(std::span<const uint8_t> page, const Palette& palette) {
  if (m_rgba.empty() || page.size() < kPageSize) return;
  // The desktop's ARGB words with red and blue exchanged are, in the little-
  // endian memory of WebAssembly, the canvas's bytes red, green, blue, alpha.
  Palette swapped;
  std::transform(palette.begin(), palette.end(), swapped.begin(), [](Color c) { return Color{c.b, c.g, c.r}; });
  m_converter.Convert(page, swapped, m_rgba.data(), kPageWidth * 4);
  browser::PutPage(m_rgba);
}

bool WebPlatform::OpenJoystick(JoyCaps& caps) {
  // A browser shows a pad only after one of its buttons is pressed on the
  // page: with the API there, the pad may come at any time.
  if (!browser::HasGamepadApi()) return false;
  caps = JoyCaps{0, kPadAxisMax, 0, kPadAxisMax};
  return true;
}

JoyReading WebPlatform::ReadInput(KeyboardState& keys) {
  m_keys.Fill(keys);
  if (m_scriptedOnly || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return JoyReading{};
  const int count = emscripten_get_num_gamepads();
  for (int i = 0; i < count; ++i) {
    EmscriptenGamepadEvent event{};
    if (emscripten_get_gamepad_status(i, &event) != EMSCRIPTEN_RESULT_SUCCESS || !event.connected) continue;
    return m_pad.Read(ReadPad(event), keys);
  }
  return JoyReading{};
}

bool WebPlatform::OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) {
  m_audioFormat = format;
  return browser::OpenAudio(format, samples);
}

void WebPlatform::PlayAudioLoop() { browser::StartAudio(); }

void WebPlatform::LoadEffect(size_t index, std::span<const uint8_t> samples) {
  browser::LoadEffect(index, m_audioFormat, samples);
}

void WebPlatform::StartEffect(size_t index) { browser::StartEffect(index); }

void WebPlatform::SwitchMusic(std::span<const uint8_t> samples) { browser::SwitchMusic(m_audioFormat, samples); }

}  // namespace platform::web
