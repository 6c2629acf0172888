#pragma once

#include <QString>
#include <QStringList>

namespace lc {

// Drive types as the system reports them for a root.
enum class DriveType : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct StartResult
{
    qint64 taskId = 0; // 0 when the start failed
    int error = 0;     // file-error number when the start failed
};

// The platform layer: what the launcher needs of the operating system beyond Qt's
// own widgets. One implementation per platform and a recording fake for tests.
class Platform
{
public:
    virtual ~Platform() = default;

    // Starts a program file with a normal, focused window in workingDir and returns
    // at once with its task id.
    virtual StartResult startProgram(const QString& program, const QString& workingDir) = 0;
    // Brings the top window of a task, or the window with the given title, to the
    // front. False when there is no such window.
    virtual bool bringTaskToFront(qint64 taskId) = 0;
    virtual bool bringWindowToFront(const QString& title) = 0;
    // Whether the task with this id still runs (a task that has ended, or whose
    // process is only waiting to be reaped, does not), and whether a window with
    // exactly this title is shown.
    virtual bool isTaskRunning(qint64 taskId) = 0;
    virtual bool isWindowShown(const QString& title) = 0;
    // Whether a running task belongs to this user's own session: the same user
    // and, on POSIX, the same display; on Windows the same logon session.
    virtual bool isTaskOfThisSession(qint64 taskId) = 0;

    // Drive roots ("C:\" on Windows; mount points on POSIX), their types and labels.
    virtual QStringList driveRoots() = 0;
    virtual DriveType driveType(const QString& root) = 0;
    virtual QString volumeLabel(const QString& root) = 0;
    // The root of the drive (Windows) or the mount point (POSIX) that holds path.
    virtual QString driveOf(const QString& path) = 0;

    // Looks path up as a directory: 0 when it is one, otherwise the file-error
    // number of the failure (76 when nothing is there, 71 when the medium is
    // missing, ...).
    virtual int checkDirectory(const QString& path) = 0;

    // Moves a file or directory to the recycle bin without asking the user; 0 or a
    // file-error number.
    virtual int moveToRecycleBin(const QString& path) = 0;
    // The same, letting the system ask for confirmation where it does so (the
    // Windows shell); elsewhere the same as moveToRecycleBin.
    virtual int moveToRecycleBinAsking(const QString& path) { return moveToRecycleBin(path); }

    // Plays a wave file once, without waiting; silent where no audio device exists.
    virtual void playSound(const QString& wavePath) = 0;
};

} // namespace lc
