#include "test_support.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/headless_core.hpp"
#include "app/state_report.hpp"
#include "input/keyboard.hpp"

namespace testing_support {

std::filesystem::path MakeTempDir() {
  static std::atomic<int> counter{0};
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) /
                                    ("kestrova-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::filesystem::path RepoDataDir() { return std::filesystem::path(KESTROVA_SOURCE_DIR) / "data"; }

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

SimRun RunSim(const std::string& arguments) {
  const std::string command = std::string(KESTROVA_SIM) + " --data " + RepoDataDir().string() + " " + arguments;
  SimRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

std::string UniformMap(int x, int y) {
  char pair[16];
  std::snprintf(pair, sizeof pair, "%03d\n%03d\n", x, y);
  std::string map;
  for (int i = 0; i < 500 * 20; ++i) map += pair;
  return map;
}

std::string ScoreFileText(const std::vector<int32_t>& scores, char separator) {
  std::string text;
  for (size_t i = 0; i < 10; ++i) {
    for (int32_t value : {i < scores.size() ? scores[i] : 0, 1, 2, 3}) text += std::to_string(value ^ 0x5E) + separator;
  }
  return text;
}

FrameInput Held(const std::vector<uint8_t>& keys) {
  FrameInput input;
  for (const uint8_t vk : keys) input.keys[vk] = 0x80;
  return input;
}

Replay CommittedReplay(const std::string& path) {
  Replay replay;
  std::string error;
  EXPECT_TRUE(LoadReplay((std::filesystem::path(KESTROVA_SOURCE_DIR) / path).string(), replay, error)) << error;
  return replay;
}

Core StartedCore(const StartChoices& choices) {
  std::string message;
  std::optional<Core> core = StartHeadlessCore(RepoDataDir().string(), choices, message);
  EXPECT_TRUE(core) << message;
  return std::move(*core);
}

const SpriteSheet& BuiltinSheet() {
  static const SpriteSheet sheet = [] {
    SpriteSheet decoded;
    LoadSpriteSheet(BuiltinResources().sheet, decoded);
    return decoded;
  }();
  return sheet;
}

bool ShowsCell(std::span<const uint8_t> page, RECT cell, int x, int y, int scale, const Surface& source) {
  for (int dy = 0; dy < (cell.bottom - cell.top) * scale; ++dy) {
    for (int dx = 0; dx < (cell.right - cell.left) * scale; ++dx) {
      const uint8_t want = source.Row(cell.top + dy / scale)[cell.left + dx / scale];
      if (want != 0 && page[static_cast<size_t>((y + dy) * PAGE_WIDTH + x + dx)] != want) return false;
    }
  }
  return true;
}

RECT BigLetterRect(int32_t c) { return BigGlyphRect(c - 'A'); }

::testing::AssertionResult ShowsText(std::span<const uint8_t> page, std::u32string_view text, RECT (*cellOf)(int32_t),
                                     int x, int y, int scale, int step, const Surface& source) {
  for (size_t i = 0; i < text.size(); ++i) {
    const RECT cell = cellOf(static_cast<int32_t>(text[i]));
    if (!ShowsCell(page, cell, x, y, scale, source)) return ::testing::AssertionFailure() << "character " << i;
    x += step != 0 ? step : (cell.right - cell.left) * scale;
  }
  return ::testing::AssertionSuccess();
}

std::vector<uint8_t> ReadAsset(const std::string& name) {
  const std::string text = ReadFile(std::filesystem::path(KESTROVA_SOURCE_DIR) / "assets" / name);
  return std::vector<uint8_t>(text.begin(), text.end());
}

static void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, const std::vector<uint8_t>& pixels, bool topDown,
                             uint32_t colors) {
  const auto rowWidth = static_cast<size_t>(width);
  const size_t rowBytes = (rowWidth + 3) / 4 * 4;
  const uint32_t entries = colors == 0 ? 256 : colors;
  const size_t offset = 14 + 40 + size_t{entries} * 4;
  std::vector<uint8_t> b(offset + rowBytes * static_cast<size_t>(height), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(topDown ? -height : height));
  Put16(b, 26, 1);
  Put16(b, 28, 8);
  Put32(b, 46, colors);
  for (uint32_t i = 0; i < entries; ++i) {  // blue, green, red, 0
    b[54 + 4 * i] = static_cast<uint8_t>(30 * i);
    b[54 + 4 * i + 1] = static_cast<uint8_t>(20 * i);
    b[54 + 4 * i + 2] = static_cast<uint8_t>(10 * i);
  }
  for (int32_t y = 0; y < height; ++y) {
    const size_t fileRow = static_cast<size_t>(topDown ? y : height - 1 - y);
    for (size_t x = 0; x < rowWidth && static_cast<size_t>(y) * rowWidth + x < pixels.size(); ++x) {
      b[offset + fileRow * rowBytes + x] = pixels[static_cast<size_t>(y) * rowWidth + x];
    }
  }
  return b;
}

HeadlessGame::HeadlessGame(const DataFiles& files) : dir(MakeTempDir()) {
  const auto data = dir / "data";
  std::filesystem::create_directories(data);
  WriteFile(data / "data.csv", files.data);
  WriteFile(data / "Stage1.csv", files.stage);
  WriteFile(data / "char.csv", files.chr);
  WriteFile(data / "map.dat", UniformMap(0, 320));  // every tile the same water tile
  std::filesystem::copy_file(RepoDataDir() / "difficulty.csv", data / "difficulty.csv");
}

HeadlessGame::HeadlessGame(const std::filesystem::path& dataSource) : dir(MakeTempDir()) {
  std::filesystem::copy(dataSource, dir / "data", std::filesystem::copy_options::recursive);
  std::filesystem::remove(dir / "data" / "score.dat");
}

HeadlessGame::~HeadlessGame() {
  core.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

bool HeadlessGame::Start(const StartChoices& choices) {
  std::string message;
  if (!LoadHeadlessSetup(DataDir(), choices, setup, message)) return false;
  core.emplace(setup);
  return true;
}

void HeadlessGame::Remake(const std::function<void(CoreSetup&)>& change) {
  const PlayState kept = core->State();
  change(setup);
  core.emplace(setup);
  core->Restore(kept);
}

void HeadlessGame::PaintSheet(const std::function<void(Surface&)>& paint) {
  Remake([&](CoreSetup& s) {
    auto sheet = std::make_shared<SpriteSheet>(*s.sheet);
    paint(sheet->pixels);
    s.sheet = std::move(sheet);
  });
}

void HeadlessGame::ChangeData(const std::function<void(GameData&)>& change) {
  Remake([&](CoreSetup& s) {
    auto data = std::make_shared<GameData>(*s.data);
    change(*data);
    s.data = std::move(data);
  });
}

void HeadlessGame::Idle(int count, const std::vector<uint8_t>& keys, bool click) {
  for (int i = 0; i < count; ++i) {
    FrameInput input = Held(keys);
    input.click = click && i == 0;
    input.stick = stick;
    last = core->Step(input);
    ++frames;
  }
}

void HeadlessGame::StartPlay() { Idle(1, {VK_SPACE}); }

std::string HeadlessGame::LastLine() const { return FrameLine(frames, last.screen, last.page, core->State()); }

WindowedApp::WindowedApp(const AppOptions& options, Resources resources, const Translator& texts)
    : CGameApp(window, options, std::move(resources), texts) {
  EXPECT_TRUE(InitInstance());
}

}  // namespace testing_support
