// The project registry omkojinm as the environment window loads it, and its
// save by OK read back at the next activation.
#include "fuzzinstall.h"

#include "common/bytetext.h"
#include "common/fileerror.h"
#include "overview/overviewfile.h"
#include "project/kojiregistry.h"

#include <QDir>

using namespace lc;
using namespace lc::fuzz;

namespace {

void checkItems(const QStringList& items)
{
    FUZZ_CHECK(items.size() <= Koji::MaxEntries);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString& item = items.at(i);
        FUZZ_CHECK(ByteLen(item) == 3 + Koji::RecordLength, item);
        FUZZ_CHECK(item.startsWith(kojiNumber(int(i + 1)) + u' '), item);
        FUZZ_CHECK(!trimBlanks(kojiItemName(item)).isEmpty(), item);
        FUZZ_CHECK(!kojiItemDirectory(item).isEmpty(), item);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInstall& in = install();
    AppContext& context = in.freshContext();
    // The current data directory, with a project name of its own.
    const QString dataDir = in.path(QStringLiteral("data"));
    QDir().mkpath(dataDir);
    if (!QFileInfo::exists(dataDir + QStringLiteral("/kojigai"))) {
        QByteArray overview(Overview::FieldCount * Overview::RecordLength, ' ');
        overview.replace(4 * Overview::RecordLength, 8, "GENBA-01");
        in.writeFile(QStringLiteral("data/kojigai"), overview);
    }
    context.drivePath[1] = in.dir();
    context.drivePath[2] = dataDir;
    context.drivePath[3] = in.dir();

    const QByteArray input = bytesOf(data, size);
    in.writeFile(Koji::FileName, input);
    const KojiLoadResult loaded = loadKojiItems(context);
    FUZZ_CHECK(loaded.error == FileError::None);
    FUZZ_CHECK(QDir::current() == QDir(in.dir()));
    checkItems(loaded.items);
    // Loading writes only an empty file, as 100 free records.
    const QByteArray afterLoad = in.readFile(Koji::FileName);
    if (input.isEmpty())
        FUZZ_CHECK(afterLoad == QByteArray(Koji::RecordLength * Koji::RecordCount, ' '));
    else
        FUZZ_CHECK(afterLoad == input);

    // OK writes the list; the next activation shows the same list.
    FUZZ_CHECK(saveKojiItems(context.installDir, loaded.items) == FileError::None);
    const QByteArray saved = in.readFile(Koji::FileName);
    FUZZ_CHECK(saved.size() == Koji::RecordLength * Koji::RecordCount);
    FUZZ_CHECK(saved == kojiFileContents(loaded.items));
    const KojiLoadResult again = loadKojiItems(context);
    FUZZ_CHECK(again.error == FileError::None);
    FUZZ_CHECK(again.items == loaded.items);
    return 0;
}
