#include "omsub.h"

#include "appcontext.h"

#include <QDir>

namespace lc {

void LoadDrivePaths(AppContext& context)
{
    QDir::setCurrent(context.installDir.path());
    for (int k = 1; k <= 3; ++k) {
        if (context.drivePath[k].isEmpty())
            context.drivePath[k] = context.installDir.path();
    }
}

int SaveDrivePaths(AppContext&)
{
    return 0;
}

} // namespace lc
