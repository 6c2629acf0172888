#include "singleinstance.h"

#include <QDir>

namespace lc {

// The temp directory lies in the user's profile.
QString SingleInstance::defaultLockDir()
{
    return QDir::tempPath();
}

} // namespace lc
