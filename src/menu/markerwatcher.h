#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace lc {

// Watches a directory (the installation directory with the marker files) through
// the file-system notifications of the system, and reports every change of its
// entries: a marker created, removed or renamed. Where no notifications arrive (a
// file system known to deliver none, or a watch the system refused) or as a safety
// net, a slow poll reports instead, while it is wanted. A directory that is itself
// removed or replaced is watched again as soon as it exists (a replaced one at the
// next round of the poll).
class MarkerWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int FallbackPollMs = 2000;

    explicit MarkerWatcher(const QString& directory, QObject* parent = nullptr);

    // True while notifications for the directory are expected to arrive.
    bool notifying() const { return m_notifying; }
    // Switches the notifications off (a file system that stays silent) or on again.
    void setNotifying(bool on);
    // The slow poll, wanted while a program started from the menu runs.
    void setFallbackPolling(bool on);
    bool isFallbackPolling() const { return m_fallback.isActive(); }

    // Whether the file system of path is one that delivers no notifications of its
    // own (network shares and user-space file systems).
    static bool isSilentFileSystem(const QString& path);

Q_SIGNALS:
    // Something in the directory may have changed.
    void changed();

private:
    void directoryChanged(const QString& path);
    bool watch();
    void watchAfresh();

    QString m_directory;
    QFileSystemWatcher m_watcher;
    QTimer m_fallback;
    QTimer m_rewatch; // while the directory is gone
    bool m_notifying = false;
};

// One of the menu's two checks for app_hnd, used in place of a polling timer:
// started with an interval, it ticks once after that interval and from then on
// whenever the watcher reports a change, until it is stopped.
class MarkerCheck : public QObject
{
    Q_OBJECT
public:
    explicit MarkerCheck(MarkerWatcher& watcher, QObject* parent = nullptr);

    void start(int ms);
    void stop();
    bool isActive() const { return m_active; }
    int interval() const { return m_interval; }
    // A tick that found the file but could not read it yet: tick again after the
    // interval, as a timer would.
    void tickAgain();

Q_SIGNALS:
    void timeout();

private:
    void changeReported();
    void firstTick();

    QTimer m_first;
    int m_interval = 0;
    bool m_active = false;
    bool m_listening = false;
};

} // namespace lc
