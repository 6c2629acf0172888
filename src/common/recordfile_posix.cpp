#include "fileerror.h"
#include "recordfile.h"

#include <QFile>

namespace lc {

int openForSharedReading(QFile& file)
{
    // An open file never keeps others from renaming or deleting it here.
    return file.open(QIODevice::ReadOnly) ? FileError::None : FileError::fromDevice(file);
}

} // namespace lc
