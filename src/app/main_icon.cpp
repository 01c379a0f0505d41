#include "main_icon.hpp"

#include <QString>

// The picture is compiled into the program's library; a static library's resources must be
// registered by name, or the linker may leave them out.
static void RegisterIconResource() { Q_INIT_RESOURCE(rozuduzod); }

namespace rozuduzod {

QIcon MainIcon() {
    RegisterIconResource();
    return QIcon(QStringLiteral(":/rozuduzod.png"));
}

}  // namespace rozuduzod
