#pragma once

#include "platform/platform.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace lc::test {

// A platform that records what is asked of it. Program starts succeed with task
// ids 1001, 1002, ... unless failStarts is set; drives and directory checks come
// from the scripted tables, falling back to the real file system.
class FakePlatform : public Platform
{
public:
    struct Start
    {
        QString program;
        QString workingDir;
    };

    StartResult startProgram(const QString& program, const QString& workingDir) override;
    bool bringTaskToFront(qint64 taskId) override;
    bool bringWindowToFront(const QString& title) override;
    bool isTaskRunning(qint64 taskId) override;
    bool isWindowShown(const QString& title) override;
    bool isTaskOfThisSession(qint64 taskId) override;
    QStringList driveRoots() override;
    DriveType driveType(const QString& root) override;
    QString volumeLabel(const QString& root) override;
    QString driveOf(const QString& path) override;
    int checkDirectory(const QString& path) override;
    int moveToRecycleBin(const QString& path) override;
    void playSound(const QString& wavePath) override;

    // Recorded calls.
    QList<Start> starts;
    QList<qint64> tasksBroughtToFront;
    QStringList windowsBroughtToFront;
    QStringList recycled;
    QStringList soundsPlayed;

    // Scripts.
    bool failStarts = false;
    qint64 nextTaskId = 1001;
    // Tasks started here run until listed in endedTasks; other ids run when
    // listed in runningTasks. Windows are shown when listed in shownWindows.
    QList<qint64> endedTasks;
    QList<qint64> runningTasks;
    QStringList shownWindows;
    // Running tasks of another user or session.
    QList<qint64> otherSessionTasks;
    QStringList roots;                      // empty: the system's root only
    QHash<QString, DriveType> driveTypes;    // by root; default Fixed
    QHash<QString, QString> labels;          // by root
    // Directory check results by path; a function may count calls (e.g. to
    // answer 71 first and 0 on the retry).
    std::function<int(const QString&)> directoryCheck;
    // Moves to the recycle bin really move (into trashDir) unless empty.
    QString trashDir;
    int recycleError = 0;
};

} // namespace lc::test
