#include "apphnd.h"

#include "common/quotedfields.h"
#include "common/recordfile.h"

namespace lc {

namespace {
// A task line is short; anything longer is not read further.
constexpr qint64 MaxAppHndBytes = 4096;
} // namespace

TaskRef parseAppHnd(const QByteArray& bytes)
{
    QuotedFieldReader reader(bytes.left(MaxAppHndBytes));
    return TaskRef::fromField(reader.next());
}

bool readAppHnd(const QString& path, TaskRef& task)
{
    QByteArray bytes;
    if (readFileContents(path, bytes, MaxAppHndBytes) != 0)
        return false;
    // A program creates the file and then writes it: an empty file is not read
    // yet, so the next tick reads what it names.
    if (bytes.trimmed().isEmpty())
        return false;
    task = parseAppHnd(bytes);
    return true;
}

} // namespace lc
