// Loading a full project registry of 100 entries, each a project directory with
// its overview file, next to a plain read of the same file and a look at each of
// its directories. Not a test: run it by hand, `bench_registry [rounds]`.

#include "benchplatform.h"
#include "common/appcontext.h"
#include "common/codepage.h"
#include "common/recordfile.h"
#include "overview/overviewfile.h"
#include "project/kojiregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    QTemporaryDir root;
    const QString install = root.filePath(QStringLiteral("install"));
    QDir().mkpath(install);
    QByteArray registry;
    for (int n = 1; n <= 100; ++n) {
        const QString dir = root.filePath(QStringLiteral("projects/工事%1").arg(n, 3, 10, QLatin1Char('0')));
        QDir().mkpath(dir);
        lc::RecordFile overview(dir + QStringLiteral("/kojigai"), 128);
        overview.ensureRecords(30);
        overview.setText(5, 0, 128, QStringLiteral("（仮称）第%1号 新築工事").arg(n));
        overview.save();
        QByteArray record = lc::toCodePage(QStringLiteral("（仮称）第%1号 新築工事").arg(n)).leftJustified(128, ' ');
        record += lc::toCodePage(dir).leftJustified(128, ' ');
        registry += record;
    }
    QFile f(install + QStringLiteral("/omkojinm"));
    if (!f.open(QIODevice::WriteOnly) || f.write(registry) != registry.size())
        return 1;
    f.close();

    lc::bench::BenchPlatform platform(root.path());
    lc::bench::NoMessages messages;
    lc::AppContext context;
    context.installDir = lc::InstallDir(install);
    context.platform = &platform;
    context.messages = &messages;
    for (int k = 1; k <= 3; ++k)
        context.drivePath[k] = root.filePath(QStringLiteral("projects/工事001"));

    std::vector<double> load;
    std::vector<double> plain;
    int entries = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        entries = int(lc::loadKojiItems(context).items.size());
        load.push_back(double(t.nsecsElapsed()) / 1e6);

        t.restart();
        QFile file(install + QStringLiteral("/omkojinm"));
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        int dirs = 0;
        for (int n = 0; n < 100; ++n)
            dirs += QFileInfo(lc::fromCodePage(bytes.mid(n * 256 + 128, 128)).trimmed()).isDir() ? 1 : 0;
        plain.push_back(double(t.nsecsElapsed()) / 1e6);
        if (dirs != 100)
            return 1;
    }
    std::printf("registry of %d entries, median of %d rounds:\n", entries, rounds);
    std::printf("  loadKojiItems (the environment window's load)   %8.2f ms\n", median(load));
    std::printf("  baseline: read the file and look at each folder %8.2f ms\n", median(plain));
    return 0;
}
