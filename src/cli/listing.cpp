#include "listing.hpp"

#include "grid_header.hpp"
#include "shift_jis.hpp"

namespace rozuduzod::cli {

ListingGrid::ListingGrid() {
    for (int column = 0; column < kGridColumnCount; ++column) {
        cells_[{0, column}] = GridHeaderTexts()[static_cast<size_t>(column)];
    }
}

void ListingGrid::SetCell(int column, int row, const std::string& text) {
    cells_[{row, column}] = text;
}

// The listing prints the rows the reader reached; how many the window would show does not matter.
void ListingGrid::SetRowCount(int /*row_count*/) {}

void ListingGrid::Print(std::ostream& out, int last_row) const {
    for (int row = 0; row <= last_row; ++row) {
        for (int column = 0; column < kGridColumnCount; ++column) {
            if (column > 0) out << '\t';
            auto cell = cells_.find({row, column});
            if (cell != cells_.end()) out << ListingCellText(cell->second);
        }
        out << '\n';
    }
}

std::string ListingCellText(const std::string& shift_jis) {
    std::string escaped;
    for (char byte : ShiftJisToUtf8(shift_jis)) {
        switch (byte) {
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            default:
                escaped += byte;
        }
    }
    return escaped;
}

}  // namespace rozuduzod::cli
