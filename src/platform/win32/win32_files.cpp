#include "win32_files.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace lc::win32 {

int openForSharedReading(const std::wstring& path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd == -1) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        SetLastError(error == ERROR_SUCCESS ? ERROR_TOO_MANY_OPEN_FILES : error);
    }
    return fd;
}

void closeDescriptor(int fd)
{
    _close(fd);
}

} // namespace lc::win32
