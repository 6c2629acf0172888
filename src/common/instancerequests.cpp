#include "instancerequests.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace lc {

InstanceRequests::InstanceRequests(const QString& lockPath, QObject* parent)
    : QObject(parent), m_dir(lockPath + QStringLiteral(".requests"))
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &InstanceRequests::look);
}

QString InstanceRequests::requestPath() const
{
    return m_dir + QStringLiteral("/start");
}

bool InstanceRequests::listen()
{
    if (!QDir().mkpath(m_dir))
        return false;
    // A request left while no launcher ran is not for this one.
    QFile::remove(requestPath());
    return m_watcher.addPath(m_dir);
}

bool InstanceRequests::ask(int timeoutMs) const
{
    QFile request(requestPath());
    if (!QFileInfo(m_dir).isDir() || !request.open(QIODevice::WriteOnly))
        return false;
    request.close();
    const QDeadlineTimer deadline(timeoutMs);
    while (request.exists()) {
        if (deadline.hasExpired()) {
            request.remove();
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

void InstanceRequests::look()
{
    if (QFile::exists(requestPath()) && QFile::remove(requestPath()))
        Q_EMIT requested();
}

} // namespace lc
