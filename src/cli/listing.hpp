#pragma once
// The grid the window shows after opening a log, as lines of text for the terminal.

#include <map>
#include <ostream>
#include <string>
#include <utility>

#include "cell_sink.hpp"

namespace rozuduzod::cli {

// Keeps the cells the reader shows, as a fresh window's grid would.
class ListingGrid : public CellSink {
  public:
    ListingGrid();
    void SetCell(int column, int row, const std::string& text) override;
    void SetRowCount(int row_count) override;

    // Prints the header row, then rows 1..`last_row`: UTF-8 cells joined by TAB, each row ending
    // in LF; TAB, LF, CR and backslash inside a cell as \t, \n, \r and \\.
    void Print(std::ostream& out, int last_row) const;

  private:
    std::map<std::pair<int, int>, std::string> cells_;  // by (row, column)
};

// A cell's text as the listing shows it.
std::string ListingCellText(const std::string& shift_jis);

}  // namespace rozuduzod::cli
