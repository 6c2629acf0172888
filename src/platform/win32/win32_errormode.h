#pragma once

#include <windows.h>

namespace lc::win32 {

// While alive, the calling thread's probes of drives and files fail with an
// error code instead of the system's "insert a disk" or "drive not ready" box.
// The thread's own error mode, not the process's: the GUI thread and any other
// keep theirs.
class QuietMediaErrors
{
public:
    QuietMediaErrors()
    {
        m_set = SetThreadErrorMode(GetThreadErrorMode() | SEM_FAILCRITICALERRORS |
                                       SEM_NOOPENFILEERRORBOX,
                                   &m_previous) != FALSE;
    }
    ~QuietMediaErrors()
    {
        if (m_set) {
            // Restoring the mode must not disturb the error the probe left.
            const DWORD error = GetLastError();
            SetThreadErrorMode(m_previous, nullptr);
            SetLastError(error);
        }
    }
    QuietMediaErrors(const QuietMediaErrors&) = delete;
    QuietMediaErrors& operator=(const QuietMediaErrors&) = delete;

private:
    DWORD m_previous = 0;
    bool m_set = false;
};

} // namespace lc::win32
