#include "win32_errors.h"

#include <windows.h>

namespace lc::win32 {
namespace {

// ERROR_DISK_QUOTA_EXCEEDED, which MinGW's headers lack.
constexpr unsigned long diskQuotaExceeded = 1295;

} // namespace

int fileErrorOf(unsigned long code, FileError::Target target)
{
    using namespace FileError;
    switch (code) {
    case ERROR_SUCCESS:
        return None;
    case ERROR_FILE_NOT_FOUND:
        return target == Target::Path ? PathNotFound : FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_CANT_RESOLVE_FILENAME: // a loop of links
        return PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return PermissionDenied;
    case ERROR_WRITE_PROTECT:
        return WriteProtected;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
    case ERROR_DIR_NOT_EMPTY:
    case ERROR_NOT_SAME_DEVICE:
        return PathFileAccess;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
    case diskQuotaExceeded:
        return DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return FileTooLarge;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return DeviceIO;
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
    case ERROR_WRONG_DISK:
    case ERROR_UNRECOGNIZED_MEDIA:
        return DiskNotReady;
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
    // A network drive whose server has gone away.
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_NO_NETWORK:
    case ERROR_REM_NOT_LIST:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_SEM_TIMEOUT:
        return DeviceUnavailable;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return BadFileName;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_USER_MAPPED_FILE:
        return FileAlreadyOpen;
    case ERROR_INVALID_HANDLE:
    case ERROR_TOO_MANY_OPEN_FILES:
        return BadFileNameOrNumber;
    default:
        return PathFileAccess;
    }
}

unsigned long lastError()
{
    return GetLastError();
}

void clearLastError()
{
    SetLastError(ERROR_SUCCESS);
}

} // namespace lc::win32
