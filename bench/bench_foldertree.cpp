// Expanding a folder with 5,000 sub-folders, each holding one sub-folder, in the
// folder tree of the environment window, next to a plain walk of the same tree.
// Prints the times and how long the event loop waited at most while the tree
// listed. Not a test: run it by hand, `bench_foldertree [count]`.

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

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 5000;
    QTextStream out(stdout);

    QTemporaryDir drive;
    const QString big = drive.path() + QStringLiteral("/big");
    QElapsedTimer timer;
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

    // What the tree does by hand: list the folder, probe each child for one sub-folder.
    timer.restart();
    int probed = 0;
    for (QDirIterator it(big, QDir::Dirs | QDir::NoDotAndDotDot); it.hasNext();) {
        it.next();
        QDirIterator sub(it.filePath(), QDir::Dirs | QDir::NoDotAndDotDot);
        probed += sub.hasNext() ? 1 : 0;
    }
    out << "plain listing with one probe per folder (" << probed
        << " with sub-folders): " << ms(timer) << " ms\n";

    BenchPlatform platform(drive.path());
    NoMessages messages;
    lc::AppContext context;
    context.platform = &platform;
    context.messages = &messages;
    QWidget window;
    window.resize(300, 400);
    auto* tree = new lc::FolderTree(context, &window);
    tree->resize(300, 400);
    window.show();
    tree->InitFolderTree(QStringLiteral("環境設定"));

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
    ticker.start();
    QCoreApplication::processEvents();
    sinceTurn.start();
    turns = 0;
    longestWait = 0;

    timer.restart();
    const int shown = tree->ShowFolderInTree(big);
    const double expandMs = ms(timer);
    // The last stretch up to the next turn of the loop counts as waiting too.
    longestWait = std::max(longestWait, sinceTurn.nsecsElapsed());
    ticker.stop();

    QTreeWidgetItem* node = tree->node(big);
    int marked = 0;
    for (int i = 0; node && i < node->childCount(); ++i)
        marked += node->child(i)->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator ? 1 : 0;
    out << "folder tree: ShowFolderInTree " << (shown == 0 ? "shown" : "FAILED") << ", "
        << (node ? node->childCount() : 0) << " child nodes, " << marked
        << " with an expand mark: " << expandMs << " ms\n";
    out << "event loop while listing: " << turns << " turns, longest wait "
        << double(longestWait) / 1e6 << " ms\n";
    return shown == 0 ? 0 : 1;
}
