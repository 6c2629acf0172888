#include "common/twips.h"
#include "menu/menushared.h"
#include "menu/othersystemswindow.h"
#include "testcontext.h"
#include "widgets/panel3d.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace lc;
using lc::test::TestContext;

namespace {

const QStringList Tools = {"trevik21.exe", "halvex21.exe", "saldun21.exe", "brisko21.exe"};
const QStringList ToolCaptions = {
    QStringLiteral("\u3000統\u3000合"), QStringLiteral("\u3000DXF変換(RC→ DXF)"),
    QStringLiteral("\u3000DXF変換(DXF→ RC)"), QStringLiteral("\u3000ＲＣ TEXT変換\u3000")};

// The other-systems menu as the main window opens it: "menu" already renamed to
// "sub".
struct Sub
{
    explicit Sub(const QStringList& programs = Tools)
    {
        for (const QString& p : programs)
            t.installProgram(p);
        t.writeFile(QStringLiteral("sub"), "\"om\"\r\n");
        window = new OtherSystemsWindow(t.context, shared, nullptr);
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qFatal("window not exposed");
    }
    ~Sub() { delete window.data(); }

    Panel3D* panel(int i) const
    {
        return window->findChild<Panel3D*>(QStringLiteral("Panel3D2_%1").arg(i));
    }
    template <typename T = QWidget> T* child(const QString& name) const
    {
        T* w = window->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    // Moving the cursor where it already stands sends no event: come in from a
    // neighbouring point.
    void moveOver(QWidget* w, QPoint at = {}) const
    {
        const QPoint to = at.isNull() ? w->rect().center() : at;
        QTest::mouseMove(w, to + QPoint(1, 1));
        QTest::mouseMove(w, to);
    }
    void click(int i) const
    {
        QTest::mouseClick(panel(i), Qt::LeftButton, {}, panel(i)->rect().center());
    }
    bool topmost() const { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    TestContext t;
    MenuShared shared;
    QPointer<OtherSystemsWindow> window;
};

quint32 fore(Panel3D* p)
{
    return bgrFromColor(p->foreColor());
}
quint32 back(Panel3D* p)
{
    return bgrFromColor(p->backColor());
}

} // namespace

class TestOtherSystemsWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captions_data();
    void captions();
    void layoutAndDate();
    void highlighting();
    void blankPanelTakesTheHighlightWithoutShowingIt();
    void toolStart();
    void toolStartFailureRestoresSub();
    void toolStartWithoutSubIsRefused();
    void blankPanelIgnoresClicks();
    void mainMenuRightAfterOpening();
    void mainMenuWaitsForTheToolWithoutFreezing();
    void waitCanBeGivenUp();
    void frameCloseReturnsToTheMenu();
    void doubleClickIsOneClick_data();
    void doubleClickIsOneClick();
};

void TestOtherSystemsWindow::captions_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("captions"); // panels 0 to 3
    QTest::newRow("none") << QStringList{} << QStringList{"", "", "", ""};
    QTest::newRow("only brisko21")
        << QStringList{"brisko21.exe"} << QStringList{"", "", "", ToolCaptions[3]};
    QTest::newRow("all four") << Tools << ToolCaptions;
    QTest::newRow("letter case ignored") << QStringList{"HALVEX21.EXE", "Saldun21.Exe"}
                                         << QStringList{"", ToolCaptions[1], ToolCaptions[2], ""};
}

void TestOtherSystemsWindow::captions()
{
    QFETCH(QStringList, installed);
    QFETCH(QStringList, captions);
    Sub s(installed);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(s.panel(i)->caption(), captions[i]);
    for (int i = 4; i < 15; ++i)
        QCOMPARE(s.panel(i)->caption(), QString());
    QCOMPARE(s.panel(15)->caption(), QStringLiteral("MAIN MENU へ"));
    QCOMPARE(s.window->windowTitle(), QStringLiteral("【 その他 Ｍｅｎｕ 】"));
    QCOMPARE(s.window->highlightedIndex(), 99);
}

void TestOtherSystemsWindow::layoutAndDate()
{
    Sub s;
    QCOMPARE(s.window->geometry(), twips::rect(5385, 1485, 4515, 5175));
    QVERIFY(s.topmost());
    QCOMPARE(s.child<QLabel>(QStringLiteral("label_mh10"))->text(), QStringLiteral("2026/12/08"));
    // Two columns of eight panels.
    const QWidget* background = s.child(QStringLiteral("Panel3D1"));
    QCOMPARE(background->geometry(), QRect(QPoint(0, 0), twips::size(4515, 5175)));
    QCOMPARE(s.panel(0)->geometry(), twips::rect(360, 1230, 1845, 375));
    QCOMPARE(s.panel(7)->geometry(), twips::rect(360, 1230 + 405 * 7, 1845, 375));
    QCOMPARE(s.panel(15)->geometry(), twips::rect(2430, 1230 + 405 * 7, 1845, 375));
    QCOMPARE(s.child(QStringLiteral("Label1_1"))->geometry(), twips::rect(2250, 1110, 2085, 3420));
    // Normal look: navy on silver, "MAIN MENU へ" purple.
    QCOMPARE(fore(s.panel(0)), 0x800000u);
    QCOMPARE(back(s.panel(0)), 0xC0C0C0u);
    QCOMPARE(fore(s.panel(15)), 0x800080u);
    QCOMPARE(s.panel(15)->bevelOuter(), Panel3D::Raised);
}

