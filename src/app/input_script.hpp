// Scripted input: runs of idle calls with a fixed set of keys held.
//   COUNT KEYS    KEYS is "none" or names joined by '+':
//                 left right up down space shift escape
//   # comment
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct InputRun {
  int64_t count = 0;
  std::vector<uint8_t> keys;  // virtual-key codes
  int64_t end = 0;            // idle calls up to and including this run
};

struct InputScript {
  std::vector<InputRun> runs;
  // Keys held during idle call `call` (from 1); none after the script ends.
  const std::vector<uint8_t>& KeysAt(int64_t call) const;
  int64_t Length() const;
};

// False with "FILE:LINE: reason" in `error`.
bool ParseInputScript(std::string_view text, const std::string& fileName, InputScript& out, std::string& error);
// "none" or the names joined by '+', in the order of the key table.
std::string KeyNames(const std::vector<uint8_t>& keys);
