#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace lc {

// One running launcher per installation directory: a second start would reset
// the markers of the programs the first one started. The lock lives in a
// directory of the user's own (defaultLockDir()), so a read-only installation
// directory still works and no other user can take the lock first; a lock whose
// process is gone is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& installDir, const QString& lockDir = QString());
    ~SingleInstance();

    // True when this process is now the running launcher.
    bool acquire();
    // The process id of the running launcher when acquire() failed, else 0.
    qint64 holderPid() const { return m_holder; }
    // Why acquire() failed: LockFailedError when another launcher holds the
    // lock, another value when the lock file cannot be made at all.
    QLockFile::LockError error() const { return m_error; }
    QString lockPath() const { return m_path; }

    // The user's runtime directory on POSIX, the user's temp directory on
    // Windows; empty when there is none the user alone can write.
    static QString defaultLockDir();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_holder = 0;
    QLockFile::LockError m_error = QLockFile::NoError;
};

} // namespace lc
