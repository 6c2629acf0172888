#pragma once

#include "platform/fileerrorcodes.h"

// Win32 error codes in the launcher's terms.
namespace lc::win32 {

// The file-error number whose message matches a Win32 error code
// (GetLastError()); a code without a closer match is 75.
int fileErrorOf(unsigned long code, FileError::Target target);

// The calling thread's last error, and clearing it before a call that may leave one.
unsigned long lastError();
void clearLastError();

} // namespace lc::win32
