#include "common/codepage.h"
#include "common/fileerror.h"
#include "overview/overviewfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lc;

using OptionalText = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalText)

namespace {

QByteArray record(const QByteArray& text, char pad = ' ')
{
    QByteArray r = text.left(Overview::RecordLength);
    r.append(Overview::RecordLength - r.size(), pad);
    return r;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray recordOf(const QByteArray& file, int n)
{
    return file.mid(qsizetype(n - 1) * Overview::RecordLength, Overview::RecordLength);
}

} // namespace

class TestOverviewFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newDirectoryGetsThirtyNulRecords();
    void zeroLengthFileIsFilled();
    void readFailsInMissingDirectory();
    void saveAfterCreationKeepsUnusedRecords();
    void saveOfMissingFileWritesTwentyTwoRecords();
    void saveKeepsEverythingBeyondTheFields();
    void saveFailureLeavesNothingBehind();
    void savedRecords_data();
    void savedRecords();
    void displayText_data();
    void displayText();
    void formatArea_data();
    void formatArea();
    void leadingNumber_data();
    void leadingNumber();
    void nameRecord_data();
    void nameRecord();
    void nameReaderTouchesNothing();
    void pathFindsAnyLetterCase();
    void dateWithWeekday_data();
    void dateWithWeekday();
};

void TestOverviewFile::newDirectoryGetsThirtyNulRecords()
{
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    const OverviewReadResult r = readOverview(path);
    QCOMPARE(r.error, 0);
    QVERIFY(r.created);
    for (int n = 1; n <= Overview::FieldCount; ++n)
        QVERIFY(!r.values.at(n));
    QCOMPARE(readAll(path), QByteArray(3840, '\0'));
}

void TestOverviewFile::zeroLengthFileIsFilled()
{
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    writeAll(path, {});
    QVERIFY(readOverview(path).created);
    QCOMPARE(readAll(path), QByteArray(3840, '\0'));
}

void TestOverviewFile::readFailsInMissingDirectory()
{
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/gone");
    const OverviewReadResult r = readOverview(overviewFilePath(missing));
    QCOMPARE(r.error, int(FileError::PathNotFound));
    QVERIFY(!r.created);
    QVERIFY(!QDir(missing).exists());
    QCOMPARE(readOverview(overviewFilePath(QString())).error, int(FileError::PathNotFound));
    QCOMPARE(writeOverview(overviewFilePath(QString()), {}), int(FileError::PathNotFound));
}

void TestOverviewFile::saveAfterCreationKeepsUnusedRecords()
{
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    QCOMPARE(readOverview(path).error, 0);
    OverviewTexts texts;
    texts[2] = QStringLiteral("2026");
    texts[3] = QStringLiteral("12");
    texts[4] = QStringLiteral("08");
    QCOMPARE(writeOverview(path, texts), 0);

    const QByteArray file = readAll(path);
    QCOMPARE(file.size(), 3840);
    for (int n = 1; n <= 22; ++n) {
        const QByteArray expected = n == 2   ? record("2026")
                                    : n == 3 ? record("12")
                                    : n == 4 ? record("08")
                                             : record("");
        QCOMPARE(recordOf(file, n), expected);
    }
    QCOMPARE(file.mid(22 * 128), QByteArray(8 * 128, '\0'));
}

void TestOverviewFile::saveOfMissingFileWritesTwentyTwoRecords()
{
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    OverviewTexts texts;
    texts[5] = QStringLiteral("  本社ビル新築工事 ");
    QCOMPARE(writeOverview(path, texts), 0);
    const QByteArray file = readAll(path);
    QCOMPARE(file.size(), 2816);
    QCOMPARE(recordOf(file, 5), record(toCodePage(u"本社ビル新築工事")));
    QCOMPARE(recordOf(file, 22), record(""));
}

