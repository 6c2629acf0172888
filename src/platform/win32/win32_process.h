#pragma once

#include <string>

namespace lc::win32 {

struct StartedProcess
{
    unsigned long processId = 0; // 0 when the start failed
    unsigned long error = 0;     // the Win32 error code when it failed
};

// Starts a program file (a full path) with a normal, focused window in
// workingDir (empty: the launcher's own) and returns at once with its process
// id; the program is not waited for. A path that is no file fails with
// ERROR_FILE_NOT_FOUND. The started program may take the foreground.
StartedProcess startProcess(const std::wstring& program, const std::wstring& workingDir);

// Whether the process still runs. A process that may not be opened for a look
// (another user's) counts as running; one that no longer exists does not.
bool isProcessRunning(unsigned long processId);

// Whether a running process belongs to this process's logon session and user
// (on a terminal server, other people's processes run in sessions of their own).
bool isProcessOfThisSession(unsigned long processId);

} // namespace lc::win32
