#pragma once
// The header row of the grid that shows the fuel log: the record number, then the nine columns.

#include <array>
#include <string>

#include "shift_jis.hpp"

namespace rozuduzod {

inline constexpr int kGridColumnCount = 10;

// Shift-JIS texts of row 0, columns 0 to 9.
inline const std::array<std::string, kGridColumnCount>& GridHeaderTexts() {
    static const std::array<std::string, kGridColumnCount> texts = {
        Sjis("No"),     Sjis("年"),       Sjis("月"),       Sjis("日"),   Sjis("距離"),
        Sjis("給油量"), Sjis("ガソリン"), Sjis("スタンド"), Sjis("金額"), Sjis("燃費")};
    return texts;
}

}  // namespace rozuduzod
