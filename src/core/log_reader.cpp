#include "log_reader.hpp"

#include "errors.hpp"
#include "extended.hpp"
#include "number_text.hpp"
#include "shift_jis.hpp"
#include "text_file.hpp"

namespace rozuduzod {
namespace {

inline constexpr int kLinesPerRecord = 9;

// Fills one row of the table and the grid after the other, the row being the record in progress.
class RecordFiller {
  public:
    RecordFiller(FuelLogState& state, CellSink& grid, const LocaleValues& locale)
        : state_(state), grid_(grid), separator_(locale.decimal_separator) {}

    // Starts the next record in the next row. The table has room for a fixed number of records;
    // one more stops the reading rather than being dropped unnoticed.
    void StartRecord() {
        if (state_.LogCount == TextTable::kRows) {
            throw EConvertError(Sjis("ﾚｺｰﾄﾞ数が 1000 件を超えています"));
        }
        const int row = ++state_.LogCount;
        // A record cut short by the end of the file or an error must not show, nor later save,
        // texts left in its row by an earlier file.
        for (int column = 1; column <= kLinesPerRecord; ++column) {
            state_.LogTable.At(column, row).clear();
            grid_.SetCell(column, row, std::string());
        }
        grid_.SetCell(0, row, std::to_string(row));
        grid_.SetRowCount(row + 1);
    }

    // Stores the value of line `position` (1..9) of the record in progress.
    void Store(int position, const std::string& line) {
        const int row = state_.LogCount;
        std::string text = ValueText(position, line);
        state_.LogTable.At(position, row) = text;
        grid_.SetCell(position, row, text);
    }

  private:
    std::string ValueText(int position, const std::string& line) const {
        switch (position) {
            case kDistance:
                return FixedText(ReadDecimalText(line, separator_), 6, 1, separator_);
            case kFuelVolume:
                return FixedText(ReadDecimalText(line, separator_), 6, 2, separator_);
            case kGasName:
                return NameAt(state_.GasNames, ReadIntegerText(line));
            case kFuelKind:
                return NameAt(FuelKindNames(), ReadIntegerText(line));
            case kEconomy:
                return EconomyText();
            default:
                return line;
        }
    }

    // The name an index of the source log selects; an index the list does not have selects an
    // empty name.
    template <size_t N>
    static std::string NameAt(const std::array<std::string, N>& names, int32_t index) {
        if (index < 1 || static_cast<size_t>(index) > N) {
            return std::string();
        }
        return names[static_cast<size_t>(index - 1)];
    }

    // The economy comes from the distance and volume texts as stored, after their rounding, so
    // that it agrees with what the grid shows; the record's own ninth line is not used.
    std::string EconomyText() const {
        const int row = state_.LogCount;
        const long double distance =
            ReadDecimalText(state_.LogTable.At(kDistance, row), separator_);
        const long double volume =
            ReadDecimalText(state_.LogTable.At(kFuelVolume, row), separator_);
        return FixedText(DivideExtended(distance, volume), 5, 2, separator_);
    }

    FuelLogState& state_;
    CellSink& grid_;
    char separator_;
};

}  // namespace

void ReadSourceLog(const std::string& path, FuelLogState& state, CellSink& grid,
                   const LocaleValues& locale) {
    state.LogCount = 0;
    TextFileReader file(path);
    RecordFiller filler(state, grid, locale);
    int position = 1;
    while (!file.AtEnd()) {
        if (position == 1) {
            filler.StartRecord();
        }
        filler.Store(position, file.ReadLine());
        position = position % kLinesPerRecord + 1;
    }
}

}  // namespace rozuduzod
