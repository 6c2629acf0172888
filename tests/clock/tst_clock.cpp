#include "clock/analogclock.h"
#include "common/twips.h"
#include "widgets/panel3d.h"

#include "testcontext.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace lc;
using lc::test::TestContext;

namespace {

QTime at(const QString& text)
{
    return QTime::fromString(text, text.contains(u'.') ? QStringLiteral("HH:mm:ss.zzz")
                                                       : QStringLiteral("HH:mm:ss"));
}

// The clock drawn on a transparent image.
QImage render(AnalogClock& clock)
{
    QImage image(clock.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    clock.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QPoint dialPoint(const AnalogClock& clock, double degrees, double fraction)
{
    const double a = degrees * M_PI / 180.0;
    const double rx = clock.width() / 2.0;
    const double ry = clock.height() / 2.0;
    return QPoint(int(rx + std::sin(a) * rx * fraction), int(ry - std::cos(a) * ry * fraction));
}

bool near(QColor a, QColor b, int tolerance = 24)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && a.alpha() > 200;
}

int countNear(const QImage& image, QColor color, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(image.pixelColor(x, y), color))
                ++n;
    return n;
}

} // namespace

class TestClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeSignal_data();
    void timeSignal();
    void propertiesReadBackAsWritten();
    void geometryInTwips_data();
    void geometryInTwips();
    void moveKeepsSize();
    void mouseMoveReportsButtonsAndTwips_data();
    void mouseMoveReportsButtonsAndTwips();
    void click_data();
    void click();
    void drawsColoursAsBgr();
    void mascotGrowsWithSize();
    void dialTextShowsSevenCharacters();
};

// Each step is a time of day ("10:00:00", the clock then checks the signal once)
// or a change: "off", "on", "minute=N". The expected list holds the times at
// which the signal sounded.
void TestClock::timeSignal_data()
{
    QTest::addColumn<int>("minute");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rang");

    QTest::newRow("reaching the minute")
        << 0 << QStringList{"09:59:59", "10:00:00"} << QStringList{"10:00:00"};
    QTest::newRow("once within the minute")
        << 0 << QStringList{"09:59:59", "10:00:00", "10:00:01", "10:00:30", "10:00:59", "10:01:00"}
        << QStringList{"10:00:00"};
    QTest::newRow("every hour") << 0 << QStringList{"09:59:59", "10:00:00", "10:00:01",
                                                    "10:59:59", "11:00:00", "11:00:01"}
                                << QStringList{"10:00:00", "11:00:00"};
    QTest::newRow("late tick inside the minute")
        << 0 << QStringList{"09:59:59.900", "10:00:02.100"} << QStringList{"10:00:02.100"};
    QTest::newRow("tick only after the minute")
        << 0 << QStringList{"09:59:59", "10:01:00.500"} << QStringList{};
    QTest::newRow("other minute") << 30
                                  << QStringList{"09:59:59", "10:00:00", "10:29:59", "10:30:00"}
                                  << QStringList{"10:30:00"};
    QTest::newRow("minute 59") << 59 << QStringList{"10:58:59", "10:59:00", "10:59:01"}
                               << QStringList{"10:59:00"};
    QTest::newRow("across midnight")
        << 0 << QStringList{"23:59:59", "00:00:00"} << QStringList{"00:00:00"};
    QTest::newRow("off") << 0 << QStringList{"off", "09:59:59", "10:00:00", "10:00:01"}
                         << QStringList{};
    QTest::newRow("switched on inside the minute")
        << 0 << QStringList{"off", "09:59:59", "10:00:00", "on", "10:00:01", "10:59:59", "11:00:00"}
        << QStringList{"11:00:00"};
    QTest::newRow("switched off before the minute")
        << 0 << QStringList{"09:59:58", "off", "09:59:59", "10:00:00"} << QStringList{};
    QTest::newRow("started inside the minute")
        << 0 << QStringList{"10:00:10", "10:00:11", "10:00:12"} << QStringList{};
    QTest::newRow("minute changed after ringing")
        << 0 << QStringList{"09:59:59", "10:00:00", "10:00:01", "minute=30",
                            "10:29:59", "10:30:00", "10:30:01"}
        << QStringList{"10:00:00", "10:30:00"};
    QTest::newRow("minute set to the current one")
        << 0 << QStringList{"10:05:00", "minute=5", "10:05:01", "10:05:02"} << QStringList{};
    QTest::newRow("minute set ahead")
        << 0 << QStringList{"10:05:00", "minute=6", "10:05:59", "10:06:00"}
        << QStringList{"10:06:00"};
    QTest::newRow("clock set back over the minute")
        << 0 << QStringList{"09:59:59", "10:00:00", "10:00:30", "09:59:30", "09:59:59", "10:00:00"}
        << QStringList{"10:00:00", "10:00:00"};
    QTest::newRow("clock set ahead by hours")
        << 0 << QStringList{"03:10:00", "10:00:05", "10:00:06"} << QStringList{};
    QTest::newRow("minute out of range")
        << 75 << QStringList{"09:59:59", "10:00:00", "10:15:00"} << QStringList{};
}

