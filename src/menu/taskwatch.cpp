#include "taskwatch.h"

#include "apphnd.h"
#include "common/markers.h"
#include "platform/platform.h"

namespace lc {

bool startedProgramRuns(Platform& platform, const InstallDir& dir, qint64 startedTask)
{
    if (startedTask != 0 && platform.isTaskRunning(startedTask))
        return true;
    if (!dir.exists(Marker::AppHnd))
        return false;
    TaskRef named;
    if (!readAppHnd(dir.file(Marker::AppHnd), named))
        return false;
    if (named.id != 0)
        return platform.isTaskRunning(named.id);
    return platform.isWindowShown(named.title);
}

} // namespace lc
