// An overview file as the overview window reads it (kojigai) and as the project
// name readers read it (kojigai and the import directory's Rkojigai, Dkojigai,
// Tkojigai, Skojigai); then a save of what was read.
#include "fuzzinstall.h"

#include "common/bytetext.h"
#include "common/fileerror.h"
#include "overview/overviewfile.h"
#include "project/kojiregistry.h"

#include <QDir>

using namespace lc;
using namespace lc::fuzz;

namespace {

// The window's labels after reading: what the file gave, empty elsewhere.
OverviewTexts labelsOf(const OverviewValues& values)
{
    OverviewTexts texts;
    for (int n = 1; n <= Overview::FieldCount; ++n)
        texts[n] = values[n].value_or(QString());
    return texts;
}

constexpr qsizetype FieldBytes = qsizetype(Overview::FieldCount) * Overview::RecordLength;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInstall& in = install();
    const QString dir = in.path(QStringLiteral("data"));
    QDir().mkpath(dir);
    const QByteArray input = bytesOf(data, size);
    const QString name = Overview::FileName;
    const QString path = dir + u'/' + name;

    // The name readers neither create nor change a file that holds something.
    in.writeFile(QStringLiteral("data/") + name, input);
    const OverviewNameResult read = readOverviewName(path);
    FUZZ_CHECK(read.error == FileError::None);
    FUZZ_CHECK(read.fileEmpty == input.isEmpty());
    FUZZ_CHECK(read.name == trimBlanks(read.name));
    for (const int width : {Koji::RegistryNameBytes, Koji::PanelNameBytes}) {
        const QString cut = ReadKojiName(dir, name, width);
        FUZZ_CHECK(ByteLen(cut) <= width);
        FUZZ_CHECK(read.name.startsWith(cut));
    }
    // An empty file is deleted by the name reader; otherwise it is left alone.
    FUZZ_CHECK(QFileInfo::exists(path) != input.isEmpty());
    FUZZ_CHECK(input.isEmpty() || in.readFile(QStringLiteral("data/") + name) == input);

    // gaiyo_get: an empty file becomes 30 NUL records, anything else is only read.
    in.writeFile(QStringLiteral("data/") + name, input);
    const OverviewReadResult shown = readOverview(overviewFilePath(dir));
    FUZZ_CHECK(shown.error == FileError::None);
    const QByteArray afterRead = in.readFile(QStringLiteral("data/") + name);
    if (input.isEmpty()) {
        FUZZ_CHECK(shown.created);
        FUZZ_CHECK(afterRead == QByteArray(Overview::CreatedRecordCount * Overview::RecordLength, '\0'));
        return 0;
    }
    FUZZ_CHECK(afterRead == input);
    static constexpr int Shown[] = {0, 7, 4, 2, 2, 60, 60, 30, 20, 20, -1, -1, 30};
    for (int n = 1; n <= Overview::FieldCount; ++n) {
        if (!shown.values[n])
            continue;
        const int limit = n <= 12 ? Shown[n] : 60;
        if (limit > 0)
            FUZZ_CHECK(shown.values[n]->size() <= limit, *shown.values[n]);
    }

    // gaiyo_put of the labels as read: the file keeps what lies beyond the fields
    // and never gets shorter; saving what it then shows writes the same bytes.
    FUZZ_CHECK(writeOverview(path, labelsOf(shown.values)) == FileError::None);
    const QByteArray saved = in.readFile(QStringLiteral("data/") + name);
    FUZZ_CHECK(saved.size() == std::max(input.size(), FieldBytes));
    FUZZ_CHECK(saved.mid(FieldBytes) == input.mid(FieldBytes));
    for (int n = 1; n <= Overview::FieldCount; ++n) {
        const QByteArray record = saved.mid(qsizetype(n - 1) * Overview::RecordLength, Overview::RecordLength);
        FUZZ_CHECK(record.size() == Overview::RecordLength && !record.contains('\0'));
    }
    const OverviewReadResult reread = readOverview(path);
    FUZZ_CHECK(reread.error == FileError::None);
    FUZZ_CHECK(writeOverview(path, labelsOf(reread.values)) == FileError::None);
    const QByteArray savedAgain = in.readFile(QStringLiteral("data/") + name);
    FUZZ_CHECK(savedAgain.size() == saved.size());
    FUZZ_CHECK(savedAgain.mid(FieldBytes) == saved.mid(FieldBytes));
    for (int n = 1; n <= Overview::FieldCount; ++n) {
        const bool area = n == Overview::FirstAreaRecord || n == Overview::LastAreaRecord;
        // The reader takes 10 characters of an area: an area formatted wider than
        // that (11 or more integer digits, from a number such as 1e300 that no
        // window typed) is read back as another number.
        if (area && shown.values[n] && shown.values[n]->size() > 10 + 4)
            continue;
        const qsizetype at = qsizetype(n - 1) * Overview::RecordLength;
        FUZZ_CHECK(savedAgain.mid(at, Overview::RecordLength) == saved.mid(at, Overview::RecordLength),
                   QStringLiteral("record %1: %2 / %3")
                       .arg(n)
                       .arg(QString::fromLatin1(saved.mid(at, Overview::RecordLength).toHex()),
                            QString::fromLatin1(savedAgain.mid(at, Overview::RecordLength).toHex())));
    }
    return 0;
}
