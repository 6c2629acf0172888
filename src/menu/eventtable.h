#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace lc {

// One row of the seasonal picture table: the day (month and day, two digits
// each) and the name of the bitmap in the folder "event".
struct EventRow
{
    QString DateKey;     // four characters
    QString PictureName; // at most eight characters, trimmed

    bool operator==(const EventRow&) const = default;
};

namespace EventTable {
// Rows taken from event_tbl at most; further fields are ignored.
constexpr int MaxFileRows = 99;
// Seasonal picture boxes Picture1(1..3).
constexpr int MaxPictures = 3;
constexpr int DateKeyBytes = 4;
constexpr int PictureNameLength = 8;
} // namespace EventTable

// The rows of event_tbl. Fields are read one after the other; reading stops at a
// field "999" or at the field that reaches the end of the text, which is not
// stored. A field whose first four bytes hold no key (shorter than four bytes, or
// blank) is passed over, so it can neither end the table early nor match a day.
QList<EventRow> readEventTable(const QByteArray& bytes);

// The holiday weekends the menu computes for the month of date: the Friday,
// Saturday and Sunday ending on the second Sunday of January ("view02"), May
// ("view10") and October ("view14") and on the third Sunday of June ("view11"),
// and the 15th of November ("view16"), with the 13th and 14th when the 15th is a
// Sunday or the 14th when it is a Saturday. Other months have none.
QList<EventRow> computedEventRows(QDate date);

// The key of a day: month and day, two digits each ("0106").
QString eventDateKey(QDate date);

// Picture names of the rows whose key is key, in row order, at most max of them.
QStringList matchingPictures(const QList<EventRow>& rows, const QString& key,
                             int max = EventTable::MaxPictures);

// True when name can be used as a file name inside the folder "event".
bool isPlainPictureName(const QString& name);

} // namespace lc
