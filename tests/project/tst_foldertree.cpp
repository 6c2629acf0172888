#include "common/fileerror.h"
#include "common/messagebox.h"
#include "project/folder.h"
#include "project/foldertree.h"
#include "testcontext.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace lc;
using lc::test::TestContext;

namespace {

void makeDirs(const QString& base, const QStringList& dirs)
{
    for (const QString& d : dirs)
        QVERIFY(QDir().mkpath(base + u'/' + d));
}

QStringList childTexts(const QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out.append(item->child(i)->text(0));
    return out;
}

// A tree on a drive that is a temporary directory.
struct Tree
{
    Tree()
    {
        t.platform.roots = {drive.path()};
        tree = new FolderTree(t.context, &host);
        tree->InitFolderTree(QStringLiteral("環境設定"));
    }
    QString path(const QString& rel) const { return drive.path() + u'/' + rel; }
    QTreeWidgetItem* driveNode() const { return tree->node(drive.path()); }

    QTemporaryDir drive;
    TestContext t;
    QWidget host;
    FolderTree* tree = nullptr;
};

} // namespace

class TestFolderTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initBuildsDesktopComputerAndDrives();
    void listingShowsFoldersAsTheSystemDoes();
    void childrenAreListedOnDemand();
    void mountPointsAreNotListedTwice();
    void linksUpTheTreeAreNotOpened();
    void selectionKeepsTheLeftEdge();
    void showFolderInTree_data();
    void showFolderInTree();
    void hiddenFolderOnThePathIsStillShown();
    void creationThatFailsIsReported();
    void checkDirectory_data();
    void checkDirectory();
    void hasSubfolder();
    void busyTreeHoldsOffInput();
};

