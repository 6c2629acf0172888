#pragma once

#include "common/pathrules.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace lc {

struct AppContext;
class InstallDir;

// The project registry "omkojinm" in the installation directory: 100 records of
// 256 bytes in the code page, each the project name (bytes 1-128) and the
// project's data directory (bytes 129-256), blank-padded; a free record is 256
// blanks. In the environment window each entry is a list item: the two-digit
// position ("01".."99", "00" for the 100th), a blank, then the record.
namespace Koji {
inline const QString FileName = QStringLiteral("omkojinm");
constexpr int RecordLength = 256;
constexpr int RecordCount = 100;
constexpr int FieldWidth = 128;
constexpr int MaxEntries = 100;
constexpr int RegistryNameBytes = 60; // names as the registry stores them
constexpr int PanelNameBytes = 36;    // names as the name panels show them
} // namespace Koji

// The project name of a project directory: record 5 of its overview file
// fileName, trimmed, cut to maxBytes of the code page at whole characters.
// An overview file of length 0 is deleted. Missing or unreadable files give an
// empty name.
QString ReadKojiName(const QString& directory, const QString& fileName, int maxBytes);

// The position of an entry as the list shows it: the last two digits of n.
QString kojiNumber(int n);
// A record (256 bytes of the code page) from a name and a directory, each
// blank-padded and cut to 128 bytes at whole characters.
QString kojiRecord(const QString& name, const QString& directory);
// The list item of entry n holding record.
QString kojiItem(int n, const QString& record);
// Fields of a list item, by byte position: the name field (bytes 4-131) with
// trailing blanks removed, the directory field (bytes 132-259) trimmed, and the
// record (bytes 4-259).
QString kojiItemName(const QString& item);
QString kojiItemDirectory(const QString& item);
QString kojiItemRecord(const QString& item);
// The item with its directory field replaced.
QString kojiItemWithDirectory(const QString& item, const QString& directory);

// The index of the first item whose directory is directory (letter case as the
// platform compares it); -1 when none.
int findKojiItem(const QStringList& items, const QString& directory,
                 PathStyle style = nativePathStyle());

// The items renumbered from 01 in their order.
QStringList renumberKojiItems(const QStringList& items);

// The bytes each entry had in the file, by the record text of its item: an entry
// that was not changed is written back exactly as it was read, whatever bytes
// of it the code page conversion would not give back.
using KojiRecordBytes = QHash<QString, QByteArray>;

// The registry file's 25,600 bytes for the items (at most 100; a blank item
// gives a free record).
QByteArray kojiFileContents(const QStringList& items, const KojiRecordBytes& read = {});

struct KojiLoadResult
{
    QStringList items;
    KojiRecordBytes records;
    int error = 0; // file-error number when the file could not be read or created
};

// Reads the registry: the entries in record order, numbered from 01. The entry
// of the current data directory (DrivePath slot 2) shows the name now in its
// overview file; entries without name and entries whose directory no longer
// exists are left out (a directory on a drive that cannot be read is kept). An
// empty or missing file is written as 100 free records.
KojiLoadResult loadKojiItems(AppContext& context);

// Writes the items as the whole registry file, which replaces the old one only
// once it is complete. 0 or a file-error number.
int saveKojiItems(const InstallDir& installDir, const QStringList& items,
                  const KojiRecordBytes& read = {});

} // namespace lc
