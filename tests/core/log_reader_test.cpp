#include "log_reader.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "errors.hpp"
#include "shift_jis.hpp"
#include "temp_dir.hpp"

namespace rozuduzod {
namespace {

// The grid as the window keeps it: every cell text set, and the rows shown.
class RecordingSink : public CellSink {
  public:
    void SetCell(int column, int row, const std::string& text) override {
        cells[{column, row}] = text;
    }
    void SetRowCount(int count) override { row_count = count; }

    std::string Cell(int column, int row) const {
        auto found = cells.find({column, row});
        return found == cells.end() ? std::string() : found->second;
    }

    std::map<std::pair<int, int>, std::string> cells;
    int row_count = 100;  // the grid's rows after start-up
};

using Lines = std::vector<std::string>;
// Texts of grid columns 0..9 of a row, which the table holds in columns 1..9.
using RowTexts = std::vector<std::string>;

std::string Join(const Lines& lines, const std::string& line_end) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + line_end;
    }
    return bytes;
}

const std::string kRegular = Sjis("レギュラー");
const std::string kHighOctane = Sjis("ハイオク");
const std::string kDiesel = Sjis("軽油");
const std::string kCentral = Sjis("中央通り");

// Two records in their nine lines, and the rows they give.
const Lines kRecord1 = {"1998", "5", "17", "350.5", "30", "1", "1", "3000", "11.7"};
const Lines kRecord2 = {"1997", "03", "31", " 412 ", "25.004", "2", "2", "2575", "16.5"};
const RowTexts kRow1 = {"1",      "1998",   "5",      "17",   " 350.5",
                        " 30.00", kCentral, kRegular, "3000", "11.68"};
const RowTexts kRow2 = {"2",      "1997", "03",        "31",   " 412.0",
                        " 25.00", "East", kHighOctane, "2575", "16.48"};
const RowTexts kOldRow = {"old", "old", "old", "old", "old", "old", "old", "old", "old", "old"};

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Record 1 with some of its lines (1..9) replaced.
Lines Record1With(const std::vector<std::pair<int, std::string>>& changes) {
    Lines lines = kRecord1;
    for (const auto& [position, text] : changes) {
        lines[static_cast<size_t>(position - 1)] = text;
    }
    return lines;
}

// A started row: its number, the given texts from column 1 on, the rest empty.
RowTexts Started(int number, std::initializer_list<std::string> texts) {
    RowTexts row = {std::to_string(number)};
    row.insert(row.end(), texts);
    row.resize(10);
    return row;
}

// Rows of an earlier file stand in rows 1..4, to see which cells a read replaces.
constexpr int kEarlierRows = 4;

class ReaderTest : public ::testing::Test {
  protected:
    ReaderTest() {
        state_.GasNames = {kCentral, "East", "West", "North", "", "", "", "", "", "Tenth"};
        state_.LogCount = kEarlierRows;
        for (int row = 1; row <= kEarlierRows; ++row) {
            for (int column = 0; column <= 9; ++column) {
                grid_.SetCell(column, row, "old");
                if (column > 0) {
                    state_.LogTable.At(column, row) = "old";
                }
            }
        }
        grid_.SetRowCount(kEarlierRows + 1);
    }

    void Read(const std::string& bytes, const LocaleValues& locale = LocaleValues{}) {
        ReadSourceLog(dir_.Write("Ruviz.dat", bytes), state_, grid_, locale);
    }

    // Reads the bytes expecting an error; its message, or "" without one.
    std::string ReadFailing(const std::string& bytes, std::type_index expected_type) {
        try {
            Read(bytes);
        } catch (const Exception& error) {
            EXPECT_EQ(std::type_index(typeid(error)), expected_type);
            return error.Message();
        }
        ADD_FAILURE() << "no error";
        return {};
    }

    // The row as the grid shows it, checked to be what the table holds.
    RowTexts Row(int row) const {
        RowTexts texts = {grid_.Cell(0, row)};
        for (int column = 1; column <= 9; ++column) {
            texts.push_back(grid_.Cell(column, row));
            EXPECT_EQ(state_.LogTable.At(column, row), texts.back())
                << "column " << column << ", row " << row;
        }
        return texts;
    }

    void ExpectEarlierRowsFrom(int first_row) const {
        for (int row = first_row; row <= kEarlierRows; ++row) {
            EXPECT_EQ(Row(row), kOldRow) << "row " << row;
        }
    }

    TempDir dir_;
    FuelLogState state_;
    RecordingSink grid_;
};

