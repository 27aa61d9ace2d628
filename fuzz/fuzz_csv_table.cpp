// The table splitter over any bytes, in the shapes of both table kinds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/csv_table.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the shape: 5 or 10 columns, 1 to 64 rows.
  const int32_t columns = (data[0] & 1) != 0 ? 10 : 5;
  const int32_t capacity = 1 + (data[0] >> 2);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  CsvTable table(columns);
  FUZZ_CHECK(table.Allocate(capacity));
  DataError error;
  const bool loaded = table.LoadBytes(bytes, "fuzz.csv", &error);
  if (!loaded) FUZZ_CHECK(error.file == "fuzz.csv" && error.line >= 1);

  size_t cellBytes = 0;
  for (int32_t row = 0; row < capacity; ++row) {
    for (int32_t column = 0; column < columns; ++column) {
      const std::string& cell = table.GetCell(column, row);
      // Separators and comments never reach a cell.
      FUZZ_CHECK(cell.find_first_of(",\n#") == std::string::npos);
      cellBytes += cell.size();
    }
    const int32_t found = table.FindRow(table.GetCell(0, row));
    FUZZ_CHECK(found <= row);
    FUZZ_CHECK(table.LineOfRow(row) >= 0);
  }
  FUZZ_CHECK(cellBytes <= bytes.size());
  // Outside the table every cell is empty and no row is found.
  FUZZ_CHECK(table.GetCell(columns, 0).empty() && table.GetCell(0, capacity).empty());
  FUZZ_CHECK(table.FindRow("\n") == capacity);
  return 0;
}
