// Expanding a folder with 5,000 sub-folders, each holding one sub-folder, in the
// folder tree of the environment window, next to a plain listing of the same
// folder with one probe per sub-folder, in the same run. Prints the times (the
// best and the median of a few rounds) and how long the event loop waited at
// most while the tree listed. Not a test: run it by hand,
//
//   bench_foldertree [count [drive]]
//
// With a drive (a directory, e.g. on a slow file system) the folders are those
// of drive/big, made beforehand by the caller, and each side runs once.
#include "benchplatform.h"
#include "common/appcontext.h"
#include "common/messagebox.h"
#include "platform/platform.h"
#include "project/foldertree.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

using lc::bench::BenchPlatform;
using lc::bench::NoMessages;

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// "best 12.3 ms, median 13.4 ms" (or the one figure) of the rounds.
QString figure(QList<double> rounds)
{
    std::sort(rounds.begin(), rounds.end());
    if (rounds.size() == 1)
        return QStringLiteral("%1 ms").arg(rounds.first(), 0, 'f', 1);
    return QStringLiteral("best %1 ms, median %2 ms")
        .arg(rounds.first(), 0, 'f', 1)
        .arg(rounds.at(rounds.size() / 2), 0, 'f', 1);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 5000;
    const bool ownDrive = argc <= 2;
    const int rounds = ownDrive ? 5 : 1;
    QTextStream out(stdout);

    QTemporaryDir temporary;
    const QString drive =
        ownDrive ? temporary.path() : QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    const QString big = drive + QStringLiteral("/big");
    QElapsedTimer timer;
    if (ownDrive) {
        timer.start();
        for (int i = 0; i < count; ++i)
            QDir().mkpath(big + QStringLiteral("/folder%1/inner").arg(i, 5, 10, QLatin1Char('0')));
        out << "tree of " << count << " folders with one sub-folder each made in " << ms(timer)
            << " ms\n";

        // A plain walk: every folder of the tree.
        timer.restart();
        int walked = 0;
        for (QDirIterator it(big, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
             it.hasNext();) {
            it.next();
            ++walked;
        }
        out << "plain walk of " << walked << " folders: " << ms(timer) << " ms\n";
    } else {
        out << "folders of " << big << "\n";
    }
    out.flush();

    BenchPlatform platform(drive);
    NoMessages messages;
    lc::AppContext context;
    context.platform = &platform;
    context.messages = &messages;
    QWidget window;
    window.resize(300, 400);
    auto* tree = new lc::FolderTree(context, &window);
    tree->resize(300, 400);
    window.show();

    // The event loop's view: a timer that wants to run all the time.
    qint64 longestWait = 0;
    qint64 turns = 0;
    QElapsedTimer sinceTurn;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        longestWait = std::max(longestWait, sinceTurn.nsecsElapsed());
        sinceTurn.restart();
        ++turns;
    });

    QList<double> listing, returned, painted, waits;
    int probed = 0;
    int shown = 0;
    int children = 0;
    int marked = 0;
    for (int round = 0; round < rounds; ++round) {
        // What the tree does by hand: list the folder, probe each child for one
        // sub-folder.
        timer.restart();
        probed = 0;
        for (QDirIterator it(big, QDir::Dirs | QDir::NoDotAndDotDot); it.hasNext();) {
            it.next();
            QDirIterator sub(it.filePath(), QDir::Dirs | QDir::NoDotAndDotDot);
            probed += sub.hasNext() ? 1 : 0;
        }
        listing.append(ms(timer));

        tree->InitFolderTree(QStringLiteral("環境設定"));
        ticker.start();
        QCoreApplication::processEvents();
        sinceTurn.start();
        turns = 0;
        longestWait = 0;

        timer.restart();
        shown = tree->ShowFolderInTree(big);
        returned.append(ms(timer));
        // The round of events that paints the opened folder counts too.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        painted.append(ms(timer));
        longestWait = std::max(longestWait, sinceTurn.nsecsElapsed());
        ticker.stop();
        waits.append(double(longestWait) / 1e6);

        QTreeWidgetItem* node = tree->node(big);
        children = node ? node->childCount() : 0;
        marked = 0;
        for (int i = 0; i < children; ++i)
            marked += node->child(i)->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    }
    const auto best = [](const QList<double>& l) { return *std::min_element(l.begin(), l.end()); };

    out << "plain listing with one probe per folder (" << probed
        << " with sub-folders): " << figure(listing) << "\n";
    out << "folder tree: ShowFolderInTree " << (shown == 0 ? "shown" : "FAILED") << ", " << children
        << " child nodes, " << marked << " with an expand mark: " << figure(returned)
        << "; painted: " << figure(painted) << "\n";
    out << "tree / listing (best): " << QString::number(best(returned) / best(listing), 'f', 2)
        << "x, painted " << QString::number(best(painted) / best(listing), 'f', 2) << "x\n";
    out << "event loop while listing: longest wait "
        << QString::number(*std::max_element(waits.begin(), waits.end()), 'f', 1)
        << " ms over all rounds (" << turns << " turns in the last round)\n";
    return shown == 0 && children == count && marked == probed ? 0 : 1;
}