struct FileShapeCase {
    const char* name;
    std::string bytes;
    std::vector<RowTexts> rows;  // rows 1..LogCount
    int row_count;
};

class FileShapeTest : public ReaderTest, public ::testing::WithParamInterface<FileShapeCase> {};

TEST_P(FileShapeTest, FillsRowsRecordByRecord) {
    const FileShapeCase& shape = GetParam();
    Read(shape.bytes);
    ASSERT_EQ(state_.LogCount, static_cast<int>(shape.rows.size()));
    EXPECT_EQ(grid_.row_count, shape.row_count);
    for (int row = 1; row <= state_.LogCount; ++row) {
        EXPECT_EQ(Row(row), shape.rows[static_cast<size_t>(row - 1)]) << "row " << row;
    }
    ExpectEarlierRowsFrom(state_.LogCount + 1);
}

const std::string kTwoRecordsCrLf = Join(Concat({kRecord1, kRecord2}), "\r\n");

INSTANTIATE_TEST_SUITE_P(
    Files, FileShapeTest,
    ::testing::Values(
        FileShapeCase{"Empty", "", {}, kEarlierRows + 1},
        FileShapeCase{"CtrlZFirst", "\x1A" + kTwoRecordsCrLf, {}, kEarlierRows + 1},
        FileShapeCase{"CrLf", kTwoRecordsCrLf, {kRow1, kRow2}, 3},
        FileShapeCase{"CrOnly", Join(Concat({kRecord1, kRecord2}), "\r"), {kRow1, kRow2}, 3},
        FileShapeCase{"EighteenLinesWithoutFinalLineEnd",
                      kTwoRecordsCrLf.substr(0, kTwoRecordsCrLf.size() - 2),
                      {kRow1, kRow2},
                      3},
        FileShapeCase{
            "EmptyLastLine", kTwoRecordsCrLf + "\r\n", {kRow1, kRow2, Started(3, {""})}, 4},
        FileShapeCase{
            "LineFeedsOnly", Join(kRecord1, "\n"), {Started(1, {Join(kRecord1, "\n")})}, 2},
        FileShapeCase{
            "EndsAfterLineFiveOfRecordTwo",
            Join(Concat({kRecord1, Lines(kRecord2.begin(), kRecord2.begin() + 5)}), "\r\n"),
            {kRow1, Started(2, {"1997", "03", "31", " 412.0", " 25.00"})},
            3},
        FileShapeCase{"CtrlZInsideLineTwoOfRecordTwo",
                      Join(kRecord1, "\r\n") + "1997\r\n0\x1A"
                                               "3\r\n31\r\n",
                      {kRow1, Started(2, {"1997", "0"})},
                      3}),
    [](const ::testing::TestParamInfo<FileShapeCase>& info) { return info.param.name; });

struct ValueCase {
    const char* name;
    std::vector<std::pair<int, std::string>> lines;    // lines of record 1 replaced
    std::vector<std::pair<int, std::string>> columns;  // texts expected in these columns
};

