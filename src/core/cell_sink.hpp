#pragma once
// Where the source log reader shows each value as it stores it: the window's grid, or a listing.

#include <string>

namespace rozuduzod {

class CellSink {
  public:
    virtual ~CellSink() = default;
    // Cell (column, row) now shows `text` (Shift-JIS); column 0 holds the record number.
    virtual void SetCell(int column, int row, const std::string& text) = 0;
    // Rows shown, the header row included.
    virtual void SetRowCount(int row_count) = 0;
};

}  // namespace rozuduzod
