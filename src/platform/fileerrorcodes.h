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
    PermissionDenied = 70,
    WriteProtected = 72,
    NotAFile = 73,
    PathFileAccess = 75,
    PathNotFound = 76,
    FileTooLarge = 77,
};

// The refusals that the numbering above once put under 75 (path or file access
// error): each now has a message that names its cause, but a caller that skips
// or gives up a step on 75 treats them alike.
constexpr bool isAccessError(int error)
{
    return error == PathFileAccess || error == PermissionDenied || error == WriteProtected ||
           error == NotAFile || error == FileTooLarge;
}

// Whether a missing entry means a missing file (53) or a missing path (76).
enum class Target { File, Path };

} // namespace lc::FileError
