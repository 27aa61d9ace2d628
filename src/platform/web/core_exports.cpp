// The core's rules that the page (web/page.js) follows, so that it keeps no
// copy of its own. The page calls them directly through Module._name at any
// time once the program has loaded, also while main() waits in Asyncify for
// the settings form or the next frame; none of them waits for anything.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "audio/voices.hpp"
#include "audio/volume.hpp"
#include "gfx/page_layout.hpp"
#include "ui/dialog_json.hpp"

namespace {

constexpr int32_t kMutedBit = 1 << 8;

}  // namespace

extern "C" {

// The settings form's template as JSON (ui/dialog_json.hpp), made once; the
// text lasts as long as the program.
EMSCRIPTEN_KEEPALIVE const char* kestrova_settings_template() {
  static const std::string json = DialogJson(kSettingsForm);
  return json.c_str();
}

// The picture on a canvas of `width` x `height` device pixels: `out` receives
// six numbers, the factor, x, y, width and height, and 1 when the picture is
// the whole multiple itself (else 0).
EMSCRIPTEN_KEEPALIVE void kestrova_lay_out_page(int32_t width, int32_t height, int32_t wholeOnly, int32_t* out) {
  const PageLayout layout = LayOutPage(width, height, wholeOnly != 0);
  const int32_t fields[] = {layout.factor, layout.x,      layout.y,
                            layout.width,  layout.height, layout.WholeMultiple() ? 1 : 0};
  std::copy(std::begin(fields), std::end(fields), out);
}

// Which of the `count` voices playing (their effects in `playing`, oldest
// first) a new start of `effect` stops; -1 for none.
EMSCRIPTEN_KEEPALIVE int32_t kestrova_voice_to_stop(int32_t effect, const int32_t* playing, int32_t count) {
  const std::vector<size_t> effects(playing, playing + std::max(count, int32_t{0}));
  const std::optional<size_t> stop = VoiceToStop(effects, static_cast<size_t>(effect));
  return stop ? static_cast<int32_t>(*stop) : -1;
}

// The volume after a key that gives the character `key` (0 for none): its
// percent, plus 256 while muted.
EMSCRIPTEN_KEEPALIVE int32_t kestrova_volume_after_key(int32_t percent, int32_t muted, int32_t key, int32_t repeat) {
  const PlayerVolume after = AfterVolumeKey({percent, muted != 0}, static_cast<char32_t>(key), repeat != 0);
  return after.percent | (after.muted ? kMutedBit : 0);
}

}  // extern "C"
