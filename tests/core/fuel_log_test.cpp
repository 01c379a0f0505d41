#include "fuel_log.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "errors.hpp"
#include "shift_jis.hpp"
#include "temp_dir.hpp"

namespace rozuduzod {
namespace {

TEST(TextTable, CellsAreEmptyAtStartAndDistinct) {
    TextTable table;
    for (int row = 1; row <= TextTable::kRows; ++row) {
        for (int column = 1; column <= TextTable::kColumns; ++column) {
            ASSERT_TRUE(table.At(column, row).empty()) << column << ", " << row;
        }
    }
    table.At(1, 1) = "first";
    table.At(9, 1) = "end of row 1";
    table.At(1, 2) = "row 2";
    table.At(9, 1000) = "last";
    const TextTable& read_only = table;
    EXPECT_EQ(read_only.At(1, 1), "first");
    EXPECT_EQ(read_only.At(9, 1), "end of row 1");
    EXPECT_EQ(read_only.At(1, 2), "row 2");
    EXPECT_EQ(read_only.At(9, 1000), "last");
    EXPECT_TRUE(read_only.At(2, 1).empty());
}

TEST(TextTable, RefusesCellsOutsideTheTable) {
    TextTable table;
    const TextTable& read_only = table;
    for (auto [column, row] : {std::pair{0, 1}, {10, 1}, {1, 0}, {1, 1001}, {-1, -1}}) {
        EXPECT_THROW(table.At(column, row), std::out_of_range) << column << ", " << row;
        EXPECT_THROW(read_only.At(column, row), std::out_of_range) << column << ", " << row;
    }
}

TEST(FuelKindNames, AreTheThreeKindsInShiftJis) {
    EXPECT_EQ(FuelKindNames()[0], "\x83\x8C\x83\x4D\x83\x85\x83\x89\x81\x5B");  // レギュラー
    EXPECT_EQ(FuelKindNames()[1], Sjis("ハイオク"));
    EXPECT_EQ(FuelKindNames()[2], Sjis("軽油"));
}

struct GasListCase {
    const char* name;
    std::string bytes;
    std::array<std::string, kGasNameCount> expected;
};

class GasListTest : public ::testing::TestWithParam<GasListCase> {};

TEST_P(GasListTest, TakesTheFirstTenLinesUnchanged) {
    TempDir dir;
    std::array<std::string, kGasNameCount> names;
    names.fill("before");
    ReadGasNames(dir.Write("gas.dat", GetParam().bytes), names);
    EXPECT_EQ(names, GetParam().expected);
}

std::string Twelve(const char* line_end) {
    std::string bytes;
    for (int k = 1; k <= 12; ++k) {
        bytes += "Gas" + std::to_string(k) + line_end;
    }
    return bytes;
}

const std::string kCentral = Sjis("中央通り");

INSTANTIATE_TEST_SUITE_P(
    Files, GasListTest,
    ::testing::Values(
        GasListCase{"Empty", "", {}},
        GasListCase{"ThreeLines", kCentral + "\r\nEast\r\nWest\r\n", {kCentral, "East", "West"}},
        GasListCase{"ThreeLinesLastWithoutLineEnd", "A\r\nB\r\nC", {"A", "B", "C"}},
        GasListCase{
            "TwelveLines",
            Twelve("\r\n"),
            {"Gas1", "Gas2", "Gas3", "Gas4", "Gas5", "Gas6", "Gas7", "Gas8", "Gas9", "Gas10"}},
        GasListCase{
            "LoneCarriageReturns",
            Twelve("\r"),
            {"Gas1", "Gas2", "Gas3", "Gas4", "Gas5", "Gas6", "Gas7", "Gas8", "Gas9", "Gas10"}},
        GasListCase{"BlanksKept",
                    "  A B  \r\n\r\n\x81\x40"
                    "C\r\n",
                    {"  A B  ", "",
                     "\x81\x40"
                     "C"}},
        GasListCase{"LineFeedsOnly", "A\nB\nC\n", {"A\nB\nC\n"}},
        GasListCase{"LineFeedsUpToCtrlZ", "A\nB\x1A\nC\r\n", {"A\nB"}},
        GasListCase{"CtrlZAfterSecondLine",
                    "A\r\nB\r\n\x1A"
                    "C\r\nD\r\n",
                    {"A", "B"}}),
    [](const ::testing::TestParamInfo<GasListCase>& info) { return info.param.name; });

TEST(GasList, MissingFileKeepsTheNames) {
    TempDir dir;
    std::array<std::string, kGasNameCount> names;
    names.fill("kept");
    try {
        ReadGasNames(dir.PathOf("gas.dat"), names);
        FAIL() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Code(), io_code::kFileNotFound);
        EXPECT_EQ(error.Message(), Sjis("ﾌｧｲﾙが見つかりません"));
    }
    for (const std::string& name : names) {
        EXPECT_EQ(name, "kept");
    }
}

}  // namespace
}  // namespace rozuduzod
