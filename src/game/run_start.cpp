// A run with stakes begins afresh at the title, and practice where the player
// chose: the script and the ground are taken there as play would take them,
// without the objects, so that the stage goes on from that point exactly.
#include <climits>

#include "data/table_walk.hpp"
#include "game/play.hpp"

namespace {

constexpr int32_t kFramesPerSecond = 60;

// Whether the script row releases a carrier.
bool ReleasesCarrier(const GameData& data, int32_t row) {
  const std::string& key = data.stageTable.Text(StageColumn::KEY, row);
  if (key.empty()) return false;
  const int32_t type = data.dataTable.FindRow(key);
  const int32_t chr = data.charTable.FindRow(data.dataTable.Text(DataColumn::CHAR, type));
  return data.charTable.I16(CharColumn::KIND, chr) == KIND_CARRIER;
}

}  // namespace

void Play::StartRun() {
  RunState& run = m_play.run;
  const GameRules rules = run.rules;
  const ArcadeTable best = run.best;
  m_play.mainList.Clear();
  m_play.childList.Clear();
  m_play.g_player = Player{};
  m_play.g_nFireTimer = 0;
  m_play.g_nStageWait = 0;
  m_play.g_nStageRow = 0;
  m_play.g_nScrollLine = 0;
  m_play.g_nTileLine = 0;
  m_play.g_nMapRow = 0;
  m_play.m_state.m_nScrollSpeed = 1;
  ClearSurface(m_play.scroll);
  run = RunState{};
  run.rules = rules;
  run.best = best;
  run.stage = rules.kind == RulesKind::Practice ? rules.stage : 1;
  run.lives = m_tuning.lives;
  run.nextExtraLife = m_tuning.firstExtraLife;
  if (rules.kind != RulesKind::Practice) return;

  // The frames before the chosen point, script and ground alone; a point
  // past the script's end starts at its last row.
  const StageTable& stage = m_data.stageTable;
  const int64_t frames = rules.fromSeconds == kFromCarrier ? INT64_MAX : int64_t{rules.fromSeconds} * kFramesPerSecond;
  for (int64_t frame = 0; frame < frames; ++frame) {
    if (m_play.g_nStageWait <= 0) {
      const ScriptStep step = TakeScriptStep(stage, m_play.g_nStageRow);
      if (step.ends || (rules.fromSeconds == kFromCarrier && ReleasesCarrier(m_data, step.row))) break;
      m_play.g_nStageWait = stage.Int(StageColumn::WAIT, step.row);
      m_play.g_nStageRow = step.next;
      if (step.speedRow >= 0) {
        m_play.m_state.m_nScrollSpeed = static_cast<uint8_t>(stage.Int(StageColumn::WAIT, step.speedRow) & 0xFF);
      }
    }
    if (m_play.g_nStageWait > INT32_MIN) --m_play.g_nStageWait;
    UpdateBackground();
  }
  // The page the run starts on is black, as play's always is.
  ClearSurface(m_display.GetBackSurface());
}
