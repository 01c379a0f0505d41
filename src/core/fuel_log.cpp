#include "fuel_log.hpp"

#include <stdexcept>

#include "shift_jis.hpp"
#include "text_file.hpp"

namespace rozuduzod {

size_t TextTable::IndexOf(int column, int row) {
    if (column < 1 || column > kColumns || row < 1 || row > kRows) {
        throw std::out_of_range("fuel log cell (" + std::to_string(column) + ", " +
                                std::to_string(row) + ") lies outside the table");
    }
    return static_cast<size_t>(row - 1) * kColumns + static_cast<size_t>(column - 1);
}

std::string& TextTable::At(int column, int row) { return cells_[IndexOf(column, row)]; }

const std::string& TextTable::At(int column, int row) const { return cells_[IndexOf(column, row)]; }

const std::array<std::string, kFuelKindCount>& FuelKindNames() {
    static const std::array<std::string, kFuelKindCount> names = {Sjis("レギュラー"),
                                                                  Sjis("ハイオク"), Sjis("軽油")};
    return names;
}

void ReadGasNames(const std::string& path, std::array<std::string, kGasNameCount>& names) {
    TextFileReader file(path);
    // A list shorter than ten lines leaves the remaining names empty: a read at the end of the
    // data yields an empty text.
    for (std::string& name : names) {
        name = file.ReadLine();
    }
}

}  // namespace rozuduzod
