#include "systemplatform.h"

#include "common/fileerror.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace lc {
namespace {

std::wstring wide(const QString& s)
{
    return s.toStdWString();
}

struct FindTask
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findTaskWindow(HWND hwnd, LPARAM lp)
{
    auto* find = reinterpret_cast<FindTask*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == find->pid && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool toFront(HWND hwnd)
{
    if (!hwnd)
        return false;
    if (IsIconic(hwnd))
        ShowWindow(hwnd, SW_RESTORE);
    return SetForegroundWindow(hwnd) != 0;
}

} // namespace

SystemPlatform::SystemPlatform() = default;
SystemPlatform::~SystemPlatform() = default;

StartResult SystemPlatform::startProgram(const QString& program, const QString& workingDir)
{
    StartResult result;
    if (!QFileInfo(program).isFile()) {
        result.error = FileError::FileNotFound;
        return result;
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + wide(QDir::toNativeSeparators(program)) + L"\"";
    const std::wstring dir = wide(QDir::toNativeSeparators(workingDir));
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
        result.error = FileError::fromSystemCode(int(GetLastError()));
        return result;
    }
    AllowSetForegroundWindow(pi.dwProcessId);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    result.taskId = pi.dwProcessId;
    return result;
}

bool SystemPlatform::bringTaskToFront(qint64 taskId)
{
    FindTask find{DWORD(taskId), nullptr};
    EnumWindows(findTaskWindow, reinterpret_cast<LPARAM>(&find));
    return toFront(find.found);
}

bool SystemPlatform::bringWindowToFront(const QString& title)
{
    return toFront(FindWindowW(nullptr, wide(title).c_str()));
}

QStringList SystemPlatform::driveRoots()
{
    QStringList roots;
    wchar_t buffer[512] = {};
    const DWORD len = GetLogicalDriveStringsW(DWORD(std::size(buffer)), buffer);
    for (const wchar_t* p = buffer; p < buffer + len && *p; p += wcslen(p) + 1)
        roots.append(QString::fromWCharArray(p));
    return roots;
}

DriveType SystemPlatform::driveType(const QString& root)
{
    return DriveType(GetDriveTypeW(wide(QDir::toNativeSeparators(root)).c_str()));
}

QString SystemPlatform::volumeLabel(const QString& root)
{
    wchar_t name[MAX_PATH + 1] = {};
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetVolumeInformationW(wide(QDir::toNativeSeparators(root)).c_str(), name, MAX_PATH + 1,
                                          nullptr, nullptr, nullptr, nullptr, 0);
    SetErrorMode(old);
    return ok ? QString::fromWCharArray(name) : QString();
}

QString SystemPlatform::driveOf(const QString& path)
{
    if (path.size() >= 2 && path.at(1) == u':')
        return path.left(1).toUpper() + QStringLiteral(":\\");
    return QString();
}

int SystemPlatform::checkDirectory(const QString& path)
{
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD attr = GetFileAttributesW(wide(QDir::toNativeSeparators(path)).c_str());
    const DWORD err = GetLastError();
    SetErrorMode(old);
    if (attr == INVALID_FILE_ATTRIBUTES)
        return FileError::fromSystemCode(int(err), FileError::Target::Path);
    return (attr & FILE_ATTRIBUTE_DIRECTORY) ? FileError::None : FileError::PathNotFound;
}

int SystemPlatform::moveToRecycleBin(const QString& path)
{
    // The shell wants a list ended by two NULs.
    std::wstring from = wide(QDir::toNativeSeparators(QDir::cleanPath(path)));
    from.push_back(L'\0');
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
    const int rc = SHFileOperationW(&op);
    if (rc != 0 || op.fAnyOperationsAborted)
        return FileError::PathFileAccess;
    return FileError::None;
}

void SystemPlatform::playSound(const QString& wavePath)
{
    m_sound.play(wavePath);
}

} // namespace lc
