#include "clock/analogclock.h"
#include "common/codepage.h"
#include "common/messagebox.h"
#include "prefs/clockprefs.h"
#include "prefs/clockprefsio.h"
#include "prefs/clockrules.h"
#include "testcontext.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

using namespace lc;
using lc::test::TestContext;

namespace {

// A clock.pra record built from the table of offsets, independently of the code
// under test.
struct RawRecord
{
    QByteArray bytes = QByteArray(169, '\0');

    RawRecord& i16(int offset, qint16 v)
    {
        bytes[offset] = char(v & 0xFF);
        bytes[offset + 1] = char((v >> 8) & 0xFF);
        return *this;
    }
    RawRecord& i32(int offset, qint32 v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = char((quint32(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    RawRecord& text(int offset, int width, const QByteArray& b)
    {
        for (int i = 0; i < width; ++i)
            bytes[offset + i] = i < b.size() ? b[i] : ' ';
        return *this;
    }
};

const QString ShortSound = QStringLiteral("C:\\OM\\chime.wav");

// Every field distinct and inside its range.
RawRecord goldenRecord()
{
    RawRecord r;
    r.i16(0, 2970).i16(2, 1500).i16(4, 1485).i16(6, 990);
    r.text(8, 7, toCodePage(u"時計A")); // 5 bytes and two blanks
    r.i16(15, 12);
    r.i32(17, 0x0000FF)
        .i32(21, 0x00FF00)
        .i32(25, 0xFF0000)
        .i32(29, 0x808080)
        .i32(33, 0x404040)
        .i32(37, 0xC0C000);
    r.i32(41, 0x12345678);
    r.i32(45, 4).i32(49, 5).i32(53, 6).i32(57, 7);
    r.i32(61, -2);
    r.i16(65, 1);
    r.text(67, 100, toCodePage(ShortSound));
    r.i16(167, 30);
    return r;
}

struct Fixture
{
    TestContext t;
    AnalogClock clock{&t.platform};
    ClockPrefs prefs;

    void startUp() { ReadClockPrefsAtStartUp(t.context, clock, prefs); }
    QString defaultSound() const
    {
        return t.context.installDir.file(QStringLiteral("default.wav"));
    }
};

void verifyDefaults(const Fixture& f)
{
    QCOMPARE(f.clock.Left(), 10950.0);
    QCOMPARE(f.clock.Top(), 120.0);
    QCOMPARE(f.clock.Width(), 855.0);
    QCOMPARE(f.clock.Height(), 855.0);
    QCOMPARE(f.clock.DialText(), QString());
    QCOMPARE(f.clock.MinuteHandColor(), 0xFFFFFFu);
    QCOMPARE(f.clock.HourHandColor(), 0xFFFFFFu);
    QCOMPARE(f.clock.SecondHandColor(), 0x0000FFu);
    QCOMPARE(f.clock.DialColor(), 0u);
    QCOMPARE(f.clock.FrameColor(), 0u);
    QCOMPARE(f.clock.MascotColor(), 0xC0C0C0u);
    QCOMPARE(f.clock.MascotSize(), qint16(7));
    QCOMPARE(f.clock.MinuteHandWidth(), qint16(2));
    QCOMPARE(f.clock.HourHandWidth(), qint16(3));
    QCOMPARE(f.clock.SecondHandWidth(), qint16(1));
    QCOMPARE(f.clock.FrameWidth(), qint16(1));
    QCOMPARE(f.clock.JihouOn(), true);
    QCOMPARE(f.clock.JihouFile(), f.defaultSound());
    QCOMPARE(f.clock.JihouMinute(), qint16(0));
}

// What the clock may hold after any start-up, whatever the file.
void verifyUsable(const AnalogClock& clock)
{
    QVERIFY(clock.Width() >= 495 && clock.Width() <= 3465);
    QVERIFY(clock.Height() >= 495 && clock.Height() <= 3465);
    QVERIFY(clock.Left() >= 0 && clock.Left() + clock.Width() <= 11880);
    QVERIFY(clock.Top() >= 0 && clock.Top() + clock.Height() <= 8070);
    QVERIFY(clock.MascotSize() >= 0 && clock.MascotSize() <= 20);
    for (qint16 w : {clock.MinuteHandWidth(), clock.HourHandWidth(), clock.SecondHandWidth(),
                     clock.FrameWidth()})
        QVERIFY(w >= 1 && w <= 10);
    QVERIFY(clock.JihouMinute() >= 0 && clock.JihouMinute() <= 59);
    QVERIFY(clock.DialText().size() <= 7);
}

// A numeric property of the clock by its name.
double clockValue(const AnalogClock& clock, const QString& name)
{
    if (name == QLatin1String("Width"))
        return clock.Width();
    if (name == QLatin1String("Height"))
        return clock.Height();
    if (name == QLatin1String("Left"))
        return clock.Left();
    if (name == QLatin1String("Top"))
        return clock.Top();
    if (name == QLatin1String("MascotSize"))
        return clock.MascotSize();
    if (name == QLatin1String("MinuteHandWidth"))
        return clock.MinuteHandWidth();
    if (name == QLatin1String("SecondHandWidth"))
        return clock.SecondHandWidth();
    if (name == QLatin1String("FrameWidth"))
        return clock.FrameWidth();
    if (name == QLatin1String("JihouMinute"))
        return clock.JihouMinute();
    if (name == QLatin1String("DialColor"))
        return clock.DialColor();
    return qQNaN();
}

} // namespace

class TestClockPrefs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingOrEmptyFileGivesDefaults_data();
    void missingOrEmptyFileGivesDefaults();
    void goldenFileReachesClock();
    void dialTextCutInsideACharacter();
    void switchField_data();
    void switchField();
    void goldenSave();
    void saveLeavesExactly169Bytes_data();
    void saveLeavesExactly169Bytes();
    void roundTripKeepsEveryByte();
    void soundPathIsCutToItsField_data();
    void soundPathIsCutToItsField();
    void shortFileTakesTheFieldsItCovers_data();
    void shortFileTakesTheFieldsItCovers();
    void damagedValuesAreKeptInRange_data();
    void damagedValuesAreKeptInRange();
    void randomAndTruncatedFilesAreSafe();
    void failedSaveReportsAndKeepsOldFile();
    void sizeSteps_data();
    void sizeSteps();
};

void TestClockPrefs::missingOrEmptyFileGivesDefaults_data()
{
    QTest::addColumn<bool>("emptyFile");
    QTest::newRow("no file") << false;
    QTest::newRow("empty file") << true;
}

void TestClockPrefs::missingOrEmptyFileGivesDefaults()
{
    QFETCH(bool, emptyFile);
    Fixture f;
    if (emptyFile)
        f.t.writeFile(QStringLiteral("clock.pra"), QByteArray());
    // A clock that held other values gets all the defaults back.
    f.clock.setMascotSize(3);
    f.clock.setJihouOn(false);
    f.clock.setDialText(QStringLiteral("x"));
    f.startUp();
    verifyDefaults(f);
    QCOMPARE(f.prefs, ClockPrefs());
}

void TestClockPrefs::goldenFileReachesClock()
{
    Fixture f;
    // Found whatever the letter case of its name.
    f.t.writeFile(QStringLiteral("CLOCK.PRA"), goldenRecord().bytes);
    f.startUp();
    QCOMPARE(f.clock.Left(), 2970.0);
    QCOMPARE(f.clock.Top(), 1500.0);
    QCOMPARE(f.clock.Width(), 1485.0);
    QCOMPARE(f.clock.Height(), 990.0);
    QCOMPARE(f.clock.DialText(), QStringLiteral("時計A  "));
    QCOMPARE(f.clock.MascotSize(), qint16(12));
    QCOMPARE(f.clock.MinuteHandColor(), 0x0000FFu);
    QCOMPARE(f.clock.HourHandColor(), 0x00FF00u);
    QCOMPARE(f.clock.SecondHandColor(), 0xFF0000u);
    QCOMPARE(f.clock.DialColor(), 0x808080u);
    QCOMPARE(f.clock.FrameColor(), 0x404040u);
    QCOMPARE(f.clock.MascotColor(), 0xC0C000u);
    QCOMPARE(f.clock.MinuteHandWidth(), qint16(4));
    QCOMPARE(f.clock.HourHandWidth(), qint16(5));
    QCOMPARE(f.clock.SecondHandWidth(), qint16(6));
    QCOMPARE(f.clock.FrameWidth(), qint16(7));
    QCOMPARE(f.clock.JihouOn(), false);
    QCOMPARE(f.clock.JihouFile(), ShortSound);
    QCOMPARE(f.clock.JihouMinute(), qint16(30));
    QCOMPARE(f.prefs.reserved1, 0x12345678);
    QCOMPARE(f.prefs.reserved2, -2);
    QCOMPARE(f.prefs.jihouOff, qint16(1));
    QCOMPARE(f.prefs.toRecord(), goldenRecord().bytes);
}

void TestClockPrefs::dialTextCutInsideACharacter()
{
    Fixture f;
    // Written by a program that cut at the byte: the seventh byte is the first
    // half of "計". It is dropped, not shown and saved back as a substitute.
    RawRecord r = goldenRecord();
    r.text(8, 7, toCodePage(u"時計時") + "\x8C");
    f.t.writeFile(QStringLiteral("clock.pra"), r.bytes);
    f.startUp();
    QCOMPARE(f.clock.DialText(), QStringLiteral("時計時"));
    QCOMPARE(f.prefs.toRecord().mid(8, 7), toCodePage(u"時計時") + ' ');
}

void TestClockPrefs::switchField_data()
{
    QTest::addColumn<qint16>("stored");
    QTest::addColumn<bool>("signalOn");
    QTest::newRow("0: on") << qint16(0) << true;
    QTest::newRow("1: off") << qint16(1) << false;
    QTest::newRow("other: off") << qint16(-1) << false;
}

void TestClockPrefs::switchField()
{
    QFETCH(qint16, stored);
    QFETCH(bool, signalOn);
    Fixture f;
    f.t.writeFile(QStringLiteral("clock.pra"), goldenRecord().i16(65, stored).bytes);
    f.startUp();
    QCOMPARE(f.clock.JihouOn(), signalOn);
    QCOMPARE(f.prefs.timeSignalOff(), !signalOn);
}

void TestClockPrefs::goldenSave()
{
    Fixture f;
    f.clock.Move(1234.4, 2345.6);
    f.clock.setWidth(891);
    f.clock.setHeight(3465);
    f.clock.setDialText(QStringLiteral("ＡＢＣＤ")); // 8 bytes: cut at a whole character
    f.clock.setMascotSize(20);
    f.clock.setMinuteHandColor(0x010203);
    f.clock.setHourHandColor(0x040506);
    f.clock.setSecondHandColor(0x070809);
    f.clock.setDialColor(0x0A0B0C);
    f.clock.setFrameColor(0xFFFFFF);
    f.clock.setMascotColor(0);
    f.clock.setMinuteHandWidth(10);
    f.clock.setHourHandWidth(1);
    f.clock.setSecondHandWidth(-2); // sign-extended into its 32-bit field
    f.clock.setFrameWidth(3);
    f.clock.setJihouFile(ShortSound);
    f.clock.setJihouMinute(59);
    f.clock.setJihouOn(false);
    f.prefs.reserved1 = -1;
    f.prefs.reserved2 = 0x0BADF00D;

    QCOMPARE(SaveClockPrefs(f.t.context, f.clock, true, f.prefs), 0);

    RawRecord expected;
    expected.i16(0, 1234).i16(2, 2346).i16(4, 891).i16(6, 3465);
    expected.text(8, 7, toCodePage(u"ＡＢＣ"));
    expected.i16(15, 20);
    expected.i32(17, 0x010203)
        .i32(21, 0x040506)
        .i32(25, 0x070809)
        .i32(29, 0x0A0B0C)
        .i32(33, 0xFFFFFF)
        .i32(37, 0);
    expected.i32(41, -1);
    expected.i32(45, 10).i32(49, 1).i32(53, -2).i32(57, 3);
    expected.i32(61, 0x0BADF00D);
    expected.i16(65, 1);
    expected.text(67, 100, toCodePage(ShortSound));
    expected.i16(167, 59);
    QCOMPARE(f.t.readFile(QStringLiteral("clock.pra")), expected.bytes);
    QCOMPARE(f.prefs.toRecord(), expected.bytes);
    QCOMPARE(f.prefs.dialText, QStringLiteral("ＡＢＣ "));
}

void TestClockPrefs::saveLeavesExactly169Bytes_data()
{
    QTest::addColumn<int>("oldLength"); // -1: no file
    QTest::newRow("no file") << -1;
    QTest::newRow("empty") << 0;
    QTest::newRow("short") << 20;
    QTest::newRow("exact") << 169;
    QTest::newRow("long") << 1000;
}

void TestClockPrefs::saveLeavesExactly169Bytes()
{
    QFETCH(int, oldLength);
    Fixture f;
    if (oldLength >= 0)
        f.t.writeFile(QStringLiteral("clock.pra"), QByteArray(oldLength, '\x7F'));
    f.startUp();
    QCOMPARE(SaveClockPrefs(f.t.context, f.clock, false, f.prefs), 0);
    const QByteArray saved = f.t.readFile(QStringLiteral("clock.pra"));
    QCOMPARE(saved.size(), 169);
    QCOMPARE(saved, f.prefs.toRecord());
    // Of the old file only the reserved fields it covered survive.
    const QByteArray reserved = oldLength >= 45 ? QByteArray(4, '\x7F') : QByteArray(4, '\0');
    QCOMPARE(saved.mid(41, 4), reserved);
    QCOMPARE(QDir(f.t.dir()).entryList(QDir::Files).size(), 1);
}

void TestClockPrefs::roundTripKeepsEveryByte()
{
    Fixture f;
    f.t.writeFile(QStringLiteral("clock.pra"), goldenRecord().bytes);
    f.startUp();
    const ClockPrefs firstRead = f.prefs;
    QCOMPARE(SaveClockPrefs(f.t.context, f.clock, f.prefs.timeSignalOff(), f.prefs), 0);
    QCOMPARE(f.t.readFile(QStringLiteral("clock.pra")), goldenRecord().bytes);

    Fixture next;
    next.t.writeFile(QStringLiteral("clock.pra"), f.t.readFile(QStringLiteral("clock.pra")));
    next.startUp();
    QCOMPARE(next.prefs, firstRead);
    QCOMPARE(next.clock.JihouFile(), f.clock.JihouFile());
    QCOMPARE(next.clock.DialText(), f.clock.DialText());
}

void TestClockPrefs::soundPathIsCutToItsField_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("readBack");
    // A path as the system writes it (the clock shows the native form).
    const QString ascii = QDir::toNativeSeparators(QStringLiteral("/snd/") + QString(140, u'a') + QStringLiteral(".wav"));
    QTest::newRow("145 characters") << ascii << ascii.left(100);
    QTest::newRow("exactly 100") << ascii.left(100) << ascii.left(100);
    const QString kana = QString(60, u'あ');
    QTest::newRow("double-byte, cut whole") << kana << kana.left(50);
    QTest::newRow("short") << ShortSound << ShortSound;
}

void TestClockPrefs::soundPathIsCutToItsField()
{
    QFETCH(QString, path);
    QFETCH(QString, readBack);
    Fixture f;
    f.startUp();
    f.clock.setJihouFile(path);
    QCOMPARE(SaveClockPrefs(f.t.context, f.clock, false, f.prefs), 0);
    QCOMPARE(f.t.readFile(QStringLiteral("clock.pra")).size(), 169);
    Fixture next;
    next.t.writeFile(QStringLiteral("clock.pra"), f.t.readFile(QStringLiteral("clock.pra")));
    next.startUp();
    QCOMPARE(next.clock.JihouFile(), readBack);
}

void TestClockPrefs::shortFileTakesTheFieldsItCovers_data()
{
    QTest::addColumn<int>("length");
    for (int n : {1, 2, 8, 9, 15, 17, 20, 41, 45, 60, 65, 66, 67, 100, 166, 167, 168})
        QTest::addRow("%d bytes", n) << n;
}

void TestClockPrefs::shortFileTakesTheFieldsItCovers()
{
    QFETCH(int, length);
    Fixture full;
    full.t.writeFile(QStringLiteral("clock.pra"), goldenRecord().bytes);
    full.startUp();
    Fixture defaults;
    defaults.startUp();

    Fixture f;
    f.t.writeFile(QStringLiteral("clock.pra"), goldenRecord().bytes.left(length));
    f.startUp();
    auto pick = [&](int offset, int size) -> const AnalogClock& {
        return offset + size <= length ? full.clock : defaults.clock;
    };
    QCOMPARE(f.clock.Left(), pick(0, 2).Left());
    QCOMPARE(f.clock.Top(), pick(2, 2).Top());
    QCOMPARE(f.clock.Width(), pick(4, 2).Width());
    QCOMPARE(f.clock.Height(), pick(6, 2).Height());
    QCOMPARE(f.clock.DialText(), pick(8, 7).DialText());
    QCOMPARE(f.clock.MascotSize(), pick(15, 2).MascotSize());
    QCOMPARE(f.clock.MinuteHandColor(), pick(17, 4).MinuteHandColor());
    QCOMPARE(f.clock.MascotColor(), pick(37, 4).MascotColor());
    QCOMPARE(f.clock.MinuteHandWidth(), pick(45, 4).MinuteHandWidth());
    QCOMPARE(f.clock.FrameWidth(), pick(57, 4).FrameWidth());
    QCOMPARE(f.clock.JihouOn(), pick(65, 2).JihouOn());
    QCOMPARE(f.clock.JihouFile(), length >= 167 ? ShortSound : f.defaultSound());
    QCOMPARE(f.clock.JihouMinute(), pick(167, 2).JihouMinute());
    QCOMPARE(f.prefs.reserved1, length >= 45 ? 0x12345678 : 0);
}

void TestClockPrefs::damagedValuesAreKeptInRange_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<qint32>("stored");
    QTest::addColumn<QString>("property");
    QTest::addColumn<double>("expected");
    QTest::newRow("width 0") << 4 << 2 << 0 << "Width" << 495.0;
    QTest::newRow("width 5000") << 4 << 2 << 5000 << "Width" << 3465.0;
    QTest::newRow("height negative") << 6 << 2 << -855 << "Height" << 495.0;
    QTest::newRow("left off the right edge") << 0 << 2 << 20000 << "Left" << 11880.0 - 1485;
    QTest::newRow("left negative") << 0 << 2 << -32768 << "Left" << 0.0;
    QTest::newRow("top below the bottom") << 2 << 2 << 9000 << "Top" << 8070.0 - 990;
    QTest::newRow("mascot 300") << 15 << 2 << 300 << "MascotSize" << 20.0;
    QTest::newRow("mascot negative") << 15 << 2 << -1 << "MascotSize" << 0.0;
    QTest::newRow("long hand 0") << 45 << 4 << 0 << "MinuteHandWidth" << 1.0;
    QTest::newRow("frame 5000") << 57 << 4 << 5000 << "FrameWidth" << 10.0;
    QTest::newRow("second hand narrowed") << 53 << 4 << 0x10003 << "SecondHandWidth" << 3.0;
    QTest::newRow("minute 75") << 167 << 2 << 75 << "JihouMinute" << 59.0;
    QTest::newRow("minute negative") << 167 << 2 << -5 << "JihouMinute" << 0.0;
    QTest::newRow("colour with high byte") << 29 << 4 << qint32(0x80000005) << "DialColor" << 5.0;
}

void TestClockPrefs::damagedValuesAreKeptInRange()
{
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(qint32, stored);
    QFETCH(QString, property);
    QFETCH(double, expected);
    RawRecord r = goldenRecord();
    if (size == 2)
        r.i16(offset, qint16(stored));
    else
        r.i32(offset, stored);
    Fixture f;
    f.t.writeFile(QStringLiteral("clock.pra"), r.bytes);
    f.startUp();
    QCOMPARE(clockValue(f.clock, property), expected);
    verifyUsable(f.clock);
}

void TestClockPrefs::randomAndTruncatedFilesAreSafe()
{
    QRandomGenerator rng(20261208);
    Fixture f;
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        if (round < 170) {
            bytes = goldenRecord().bytes.left(round);
        } else {
            bytes.resize(rng.bounded(1, 400));
            for (char& c : bytes)
                c = char(rng.bounded(256));
        }
        f.t.writeFile(QStringLiteral("clock.pra"), bytes);
        f.prefs = ClockPrefs();
        f.startUp();
        verifyUsable(f.clock);
        if (QTest::currentTestFailed()) {
            qWarning() << "round" << round << bytes.toHex();
            return;
        }
    }
}

