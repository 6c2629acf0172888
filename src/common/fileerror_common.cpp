#include "fileerror.h"

namespace lc::FileError {

int fromDevice(const QFileDevice& device, Target target)
{
    if (device.error() == QFileDevice::NoError)
        return None;
    if (const int code = lastSystemCode(); code != 0) {
        if (const int mapped = fromSystemCode(code, target); mapped != None)
            return mapped;
    }
    // Without a system code Qt refused the file itself before any byte went to
    // the disk (a directory in the way, a file that may not be replaced).
    if (!device.isOpen())
        return PathFileAccess;
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