class ValueTest : public ReaderTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueTest, StoresTheConvertedValue) {
    Read(Join(Record1With(GetParam().lines), "\r\n"));
    ASSERT_EQ(state_.LogCount, 1);
    const RowTexts row = Row(1);
    for (const auto& [column, text] : GetParam().columns) {
        EXPECT_EQ(row[static_cast<size_t>(column)], text) << "column " << column;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ValueTest,
    ::testing::Values(ValueCase{"RawLinesAsRead",
                                {{1, " 98 "}, {2, "x"}, {3, ""}, {8, "3,000"}},
                                {{1, " 98 "}, {2, "x"}, {3, ""}, {8, "3,000"}}},
                      ValueCase{"SpacesAroundNumbers",
                                {{4, " 35.2 "}, {5, "  7 "}},
                                {{4, "  35.2"}, {5, "  7.00"}}},
                      ValueCase{"RoundedBeforeTheEconomy",
                                {{4, "99.96"}, {5, "10.004"}},
                                {{4, " 100.0"}, {5, " 10.00"}, {9, "10.00"}}},
                      ValueCase{"WideValuesAreNotCut",
                                {{4, "12345.67"}, {5, "1e-2"}},
                                {{4, "12345.7"}, {5, "  0.01"}, {9, "1234570.00"}}},
                      ValueCase{"GasIndexWithLeadingBlank", {{6, " 3"}}, {{6, "West"}}},
                      ValueCase{"GasIndexWithPlus", {{6, "+3"}}, {{6, "West"}}},
                      ValueCase{"GasIndexWithLeadingZero", {{6, "03"}}, {{6, "West"}}},
                      ValueCase{"GasIndexInHex", {{6, "$A"}}, {{6, "Tenth"}}},
                      ValueCase{"GasIndexOfAnEmptyName", {{6, "5"}}, {{6, ""}}},
                      ValueCase{"GasIndexZero", {{6, "0"}}, {{6, ""}}},
                      ValueCase{"GasIndexEleven", {{6, "11"}}, {{6, ""}}},
                      ValueCase{"GasIndexNegative", {{6, "-1"}}, {{6, ""}}},
                      ValueCase{"FuelKindHighOctane", {{7, "2"}}, {{7, kHighOctane}}},
                      ValueCase{"FuelKindDiesel", {{7, "3"}}, {{7, kDiesel}}},
                      ValueCase{"FuelKindFour", {{7, "4"}}, {{7, ""}}},
                      ValueCase{"FuelKindZero", {{7, "0"}}, {{7, ""}}},
                      ValueCase{"FuelKindHuge", {{7, "$FFFFFFFF"}}, {{7, ""}}}),
    [](const ::testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

struct ErrorCase {
    const char* name;
    std::vector<std::pair<int, std::string>> lines;  // lines of record 1 replaced
    std::type_index type;
    std::string message;
    int failing_column;
};

bool IsReplaced(const std::vector<std::pair<int, std::string>>& lines, int position) {
    return std::ranges::any_of(lines, [&](const auto& line) { return line.first == position; });
}

class ErrorTest : public ReaderTest, public ::testing::WithParamInterface<ErrorCase> {};

// The record counts, its cells before the failing one hold their new texts and the others are
// empty, not the earlier file's.
TEST_P(ErrorTest, StopsAtTheFailingLine) {
    const ErrorCase& failure = GetParam();
    EXPECT_EQ(
        ReadFailing(Join(Concat({Record1With(failure.lines), kRecord2}), "\r\n"), failure.type),
        failure.message);
    ASSERT_EQ(state_.LogCount, 1);
    EXPECT_EQ(grid_.row_count, 2);
    const RowTexts row = Row(1);
    for (int column = 0; column < failure.failing_column; ++column) {
        if (!IsReplaced(failure.lines, column)) {
            EXPECT_EQ(row[static_cast<size_t>(column)], kRow1[static_cast<size_t>(column)])
                << "column " << column;
        }
    }
    for (int column = failure.failing_column; column <= 9; ++column) {
        EXPECT_EQ(row[static_cast<size_t>(column)], "") << "column " << column;
    }
    ExpectEarlierRowsFrom(2);
}

const std::type_index kConvert = typeid(EConvertError);

std::string NotDecimal(const std::string& text) {
    return Sjis("'") + text + Sjis("' は浮動小数点数ではありません");
}
std::string NotInteger(const std::string& text) {
    return Sjis("'") + text + Sjis("' は整数ではありません");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ErrorTest,
    ::testing::Values(
        ErrorCase{"DistanceWithComma", {{4, "35,2"}}, kConvert, NotDecimal("35,2"), 4},
        ErrorCase{"DistanceFullWidth", {{4, Sjis("３５")}}, kConvert, NotDecimal(Sjis("３５")), 4},
        ErrorCase{"DistanceAfterTab", {{4, "\t35"}}, kConvert, NotDecimal("\t35"), 4},
        ErrorCase{"VolumeEmpty", {{5, ""}}, kConvert, NotDecimal(""), 5},
        ErrorCase{"VolumeBlanks", {{5, "  "}}, kConvert, NotDecimal("  "), 5},
        ErrorCase{"GasIndexTrailingBlank", {{6, "3 "}}, kConvert, NotInteger("3 "), 6},
        ErrorCase{"GasIndexDecimal", {{6, "3.0"}}, kConvert, NotInteger("3.0"), 6},
        ErrorCase{"FuelKindEmpty", {{7, ""}}, kConvert, NotInteger(""), 7},
        ErrorCase{
            "FuelKindWord", {{7, Sjis("ハイオク")}}, kConvert, NotInteger(Sjis("ハイオク")), 7},
        ErrorCase{"VolumeRoundedToZero",
                  {{5, "0.004"}},
                  typeid(EZeroDivide),
                  Sjis("0 による浮動小数点数除算"),
                  9},
        ErrorCase{"DistanceAndVolumeZero",
                  {{4, "0.04"}, {5, "0"}},
                  typeid(EInvalidOp),
                  Sjis("不正な浮動小数点数演算命令"),
                  9}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

TEST_F(ReaderTest, ZeroVolumeShowsTheRowUpToTheAmount) {
    ReadFailing(Join(Record1With({{4, "0.04"}, {5, "0"}}), "\r\n"), typeid(EInvalidOp));
    EXPECT_EQ(Row(1),
              Started(1, {"1998", "5", "17", "   0.0", "  0.00", kCentral, kRegular, "3000"}));
}

TEST_F(ReaderTest, UsesTheLocaleDecimalSeparator) {
    LocaleValues locale;
    locale.decimal_separator = ',';
    Read(Join(Record1With({{4, "350,5"}, {5, " 30 "}}), "\r\n"), locale);
    const RowTexts row = Row(1);
    EXPECT_EQ(row[4], " 350,5");
    EXPECT_EQ(row[5], " 30,00");
    EXPECT_EQ(row[9], "11,68");
    EXPECT_THROW(Read(Join(kRecord1, "\r\n"), locale), EConvertError);  // "350.5"
}

std::string Records(int count) {
    std::string bytes;
    for (int record = 1; record <= count; ++record) {
        bytes += Join(Record1With({{8, std::to_string(record)}}), "\r\n");
    }
    return bytes;
}

TEST_F(ReaderTest, ReadsAThousandRecords) {
    Read(Records(1000));
    EXPECT_EQ(state_.LogCount, 1000);
    EXPECT_EQ(grid_.row_count, 1001);
    EXPECT_EQ(Row(1000)[0], "1000");
    EXPECT_EQ(Row(1000)[8], "1000");
}

TEST_F(ReaderTest, StopsBeforeRecordOneThousandAndOne) {
    EXPECT_EQ(ReadFailing(Records(1000) + "1998\r\n", kConvert),
              Sjis("ﾚｺｰﾄﾞ数が 1000 件を超えています"));
    EXPECT_EQ(state_.LogCount, 1000);
    EXPECT_EQ(grid_.row_count, 1001);
    EXPECT_EQ(Row(1000)[9], "11.68");
    EXPECT_FALSE(grid_.cells.contains({0, 1001}));
}

TEST_F(ReaderTest, SecondOpenOfAShorterFileKeepsHiddenRows) {
    Read(Join(Concat({kRecord1, kRecord2, kRecord1}), "\r\n"));
    ASSERT_EQ(state_.LogCount, 3);
    Read(Join(kRecord2, "\r\n"));
    EXPECT_EQ(state_.LogCount, 1);
    EXPECT_EQ(grid_.row_count, 2);
    RowTexts renumbered = kRow2;
    renumbered[0] = "1";
    EXPECT_EQ(Row(1), renumbered);
    EXPECT_EQ(Row(2), kRow2);
    RowTexts third = kRow1;
    third[0] = "3";
    EXPECT_EQ(Row(3), third);
}

TEST_F(ReaderTest, MissingFileLeavesTheGridAndEmptiesTheLog) {
    Read(kTwoRecordsCrLf);
    const RecordingSink shown = grid_;
    try {
        ReadSourceLog(dir_.PathOf("missing.dat"), state_, grid_, LocaleValues{});
        FAIL() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Code(), io_code::kFileNotFound);
        EXPECT_EQ(error.Message(), Sjis("ﾌｧｲﾙが見つかりません"));
    }
    EXPECT_EQ(state_.LogCount, 0);
    EXPECT_EQ(grid_.cells, shown.cells);
    EXPECT_EQ(grid_.row_count, shown.row_count);
    EXPECT_EQ(Row(2), kRow2);
}

TEST_F(ReaderTest, ReadsTheSampleLog) {
    ReadGasNames(ROZUDUZOD_EXAMPLES_DIR "/gas.dat", state_.GasNames);
    ReadSourceLog(ROZUDUZOD_EXAMPLES_DIR "/Ruviz.dat", state_, grid_, LocaleValues{});
    EXPECT_EQ(state_.LogCount, 12);
    EXPECT_EQ(grid_.row_count, 13);
    for (int row = 1; row <= state_.LogCount; ++row) {
        for (int column = 1; column <= 9; ++column) {
            EXPECT_FALSE(Row(row)[static_cast<size_t>(column)].empty()) << column << ", " << row;
        }
    }
}

}  // namespace
}  // namespace rozuduzod
