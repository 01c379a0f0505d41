#pragma once
// The typeface the window was designed with.

#include <QFont>

namespace rozuduzod {

// "ＭＳ Ｐゴシック" at a character height of 12 pixels, else a Japanese proportional Gothic face.
QFont FormFont();

}  // namespace rozuduzod
