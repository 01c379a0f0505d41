// The converted log writer on a fuel log table filled from arbitrary bytes.
//
// Input: fields separated by line feeds; inside a field the two bytes "\n" stand for a line
// feed. Field 0 is the record count (decimal, taken modulo 1001), field 1 holds option letters
// ("," for the decimal separator ",", "j" for Japanese day names, "x" for a destination that
// exists before the save), field 2 is the weather text, fields 3 to 12 are the gas names, and the
// fields after them are row texts, nine a row, columns 1 to 9. The rows given repeat down the
// table up to the record count, so that a short input can fill a thousand records. A gas name or
// fuel kind cell that reads as an index of its list holds that name, as the reader stores it;
// otherwise the field's text itself.
//
// Properties:
// - The only errors are rozuduzod::Exception.
// - After an error the destination is as it was (absent, or with its old bytes) and no other
//   file is left in its directory.
// - After a save the directory holds the destination alone, and it is well-formed: "[DirazData]",
//   "DataCount=N", then exactly N record lines "KKK=" + 13 fields each ended by ",", the key being
//   the record number cut to its last three digits; every line ends with CR LF and holds no other
//   CR or LF. The fields carry the constants "0", "  :  " and the empty field 7, a date text of
//   ten bytes with "/" at bytes 5 and 8, a weekday name of the locale or "？", the weather text,
//   the row's distance, fuel volume, economy and amount trimmed, a unit price that reads as an
//   integer, and the row's fuel kind and gas name.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "errors.hpp"
#include "fuel_log.hpp"
#include "fuzz_support.hpp"
#include "locale_values.hpp"
#include "log_writer.hpp"
#include "number_text.hpp"
#include "shift_jis.hpp"
#include "util.hpp"

namespace {

using rozuduzod::FuelLogState;
using rozuduzod::TextTable;
using rozuduzod::fuzz::Require;

std::vector<std::string> SplitFields(std::string_view input) {
    std::vector<std::string> fields(1);
    for (size_t at = 0; at < input.size(); ++at) {
        if (input[at] == '\n') {
            fields.emplace_back();
        } else if (input[at] == '\\' && at + 1 < input.size() && input[at + 1] == 'n') {
            fields.back() += '\n';
            ++at;
        } else {
            fields.back() += input[at];
        }
    }
    return fields;
}

struct WriterInput {
    FuelLogState state;
    rozuduzod::LocaleValues locale;
    std::string weather;
    bool destination_exists = false;
};

constexpr size_t kFirstGasNameField = 3;
constexpr size_t kFirstCellField = kFirstGasNameField + rozuduzod::kGasNameCount;

// The name a cell holds: the list's entry when the field is an index of it, else the field.
template <size_t N>
std::string NameCell(const std::string& field, const std::array<std::string, N>& names) {
    const std::optional<int32_t> index = rozuduzod::TryReadIntegerText(field);
    if (index && *index >= 1 && static_cast<size_t>(*index) <= N) {
        return names[static_cast<size_t>(*index - 1)];
    }
    return field;
}

void FillRows(WriterInput& input, const std::vector<std::string>& fields) {
    const size_t given_rows = std::max<size_t>(
        1, (fields.size() - std::min(fields.size(), kFirstCellField) + TextTable::kColumns - 1) /
               TextTable::kColumns);
    for (int row = 1; row <= input.state.LogCount; ++row) {
        const size_t first =
            kFirstCellField + static_cast<size_t>(row - 1) % given_rows * TextTable::kColumns;
        for (int column = 1; column <= TextTable::kColumns; ++column) {
            const size_t field = first + static_cast<size_t>(column - 1);
            std::string text = field < fields.size() ? fields[field] : std::string();
            if (column == rozuduzod::kGasName) {
                text = NameCell(text, input.state.GasNames);
            } else if (column == rozuduzod::kFuelKind) {
                text = NameCell(text, rozuduzod::FuelKindNames());
            }
            input.state.LogTable.At(column, row) = std::move(text);
        }
    }
}

void ReadInput(std::string_view bytes, WriterInput& input) {
    std::vector<std::string> fields = SplitFields(bytes);
    fields.resize(std::max(fields.size(), kFirstCellField));
    uint32_t count = 0;
    std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), count);
    input.state.LogCount = static_cast<int32_t>(count % (TextTable::kRows + 1));
    const std::string& options = fields[1];
    input.locale = rozuduzod::LocaleValues();
    input.locale.decimal_separator = options.find(',') != std::string::npos ? ',' : '.';
    if (options.find('j') != std::string::npos) {
        input.locale.abbreviated_day_names = {rozuduzod::Sjis("日"), rozuduzod::Sjis("月"),
                                              rozuduzod::Sjis("火"), rozuduzod::Sjis("水"),
                                              rozuduzod::Sjis("木"), rozuduzod::Sjis("金"),
                                              rozuduzod::Sjis("土")};
    }
    input.destination_exists = options.find('x') != std::string::npos;
    input.weather = fields[2];
    for (size_t name = 0; name < rozuduzod::kGasNameCount; ++name) {
        input.state.GasNames[name] = fields[kFirstGasNameField + name];
    }
    FillRows(input, fields);
}

