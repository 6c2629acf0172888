#include "eventtable.h"

#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/quotedfields.h"

namespace lc {
namespace {

QByteArray trimmedBytes(const QByteArray& bytes)
{
    qsizetype b = 0;
    qsizetype e = bytes.size();
    while (b < e && bytes[b] == ' ')
        ++b;
    while (e > b && bytes[e - 1] == ' ')
        --e;
    return bytes.mid(b, e - b);
}

EventRow makeRow(QDate date, const QString& picture)
{
    return {eventDateKey(date), picture};
}

} // namespace

QList<EventRow> readEventTable(const QByteArray& bytes)
{
    QList<EventRow> rows;
    QuotedFieldReader reader(bytes);
    if (reader.atEnd())
        return rows;
    while (rows.size() < EventTable::MaxFileRows) {
        const QByteArray field = reader.nextBytes();
        // The field that ends the reading is not stored, so a table without its
        // closing "999" loses its last field.
        if (trimmedBytes(field) == "999" || reader.atEnd())
            break;
        const QByteArray key = field.left(EventTable::DateKeyBytes);
        if (key.size() < EventTable::DateKeyBytes || trimmedBytes(key).isEmpty())
            continue;
        const QString name =
            trimBlanks(fromCodePage(trimmedBytes(field).mid(EventTable::DateKeyBytes)));
        rows.append({fromCodePage(key), name.left(EventTable::PictureNameLength)});
    }
    return rows;
}

QList<EventRow> computedEventRows(QDate date)
{
    QList<EventRow> rows;
    if (!date.isValid())
        return rows;
    const int year = date.year();
    const int month = date.month();
    // Monday 1 to Sunday 7: the Friday before the second Sunday falls on the
    // 13th minus the weekday of the 1st (the 6th when the 1st is a Sunday).
    const int firstWeekday = QDate(year, month, 1).dayOfWeek();
    auto weekend = [&](int friday, const QString& picture) {
        for (int day = friday; day < friday + 3; ++day)
            rows.append(makeRow(QDate(year, month, day), picture));
    };
    switch (month) {
    case 1:
        weekend(13 - firstWeekday, QStringLiteral("view02"));
        break;
    case 5:
        weekend(13 - firstWeekday, QStringLiteral("view10"));
        break;
    case 6:
        weekend(20 - firstWeekday, QStringLiteral("view11")); // third Sunday
        break;
    case 10:
        weekend(13 - firstWeekday, QStringLiteral("view14"));
        break;
    case 11: {
        const int weekday15 = QDate(year, month, 15).dayOfWeek();
        const int first = weekday15 == 7 ? 13 : weekday15 == 6 ? 14 : 15;
        for (int day = first; day <= 15; ++day)
            rows.append(makeRow(QDate(year, month, day), QStringLiteral("view16")));
        break;
    }
    default:
        break;
    }
    return rows;
}

QString eventDateKey(QDate date)
{
    return QStringLiteral("%1%2")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QStringList matchingPictures(const QList<EventRow>& rows, const QString& key, int max)
{
    QStringList names;
    for (const EventRow& row : rows) {
        const QString rowKey = trimBlanks(row.DateKey);
        if (rowKey.isEmpty())
            break;
        if (rowKey == key && names.size() < max)
            names.append(trimBlanks(row.PictureName));
    }
    return names;
}

bool isPlainPictureName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

} // namespace lc
