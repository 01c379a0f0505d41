#pragma once
// Reads a source log (nine lines a fill-up) into the fuel log table.

#include <string>

#include "cell_sink.hpp"
#include "fuel_log.hpp"
#include "locale_values.hpp"

namespace rozuduzod {

inline constexpr const char* kSourceLogFileName = "Ruviz.dat";

// Sets LogCount to 0, then reads the file at `path` record by record from row 1, storing every
// value in the table and showing it in `grid` at once. An error ends the reading where it occurs;
// what was stored before stays.
void ReadSourceLog(const std::string& path, FuelLogState& state, CellSink& grid,
                   const LocaleValues& locale);

}  // namespace rozuduzod