void TestOverviewFile::saveKeepsEverythingBeyondTheFields()
{
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    // 40 records of other programs' data plus a stray tail that is not a whole record.
    QByteArray old;
    for (int n = 1; n <= 40; ++n)
        old += record(QByteArray::number(n), char('a' + n % 26));
    old += QByteArray("\x01\x02\x03");
    writeAll(path, old);

    OverviewTexts texts;
    texts[1] = QStringLiteral("12-3");
    QCOMPARE(writeOverview(path, texts), 0);
    const QByteArray file = readAll(path);
    QCOMPARE(file.size(), old.size());
    QCOMPARE(recordOf(file, 1), record("12-3"));
    QCOMPARE(recordOf(file, 2), record(""));
    QCOMPARE(file.mid(22 * 128), old.mid(22 * 128));
}

void TestOverviewFile::saveFailureLeavesNothingBehind()
{
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/gone");
    OverviewTexts texts;
    texts[5] = QStringLiteral("name");
    QCOMPARE(writeOverview(overviewFilePath(missing), texts), int(FileError::PathNotFound));
    QVERIFY(!QDir(missing).exists());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestOverviewFile::savedRecords_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    const QString kanji60 = QString(60, QChar(u'漢'));
    QByteArray kanjiBytes;
    for (int i = 0; i < 60; ++i)
        kanjiBytes += toCodePage(u"漢");
    QTest::newRow("60 double-byte characters whole, 8 blanks")
        << 5 << kanji60 << kanjiBytes + QByteArray(8, ' ');
    QTest::newRow("two-digit year trimmed") << 2 << QStringLiteral("24  ") << record("24");
    QTest::newRow("blanks both ends")
        << 12 << QStringLiteral("  山田 太郎  ") << record(toCodePage(u"山田 太郎"));
    QTest::newRow("empty field all blanks") << 13 << QString() << record("");
    QTest::newRow("area text as shown") << 10 << QStringLiteral(".500") << record(".500");
    // A text over 128 bytes is cut before a character that would not fit whole.
    QTest::newRow("cut at whole characters")
        << 6 << QStringLiteral("a") + QString(64, QChar(u'漢'))
        << QByteArray("a") + kanjiBytes + toCodePage(QString(3, QChar(u'漢'))) + QByteArray(" ");
    QTest::newRow("square metre") << 9 << QStringLiteral("RC造 ５階 ㎡～")
                                  << record(toCodePage(u"RC造 ５階 ㎡～"));
}

void TestOverviewFile::savedRecords()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    OverviewTexts texts;
    texts[field] = text;
    QCOMPARE(writeOverview(path, texts), 0);
    const QByteArray got = recordOf(readAll(path), field);
    QCOMPARE(got.size(), 128);
    QCOMPARE(got, expected);
}