void TestOtherSystemsWindow::highlighting()
{
    Sub s;
    s.moveOver(s.panel(1));
    QTRY_COMPARE(s.window->highlightedIndex(), 1);
    QCOMPARE(s.panel(1)->bevelOuter(), Panel3D::Inset);
    QCOMPARE(fore(s.panel(1)), 0x0000FFu);
    QCOMPARE(back(s.panel(1)), 0xFFFFFFu);

    s.moveOver(s.panel(15));
    QTRY_COMPARE(s.window->highlightedIndex(), 15);
    QCOMPARE(s.panel(1)->bevelOuter(), Panel3D::Raised);
    QCOMPARE(fore(s.panel(1)), 0x800000u);
    QCOMPARE(back(s.panel(1)), 0xC0C0C0u);
    QCOMPARE(fore(s.panel(15)), 0x0000FFu);

    // Over a backing area below the panels: nothing is highlighted.
    QWidget* backing = s.child(QStringLiteral("Label1_1"));
    s.moveOver(backing, QPoint(backing->width() / 2, backing->height() - 4));
    QTRY_COMPARE(s.window->highlightedIndex(), 99);
    QCOMPARE(fore(s.panel(15)), 0x800080u);
    QCOMPARE(back(s.panel(15)), 0xC0C0C0u);
    QCOMPARE(s.panel(15)->bevelOuter(), Panel3D::Raised);

    // Over the background, the same.
    s.moveOver(s.panel(2));
    QTRY_COMPARE(s.window->highlightedIndex(), 2);
    s.moveOver(s.child(QStringLiteral("Panel3D1")), QPoint(4, 4));
    QTRY_COMPARE(s.window->highlightedIndex(), 99);
    QCOMPARE(back(s.panel(2)), 0xC0C0C0u);

    // The grey rule is no surface of its own: over it is over the background.
    s.moveOver(s.panel(3));
    QTRY_COMPARE(s.window->highlightedIndex(), 3);
    s.moveOver(s.child(QStringLiteral("Shape1")));
    QTRY_COMPARE(s.window->highlightedIndex(), 99);
    QCOMPARE(back(s.panel(3)), 0xC0C0C0u);
}

void TestOtherSystemsWindow::blankPanelTakesTheHighlightWithoutShowingIt()
{
    Sub s({"trevik21.exe"});
    s.moveOver(s.panel(0));
    QTRY_COMPARE(s.window->highlightedIndex(), 0);
    s.moveOver(s.panel(9));
    QTRY_COMPARE(s.window->highlightedIndex(), 9);
    QCOMPARE(back(s.panel(0)), 0xC0C0C0u);
    QCOMPARE(back(s.panel(9)), 0xC0C0C0u);
    QCOMPARE(s.panel(9)->bevelOuter(), Panel3D::Raised);
}

void TestOtherSystemsWindow::toolStart()
{
    Sub s;
    s.click(1);
    QVERIFY(s.t.exists(QStringLiteral("app")));
    QVERIFY(!s.t.exists(QStringLiteral("sub")));
    QCOMPARE(s.t.platform.starts.size(), 1);
    QCOMPARE(s.t.platform.starts[0].program, s.t.path(QStringLiteral("halvex21.exe")));
    QCOMPARE(s.t.platform.starts[0].workingDir, s.t.dir());
    QCOMPARE(s.shared.AppTask[0].id, 1001);
    QVERIFY(!s.topmost());
    // The working paths were loaded and repaired before the start.
    QCOMPARE(s.t.context.drivePath[2], QDir::toNativeSeparators(s.t.dir()));
    QVERIFY(s.t.exists(QStringLiteral("WOMSET")));
    QVERIFY(s.t.messages.shown.isEmpty());

    // The first movement afterwards makes the window topmost again.
    s.moveOver(s.panel(3));
    QTRY_VERIFY(s.topmost());
    QVERIFY(s.shared.AppTask[0].isZero());
}

void TestOtherSystemsWindow::toolStartFailureRestoresSub()
{
    Sub s;
    s.t.platform.failStarts = true;
    s.click(0);
    QCOMPARE(s.t.messages.shown.size(), 1);
    QVERIFY(s.t.messages.shown[0].text.contains(QStringLiteral("trevik21.exe")));
    QVERIFY(s.t.exists(QStringLiteral("sub")));
    QVERIFY(!s.t.exists(QStringLiteral("app")));
    QVERIFY(s.shared.AppTask[0].isZero());
    QVERIFY(s.topmost());
}

