#include "installdir.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <chrono>
#include <filesystem>

namespace lc {

namespace {

// Directory listings for the lookups without an exact match, kept while the
// directory is unchanged: the menu tests for its markers a hundred times a second.
struct Listing
{
    std::filesystem::file_time_type modified{};
    bool valid = false;
    QStringList entries;
};

const QStringList& entriesOf(const QString& dir)
{
    thread_local QHash<QString, Listing> cache;
    std::error_code ec;
    const auto modified = std::filesystem::last_write_time(QFile::encodeName(dir).toStdString(), ec);
    Listing& listing = cache[dir];
    // A listing taken in the same instant as a change may miss it, so it is only
    // trusted once the directory has been unchanged for a moment.
    const bool settled = !ec && std::filesystem::file_time_type::clock::now() - modified > std::chrono::seconds(2);
    if (ec || !listing.valid || listing.modified != modified || !settled) {
        listing.modified = modified;
        listing.valid = !ec;
        listing.entries =
            QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    return listing.entries;
}

// Resolves name inside dir; found tells whether every component exists.
QString resolve(const QString& dir, const QString& name, bool& found)
{
    QString normal = name;
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = dir;
    found = true;
    // A directory given with its trailing separator ("/", "C:/x/") gets no second one.
    const auto below = [](const QString& parent, const QString& child) {
        return parent.endsWith(u'/') ? parent + child : parent + u'/' + child;
    };
    for (const QString& part : parts) {
        const QString exact = below(current, part);
        if (!found || QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        QString match;
        for (const QString& entry : entriesOf(current)) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty()) {
            found = false;
            current = exact;
        } else {
            current = below(current, match);
        }
    }
    return current;
}

} // namespace

InstallDir::InstallDir(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

QString InstallDir::file(const QString& name) const
{
    return resolveCaseInsensitive(m_path, name);
}

bool InstallDir::exists(const QString& name) const
{
    bool found = false;
    resolve(m_path, name, found);
    return found;
}

QString resolveCaseInsensitive(const QString& dir, const QString& name)
{
    bool found = false;
    return resolve(dir, name, found);
}

} // namespace lc
