#include "systemplatform.h"

#include "common/fileerror.h"

#include <QDir>
#include <QFileInfo>

#include <shellapi.h>
#include <windows.h>

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
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &pi)) {
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

namespace {

// The root the drive queries want: "X:\" for a drive letter or any path on it.
QString rootOf(const QString& path)
{
    if (path.size() >= 2 && path.at(1) == u':')
        return path.left(2) + u'\\';
    return QDir::toNativeSeparators(path);
}

} // namespace

DriveType SystemPlatform::driveType(const QString& root)
{
    return DriveType(GetDriveTypeW(wide(rootOf(root)).c_str()));
}

QString SystemPlatform::volumeLabel(const QString& root)
{
    wchar_t name[MAX_PATH + 1] = {};
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetVolumeInformationW(wide(rootOf(root)).c_str(), name, MAX_PATH + 1, nullptr,
                                          nullptr, nullptr, nullptr, 0);
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

namespace {

// The shell's delete to the recycle bin: the request of the code-page call
// (no owner window, FO_DELETE, the path followed by two NULs, no target),
// given in its wide form so that every path can be named. silent adds
// FOF_NOCONFIRMATION; otherwise the shell asks and shows "削除中...".
int shellDelete(const QString& path, bool silent)
{
    if (path.isEmpty())
        return FileError::BadFileName;
    const QString full =
        QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    std::wstring from = wide(full);
    from.push_back(L'\0');
    from.push_back(L'\0');
    const std::wstring title = wide(QStringLiteral("削除中..."));
    SHFILEOPSTRUCTW op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.pTo = nullptr;
    op.fFlags =
        silent ? FILEOP_FLAGS(FOF_ALLOWUNDO | FOF_NOCONFIRMATION) : FILEOP_FLAGS(FOF_ALLOWUNDO);
    op.fAnyOperationsAborted = FALSE;
    op.hNameMappings = nullptr;
    op.lpszProgressTitle = silent ? L"" : title.c_str();
    const int rc = SHFileOperationW(&op);
    // The entry must be gone, a directory as well as a file.
    const DWORD attr = GetFileAttributesW(wide(full).c_str());
    if (attr != INVALID_FILE_ATTRIBUTES)
        return FileError::PathFileAccess;
    if (rc != 0 || op.fAnyOperationsAborted)
        return FileError::PathFileAccess;
    return FileError::None;
}

} // namespace

int SystemPlatform::moveToRecycleBin(const QString& path)
{
    return shellDelete(path, true);
}

int SystemPlatform::moveToRecycleBinAsking(const QString& path)
{
    return shellDelete(path, false);
}

void SystemPlatform::playSound(const QString& wavePath)
{
    m_sound.play(wavePath);
}

} // namespace lc
