#include "systemplatform.h"

#include "common/fileerror.h"
#include "common/pathrules.h"
#include "win32/win32_drives.h"
#include "win32/win32_process.h"
#include "win32/win32_shell.h"
#include "win32/win32_windows.h"

#include <QDir>
#include <QFileInfo>

#include <cstdint>
#include <limits>

// The Qt side of the platform layer on Windows: paths and texts converted for
// the Win32 calls of win32/, which hold no Qt.
namespace lc {
namespace {

std::wstring nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// A task id as a Windows process id; 0 for one that cannot be a process.
std::uint32_t processIdOf(qint64 taskId)
{
    if (taskId <= 0 || taskId > qint64(std::numeric_limits<std::uint32_t>::max()))
        return 0;
    return static_cast<std::uint32_t>(taskId);
}

} // namespace

SystemPlatform::SystemPlatform() = default;
SystemPlatform::~SystemPlatform() = default;

StartResult SystemPlatform::startProgram(const QString& program, const QString& workingDir)
{
    StartResult result;
    const win32::StartedProcess started =
        win32::startProcess(nativePath(program), nativePath(workingDir));
    if (started.processId == 0) {
        result.error = FileError::fromSystemCode(int(started.error));
        if (result.error == FileError::None)
            result.error = FileError::PathFileAccess;
        return result;
    }
    result.taskId = qint64(started.processId);
    return result;
}

bool SystemPlatform::bringTaskToFront(qint64 taskId)
{
    const std::uint32_t processId = processIdOf(taskId);
    return processId != 0 && win32::bringProcessToFront(processId);
}

bool SystemPlatform::bringWindowToFront(const QString& title)
{
    return win32::bringTitledWindowToFront(title.toStdWString());
}

bool SystemPlatform::isTaskRunning(qint64 taskId)
{
    const std::uint32_t processId = processIdOf(taskId);
    return processId != 0 && win32::isProcessRunning(processId);
}

bool SystemPlatform::isTaskOfThisSession(qint64 taskId)
{
    const std::uint32_t processId = processIdOf(taskId);
    return processId != 0 && win32::isProcessOfThisSession(processId);
}

bool SystemPlatform::isWindowShown(const QString& title)
{
    return win32::isTitledWindowShown(title.toStdWString());
}

QStringList SystemPlatform::driveRoots()
{
    QStringList roots;
    for (const std::wstring& root : win32::logicalDriveRoots())
        roots.append(QString::fromStdWString(root));
    return roots;
}

DriveType SystemPlatform::driveType(const QString& root)
{
    const unsigned type = win32::driveType(nativePath(root));
    return type <= unsigned(DriveType::RamDisk) ? DriveType(type) : DriveType::Unknown;
}

QString SystemPlatform::volumeLabel(const QString& root)
{
    return QString::fromStdWString(win32::volumeLabel(nativePath(root)));
}

QString SystemPlatform::driveOf(const QString& path)
{
    if (path.size() >= 2 && path.at(1) == u':')
        return paths::windowsDriveRoot(path);
    return QString();
}

int SystemPlatform::checkDirectory(const QString& path)
{
    return FileError::fromSystemCode(int(win32::lookUpDirectory(nativePath(path))),
                                     FileError::Target::Path);
}

namespace {

// The shell's delete to the recycle bin, always of the absolute path.
int shellDelete(const QString& path, bool silent)
{
    if (path.isEmpty())
        return FileError::BadFileName;
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    switch (win32::moveToRecycleBin(nativePath(full), silent,
                                    QStringLiteral("削除中...").toStdWString())) {
    case win32::RecycleResult::Gone:
        return FileError::None;
    case win32::RecycleResult::BadPath:
        return FileError::BadFileName;
    case win32::RecycleResult::Failed:
        break;
    }
    return FileError::PathFileAccess;
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
