#include "installdir.h"

#include <QDir>
#include <QFileInfo>

namespace lc {

InstallDir::InstallDir(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

QString InstallDir::file(const QString& name) const
{
    return resolveCaseInsensitive(m_path, name);
}

bool InstallDir::exists(const QString& name) const
{
    return QFileInfo::exists(file(name));
}

QString resolveCaseInsensitive(const QString& dir, const QString& name)
{
    QString normal = name;
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = dir;
    bool found = true;
    for (const QString& part : parts) {
        const QString exact = current + u'/' + part;
        if (!found || QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QStringList entries =
            QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QString match;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty()) {
            found = false;
            current = exact;
        } else {
            current += u'/' + match;
        }
    }
    return current;
}

} // namespace lc
