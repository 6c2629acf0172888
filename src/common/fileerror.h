#pragma once

#include <QFileDevice>

// File-system error numbers used throughout the launcher. The disk messages show
// the message whose condition matches the number.
namespace lc::FileError {

enum : int {
    None = 0,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIO = 57,
    DiskFull = 61,
    BadFileName = 64,
    DeviceUnavailable = 68,
    DiskNotReady = 71,
    PathFileAccess = 75,
    PathNotFound = 76,
};

enum class Target { File, Path };

// The platform's failure code (errno on POSIX, the Win32 error code on Windows)
// mapped onto the numbers above. Target tells whether a missing entry means a
// missing file (53) or a missing path (76).
int fromSystemCode(int code, Target target = Target::File);

// The calling thread's last system failure code (errno / GetLastError()).
int lastSystemCode();
void clearSystemCode();

// The error of a failed QFile/QSaveFile operation: the system code when one was
// left, otherwise a number derived from Qt's own error.
int fromDevice(const QFileDevice& device, Target target = Target::File);

} // namespace lc::FileError
