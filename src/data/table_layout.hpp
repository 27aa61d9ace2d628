// Where things stand in the table files: the columns the load-time checks
// follow, and the keywords, which are compared as whole cells.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr int32_t DATA_COL_COMMAND = 5;  // data.csv: "INIT", "START", "END", "BITMAP" or a step
inline constexpr int32_t DATA_COL_JUMP = 6;     // data.csv: label to continue at
inline constexpr int32_t DATA_COL_KEY = 8;      // data.csv: char.csv key; child row: data.csv key of its type
inline constexpr int32_t STAGE_COL_KEY = 0;     // Stage1.csv: data.csv key, "DOT" or "EOF"
inline constexpr int32_t CHAR_COL_WIDTH = 5;    // char.csv: image width
inline constexpr int32_t CHAR_COL_KIND = 8;     // char.csv: object kind

inline constexpr std::string_view KEYWORD_INIT = "INIT";
inline constexpr std::string_view KEYWORD_START = "START";
inline constexpr std::string_view KEYWORD_END = "END";
inline constexpr std::string_view KEYWORD_BITMAP = "BITMAP";
inline constexpr std::string_view KEYWORD_DOT = "DOT";
inline constexpr std::string_view KEYWORD_EOF = "EOF";
