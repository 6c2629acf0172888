#pragma once

#include <QList>
#include <QSemaphore>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>

namespace lc {

struct AppContext;
class Platform;

// Directory checks of the project data location, used by the registry, the
// folder tree and the environment window.
namespace DirectoryKind {
enum : int { Exists = 0, Missing = 1, Unreadable = 2 };
}

// True when path is the root of a drive (a mount point on POSIX), also when the
// drive holds no medium.
bool IsDriveRoot(Platform& platform, const QString& path);

// Looks path up. Result: path when it exists (or is a drive root), else empty;
// kind tells 0 exists, 1 missing, 2 the drive could not be read. With prompt a
// disk error (52, 68, 71, 75) brings up the disk message for the path, and Retry
// repeats the lookup. unavailableAsNotReady reports error 68 (device
// unavailable) as 71 (disk not ready), which offers Retry.
QString CheckDirectory(AppContext& context, const QString& path, int& kind, bool prompt,
                       bool unavailableAsNotReady = false);

// The disk errors the directory checks report as an unreadable drive.
bool isDriveReadError(int error);

// Lets pending window events run now and then while a long listing works, so
// the window stays responsive without paying for an event round after every
// directory entry. All pumps keep one time: a listing begun from another (the
// walk down the tree) goes on with its turns instead of starting afresh.
class EventPump
{
public:
    // Processes pending events when enough time has passed since a pump last did.
    void tick();
    // Milliseconds until tick processes events.
    int untilDue() const;
};

// True when the directory holds at least one sub-directory that is not hidden;
// stops at the first.
bool HasSubfolder(const QString& path, EventPump* pump = nullptr);

// HasSubfolder for each of a list of folders. The probes run on several threads
// at once, since each mostly waits for the disk or the network, and start as
// soon as the object is made: the caller's own work goes on meanwhile.
class SubfolderProbes
{
public:
    explicit SubfolderProbes(QStringList paths);
    // Stops the probes not begun yet and waits for those running.
    ~SubfolderProbes();
    SubfolderProbes(const SubfolderProbes&) = delete;
    SubfolderProbes& operator=(const SubfolderProbes&) = delete;

    // Waits until every folder is answered, the pump letting pending events run
    // meanwhile; the answers in the order of the folders.
    QList<bool> results(EventPump* pump = nullptr);

private:
    void probeUntilDone();

    const QStringList m_paths;
    QList<bool> m_found;
    bool* m_out;
    std::atomic<qsizetype> m_next = 0;
    QSemaphore m_finished;
    int m_workers = 0;
    QThreadPool m_pool; // last: its threads end before the rest goes
};

struct SubfolderEntry
{
    QString name;        // as stored on disk
    QString displayName; // as the tree shows it
    bool isLink = false; // a symbolic link to a directory
};

// The sub-directories of path that are not hidden, sorted by name without
// regard to case as the system lists them.
QList<SubfolderEntry> listSubfolders(const QString& path, EventPump* pump = nullptr);

// Whether dir holds an entry (folder, file or link) whose name equals name
// without regard to letter case, other than the entry named except: the suite
// compares file names so, and on Windows such names cannot stand side by side.
bool nameTakenIn(const QString& dir, const QString& name, const QString& except = {});

} // namespace lc
