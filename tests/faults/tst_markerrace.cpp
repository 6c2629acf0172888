// A sibling program that gives the marker back while the menu's timers poll, in
// a thread of its own, hundreds of times in a row: the menu always returns to idle
// and the installation directory always holds exactly one of "menu" and "app".
#include "testcontext.h"

#include "common/recordfile.h"
#include "menu/mainmenuwindow.h"
#include "widgets/panel3d.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace lc;
using lc::test::TestContext;

namespace {

// How the sibling program ends, cycle by cycle.
enum class Ending {
    AtOnce,              // gives "app" back as soon as it appears, inside the launch handler
    AfterItsWindowIsSeen, // names a window in app_hnd, waits until the menu read it, removes it, gives back
    WhileNamingAWindow,   // gives back while app_hnd still exists, removes it after
};
constexpr int EndingCount = 3;

// The sibling program: runs in a thread of its own and touches only files.
class Sibling
{
public:
    explicit Sibling(QString dir) : m_dir(std::move(dir)), m_thread([this] { run(); }) {}
    ~Sibling()
    {
        m_stop = true;
        m_thread.join();
    }

    // Serves cycle n: waits for "app", then ends as the cycle's ending says.
    void serve(int n) { m_request = n; }
    bool served(int n) const { return m_served.load() >= n; }
    // For AfterItsWindowIsSeen: app_hnd is there; the menu has read it.
    bool windowNamed(int n) const { return m_named.load() >= n; }
    void windowSeen(int n) { m_seen = n; }
    int failures() const { return m_failures; }

private:
    QString path(const char* name) const { return m_dir + u'/' + QLatin1StringView(name); }

    template <typename Pred>
    bool waitFor(Pred pred) const
    {
        while (!pred()) {
            if (m_stop)
                return false;
            std::this_thread::yield();
        }
        return true;
    }

    void nameWindow()
    {
        QFile f(path("app_hnd"));
        if (!f.open(QIODevice::WriteOnly) || f.write("\"KORVAN - estimate\"\r\n") < 0)
            ++m_failures;
    }
    void giveBack()
    {
        if (!QFile::rename(path("app"), path("menu")))
            ++m_failures;
    }
    void removeWindow()
    {
        if (!QFile::remove(path("app_hnd")))
            ++m_failures;
    }

    void run()
    {
        for (int n = 0;; ++n) {
            if (!waitFor([&] { return m_request.load() >= n; }))
                return;
            if (!waitFor([&] { return QFileInfo::exists(path("app")); }))
                return;
            switch (Ending(n % EndingCount)) {
            case Ending::AtOnce:
                giveBack();
                break;
            case Ending::AfterItsWindowIsSeen:
                nameWindow();
                m_named = n;
                if (!waitFor([&] { return m_seen.load() >= n; }))
                    return;
                removeWindow();
                giveBack();
                break;
            case Ending::WhileNamingAWindow:
                nameWindow();
                giveBack();
                removeWindow();
                break;
            }
            m_served = n;
        }
    }

    const QString m_dir;
    std::atomic<int> m_request{-1};
    std::atomic<int> m_served{-1};
    std::atomic<int> m_named{-1};
    std::atomic<int> m_seen{-1};
    std::atomic<int> m_failures{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

class TestMarkerRace : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void siblingGivesTheMarkerBackWhileTheTimersPoll();
    void siblingRenamesAndDeletesWhatTheMenuReads();
};

void TestMarkerRace::siblingGivesTheMarkerBackWhileTheTimersPoll()
{
    constexpr int Cycles = 300;
    TestContext t;
    t.installProgram("korvan21.exe");
    MainMenuWindow menu(t.context);
    menu.setAnimationPacing(false);
    menu.startUp();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    auto* panel = menu.findChild<Panel3D*>("app_menu_0");
    QVERIFY(panel);
    // The pointer moves over the panel's caption, clear of its icon.
    QCOMPARE(menu.childAt(panel->mapTo(&menu, QPoint(120, 20))), panel);
    QTest::mouseMove(panel, QPoint(121, 20));

    // Checked only while the sibling rests: a rename in between would make two
    // separate existence tests disagree.
    auto exactlyOneMarker = [&] { return t.exists("menu") != t.exists("app") && !t.exists("sub"); };

    Sibling sibling(t.dir());
    for (int n = 0; n < Cycles; ++n) {
        QVERIFY2(exactlyOneMarker(), qPrintable(QStringLiteral("before cycle %1").arg(n)));
        QCOMPARE(menu.LaunchBusy(), qint16(0));

        sibling.serve(n);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(200, 18));
        QCOMPARE(menu.LaunchBusy(), qint16(1));
        if (Ending(n % EndingCount) == Ending::AfterItsWindowIsSeen) {
            QVERIFY(QTest::qWaitFor([&] { return sibling.windowNamed(n); }));
            QTRY_COMPARE(menu.SubTaskSeen(), qint16(1));
            QCOMPARE(menu.shared().AppTask[1].title, QStringLiteral("KORVAN - estimate"));
            sibling.windowSeen(n);
        }
        // The timers poll meanwhile.
        QVERIFY2(QTest::qWaitFor([&] { return sibling.served(n); }), qPrintable(QStringLiteral("cycle %1").arg(n)));
        QVERIFY2(exactlyOneMarker(), qPrintable(QStringLiteral("after the sibling, cycle %1").arg(n)));
        QVERIFY(t.exists("menu"));
        // Nothing restores the menu but the pointer.
        QCOMPARE(menu.LaunchBusy(), qint16(1));

        QTest::mouseMove(panel, QPoint(120 + n % 2, 20));
        QVERIFY2(menu.LaunchBusy() == 0, qPrintable(QStringLiteral("still busy after the restore, cycle %1").arg(n)));
        QVERIFY2(exactlyOneMarker(), qPrintable(QStringLiteral("after the restore, cycle %1").arg(n)));
    }
    QCOMPARE(sibling.failures(), 0);
    QCOMPARE(t.platform.starts.size(), Cycles);
    QVERIFY(t.messages.shown.isEmpty());
}

QTEST_MAIN(TestMarkerRace)
// A sibling program renames and deletes its files whenever it likes, also while
// the menu is reading one of them (on Windows a plain open would refuse it both).
void TestMarkerRace::siblingRenamesAndDeletesWhatTheMenuReads()
{
    TestContext t;
    t.writeFile("app_hnd", "\"KORVAN - estimate\"\r\n");
    QFile reading(t.path("app_hnd"));
    QCOMPARE(openForSharedReading(reading), 0);
    QVERIFY(QDir(t.dir()).rename("app_hnd", "app_hnd.old"));
    // (Windows may keep the name until the reader closes the file.)
    QVERIFY(QFile::remove(t.path("app_hnd.old")));
    QCOMPARE(reading.readAll(), QByteArray("\"KORVAN - estimate\"\r\n"));

    // A file that is not there: the system's error, not a pretended success.
    QFile missing(t.path("app_hnd"));
    QVERIFY(openForSharedReading(missing) != 0);
}

#include "tst_markerrace.moc"
