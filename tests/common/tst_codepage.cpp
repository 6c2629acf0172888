#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/quotedfields.h"
#include "common/recordfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace lc;

class TestCodePage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bytes_data();
    void bytes();
    void roundTrip_data();
    void roundTrip();
    void outsideCodePage_data();
    void outsideCodePage();
    void byteHelpers_data();
    void byteHelpers();
    void byteLen_data();
    void byteLen();
    void byteMidSet_data();
    void byteMidSet();
    void fixedFieldCutsWholeCharacters_data();
    void fixedFieldCutsWholeCharacters();
    void recordFile();
    void recordFileSaveKeepsOldOnFailure();
    void quotedFields_data();
    void quotedFields();
    void quotedRecordWriting();
};

void TestCodePage::bytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("square metre") << QStringLiteral("㎡") << QByteArray("\x87\x75");
    QTest::newRow("full-width hyphen-minus") << QStringLiteral("－") << QByteArray("\x81\x7C");
    QTest::newRow("wave dash") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("half-width katakana") << QStringLiteral("ﾇ") << QByteArray("\xC7");
    QTest::newRow("IBM extension") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
    QTest::newRow("ascii") << QStringLiteral("om") << QByteArray("om");
    QTest::newRow("unrepresentable") << QStringLiteral("a😀b") << QByteArray("a?b");
    // Windows paths keep their separators and tilde as single bytes.
    QTest::newRow("backslash and tilde")
        << QStringLiteral("C:\\PROGRA~1\\") << QByteArray("C:\\PROGRA~1\\");
    QTest::newRow("double-byte with 0x5C trail") << QStringLiteral("表") << QByteArray("\x95\x5C");
    // Single bytes of Windows' own table that iconv's lacks: read and written back unchanged.
    QTest::newRow("0xA0, 0xFD-0xFF") << QStringLiteral("a\uF8F0\uF8F1\uF8F2\uF8F3b")
                                     << QByteArray("a\xA0\xFD\xFE\xFF" "b");
}

void TestCodePage::bytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(toCodePage(text), expected);
    if (!expected.contains('?'))
        QCOMPARE(fromCodePage(expected), text);
}

void TestCodePage::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    for (const char* t :
         {"Mabora for Windows MAIN MENU", "    ＭＡＩＮ ＭＥＮＵ", " ＫＯＲＶＡＮSystem ",
          "その他のSystem ", "ディスクエラ－", "ファイルはすでにォ－プンされています。",
          "内部ディスク　エラ－が発生しました。", "ﾏｽﾀｰ用のﾄﾞﾗｲﾌﾞ", "Data用のﾄﾞﾗｲﾌﾞ",
          "吸上用のﾄﾞﾗｲﾌﾞ", "㎡～－", "　ＲＣ TEXT変換　", "新しいフォルダ(2)", "om", "default.wav",
          "C:\\Mabora\\髙橋建設～第２期", "ｶﾌﾞｼｷｶﾞｲｼｬ",
          "ディスクを（A）ドライブに入れてドアを閉じて下さい。", "指定されたパスが存在しません。"})
        QTest::newRow(t) << QString::fromUtf8(t);
}

void TestCodePage::roundTrip()
{
    QFETCH(QString, text);
    QCOMPARE(fromCodePage(toCodePage(text)), text);
    QCOMPARE(
        CodePageConv(CodePageConv(text, CodePageDirection::ToBytes), CodePageDirection::FromBytes),
        text);
}

void TestCodePage::outsideCodePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outside");
    QTest::newRow("plain") << QStringLiteral("Tokyo 1-2") << 0;
    QTest::newRow("held by the code page") << QString::fromUtf8("～－㎡髙ｱﾇ∥￢") << 0;
    QTest::newRow("accents") << QString::fromUtf8("Café Müller") << 2;
    QTest::newRow("beyond the BMP counts once") << QString::fromUtf8("😀") << 1;
    QTest::newRow("mixed") << QString::fromUtf8("㎡😀é～") << 2;
    QTest::newRow("a question mark is held") << QStringLiteral("?") << 0;
    QTest::newRow("substitute character") << QString(QChar(0xFFFD)) << 1;
    QTest::newRow("wave dash not in the table") << QString(QChar(0x301C)) << 1;
    QTest::newRow("combining accent") << QStringLiteral("e") + QChar(0x301) << 1;
    QTest::newRow("lone surrogate") << QString(QChar(0xD83D)) << 1;
}

