#include "singleinstance.h"

#include "platform/platform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

namespace lc {
namespace {

std::unique_ptr<QLockFile> lockAt(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A lock is stale only when the process that holds it is gone.
    lock->setStaleLockTime(0);
    return lock;
}

// The computer's name as lock files record it.
QString lockHostOfThisComputer()
{
    QTemporaryDir dir;
    QLockFile probe(dir.filePath(QStringLiteral("probe.lock")));
    qint64 pid = 0;
    QString host;
    QString app;
    if (dir.isValid() && probe.tryLock(0) && probe.getLockInfo(&pid, &host, &app))
        return host;
    return QString();
}

} // namespace

SingleInstance::SingleInstance(const QString& installDir, const QString& userLockDir)
    : m_installDir(QDir::cleanPath(QDir(installDir).absolutePath())), m_userLockDir(userLockDir)
{
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Outcome SingleInstance::acquire(Platform& platform)
{
    m_holder = 0;
    m_holderHost.clear();
    if (m_lock && m_lock->isLocked())
        return Outcome::Acquired;
    if (const std::optional<Outcome> outcome = acquireInstallLock(platform))
        return *outcome;
    return acquireUserLock(platform);
}

std::optional<SingleInstance::Outcome> SingleInstance::acquireInstallLock(Platform& platform)
{
    m_path = m_installDir + QStringLiteral("/launcher.lock");
    m_lock = lockAt(m_path);
    if (m_lock->tryLock(0))
        return Outcome::Acquired;
    if (m_lock->error() != QLockFile::LockFailedError)
        return std::nullopt; // the directory cannot hold the file
    if (!readHolder(*m_lock)) {
        // Not a lock file that any launcher writes: a damaged leftover.
        if (QFile::remove(m_path) && m_lock->tryLock(0))
            return Outcome::Acquired;
        return std::nullopt;
    }
    if (!m_holderHost.isEmpty())
        return Outcome::HeldElsewhere;
    if (platform.isTaskRunning(m_holder))
        return platform.isTaskOfThisSession(m_holder) ? Outcome::HeldInThisSession
                                                      : Outcome::HeldElsewhere;
    // The lock of a launcher that has ended, which could not be taken over: the
    // directory can no longer be written.
    m_holder = 0;
    return std::nullopt;
}

SingleInstance::Outcome SingleInstance::acquireUserLock(Platform& platform)
{
    m_lock.reset();
    m_holder = 0;
    m_holderHost.clear();
    if (m_userLockDir.isEmpty())
        m_userLockDir = defaultLockDir();
    if (m_userLockDir.isEmpty()) {
        m_path.clear();
        return Outcome::NoLock;
    }
    const QByteArray hash =
        QCryptographicHash::hash(m_installDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_path = m_userLockDir + QStringLiteral("/launcher-") + QString::fromLatin1(hash) +
             QStringLiteral(".lock");
    m_lock = lockAt(m_path);
    if (m_lock->tryLock(0))
        return Outcome::Acquired;
    // The user's own directory: a lock held there is this user's.
    if (m_lock->error() == QLockFile::LockFailedError && readHolder(*m_lock) &&
        m_holderHost.isEmpty() && platform.isTaskRunning(m_holder))
        return Outcome::HeldInThisSession;
    m_holder = 0;
    m_holderHost.clear();
    return Outcome::NoLock;
}

bool SingleInstance::readHolder(QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString app;
    // A launcher starting this moment may not have written its lock yet.
    bool read = false;
    for (int attempt = 0; attempt < 5 && !(read = lock.getLockInfo(&pid, &host, &app)); ++attempt)
        QThread::msleep(40);
    if (!read || pid <= 0)
        return false;
    m_holder = pid;
    if (!host.isEmpty() && host.compare(lockHostOfThisComputer(), Qt::CaseInsensitive) != 0)
        m_holderHost = host;
    return true;
}

QString SingleInstance::refusalText(Outcome outcome) const
{
    const QString folder = QDir::toNativeSeparators(m_installDir);
    if (outcome == Outcome::HeldElsewhere && !m_holderHost.isEmpty())
        return QStringLiteral(
                   "このフォルダのメインメニューは、コンピュータ「%1」で起動中です。\n%2\n\n"
                   "そのメインメニューを終了してから起動して下さい。\n"
                   "そのコンピュータで起動していない時は、ファイル「%3」を削除して下さい。")
            .arg(m_holderHost, folder, QDir::toNativeSeparators(m_path));
    if (outcome == Outcome::HeldElsewhere)
        return QStringLiteral("このフォルダのメインメニューは、ほかのユーザーまたはほかのセッション"
                              "で起動中です。\n%1\n\n"
                              "起動中のメインメニューを終了してから起動して下さい。")
            .arg(folder);
    const QString lock = m_path.isEmpty() ? defaultLockDir() : m_path;
    return QStringLiteral(
               "メインメニューを起動できません。\n起動中を示すファイル「%1」を作成できません。")
        .arg(QDir::toNativeSeparators(lock));
}

} // namespace lc
