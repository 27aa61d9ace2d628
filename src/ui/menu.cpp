#include "ui/menu.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "gfx/kana_text.hpp"
#include "ui/screens.hpp"

namespace {

// The first seven are the game's actions, in the platform's order.
enum class Row : uint8_t {
  Up, Down, Left, Right, Fire, Bomb, Exit, Resume, Game, Controls, Video, Sound, Quit, Rules, Difficulty, Stage, From,
  FullScreen, IntegerScale, StartDialog, Volume, Mute, Reset, Back, Language, Pad
};
constexpr std::array<const char*, 26> kLabels = {
    "UP",   "DOWN",  "LEFT",  "RIGHT", "FIRE",       "BOMB",  "EXIT",        "RESUME",        "GAME",         "CONTROLS",
    "VIDEO", "SOUND", "QUIT", "RULES", "DIFFICULTY", "STAGE", "FROM", "FULL SCREEN", "INTEGER SCALE", "START DIALOG",
    "VOLUME", "MUTE", "RESET", "BACK", "LANGUAGE", "PAD"};

struct PageRows {
  const char* title;
  std::array<Row, 9> rows;
  int32_t count;
};
// By Menu::Page: the top page opened elsewhere and on the title, where the
// next run's rules may change, then the pages they lead to.
constexpr std::array<PageRows, 7> kPages = {{
    {"MENU", {Row::Resume, Row::Controls, Row::Pad, Row::Video, Row::Sound, Row::Language, Row::Quit}, 7},
    {"MENU", {Row::Resume, Row::Game, Row::Controls, Row::Pad, Row::Video, Row::Sound, Row::Language, Row::Quit}, 8},
    {"GAME", {Row::Rules, Row::Difficulty, Row::Stage, Row::From, Row::Back}, 5},
    {"KEYS", {Row::Up, Row::Down, Row::Left, Row::Right, Row::Fire, Row::Bomb, Row::Exit, Row::Reset, Row::Back}, 9},
    {"PAD", {Row::Up, Row::Down, Row::Left, Row::Right, Row::Fire, Row::Bomb, Row::Exit, Row::Reset, Row::Back}, 9},
    {"VIDEO", {Row::FullScreen, Row::IntegerScale, Row::StartDialog, Row::Back}, 4},
    {"SOUND", {Row::Volume, Row::Mute, Row::Back}, 3},
}};
bool IsAction(Row row) { return row <= Row::Exit; }

// Practice starts: every half minute of the script's first three, or its carrier.
constexpr std::array<int32_t, 8> kFromSeconds = {0, 30, 60, 90, 120, 150, 180, kFromCarrier};

// The languages offered, in turn: the desktop's first.
struct LanguageName {
  const char* code;
  const char* name;
};
constexpr std::array<LanguageName, 3> kLanguageNames = {{{"", "DESKTOP"}, {"en", "ENGLISH"}, {"ja", "JAPANESE"}}};

int32_t LanguageIndex(const std::string& code) {
  const auto at = std::find_if(kLanguageNames.begin(), kLanguageNames.end(), [&](const LanguageName& l) { return code == l.code; });
  return at == kLanguageNames.end() ? 0 : static_cast<int32_t>(at - kLanguageNames.begin());
}

constexpr int32_t kTitleTop = 96, kRowsTop = 160, kRowHeight = 30, kLeft = 160, kValueLeft = 352;
constexpr size_t kValueLetters = 11;  // what fits on the playfield
constexpr int32_t kVolumeStep = 10;
constexpr int16_t kSelectionBox = 45;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The row's value as the player reads it: words through `texts`; the keys'
// names as the platform gives them, and numbers, as they are.
std::string Value(Row row, bool pad, const MenuSettings& s, const Translator& texts) {
  const auto word = [&texts](const std::string& text) { return std::string(texts.Translate(text.c_str())); };
  const auto onOff = [&word](bool on) { return word(on ? "ON" : "OFF"); };
  if (IsAction(row)) return Upper((pad ? s.buttons : s.keys)[static_cast<size_t>(row)]).substr(0, kValueLetters);
  switch (row) {
    case Row::Rules: return Upper(word(RulesName(s.rules.kind)));
    case Row::Difficulty: return Upper(word(DifficultyName(s.rules.difficulty)));
    case Row::Stage: return std::to_string(s.rules.stage);
    case Row::From: return s.rules.fromSeconds == kFromCarrier ? word("CARRIER") : std::to_string(s.rules.fromSeconds);
    case Row::FullScreen: return onOff(s.view.fullScreen);
    case Row::IntegerScale: return onOff(s.view.integerScale);
    case Row::StartDialog: return onOff(s.dialogAtStart);
    case Row::Language: return word(kLanguageNames[static_cast<size_t>(LanguageIndex(s.language))].name);
    case Row::Volume: return std::to_string(s.volume.percent);
    case Row::Mute: return onOff(s.volume.muted);
    default: return "";
  }
}

template <typename Page>
const PageRows& RowsOf(Page page) {
  return kPages[static_cast<size_t>(page)];
}

// One step round `count` values, either way; chosen, forward.
int32_t Round(int32_t value, int32_t count, int32_t direction) {
  return (value + (direction == 0 ? 1 : direction) + count) % count;
}

}  // namespace

