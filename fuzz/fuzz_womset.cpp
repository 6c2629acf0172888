// WOMSET as the start-up loads it: the three working paths are repaired, and
// where one had to be replaced the settings file and its five copies are written.
#include "fuzzinstall.h"

#include "common/drivepaths.h"
#include "common/settingsfiles.h"

#include <QDir>

using namespace lc;
using namespace lc::fuzz;

namespace {

constexpr qsizetype PathBytes = 3 * SettingsFiles::RecordLength;

QList<QByteArray> settingsFiles(const FuzzInstall& in)
{
    QList<QByteArray> files{in.readFile(SettingsFiles::Own)};
    for (const QString& copy : SettingsFiles::Copies)
        files.append(in.readFile(copy));
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInstall& in = install();
    for (const QString& copy : SettingsFiles::Copies)
        in.removeFile(copy);
    const QByteArray input = bytesOf(data, size);
    in.writeFile(SettingsFiles::Own, input);

    AppContext& context = in.freshContext();
    LoadDrivePaths(context);
    FUZZ_CHECK(QDir::current() == QDir(in.dir()));
    for (int k = 1; k <= 3; ++k)
        FUZZ_CHECK(!context.drivePath[k].isEmpty());

    const QList<QByteArray> files = settingsFiles(in);
    const QByteArray& own = files.front();
    if (own != input) {
        // Rewritten: at least three records, nothing beyond them lost, and five
        // copies of the same bytes.
        FUZZ_CHECK(own.size() == std::max(input.size(), PathBytes));
        FUZZ_CHECK(own.mid(PathBytes) == input.mid(PathBytes));
        for (const QByteArray& copy : files)
            FUZZ_CHECK(copy == own);
    } else {
        for (qsizetype i = 1; i < files.size(); ++i)
            FUZZ_CHECK(files.at(i).isEmpty());
    }

    // The paths as repaired need no further repair at the next start.
    AppContext& next = in.freshContext();
    LoadDrivePaths(next);
    FUZZ_CHECK(settingsFiles(in) == files);
    for (int k = 1; k <= 3; ++k)
        FUZZ_CHECK(!next.drivePath[k].isEmpty());
    return 0;
}