std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t found; (found = text.find(separator, start)) != std::string_view::npos;) {
        parts.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool IsWeekdayText(std::string_view text, const rozuduzod::LocaleValues& locale) {
    const auto& names = locale.abbreviated_day_names;
    return text == rozuduzod::Sjis("？") ||
           std::find(names.begin(), names.end(), text) != names.end();
}

void CheckRecordLine(std::string_view line, int record, const WriterInput& input) {
    Require(line.find_first_of("\r\n") == std::string_view::npos,
            "a record line holds no line end of its own");
    const std::string key = rozuduzod::PadNumber(record, 3, "0") + "=";
    Require(line.starts_with(key), "a record line starts with its key");
    Require(line.ends_with(","), "a record line ends with a comma");
    const std::vector<std::string_view> fields =
        SplitAt(line.substr(key.size(), line.size() - key.size() - 1), ",");
    Require(fields.size() == 13, "a record line has 13 fields");
    const std::string_view date = fields[1];
    Require(date.size() == 10 && date[4] == '/' && date[7] == '/', "the date text is YYYY/MM/DD");
    Require(fields[0] == "0" && fields[3] == "  :  " && fields[6].empty(),
            "the constant fields are written");
    Require(IsWeekdayText(fields[2], input.locale), "the weekday is a day name or \"？\"");
    Require(fields[4] == input.weather, "the weather text is written unchanged");
    int32_t unit_price = 0;
    const std::string_view price = fields[10];
    const auto [end, error] =
        std::from_chars(price.data(), price.data() + price.size(), unit_price);
    Require(error == std::errc() && end == price.data() + price.size() && !price.empty(),
            "the unit price is an integer");
    const TextTable& table = input.state.LogTable;
    auto trimmed_cell = [&](int column) { return rozuduzod::TrimText(table.At(column, record)); };
    Require(fields[5] == trimmed_cell(rozuduzod::kDistance) &&
                fields[7] == trimmed_cell(rozuduzod::kFuelVolume) &&
                fields[8] == trimmed_cell(rozuduzod::kEconomy) &&
                fields[9] == trimmed_cell(rozuduzod::kAmount),
            "the distance, fuel volume, economy and amount are written trimmed");
    Require(fields[11] == table.At(rozuduzod::kFuelKind, record) &&
                fields[12] == table.At(rozuduzod::kGasName, record),
            "the fuel kind and the gas name are written unchanged");
}

void CheckConvertedLog(std::string_view log, const WriterInput& input) {
    Require(log.ends_with("\r\n"), "the last line ends with CR LF");
    const std::vector<std::string_view> lines = SplitAt(log.substr(0, log.size() - 2), "\r\n");
    const int32_t count = input.state.LogCount;
    Require(lines.size() == static_cast<size_t>(count) + 2, "one record line for each record");
    Require(lines[0] == "[DirazData]", "the section line comes first");
    Require(lines[1] == "DataCount=" + std::to_string(count), "the count line follows");
    for (int record = 1; record <= count; ++record) {
        CheckRecordLine(lines[static_cast<size_t>(record) + 1], record, input);
    }
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        files.push_back(entry.path());
    }
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One table for every run: each filling writes every row the writer reads, and a table of
    // 9000 texts made anew for every input would cost more than the writing.
    static WriterInput input;
    ReadInput({reinterpret_cast<const char*>(data), size}, input);

    const std::filesystem::path& directory = rozuduzod::fuzz::ScratchDirectory::Path();
    rozuduzod::fuzz::ScratchDirectory::Empty();
    const std::filesystem::path destination = directory / "Diraz00.dat";
    const std::string old_bytes = "[DirazData]\r\nDataCount=0\r\n";
    if (input.destination_exists) {
        rozuduzod::fuzz::WriteWholeFile(destination, old_bytes);
    }

    bool saved = false;
    try {
        rozuduzod::WriteConvertedLog(destination.string(), input.state, input.weather,
                                     input.locale);
        saved = true;
    } catch (const rozuduzod::Exception&) {
    }

    const std::vector<std::filesystem::path> files = FilesIn(directory);
    const bool destination_alone = files.size() == 1 && files.front() == destination;
    if (saved) {
        Require(destination_alone, "a save leaves the converted log alone in its directory");
        CheckConvertedLog(*rozuduzod::fuzz::ReadWholeFile(destination), input);
    } else if (input.destination_exists) {
        Require(destination_alone, "a failed save leaves no other file");
        Require(rozuduzod::fuzz::ReadWholeFile(destination) == old_bytes,
                "a failed save leaves the old converted log as it was");
    } else {
        Require(files.empty(), "a failed save leaves no file");
    }
    return 0;
}
