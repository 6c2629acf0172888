#include "win32_process.h"

#include "win32_errormode.h"

#include <windows.h>

#include <vector>

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

namespace {

// The user of a process's token, as a copy of its security identifier; empty
// when the process or its token may not be looked at.
std::vector<unsigned char> tokenUser(HANDLE process)
{
    std::vector<unsigned char> sid;
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return sid;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        const PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
        if (IsValidSid(user)) {
            const DWORD length = GetLengthSid(user);
            sid.resize(length);
            if (!CopySid(length, sid.data(), user))
                sid.clear();
        }
    }
    CloseHandle(token);
    return sid;
}

} // namespace

bool isProcessOfThisSession(unsigned long processId)
{
    DWORD theirs = 0;
    DWORD ours = 0;
    if (!isProcessRunning(processId) || !ProcessIdToSessionId(processId, &theirs) ||
        !ProcessIdToSessionId(GetCurrentProcessId(), &ours) || theirs != ours)
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return false; // another user's, or one with more rights
    const std::vector<unsigned char> user = tokenUser(process);
    CloseHandle(process);
    const std::vector<unsigned char> self = tokenUser(GetCurrentProcess());
    return !user.empty() && user == self;
}

} // namespace lc::win32