void TestOtherSystemsWindow::toolStartWithoutSubIsRefused()
{
    Sub s;
    QVERIFY(
        QDir(s.t.dir()).rename(QStringLiteral("sub"), QStringLiteral("app"))); // another tool runs
    s.click(2);
    QCOMPARE(s.t.messages.shown.size(), 1);
    QVERIFY(s.t.platform.starts.isEmpty());
    QVERIFY(s.t.exists(QStringLiteral("app")));
}

void TestOtherSystemsWindow::blankPanelIgnoresClicks()
{
    Sub s({"brisko21.exe"});
    s.click(0);
    s.click(12);
    QVERIFY(s.t.platform.starts.isEmpty());
    QVERIFY(s.t.exists(QStringLiteral("sub")));
    QVERIFY(!s.t.exists(QStringLiteral("WOMSET")));
    QVERIFY(s.topmost());
}

void TestOtherSystemsWindow::mainMenuRightAfterOpening()
{
    Sub s;
    s.click(15);
    QVERIFY(s.t.exists(QStringLiteral("menu")));
    QVERIFY(!s.t.exists(QStringLiteral("sub")));
    QVERIFY(!s.window->isVisible());
    QTRY_VERIFY(s.window.isNull()); // unloaded: the next opening loads a fresh one
    QVERIFY(s.t.messages.shown.isEmpty());
}

void TestOtherSystemsWindow::mainMenuWaitsForTheToolWithoutFreezing()
{
    Sub s;
    s.click(0);
    QVERIFY(s.t.exists(QStringLiteral("app")));
    s.click(15);
    // The tool still runs: the window waits for "menu" and says so.
    QVERIFY(s.window);
    QVERIFY(s.window->isVisible());
    QVERIFY(s.window->isWaitingForMenu());
    QVERIFY(s.child(QStringLiteral("lblWaitNotice"))->isVisible());
    QCOMPARE(s.window->cursor().shape(), Qt::BusyCursor);
    QVERIFY(!s.t.exists(QStringLiteral("menu")));

    // It keeps answering the pointer meanwhile.
    s.moveOver(s.panel(3));
    QTRY_COMPARE(s.window->highlightedIndex(), 3);

    // The tool ends and turns "app" back into "menu".
    QVERIFY(QDir(s.t.dir()).rename(QStringLiteral("app"), QStringLiteral("menu")));
    QTRY_VERIFY(s.window.isNull());
    QVERIFY(s.t.exists(QStringLiteral("menu")));
}

void TestOtherSystemsWindow::waitCanBeGivenUp()
{
    Sub s;
    s.click(3);
    s.click(15);
    QVERIFY(s.window->isWaitingForMenu());
    s.click(15);
    QVERIFY(!s.window->isWaitingForMenu());
    QVERIFY(!s.child<QTimer>(QStringLiteral("menuPollTimer"))->isActive());
    QVERIFY(!s.child(QStringLiteral("lblWaitNotice"))->isVisible());
    QCOMPARE(s.panel(15)->caption(), QStringLiteral("MAIN MENU へ"));
    QCOMPARE(s.window->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(s.window->isVisible());
    // The markers stay as the running tool expects them.
    QVERIFY(s.t.exists(QStringLiteral("app")));
    QVERIFY(!s.t.exists(QStringLiteral("menu")));
    QVERIFY(!s.t.exists(QStringLiteral("sub")));
}

void TestOtherSystemsWindow::frameCloseReturnsToTheMenu()
{
    Sub s;
    // What the window system sends when the frame's close button is pressed.
    QCloseEvent close;
    QApplication::sendEvent(s.window->windowHandle(), &close);
    QTRY_VERIFY(s.window.isNull());
    QVERIFY(s.t.exists(QStringLiteral("menu")));
    QVERIFY(!s.t.exists(QStringLiteral("sub")));
}

void TestOtherSystemsWindow::doubleClickIsOneClick_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<bool>("toolRuns");
    QTest::newRow("tool panel") << 0 << false;
    QTest::newRow("MAIN MENU へ while a tool runs") << 15 << true;
}

void TestOtherSystemsWindow::doubleClickIsOneClick()
{
    QFETCH(int, panel);
    QFETCH(bool, toolRuns);
    Sub s;
    if (toolRuns) {
        s.click(1);
        QVERIFY(s.t.exists("app"));
    }
    const int startsBefore = int(s.t.platform.starts.size());
    Panel3D* p = s.panel(panel);
    const QPointF at = p->rect().center();
    const QPointF global = p->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent e(type, at, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(p, &e);
    }
    QVERIFY(s.t.messages.shown.isEmpty());
    if (panel == 15) {
        QVERIFY(s.window->isWaitingForMenu()); // not given up at once
    } else {
        QCOMPARE(int(s.t.platform.starts.size()), startsBefore + 1);
        QVERIFY(s.t.exists("app"));
    }
}

QTEST_MAIN(TestOtherSystemsWindow)
#include "tst_othersystemswindow.moc"
