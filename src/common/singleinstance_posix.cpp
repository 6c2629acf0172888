#include "singleinstance.h"

#include <QStandardPaths>

namespace lc {

// $XDG_RUNTIME_DIR, or the 0700 directory Qt makes in its place; Qt gives none
// when that directory belongs to another user.
QString SingleInstance::defaultLockDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace lc
