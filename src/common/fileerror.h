#pragma once

#include "platform/fileerrorcodes.h"

#include <QFileDevice>

namespace lc::FileError {

// The platform's failure code (errno on POSIX, the Win32 error code on Windows)
// mapped onto the numbers of fileerrorcodes.h.
int fromSystemCode(int code, Target target = Target::File);

// The calling thread's last system failure code (errno / GetLastError()).
int lastSystemCode();
void clearSystemCode();

// The error of a failed QFile/QSaveFile operation: the system code when one was
// left, otherwise a number derived from Qt's own error.
int fromDevice(const QFileDevice& device, Target target = Target::File);

} // namespace lc::FileError
