#include "platform/web/browser.hpp"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

// The page defines KestrovaPage (web/page.js) before the program starts.

EM_JS(int, kestrova_show_screen, (), { return KestrovaPage.showScreen() ? 1 : 0; });

EM_JS(void, kestrova_set_icon, (const uint8_t* rgba, int width, int height), {
  KestrovaPage.setIcon(HEAPU8.slice(rgba, rgba + width * height * 4), width, height);
});

EM_ASYNC_JS(int, kestrova_settings_form, (int fullScreen, int keyboard), {
  const choice = await KestrovaPage.runSettings(fullScreen, keyboard);
  return choice.fullScreen | (choice.keyboard << 1);
});

EM_JS(void, kestrova_request_fullscreen, (), { KestrovaPage.requestFullscreen(); });

EM_JS(void, kestrova_put_page, (const uint8_t* rgba, int size), {
  KestrovaPage.putPage(HEAPU8.subarray(rgba, rgba + size));
});

EM_ASYNC_JS(double, kestrova_next_animation_frame, (), {
  return await new Promise(resolve => requestAnimationFrame(resolve));
});

EM_JS(void, kestrova_set_title, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(void, kestrova_alert, (const char* text), {
  const message = UTF8ToString(text);
  console.error("kestrova: " + message);
  alert(message);
});

// Samples to floats the way the wave means them: unsigned 8-bit around 128,
// signed 16 and 32 bits around 0, 32-bit floats as they are. A context of its
// own for the music (effect -1); the effects, and another track in its place
// (effect -2), go into the music's.
EM_JS(int, kestrova_audio_buffer,
      (int effect, int channels, int rate, int bits, int isFloat, const uint8_t* data, int frames), {
  const AudioContextClass = window.AudioContext || window.webkitAudioContext;
  if (!AudioContextClass) return 0;
  try {
    const context = effect === -1 ? new AudioContextClass() : KestrovaPage.audioContext();
    if (!context) return 0;
    const buffer = context.createBuffer(channels, frames, rate);
    const bytes = bits / 8;
    const view = new DataView(HEAPU8.buffer, data, frames * channels * bytes);
    const read = isFloat ? (at) => view.getFloat32(at, true)
               : bits === 8 ? (at) => (view.getUint8(at) - 128) / 128
               : bits === 16 ? (at) => view.getInt16(at, true) / 32768
               : (at) => view.getInt32(at, true) / 2147483648;
    for (let c = 0; c < channels; ++c) {
      const out = buffer.getChannelData(c);
      for (let i = 0; i < frames; ++i) out[i] = read((i * channels + c) * bytes);
    }
    if (effect === -1) KestrovaPage.setAudio(context, buffer);
    else if (effect === -2) KestrovaPage.switchMusic(buffer);
    else KestrovaPage.setEffect(effect, buffer);
    return 1;
  } catch (error) {
    console.error("kestrova: no audio: " + error);
    return 0;
  }
});

EM_JS(void, kestrova_start_effect, (int index), { KestrovaPage.startEffect(index); });

EM_JS(void, kestrova_start_audio, (), { KestrovaPage.startAudio(); });

EM_JS(int, kestrova_has_gamepad_api, (), { return typeof navigator.getGamepads === "function" ? 1 : 0; });

EM_JS(void, kestrova_show_closed, (), { KestrovaPage.showClosed(); });

EM_JS(char*, kestrova_board_address, (), {
  const address = KestrovaPage.boardAddress();
  const size = lengthBytesUTF8(address) + 1;
  const pointer = _malloc(size);
  stringToUTF8(address, pointer, size);
  return pointer;
});

EM_JS(void, kestrova_send_run, (const char* text), { KestrovaPage.sendRun(UTF8ToString(text)); });

EM_JS(int, kestrova_is_test_page, (), { return KestrovaPage.isTestPage() ? 1 : 0; });

EM_JS(int, kestrova_item_length, (const char* key), {
  const value = KestrovaPage.loadItem(UTF8ToString(key));
  return value === null ? -1 : lengthBytesUTF8(value);
});

EM_JS(void, kestrova_item_copy, (const char* key, char* out, int size), {
  stringToUTF8(KestrovaPage.loadItem(UTF8ToString(key)) || "", out, size);
});

EM_JS(int, kestrova_store_item, (const char* key, const char* value), {
  return KestrovaPage.storeItem(UTF8ToString(key), UTF8ToString(value)) ? 1 : 0;
});

// The fetched recording as "ADDRESS\nok\nTEXT" or "ADDRESS\nerror\nWHY", in
// memory the caller frees; null when the page names none.
EM_ASYNC_JS(char*, kestrova_fetch_replay, (), {
  const fetched = await KestrovaPage.fetchReplay();
  if (fetched === null) return 0;
  const text = fetched.address + "\n" + (fetched.error === undefined ? "ok\n" + fetched.text : "error\n" + fetched.error);
  const size = lengthBytesUTF8(text) + 1;
  const pointer = _malloc(size);
  stringToUTF8(text, pointer, size);
  return pointer;
});

// The page's languageFacts(): lines in memory the caller frees.
EM_JS(char*, kestrova_language_facts, (), {
  const facts = KestrovaPage.languageFacts();
  const size = lengthBytesUTF8(facts) + 1;
  const pointer = _malloc(size);
  stringToUTF8(facts, pointer, size);
  return pointer;
});
EM_JS(void, kestrova_keep_language, (const char* language), { KestrovaPage.keepLanguage(UTF8ToString(language)); });
EM_JS(int, kestrova_kept_language_length, (), { return lengthBytesUTF8(KestrovaPage.keptLanguage()); });
EM_JS(void, kestrova_kept_language_copy, (char* out, int size), {
  stringToUTF8(KestrovaPage.keptLanguage(), out, size);
});
EM_JS(void, kestrova_attach_texts, (const void* texts, const char* language), {
  KestrovaPage.attachTexts(texts, UTF8ToString(language));
});

EM_JS(int, kestrova_get_view, (), {
  const view = KestrovaPage.getView();
  return (view.fullScreen ? 1 : 0) | (view.integerScale ? 2 : 0);
});
EM_JS(void, kestrova_set_view, (int fullScreen, int integerScale), {
  KestrovaPage.setView(fullScreen !== 0, integerScale !== 0);
});
EM_JS(int, kestrova_get_volume, (), {
  return KestrovaPage.volume.percent | (KestrovaPage.volume.muted ? 0x100 : 0);
});
EM_JS(void, kestrova_set_volume, (int percent, int muted), { KestrovaPage.setVolume(percent, muted !== 0); });
EM_JS(int, kestrova_take_menu, (), { return KestrovaPage.takeMenu() ? 1 : 0; });

EM_JS(void, kestrova_attach_test_hook, (void* driver), { KestrovaPage.attachTestHook(driver); });

EM_JS(void, kestrova_attach_score_keeper, (void* keeper), { KestrovaPage.attachScoreKeeper(keeper); });

EM_JS(void, kestrova_finish_test_run, (const char* output), { KestrovaPage.finishTestRun(UTF8ToString(output)); });

namespace platform::web::browser {
namespace {

constexpr uint16_t kWavePcm = 1;
constexpr uint16_t kWaveFloat = 3;
constexpr uint16_t kMaxChannels = 8;

// The sample layouts the page converts: PCM of 8, 16 or 32 bits, 32-bit float.
bool Playable(const WaveFormat& f) {
  const bool pcm = f.formatTag == kWavePcm && (f.bitsPerSample == 8 || f.bitsPerSample == 16 || f.bitsPerSample == 32);
  const bool floats = f.formatTag == kWaveFloat && f.bitsPerSample == 32;
  return (pcm || floats) && f.channels != 0 && f.channels <= kMaxChannels && f.samplesPerSec != 0 &&
         f.samplesPerSec <= INT32_MAX && f.blockAlign == f.channels * f.bitsPerSample / 8;
}

}  // namespace

bool ShowScreen() { return kestrova_show_screen() != 0; }

void SetIcon(std::span<const uint8_t> rgba, int width, int height) {
  if (rgba.size() == static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    kestrova_set_icon(rgba.data(), width, height);
  }
}

void RunSettingsForm(int32_t& fullScreen, int32_t& keyboard) {
  const int choice = kestrova_settings_form(fullScreen, keyboard);
  fullScreen = choice & 1;
  keyboard = (choice >> 1) & 1;
}

void RequestFullscreen() { kestrova_request_fullscreen(); }

void PutPage(std::span<const uint8_t> rgba) {
  if (rgba.size() == static_cast<size_t>(kPageWidth) * kPageHeight * 4) {
    kestrova_put_page(rgba.data(), static_cast<int>(rgba.size()));
  }
}

double NextAnimationFrame() { return kestrova_next_animation_frame(); }

void Alert(const std::string& text) { kestrova_alert(text.c_str()); }

void SetTitle(const std::string& title) { kestrova_set_title(title.c_str()); }

namespace {

bool AudioBuffer(int effect, const WaveFormat& format, std::span<const uint8_t> samples) {
  if (!Playable(format)) return false;
  // Whole sample frames only, so that every loop starts on a frame.
  const size_t frames = samples.size() / format.blockAlign;
  if (frames == 0 || frames > INT32_MAX) return false;
  return kestrova_audio_buffer(effect, format.channels, static_cast<int>(format.samplesPerSec), format.bitsPerSample,
                               format.formatTag == kWaveFloat ? 1 : 0, samples.data(), static_cast<int>(frames)) != 0;
}

}  // namespace

bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) { return AudioBuffer(-1, format, samples); }

void StartAudio() { kestrova_start_audio(); }

void LoadEffect(size_t index, const WaveFormat& format, std::span<const uint8_t> samples) {
  if (index <= INT32_MAX) AudioBuffer(static_cast<int>(index), format, samples);
}

void SwitchMusic(const WaveFormat& format, std::span<const uint8_t> samples) { AudioBuffer(-2, format, samples); }

void StartEffect(size_t index) {
  if (index <= INT32_MAX) kestrova_start_effect(static_cast<int>(index));
}

bool HasGamepadApi() { return kestrova_has_gamepad_api() != 0; }

void ShowClosed() { kestrova_show_closed(); }

bool IsTestPage() { return kestrova_is_test_page() != 0; }

std::optional<std::string> LoadItem(const std::string& key) {
  const int length = kestrova_item_length(key.c_str());
  if (length < 0) return std::nullopt;
  std::string value(static_cast<size_t>(length) + 1, '\0');  // room for the terminator
  kestrova_item_copy(key.c_str(), value.data(), static_cast<int>(value.size()));
  value.resize(static_cast<size_t>(length));
  return value;
}

bool StoreItem(const std::string& key, const std::string& value) {
  return kestrova_store_item(key.c_str(), value.c_str()) != 0;
}

void AttachScoreKeeper(void* keeper) { kestrova_attach_score_keeper(keeper); }

std::optional<FetchedReplay> FetchReplay() {
  char* reply = kestrova_fetch_replay();
  if (reply == nullptr) return std::nullopt;
  const std::string text(reply);
  std::free(reply);
  FetchedReplay fetched;
  const size_t line = text.find('\n');
  const size_t verdict = text.find('\n', line + 1);
  fetched.address = text.substr(0, line);
  const std::string rest = verdict == std::string::npos ? "" : text.substr(verdict + 1);
  (text.compare(line + 1, 3, "ok\n") == 0 ? fetched.text : fetched.error) = rest;
  return fetched;
}

std::string BoardAddress() {
  char* address = kestrova_board_address();
  const std::string text(address);
  std::free(address);
  return text;
}

void SendRun(const std::string& replayText) { kestrova_send_run(replayText.c_str()); }

PageLanguageFacts LanguageFacts() {
  char* reply = kestrova_language_facts();
  std::string text(reply);
  std::free(reply);
  PageLanguageFacts facts;
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!lines[0].empty() && lines[0][0] == '1') facts.address = lines[0].substr(1);
  if (lines.size() > 1) facts.kept = lines[1];
  if (lines.size() > 2) facts.browser.assign(lines.begin() + 2, lines.end());
  return facts;
}

