// Opening and saving a 1000-record fuel log, and the number texts on the way, each beside its
// floor: the same file split into lines, the same bytes written, the same numbers read and
// written by the standard library's conversions.

#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "bench_workload.hpp"
#include "log_writer.hpp"
#include "number_text.hpp"
#include "text_file.hpp"
#include "util.hpp"

namespace rozuduzod::bench {
namespace {

void BM_OpenFloorSplitLines(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    for (auto _ : state) {
        TextFileReader file(workload.source_log_path);
        size_t bytes = 0;
        while (!file.AtEnd()) {
            bytes += file.ReadLine().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * Workload::kRecords);
}

// Saving over the file of the previous iteration, as saving again under the default name does.
void BM_Save(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    const std::string path = workload.directory.PathOf("saved.dat");
    for (auto _ : state) {
        WriteConvertedLog(path, workload.filled, workload.weather, workload.locale);
    }
    state.SetItemsProcessed(state.iterations() * Workload::kRecords);
}

void BM_SaveFloorWriteLines(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    const std::string path = workload.directory.PathOf("written.dat");
    for (auto _ : state) {
        AtomicTextFileWriter file(path);
        for (const std::string& line : workload.converted_lines) {
            file.WriteLine(line);
        }
        file.Commit();
    }
    state.SetItemsProcessed(state.iterations() * Workload::kRecords);
}

void BM_ReadDecimalText(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    const char separator = workload.locale.decimal_separator;
    for (auto _ : state) {
        for (const std::string& text : workload.decimal_texts) {
            benchmark::DoNotOptimize(ReadDecimalText(text, separator));
        }
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<int64_t>(workload.decimal_texts.size()));
}

// std::from_chars on the same texts, their blanks taken off beforehand since it reads none. Into
// double it is the fastest correctly rounded reading the standard library has; into the extended
// type it is what the reader falls back to for texts beyond its exact path.
template <typename Number>
void BM_ReadDecimalFloorFromChars(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    std::vector<std::string_view> trimmed;
    for (const std::string& text : workload.decimal_texts) {
        trimmed.push_back(TrimText(text));
    }
    for (auto _ : state) {
        for (std::string_view text : trimmed) {
            Number value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(trimmed.size()));
}

void BM_FixedText(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    const char separator = workload.locale.decimal_separator;
    for (auto _ : state) {
        for (const FixedValue& fixed : workload.fixed_values) {
            benchmark::DoNotOptimize(
                FixedText(fixed.value, fixed.width, fixed.decimals, separator));
        }
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<int64_t>(workload.fixed_values.size()));
}

// std::to_chars of the same values with the same decimals into a buffer, without padding or a
// string: as double, the fastest correctly rounded writing the standard library has; as the
// extended type, what the writer falls back to for values beyond its exact path.
template <typename Number>
void BM_FixedTextFloorToChars(benchmark::State& state) {
    const Workload& workload = TheWorkload();
    char text[64];
    for (auto _ : state) {
        for (const FixedValue& fixed : workload.fixed_values) {
            const std::to_chars_result result =
                std::to_chars(text, text + sizeof text, static_cast<Number>(fixed.value),
                              std::chars_format::fixed, fixed.decimals);
            benchmark::DoNotOptimize(result.ptr);
        }
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<int64_t>(workload.fixed_values.size()));
}

// File work is timed by the wall clock: waiting for the disk is part of what the user waits for.
BENCHMARK(BM_OpenRecordingGrid)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenFloorSplitLines)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveFloorWriteLines)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadDecimalText)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ReadDecimalFloorFromChars, double)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ReadDecimalFloorFromChars, long double)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FixedText)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_FixedTextFloorToChars, double)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_FixedTextFloorToChars, long double)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rozuduzod::bench

BENCHMARK_MAIN();
