// The rules of the background and seasonal pictures without a window: the
// seasonal table, the computed holiday weekends, matching, BackImg and the
// placement of each kind of background.

#include "common/codepage.h"
#include "common/backgrounds.h"
#include "menu/eventtable.h"

#include <QTest>

using namespace lc;

Q_DECLARE_METATYPE(QList<lc::EventRow>)

namespace {

QList<EventRow> rows(std::initializer_list<std::pair<const char*, const char*>> list)
{
    QList<EventRow> out;
    for (const auto& [key, name] : list)
        out.append({QString::fromUtf8(key), QString::fromUtf8(name)});
    return out;
}

// The nth Sunday of a month, found by walking its days.
QDate nthSunday(int year, int month, int nth)
{
    int seen = 0;
    for (QDate d(year, month, 1); d.month() == month; d = d.addDays(1)) {
        if (d.dayOfWeek() == Qt::Sunday && ++seen == nth)
            return d;
    }
    return {};
}

QString key(QDate d)
{
    return d.toString(QStringLiteral("MMdd"));
}

} // namespace

class TestMenuPicturesRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readEventTable_data();
    void readEventTable();
    void readEventTableCapsRows();
    void computedRows_data();
    void computedRows();
    void computedRowsAgainstCalendar();
    void matching_data();
    void matching();
    void plainPictureNames_data();
    void plainPictureNames();

    void parseBackImg_data();
    void parseBackImg();
    void backImgBytes_data();
    void backImgBytes();
    void colourText_data();
    void colourText();
    void storablePaths_data();
    void storablePaths();
    void toStore_data();
    void toStore();
    void kindsAndPlaces_data();
    void kindsAndPlaces();
    void enlargement();
};

void TestMenuPicturesRules::readEventTable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<EventRow>>("expected");

    QTest::newRow("empty") << QByteArray() << QList<EventRow>();
    QTest::newRow("only the end") << QByteArray("999\r\n") << QList<EventRow>();
    QTest::newRow("quoted lines ending with 999")
        << QByteArray("\"0101shogatsu\"\r\n\"1225xmas\"\r\n999\r\n")
        << rows({{"0101", "shogatsu"}, {"1225", "xmas"}});
    QTest::newRow("quoted end") << QByteArray("\"0303hina\",\" 999 \"\r\n\"0404x\"\r\n")
                                << rows({{"0303", "hina"}});
    QTest::newRow("last field lost without 999")
        << QByteArray("\"0101a\"\r\n\"0102b\"\r\n") << rows({{"0101", "a"}});
    QTest::newRow("single field without 999") << QByteArray("\"0101a\"\r\n") << QList<EventRow>();
    QTest::newRow("fields on one line")
        << QByteArray(" 0101abc , 0202def ,999") << rows({{"0101", "abc"}, {"0202", "def"}});
    QTest::newRow("comma inside quotes")
        << QByteArray("\"0101a,b\",999") << rows({{"0101", "a,b"}});
    QTest::newRow("name trimmed and cut to eight")
        << QByteArray("\"0101  nm  \",\"0102abcdefghijk\",999")
        << rows({{"0101", "nm"}, {"0102", "abcdefgh"}});
    QTest::newRow("short and blank fields passed over")
        << QByteArray("\"12\",,\"    x\",\"0101y\",999") << rows({{"0101", "y"}});
    QTest::newRow("key counted in code-page bytes") << QByteArray("\x82\x50\x82\x51"
                                                                  "25x,999")
                                                    << rows({{"１２", "25x"}});
    QTest::newRow("key taken before trimming")
        << QByteArray("\" 0101abc\",999") << rows({{" 010", "abc"}});
    QTest::newRow("blank lines") << QByteArray("\r\n\r\n\"0707tanabata\"\r\n\r\n999\r\n")
                                 << rows({{"0707", "tanabata"}});
    QTest::newRow("unterminated quote") << QByteArray("\"0101abc,999") << QList<EventRow>();
}

void TestMenuPicturesRules::readEventTable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<EventRow>, expected);
    QCOMPARE(lc::readEventTable(bytes), expected);
}

