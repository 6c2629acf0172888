// Directories removed while the environment window is open: whatever the user
// does next, the window closes with usable working paths in every settings file,
// gives the marker back, and the registry forgets what is gone.
#include "faultinstall.h"

#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/settingsfiles.h"
#include "project/foldertree.h"
#include "project/environmentsettingswindow.h"
#include "project/kojiregistry.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace lc;
using namespace lc::test;

namespace {

enum class Then {
    Ok,
    Cancel,
    ClickRemovedEntry,  // the registry entry of the removed project, then OK
    Reactivate,         // another window, back to this one, then OK
    ClickRemovedNode,   // the removed folder's node in the tree, then OK
    OkAndReopen,        // OK, then the window opened again, then OK
};

// The installation with its working paths below it: master, koji/p1 (the data
// directory, "港北ビル新築工事"), koji/p2 ("別の工事", registered), import. The
// main window has given the marker to the environment window.
struct Environment
{
    Environment()
    {
        // The installation is a drive of its own where drives are mount points;
        // on Windows it lies on the system's drive.
        if (!lc::test::onWindows())
            t.platform.roots = {t.dir()};
        for (const char* d : {"master", "import"})
            QDir().mkpath(t.path(d));
        t.writeFile("koji/p1/kojigai", overviewNaming(QStringLiteral("港北ビル新築工事")));
        t.writeFile("koji/p2/kojigai", overviewNaming(QStringLiteral("別の工事")));
        t.writeFile("WOMSET", settingsRecords(t.path("master"), t.path("koji/p1"), t.path("import")));
        t.writeFile("omkojinm", registryWith(QStringLiteral("別の工事"), t.path("koji/p2")));
        t.writeFile("app", "\"om\"\r\n");
        for (int i = 0; i < 40; ++i)
            t.messages.answers.enqueue(Msg::ResultCancel);
    }

    [[nodiscard]] bool open()
    {
        if (!w)
            w = std::make_unique<EnvironmentSettingsWindow>(t.context, nullptr);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            return false;
        return QTest::qWaitFor([this] { return !box(1)->text().isEmpty(); });
    }
    [[nodiscard]] bool reactivate()
    {
        QWidget other;
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other))
            return false;
        if (!w->isVisible())
            return true; // another launcher window closes it
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get());
    }

    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QLineEdit* box(int i) const { return child<QLineEdit>(QStringLiteral("txtDrive_%1").arg(i)); }
    QListWidget* list() const { return child<QListWidget>(QStringLiteral("List1")); }
    FolderTree* tree() const { return child<FolderTree>(QStringLiteral("SSTree1")); }
    void click(const QString& name) const { QTest::mouseClick(child(name), Qt::LeftButton); }

    void clickEntryOf(const QString& dir) const
    {
        for (int row = 0; row < list()->count(); ++row) {
            if (kojiItemDirectory(list()->item(row)->text()) != dir)
                continue;
            list()->scrollToItem(list()->item(row));
            const QRect at = list()->visualItemRect(list()->item(row));
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, at.center().y()));
            return;
        }
        QFAIL("the entry is not listed");
    }
    void clickNodeOf(const QString& dir) const
    {
        QTreeWidgetItem* node = tree()->node(dir);
        QVERIFY(node);
        tree()->scrollToItem(node);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(node).center());
    }

    QStringList settingsPaths() const
    {
        const QByteArray bytes = t.readFile("WOMSET");
        QStringList out;
        for (int k = 0; k < 3; ++k)
            out.append(trimBlanks(fromCodePage(bytes.mid(k * 128, 128))));
        return out;
    }

    TestContext t;
    std::unique_ptr<EnvironmentSettingsWindow> w;
};

} // namespace

Q_DECLARE_METATYPE(Then)

class TestRemovedDirs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void removedWhileOpen_data();
    void removedWhileOpen();
};

