// The menu follows the marker files through the notifications of the file system:
// where none arrive it falls back to its slow poll, a burst of changes ends in the
// right state, and a replaced installation directory is watched again.

#include "menu/markerwatcher.h"
#include "menu/mainmenuwindow.h"
#include "menu/othersystemswindow.h"
#include "testcontext.h"
#include "widgets/panel3d.h"

#include <QDir>
#include <QPointer>
#include <QTest>

using namespace lc;
using lc::test::TestContext;

namespace {

struct Menu
{
    Menu()
    {
        t.installProgram("korvan21.exe");
        window.setAnimationPacing(false);
        window.startUp();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the menu was never shown");
        watcher = window.findChild<MarkerWatcher*>();
        if (!watcher)
            qFatal("no marker watcher");
    }
    void launchSlot0()
    {
        auto* panel = window.findChild<Panel3D*>("app_menu_0");
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(200, 18));
    }
    // What a sibling program does: a complete file renamed into place.
    void nameTask(const QByteArray& task) const
    {
        t.writeFile("app_hnd.tmp", task + "\r\n");
        QVERIFY(QDir(t.dir()).rename("app_hnd.tmp", "app_hnd"));
    }

    TestContext t;
    MainMenuWindow window{t.context};
    MarkerWatcher* watcher = nullptr;
};

} // namespace

class TestMarkerWatching : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void withoutNotificationsThePollReadsAppHnd();
    void withoutNotificationsThePollGivesTheMenuBack();
    void burstOfRenamesEndsInTheLastState();
    void replacedDirectoryIsWatchedAgain();
};

void TestMarkerWatching::withoutNotificationsThePollReadsAppHnd()
{
    Menu m;
    m.watcher->setNotifying(false);
    m.launchSlot0();
    QVERIFY(m.watcher->isFallbackPolling());
    m.nameTask("4711");
    QTRY_COMPARE(m.window.SubTaskSeen(), qint16(1));
    QCOMPARE(m.window.shared().AppTask[1].id, qint64(4711));

    // Back at the menu, nothing polls any more.
    QVERIFY(QFile::remove(m.t.path("app_hnd")));
    QVERIFY(QDir(m.t.dir()).rename("app", "menu"));
    QTest::mouseMove(m.window.findChild<Panel3D*>("app_menu_0"), QPoint(121, 20));
    QCOMPARE(m.window.LaunchBusy(), qint16(0));
    QVERIFY(!m.watcher->isFallbackPolling());
}

void TestMarkerWatching::withoutNotificationsThePollGivesTheMenuBack()
{
    TestContext t;
    t.installProgram("brisko21.exe");
    t.writeFile("sub", "\"om\"\r\n");
    MenuShared shared;
    QPointer<OtherSystemsWindow> window = new OtherSystemsWindow(t.context, shared, nullptr);
    window->findChild<MarkerWatcher*>()->setNotifying(false);
    window->show();
    auto click = [&](int i) {
        auto* panel = window->findChild<Panel3D*>(QStringLiteral("Panel3D2_%1").arg(i));
        QTest::mouseClick(panel, Qt::LeftButton, {}, panel->rect().center());
    };
    click(3);
    click(15);
    QVERIFY(window->isWaitingForMenu());
    QVERIFY(QDir(t.dir()).rename("app", "menu"));
    QTRY_VERIFY(window.isNull());
}

void TestMarkerWatching::burstOfRenamesEndsInTheLastState()
{
    Menu m;
    m.launchSlot0();
    QVERIFY(m.watcher->notifying());
    for (int n = 0; n < 200; ++n) {
        m.nameTask(QByteArray::number(1000 + n));
        QVERIFY(QFile::remove(m.t.path("app_hnd")));
    }
    m.nameTask("4242");
    QTRY_COMPARE(m.window.shared().AppTask[1].id, qint64(4242));

    // Gone, then back with another task: Timer1 has its turn again.
    QVERIFY(QFile::remove(m.t.path("app_hnd")));
    for (int n = 0; n < 50; ++n) {
        QVERIFY(QDir(m.t.dir()).rename("app", "menu"));
        QVERIFY(QDir(m.t.dir()).rename("menu", "app"));
    }
    QTest::qWait(80);
    m.nameTask("77");
    QTRY_COMPARE(m.window.shared().AppTask[1].id, qint64(77));
    QVERIFY(m.t.exists("app"));
}

void TestMarkerWatching::replacedDirectoryIsWatchedAgain()
{
    if (lc::test::onWindows())
        QSKIP("Windows lets no directory be renamed while it is watched");
    Menu m;
    m.launchSlot0();
    QTest::qWait(80); // Timer1's first tick: from now on it waits for a report
    const QString dir = m.t.dir();
    const QString old = dir + ".old";
    QVERIFY(QDir().rename(dir, old));
    QVERIFY(QDir().mkdir(dir));
    QVERIFY(QFile::copy(old + "/app", dir + "/app"));
    m.nameTask("31337");
    QTRY_COMPARE(m.window.shared().AppTask[1].id, qint64(31337));

    // From now on only the notifications may tell: they come from the new directory.
    m.watcher->setFallbackPolling(false);
    QVERIFY(QFile::remove(m.t.path("app_hnd")));
    QTest::qWait(80);
    m.nameTask("4711");
    QTRY_COMPARE(m.window.shared().AppTask[1].id, qint64(4711));
    QDir(old).removeRecursively();
}

QTEST_MAIN(TestMarkerWatching)
#include "tst_markerwatching.moc"
