#pragma once

// File-system error numbers used throughout the launcher. The disk messages show
// the message whose condition matches the number. Plain C++, so that the Win32
// layer maps its error codes onto them without Qt.
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

// Whether a missing entry means a missing file (53) or a missing path (76).
enum class Target { File, Path };

} // namespace lc::FileError
