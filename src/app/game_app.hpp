// The application: start-up, the idle-driven frame loop, shutdown, and every
// game operation (defined in the folder of its subsystem).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "data/high_score.hpp"
#include "platform/platform.hpp"
#include "ui/main_frame.hpp"

struct AppOptions {
  // Either one given skips the settings dialog; the other keeps its default.
  std::optional<int32_t> fullScreen;
  std::optional<int32_t> keyboard;
  std::string dataDir = "data";
  std::string sheetPath;   // a sprite sheet to use instead of the built-in one
  bool saveScores = true;  // the simulator never writes the score file
};

// The program's resources, compiled into the binary.
struct Resources {
  std::span<const uint8_t> icon;   // 128
  std::span<const uint8_t> sheet;  // 132
  std::span<const uint8_t> music;  // "WAVE" "VESK"
};
Resources BuiltinResources();

class CGameApp {
 public:
  CGameApp(platform::Platform& platform, AppOptions options, Resources resources);
  ~CGameApp();

  int32_t InitInstance();
  int32_t OnIdle();
  int ExitInstance();
  // InitInstance, the message loop and ExitInstance; the program's exit code.
  int Run();

  // Screens (ui/screens.cpp)
  void DrawTitleScreen();
  void DrawStageClearScreen();
  void DrawExitQueryScreen();
  // Play (game/)
  void StepStageScript();
  void UpdateBackground();
  void UpdatePlayer();
  int32_t UpdateObject(int32_t kind);
  // Numbers (gfx/number.cpp)
  void DrawScore(int32_t score);
  void DrawNumber(int32_t value, int32_t right, int32_t top);

  int32_t LoadData();
  void RunFrameOfPlay();

  HighScoreTable m_highScores;
  std::unique_ptr<CMainFrame> m_pFrame;
  CMainFrame* m_pMainWnd = nullptr;  // set once start-up has succeeded
  platform::Platform& m_platform;
  uint8_t m_keys[256] = {};  // keyboard state of the current input step

 private:
  // Object updates on mainList.current (game/enemy.cpp, game/projectiles.cpp).
  int32_t UpdateMover(int32_t kind);  // flying and ground enemies, items
  int32_t UpdateCarrier();
  int32_t UpdateEnemyBullet(int32_t kind);
  int32_t UpdatePlayerShot();
  int32_t UpdatePopup();
  int32_t UpdateExplosion();
  int32_t UpdateCarrierDeath();
  int32_t UpdateBomb();
  // Keyed sprite onto the back page, trimmed to the playfield.
  void DrawSprite(RECT source, int32_t left, int32_t top, int32_t right, int32_t bottom);
  // The stage script's spawners (game/stage.cpp).
  void SpawnEnemy(int32_t typeRow, int32_t scriptRow);
  int32_t SpawnChildren(int32_t startRow);
  void SpawnChild(int32_t row);

  AppOptions m_options;
  Resources m_resources;
  std::vector<uint8_t> m_sheetFile;  // --sheet: read at start-up
  bool m_scoresLoaded = false;       // only then may the exit save the table
  std::set<int32_t> m_reportedTypeRows;  // script keys that named no type, each told once
};

// Every program-wide object back to its state at program start (tests and
// tools that run several games in one process).
void ResetProgramState();
