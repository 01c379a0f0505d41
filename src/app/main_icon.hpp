#pragma once
// The program's icon, a 32 x 32 picture of a fuel pump in the 16 standard colours.

#include <QIcon>

namespace rozuduzod {

QIcon MainIcon();

}  // namespace rozuduzod
