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