void TestClock::timeSignal()
{
    QFETCH(int, minute);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rang);

    TestContext t;
    AnalogClock clock(&t.platform);
    const QString wave = t.path(QStringLiteral("default.wav"));
    clock.setJihouFile(wave);
    clock.setJihouMinute(qint16(minute));
    QTime now;
    clock.setTimeSource([&now] { return now; });

    QStringList heard;
    for (const QString& step : steps) {
        if (step == QLatin1String("off") || step == QLatin1String("on")) {
            clock.setJihouOn(step == QLatin1String("on"));
            continue;
        }
        if (step.startsWith(QLatin1String("minute="))) {
            clock.setJihouMinute(qint16(step.mid(7).toInt()));
            continue;
        }
        now = at(step);
        QVERIFY2(now.isValid(), qPrintable(step));
        const qsizetype before = t.platform.soundsPlayed.size();
        clock.checkTimeSignal();
        if (t.platform.soundsPlayed.size() > before)
            heard.append(step);
    }
    QCOMPARE(heard, rang);
    QCOMPARE(t.platform.soundsPlayed, QStringList(rang.size(), wave));
}

void TestClock::propertiesReadBackAsWritten()
{
    TestContext t;
    AnalogClock clock(&t.platform);
    // Values outside the drawable ranges are kept as written.
    clock.setDialText(QStringLiteral("現場　事務所ABC"));
    clock.setMascotSize(25);
    clock.setMinuteHandWidth(0);
    clock.setHourHandWidth(11);
    clock.setSecondHandWidth(-3);
    clock.setFrameWidth(10);
    clock.setJihouMinute(75);
    clock.setMascotColor(0x01020304);
    clock.setDialColor(0x00FFFFFF);
    clock.setJihouOn(false);
    clock.setJihouFile(QStringLiteral("/somewhere/時報.wav"));
    clock.setLeft(10950.4);
    clock.setHeight(3465);
    QCOMPARE(clock.DialText(), QStringLiteral("現場　事務所ABC"));
    QCOMPARE(clock.MascotSize(), qint16(25));
    QCOMPARE(clock.MinuteHandWidth(), qint16(0));
    QCOMPARE(clock.HourHandWidth(), qint16(11));
    QCOMPARE(clock.SecondHandWidth(), qint16(-3));
    QCOMPARE(clock.FrameWidth(), qint16(10));
    QCOMPARE(clock.JihouMinute(), qint16(75));
    QCOMPARE(clock.MascotColor(), quint32(0x01020304));
    QCOMPARE(clock.DialColor(), quint32(0x00FFFFFF));
    QCOMPARE(clock.JihouOn(), false);
    QCOMPARE(clock.JihouFile(), QStringLiteral("/somewhere/時報.wav"));
    QCOMPARE(clock.Left(), 10950.4);
    QCOMPARE(clock.Height(), 3465.0);
    // Drawing with such values neither crashes nor loses them.
    QVERIFY(!render(clock).isNull());
    QCOMPARE(clock.MascotSize(), qint16(25));
}