void TestCodePage::outsideCodePage()
{
    QFETCH(QString, text);
    QFETCH(int, outside);
    QCOMPARE(countOutsideCodePage(text), qsizetype(outside));
    QCOMPARE(fitsCodePage(text), outside == 0);
}

void TestCodePage::byteHelpers_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("expected");
    const QString ab = QStringLiteral("AB建");
    QTest::newRow("left whole text") << "left" << ab << 4 << 0 << ab;
    QTest::newRow("left beyond end") << "left" << ab << 10 << 0 << ab;
    QTest::newRow("left zero") << "left" << ab << 0 << 0 << QString();
    QTest::newRow("left ascii part") << "left" << ab << 2 << 0 << "AB";
    QTest::newRow("mid double-byte") << "mid" << ab << 3 << -1 << "建";
    QTest::newRow("mid with count") << "mid" << QStringLiteral("建物です") << 3 << 2 << "物";
    QTest::newRow("mid beyond end") << "mid" << ab << 9 << -1 << QString();
    QTest::newRow("mid count past end") << "mid" << ab << 2 << 10 << "B建";
    QTest::newRow("mid count zero") << "mid" << ab << 1 << 0 << QString();
    QTest::newRow("right double-byte") << "right" << ab << 2 << 0 << "建";
    QTest::newRow("right beyond start") << "right" << ab << 9 << 0 << ab;
    // Half-width katakana take one byte each.
    QTest::newRow("left half-width kana") << "left" << QStringLiteral("ﾏｽﾀｰ用") << 4 << 0 << "ﾏｽﾀｰ";
    QTest::newRow("mid after half-width kana")
        << "mid" << QStringLiteral("ﾏｽﾀｰ用の") << 5 << 2 << "用";
}

void TestCodePage::byteHelpers()
{
    QFETCH(QString, helper);
    QFETCH(QString, text);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QString, expected);
    if (helper == u"left")
        QCOMPARE(ByteLeft(text, a), expected);
    else if (helper == u"right")
        QCOMPARE(ByteRight(text, a), expected);
    else
        QCOMPARE(ByteMid(text, a, b), expected);
}

void TestCodePage::byteLen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("ascii") << "ABC" << 3;
    QTest::newRow("two double-byte") << QStringLiteral("建物") << 4;
    QTest::newRow("half-width kana heading") << QStringLiteral("ﾏｽﾀｰ用のﾄﾞﾗｲﾌﾞ") << 14;
    QTest::newRow("unit and symbols") << QStringLiteral("㎡～－") << 6;
    QTest::newRow("empty") << QString() << 0;
}

void TestCodePage::byteLen()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(ByteLen(text), bytes);
}

void TestCodePage::byteMidSet_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number into item") << "00 X" << 1 << 2 << "07"
                                      << "07 X";
    QTest::newRow("source longer than count") << "00 X" << 1 << 2 << "123"
                                              << "12 X";
    QTest::newRow("target shorter") << "ab" << 2 << 5 << "xyz"
                                    << "ax";
    QTest::newRow("source shorter") << "abcd" << 1 << 3 << "z"
                                    << "zbcd";
    QTest::newRow("double-byte source")
        << "0000 X" << 1 << 4 << QStringLiteral("建物") << QStringLiteral("建物 X");
    QTest::newRow("start in the middle") << "abcdef" << 3 << 2 << "XY"
                                         << "abXYef";
}

void TestCodePage::byteMidSet()
{
    QFETCH(QString, target);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    ByteMidSet(target, start, count, source);
    QCOMPARE(target, expected);
}

void TestCodePage::fixedFieldCutsWholeCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("padded") << "ab" << 4 << QByteArray("ab  ");
    QTest::newRow("cut ascii") << "abcdef" << 4 << QByteArray("abcd");
    // The third byte would be the first half of a double-byte character: it
    // becomes a blank instead.
    QTest::newRow("double-byte boundary") << "a建物" << 4 << (toCodePage(u"a建") + ' ');
    QTest::newRow("exact") << "建物" << 4 << toCodePage(u"建物");
    // A path whose 128th byte would be the first half of a double-byte character.
    QTest::newRow("128th byte a lead byte")
        << (QString(127, u'a') + QStringLiteral("建物")) << 128 << (QByteArray(127, 'a') + ' ');
    QTest::newRow("128 bytes exactly") << (QString(126, u'a') + QStringLiteral("建物")) << 128
                                       << (QByteArray(126, 'a') + toCodePage(u"建"));
    QTest::newRow("half-width kana fill")
        << QString(130, QChar(0xFF71)) << 128 << QByteArray(128, '\xB1');
}

void TestCodePage::fixedFieldCutsWholeCharacters()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QByteArray, expected);
    QCOMPARE(fixedField(text, width), expected);
}

void TestCodePage::recordFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec"));
    RecordFile f(path, 8);
    QCOMPARE(f.load(RecordFile::Open::CreateIfMissing), 0);
    QVERIFY(QFile::exists(path));
    QVERIFY(f.isEmpty());
    f.setText(2, 0, 8, QStringLiteral("建物abc"));
    QCOMPARE(f.size(), 16);
    QCOMPARE(f.record(1), QByteArray(8, '\0'));
    QCOMPARE(f.save(), 0);
    RecordFile g(path, 8);
    QCOMPARE(g.load(), 0);
    QCOMPARE(g.recordCount(), 2);
    QCOMPARE(g.text(2), QStringLiteral("建物abc"));
    QCOMPARE(g.record(3), QByteArray(8, '\0'));
}

void TestCodePage::recordFileSaveKeepsOldOnFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec"));
    RecordFile f(path, 4);
    f.setText(1, 0, 4, QStringLiteral("old"));
    QCOMPARE(f.save(), 0);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    f.setText(1, 0, 4, QStringLiteral("new"));
    const int err = f.save();
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (err == 0)
        QSKIP("the directory stays writable (running as root)");
    QCOMPARE(err, 70); // permission denied: the folder is there

    RecordFile g(path, 4);
    g.load();
    QCOMPARE(g.text(1), QStringLiteral("old"));
}

void TestCodePage::quotedFields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("number and text") << QByteArray("12,\"OM\"\r\n") << QStringList{"12", "OM"};
    QTest::newRow("comma in quotes") << QByteArray("\"a,b\",c\r\n") << QStringList{"a,b", "c"};
    QTest::newRow("line ends separate") << QByteArray("1201view\r\n0101abc\r\n999\r\n")
                                        << QStringList{"1201view", "0101abc", "999"};
    QTest::newRow("blanks around plain") << QByteArray("  42 , x \r\n") << QStringList{"42", "x"};
    QTest::newRow("no final line end") << QByteArray("7") << QStringList{"7"};
    QTest::newRow("code page") << (QByteArray("\"") + toCodePage(u"㎡～") + "\"")
                               << QStringList{"㎡～"};
}

void TestCodePage::quotedFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QuotedFieldReader reader(bytes);
    QStringList read;
    while (!reader.atEnd())
        read.append(reader.next());
    QCOMPARE(read, fields);
}

void TestCodePage::quotedRecordWriting()
{
    QCOMPARE(writeQuotedRecord({QStringLiteral("om")}), QByteArray("\"om\"\r\n"));
    QCOMPARE(writeQuotedRecord({qint64(5), QStringLiteral("OM")}), QByteArray("5,\"OM\"\r\n"));
    QCOMPARE(writeQuotedRecord({qint64(4242)}), QByteArray("4242\r\n"));
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
