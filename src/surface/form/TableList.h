#pragma once

// A list of many rows in columns. The model keeps no text of its rows: a window asks for the
// cells of the rows it draws, so 100 000 rows cost it no more than 100.

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

struct FormModel;

struct TableList {
  // The column captions, separated by tabs.
  std::string header;
  std::size_t rowCount = 0;
  // The text of one cell; row < rowCount.
  std::string (*cell)(const FormModel& model, std::size_t row, std::size_t column) = nullptr;
  int itemIndex = -1;  // the selected row; -1 for none
  // Changes whenever the rows change, so that a window knows to ask again.
  std::uint64_t generation = 0;
};

}  // namespace velmora
