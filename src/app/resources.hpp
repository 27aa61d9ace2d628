// The program's resources, compiled into the binary (embedded in the
// browser's file system there).
#pragma once

#include <cstdint>
#include <span>

#include "audio/sound.hpp"

struct Resources {
  std::span<const uint8_t> icon;   // 128
  std::span<const uint8_t> sheet;  // 132
  std::span<const uint8_t> kana;   // the menu's katakana; empty when missing
  std::span<const uint8_t> music;  // "WAVE" "VESK"
  EffectResources effects;  // waves, in the order of kEffectNames
};
Resources BuiltinResources();
// The kana page's file, as warnings name it.
inline constexpr const char* kKanaResource = "kana.bmp";
