#include "fileerror.h"

#include <cerrno>

namespace lc::FileError {

int fromSystemCode(int code, Target target)
{
    switch (code) {
    case 0:
        return None;
    case ENOENT:
        return target == Target::Path ? PathNotFound : FileNotFound;
    case ENOTDIR:
    case ELOOP:
        return PathNotFound;
    case EACCES:
    case EPERM:
        return PermissionDenied;
    case EROFS:
        return WriteProtected;
    case EISDIR:
        return NotAFile;
    case EEXIST:
    case ENOTEMPTY:
    case EXDEV:
        return PathFileAccess;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return DiskFull;
    case EFBIG:
        return FileTooLarge;
    case EIO:
        return DeviceIO;
    case ENXIO:
    case ENODEV:
    // A network or user-space mount whose server has gone away.
    case ENOTCONN:
    case ESTALE:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ETIMEDOUT:
        return DeviceUnavailable;
#ifdef ENOMEDIUM
    case ENOMEDIUM:
        return DiskNotReady;
#endif
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return BadFileName;
    case EBUSY:
    case ETXTBSY:
        return FileAlreadyOpen;
    case EBADF:
    case EMFILE:
    case ENFILE:
        return BadFileNameOrNumber;
    default:
        return PathFileAccess;
    }
}

int lastSystemCode()
{
    return errno;
}

void clearSystemCode()
{
    errno = 0;
}

} // namespace lc::FileError
