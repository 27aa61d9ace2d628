// A whole game on the headless platform, with its data in a fresh temporary
// folder, for tests that drive it frame by frame.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/game_app.hpp"
#include "platform/headless/scripted_game.hpp"

namespace testing_support {

struct DataFiles {
  std::string data;   // data.csv
  std::string stage;  // Stage1.csv
  std::string chr;    // char.csv
  std::string map;    // map.dat; empty = every tile the same water tile
};

// A fresh, empty folder under the test temp dir.
std::filesystem::path MakeTempDir();
// The repository's own data folder (read only).
std::filesystem::path RepoDataDir();
void WriteFile(const std::filesystem::path& path, const std::string& text);
std::string ReadFile(const std::filesystem::path& path);

// kestrova-sim on the repository's data with `arguments`: its exit status
// (-1 when it did not exit) and what it printed.
struct SimRun {
  int status = -1;
  std::string output;
};
SimRun RunSim(const std::string& arguments);
// A map of 500 x 20 tiles, every one at (x, y).
std::string UniformMap(int x, int y);
// The score file as the game writes it: for each of the ten entries its score
// (0 past `scores`) and the further values 1, 2, 3, every value XOR 0x5E, each
// followed by `separator`.
std::string ScoreFileText(const std::vector<int32_t>& scores, char separator = '\n');
// The bytes of a committed file under assets/.
std::vector<uint8_t> ReadAsset(const std::string& name);

// Little-endian fields written over the bytes at `at`.
void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v);
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v);
// An uncompressed 8-bit BMP with a 40-byte info header, rows padded to four
// bytes, bottom-up unless `topDown`, from `pixels` (top row first), with
// `colors` palette entries (0: all 256), colour i being (10i, 20i, 30i).
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, const std::vector<uint8_t>& pixels, bool topDown = false,
                             uint32_t colors = 4);

// A game whose idle calls go through the scripted platform, the script
// growing by what the test asks for.
class HeadlessGame {
 public:
  explicit HeadlessGame(const DataFiles& files);
  // Plays with a copy of an existing data folder.
  explicit HeadlessGame(const std::filesystem::path& dataSource);
  ~HeadlessGame();

  // Start-up in window mode with the keyboard unless `options` say otherwise.
  bool Start(AppOptions options = {});
  // `count` idle calls with exactly `keys` held, the first after a left
  // click if `click`.
  void Idle(int count = 1, const std::vector<uint8_t>& keys = {}, bool click = false);
  // Leaves the title screen with Space (one idle call, a black page).
  void StartPlay();
  // The last idle call's "CALL SCREEN PAGEHASH STATEHASH\n".
  std::string LastLine() const { return run->LastLine(); }

  PlayState& State() { return app->m_play; }
  // Whether the last idle call started `effect`.
  bool Sounded(Effect effect) const { return app->LastSounds().Started(effect); }
  CDisplay& Display() { return app->m_pFrame->m_display; }
  std::span<const uint8_t> Page() const { return platform.LastPage(); }
  uint8_t PagePixel(int x, int y) const { return platform.LastPage()[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)]; }

  std::filesystem::path dir;  // working folder; data files in dir / "data"
  platform::HeadlessPlatform platform;
  std::unique_ptr<platform::ScriptedGame> run;
  CGameApp* app = nullptr;
};

}  // namespace testing_support