void TestClockPrefs::failedSaveReportsAndKeepsOldFile()
{
    Fixture f;
    f.t.writeFile(QStringLiteral("clock.pra"), goldenRecord().bytes);
    f.startUp();
    const ClockPrefs before = f.prefs;
    // A directory where the new file must go cannot be replaced.
    QVERIFY(QDir(f.t.dir()).mkdir(QStringLiteral("gone")));
    f.t.context.installDir = InstallDir(f.t.path(QStringLiteral("gone/deeper")));
    f.clock.setMascotSize(1);
    QVERIFY(SaveClockPrefs(f.t.context, f.clock, false, f.prefs) != 0);
    QCOMPARE(f.prefs, before);
    QCOMPARE(f.t.messages.shown.size(), 1);
    QCOMPARE(f.t.messages.shown.first().title, QStringLiteral("ディスクエラ－"));

    // Something in the way of the new file: Cancel gives up, Retry writes again.
    Fixture g;
    QVERIFY(QDir(g.t.dir()).mkdir(QStringLiteral("clock.pra")));
    g.startUp();
    verifyDefaults(g);
    g.t.messages.answers.enqueue(Msg::ResultCancel);
    QVERIFY(SaveClockPrefs(g.t.context, g.clock, false, g.prefs) != 0);
    QVERIFY(QFileInfo(g.t.path(QStringLiteral("clock.pra"))).isDir());
    QCOMPARE(g.t.messages.shown.size(), 1);
    QCOMPARE(g.prefs, ClockPrefs());

    g.t.messages.shown.clear();
    g.t.messages.answers.enqueue(Msg::ResultRetry);
    g.t.messages.onShow = [&g](const MessageRequest&) {
        QDir(g.t.path(QStringLiteral("clock.pra"))).removeRecursively();
    };
    QCOMPARE(SaveClockPrefs(g.t.context, g.clock, false, g.prefs), 0);
    QCOMPARE(g.t.messages.shown.size(), 1);
    QCOMPARE(g.t.readFile(QStringLiteral("clock.pra")).size(), 169);
    QCOMPARE(g.prefs.width, qint16(855));
}

void TestClockPrefs::sizeSteps_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("size");
    QTest::newRow("0") << 0 << 495.0;
    QTest::newRow("4") << 4 << 891.0;
    QTest::newRow("5") << 5 << 990.0;
    QTest::newRow("30") << 30 << 3465.0;
}

void TestClockPrefs::sizeSteps()
{
    QFETCH(int, step);
    QFETCH(double, size);
    QCOMPARE(ClockRules::sizeForStep(step), size);
    QCOMPARE(ClockRules::stepForSize(size), step);
    // The start-up default lies nearest to step 4.
    QCOMPARE(ClockRules::stepForSize(855), 4);
    QCOMPARE(ClockRules::stepForSize(100), 0);
    QCOMPARE(ClockRules::stepForSize(30000), 30);
}

QTEST_MAIN(TestClockPrefs)
#include "tst_clockprefs.moc"
