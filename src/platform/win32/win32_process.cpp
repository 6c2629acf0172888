#include "win32_process.h"

#include "win32_errormode.h"

#include <windows.h>

namespace lc::win32 {

StartedProcess startProcess(const std::wstring& program, const std::wstring& workingDir)
{
    StartedProcess started;
    QuietMediaErrors quiet;
    const DWORD attributes =
        program.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(program.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        started.error = ERROR_FILE_NOT_FOUND;
        return started;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // The program is named on its own, so that no search along the path and no
    // split at a blank can start another file; the command line, which
    // CreateProcessW may write to, repeats it quoted as the program's argv[0].
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &process)) {
        started.error = GetLastError();
        return started;
    }
    // The launcher holds the foreground after the click: hand it on, so that
    // the program's first window comes up in front.
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    started.processId = process.dwProcessId;
    return started;
}

bool isProcessRunning(unsigned long processId)
{
    if (processId == 0)
        return false;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

} // namespace lc::win32
