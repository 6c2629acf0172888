#include "kojiregistry.h"

#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/fileerror.h"
#include "common/recordfile.h"
#include "folder.h"
#include "overview/overviewfile.h"
#include "projectpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lc {
namespace {

// Errors that make a step of loading be skipped at once; others are tried a few
// times before the step is given up.
bool skipsLoadStep(int error)
{
    return error == FileError::BadFileNameOrNumber || error == FileError::DeviceUnavailable ||
           error == FileError::DiskNotReady || FileError::isAccessError(error) ||
           error == FileError::PathNotFound;
}
constexpr int LoadAttempts = 3;

// A field of a record: its bytes up to the first NUL, decoded and trimmed.
QString recordField(const QByteArray& record, int offset, int width)
{
    QByteArray bytes = record.mid(offset, width);
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return trimBlanks(fromCodePage(bytes));
}

bool isAllBlanks(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (c != ' ')
            return false;
    }
    return true;
}

} // namespace

QString ReadKojiName(const QString& directory, const QString& fileName, int maxBytes)
{
    const QString path = overviewFilePath(directory, fileName);
    if (path.isEmpty())
        return {};
    const OverviewNameResult read = readOverviewName(path);
    if (read.fileEmpty) {
        // An overview file of length 0 holds nothing worth keeping.
        const QFileInfo info(path);
        if (info.isFile() && info.size() == 0)
            QFile::remove(path);
        return {};
    }
    if (read.error != FileError::None)
        return {};
    return ByteLeftWhole(read.name, maxBytes);
}

QString kojiNumber(int n)
{
    return QString::asprintf("%02d", ((n % 100) + 100) % 100);
}

QString kojiRecord(const QString& name, const QString& directory)
{
    return fromCodePage(fixedField(name, Koji::FieldWidth) +
                        fixedField(directory, Koji::FieldWidth));
}

QString kojiItem(int n, const QString& record)
{
    return kojiNumber(n) + u' ' + record;
}

QString kojiItemName(const QString& item)
{
    return trimTrailingBlanks(ByteMid(item, 4, Koji::FieldWidth));
}

QString kojiItemDirectory(const QString& item)
{
    return trimBlanks(ByteMid(item, 4 + Koji::FieldWidth, Koji::FieldWidth));
}

QString kojiItemRecord(const QString& item)
{
    return ByteMid(item, 4, Koji::RecordLength);
}

QString kojiItemWithDirectory(const QString& item, const QString& directory)
{
    QString head = ByteLeft(item, 3 + Koji::FieldWidth);
    const int missing = 3 + Koji::FieldWidth - ByteLen(head);
    if (missing > 0)
        head += QString(missing, u' ');
    return head + fromCodePage(fixedField(directory, Koji::FieldWidth));
}

int findKojiItem(const QStringList& items, const QString& directory, PathStyle style)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString dir = kojiItemDirectory(items.at(i));
        if (!dir.isEmpty() && projectpaths::samePath(dir, directory, style))
            return int(i);
    }
    return -1;
}

QStringList renumberKojiItems(const QStringList& items)
{
    QStringList out;
    out.reserve(items.size());
    for (qsizetype k = 0; k < items.size(); ++k) {
        QString copy = items.at(k);
        ByteMidSet(copy, 1, 2, kojiNumber(int(k + 1)));
        out.append(copy);
    }
    return out;
}

QByteArray kojiFileContents(const QStringList& items, const KojiRecordBytes& read)
{
    QByteArray bytes;
    bytes.reserve(Koji::RecordLength * Koji::RecordCount);
    for (int r = 0; r < Koji::RecordCount; ++r) {
        const QString item = r < items.size() ? items.at(r) : QString();
        QByteArray record;
        if (!trimBlanks(item).isEmpty()) {
            const QString text = kojiItemRecord(item);
            const auto original = read.constFind(text);
            record = original != read.constEnd() ? *original
                                                 : toCodePage(text).left(Koji::RecordLength);
        }
        record.append(Koji::RecordLength - record.size(), ' ');
        bytes.append(record);
    }
    return bytes;
}

KojiLoadResult loadKojiItems(AppContext& context)
{
    KojiLoadResult result;
    const QString current = context.drivePath[2];
    const QString currentName =
        trimTrailingBlanks(ReadKojiName(current, Overview::FileName, Koji::RegistryNameBytes));

    QDir::setCurrent(context.installDir.path());

    RecordFile file(context.installDir.file(Koji::FileName), Koji::RecordLength);
    int error = FileError::None;
    for (int attempt = 0; attempt < LoadAttempts; ++attempt) {
        error = file.load(RecordFile::Open::CreateIfMissing);
        if (error == FileError::None || skipsLoadStep(error))
            break;
    }
    if (error != FileError::None) {
        // Unread, the file is left exactly as it is.
        result.error = error;
        return result;
    }
    if (file.isEmpty()) {
        result.error = saveKojiItems(context.installDir, {});
        return result;
    }

    int n = 0;
    for (int r = 1; r <= Koji::RecordCount; ++r) {
        const QByteArray record = file.record(r);
        if (record.startsWith('\0') || isAllBlanks(record))
            continue;
        const QString directory = recordField(record, Koji::FieldWidth, Koji::FieldWidth);
        if (directory.isEmpty())
            continue;
        // The entry of the current data directory shows the name now in its
        // overview file.
        const QString name = projectpaths::samePath(directory, current)
                                 ? currentName
                                 : recordField(record, 0, Koji::FieldWidth);
        if (trimBlanks(name).isEmpty())
            continue;
        int kind = DirectoryKind::Exists;
        CheckDirectory(context, directory, kind, false);
        if (kind == DirectoryKind::Missing)
            continue;
        ++n;
        const QString text = kojiRecord(name, directory);
        result.items.append(kojiItem(n, text));
        if (record.size() == Koji::RecordLength && name == recordField(record, 0, Koji::FieldWidth))
            result.records.insert(text, record);
    }
    return result;
}

int saveKojiItems(const InstallDir& installDir, const QStringList& items,
                  const KojiRecordBytes& read)
{
    QDir::setCurrent(installDir.path());
    return saveFileContents(installDir.file(Koji::FileName), kojiFileContents(items, read));
}

} // namespace lc
