#pragma once

#include <string>

// Files opened the way the suite's programs expect of each other.
namespace lc::win32 {

// Opens path (native separators) for reading such that other programs may
// still write, rename and delete it meanwhile: a sibling program renames and
// deletes its marker files without asking. Returns a C runtime file descriptor
// that owns the handle, or -1 (lastError() tells why).
int openForSharedReading(const std::wstring& path);
// Closes a descriptor of openForSharedReading() that was not handed on.
void closeDescriptor(int fd);

} // namespace lc::win32
