#include "installdir.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace lc {

namespace {

// Directory listings for the lookups without an exact match, kept while the
// directory is unchanged: the menu tests for its markers many times a second.
struct Listing
{
    QDateTime modified;
    QStringList entries;
};

const QStringList& entriesOf(const QString& dir)
{
    thread_local QHash<QString, Listing> cache;
    const QDateTime modified = QFileInfo(dir).lastModified();
    Listing& listing = cache[dir];
    if (!listing.modified.isValid() || listing.modified != modified ||
        listing.modified.msecsTo(QDateTime::currentDateTime()) < 2000) {
        // A listing younger than the clock's resolution may miss a change made
        // in the same instant, so it is only trusted once it is older.
        listing.modified = modified;
        listing.entries =
            QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    return listing.entries;
}

} // namespace

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
        const QStringList& entries = entriesOf(current);
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