void TestMenuPicturesRules::readEventTableCapsRows()
{
    QByteArray bytes;
    for (int i = 0; i < 150; ++i)
        bytes += "\"0101p" + QByteArray::number(i) + "\"\r\n";
    bytes += "999\r\n";
    const QList<EventRow> table = lc::readEventTable(bytes);
    QCOMPARE(table.size(), EventTable::MaxFileRows);
    QCOMPARE(table.last().PictureName, QStringLiteral("p98"));
}

void TestMenuPicturesRules::computedRows_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QList<EventRow>>("expected");

    QTest::newRow("January starting on a Sunday")
        << QDate(2023, 1, 20) << rows({{"0106", "view02"}, {"0107", "view02"}, {"0108", "view02"}});
    QTest::newRow("January starting on a Monday")
        << QDate(2024, 1, 1) << rows({{"0112", "view02"}, {"0113", "view02"}, {"0114", "view02"}});
    QTest::newRow("January starting on a Saturday")
        << QDate(2022, 1, 31) << rows({{"0107", "view02"}, {"0108", "view02"}, {"0109", "view02"}});
    QTest::newRow("May") << QDate(2026, 5, 3)
                         << rows({{"0508", "view10"}, {"0509", "view10"}, {"0510", "view10"}});
    QTest::newRow("June, third Sunday")
        << QDate(2026, 6, 30) << rows({{"0619", "view11"}, {"0620", "view11"}, {"0621", "view11"}});
    QTest::newRow("June starting on a Sunday")
        << QDate(2025, 6, 1) << rows({{"0613", "view11"}, {"0614", "view11"}, {"0615", "view11"}});
    QTest::newRow("October") << QDate(2026, 10, 1)
                             << rows({{"1009", "view14"}, {"1010", "view14"}, {"1011", "view14"}});
    QTest::newRow("November, 15th a Saturday")
        << QDate(2025, 11, 2) << rows({{"1114", "view16"}, {"1115", "view16"}});
    QTest::newRow("November, 15th a Sunday")
        << QDate(2026, 11, 2) << rows({{"1113", "view16"}, {"1114", "view16"}, {"1115", "view16"}});
    QTest::newRow("November, 15th a Wednesday")
        << QDate(2023, 11, 30) << rows({{"1115", "view16"}});
    QTest::newRow("March") << QDate(2026, 3, 14) << QList<EventRow>();
    QTest::newRow("December") << QDate(2026, 12, 8) << QList<EventRow>();
}

void TestMenuPicturesRules::computedRows()
{
    QFETCH(QDate, date);
    QFETCH(QList<EventRow>, expected);
    QCOMPARE(computedEventRows(date), expected);
}

void TestMenuPicturesRules::computedRowsAgainstCalendar()
{
    for (int year = 2019; year <= 2040; ++year) {
        for (int month = 1; month <= 12; ++month) {
            QStringList expected;
            QString picture;
            auto weekendBefore = [&](QDate sunday, const char* name) {
                picture = QString::fromLatin1(name);
                for (int back = 2; back >= 0; --back)
                    expected.append(key(sunday.addDays(-back)));
            };
            switch (month) {
            case 1:
                weekendBefore(nthSunday(year, month, 2), "view02");
                break;
            case 5:
                weekendBefore(nthSunday(year, month, 2), "view10");
                break;
            case 6:
                weekendBefore(nthSunday(year, month, 3), "view11");
                break;
            case 10:
                weekendBefore(nthSunday(year, month, 2), "view14");
                break;
            case 11: {
                picture = QStringLiteral("view16");
                const QDate fifteenth(year, 11, 15);
                // The 15th and the days of its weekend before it.
                for (QDate d = fifteenth.addDays(-2); d <= fifteenth; d = d.addDays(1)) {
                    const bool weekend =
                        d == fifteenth ||
                        (fifteenth.dayOfWeek() == Qt::Sunday && d >= fifteenth.addDays(-2)) ||
                        (fifteenth.dayOfWeek() == Qt::Saturday && d == fifteenth.addDays(-1));
                    if (weekend)
                        expected.append(key(d));
                }
                break;
            }
            default:
                break;
            }
            for (int day : {1, 15, 28}) {
                const QList<EventRow> computed = computedEventRows(QDate(year, month, day));
                QStringList keys;
                for (const EventRow& row : computed) {
                    keys.append(row.DateKey);
                    QCOMPARE(row.PictureName, picture);
                }
                QVERIFY2(keys == expected,
                         qPrintable(QStringLiteral("%1-%2: %3 instead of %4")
                                        .arg(year)
                                        .arg(month)
                                        .arg(keys.join(u' '), expected.join(u' '))));
            }
        }
    }
}

