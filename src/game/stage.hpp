// Stage script position.
#pragma once

#include <cstdint>

extern int32_t g_nStageWait;  // frames left before the next script row
extern int32_t g_nStageRow;   // next stageTable row to take
