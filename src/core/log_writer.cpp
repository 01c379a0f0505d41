#include "log_writer.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "dates.hpp"
#include "errors.hpp"
#include "extended.hpp"
#include "number_text.hpp"
#include "shift_jis.hpp"
#include "text_file.hpp"
#include "util.hpp"

namespace rozuduzod {
namespace {

// The consumption tax rose on 1 April 1997; unit prices are written without it.
inline constexpr std::string_view kTaxChangeDateText = "1997/04/01";
inline constexpr float kTaxFactorBeforeChange = 1.03f;
inline constexpr float kTaxFactorFromChange = 1.05f;

// Date texts are compared byte by byte as unsigned values, a shorter beginning first.
bool IsBytewiseLess(std::string_view a, std::string_view b) {
    return std::ranges::lexicographical_compare(
        a, b, {}, [](char byte) { return static_cast<unsigned char>(byte); },
        [](char byte) { return static_cast<unsigned char>(byte); });
}

float TaxFactorOf(std::string_view date_text) {
    return IsBytewiseLess(date_text, kTaxChangeDateText) ? kTaxFactorBeforeChange
                                                         : kTaxFactorFromChange;
}

// Record lines are neither quoted nor escaped, so a text written as it is must not bring its own
// field or line separators.
std::string_view FieldText(std::string_view text) {
    if (text.find_first_of(",\r\n") != std::string_view::npos) {
        throw EConvertError(FormatMessage(Sjis("'%s' にはｶﾝﾏや改行を含められません"), text));
    }
    return text;
}

// "YYYY/MM/DD" of the row's date cells, read as integers.
std::string DateTextOf(const TextTable& table, int row) {
    const int32_t year = ReadIntegerText(table.At(kYear, row));
    const int32_t month = ReadIntegerText(table.At(kMonth, row));
    const int32_t day = ReadIntegerText(table.At(kDay, row));
    return PadNumber(year, 4, "0") + "/" + PadNumber(month, 2, "0") + "/" + PadNumber(day, 2, "0");
}

std::string WeekdayTextOf(const std::string& date_text, const LocaleValues& locale) {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;
    SplitDateText(date_text, year, month, day);
    std::string weekday;
    WeekdayText(year, month, day, weekday, locale);
    return weekday;
}

// The price of a unit of fuel without consumption tax.
int32_t UnitPriceOf(const TextTable& table, int row, float tax_factor, char decimal_separator) {
    const long double amount = ReadDecimalText(table.At(kAmount, row), decimal_separator);
    const long double volume = ReadDecimalText(table.At(kFuelVolume, row), decimal_separator);
    const long double gross = DivideExtended(amount, volume);
    return RoundToInt32(DivideExtended(gross, static_cast<long double>(tax_factor)));
}

}  // namespace

std::string WeatherText(std::string_view utf8) {
    std::optional<std::string> weather = Utf8ToShiftJis(utf8);
    if (!weather) {
        throw EConvertError(Sjis("天気に Shift-JIS で表せない文字があります"));
    }
    return std::move(*weather);
}

std::string RecordLine(const FuelLogState& state, int record, std::string_view weather,
                       const LocaleValues& locale) {
    const TextTable& table = state.LogTable;
    std::string line = PadNumber(record, 3, "0") + "=0,";
    const std::string date_text = DateTextOf(table, record);
    const float tax_factor = TaxFactorOf(date_text);
    const std::string weekday = WeekdayTextOf(date_text, locale);
    line += date_text + "," + weekday + ",  :  ,";
    line.append(FieldText(weather)).append(",");
    // Number texts hold a comma where the locale's decimal separator is one.
    line.append(FieldText(TrimText(table.At(kDistance, record)))).append(",,");
    line.append(FieldText(TrimText(table.At(kFuelVolume, record)))).append(",");
    line.append(FieldText(TrimText(table.At(kEconomy, record)))).append(",");
    const std::string_view amount = TrimText(table.At(kAmount, record));
    const int32_t unit_price = UnitPriceOf(table, record, tax_factor, locale.decimal_separator);
    // An amount that is no number is reported as such before its separators are.
    line.append(FieldText(amount)).append(",");
    line += std::to_string(unit_price) + ",";
    line.append(FieldText(table.At(kFuelKind, record))).append(",");
    line.append(FieldText(table.At(kGasName, record))).append(",");
    return line;
}

void WriteConvertedLog(const std::string& path, const FuelLogState& state, std::string_view weather,
                       const LocaleValues& locale) {
    AtomicTextFileWriter file(path);
    file.WriteLine("[DirazData]");
    const int32_t count = state.LogCount;
    file.WriteLine("DataCount=" + std::to_string(count));
    for (int record = 1; record <= count; ++record) {
        file.WriteLine(RecordLine(state, record, weather, locale));
    }
    file.Commit();
}

}  // namespace rozuduzod
