#include "markerwatcher.h"

#include "platform/volumerules.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace lc {

MarkerWatcher::MarkerWatcher(const QString& directory, QObject* parent)
    : QObject(parent), m_directory(QFileInfo(directory).absoluteFilePath())
{
    setObjectName(QStringLiteral("markerWatcher"));
    m_fallback.setInterval(FallbackPollMs);
    connect(&m_fallback, &QTimer::timeout, this, [this] {
        watchAfresh();
        Q_EMIT changed();
    });
    m_rewatch.setInterval(FallbackPollMs);
    connect(&m_rewatch, &QTimer::timeout, this, [this] {
        if (watch()) {
            m_rewatch.stop();
            Q_EMIT changed();
        }
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &MarkerWatcher::directoryChanged);
    if (isSilentFileSystem(m_directory))
        return;
    m_notifying = watch();
    if (!QFileInfo(m_directory).isDir()) {
        m_notifying = true;
        m_rewatch.start();
    }
}

bool MarkerWatcher::isSilentFileSystem(const QString& path)
{
    const QStorageInfo volume(path);
    if (!volume.isValid())
        return false;
    const QByteArray type = volume.fileSystemType().toLower();
    return volumes::isNetworkFileSystem(type) || type.startsWith("fuse");
}

void MarkerWatcher::setNotifying(bool on)
{
    if (!on) {
        m_notifying = false;
        m_rewatch.stop();
        if (!m_watcher.directories().isEmpty())
            m_watcher.removePaths(m_watcher.directories());
        return;
    }
    m_notifying = watch();
}

void MarkerWatcher::setFallbackPolling(bool on)
{
    if (on && !m_fallback.isActive()) {
        watchAfresh();
        m_fallback.start();
    }
    else if (!on)
        m_fallback.stop();
}

// Adds the watch when it is missing; true when the directory is watched.
bool MarkerWatcher::watch()
{
    if (m_watcher.directories().contains(m_directory))
        return true;
    return QFileInfo(m_directory).isDir() && m_watcher.addPath(m_directory);
}

// A directory renamed away keeps its watch (the system follows the directory, not
// its path) and reports nothing: the path is watched afresh at each round of the
// poll, so a directory that took its place is watched from then on.
void MarkerWatcher::watchAfresh()
{
    if (!m_notifying)
        return;
    if (m_watcher.directories().contains(m_directory))
        m_watcher.removePath(m_directory);
    if (!watch())
        m_rewatch.start();
}

void MarkerWatcher::directoryChanged(const QString&)
{
    // A directory removed drops out of the watch; the one that takes its place
    // is watched as soon as it exists.
    if (m_notifying && !watch())
        m_rewatch.start();
    Q_EMIT changed();
}

MarkerCheck::MarkerCheck(MarkerWatcher& watcher, QObject* parent) : QObject(parent)
{
    m_first.setSingleShot(true);
    connect(&m_first, &QTimer::timeout, this, &MarkerCheck::firstTick);
    connect(&watcher, &MarkerWatcher::changed, this, &MarkerCheck::changeReported);
}

void MarkerCheck::start(int ms)
{
    m_interval = ms;
    m_active = true;
    m_listening = false;
    m_first.start(ms);
}

void MarkerCheck::stop()
{
    m_active = false;
    m_listening = false;
    m_first.stop();
}

void MarkerCheck::tickAgain()
{
    if (m_active)
        m_first.start(m_interval);
}

void MarkerCheck::firstTick()
{
    if (!m_active)
        return;
    m_listening = true;
    Q_EMIT timeout();
}

void MarkerCheck::changeReported()
{
    // A check started during this report ticks first after its interval.
    if (m_active && m_listening)
        Q_EMIT timeout();
}

} // namespace lc
