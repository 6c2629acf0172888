#include "scratchvolume.h"

#include <QFile>
#include <QFileInfo>

namespace lc::test {

// Systems without mountable scratch volumes: the faults that need one are skipped.

void ScratchVolume::prepare() {}

bool ScratchVolume::available()
{
    return false;
}

QString ScratchVolume::whyNot()
{
    return QStringLiteral("scratch volumes need Linux mount namespaces");
}

ScratchVolume::ScratchVolume(const QString& dir, qint64) : m_dir(dir), m_error(whyNot()) {}

ScratchVolume::~ScratchVolume() = default;

bool ScratchVolume::setReadOnly(bool)
{
    return false;
}

bool ScratchVolume::fill(const QString&)
{
    return false;
}

bool permissionsEnforced(const QString& dir)
{
    QFile probe(dir + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return true;
    probe.close();
    probe.remove();
    return false;
}

} // namespace lc::test
