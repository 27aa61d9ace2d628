// The kana page: the katakana the menu reads in Japanese, in the small font's
// lettering, each at its code point's cell (data/kana_geometry.hpp).
#pragma once

#include "sheetgen/canvas.hpp"

namespace sheetgen {

Canvas MakeKanaPage();

}  // namespace sheetgen