void TestMenuPicturesRules::matching_data()
{
    QTest::addColumn<QList<EventRow>>("table");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("none") << rows({{"0101", "a"}}) << "0102" << QStringList();
    QTest::newRow("two in row order")
        << rows({{"1208", "b"}, {"0101", "x"}, {"1208", "a"}}) << "1208" << QStringList{"b", "a"};
    QTest::newRow("at most three")
        << rows({{"1208", "a"}, {"1208", "b"}, {"1208", "c"}, {"1208", "d"}}) << "1208"
        << QStringList{"a", "b", "c"};
    QTest::newRow("key trimmed") << rows({{"0101", "a"}, {"1208 ", "b"}}) << "1208"
                                 << QStringList{"b"};
    QTest::newRow("empty key ends the table")
        << rows({{"1208", "a"}, {"    ", "z"}, {"1208", "b"}}) << "1208" << QStringList{"a"};
}

void TestMenuPicturesRules::matching()
{
    QFETCH(QList<EventRow>, table);
    QFETCH(QString, today);
    QFETCH(QStringList, expected);
    QCOMPARE(matchingPictures(table, today), expected);
}

void TestMenuPicturesRules::plainPictureNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("name") << "view02" << true;
    QTest::newRow("japanese") << "正月" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("parent") << ".." << false;
    QTest::newRow("backslash") << "..\\..\\a" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("drive") << "c:x" << false;
}

void TestMenuPicturesRules::plainPictureNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainPictureName(name), plain);
}

void TestMenuPicturesRules::parseBackImg_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");

    QTest::newRow("built-in") << QByteArray("12,\"OM\"\r\n") << true << 12 << "OM";
    QTest::newRow("colour") << QByteArray("50,\"16777215\"\r\n") << true << 50 << "16777215";
    QTest::newRow("own file") << QByteArray("99,\"D:\\pics\\a.bmp\"\r\n") << true << 99
                              << "D:\\pics\\a.bmp";
    QTest::newRow("own file in the code page")
        << QByteArray("99,\"/home/u/\x89\xe6\x91\x9c.jpg\"\r\n") << true << 99
        << "/home/u/画像.jpg";
    QTest::newRow("text trimmed") << QByteArray(" 5 ,\"  om  \"") << true << 5 << "om";
    QTest::newRow("number only") << QByteArray("7\r\n") << true << 7 << "";
    QTest::newRow("unknown number") << QByteArray("40,\"OM\"\r\n") << true << 40 << "OM";
    QTest::newRow("empty") << QByteArray() << false << 0 << "";
    QTest::newRow("blank lines") << QByteArray("\r\n\r\n") << false << 0 << "";
    QTest::newRow("not a number") << QByteArray("abc,\"OM\"\r\n") << false << 0 << "";
    QTest::newRow("fraction") << QByteArray("1.5,\"OM\"\r\n") << false << 0 << "";
    QTest::newRow("too large") << QByteArray("99999999999,\"OM\"\r\n") << false << 0 << "";
}

void TestMenuPicturesRules::parseBackImg()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const std::optional<BackImgRecord> record = lc::parseBackImg(bytes);
    QCOMPARE(record.has_value(), valid);
    if (!valid)
        return;
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(record->number, number);
    QCOMPARE(record->text, text);
}

void TestMenuPicturesRules::backImgBytes_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("built-in") << 5 << "OM" << QByteArray("5,\"OM\"\r\n");
    QTest::newRow("white") << 50 << "16777215" << QByteArray("50,\"16777215\"\r\n");
    QTest::newRow("own file") << 99 << "/home/u/画像.jpg"
                              << QByteArray("99,\"/home/u/\x89\xe6\x91\x9c.jpg\"\r\n");
}