std::string KeptLanguage() {
  std::string language(static_cast<size_t>(kestrova_kept_language_length()) + 1, '\0');  // room for the terminator
  kestrova_kept_language_copy(language.data(), static_cast<int>(language.size()));
  language.resize(language.size() - 1);
  return language;
}

void KeepLanguage(const std::string& language) { kestrova_keep_language(language.c_str()); }

void AttachTexts(const void* texts, const std::string& language) { kestrova_attach_texts(texts, language.c_str()); }

PlayerView View() {
  const int view = kestrova_get_view();
  return PlayerView{(view & 1) != 0, (view & 2) != 0};
}

void SetView(const PlayerView& view) { kestrova_set_view(view.fullScreen ? 1 : 0, view.integerScale ? 1 : 0); }

PlayerVolume Volume() {
  const int volume = kestrova_get_volume();
  return PlayerVolume{volume & 0xff, (volume & 0x100) != 0};
}

void SetVolume(const PlayerVolume& volume) { kestrova_set_volume(volume.percent, volume.muted ? 1 : 0); }

bool TakeMenuRequest() { return kestrova_take_menu() != 0; }

void AttachTestHook(void* driver) { kestrova_attach_test_hook(driver); }

void FinishTestRun(const std::string& output) { kestrova_finish_test_run(output.c_str()); }

}  // namespace platform::web::browser
