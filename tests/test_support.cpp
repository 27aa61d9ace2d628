#include "test_support.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

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

std::string UniformMap(int x, int y) {
  char pair[16];
  std::snprintf(pair, sizeof pair, "%03d\n%03d\n", x, y);
  std::string map;
  for (int i = 0; i < 500 * 20; ++i) map += pair;
  return map;
}

HeadlessGame::HeadlessGame(const DataFiles& files) : dir(MakeTempDir()) {
  const auto data = dir / "data";
  std::filesystem::create_directories(data);
  WriteFile(data / "data.csv", files.data);
  WriteFile(data / "Stage1.csv", files.stage);
  WriteFile(data / "char.csv", files.chr);
  WriteFile(data / "map.dat", files.map.empty() ? UniformMap(0, 320) : files.map);
}

HeadlessGame::HeadlessGame(const std::filesystem::path& dataSource) : dir(MakeTempDir()) {
  std::filesystem::copy(dataSource, dir / "data", std::filesystem::copy_options::recursive);
  std::filesystem::remove(dir / "data" / "score.dat");
}

HeadlessGame::~HeadlessGame() {
  app.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

bool HeadlessGame::Start(AppOptions options) {
  ResetProgramState();
  options.fullScreen = options.fullScreen.value_or(0);
  options.keyboard = options.keyboard.value_or(1);
  options.dataDir = (dir / "data").string();
  app = std::make_unique<CGameApp>(platform, options, BuiltinResources());
  return app->InitInstance() != 0;
}

void HeadlessGame::Idle(int count, const std::vector<uint8_t>& keys) {
  platform.HoldKeys(keys);
  for (int i = 0; i < count; ++i) app->OnIdle();
  platform.HoldKeys({});
}

void HeadlessGame::StartPlay() { Idle(1, {VK_SPACE}); }

}  // namespace testing_support