void TestFolderTree::initBuildsDesktopComputerAndDrives()
{
    TestContext t;
    QTemporaryDir fixed, stick;
    t.platform.roots = {fixed.path(), stick.path()};
    t.platform.labels.insert(fixed.path(), QStringLiteral("SYSTEM"));
    t.platform.driveTypes.insert(stick.path(), DriveType::Removable);
    QWidget host;
    FolderTree tree(t.context, &host);
    tree.InitFolderTree(QStringLiteral("環境設定"));

    QCOMPARE(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* desktop = tree.topLevelItem(0);
    QCOMPARE(desktop->text(0), QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"));
    QCOMPARE(FolderTree::keyOf(desktop), QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"));
    QTreeWidgetItem* computer = desktop->child(0);
    QCOMPARE(computer->text(0), QStringLiteral("ﾏｲ ｺﾝﾋﾟｭｰﾀ"));
    QVERIFY(desktop->isExpanded() && computer->isExpanded());
    QCOMPARE(tree.currentItem(), computer);
    QCOMPARE(childTexts(computer),
             (QStringList{"SYSTEM (" + fixed.path() + ")", "(" + stick.path() + ")"}));
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(computer->child(i)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        QVERIFY(!tree.isLoaded(computer->child(i)));
    }
    QCOMPARE(tree.node(fixed.path() + u'/'), computer->child(0));
    QVERIFY(!tree.isBusy());
}

void TestFolderTree::listingShowsFoldersAsTheSystemDoes()
{
    Tree t;
    makeDirs(t.drive.path(), {"DATA/x", "data", "Mixed", ".hidden/y", "工事", "sub/inner/deep",
                              "leaf", "sub/.only"});
    QFile file(t.path("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    makeDirs(t.drive.path(), {"leaf2/.hidden"});

    QTreeWidgetItem* drive = t.driveNode();
    t.tree->expandNode(drive);
    QCOMPARE(childTexts(drive),
             (QStringList{"Data", "data", "leaf", "leaf2", "Mixed", "sub", "工事"}));
    QTreeWidgetItem* capitals = drive->child(0);
    // The key is the path as it is: the name on disk, not as shown.
    QCOMPARE(FolderTree::keyOf(capitals), t.path("DATA"));
    QCOMPARE(t.tree->node(t.path("DATA")), capitals);
    QCOMPARE(capitals->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    // Hidden sub-folders give no expand mark.
    QCOMPARE(drive->child(3)->childIndicatorPolicy(),
             QTreeWidgetItem::DontShowIndicatorWhenChildless);
    QCOMPARE(drive->child(2)->childIndicatorPolicy(),
             QTreeWidgetItem::DontShowIndicatorWhenChildless);
    QVERIFY(t.tree->node(t.path(".hidden")) == nullptr);
}

void TestFolderTree::childrenAreListedOnDemand()
{
    Tree t;
    makeDirs(t.drive.path(), {"a/b/c"});
    QTreeWidgetItem* drive = t.driveNode();
    QCOMPARE(drive->childCount(), 0);
    // Opened by the user: listed once.
    drive->setExpanded(true);
    QCOMPARE(childTexts(drive), QStringList{"a"});
    QTreeWidgetItem* a = drive->child(0);
    QCOMPARE(a->childCount(), 0);
    QVERIFY(!t.tree->isLoaded(a));
    makeDirs(t.drive.path(), {"late"});
    drive->setExpanded(false);
    drive->setExpanded(true);
    QCOMPARE(childTexts(drive), QStringList{"a"}); // no second listing until refreshed
}

void TestFolderTree::mountPointsAreNotListedTwice()
{
    Tree t;
    makeDirs(t.drive.path(), {"mnt/stick/p", "other"});
    t.t.platform.roots = {t.drive.path(), t.path("mnt/stick")};
    t.tree->InitFolderTree(QStringLiteral("環境設定"));
    QTreeWidgetItem* mnt = t.tree->node(t.path("mnt"));
    QVERIFY(!mnt);
    QCOMPARE(t.tree->ShowFolderInTree(t.path("mnt/stick/p")), 0);
    // The folder lies on its own drive, not under the folder of the mount point.
    QTreeWidgetItem* p = t.tree->node(t.path("mnt/stick/p"));
    QVERIFY(p);
    QCOMPARE(p->parent(), t.tree->node(t.path("mnt/stick")));
    QCOMPARE(FolderTree::kindOf(p->parent()), FolderTree::NodeKind::Drive);
    QCOMPARE(t.tree->ShowFolderInTree(t.path("mnt")), 0);
    QCOMPARE(childTexts(t.tree->node(t.path("mnt"))), QStringList{});
}

void TestFolderTree::linksUpTheTreeAreNotOpened()
{
    Tree t;
    makeDirs(t.drive.path(), {"a/b", "x"});
    // a/b/up leads back to a, a/toX to x and x/back to a: the loop through two
    // links is cut where it reaches a folder already open above.
    QVERIFY(QFile::link(t.path("a"), t.path("a/b/up")));
    QVERIFY(QFile::link(t.path("x"), t.path("a/toX")));
    QVERIFY(QFile::link(t.path("a"), t.path("x/back")));
    QCOMPARE(t.tree->ShowFolderInTree(t.path("a/b")), 0);
    QTreeWidgetItem* up = t.tree->node(t.path("a/b/up"));
    QVERIFY(up); // shown
    t.tree->expandNode(up);
    QCOMPARE(up->childCount(), 0);
    QCOMPARE(up->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
    // A link to a folder elsewhere opens; its way back does not.
    QTreeWidgetItem* toX = t.tree->node(t.path("a/toX"));
    QVERIFY(toX);
    t.tree->expandNode(toX);
    QTreeWidgetItem* back = t.tree->node(t.path("a/toX/back"));
    QVERIFY(back);
    t.tree->expandNode(back);
    QCOMPARE(back->childCount(), 0);
}

void TestFolderTree::selectionKeepsTheLeftEdge()
{
    Tree t;
    const QString longName = QString(200, u'n');
    makeDirs(t.drive.path(), {"a/" + longName, "a/short"});
    t.host.resize(270, 192);
    t.tree->setGeometry(0, 0, 270, 192);
    t.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.host));
    QCOMPARE(t.tree->ShowFolderInTree(t.path("a/" + longName)), 0);
    QTreeWidgetItem* item = t.tree->node(t.path("a/" + longName));
    QVERIFY(item);
    QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, {},
                      t.tree->visualItemRect(item).center());
    QCOMPARE(t.tree->horizontalScrollBar()->value(), 0);
    // The selected node is wholly above the horizontal scroll bar.
    const QRect rect = t.tree->visualItemRect(item);
    QVERIFY(rect.top() >= 0);
    QVERIFY(rect.bottom() < t.tree->viewport()->height());
}

void TestFolderTree::showFolderInTree_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("existsAfter");
    QTest::newRow("existing deep folder") << "p/q/r" << QList<int>{} << 0 << 0 << true;
    QTest::newRow("drive itself") << "" << QList<int>{} << 0 << 0 << true;
    QTest::newRow("missing last folder, created")
        << "p/q/new" << QList<int>{Msg::ResultOk} << 0 << 1 << true;
    QTest::newRow("missing last folder, declined")
        << "p/q/new" << QList<int>{Msg::ResultCancel} << 1 << 1 << false;
    QTest::newRow("two levels missing") << "p/x/y" << QList<int>{} << 2 << 0 << false;
}

void TestFolderTree::showFolderInTree()
{
    QFETCH(QString, path);
    QFETCH(QList<int>, answers);
    QFETCH(int, result);
    QFETCH(int, messages);
    QFETCH(bool, existsAfter);
    Tree t;
    makeDirs(t.drive.path(), {"p/q/r/s", "p/other"});
    for (int a : answers)
        t.t.messages.answers.enqueue(a);
    const QString full = path.isEmpty() ? t.drive.path() : t.path(path);

    QCOMPARE(t.tree->ShowFolderInTree(full), result);
    QCOMPARE(t.t.messages.shown.size(), messages);
    if (messages) {
        const MessageRequest& box = t.t.messages.shown.first();
        QCOMPARE(box.text,
                 QStringLiteral("設定ディレクトリが見つかりません｡\n新しいディレクトリ[") + full +
                     QStringLiteral("]を作成しますか？"));
        QCOMPARE(box.title, QStringLiteral("環境設定"));
        QCOMPARE(box.style, Msg::OkCancel + Msg::Information);
    }
    QCOMPARE(QFileInfo(full).isDir(), existsAfter);
    QTreeWidgetItem* node = t.tree->node(full);
    QCOMPARE(node != nullptr, result == 0);
    if (node) {
        QCOMPARE(t.tree->currentItem(), node);
        QCOMPARE(t.tree->dropHighlight(), node);
        QVERIFY(t.tree->isLoaded(node));
    }
    QVERIFY(!t.tree->isBusy());
}

void TestFolderTree::hiddenFolderOnThePathIsStillShown()
{
    Tree t;
    makeDirs(t.drive.path(), {".config/koji"});
    QCOMPARE(t.tree->ShowFolderInTree(t.path(".config/koji")), 0);
    QVERIFY(t.t.messages.shown.isEmpty());
    QVERIFY(t.tree->node(t.path(".config/koji")));
}

void TestFolderTree::creationThatFailsIsReported()
{
    Tree t;
    makeDirs(t.drive.path(), {"p"});
    // A file where the folder should go: the folder cannot be created.
    t.t.messages.answers.enqueue(Msg::ResultOk);
    t.t.platform.directoryCheck = [](const QString&) { return FileError::PathNotFound; };
    QFile blocker(t.path("p/new"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(t.tree->ShowFolderInTree(t.path("p/new")), 1);
    QCOMPARE(t.t.messages.shown.size(), 2);
    QCOMPARE(t.t.messages.shown.at(1).text,
             QStringLiteral(
                 "ディレクトリの設定が不適当です｡\n新しいディレクトリが作成出来\nませんでした。"));
    QVERIFY(!t.tree->node(t.path("p/new")));
}

void TestFolderTree::checkDirectory_data()
{
    QTest::addColumn<QList<int>>("errors"); // what the system answers, one per query
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("messages");
    QTest::newRow("exists") << QList<int>{0} << true << QList<int>{} << 0 << 0;
    QTest::newRow("missing") << QList<int>{FileError::PathNotFound} << true << QList<int>{} << 1
                             << 0;
    QTest::newRow("not ready, retried")
        << QList<int>{FileError::DiskNotReady, 0} << true << QList<int>{Msg::ResultRetry} << 0 << 1;
    QTest::newRow("not ready, declined")
        << QList<int>{FileError::DiskNotReady} << true << QList<int>{Msg::ResultCancel} << 2 << 1;
    QTest::newRow("not ready, no prompt")
        << QList<int>{FileError::DiskNotReady} << false << QList<int>{} << 2 << 0;
    QTest::newRow("access denied")
        << QList<int>{FileError::PathFileAccess} << false << QList<int>{} << 2 << 0;
    QTest::newRow("permission denied, declined")
        << QList<int>{FileError::PermissionDenied} << true << QList<int>{Msg::ResultCancel} << 2
        << 1;
    QTest::newRow("device error") << QList<int>{FileError::DeviceIO} << true << QList<int>{} << 1
                                  << 0;
}

void TestFolderTree::checkDirectory()
{
    QFETCH(QList<int>, errors);
    QFETCH(bool, prompt);
    QFETCH(QList<int>, answers);
    QFETCH(int, kind);
    QFETCH(int, messages);
    TestContext t;
    const QString path = t.path("koji");
    int query = 0;
    t.platform.directoryCheck = [&](const QString&) {
        return errors.at(std::min<int>(query++, errors.size() - 1));
    };
    for (int a : answers)
        t.messages.answers.enqueue(a);
    int got = -1;
    const QString result = CheckDirectory(t.context, path, got, prompt);
    QCOMPARE(got, kind);
    QCOMPARE(result, kind == 0 ? path : QString());
    QCOMPARE(t.messages.shown.size(), messages);
    if (messages)
        QCOMPARE(t.messages.shown.first().title, QStringLiteral("ディスクエラ－"));
    // A directory is looked up, never written: no message asks for the right to write.
    if (messages)
        QVERIFY(!t.messages.shown.first().text.contains(QStringLiteral("書き込み")));
}

void TestFolderTree::hasSubfolder()
{
    QTemporaryDir dir;
    makeDirs(dir.path(), {"files", "hiddenonly/.h", "one/sub"});
    QFile f(dir.path() + QStringLiteral("/files/a.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(!HasSubfolder(dir.path() + QStringLiteral("/files")));
    QVERIFY(!HasSubfolder(dir.path() + QStringLiteral("/hiddenonly")));
    QVERIFY(HasSubfolder(dir.path() + QStringLiteral("/one")));
    QVERIFY(!HasSubfolder(dir.path() + QStringLiteral("/missing")));
    // Probed together (more folders than threads), each answer stays with its folder.
    QStringList paths;
    QList<bool> expected;
    for (int i = 0; i < 12; ++i) {
        for (const char* name : {"files", "one", "missing", "hiddenonly", "one"}) {
            paths.append(dir.path() + u'/' + QLatin1String(name));
            expected.append(qstrcmp(name, "one") == 0);
        }
    }
    QCOMPARE(SubfolderProbes(paths).results(), expected);
    QCOMPARE(SubfolderProbes({}).results(), QList<bool>{});
    // Given up before the answers are asked for (the tree closed meanwhile).
    { SubfolderProbes abandoned(paths); }
}

void TestFolderTree::busyTreeHoldsOffInput()
{
    Tree t;
    makeDirs(t.drive.path(), {"a"});
    t.host.resize(400, 400);
    t.tree->resize(400, 400);
    t.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.host));
    QSignalSpy clicked(t.tree, &FolderTree::nodeClicked);
    QTreeWidgetItem* desktop = t.tree->topLevelItem(0);
    const QPoint at = t.tree->visualItemRect(desktop).center();
    {
        TreeBusyScope busy(*t.tree);
        QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(clicked.count(), 0);
        QCloseEvent close;
        QApplication::sendEvent(&t.host, &close);
        QVERIFY(!close.isAccepted());
    }
    QVERIFY(!t.tree->isBusy());
    QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestFolderTree)
#include "tst_foldertree.moc"
