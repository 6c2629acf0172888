#include "menushared.h"

#include "common/bytetext.h"

#include <cmath>

namespace lc {

TaskRef TaskRef::fromField(const QString& field)
{
    TaskRef ref;
    const QString t = trimBlanks(field);
    bool ok = false;
    const double number = t.toDouble(&ok);
    // A number no task id can have (beyond 64 bits, infinite, not a number) names
    // no task; it stays text, as a title that no window carries.
    if (ok && !t.isEmpty() && std::isfinite(number) && std::abs(number) < 9.0e18)
        ref.id = qint64(number);
    else
        ref.title = field;
    return ref;
}

} // namespace lc
