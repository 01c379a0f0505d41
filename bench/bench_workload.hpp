#pragma once
// What the benchmarks work on: a realistic 1000-record source log written to a scratch directory
// at start-up, the fuel log it fills, the converted log saved from it, and the number texts and
// values that opening and saving read and write.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cell_sink.hpp"
#include "fuel_log.hpp"
#include "locale_values.hpp"

namespace rozuduzod::bench {

// A directory of its own under the system's temporary directory, removed with everything in it.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Keeps every text shown in it by row and column, and its row count, as the window's grid does.
class RecordingGrid final : public CellSink {
  public:
    void SetCell(int column, int row, const std::string& text) override;
    void SetRowCount(int row_count) override { row_count_ = row_count; }

    int RowCount() const { return row_count_; }

  private:
    std::vector<std::vector<std::string>> rows_;
    int row_count_ = 1;
};

// A value as the reader writes it: FixedText(value, width, decimals, ...).
struct FixedValue {
    long double value;
    int width;
    int decimals;
};

struct Workload {
    static constexpr int kRecords = 1000;
    static constexpr const char* kWeather = "晴れ";

    Workload();

    ScratchDirectory directory;
    LocaleValues locale;
    // A fill-up log of kRecords records over several years, as the logbook writes it.
    std::string source_log_path;
    // The state after opening the source log: the table filled, the gas names set.
    FuelLogState filled;
    // The converted log's lines as WriteConvertedLog writes them for `filled`.
    std::vector<std::string> converted_lines;
    std::string weather;
    // The number texts opening and saving the log read, in their order.
    std::vector<std::string> decimal_texts;
    // The values opening the log writes as fixed-point texts, in their order.
    std::vector<FixedValue> fixed_values;
};

// Made on first use, outside any timing, and kept for the run.
const Workload& TheWorkload();

// Opens the workload's source log into a fresh recording grid, the fuel log kept between
// iterations as the window keeps it. The default locale values apply: "." separates decimals.
void BM_OpenRecordingGrid(benchmark::State& state);

}  // namespace rozuduzod::bench