void TestMenuPicturesRules::backImgBytes()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const QByteArray bytes = lc::backImgBytes({number, text});
    QCOMPARE(bytes, expected);
    QCOMPARE(lc::parseBackImg(bytes), std::optional<BackImgRecord>(BackImgRecord{number, text}));
}

void TestMenuPicturesRules::colourText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint32>("bgr");
    QTest::newRow("red") << "255" << true << quint32(0x0000FF);
    QTest::newRow("white") << "16777215" << true << quint32(0xFFFFFF);
    QTest::newRow("black") << "0" << true << quint32(0);
    QTest::newRow("blanks") << " 42 " << true << quint32(42);
    QTest::newRow("empty") << "" << false << quint32(0);
    QTest::newRow("word") << "om" << false << quint32(0);
    QTest::newRow("negative") << "-1" << false << quint32(0);
    QTest::newRow("beyond 24 bits") << "16777216" << false << quint32(0);
    QTest::newRow("system colour") << "2147483663" << false << quint32(0);
}

void TestMenuPicturesRules::colourText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(quint32, bgr);
    const std::optional<quint32> colour = parseColourText(text);
    QCOMPARE(colour.has_value(), valid);
    if (valid)
        QCOMPARE(*colour, bgr);
}

void TestMenuPicturesRules::storablePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("storable");
    QTest::newRow("plain") << "/home/u/a.jpg" << true;
    QTest::newRow("japanese") << "/home/u/写真/庭ー～.bmp" << true;
    QTest::newRow("windows") << "D:\\pics\\a.bmp" << true;
    QTest::newRow("outside the code page") << "/home/u/😀.jpg" << false;
    QTest::newRow("accented") << "/home/u/café.jpg" << false;
    QTest::newRow("double quote") << "/home/u/a\"b.jpg" << false;
    QTest::newRow("line end") << "/home/u/a\nb.jpg" << false;
}

void TestMenuPicturesRules::storablePaths()
{
    QFETCH(QString, path);
    QFETCH(bool, storable);
    QCOMPARE(isStorablePicturePath(path), storable);
    if (storable)
        QCOMPARE(lc::parseBackImg(lc::backImgBytes({99, path}))->text, path);
}

void TestMenuPicturesRules::toStore_data()
{
    QTest::addColumn<int>("backNo");
    QTest::addColumn<QString>("backText");
    QTest::addColumn<bool>("pictureShown");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("savedNo");
    QTest::addColumn<QString>("savedText");
    QTest::addColumn<bool>("writes");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");

    QTest::newRow("new built-in") << 5 << "om" << true << 0u << 12 << "om" << true << 5 << "OM";
    QTest::newRow("same built-in") << 12 << "om" << true << 0u << 12 << "OM" << false << 0 << "";
    QTest::newRow("built-in after the fall-back")
        << 0 << "om" << true << 0u << 99 << "/a.jpg" << true << 0 << "OM";
    QTest::newRow("new own file") << 99 << "/b.jpg" << true << 0u << 99 << "/a.jpg" << true << 99
                                  << "/b.jpg";
    QTest::newRow("same own file")
        << 99 << "/a.jpg" << true << 0u << 99 << "/a.jpg" << false << 0 << "";
    QTest::newRow("own file again after a built-in")
        << 99 << "/a.jpg" << true << 0u << 3 << "/a.jpg" << true << 99 << "/a.jpg";
    QTest::newRow("colour") << 12 << "om" << false << 0xFFFFFFu << 12 << "om" << true << 50
                            << "16777215";
    QTest::newRow("same colour") << 50 << "255" << false << 255u << 50 << "255" << false << 0 << "";
    QTest::newRow("other colour") << 50 << "255" << false << 0u << 50 << "255" << true << 50 << "0";
    QTest::newRow("unknown number stores the colour")
        << 40 << "OM" << false << 0u << 40 << "OM" << true << 50 << "0";
}

