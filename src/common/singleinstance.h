#pragma once

#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>

namespace lc {

class Platform;

// One running launcher per installation directory, whoever starts it and from
// whichever session: a second start would reset the markers of the programs
// the first one started. The lock lives beside the markers, as "launcher.lock"
// in the installation directory. Where that directory cannot hold a file (a
// read-only installation, which holds no markers either) a lock in a directory
// of the user's own takes its place. A lock whose process is gone is taken
// over.
class SingleInstance
{
public:
    enum class Outcome {
        Acquired,          // this process is now the running launcher
        HeldInThisSession, // a launcher of this user's session runs: raise it
        HeldElsewhere,     // a launcher of another user, session or computer runs
        NoLock,            // no lock can be made at all
    };

    explicit SingleInstance(const QString& installDir, const QString& userLockDir = QString());
    ~SingleInstance();

    Outcome acquire(Platform& platform);

    // The lock this launcher holds, or the one it was refused or could not make.
    QString lockPath() const { return m_path; }
    // The process id of the running launcher when refused, else 0, and the
    // name of its computer when that is another one.
    qint64 holderPid() const { return m_holder; }
    QString holderHost() const { return m_holderHost; }
    // The message for a start that may not go on (HeldElsewhere, NoLock).
    QString refusalText(Outcome outcome) const;

    // The user's runtime directory on POSIX, the user's temp directory on
    // Windows; empty when there is none the user alone can write.
    static QString defaultLockDir();

private:
    // The lock of the installation directory; nothing when that directory
    // cannot hold it and the user's lock takes its place.
    std::optional<Outcome> acquireInstallLock(Platform& platform);
    Outcome acquireUserLock(Platform& platform);
    bool readHolder(QLockFile& lock);

    QString m_installDir;
    QString m_userLockDir;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_holder = 0;
    QString m_holderHost;
};

} // namespace lc
