#include "fileerror.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace lc::FileError {

namespace {

// Why a file that Qt refused before any system call left a code cannot be
// written: the path itself tells (a read-only volume, a file or folder without
// write permission, a folder that does not exist).
int refusedPath(const QString& fileName)
{
    if (fileName.isEmpty())
        return PathFileAccess;
    const QFileInfo info(fileName);
    const QFileInfo folder(info.absolutePath());
    if (!info.exists() && !folder.isDir())
        return PathNotFound;
    const QStorageInfo volume(info.exists() ? info.absoluteFilePath() : folder.absoluteFilePath());
    if (volume.isValid() && volume.isReadOnly())
        return WriteProtected;
    if (info.exists() ? !info.isWritable() : !folder.isWritable())
        return PermissionDenied;
    return PathFileAccess;
}

} // namespace

int fromDevice(const QFileDevice& device, Target target)
{
    if (device.error() == QFileDevice::NoError)
        return None;
    const int code = lastSystemCode();
    // A folder where the file should be: Qt refuses it without a system code, and
    // Windows reports it as access denied.
    if (!device.fileName().isEmpty() && QFileInfo(device.fileName()).isDir())
        return NotAFile;
    if (code != 0) {
        if (const int mapped = fromSystemCode(code, target); mapped != None)
            return mapped;
    }
    // Without a system code Qt refused the file itself before any byte went to
    // the disk (a file that may not be replaced, a folder that may not be written).
    if (!device.isOpen())
        return refusedPath(device.fileName());
    switch (device.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
    case QFileDevice::CopyError:
        return PathFileAccess;
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
    case QFileDevice::FatalError:
    case QFileDevice::ResourceError:
        return DeviceIO;
    default:
        return PathFileAccess;
    }
}

} // namespace lc::FileError
