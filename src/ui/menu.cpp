#include "ui/menu.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "ui/screens.hpp"

namespace {

enum class Row : uint8_t { Resume, Video, Sound, Quit, FullScreen, IntegerScale, Volume, Mute, Back };

struct PageRows {
  const char* title;
  std::array<Row, 4> rows;
  int32_t count;
};
// By page: the top, video and sound pages.
constexpr std::array<PageRows, 3> kPages = {{
    {"MENU", {Row::Resume, Row::Video, Row::Sound, Row::Quit}, 4},
    {"VIDEO", {Row::FullScreen, Row::IntegerScale, Row::Back}, 3},
    {"SOUND", {Row::Volume, Row::Mute, Row::Back}, 3},
}};
constexpr std::array<const char*, 9> kLabels = {"RESUME", "VIDEO",  "SOUND", "QUIT", "FULL SCREEN",
                                                 "INTEGER SCALE", "VOLUME", "MUTE",  "BACK"};

constexpr int32_t kTitleTop = 112, kRowsTop = 192, kRowHeight = 40, kLeft = 160, kValueLeft = 416;
constexpr int32_t kVolumeStep = 10;
constexpr int16_t kSelectionBox = 45;

const PageRows& Rows(uint8_t page) { return kPages[page]; }

std::string Value(Row row, const MenuSettings& s) {
  const auto onOff = [](bool on) { return std::string(on ? "ON" : "OFF"); };
  switch (row) {
    case Row::FullScreen: return onOff(s.view.fullScreen);
    case Row::IntegerScale: return onOff(s.view.integerScale);
    case Row::Volume: return std::to_string(s.volume.percent);
    case Row::Mute: return onOff(s.volume.muted);
    default: return "";
  }
}

}  // namespace

void Menu::Open() {
  m_open = true;
  Enter(Page::Top, 0);
}

void Menu::Enter(Page page, int32_t row) {
  m_page = page;
  m_row = row;
}

std::optional<int32_t> Menu::RowAt(int32_t y) const {
  const int32_t row = (y - kRowsTop + 8) / kRowHeight;
  if (y < kRowsTop - 8 || row >= Rows(static_cast<uint8_t>(m_page)).count) return std::nullopt;
  return row;
}

MenuResult Menu::Step(const MenuInput& input, MenuSettings& settings) {
  if (!m_open) return MenuResult::Closed;
  const int32_t count = Rows(static_cast<uint8_t>(m_page)).count;
  if (input.back) {
    if (m_page == Page::Top) {
      m_open = false;
      return MenuResult::Closed;
    }
    Enter(Page::Top, m_page == Page::Video ? 1 : 2);
    return MenuResult::Open;
  }
  if (input.clickY) {
    const std::optional<int32_t> row = RowAt(*input.clickY);
    if (!row) return MenuResult::Open;
    m_row = *row;
    return Act(0, settings);
  }
  if (input.up) m_row = (m_row + count - 1) % count;
  if (input.down) m_row = (m_row + 1) % count;
  if (input.choose) return Act(0, settings);
  if (input.left != input.right) return Act(input.right ? 1 : -1, settings);
  return MenuResult::Open;
}

MenuResult Menu::Act(int32_t direction, MenuSettings& settings) {
  const Row row = Rows(static_cast<uint8_t>(m_page)).rows[static_cast<size_t>(m_row)];
  switch (row) {
    case Row::Resume:
      if (direction != 0) break;
      m_open = false;
      return MenuResult::Closed;
    case Row::Quit:
      if (direction != 0) break;
      m_open = false;
      return MenuResult::Quit;
    case Row::Video:
    case Row::Sound:
      if (direction == 0) Enter(row == Row::Video ? Page::Video : Page::Sound, 0);
      break;
    case Row::Back:
      if (direction == 0) Enter(Page::Top, m_page == Page::Video ? 1 : 2);
      break;
    case Row::FullScreen: settings.view.fullScreen = !settings.view.fullScreen; break;
    case Row::IntegerScale: settings.view.integerScale = !settings.view.integerScale; break;
    case Row::Mute: settings.volume.muted = !settings.volume.muted; break;
    case Row::Volume: {
      // Chosen, it goes round from full back to silence.
      const int32_t step = direction == 0 ? 1 : direction;
      int32_t percent = settings.volume.percent + step * kVolumeStep;
      if (direction == 0 && percent > PlayerVolume::kFull) percent = 0;
      settings.volume.percent = std::clamp(percent, 0, PlayerVolume::kFull);
      settings.volume.muted = false;
      break;
    }
  }
  return MenuResult::Open;
}

void Menu::Draw(CDisplay& display, const MenuSettings& settings) const {
  DimPage(display.GetBackSurface());
  const PageRows& page = Rows(static_cast<uint8_t>(m_page));
  display.DrawBigText(page.title, kLeft, kTitleTop, 3);
  for (int32_t i = 0; i < page.count; ++i) {
    const Row row = page.rows[static_cast<size_t>(i)];
    const int32_t y = kRowsTop + i * kRowHeight;
    display.DrawSmallText(kLabels[static_cast<size_t>(row)], kLeft, y, 2);
    display.DrawSmallText(Value(row, settings), kValueLeft, y, 2);
    if (i == m_row) display.DrawSmallGlyph(kSelectionBox, kLeft - 32, y, 2);
  }
}