void TestOverviewFile::displayText_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<OptionalText>("expected");

    const OptionalText none;
    QTest::newRow("never written") << 5 << QByteArray(128, '\0') << none;
    QTest::newRow("first byte NUL") << 5 << QByteArray("\0name", 5) + QByteArray(123, ' ') << none;
    QTest::newRow("blank record") << 5 << record("") << none;
    QTest::newRow("name trimmed") << 5 << record("  ABC  ") << OptionalText(QStringLiteral("ABC"));
    QTest::newRow("name of 70 cut to 60")
        << 5 << record(QByteArray(70, 'N')) << OptionalText(QString(60, u'N'));
    QTest::newRow("double-byte name whole")
        << 5 << toCodePage(QString(60, u'漢')) + QByteArray(8, ' ')
        << OptionalText(QString(60, u'漢'));
    QTest::newRow("building number 7")
        << 1 << record("1234-5678") << OptionalText(QStringLiteral("1234-56"));
    QTest::newRow("use 30") << 7 << record(QByteArray(40, 'u')) << OptionalText(QString(30, u'u'));
    QTest::newRow("structure 20") << 8 << record(QByteArray(25, 's'))
                                  << OptionalText(QString(20, u's'));
    QTest::newRow("scale 20") << 9 << record(QByteArray(25, 'k'))
                              << OptionalText(QString(20, u'k'));
    QTest::newRow("person 30") << 12 << record(QByteArray(31, 'p'))
                               << OptionalText(QString(30, u'p'));
    QTest::newRow("remark 60") << 22 << record(QByteArray(61, 'r'))
                               << OptionalText(QString(60, u'r'));
    QTest::newRow("year 2024") << 2 << record("2024") << OptionalText(QStringLiteral("2024"));
    QTest::newRow("year 24 untrimmed") << 2 << record("24") << OptionalText(QStringLiteral("24  "));
    QTest::newRow("year leading blank")
        << 2 << record(" 24") << OptionalText(QStringLiteral(" 24 "));
    QTest::newRow("month untrimmed") << 3 << record("3") << OptionalText(QStringLiteral("3 "));
    QTest::newRow("day first two") << 4 << record("081") << OptionalText(QStringLiteral("08"));
    QTest::newRow("area 0") << 10 << record("0") << none;
    QTest::newRow("area 0.000") << 11 << record("0.000") << none;
    QTest::newRow("area 1234.5") << 10 << record("1234.5")
                                 << OptionalText(QStringLiteral("1234.500"));
    QTest::newRow("area 0.25") << 10 << record("0.25") << OptionalText(QStringLiteral(".250"));
    QTest::newRow("area 0.500") << 11 << record("0.500") << OptionalText(QStringLiteral(".500"));
    QTest::newRow("area rounded") << 10 << record("12.34567")
                                  << OptionalText(QStringLiteral("12.346"));
    QTest::newRow("area first 10 characters")
        << 10 << record("123456.78912") << OptionalText(QStringLiteral("123456.789"));
    QTest::newRow("area not a number") << 10 << record("abc") << none;
    QTest::newRow("area with a tail kept as text")
        << 10 << record("12abc") << OptionalText(QStringLiteral("12abc"));
    QTest::newRow("text ends at NUL") << 6 << QByteArray("Tokyo\0\0\0", 8) + QByteArray(120, '\0')
                                      << OptionalText(QStringLiteral("Tokyo"));
    QTest::newRow("square metre and wave dash")
        << 13 << record(QByteArray("\x87\x75\x81\x60")) << OptionalText(QStringLiteral("㎡～"));
}

void TestOverviewFile::displayText()
{
    QFETCH(int, record);
    QFETCH(QByteArray, bytes);
    QFETCH(OptionalText, expected);
    QCOMPARE(overviewDisplayText(record, bytes), expected);

    // The same through a file: the record in its place among NUL records.
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    QByteArray file(30 * 128, '\0');
    file.replace((record - 1) * 128, 128, bytes);
    writeAll(path, file);
    const OverviewReadResult r = readOverview(path);
    QCOMPARE(r.error, 0);
    QVERIFY(!r.created);
    QCOMPARE(r.values.at(record), expected);
}

void TestOverviewFile::formatArea_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("forced");
    QTest::addColumn<QString>("unforced");

    QTest::newRow("12.5") << "12.5"
                          << "12.500"
                          << "12.500";
    QTest::newRow(".5") << ".5"
                        << "0.500"
                        << ".500";
    QTest::newRow("0.25") << "0.25"
                          << "0.250"
                          << ".250";
    QTest::newRow("point only") << "."
                                << "0.000"
                                << ".000";
    QTest::newRow("six digits and three") << "123456.789"
                                          << "123456.789"
                                          << "123456.789";
    QTest::newRow("integer") << "1234"
                             << "1234.000"
                             << "1234.000";
    QTest::newRow("blanks") << "  7.1 "
                            << "7.100"
                            << "7.100";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("only blanks") << "   "
                                 << ""
                                 << "";
    QTest::newRow("rounded") << "1.23456"
                             << "1.235"
                             << "1.235";
    QTest::newRow("negative fraction") << "-0.25"
                                       << "-0.250"
                                       << "-.250";
    QTest::newRow("not a number") << "12abc"
                                  << "12abc"
                                  << "12abc";
}