void TestClock::geometryInTwips_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("start-up") << 10950.0 << 120.0 << 855.0 << 855.0 << QRect(730, 8, 57, 57);
    QTest::newRow("slider step 4") << 10950.0 << 120.0 << 891.0 << 891.0 << QRect(730, 8, 59, 59);
    QTest::newRow("largest") << 0.0 << 0.0 << 3465.0 << 3465.0 << QRect(0, 0, 231, 231);
    QTest::newRow("smallest, not square")
        << 300.0 << 450.0 << 495.0 << 2970.0 << QRect(20, 30, 33, 198);
    QTest::newRow("rounded to pixels") << 22.0 << 23.0 << 37.0 << 38.0 << QRect(1, 2, 2, 3);
    QTest::newRow("negative size") << 150.0 << 150.0 << -30.0 << -1.0 << QRect(10, 10, 0, 0);
}

void TestClock::geometryInTwips()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QRect, pixels);
    TestContext t;
    QWidget window;
    window.resize(1000, 700);
    AnalogClock clock(&t.platform, &window);
    // In the order the start-up writes them.
    clock.setLeft(left);
    clock.setTop(top);
    clock.setHeight(height);
    clock.setWidth(width);
    QCOMPARE(clock.geometry(), pixels);
    QCOMPARE(clock.Left(), left);
    QCOMPARE(clock.Top(), top);
    QCOMPARE(clock.Width(), width);
    QCOMPARE(clock.Height(), height);
    QVERIFY(!render(clock).isNull() || pixels.isEmpty());
}

void TestClock::moveKeepsSize()
{
    TestContext t;
    QWidget window;
    AnalogClock clock(&t.platform, &window);
    clock.setWidth(1980);
    clock.setHeight(891);
    clock.Move(4500.0, 3000.0);
    QCOMPARE(clock.geometry(), QRect(300, 200, 132, 59));
    QCOMPARE(clock.Width(), 1980.0);
    QCOMPARE(clock.Height(), 891.0);
    QCOMPARE(clock.Left(), 4500.0);
    QCOMPARE(clock.Top(), 3000.0);
}

void TestClock::mouseMoveReportsButtonsAndTwips_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("shift");
    QTest::newRow("plain") << int(Qt::NoButton) << int(Qt::NoModifier) << QPoint(10, 20) << 0 << 0;
    QTest::newRow("left") << int(Qt::LeftButton) << int(Qt::NoModifier) << QPoint(1, 2) << 1 << 0;
    QTest::newRow("right") << int(Qt::RightButton) << int(Qt::NoModifier) << QPoint(0, 0) << 2 << 0;
    QTest::newRow("middle") << int(Qt::MiddleButton) << int(Qt::NoModifier) << QPoint(56, 56) << 4
                            << 0;
    QTest::newRow("left and right")
        << int(Qt::LeftButton | Qt::RightButton) << int(Qt::NoModifier) << QPoint(5, 5) << 3 << 0;
    QTest::newRow("shift") << int(Qt::NoButton) << int(Qt::ShiftModifier) << QPoint(3, 4) << 0 << 1;
    QTest::newRow("ctrl") << int(Qt::NoButton) << int(Qt::ControlModifier) << QPoint(3, 4) << 0
                          << 2;
    QTest::newRow("alt") << int(Qt::NoButton) << int(Qt::AltModifier) << QPoint(3, 4) << 0 << 4;
    QTest::newRow("shift ctrl alt")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)
        << QPoint(30, 40) << 1 << 7;
}

void TestClock::mouseMoveReportsButtonsAndTwips()
{
    QFETCH(int, buttons);
    QFETCH(int, modifiers);
    QFETCH(QPoint, pos);
    QFETCH(int, button);
    QFETCH(int, shift);
    TestContext t;
    AnalogClock clock(&t.platform);
    QSignalSpy moved(&clock, &AnalogClock::mouseMoved);
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(clock.mapToGlobal(pos)),
                      Qt::NoButton, Qt::MouseButtons(buttons), Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(&clock, &event);
    QCOMPARE(moved.size(), 1);
    const QList<QVariant> args = moved.takeFirst();
    QCOMPARE(args.at(0).toInt(), button);
    QCOMPARE(args.at(1).toInt(), shift);
    QCOMPARE(args.at(2).toDouble(), pos.x() * 15.0);
    QCOMPARE(args.at(3).toDouble(), pos.y() * 15.0);
}

