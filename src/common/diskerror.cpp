#include "diskerror.h"

#include "appcontext.h"

namespace lc {

int DiskErrorMessage(AppContext&, int errorNumber, const QString&)
{
    return errorNumber == 0 ? 0 : 3;
}

} // namespace lc
