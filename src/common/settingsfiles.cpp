#include "settingsfiles.h"

#include "appcontext.h"
#include "bytetext.h"
#include "codepage.h"
#include "diskerror.h"
#include "fileerror.h"
#include "messagebox.h"
#include "pathrules.h"
#include "platform/platform.h"
#include "recordfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace lc {
namespace {

enum class Mark { None, Replaced, NotReady, ReplacedAfterDiskError };

// A record read back: its bytes up to the first NUL (bytes beyond the end of a
// short file read as NUL), decoded, without blanks at either end and without one
// trailing separator.
QString readPath(const RecordFile& file, int n, PathStyle style)
{
    QByteArray bytes = file.record(n);
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return paths::withoutTrailingSeparator(trimBlanks(fromCodePage(bytes)), style);
}

// The installation directory as the current directory is reported.
QString installDirectory(const AppContext& context, PathStyle style)
{
    return paths::nativeDirectory(context.installDir.path(), style);
}

bool retryAfterDiskNotReady(AppContext& context, const QString& drive)
{
    return DiskErrorMessage(context, FileError::DiskNotReady, drive) == Msg::ResultRetry;
}

} // namespace

void LoadDrivePaths(AppContext& context)
{
    const PathStyle style = nativePathStyle();
    const QString current = installDirectory(context, style);
    QDir::setCurrent(context.installDir.path());
    DrivePaths& slot = context.drivePath;
    std::array<Mark, 4> mark{};

    // The file. When it cannot be read the paths in memory stay and are checked
    // below like paths read from it; a read failure is no reason to give up a
    // valid path.
    RecordFile file(context.installDir.file(SettingsFiles::Own), SettingsFiles::RecordLength);
    for (;;) {
        const int err = file.load(RecordFile::Open::CreateIfMissing);
        if (err == FileError::DiskNotReady && retryAfterDiskNotReady(context, current))
            continue;
        if (err != FileError::None)
            break;
        if (file.isEmpty()) {
            QFile::remove(file.path());
            slot[1] = slot[2] = slot[3] = QString();
        } else {
            slot[1] = readPath(file, 1, style);
            slot[2] = readPath(file, 2, style);
            // A file of two records carries no import directory. Records beyond
            // the third belong to others and do not hide the third.
            slot[3] = file.recordCount() >= 3 ? readPath(file, 3, style) : current;
        }
        break;
    }

    for (int k = 1; k <= 3; ++k) {
        if (slot[k].isEmpty()) {
            mark[k] = Mark::Replaced;
            slot[k] = current;
            continue;
        }
        bool found = false;
        if (paths::isFullPath(slot[k], style)) {
            for (;;) {
                const int err =
                    context.platform ? context.platform->checkDirectory(slot[k]) : FileError::None;
                if (err == FileError::None) {
                    found = true;
                } else if (err == FileError::DiskNotReady) {
                    if (retryAfterDiskNotReady(context, slot[k]))
                        continue;
                    mark[k] = Mark::NotReady;
                } else if (err != FileError::PathNotFound && err != FileError::FileNotFound) {
                    mark[k] = Mark::Replaced;
                }
                break;
            }
        }
        if (mark[k] == Mark::NotReady) {
            mark[k] = Mark::ReplacedAfterDiskError;
            slot[k] = current;
        } else if (!found || mark[k] == Mark::Replaced) {
            mark[k] = Mark::Replaced;
            slot[k] = current;
        }
    }

    if (std::all_of(mark.begin(), mark.end(), [](Mark m) { return m == Mark::None; }))
        return;
    // The repaired paths stay in memory whatever happens to the files.
    for (;;) {
        const int err = SaveDrivePaths(context);
        if (err == FileError::None || DiskErrorMessage(context, err, current) != Msg::ResultRetry)
            break;
    }
}

int SaveDrivePaths(AppContext& context)
{
    QDir::setCurrent(context.installDir.path());

    // Records beyond the third stay as they are: read the whole file first and
    // write it back whole, never a shortened file.
    RecordFile file(context.installDir.file(SettingsFiles::Own), SettingsFiles::RecordLength);
    if (const int err = file.load(); err != FileError::None)
        return err;
    if (QFileInfo(file.path()).size() > file.size())
        return FileError::FileTooLarge; // more than can be read back: never cut it
    for (int k = 1; k <= 3; ++k)
        file.setText(k, 0, SettingsFiles::RecordLength, context.drivePath[k]);
    if (const int err = file.save(); err != FileError::None)
        return err;

    // Each copy is written as a complete new file, so a sibling program never
    // finds a half-written one.
    int result = FileError::None;
    for (const QString& name : SettingsFiles::Copies) {
        const int err = saveFileContents(context.installDir.file(name), file.data());
        if (err != FileError::None && result == FileError::None)
            result = err;
    }
    return result;
}

} // namespace lc
