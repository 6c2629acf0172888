#include "fileerror.h"

#include "platform/win32/win32_errors.h"

namespace lc::FileError {

int fromSystemCode(int code, Target target)
{
    return win32::fileErrorOf(static_cast<unsigned long>(code), target);
}

int lastSystemCode()
{
    return int(win32::lastError());
}

void clearSystemCode()
{
    win32::clearLastError();
}

} // namespace lc::FileError
