#include "folder.h"

#include "common/appcontext.h"
#include "common/codepage.h"
#include "common/diskerror.h"
#include "common/fileerror.h"
#include "common/messagebox.h"
#include "platform/platform.h"
#include "projectpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <string>
#include <vector>

namespace lc {
namespace {

// How long a listing may work before pending events get their turn.
constexpr qint64 EventSliceMs = 25;

constexpr auto SubfolderFilter = QDir::Dirs | QDir::NoDotAndDotDot;

// How many folders are probed at once: a probe waits for the disk or, on a
// share, for the network far longer than it computes.
constexpr int ProbeThreads = 8;

// When a pump last let events run (invalid before the first time).
QElapsedTimer& lastEvents()
{
    static QElapsedTimer timer;
    return timer;
}

// What QString::compare without regard to case compares: the folded value at
// each position of the UTF-16 text (a low surrogate folded with the high one
// before it). The keys of two names order them as that comparison does.
std::u32string foldedKey(QStringView name)
{
    std::u32string key;
    key.reserve(size_t(name.size()));
    char16_t last = 0;
    for (const QChar c : name) {
        char32_t ucs4 = c.unicode();
        if (QChar::isLowSurrogate(ucs4) && QChar::isHighSurrogate(last))
            ucs4 = QChar::surrogateToUcs4(last, c.unicode());
        last = c.unicode();
        key.push_back(QChar::toCaseFolded(ucs4));
    }
    return key;
}

} // namespace

bool isDriveReadError(int error)
{
    return error == FileError::BadFileNameOrNumber || error == FileError::DeviceUnavailable ||
           error == FileError::DiskNotReady || FileError::isAccessError(error);
}

bool IsDriveRoot(Platform& platform, const QString& path)
{
    return projectpaths::isDriveRootIn(path, platform.driveRoots());
}

QString CheckDirectory(AppContext& context, const QString& path, int& kind, bool prompt,
                       bool unavailableAsNotReady)
{
    kind = DirectoryKind::Exists;
    if (path.isEmpty() || !context.platform) {
        kind = DirectoryKind::Missing;
        return {};
    }
    for (;;) {
        const int error = context.platform->checkDirectory(path);
        if (error == FileError::None)
            return path;
        if (error == FileError::PathNotFound || error == FileError::FileNotFound) {
            if (IsDriveRoot(*context.platform, path))
                return path;
            kind = DirectoryKind::Missing;
            return {};
        }
        if (!isDriveReadError(error)) {
            kind = DirectoryKind::Missing;
            return {};
        }
        if (prompt) {
            const int shown = unavailableAsNotReady && error == FileError::DeviceUnavailable
                                  ? FileError::DiskNotReady
                                  : error;
            if (DiskErrorMessage(context, shown, path, DiskAccess::Read) == Msg::ResultRetry)
                continue;
        }
        kind = DirectoryKind::Unreadable;
        return {};
    }
}

void EventPump::tick()
{
    QElapsedTimer& last = lastEvents();
    if (last.isValid() && last.elapsed() < EventSliceMs)
        return;
    QCoreApplication::processEvents();
    last.start();
}

int EventPump::untilDue() const
{
    const QElapsedTimer& last = lastEvents();
    return last.isValid() ? int(std::max<qint64>(0, EventSliceMs - last.elapsed())) : 0;
}

bool HasSubfolder(const QString& path, EventPump* pump)
{
    QDirIterator it(path, SubfolderFilter);
    const bool found = it.hasNext();
    if (pump)
        pump->tick();
    return found;
}

SubfolderProbes::SubfolderProbes(QStringList paths)
    : m_paths(std::move(paths)), m_found(m_paths.size(), false), m_out(m_found.data())
{
    m_workers = int(std::min<qsizetype>(ProbeThreads, m_paths.size()));
    m_pool.setMaxThreadCount(std::max(1, m_workers));
    for (int w = 0; w < m_workers; ++w) {
        m_pool.start([this] {
            probeUntilDone();
            m_finished.release();
        });
    }
}

SubfolderProbes::~SubfolderProbes()
{
    m_next = m_paths.size();
}

void SubfolderProbes::probeUntilDone()
{
    for (qsizetype i = m_next++; i < m_paths.size(); i = m_next++)
        m_out[i] = HasSubfolder(m_paths.at(i));
}

QList<bool> SubfolderProbes::results(EventPump* pump)
{
    // This thread only waits: a folder that answers late never holds up the
    // window's events.
    while (!m_finished.tryAcquire(m_workers, pump ? pump->untilDue() : -1))
        pump->tick();
    m_finished.release(m_workers);
    return m_found;
}

QList<SubfolderEntry> listSubfolders(const QString& path, EventPump* pump)
{
    QList<SubfolderEntry> entries;
    QDirIterator it(path, SubfolderFilter);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        // A name the code page cannot hold could not be stored as a working path.
        // The listing already knows a link from its type: no second look.
        if (fitsCodePage(name))
            entries.append(
                {name, projectpaths::folderDisplayName(name), it.fileInfo().isSymLink()});
        if (pump)
            pump->tick();
    }
    // Sorted by each name's folded key, made once per name instead of at every
    // comparison.
    std::vector<std::u32string> keys;
    std::vector<qsizetype> order;
    keys.reserve(size_t(entries.size()));
    order.reserve(size_t(entries.size()));
    for (const SubfolderEntry& entry : std::as_const(entries)) {
        order.push_back(qsizetype(keys.size()));
        keys.push_back(foldedKey(entry.name));
    }
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        return c != 0 ? c < 0 : entries.at(a).name < entries.at(b).name;
    });
    QList<SubfolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const qsizetype i : order)
        sorted.append(std::move(entries[i]));
    return sorted;
}

bool nameTakenIn(const QString& dir, const QString& name, const QString& except)
{
    // A file system that ignores case finds the entry itself under its new
    // spelling; the listing below tells the siblings apart.
    if (except.compare(name, Qt::CaseInsensitive) != 0) {
        const QFileInfo exact(projectpaths::join(dir, name));
        if (exact.exists() || exact.isSymLink())
            return true;
    }
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry != except && entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace lc
