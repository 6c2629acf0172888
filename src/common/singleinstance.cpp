#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>

namespace lc {

SingleInstance::SingleInstance(const QString& installDir, const QString& lockDir)
{
    const QString key = QDir::cleanPath(QDir(installDir).absolutePath());
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString dir = lockDir.isEmpty() ? defaultLockDir() : lockDir;
    if (dir.isEmpty())
        return;
    m_path = dir + QStringLiteral("/launcher-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock is stale only when the process that holds it is gone.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    m_holder = 0;
    if (!m_lock) {
        m_error = QLockFile::PermissionError;
        return false;
    }
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return true;
    m_error = m_lock->error();
    qint64 pid = 0;
    QString host;
    QString app;
    if (m_lock->getLockInfo(&pid, &host, &app))
        m_holder = pid;
    return false;
}

} // namespace lc