void TestMenuPicturesRules::toStore()
{
    QFETCH(int, backNo);
    QFETCH(QString, backText);
    QFETCH(bool, pictureShown);
    QFETCH(quint32, colour);
    QFETCH(int, savedNo);
    QFETCH(QString, savedText);
    QFETCH(bool, writes);
    const std::optional<BackImgRecord> record = backgroundToStore(
        backNo, backText, pictureShown, colour, BackImgRecord{savedNo, savedText});
    QCOMPARE(record.has_value(), writes);
    if (!writes)
        return;
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(record->number, number);
    QCOMPARE(record->text, text);
}

void TestMenuPicturesRules::kindsAndPlaces_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("overlay");
    QTest::addColumn<QPoint>("atStartUp");
    QTest::addColumn<QPoint>("fromThumbnail");

    const QPoint none;
    QTest::newRow("0") << 0 << int(BackgroundKind::Stretched) << true << none << none;
    QTest::newRow("1") << 1 << int(BackgroundKind::Stretched) << true << none << none;
    QTest::newRow("7") << 7 << int(BackgroundKind::Stretched) << false << none << none;
    QTest::newRow("8") << 8 << int(BackgroundKind::None) << false << none << none;
    QTest::newRow("9") << 9 << int(BackgroundKind::None) << false << none << none;
    QTest::newRow("10") << 10 << int(BackgroundKind::Natural) << false << QPoint(5300, 500)
                        << QPoint(5300, 500);
    QTest::newRow("11") << 11 << int(BackgroundKind::Natural) << false << QPoint(4440, -240)
                        << QPoint(4440, -240);
    QTest::newRow("12") << 12 << int(BackgroundKind::Natural) << false << QPoint(600, 120)
                        << QPoint(600, 120);
    QTest::newRow("13") << 13 << int(BackgroundKind::Enlarged) << false << QPoint(4800, 1320)
                        << QPoint(4800, 1500);
    QTest::newRow("14") << 14 << int(BackgroundKind::Enlarged) << false << QPoint(4800, 1320)
                        << QPoint(5700, 1500);
    QTest::newRow("26") << 26 << int(BackgroundKind::Enlarged) << false << QPoint(4800, 1320)
                        << QPoint(5700, 1500);
    QTest::newRow("33") << 33 << int(BackgroundKind::Enlarged) << false << QPoint(4800, 1320)
                        << QPoint(4800, 1500);
    QTest::newRow("34") << 34 << int(BackgroundKind::None) << false << none << none;
    QTest::newRow("40") << 40 << int(BackgroundKind::None) << false << none << none;
    QTest::newRow("50") << 50 << int(BackgroundKind::Colour) << false << none << none;
    QTest::newRow("99") << 99 << int(BackgroundKind::OwnFile) << false << none << none;
    QTest::newRow("-1") << -1 << int(BackgroundKind::None) << false << none << none;
}

void TestMenuPicturesRules::kindsAndPlaces()
{
    QFETCH(int, number);
    QFETCH(int, kind);
    QFETCH(bool, overlay);
    QCOMPARE(int(backgroundKind(number)), kind);
    QCOMPARE(hasOverlay(number), overlay);
    const BackgroundKind k = backgroundKind(number);
    QCOMPARE(isBuiltinBackground(number), k == BackgroundKind::Stretched ||
                                              k == BackgroundKind::Natural ||
                                              k == BackgroundKind::Enlarged);
    if (k == BackgroundKind::Natural || k == BackgroundKind::Enlarged) {
        QFETCH(QPoint, atStartUp);
        QFETCH(QPoint, fromThumbnail);
        QCOMPARE(picturePositionTwips(number, Applied::AtStartUp), atStartUp);
        QCOMPARE(picturePositionTwips(number, Applied::FromThumbnail), fromThumbnail);
    }
    if (isBuiltinBackground(number))
        QCOMPARE(builtinPictureName(number), QStringLiteral("bmp/image%1.jpg").arg(number));
}

void TestMenuPicturesRules::enlargement()
{
    QCOMPARE(enlargedSize(QSize(300, 250)), QSize(450, 375));
    QCOMPARE(enlargedSize(QSize(41, 31)), QSize(62, 47));
    QCOMPARE(enlargedSize(QSize(1, 1)), QSize(2, 2));
}

QTEST_GUILESS_MAIN(TestMenuPicturesRules)
#include "tst_menupictures_rules.moc"
