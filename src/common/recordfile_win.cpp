#include "fileerror.h"
#include "recordfile.h"

#include "platform/win32/win32_files.h"

#include <QDir>
#include <QFile>

namespace lc {

int openForSharedReading(QFile& file)
{
    // A plain open would keep a sibling program from renaming or deleting the
    // file until it is closed again.
    const int fd = win32::openForSharedReading(QDir::toNativeSeparators(file.fileName()).toStdWString());
    if (fd == -1)
        return FileError::fromSystemCode(FileError::lastSystemCode());
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        win32::closeDescriptor(fd);
        return FileError::fromDevice(file);
    }
    return FileError::None;
}

} // namespace lc
