#include "fakeplatform.h"

#include "common/fileerror.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace lc::test {

StartResult FakePlatform::startProgram(const QString& program, const QString& workingDir)
{
    starts.append({program, workingDir});
    if (failStarts || !QFileInfo(program).isFile())
        return {0, FileError::FileNotFound};
    return {nextTaskId++, 0};
}

bool FakePlatform::bringTaskToFront(qint64 taskId)
{
    tasksBroughtToFront.append(taskId);
    return true;
}

bool FakePlatform::bringWindowToFront(const QString& title)
{
    windowsBroughtToFront.append(title);
    return true;
}

bool FakePlatform::isTaskRunning(qint64 taskId)
{
    if (taskId <= 0 || endedTasks.contains(taskId))
        return false;
    return runningTasks.contains(taskId) || (taskId >= 1001 && taskId < nextTaskId);
}

bool FakePlatform::isTaskOfThisSession(qint64 taskId)
{
    return isTaskRunning(taskId) && !otherSessionTasks.contains(taskId);
}

bool FakePlatform::isWindowShown(const QString& title)
{
    return !title.isEmpty() && shownWindows.contains(title);
}

QStringList FakePlatform::driveRoots()
{
    // Unscripted: the system's root, as the system names it ("/", "C:\\").
    return roots.isEmpty() ? QStringList{QDir::toNativeSeparators(QDir::rootPath())} : roots;
}

DriveType FakePlatform::driveType(const QString& root)
{
    return driveTypes.value(root, DriveType::Fixed);
}

QString FakePlatform::volumeLabel(const QString& root)
{
    return labels.value(root);
}

QString FakePlatform::driveOf(const QString& path)
{
    // The longest scripted root that holds path.
    QString best = QStringLiteral("/");
    for (const QString& r : driveRoots()) {
        if ((path == r || path.startsWith(r.endsWith(u'/') ? r : r + u'/')) && r.size() > best.size())
            best = r;
    }
    return best;
}

int FakePlatform::checkDirectory(const QString& path)
{
    if (directoryCheck)
        return directoryCheck(path);
    if (path.isEmpty())
        return FileError::PathNotFound;
    return QFileInfo(path).isDir() ? FileError::None : FileError::PathNotFound;
}

int FakePlatform::moveToRecycleBin(const QString& path)
{
    recycled.append(path);
    if (recycleError)
        return recycleError;
    if (trashDir.isEmpty())
        return FileError::None;
    QDir().mkpath(trashDir);
    const QString target = trashDir + u'/' + QFileInfo(path).fileName() + u'.' +
                           QUuid::createUuid().toString(QUuid::Id128);
    return QDir().rename(path, target) ? FileError::None : FileError::PathFileAccess;
}

void FakePlatform::playSound(const QString& wavePath)
{
    soundsPlayed.append(wavePath);
}

} // namespace lc::test
