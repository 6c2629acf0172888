#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace lc {

// One running launcher per installation directory: a second start would reset
// the markers of the programs the first one started. The lock lives in the temp
// directory, so a read-only installation directory still works.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& installDir, const QString& lockDir = QString());
    ~SingleInstance();

    // True when this process is now the running launcher.
    bool acquire();
    // The process id of the running launcher when acquire() failed, else 0.
    qint64 holderPid() const { return m_holder; }
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_holder = 0;
};

} // namespace lc
