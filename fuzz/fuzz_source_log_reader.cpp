// The source log reader on arbitrary bytes, once with "." and once with "," as the decimal
// separator.
//
// Properties, whether the reading completes or stops on an error:
// - The only errors are rozuduzod::Exception; anything else (std::out_of_range from a table cell
//   outside the table among them) ends the run as a finding.
// - 0 <= LogCount <= 1000; every grid cell the reader writes lies in the row of the record in
//   progress, and the table row after the last record stays empty.
// - The grid shows the record number in column 0 and the table's texts in columns 1 to 9 of rows
//   1 to LogCount, and LogCount + 1 rows once a record started.
// - Every stored distance, fuel volume and economy text re-reads with ReadDecimalText and is its
//   own fixed-point form ("%6.1f", "%6.2f", "%5.2f"); in the rows before the last they are all
//   there.
// - A gas name cell holds one of the gas names or nothing; a fuel kind cell one of the fuel kind
//   names or nothing.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "errors.hpp"
#include "fuel_log.hpp"
#include "fuzz_support.hpp"
#include "grid_header.hpp"
#include "locale_values.hpp"
#include "log_reader.hpp"
#include "number_text.hpp"
#include "shift_jis.hpp"

namespace {

using rozuduzod::FuelLogState;
using rozuduzod::TextTable;
using rozuduzod::fuzz::Require;

// The window's grid as far as the reader fills it; a cell outside the record in progress is a
// finding.
class CheckingGrid : public rozuduzod::CellSink {
  public:
    explicit CheckingGrid(const FuelLogState& state) : state_(state) {}

    void SetCell(int column, int row, const std::string& text) override {
        Require(column >= 0 && column < rozuduzod::kGridColumnCount,
                "the reader sets grid columns 0 to 9 only");
        Require(row >= 1 && row == state_.LogCount, "the reader sets the row of its record only");
        cells_[Index(column, row)] = text;
    }

    void SetRowCount(int row_count) override {
        Require(row_count == state_.LogCount + 1, "the grid shows the records started");
        row_count_ = row_count;
    }

    const std::string& Cell(int column, int row) const { return cells_[Index(column, row)]; }
    int RowCount() const { return row_count_; }

    // Back to the state before any reading, the rows up to `last_row` having been written.
    void Clear(int last_row) {
        std::fill(cells_.begin(), cells_.begin() + Index(0, last_row + 1), std::string());
        row_count_ = 0;
    }

  private:
    static size_t Index(int column, int row) {
        return static_cast<size_t>(row) * rozuduzod::kGridColumnCount + static_cast<size_t>(column);
    }

    const FuelLogState& state_;
    std::vector<std::string> cells_ =
        std::vector<std::string>((TextTable::kRows + 1) * rozuduzod::kGridColumnCount);
    int row_count_ = 0;  // never set
};

struct FixedColumn {
    int column;
    int width;
    int decimals;
};

constexpr FixedColumn kFixedColumns[] = {
    {rozuduzod::kDistance, 6, 1}, {rozuduzod::kFuelVolume, 6, 2}, {rozuduzod::kEconomy, 5, 2}};

void CheckFixedCell(const std::string& text, FixedColumn format, char separator) {
    long double value = 0;
    try {
        value = rozuduzod::ReadDecimalText(text, separator);
    } catch (const rozuduzod::Exception&) {
        Require(false, "a stored distance, volume or economy re-reads as a number");
    }
    Require(rozuduzod::FixedText(value, format.width, format.decimals, separator) == text,
            "a stored distance, volume or economy is its own fixed-point text");
}

template <size_t N>
bool IsEmptyOrOneOf(const std::string& text, const std::array<std::string, N>& names) {
    return text.empty() || std::find(names.begin(), names.end(), text) != names.end();
}

void CheckRow(const FuelLogState& state, const CheckingGrid& grid, int row, char separator) {
    const bool complete_row = row < state.LogCount;
    for (const FixedColumn& format : kFixedColumns) {
        const std::string& text = state.LogTable.At(format.column, row);
        Require(!complete_row || !text.empty(), "a complete record has all its numbers");
        if (!text.empty()) {
            CheckFixedCell(text, format, separator);
        }
    }
    Require(IsEmptyOrOneOf(state.LogTable.At(rozuduzod::kGasName, row), state.GasNames),
            "a gas name cell holds a gas name");
    Require(
        IsEmptyOrOneOf(state.LogTable.At(rozuduzod::kFuelKind, row), rozuduzod::FuelKindNames()),
        "a fuel kind cell holds a fuel kind name");
    Require(grid.Cell(0, row) == std::to_string(row), "the grid numbers its records");
    for (int column = 1; column <= TextTable::kColumns; ++column) {
        Require(grid.Cell(column, row) == state.LogTable.At(column, row),
                "the grid shows what the table holds");
    }
}

void CheckState(const FuelLogState& state, const CheckingGrid& grid, char separator) {
    Require(state.LogCount >= 0 && state.LogCount <= TextTable::kRows,
            "LogCount stays within the table");
    Require(grid.RowCount() == (state.LogCount == 0 ? 0 : state.LogCount + 1),
            "the grid shows the header and every record started");
    for (int row = 1; row <= state.LogCount; ++row) {
        CheckRow(state, grid, row, separator);
    }
    // The row after the last record is where a slip by one would write.
    if (state.LogCount < TextTable::kRows) {
        for (int column = 1; column <= TextTable::kColumns; ++column) {
            Require(state.LogTable.At(column, state.LogCount + 1).empty(),
                    "the row after the last record stays empty");
        }
    }
}

std::array<std::string, rozuduzod::kGasNameCount> GasNames() {
    // A list of nine names: the tenth stays empty, as after a short gas list.
    return {rozuduzod::Sjis("中央通り"),
            rozuduzod::Sjis("駅前"),
            "Route 9",
            "A",
            "B",
            "C",
            "D",
            "E",
            "F",
            ""};
}

// Empties the rows the last reading wrote, which are the rows up to LogCount.
void ClearAfterReading(FuelLogState& state, CheckingGrid& grid) {
    for (int row = 1; row <= state.LogCount; ++row) {
        for (int column = 1; column <= TextTable::kColumns; ++column) {
            state.LogTable.At(column, row).clear();
        }
    }
    grid.Clear(state.LogCount);
    state.LogCount = 0;
}

void ReadWithSeparator(const std::string& path, char separator) {
    // One table and one grid for every run, emptied after each: a table of 9000 texts made anew
    // for every input would cost more than the reading itself.
    static FuelLogState state = [] {
        FuelLogState initial;
        initial.GasNames = GasNames();
        return initial;
    }();
    static CheckingGrid grid(state);
    rozuduzod::LocaleValues locale;
    locale.decimal_separator = separator;
    try {
        rozuduzod::ReadSourceLog(path, state, grid, locale);
    } catch (const rozuduzod::Exception&) {
        // The reading stops where the error occurs; what it stored so far must still hold.
    }
    CheckState(state, grid, separator);
    ClearAfterReading(state, grid);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = (rozuduzod::fuzz::ScratchDirectory::Path() / "Ruviz.dat").string();
    rozuduzod::fuzz::WriteWholeFile(path, {reinterpret_cast<const char*>(data), size});
    ReadWithSeparator(path, '.');
    ReadWithSeparator(path, ',');
    return 0;
}