void Menu::Open(bool onTitle) {
  m_open = true;
  m_top = onTitle ? Page::TitleTop : Page::Top;
  Enter(m_top, 0);
}

void Menu::Enter(Page page, int32_t row) {
  m_page = page;
  m_row = row;
}

void Menu::BackToTop() {
  // On the row that led here.
  const Row from = m_page == Page::Game       ? Row::Game
                   : m_page == Page::Controls ? Row::Controls
                   : m_page == Page::Pad      ? Row::Pad
                   : m_page == Page::Video    ? Row::Video
                                              : Row::Sound;
  const PageRows& top = RowsOf(m_top);
  const auto at = std::find(top.rows.begin(), top.rows.begin() + top.count, from);
  Enter(m_top, static_cast<int32_t>(at - top.rows.begin()));
}

std::optional<int32_t> Menu::RowAt(int32_t y) const {
  const int32_t row = (y - kRowsTop + 8) / kRowHeight;
  if (y < kRowsTop - 8 || row >= RowsOf(m_page).count) return std::nullopt;
  return row;
}

MenuResult Menu::Step(const MenuInput& input, MenuSettings& settings) {
  if (!m_open) return MenuResult::Closed;
  const int32_t count = RowsOf(m_page).count;
  if (m_waitingFor >= 0) {
    // Any key (or button) answers, the arrows and Escape among them; the menu's own key lets the question go.
    const bool pad = m_page == Page::Pad;
    const std::string& answer = pad ? input.buttonName : input.keyName;
    if (!answer.empty()) {
      settings.bind = MenuSettings::Binding{pad ? ControlDevice::Pad : ControlDevice::Keyboard, m_waitingFor, answer};
    }
    if (!answer.empty() || input.back) m_waitingFor = -1;
    return MenuResult::Open;
  }
  if (input.back) {
    if (m_page == m_top) {
      m_open = false;
      return MenuResult::Closed;
    }
    BackToTop();
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
  const Row row = RowsOf(m_page).rows[static_cast<size_t>(m_row)];
  GameRules& rules = settings.rules;
  switch (row) {
    case Row::Resume:
    case Row::Quit:
      if (direction != 0) break;
      m_open = false;
      return row == Row::Quit ? MenuResult::Quit : MenuResult::Closed;
    case Row::Game:
    case Row::Controls:
    case Row::Pad:
    case Row::Video:
    case Row::Sound:
      if (direction == 0) {
        Enter(row == Row::Game       ? Page::Game
              : row == Row::Controls ? Page::Controls
              : row == Row::Pad      ? Page::Pad
              : row == Row::Video    ? Page::Video
                                     : Page::Sound,
              0);
      }
      settings.notice.clear();
      break;
    case Row::Up:
    case Row::Down:
    case Row::Left:
    case Row::Right:
    case Row::Fire:
    case Row::Bomb:
    case Row::Exit:
      if (direction == 0) m_waitingFor = static_cast<int32_t>(row);
      settings.notice.clear();
      break;
    case Row::Reset:
      if (direction == 0) settings.reset = m_page == Page::Pad ? ControlDevice::Pad : ControlDevice::Keyboard;
      break;
    case Row::Back:
      if (direction == 0) BackToTop();
      break;
    case Row::Rules:
      rules.kind = static_cast<RulesKind>(Round(static_cast<int32_t>(rules.kind), kRulesNames.size(), direction));
      break;
    case Row::Difficulty:
      rules.difficulty =
          static_cast<Difficulty>(Round(static_cast<int32_t>(rules.difficulty), kDifficulties, direction));
      break;
    case Row::Stage:
      rules.stage = Round(rules.stage - 1, std::max(settings.stages, 1), direction) + 1;
      break;
    case Row::From: {
      const auto at = std::find(kFromSeconds.begin(), kFromSeconds.end(), rules.fromSeconds) - kFromSeconds.begin();
      rules.fromSeconds = kFromSeconds[static_cast<size_t>(Round(static_cast<int32_t>(at) % 8, 8, direction))];
      break;
    }
    case Row::FullScreen: settings.view.fullScreen = !settings.view.fullScreen; break;
    case Row::IntegerScale: settings.view.integerScale = !settings.view.integerScale; break;
    case Row::StartDialog: settings.dialogAtStart = !settings.dialogAtStart; break;
    case Row::Language:
      settings.language = kLanguageNames[static_cast<size_t>(Round(LanguageIndex(settings.language),
                                                                   kLanguageNames.size(), direction))].code;
      break;
    case Row::Mute: settings.volume.muted = !settings.volume.muted; break;
    case Row::Volume: {
      // Chosen, it goes round from full back to silence.
      int32_t percent = settings.volume.percent + (direction == 0 ? 1 : direction) * kVolumeStep;
      if (direction == 0 && percent > PlayerVolume::kFull) percent = 0;
      settings.volume.percent = std::clamp(percent, 0, PlayerVolume::kFull);
      settings.volume.muted = false;
      break;
    }
  }
  return MenuResult::Open;
}

void Menu::Draw(CDisplay& display, const MenuSettings& settings, const MenuTexts& texts) const {
  const auto shown = [&texts](const std::string& text) {
    return std::string(texts.translator.Translate(text.c_str()));
  };
  const auto draw = [&](const std::string& text, int32_t x, int32_t y, int32_t scale) {
    DrawLetters(display, texts.kana, text, x, y, scale);
  };
  DimPage(display.GetBackSurface());
  const PageRows& page = RowsOf(m_page);
  if (m_waitingFor >= 0) {
    // The action's name where the question has it: the languages put it in different places.
    std::string asked = shown(m_page == Page::Pad ? "PRESS THE BUTTON FOR %s" : "PRESS THE KEY FOR %s");
    if (const size_t at = asked.find("%s"); at != std::string::npos) {
      asked.replace(at, 2, shown(kLabels[static_cast<size_t>(m_waitingFor)]));
    }
    draw(asked, 96, kTitleTop + 16, 2);
  } else if (const std::string title = shown(page.title); IsAscii(title)) {
    display.DrawBigText(title, kLeft, kTitleTop, 3);
  } else {
    // The big letters have no kana: the small ones, as tall.
    draw(title, kLeft, kTitleTop, 6);
  }
  draw(Upper(shown(settings.notice)), kLeft, kRowsTop + page.count * kRowHeight + 8, 1);
  for (int32_t i = 0; i < page.count; ++i) {
    const Row row = page.rows[static_cast<size_t>(i)];
    const int32_t y = kRowsTop + i * kRowHeight;
    draw(shown(kLabels[static_cast<size_t>(row)]), kLeft, y, 2);
    draw(Value(row, m_page == Page::Pad, settings, texts.translator), kValueLeft, y, 2);
    if (i == m_row) display.DrawSmallGlyph(kSelectionBox, kLeft - 32, y, 2);
  }
}