void TestOverviewFile::formatArea()
{
    QFETCH(QString, text);
    QFETCH(QString, forced);
    QFETCH(QString, unforced);
    QCOMPARE(lc::formatArea(text, AreaFormat::ForcedDigit), forced);
    QCOMPARE(lc::formatArea(text, AreaFormat::NoForcedDigit), unforced);
}

void TestOverviewFile::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("digits then letters") << "12abc" << 12.0;
    QTest::newRow("fraction") << ".5" << 0.5;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("signed") << "-3.25x" << -3.25;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("dangling exponent") << "2e" << 2.0;
    QTest::newRow("year") << "2026" << 2026.0;
}

void TestOverviewFile::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(lc::leadingNumber(text), value);
}

void TestOverviewFile::nameRecord_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("fileEmpty");
    QTest::addColumn<QString>("name");

    QByteArray five;
    for (int n = 1; n <= 30; ++n)
        five += n == 5 ? record(toCodePage(u"  本社ビル新築工事  ")) : record("x");
    QTest::newRow("name trimmed") << five << false << QStringLiteral("本社ビル新築工事");
    QTest::newRow("zero length") << QByteArray() << true << QString();
    QTest::newRow("shorter than five records") << QByteArray(2 * 128, 'a') << false << QString();
    QTest::newRow("never written") << QByteArray(30 * 128, '\0') << false << QString();
    QTest::newRow("blank") << record("").repeated(30) << false << QString();
    QByteArray longName(4 * 128, ' ');
    longName += record(QByteArray(128, 'L'));
    QTest::newRow("whole 128 bytes, not cut") << longName << false << QString(128, u'L');
    QByteArray partial(4 * 128, ' ');
    partial += QByteArray("AB");
    QTest::newRow("record cut short by the end of the file")
        << partial << false << QStringLiteral("AB");
}

void TestOverviewFile::nameRecord()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, fileEmpty);
    QFETCH(QString, name);
    QTemporaryDir dir;
    for (const QString& fileName :
         {Overview::FileName, Overview::FrameFileName, Overview::DesignFileName,
          Overview::FittingsFileName, Overview::EstimateFileName}) {
        const QString path = overviewFilePath(dir.path(), fileName);
        writeAll(path, file);
        const OverviewNameResult r = readOverviewName(path);
        QCOMPARE(r.error, 0);
        QCOMPARE(r.fileEmpty, fileEmpty);
        QCOMPARE(r.name, name);
    }
}

void TestOverviewFile::nameReaderTouchesNothing()
{
    QTemporaryDir dir;
    const QString path = overviewFilePath(dir.path());
    const OverviewNameResult missing = readOverviewName(path);
    QCOMPARE(missing.error, 0);
    QVERIFY(missing.fileEmpty);
    QVERIFY(!QFile::exists(path));

    writeAll(path, {});
    QVERIFY(readOverviewName(path).fileEmpty);
    QVERIFY(QFile::exists(path));
    QVERIFY(readOverviewName(overviewFilePath(QString())).fileEmpty);
}

void TestOverviewFile::pathFindsAnyLetterCase()
{
    QTemporaryDir dir;
    writeAll(dir.path() + QStringLiteral("/KOJIGAI"), record("x").repeated(4) + record("Upper"));
    QCOMPARE(readOverviewName(overviewFilePath(dir.path() + u'/')).name, QStringLiteral("Upper"));
    QCOMPARE(overviewFilePath(dir.path() + u'/', QStringLiteral("Rkojigai")),
             dir.path() + QStringLiteral("/Rkojigai"));
}

void TestOverviewFile::dateWithWeekday_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("Tuesday") << QDate(2026, 12, 8) << QStringLiteral("2026/12/08 (火)");
    QTest::newRow("Sunday") << QDate(2027, 1, 3) << QStringLiteral("2027/01/03 (日)");
    QTest::newRow("leap day, Thursday") << QDate(2024, 2, 29) << QStringLiteral("2024/02/29 (木)");
}

void TestOverviewFile::dateWithWeekday()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(lc::dateWithWeekday(date), text);
}

QTEST_GUILESS_MAIN(TestOverviewFile)
#include "tst_overviewfile.moc"
