#pragma once
// Writes the converted log: "[DirazData]", "DataCount=N" and one record line a fill-up.

#include <string>
#include <string_view>

#include "fuel_log.hpp"
#include "locale_values.hpp"

namespace rozuduzod {

inline constexpr const char* kConvertedLogFileName = "Diraz00.dat";

// The weather text as it is written: Shift-JIS of the UTF-8 text typed by the user; raises
// EConvertError when a character has no Shift-JIS form.
std::string WeatherText(std::string_view utf8);

// Record line k (1-based) of the converted log, without its line end.
std::string RecordLine(const FuelLogState& state, int record, std::string_view weather,
                       const LocaleValues& locale);

// Writes rows 1..LogCount to `path`, all or nothing: on an error the file at `path` stays as it
// was.
void WriteConvertedLog(const std::string& path, const FuelLogState& state, std::string_view weather,
                       const LocaleValues& locale);

}  // namespace rozuduzod
