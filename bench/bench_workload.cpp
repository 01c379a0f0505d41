#include "bench_workload.hpp"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>

#include "grid_header.hpp"
#include "log_reader.hpp"
#include "log_writer.hpp"
#include "number_text.hpp"
#include "shift_jis.hpp"
#include "text_file.hpp"

namespace rozuduzod::bench {
namespace {

// A car driven a few hundred kilometres between fill-ups, a fill-up every week or two, prices
// and volumes of the late nineties. The generator's sequence is fixed by the standard, so every
// run reads the same file.
class FillUpGenerator {
  public:
    std::string NextRecord() {
        AdvanceDate();
        const int64_t distance_tenths = Between(2500, 6000);    // 250.0 .. 600.0 km
        const int64_t volume_hundredths = Between(2000, 5000);  // 20.00 .. 50.00 l
        const int64_t yen_per_litre = Between(95, 130);
        const int gas_index = static_cast<int>(Between(1, 4));
        const int fuel_kind = Between(1, 10) <= 8 ? 1 : static_cast<int>(Between(2, 3));
        const int64_t amount = volume_hundredths * yen_per_litre / 100;
        const int64_t economy_tenths = distance_tenths * 100 / volume_hundredths;
        std::string record;
        for (const std::string& line :
             {std::to_string(year_), std::to_string(month_), std::to_string(day_),
              Decimal(distance_tenths, 1), Decimal(volume_hundredths, 2), std::to_string(gas_index),
              std::to_string(fuel_kind), std::to_string(amount), Decimal(economy_tenths, 1)}) {
            record += line + "\r\n";
        }
        return record;
    }

  private:
    int64_t Between(int64_t low, int64_t high) {
        return low + static_cast<int64_t>(random_() % static_cast<uint64_t>(high - low + 1));
    }

    // Days are kept within 28 so that every date is valid without a calendar.
    void AdvanceDate() {
        day_ += static_cast<int>(Between(5, 14));
        while (day_ > 28) {
            day_ -= 28;
            if (++month_ > 12) {
                month_ = 1;
                ++year_;
            }
        }
    }

    // `scaled` / 10^decimals with all its decimals; the values are positive.
    static std::string Decimal(int64_t scaled, int decimals) {
        int64_t unit = 1;
        for (int decimal = 0; decimal < decimals; ++decimal) {
            unit *= 10;
        }
        // unit + remainder has the remainder's digits behind a leading 1, zeros included.
        return std::to_string(scaled / unit) + "." + std::to_string(unit + scaled % unit).substr(1);
    }

    std::mt19937_64 random_{19960602};
    int year_ = 1996;
    int month_ = 6;
    int day_ = 1;
};

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string SourceLogBytes(int records) {
    FillUpGenerator generator;
    std::string bytes;
    for (int record = 0; record < records; ++record) {
        bytes += generator.NextRecord();
    }
    return bytes;
}

std::array<std::string, kGasNameCount> GasNames() {
    return {Sjis("中央通り"), Sjis("駅前"), Sjis("バイパス"), Sjis("港町"), "", "", "", "", "", ""};
}

std::vector<std::string> LinesOf(const std::string& path) {
    TextFileReader file(path);
    std::vector<std::string> lines;
    while (!file.AtEnd()) {
        lines.push_back(file.ReadLine());
    }
    return lines;
}

// Opening reads each record's distance and volume lines, then their stored fixed-point texts
// for the economy; saving reads each record's amount and stored volume.
std::vector<std::string> DecimalTextsOf(const std::vector<std::string>& source_lines,
                                        const TextTable& table, int records) {
    std::vector<std::string> texts;
    for (int row = 1; row <= records; ++row) {
        const size_t first_line = static_cast<size_t>(row - 1) * 9;
        texts.push_back(source_lines[first_line + kDistance - 1]);
        texts.push_back(source_lines[first_line + kFuelVolume - 1]);
        texts.push_back(table.At(kDistance, row));
        texts.push_back(table.At(kFuelVolume, row));
        texts.push_back(table.At(kAmount, row));
        texts.push_back(table.At(kFuelVolume, row));
    }
    return texts;
}

// Opening writes each record's distance "%6.1f", volume "%6.2f" and economy "%5.2f".
std::vector<FixedValue> FixedValuesOf(const std::vector<std::string>& source_lines,
                                      const TextTable& table, char separator, int records) {
    std::vector<FixedValue> values;
    for (int row = 1; row <= records; ++row) {
        const size_t first_line = static_cast<size_t>(row - 1) * 9;
        values.push_back(
            {ReadDecimalText(source_lines[first_line + kDistance - 1], separator), 6, 1});
        values.push_back(
            {ReadDecimalText(source_lines[first_line + kFuelVolume - 1], separator), 6, 2});
        const long double economy = ReadDecimalText(table.At(kDistance, row), separator) /
                                    ReadDecimalText(table.At(kFuelVolume, row), separator);
        values.push_back({economy, 5, 2});
    }
    return values;
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rozuduzod-bench.XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch directory from " + pattern);
    }
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void RecordingGrid::SetCell(int column, int row, const std::string& text) {
    if (static_cast<size_t>(row) >= rows_.size()) {
        rows_.resize(static_cast<size_t>(row) + 1, std::vector<std::string>(kGridColumnCount));
    }
    rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

Workload::Workload()
    : source_log_path(directory.PathOf(kSourceLogFileName)), weather(Sjis(kWeather)) {
    WriteBytes(source_log_path, SourceLogBytes(kRecords));
    filled.GasNames = GasNames();
    RecordingGrid grid;
    ReadSourceLog(source_log_path, filled, grid, locale);
    if (filled.LogCount != kRecords) {
        throw std::logic_error("the generated source log did not open completely");
    }
    const std::string converted_path = directory.PathOf(kConvertedLogFileName);
    WriteConvertedLog(converted_path, filled, weather, locale);
    converted_lines = LinesOf(converted_path);
    const std::vector<std::string> source_lines = LinesOf(source_log_path);
    decimal_texts = DecimalTextsOf(source_lines, filled.LogTable, kRecords);
    fixed_values = FixedValuesOf(source_lines, filled.LogTable, locale.decimal_separator, kRecords);
}

const Workload& TheWorkload() {
    static const Workload workload;
    return workload;
}

void BM_OpenRecordingGrid(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    FuelLogState log;
    log.GasNames = workload.filled.GasNames;
    auto grid = std::make_unique<RecordingGrid>();
    for (auto _ : state) {
        // Making and dropping the grid is not timed, as it is not for the window's grid.
        state.PauseTiming();
        grid = std::make_unique<RecordingGrid>();
        state.ResumeTiming();
        ReadSourceLog(workload.source_log_path, log, *grid, workload.locale);
        benchmark::DoNotOptimize(grid->RowCount());
    }
    state.SetItemsProcessed(state.iterations() * Workload::kRecords);
}

}  // namespace rozuduzod::bench