void TestClock::click_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left inside") << int(Qt::LeftButton) << QPoint(28, 28) << QPoint(30, 30) << 1;
    QTest::newRow("released outside")
        << int(Qt::LeftButton) << QPoint(28, 28) << QPoint(80, 30) << 0;
    QTest::newRow("right") << int(Qt::RightButton) << QPoint(28, 28) << QPoint(28, 28) << 0;
    QTest::newRow("middle") << int(Qt::MiddleButton) << QPoint(28, 28) << QPoint(28, 28) << 0;
}

void TestClock::click()
{
    QFETCH(int, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(int, clicks);
    TestContext t;
    QWidget window;
    window.resize(200, 200);
    AnalogClock clock(&t.platform, &window);
    clock.Move(0, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(&clock, &AnalogClock::clicked);
    QTest::mousePress(&clock, Qt::MouseButton(button), Qt::NoModifier, press);
    QTest::mouseRelease(&clock, Qt::MouseButton(button), Qt::NoModifier, release);
    QCOMPARE(clicked.size(), clicks);
}

void TestClock::drawsColoursAsBgr()
{
    TestContext t;
    AnalogClock clock(&t.platform);
    clock.setTimeSource([] { return QTime(4, 40, 30); }); // hands in the lower half
    clock.setWidth(1500);
    clock.setHeight(1500);         // 100 px
    clock.setDialColor(0x0000FF);  // red
    clock.setFrameColor(0x00FF00); // green
    clock.setFrameWidth(4);
    clock.setSecondHandColor(0xFF0000); // blue
    clock.setSecondHandWidth(3);
    clock.setMascotSize(0);
    const QImage image = render(clock);
    QVERIFY(near(image.pixelColor(dialPoint(clock, 315, 0.45)), QColor(255, 0, 0)));
    QVERIFY(near(image.pixelColor(1, 50), QColor(0, 255, 0)));
    QVERIFY(near(image.pixelColor(98, 50), QColor(0, 255, 0)));
    // Thirty seconds: the second hand points at six.
    QVERIFY(near(image.pixelColor(dialPoint(clock, 180, 0.6)), QColor(0, 0, 255)));
    // Outside the round frame the clock lets the window show through.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(99, 99).alpha(), 0);
}

void TestClock::mascotGrowsWithSize()
{
    TestContext t;
    AnalogClock clock(&t.platform);
    clock.setTimeSource([] { return QTime(4, 40, 30); });
    clock.setWidth(1500);
    clock.setHeight(1500);
    clock.setMascotColor(0x00FFFF); // yellow
    const QColor yellow(255, 255, 0);
    const QRect upperHalf(0, 0, 100, 50);
    QList<int> counts;
    for (qint16 size : {qint16(0), qint16(1), qint16(7), qint16(20), qint16(35)}) {
        clock.setMascotSize(size);
        counts.append(countNear(render(clock), yellow, upperHalf));
    }
    QCOMPARE(counts.at(0), 0);
    QVERIFY(counts.at(1) > 0);
    QVERIFY(counts.at(2) > counts.at(1));
    QVERIFY(counts.at(3) > counts.at(2));
    // Beyond 20 the mascot is drawn at 20.
    QCOMPARE(counts.at(4), counts.at(3));
    // The colour follows the property at once.
    clock.setMascotSize(20);
    clock.setMascotColor(0xFF00FF);
    QCOMPARE(countNear(render(clock), yellow, upperHalf), 0);
    QVERIFY(countNear(render(clock), QColor(255, 0, 255), upperHalf) > 0);
}

void TestClock::dialTextShowsSevenCharacters()
{
    TestContext t;
    AnalogClock clock(&t.platform);
    clock.setTimeSource([] { return QTime(10, 10, 0); }); // hands in the upper half
    clock.setWidth(1800);
    clock.setHeight(1800);
    clock.setMascotSize(0);
    const QImage blank = render(clock);
    clock.setDialText(QStringLiteral("ABCDEFG"));
    const QImage seven = render(clock);
    QVERIFY(seven != blank);
    clock.setDialText(QStringLiteral("ABCDEFGHIJ"));
    QCOMPARE(render(clock), seven);
    // Trailing blanks, as a stored text carries them, do not move the text.
    clock.setDialText(QStringLiteral("ABC    "));
    const QImage padded = render(clock);
    clock.setDialText(QStringLiteral("ABC"));
    QCOMPARE(render(clock), padded);
    QVERIFY(padded != seven);
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
