// Numbers from cells, as atoi reads them.
#pragma once

#include <cstdint>
#include <string_view>

// Leading white space, optional sign, digits up to the first other byte;
// empty or non-numeric gives 0; values past the int range saturate.
int32_t CellToInt(std::string_view text);
// Stored into a 16-bit field: the low 16 bits.
inline int16_t ToI16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(v))); }
inline int16_t CellToI16(std::string_view text) { return ToI16(CellToInt(text)); }
