#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace lc {

// A later start of the launcher asks the running one to come forward: it leaves
// a request in a folder beside the single-instance lock, which the running
// launcher watches and answers by taking the request away.
class InstanceRequests : public QObject
{
    Q_OBJECT
public:
    explicit InstanceRequests(const QString& lockPath, QObject* parent = nullptr);

    // The running launcher: watches for requests from now on.
    bool listen();
    // A later start: leaves a request and waits up to timeoutMs for the running
    // launcher to take it; false when it did not (an older launcher, or none).
    bool ask(int timeoutMs) const;

    QString requestPath() const;

Q_SIGNALS:
    // A later start asked; emitted once per request taken.
    void requested();

private:
    void look();

    QString m_dir;
    QFileSystemWatcher m_watcher;
};

} // namespace lc
