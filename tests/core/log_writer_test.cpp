#include "log_writer.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "errors.hpp"
#include "log_reader.hpp"
#include "shift_jis.hpp"
#include "temp_dir.hpp"

namespace rozuduzod {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A table row as the reader leaves it, in the order of the table's columns.
struct Row {
    std::string year = "1998";
    std::string month = "5";
    std::string day = "17";
    std::string distance = " 350.5";
    std::string fuel_volume = " 30.00";
    std::string gas_name = Sjis("中央通り");
    std::string fuel_kind = Sjis("レギュラー");
    std::string amount = "3000";
    std::string economy = "11.68";
};

void Put(FuelLogState& state, int row, const Row& texts) {
    const std::string* columns[] = {&texts.year,      &texts.month,       &texts.day,
                                    &texts.distance,  &texts.fuel_volume, &texts.gas_name,
                                    &texts.fuel_kind, &texts.amount,      &texts.economy};
    for (int column = 1; column <= 9; ++column) {
        state.LogTable.At(column, row) = *columns[column - 1];
    }
}

const std::string kFine = Sjis("晴れ");

Row ExampleSecondRow() {
    Row row;
    row.year = "1997";
    row.month = "03";
    row.day = "31";
    row.distance = " 412.0";
    row.fuel_volume = " 25.00";
    row.fuel_kind = Sjis("ハイオク");
    row.amount = "2575";
    row.economy = "16.48";
    return row;
}

class WriterTest : public ::testing::Test {
  protected:
    void PutRows(const std::vector<Row>& rows) {
        state_.LogCount = static_cast<int32_t>(rows.size());
        for (size_t k = 0; k < rows.size(); ++k) {
            Put(state_, static_cast<int>(k + 1), rows[k]);
        }
    }

