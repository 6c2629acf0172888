#pragma once

#include <string>
#include <vector>

// Drives and directories as Win32 reports them. Every probe that may touch a
// medium does so without the system's "insert a disk" box.
namespace lc::win32 {

// The roots of the logical drives ("A:\", "C:\", ...) in the system's order.
std::vector<std::wstring> logicalDriveRoots();

// The root the volume queries want for a path: "X:\" for a path on drive X,
// "\\server\share\" for a path on a share; otherwise the path with one trailing
// backslash. Empty for an empty path.
std::wstring volumeRootOf(const std::wstring& path);

// The drive type (DRIVE_UNKNOWN ... DRIVE_RAMDISK, 0 to 6) of the volume that
// holds path; DRIVE_NO_ROOT_DIR for an empty path.
unsigned driveType(const std::wstring& path);

// The label of the volume that holds path; empty without one or when the
// volume cannot be read (no medium, a share that is gone).
std::wstring volumeLabel(const std::wstring& path);

// Looks path up as a directory: ERROR_SUCCESS when it is one, ERROR_DIRECTORY
// when something else stands there, otherwise the error of the lookup
// (ERROR_PATH_NOT_FOUND for an empty path).
unsigned long lookUpDirectory(const std::wstring& path);

} // namespace lc::win32
