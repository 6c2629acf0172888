#include "menushared.h"

#include "common/bytetext.h"

namespace lc {

TaskRef TaskRef::fromField(const QString& field)
{
    TaskRef ref;
    const QString t = trimBlanks(field);
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (ok && !t.isEmpty())
        ref.id = qint64(number);
    else
        ref.title = field;
    return ref;
}

} // namespace lc
