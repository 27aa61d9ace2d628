// One pass over the loaded tables, following the stage script, the types it
// releases and their movement programs as play will, so that every key play
// looks up is known to exist before the first frame.
#pragma once

#include "data/table_layout.hpp"

// False with the file, the line of the row naming the missing key, and the key.
bool CheckGameData(const DataTable& data, const StageTable& stage, const CharTable& chars, DataError* error);
