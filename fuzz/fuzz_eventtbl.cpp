// event_tbl as the seasonal step reads it, with the computed rows of the month
// and the pictures of a day.
#include "fuzzinstall.h"

#include "common/bytetext.h"
#include "common/codepage.h"
#include "menu/eventtable.h"

using namespace lc;
using namespace lc::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<EventRow> fileRows = readEventTable(bytesOf(data, size));
    FUZZ_CHECK(fileRows.size() <= EventTable::MaxFileRows);
    for (const EventRow& row : fileRows) {
        // A key is four bytes of the file and never blank, so it cannot end the table.
        FUZZ_CHECK(!trimBlanks(row.DateKey).isEmpty());
        FUZZ_CHECK(row.DateKey.size() <= EventTable::DateKeyBytes);
        FUZZ_CHECK(row.PictureName.size() <= EventTable::PictureNameLength);
    }

    // The day of the first row's key (or a November day with computed rows) in
    // a year whose 15th of November is a Sunday.
    QDate day(2026, 11, 15);
    if (!fileRows.isEmpty()) {
        const QString key = fileRows.front().DateKey;
        const QDate keyed(2026, key.left(2).toInt(), key.mid(2, 2).toInt());
        if (keyed.isValid())
            day = keyed;
    }
    QList<EventRow> rows = fileRows;
    rows += computedEventRows(day);
    const QStringList pictures = matchingPictures(rows, eventDateKey(day));
    FUZZ_CHECK(pictures.size() <= EventTable::MaxPictures);
    for (const QString& name : pictures) {
        if (!isPlainPictureName(name))
            continue;
        // A plain name stays inside the folder "event".
        FUZZ_CHECK(!name.contains(u'/') && !name.contains(u'\\') && !name.startsWith(u'.'), name);
        const QString file = install().context.installDir.file(QStringLiteral("event/") + name + QStringLiteral(".bmp"));
        FUZZ_CHECK(file.startsWith(install().dir() + QStringLiteral("/event/")), file);
    }
    return 0;
}
