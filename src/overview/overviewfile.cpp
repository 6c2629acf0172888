#include "overviewfile.h"

#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/fileerror.h"
#include "common/installdir.h"
#include "common/pathrules.h"
#include "common/recordfile.h"

#include <QFileInfo>

#include <cmath>

namespace lc {

namespace {

// Characters shown of each record's trimmed text (0: a rule of its own).
constexpr std::array<int, Overview::FieldCount + 1> ShownLength = {
    0,                                             // unused
    7,  0,  0,  0,  60, 60, 30, 20, 20, 0,  0, 30, // records 1..12
    60, 60, 60, 60, 60, 60, 60, 60, 60, 60,        // remarks 13..22
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Length of the number at the start of text (0 when there is none); digits tells
// whether it holds at least one digit.
qsizetype numberPrefix(QStringView text, bool& digits)
{
    qsizetype i = 0;
    digits = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (digits && i < text.size()) {
        const QChar e = text[i].toUpper();
        if (e == u'E' || e == u'D') {
            qsizetype j = i + 1;
            if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
                ++j;
            if (j < text.size() && isDigit(text[j])) {
                while (j < text.size() && isDigit(text[j]))
                    ++j;
                i = j;
            }
        }
    }
    return i;
}

double parseNumber(QStringView text)
{
    QString normal = text.toString();
    normal.replace(u'D', u'E').replace(u'd', u'e');
    if (normal.endsWith(u'.'))
        normal.chop(1);
    if (normal.isEmpty() || QStringView(normal) == u"+" || QStringView(normal) == u"-")
        return 0.0;
    bool ok = false;
    const double v = normal.toDouble(&ok);
    return ok ? v : 0.0;
}

} // namespace

QString overviewFilePath(const QString& dir, const QString& fileName)
{
    if (dir.isEmpty())
        return {};
    return resolveCaseInsensitive(paths::withoutTrailingSeparator(dir), fileName);
}

QString overviewRecordText(QByteArrayView record)
{
    const qsizetype nul = record.indexOf('\0');
    return fromCodePage(nul < 0 ? record : record.first(nul));
}

double leadingNumber(QStringView text)
{
    bool digits = false;
    const qsizetype n = numberPrefix(text, digits);
    return digits ? parseNumber(text.first(n)) : 0.0;
}

QString formatArea(const QString& text, AreaFormat format)
{
    const QString t = trimBlanks(text);
    if (t.isEmpty())
        return {};
    bool digits = false;
    if (numberPrefix(t, digits) != t.size() || (!digits && QStringView(t) != u"."))
        return t;
    double v = parseNumber(t);
    if (!std::isfinite(v))
        return t;
    QString out = QString::number(v, 'f', 3);
    if (out.startsWith(u'-') && QStringView(out).mid(1) == u"0.000")
        out.remove(0, 1);
    if (format == AreaFormat::NoForcedDigit) {
        const qsizetype zero = out.startsWith(u'-') ? 1 : 0;
        if (QStringView(out).mid(zero, 2) == u"0.")
            out.remove(zero, 1);
    }
    return out;
}

QString dateWithWeekday(QDate date)
{
    static constexpr char16_t Weekdays[] = u"月火水木金土日"; // Monday = 1
    const int day = date.dayOfWeek();
    if (day < 1 || day > 7)
        return {};
    return QStringLiteral("%1/%2/%3 (%4)")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(QChar(Weekdays[day - 1]));
}

std::optional<QString> overviewDisplayText(int record, QByteArrayView bytes)
{
    if (record < 1 || record > Overview::FieldCount || bytes.isEmpty() || bytes.front() == '\0')
        return std::nullopt;
    const QString raw = overviewRecordText(bytes);
    const QString trimmed = trimBlanks(raw);
    if (trimmed.isEmpty())
        return std::nullopt;
    switch (record) {
    case 2:
        return raw.left(4);
    case 3:
    case 4:
        return raw.left(2);
    case Overview::FirstAreaRecord:
    case Overview::LastAreaRecord: {
        const QString first = trimmed.left(10);
        if (leadingNumber(first) == 0.0)
            return std::nullopt;
        return formatArea(first, AreaFormat::NoForcedDigit);
    }
    default:
        return trimmed.left(ShownLength.at(record));
    }
}

OverviewReadResult readOverview(const QString& path)
{
    OverviewReadResult result;
    if (path.isEmpty()) {
        result.error = FileError::PathNotFound;
        return result;
    }
    RecordFile file(path, Overview::RecordLength);
    result.error = file.load();
    if (result.error != FileError::None)
        return result;
    if (file.isEmpty()) {
        file.ensureRecords(Overview::CreatedRecordCount);
        result.error = file.save();
        result.created = result.error == FileError::None;
        return result;
    }
    for (int n = 1; n <= Overview::FieldCount; ++n)
        result.values[n] = overviewDisplayText(n, file.record(n));
    return result;
}

int writeOverview(const QString& path, const OverviewTexts& texts)
{
    if (path.isEmpty())
        return FileError::PathNotFound;
    RecordFile file(path, Overview::RecordLength);
    if (const int error = file.load(); error != FileError::None)
        return error;
    // The whole file is rewritten: never write back less than is there.
    if (file.existed() && QFileInfo(path).size() > file.size())
        return FileError::FileTooLarge; // more than can be read back: never cut it
    for (int n = 1; n <= Overview::FieldCount; ++n)
        file.setText(n, 0, Overview::RecordLength, trimBlanks(texts.at(n)));
    return file.save();
}

OverviewNameResult readOverviewName(const QString& path)
{
    OverviewNameResult result;
    if (path.isEmpty()) {
        result.fileEmpty = true;
        return result;
    }
    RecordFile file(path, Overview::RecordLength);
    result.error = file.load();
    if (result.error != FileError::None)
        return result;
    result.fileEmpty = file.isEmpty();
    const QByteArray record = file.record(Overview::NameRecord);
    if (!record.startsWith('\0'))
        result.name = trimBlanks(overviewRecordText(record));
    return result;
}

} // namespace lc