void TestRemovedDirs::removedWhileOpen_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<Then>("then");
    QTest::newRow("master, OK") << "master" << Then::Ok;
    QTest::newRow("data, OK") << "koji/p1" << Then::Ok;
    QTest::newRow("import, OK") << "import" << Then::Ok;
    QTest::newRow("data, cancel") << "koji/p1" << Then::Cancel;
    QTest::newRow("import, cancel") << "import" << Then::Cancel;
    QTest::newRow("all projects, OK") << "koji" << Then::Ok;
    QTest::newRow("registered project, its entry") << "koji/p2" << Then::ClickRemovedEntry;
    QTest::newRow("registered project, activated again") << "koji/p2" << Then::Reactivate;
    QTest::newRow("data, activated again") << "koji/p1" << Then::Reactivate;
    QTest::newRow("data, its tree node") << "koji/p1" << Then::ClickRemovedNode;
    QTest::newRow("data after OK, opened again") << "koji/p1" << Then::OkAndReopen;
    QTest::newRow("import, activated again") << "import" << Then::Reactivate;
}

void TestRemovedDirs::removedWhileOpen()
{
    QFETCH(QString, removed);
    QFETCH(Then, then);

    Environment e;
    QVERIFY(e.open());
    const QString gone = e.t.path(removed);
    if (then == Then::OkAndReopen) {
        // Stored by OK, removed while the window is closed, opened again.
        e.click("CmdEnd");
        QVERIFY(!e.w->isVisible());
        QVERIFY(QFile::rename(e.t.path("menu"), e.t.path("app")));
        QVERIFY(QDir(gone).removeRecursively());
        QVERIFY(e.open());
    } else {
        QVERIFY(QDir(gone).removeRecursively());
    }

    switch (then) {
    case Then::Ok:
    case Then::OkAndReopen:
        break;
    case Then::Cancel:
        e.click("CmdCancel");
        break;
    case Then::ClickRemovedEntry:
        e.clickEntryOf(gone);
        break;
    case Then::Reactivate:
        QVERIFY(e.reactivate());
        break;
    case Then::ClickRemovedNode:
        e.clickNodeOf(gone);
        break;
    }
    if (QTest::currentTestFailed())
        return;
    if (e.w->isVisible())
        e.click("CmdEnd");
    QVERIFY2(!e.w->isVisible(), qPrintable(e.box(0)->text() + u'|' + e.box(1)->text() + u'|' + e.box(2)->text()));

    // Every message says what happened.
    for (const MessageRequest& m : e.t.messages.shown)
        QVERIFY2(!m.title.isEmpty() && !m.text.isEmpty(), qPrintable(m.title + m.text));
    // The working paths lead somewhere, in memory and in every settings file.
    const QStringList stored = e.settingsPaths();
    for (int k = 1; k <= 3; ++k) {
        QVERIFY2(QFileInfo(e.t.context.drivePath[k]).isDir(), qPrintable(e.t.context.drivePath[k]));
        QCOMPARE(stored.at(k - 1), e.t.context.drivePath[k]);
    }
    for (const QString& copy : SettingsFiles::Copies)
        QCOMPARE(e.t.readFile(copy), e.t.readFile("WOMSET"));
    QVERIFY(e.t.exists("menu"));
    QVERIFY(!e.t.exists("app"));
    QCOMPARE(e.t.readFile("omkojinm").size(), 25600);

    // Opened again, the registry lists only projects that are there.
    QVERIFY(QFile::rename(e.t.path("menu"), e.t.path("app")));
    QVERIFY(e.open());
    for (int row = 0; row < e.list()->count(); ++row) {
        const QString dir = kojiItemDirectory(e.list()->item(row)->text());
        QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
    }
    e.click("CmdCancel");
    QVERIFY(!e.w->isVisible());
    QVERIFY(e.t.exists("menu"));
}

QTEST_MAIN(TestRemovedDirs)
#include "tst_removeddirs.moc"
