#include "singleinstance.h"

#include <QDir>
#include <QStandardPaths>

namespace lc {

// $XDG_RUNTIME_DIR, or the 0700 directory Qt makes in its place in /tmp. Qt gives
// none when that directory belongs to another user, who made it first; the
// user's cache directory in the home directory then takes its place.
QString SingleInstance::defaultLockDir()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return QString();
    return cache;
}

} // namespace lc
