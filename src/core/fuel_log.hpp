#pragma once
// The fuel log held in memory between opening a source log and saving the converted log.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rozuduzod {

enum LogColumn : int {
    kYear = 1,
    kMonth,
    kDay,
    kDistance,
    kFuelVolume,
    kGasName,
    kFuelKind,
    kAmount,
    kEconomy,
};

// Texts by column 1..9 and row 1..1000.
class TextTable {
  public:
    static constexpr int kColumns = 9;
    static constexpr int kRows = 1000;

    std::string& At(int column, int row);
    const std::string& At(int column, int row) const;

  private:
    static size_t IndexOf(int column, int row);
    std::vector<std::string> cells_ = std::vector<std::string>(size_t{kColumns} * kRows);
};

inline constexpr int kGasNameCount = 10;
inline constexpr int kFuelKindCount = 3;

struct FuelLogState {
    TextTable LogTable;
    // Records the last open started.
    int32_t LogCount = 0;
    // GasNames[k - 1] is gas name k, in Shift-JIS.
    std::array<std::string, kGasNameCount> GasNames;
};

// FuelKindNames()[k - 1] is fuel kind k in Shift-JIS: "レギュラー", "ハイオク", "軽油".
const std::array<std::string, kFuelKindCount>& FuelKindNames();

// The gas name list's default file, looked up in the current directory.
inline constexpr const char* kGasListFileName = "gas.dat";

// Reads the first ten lines of a gas name list into `names`, unchanged. On an error the names
// read so far stay and EInOutError is raised.
void ReadGasNames(const std::string& path, std::array<std::string, kGasNameCount>& names);

}  // namespace rozuduzod
