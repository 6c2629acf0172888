#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The building overview file: a fixed-length record file of 128-byte records in
// the code page, one field per record, left-aligned and blank-padded.
//
//   1 building number    2-4 year, month, day    5 name    6 location    7 use
//   8 structure    9 scale    10 building area    11 total floor area
//   12 person in charge    13-22 remarks 1 to 10    23-30 not used
//
// "kojigai" lies in a project data directory; the other programs of the suite
// leave "Rkojigai", "Dkojigai", "Tkojigai" and "Skojigai" of the same layout in
// the import directory.
namespace lc {

namespace Overview {
constexpr int RecordLength = 128;
constexpr int FieldCount = 22;         // records 1..22 hold the fields
constexpr int NameRecord = 5;          // the building (project) name
constexpr int CreatedRecordCount = 30; // a file created on reading: 3,840 NUL bytes
constexpr int FirstAreaRecord = 10;
constexpr int LastAreaRecord = 11;

inline const QString FileName = QStringLiteral("kojigai");
inline const QString FrameFileName = QStringLiteral("Rkojigai");    // 躯体
inline const QString DesignFileName = QStringLiteral("Dkojigai");   // 意匠
inline const QString FittingsFileName = QStringLiteral("Tkojigai"); // 建具
inline const QString EstimateFileName = QStringLiteral("Skojigai"); // 見積
} // namespace Overview

// Field values indexed by record number 1..22 (index 0 unused).
using OverviewTexts = std::array<QString, Overview::FieldCount + 1>;
// What reading shows, by record number: no value where the record is empty (the
// window's label then keeps what it shows).
using OverviewValues = std::array<std::optional<QString>, Overview::FieldCount + 1>;

// The path of an overview file in dir (one trailing separator of either kind
// removed); an existing file is found whatever the letter case of its name.
// An empty dir (no data directory) gives an empty path, which the readers and the
// writer below treat as a path that does not exist.
QString overviewFilePath(const QString& dir, const QString& fileName = Overview::FileName);

// The text of a record as decoded from the code page, ending at its first NUL.
QString overviewRecordText(QByteArrayView record);

// What the window shows for record n (1..22) holding these bytes, or no value when
// the record is empty (first byte NUL or only blanks) or, for an area record, its
// number is 0:
//   2 the first 4 characters untrimmed; 3, 4 the first 2 characters untrimmed;
//   10, 11 the first 10 characters of the trimmed text as "######.000";
//   otherwise the first 7, 60, 60, 30, 20, 20, 30 or 60 characters of the trimmed
//   text (records 1, 5, 6, 7, 8, 9, 12, 13-22).
std::optional<QString> overviewDisplayText(int record, QByteArrayView bytes);

// The numeric value of text read from its start as far as it reads as a number
// (sign, digits, point, digits, exponent); 0 when it does not start with one.
double leadingNumber(QStringView text);

enum class AreaFormat {
    NoForcedDigit, // "######.000": 0.5 -> ".500"
    ForcedDigit,   // "#####0.000": 0.5 -> "0.500"
};
// An area text trimmed and formatted with three decimals, rounded. Empty text
// gives empty text; a text that is not a number as a whole is returned trimmed
// and unchanged.
QString formatArea(const QString& text, AreaFormat format);

// A date as "yyyy/mm/dd (aaa)" with the short Japanese weekday name: "2026/12/08 (火)".
QString dateWithWeekday(QDate date);

struct OverviewReadResult
{
    int error = 0;        // file-error number; 0 on success
    bool created = false; // the file was missing or empty and now holds 30 NUL records
    OverviewValues values;
};

// Reads the overview file at path by the display rules above. A missing or
// zero-length file is (re)written as 30 NUL records and yields no values. On an
// error no value is set and the file is left as it was.
OverviewReadResult readOverview(const QString& path);

// Writes texts[1..22] trimmed of blanks as records 1 to 22, blank-padded to 128
// bytes and cut at whole characters. The rest of an existing file is kept and the
// file never gets shorter; a missing file is created with 22 records (2,816
// bytes). The new content replaces the old file only once it is complete, so on
// an error (the returned file-error number) the old file is unchanged.
int writeOverview(const QString& path, const OverviewTexts& texts);

struct OverviewNameResult
{
    int error = 0;          // file-error number of a failed read; 0 otherwise
    bool fileEmpty = false; // the file is missing or 0 bytes long
    QString name;           // record 5 trimmed of blanks; empty when there is none
};

// Reads the project name (record 5) of the overview file at path. It neither
// creates nor deletes anything: a missing file, a zero-length file, a file shorter
// than five records, a record starting with NUL and a blank record all give an
// empty name (fileEmpty tells the first two apart). The name is not cut to any
// width; a reader that shows it in a fixed width cuts it with ByteLeftWhole.
OverviewNameResult readOverviewName(const QString& path);

} // namespace lc
