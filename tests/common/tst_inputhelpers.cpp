#include "common/inputhelpers.h"

#include <QTest>

using namespace lc;

namespace {

// Keys of a typing script: "<" is the left-arrow key, "\b" Backspace; every
// other character is typed as itself.
qint16 keyCode(QChar c)
{
    if (c == u'<')
        return 37;
    return qint16(c.unicode());
}

// What a numeric box does when it receives the focus.
void focusBox(NumEditState& s, const QString& boxText, int intDigits, int decDigits,
              int signAllowance)
{
    s.text = boxText;
    s.focusText = boxText;
    s.firstKey = QStringLiteral("1");
    s.intDigits = qint16(intDigits);
    s.decDigits = qint16(decDigits);
    s.signAllowance = qint16(signAllowance);
}

} // namespace

class TestInputHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void kanaKeys_data();
    void kanaKeys();
    void numKeyFilter_data();
    void numKeyFilter();
    void kanaTypingIntoAreaBox();
    void otherKeysPassThrough_data();
    void otherKeysPassThrough();
};

void TestInputHelpers::kanaKeys_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QChar>("expected");
    const QString kana = QStringLiteral("ﾇﾌｱｳｴｵﾔﾕﾖﾜﾙ;ﾚﾎ:ｹﾒ");
    const QString ascii = QStringLiteral("1234567890.++-**/");
    for (qsizetype i = 0; i < kana.size(); ++i)
        QTest::addRow("%s", qPrintable(QString(kana.at(i)))) << kana.at(i) << ascii.at(i);
    // Other keys stay as they are, other half-width kana included.
    for (const QChar c : QStringLiteral("a15.+ｶﾞ建"))
        QTest::addRow("unchanged %s", qPrintable(QString(c))) << c << c;
}

void TestInputHelpers::kanaKeys()
{
    QFETCH(QChar, typed);
    QFETCH(QChar, expected);
    QCOMPARE(KanaKeyToAscii(typed), expected);
}

void TestInputHelpers::numKeyFilter_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<int>("intDigits");
    QTest::addColumn<int>("decDigits");
    QTest::addColumn<int>("signAllowance");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("firstKey");

    // A year box: four digits, no point, no sign.
    QTest::newRow("year: first digit replaces") << "2023" << 4 << 0 << 0 << "2"
                                                << "2" << false;
    QTest::newRow("year: four digits") << "2023" << 4 << 0 << 0 << "2024"
                                       << "2024" << false;
    QTest::newRow("year: fifth digit ignored") << "2023" << 4 << 0 << 0 << "20245"
                                               << "2024" << false;
    QTest::newRow("year: point and minus ignored") << "2023" << 4 << 0 << 0 << "2024.-"
                                                   << "2024" << false;
    QTest::newRow("year: backspace restores") << "2023" << 4 << 0 << 0 << "2024\b"
                                              << "2023" << true;
    QTest::newRow("year: backspace then digit replaces") << "2023" << 4 << 0 << 0 << "20\b7"
                                                         << "7" << false;
    QTest::newRow("year: point first is ignored and keeps the value")
        << "2023" << 4 << 0 << 0 << "."
        << "2023" << true;

    // An area box: six digits and three decimals.
    QTest::newRow("area: six digits, no seventh") << "" << 6 << 3 << 0 << "1234567"
                                                  << "123456" << false;
    QTest::newRow("area: point after six digits") << "" << 6 << 3 << 0 << "123456."
                                                  << "123456." << false;
    QTest::newRow("area: three decimals, fourth ignored") << "" << 6 << 3 << 0 << "123456.7891"
                                                          << "123456.789" << false;
    QTest::newRow("area: second point ignored") << "" << 6 << 3 << 0 << "1.2.3"
                                                << "1.23" << false;
    QTest::newRow("area: point first") << "99.5" << 6 << 3 << 0 << ".25"
                                       << ".25" << false;
    QTest::newRow("area: point on a blank box") << "  " << 6 << 3 << 0 << "<."
                                                << "." << false;

    // Left arrow deletes from the end, then brings the old value back.
    QTest::newRow("left: 12.5 to 12.") << "12.5" << 6 << 3 << 0 << "<"
                                       << "12." << false;
    QTest::newRow("left: 12.5 to 12") << "12.5" << 6 << 3 << 0 << "<<"
                                      << "12" << false;
    QTest::newRow("left: then a digit appends") << "12.5" << 6 << 3 << 0 << "<<3"
                                                << "123" << false;
    QTest::newRow("left: empty box brings the value back") << "77" << 4 << 0 << 0 << "9<<"
                                                           << "77" << true;
    QTest::newRow("left: restored value is replaced by the next digit")
        << "77" << 4 << 0 << 0 << "9<<5"
        << "5" << false;

    // Minus sign.
    QTest::newRow("sign: forbidden") << "" << 3 << 0 << 0 << "-12"
                                     << "12" << false;
    QTest::newRow("sign: first character only") << "" << 3 << 0 << 1 << "-12-3"
                                                << "-123" << false;
    QTest::newRow("sign: widens the limit by the allowance") << "" << 3 << 0 << 1 << "-1234"
                                                             << "-123" << false;
    QTest::newRow("sign: not after a digit") << "" << 3 << 0 << 1 << "5-"
                                             << "5" << false;
    QTest::newRow("sign: replaces the old value") << "42" << 3 << 0 << 1 << "-"
                                                  << "-" << false;
}

void TestInputHelpers::numKeyFilter()
{
    QFETCH(QString, boxText);
    QFETCH(int, intDigits);
    QFETCH(int, decDigits);
    QFETCH(int, signAllowance);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(bool, firstKey);

    NumEditState s;
    focusBox(s, boxText, intDigits, decDigits, signAllowance);
    for (const QChar c : keys) {
        s.key = keyCode(c);
        NumKeyFilter(s);
        QCOMPARE(s.key, qint16(0)); // every key named by the filter is consumed
    }
    QCOMPARE(s.text, text);
    QCOMPARE(!s.firstKey.isEmpty(), firstKey);
    QCOMPARE(s.focusText, boxText);
}

void TestInputHelpers::kanaTypingIntoAreaBox()
{
    NumEditState s;
    focusBox(s, QStringLiteral("0"), 6, 2, 0);
    for (const QChar c : QStringLiteral("ﾇﾌﾙｱ")) {
        s.key = qint16(KanaKeyToAscii(c).unicode());
        NumKeyFilter(s);
    }
    QCOMPARE(s.text, QStringLiteral("12.3"));
}

void TestInputHelpers::otherKeysPassThrough_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("letter") << int('A');
    QTest::newRow("plus") << int('+');
    QTest::newRow("carriage return") << 13;
}

void TestInputHelpers::otherKeysPassThrough()
{
    QFETCH(int, key);
    NumEditState s;
    focusBox(s, QStringLiteral("12"), 4, 0, 0);
    s.key = qint16(key);
    NumKeyFilter(s);
    QCOMPARE(int(s.key), key);
    QCOMPARE(s.text, QStringLiteral("12"));
    QCOMPARE(s.firstKey, QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestInputHelpers)
#include "tst_inputhelpers.moc"