    TempDir dir_;
    FuelLogState state_;
};

TEST_F(WriterTest, WritesTheTwoRecordExample) {
    PutRows({Row{}, ExampleSecondRow()});
    const std::string path = dir_.PathOf("Diraz00.dat");
    WriteConvertedLog(path, state_, WeatherText("晴れ"), LocaleValues{});
    EXPECT_EQ(Contents(path),
              Sjis("[DirazData]\r\n"
                   "DataCount=2\r\n"
                   "001=0,1998/05/17,Sun,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"
                   "\r\n"
                   "002=0,1997/03/31,Mon,  :  ,晴れ,412.0,,25.00,16.48,2575,100,ハイオク,中央通り,"
                   "\r\n"));
}

TEST_F(WriterTest, EmptyTableGivesTheTwoHeadLines) {
    Put(state_, 1, Row{});  // a row beyond LogCount is not written
    const std::string path = dir_.Write("Diraz00.dat", "earlier contents\r\n");
    WriteConvertedLog(path, state_, kFine, LocaleValues{});
    EXPECT_EQ(Contents(path), "[DirazData]\r\nDataCount=0\r\n");
}

struct LineCase {
    const char* name;
    Row row;
    std::string weather;  // UTF-8
    std::string line;     // UTF-8
};

Row With(void (*change)(Row&)) {
    Row row;
    change(row);
    return row;
}

class RecordLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(RecordLineTest, BuildsTheLine) {
    FuelLogState state;
    Put(state, 1, GetParam().row);
    state.LogCount = 1;
    EXPECT_EQ(RecordLine(state, 1, Sjis(GetParam().weather), LocaleValues{}),
              Sjis(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordLineTest,
    ::testing::Values(
        LineCase{"TieToEvenDownFromTaxChange", With([](Row& r) {
                     r.amount = "22020095";
                     r.fuel_volume = "8388608.00";
                 }),
                 "晴れ",
                 "001=0,1998/05/17,Sun,  :  ,晴れ,350.5,,8388608.00,11.68,22020095,2,レギュラー,"
                 "中央通り,"},
        LineCase{"TieToEvenUpFromTaxChange", With([](Row& r) {
                     r.amount = "30828133";
                     r.fuel_volume = "8388608.00";
                 }),
                 "晴れ",
                 "001=0,1998/05/17,Sun,  :  ,晴れ,350.5,,8388608.00,11.68,30828133,4,レギュラー,"
                 "中央通り,"},
        LineCase{"TieToEvenBeforeTaxChange", With([](Row& r) {
                     r.year = "1997";
                     r.month = "3";
                     r.day = "31";
                     r.amount = "21600665";
                     r.fuel_volume = "8388608.00";
                 }),
                 "晴れ",
                 "001=0,1997/03/31,Mon,  :  ,晴れ,350.5,,8388608.00,11.68,21600665,2,レギュラー,"
                 "中央通り,"},
        LineCase{"TaxChangeDayItself", With([](Row& r) {
                     r.year = "1997";
                     r.month = "4";
                     r.day = "1";
                     r.amount = "2575";
                     r.fuel_volume = " 25.00";
                 }),
                 "晴れ",
                 "001=0,1997/04/01,Tue,  :  ,晴れ,350.5,,25.00,11.68,2575,98,レギュラー,中央通り,"},
        LineCase{"NegativeAmount", With([](Row& r) { r.amount = "-3000"; }), "晴れ",
                 "001=0,1998/05/17,Sun,  :  ,晴れ,350.5,,30.00,11.68,-3000,-95,レギュラー,"
                 "中央通り,"},
        LineCase{"ShortYearIsBeforeTaxChange", With([](Row& r) {
                     r.year = "98";
                     r.day = "7";
                     r.amount = "2575";
                     r.fuel_volume = "25";
                 }),
                 "晴れ",
                 "001=0,0098/05/07,Wed,  :  ,晴れ,350.5,,25,11.68,2575,100,レギュラー,中央通り,"},
        LineCase{"LongYearKeepsItsLastDigits", With([](Row& r) { r.year = "19980"; }), "晴れ",
                 "001=0,9980/05/17,Sat,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"},
        LineCase{"LeadingBlankInYear", With([](Row& r) { r.year = " 1998"; }), "晴れ",
                 "001=0,1998/05/17,Sun,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"},
        LineCase{"MonthThirteen", With([](Row& r) { r.month = "13"; }), "晴れ",
                 "001=0,1998/13/17,？,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"},
        LineCase{"NegativeMonth", With([](Row& r) { r.month = "-5"; }), "晴れ",
                 "001=0,1998/-5/17,？,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"},
        LineCase{"NegativeYear", With([](Row& r) { r.year = "-5"; }), "晴れ",
                 "001=0,00-5/05/17,？,  :  ,晴れ,350.5,,30.00,11.68,3000,97,レギュラー,中央通り,"},
        LineCase{"WeatherUntrimmed", Row{}, " 曇り ",
                 "001=0,1998/05/17,Sun,  :  , 曇り ,350.5,,30.00,11.68,3000,95,レギュラー,"
                 "中央通り,"},
        LineCase{"WeatherEmpty", Row{}, "",
                 "001=0,1998/05/17,Sun,  :  ,,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"},
        LineCase{"NamesUntrimmedAmountTrimmed", With([](Row& r) {
                     r.amount = " 3000 ";
                     r.gas_name = Sjis(" 中央 ");
                     r.fuel_kind = "";
                 }),
                 "晴れ", "001=0,1998/05/17,Sun,  :  ,晴れ,350.5,,30.00,11.68,3000,95,, 中央 ,"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(RecordLine, ThousandthRecordHasKeyZeroZeroZero) {
    FuelLogState state;
    Put(state, 1000, Row{});
    state.LogCount = 1000;
    EXPECT_EQ(RecordLine(state, 1000, Sjis("晴れ"), LocaleValues{}),
              Sjis("000=0,1998/05/17,Sun,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,"
                   "中央通り,"));
}

TEST(RecordLine, UsesTheLocaleDayNames) {
    FuelLogState state;
    Put(state, 1, Row{});
    LocaleValues locale;
    locale.abbreviated_day_names[0] = Sjis("日");
    EXPECT_EQ(
        RecordLine(state, 1, kFine, locale),
        Sjis("001=0,1998/05/17,日,  :  ,晴れ,350.5,,30.00,11.68,3000,95,レギュラー,中央通り,"));
}

TEST(RecordLine, ReadsNumbersWithTheLocaleSeparatorButRefusesToWriteIt) {
    FuelLogState state;
    Row row;
    row.distance = " 350,5";
    row.fuel_volume = " 30,00";
    row.economy = "11,68";
    row.amount = "3000,0";
    Put(state, 1, row);
    LocaleValues locale;
    locale.decimal_separator = ',';
    // Written as they are, these numbers would split their fields: the save stops at the first.
    try {
        RecordLine(state, 1, kFine, locale);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(),
                  FormatMessage(Sjis("'%s' にはｶﾝﾏや改行を含められません"), "350,5"));
    }
    state.LogTable.At(kDistance, 1) = " 350";
    state.LogTable.At(kFuelVolume, 1) = " 30";
    state.LogTable.At(kEconomy, 1) = "11";
    // The amount is read as a number first, with the comma as its decimal separator.
    try {
        RecordLine(state, 1, kFine, locale);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(),
                  FormatMessage(Sjis("'%s' にはｶﾝﾏや改行を含められません"), "3000,0"));
    }
}

struct FailureCase {
    const char* name;
    Row row;
    std::string weather;  // Shift-JIS
    std::type_index type;
    std::string message;
};

class WriteFailureTest : public WriterTest, public ::testing::WithParamInterface<FailureCase> {};

// The failing record comes second, after one that could be written: nothing is.
TEST_P(WriteFailureTest, LeavesTheDestinationAsItWas) {
    const FailureCase& failure = GetParam();
    PutRows({Row{}, failure.row});
    const std::string earlier = "[DirazData]\r\nDataCount=0\r\nearlier\r\n";
    const std::string path = dir_.Write("Diraz00.dat", earlier);
    try {
        WriteConvertedLog(path, state_, failure.weather, LocaleValues{});
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(std::type_index(typeid(error)), failure.type);
        EXPECT_EQ(error.Message(), failure.message);
    }
    EXPECT_EQ(Contents(path), earlier);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"Diraz00.dat"});
    // A failed save leaves nothing behind that hinders the next one.
    Put(state_, 2, Row{});
    WriteConvertedLog(path, state_, kFine, LocaleValues{});
    EXPECT_EQ(Contents(path).substr(0, 26), "[DirazData]\r\nDataCount=2\r\n");
}

const std::type_index kConvert = typeid(EConvertError);

std::string Unsavable(const std::string& text) {
    return FormatMessage(Sjis("'%s' にはｶﾝﾏや改行を含められません"), text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteFailureTest,
    ::testing::Values(FailureCase{"YearTrailingBlank", With([](Row& r) { r.year = "1998 "; }),
                                  kFine, kConvert, Sjis("'1998 ' は整数ではありません")},
                      FailureCase{"YearEmpty", With([](Row& r) { r.year = ""; }), kFine, kConvert,
                                  Sjis("'' は整数ではありません")},
                      FailureCase{"DayNoNumber", With([](Row& r) { r.day = "x"; }), kFine, kConvert,
                                  Sjis("'x' は整数ではありません")},
                      FailureCase{"VolumeZero", With([](Row& r) { r.fuel_volume = " 0.00"; }),
                                  kFine, typeid(EZeroDivide), Sjis("0 による浮動小数点数除算")},
                      FailureCase{"VolumeAndAmountZero", With([](Row& r) {
                                      r.fuel_volume = " 0.00";
                                      r.amount = "0";
                                  }),
                                  kFine, typeid(EInvalidOp), Sjis("不正な浮動小数点数演算命令")},
                      FailureCase{"AmountWithThousandsSeparator",
                                  With([](Row& r) { r.amount = "3,000"; }), kFine, kConvert,
                                  Sjis("'3,000' は浮動小数点数ではありません")},
                      FailureCase{"VolumeNoNumber", With([](Row& r) { r.fuel_volume = ""; }), kFine,
                                  kConvert, Sjis("'' は浮動小数点数ではありません")},
                      FailureCase{"UnitPriceBeyondInt32", With([](Row& r) {
                                      r.amount = "3000000000";
                                      r.fuel_volume = "  1.00";
                                  }),
                                  kFine, typeid(EInvalidOp), Sjis("不正な浮動小数点数演算命令")},
                      FailureCase{"WeatherWithComma", Row{}, Sjis("晴れ,曇り"), kConvert,
                                  Unsavable(Sjis("晴れ,曇り"))},
                      FailureCase{"WeatherWithLineEnd", Row{}, Sjis("晴れ\r\n"), kConvert,
                                  Unsavable(Sjis("晴れ\r\n"))},
                      FailureCase{"GasNameWithLineFeed", With([](Row& r) { r.gas_name = "A\nB"; }),
                                  kFine, kConvert, Unsavable("A\nB")},
                      FailureCase{"GasNameWithComma", With([](Row& r) { r.gas_name = "A,B"; }),
                                  kFine, kConvert, Unsavable("A,B")},
                      FailureCase{"FuelKindWithCarriageReturn",
                                  With([](Row& r) { r.fuel_kind = "A\r"; }), kFine, kConvert,
                                  Unsavable("A\r")},
                      FailureCase{"AmountWithCommaAfterZeroByte",
                                  With([](Row& r) { r.amount = std::string("3000\0,5", 7); }),
                                  kFine, kConvert, Unsavable(std::string("3000\0,5", 7))}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(WeatherText, IsTheShiftJisOfTheTypedText) {
    EXPECT_EQ(WeatherText("晴れ"), Sjis("晴れ"));
    EXPECT_EQ(WeatherText(""), "");
    try {
        WeatherText("晴れ\xF0\x9F\x8C\x9E");  // a sun emoji
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), Sjis("天気に Shift-JIS で表せない文字があります"));
    }
}

// The sample log, read and converted with the fallback day names.
TEST_F(WriterTest, ConvertsTheSampleLog) {
    class IgnoredGrid : public CellSink {
        void SetCell(int, int, const std::string&) override {}
        void SetRowCount(int) override {}
    } grid;
    ReadGasNames(ROZUDUZOD_EXAMPLES_DIR "/gas.dat", state_.GasNames);
    ReadSourceLog(ROZUDUZOD_EXAMPLES_DIR "/Ruviz.dat", state_, grid, LocaleValues{});
    const std::string path = dir_.PathOf("Diraz00.dat");
    WriteConvertedLog(path, state_, WeatherText("晴れ"), LocaleValues{});
    EXPECT_EQ(Contents(path), Contents(ROZUDUZOD_EXAMPLES_DIR "/Diraz00.expected.dat"));
}

}  // namespace
}  // namespace rozuduzod
