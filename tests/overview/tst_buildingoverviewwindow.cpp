#include "common/codepage.h"
#include "overview/buildingoverviewwindow.h"
#include "overview/overviewfile.h"
#include "testcontext.h"
#include "widgets/commandbutton.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>

using namespace lc;
using lc::test::TestContext;

namespace {

QByteArray record(const QByteArray& text, char pad = ' ')
{
    QByteArray r = text.left(128);
    r.append(128 - r.size(), pad);
    return r;
}

QByteArray recordOf(const QByteArray& file, int n)
{
    return file.mid(qsizetype(n - 1) * 128, 128);
}

// One overview window on a data directory of a temporary installation.
class OverviewFixture
{
public:
    OverviewFixture()
    {
        dataDir = t.path(QStringLiteral("data"));
        QDir().mkpath(dataDir);
        t.context.drivePath[2] = dataDir;
    }
    ~OverviewFixture() { delete window; }

    QString file() const { return dataDir + QStringLiteral("/kojigai"); }
    QByteArray bytes() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void store(const QByteArray& content) const
    {
        QFile f(file());
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
    }
    // A file of 30 records with the given texts.
    void storeRecords(const QHash<int, QByteArray>& records) const
    {
        QByteArray content;
        for (int n = 1; n <= 30; ++n)
            content += records.contains(n) ? record(records.value(n)) : QByteArray(128, '\0');
        store(content);
    }

    [[nodiscard]] bool open()
    {
        window = new BuildingOverviewWindow(t.context, nullptr);
        return QTest::qWaitForWindowActive(window);
    }
    // Activates another top-level window of the program, then the overview again.
    [[nodiscard]] bool reactivate()
    {
        QWidget other;
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other))
            return false;
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

    QLabel* label(const char* name) const
    {
        return window->findChild<QLabel*>(QLatin1StringView(name));
    }
    QLabel* field(int i) const
    {
        return window->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i));
    }
    QLabel* remark(int j) const
    {
        return window->findChild<QLabel*>(QStringLiteral("Label2_%1").arg(j));
    }
    // Fields 1..12, then the remark lines as 13..22.
    QLabel* fieldOrRemark(int n) const { return n <= 12 ? field(n) : remark(n - 12); }
    QLineEdit* box(const char* name) const
    {
        return window->findChild<QLineEdit*>(QLatin1StringView(name));
    }
    CommandButton* button(int k) const
    {
        return window->findChild<CommandButton*>(QStringLiteral("Command3D1_%1").arg(k));
    }

    // The edit box that has the focus, or null.
    QLineEdit* focusBox() const
    {
        auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return focus && focus->window() == window && focus->isVisible() ? focus : nullptr;
    }
    // The value label that the focused box lies over: "Label1_5", "Label2_3".
    QString editedLabel() const
    {
        QLineEdit* box = focusBox();
        if (!box)
            return QStringLiteral("(no box)");
        const QRect at(box->mapTo(window, QPoint(0, 0)), box->size());
        for (QLabel* l : window->findChildren<QLabel*>()) {
            if (!l->objectName().startsWith(u"Label1_") && !l->objectName().startsWith(u"Label2_"))
                continue;
            if (QRect(l->mapTo(window, QPoint(0, 0)), l->size()) == at)
                return l->objectName();
        }
        return QStringLiteral("(box over nothing)");
    }

    void type(const QString& keys) const
    {
        for (const QChar c : keys) {
            QWidget* target = QApplication::focusWidget();
            if (c == u'\n')
                QTest::keyClick(target, Qt::Key_Return);
            else if (c == u'\b')
                QTest::keyClick(target, Qt::Key_Backspace);
            else if (c == u'<')
                QTest::keyClick(target, Qt::Key_Left);
            else if (c == u'^')
                QTest::keyClick(target, Qt::Key_Home);
            else if (c.unicode() < 0x80)
                QTest::keyClick(target, c.toLatin1());
            else // kana mode: the key arrives as its half-width katakana
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }

    TestContext t;
    QString dataDir;
    QPointer<BuildingOverviewWindow> window;
};

} // namespace

class TestBuildingOverviewWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newDirectory();
    void travelOrderWithEnter();
    void yearKeepsFourDigits();
    void numericBoxes_data();
    void numericBoxes();
    void numericBoxesRefusePasting();
    void areaEnter_data();
    void areaEnter();
    void areaShownWithoutLeadingDigitAfterRereading();
    void leftArrow_data();
    void leftArrow();
    void textBoxes_data();
    void textBoxes();
    void homeEmptiesTextField();
    void textOutsideCodePageRefused_data();
    void textOutsideCodePageRefused();
    void storedOverviewIsShown();
    void deleteThenOkStoresTwoDigitYear();
    void unconfirmedTextIsNotSaved();
    void closingOtherwiseSavesNothing();
    void activationRereads();
    void ownMessageBoxDoesNotReread();
    void unreadableDirectoryRetried();
    void failedSaveKeepsWindowAndEdits();
    void randomFilesNeverCrash();
};

void TestBuildingOverviewWindow::newDirectory()
{
    OverviewFixture o;
    QVERIFY(o.open());
    QCOMPARE(o.bytes(), QByteArray(3840, '\0'));
    QCOMPARE(o.window->windowTitle(), QStringLiteral("[建物概要]"));
    QCOMPARE(o.label("Label_mh3_5")->text(), QStringLiteral("2026/12/08 (火)"));
    QCOMPARE(o.field(2)->text(), QStringLiteral("2026"));
    QCOMPARE(o.field(3)->text(), QStringLiteral("12"));
    QCOMPARE(o.field(4)->text(), QStringLiteral("08"));
    for (int i : {1, 5, 6, 7, 8, 9, 10, 11, 12})
        QCOMPARE(o.field(i)->text(), QString());
    for (int j = 1; j <= 10; ++j)
        QCOMPARE(o.remark(j)->text(), QString());
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_1"));
    QCOMPARE(o.focusBox(), o.box("Text1"));

    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    const QByteArray file = o.bytes();
    QCOMPARE(file.size(), 3840);
    QCOMPARE(recordOf(file, 1), record(""));
    QCOMPARE(recordOf(file, 2), record("2026"));
    QCOMPARE(recordOf(file, 3), record("12"));
    QCOMPARE(recordOf(file, 4), record("08"));
    for (int n = 5; n <= 22; ++n)
        QCOMPARE(recordOf(file, n), record(""));
    QCOMPARE(file.mid(22 * 128), QByteArray(8 * 128, '\0'));
}

void TestBuildingOverviewWindow::travelOrderWithEnter()
{
    OverviewFixture o;
    QVERIFY(o.open());
    QStringList expected;
    for (int i = 1; i <= 12; ++i)
        expected << QStringLiteral("Label1_%1").arg(i);
    for (int j = 1; j <= 10; ++j)
        expected << QStringLiteral("Label2_%1").arg(j);
    expected << QStringLiteral("Label1_1") << QStringLiteral("Label1_2");

    QStringList visited{o.editedLabel()};
    for (int k = 1; k < expected.size(); ++k) {
        o.type(QStringLiteral("\n"));
        visited << o.editedLabel();
    }
    QCOMPARE(visited, expected);
    // Only one box is ever shown.
    int visible = 0;
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"})
        visible += o.box(name)->isVisible() ? 1 : 0;
    QCOMPARE(visible, 1);
    // Passing through with Enter keeps the values.
    QCOMPARE(o.field(2)->text(), QStringLiteral("2026"));
    QCOMPARE(o.field(4)->text(), QStringLiteral("08"));
}

void TestBuildingOverviewWindow::yearKeepsFourDigits()
{
    OverviewFixture o;
    QVERIFY(o.open());
    o.type(QStringLiteral("\n"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_2"));
    QLineEdit* text1 = o.box("Text1");
    QCOMPARE(text1->text(), QStringLiteral("2026"));
    o.type(QStringLiteral("19987"));
    QCOMPARE(text1->text(), QStringLiteral("1998"));
    o.type(QStringLiteral("\b"));
    QCOMPARE(text1->text(), QStringLiteral("2026"));
    o.type(QStringLiteral("1998\n"));
    QCOMPARE(o.field(2)->text(), QStringLiteral("1998"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_3"));
}

void TestBuildingOverviewWindow::numericBoxes_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("number with dash") << 1 << ""
                                      << "12-3"
                                      << "12-3";
    QTest::newRow("dash into empty box ignored") << 1 << ""
                                                 << "-12"
                                                 << "12";
    QTest::newRow("dash after five characters ignored") << 1 << ""
                                                        << "12345-6"
                                                        << "123456";
    QTest::newRow("slashes") << 1 << ""
                             << "1/2/3"
                             << "1/2/3";
    QTest::newRow("seven characters at most") << 1 << ""
                                              << "123456789"
                                              << "1234567";
    QTest::newRow("letters and point swallowed") << 1 << ""
                                                 << "a1.b2"
                                                 << "12";
    QTest::newRow("first digit replaces") << 1 << "12"
                                          << "3"
                                          << "3";
    QTest::newRow("dash continues the shown number") << 1 << "12"
                                                     << "-3"
                                                     << "12-3";
    QTest::newRow("backspace restores") << 1 << "12"
                                        << "99\b"
                                        << "12";
    QTest::newRow("month two digits") << 3 << "12"
                                      << "123"
                                      << "12";
    QTest::newRow("day two digits") << 4 << "08"
                                    << "3"
                                    << "3";
    QTest::newRow("area") << 10 << ""
                          << "12.5"
                          << "12.5";
    QTest::newRow("area six places") << 10 << ""
                                     << "1234567"
                                     << "123456";
    QTest::newRow("area point after six") << 11 << ""
                                          << "123456.7891"
                                          << "123456.789";
    QTest::newRow("area second point ignored") << 10 << ""
                                               << "1..2"
                                               << "1.2";
    QTest::newRow("area point first") << 10 << ""
                                      << ".5"
                                      << ".5";
    QTest::newRow("area no sign") << 11 << ""
                                  << "-5"
                                  << "5";
    QTest::newRow("kana digits in area") << 10 << ""
                                         << "ﾇﾌﾙｱ"
                                         << "12.3";
    QTest::newRow("kana digits in year") << 2 << "2026"
                                         << "ﾇﾖﾖﾕ"
                                         << "1998";
    QTest::newRow("kana digits 1 and 2") << 1 << ""
                                         << "ﾇﾌ"
                                         << "12";
    QTest::newRow("kana dash in field 1") << 1 << ""
                                          << "ﾇﾌﾎｱ"
                                          << "12-3";
    QTest::newRow("other kana swallowed") << 11 << ""
                                          << "ｶ1ｷ"
                                          << "1";
}

void TestBuildingOverviewWindow::numericBoxes()
{
    QFETCH(int, field);
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    OverviewFixture o;
    QVERIFY(o.open());
    o.field(field)->setText(shown);
    o.click(o.field(field));
    QCOMPARE(o.editedLabel(), o.field(field)->objectName());
    QLineEdit* box = o.focusBox();
    QVERIFY(box);
    QCOMPARE(box->objectName(), field >= 10 ? QStringLiteral("Text3") : QStringLiteral("Text1"));
    QCOMPARE(box->text(), shown);
    o.type(keys);
    QCOMPARE(box->text(), expected);
    QCOMPARE(box->cursorPosition(), int(expected.size()));
    // Nothing reaches the label before Enter.
    QCOMPARE(o.field(field)->text(), shown);
}

void TestBuildingOverviewWindow::numericBoxesRefusePasting()
{
    OverviewFixture o;
    QVERIFY(o.open());
    QGuiApplication::clipboard()->setText(QStringLiteral("abc-9"));
    o.click(o.field(10));
    o.type(QStringLiteral("1"));
    QWidget* box = QApplication::focusWidget();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(o.box("Text3")->text(), QStringLiteral("1"));
    // The text boxes paste as usual.
    o.click(o.field(5));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(o.box("Text2")->text(), QStringLiteral("abc-9"));
}

void TestBuildingOverviewWindow::areaEnter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("12.5") << "12.5"
                          << "12.500";
    QTest::newRow(".5") << ".5"
                        << "0.500";
    QTest::newRow("integer") << "7"
                             << "7.000";
    QTest::newRow("point only") << "."
                                << "0.000";
    QTest::newRow("full") << "123456.789"
                          << "123456.789";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBuildingOverviewWindow::areaEnter()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    OverviewFixture o;
    QVERIFY(o.open());
    for (int field : {10, 11}) {
        o.click(o.field(field));
        o.type(keys + u'\n');
        QCOMPARE(o.field(field)->text(), shown);
        QCOMPARE(o.editedLabel(), QStringLiteral("Label1_%1").arg(field + 1));
        QCOMPARE(o.box("Text3")->text(), QString());
    }
}

void TestBuildingOverviewWindow::areaShownWithoutLeadingDigitAfterRereading()
{
    OverviewFixture o;
    QVERIFY(o.open());
    o.click(o.field(10));
    o.type(QStringLiteral(".5\n"));
    QCOMPARE(o.field(10)->text(), QStringLiteral("0.500"));
    o.type(QStringLiteral("1234.5\n"));
    QCOMPARE(o.field(11)->text(), QStringLiteral("1234.500"));
    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    QCOMPARE(recordOf(o.bytes(), 10), record("0.500"));

    QVERIFY(o.open());
    QCOMPARE(o.field(10)->text(), QStringLiteral(".500"));
    QCOMPARE(o.field(11)->text(), QStringLiteral("1234.500"));
}

void TestBuildingOverviewWindow::leftArrow_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("deletes from the end") << ""
                                          << "12.5<"
                                          << "12.";
    QTest::newRow("twice") << ""
                           << "12.5<<"
                           << "12";
    QTest::newRow("empty box brings the old value back") << "3.000"
                                                         << "9<<"
                                                         << "3.000";
    QTest::newRow("then typing appends") << "3.000"
                                         << "<<5"
                                         << "3.05";
}

void TestBuildingOverviewWindow::leftArrow()
{
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    OverviewFixture o;
    QVERIFY(o.open());
    o.field(11)->setText(shown);
    o.click(o.field(11));
    o.type(keys);
    QCOMPARE(o.box("Text3")->text(), expected);
}

void TestBuildingOverviewWindow::textBoxes_data()
{
    QTest::addColumn<int>("field"); // 13.. for remark lines
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("next");

    QTest::newRow("name") << 5 << "Tokyo Tower\n"
                          << "Tokyo Tower"
                          << "Label1_6";
    QTest::newRow("trailing blanks dropped, leading kept") << 6 << "  ab  \n"
                                                           << "  ab"
                                                           << "Label1_7";
    QTest::newRow("use cut at 30")
        << 7 << QString(35, u'u') + u'\n' << QString(30, u'u') << "Label1_8";
    QTest::newRow("structure cut at 20")
        << 8 << QString(25, u's') + u'\n' << QString(20, u's') << "Label1_9";
    QTest::newRow("scale to area") << 9 << "5F\n"
                                   << "5F"
                                   << "Label1_10";
    QTest::newRow("person to remark 1")
        << 12 << QString(31, u'p') + u'\n' << QString(30, u'p') << "Label2_1";
    QTest::newRow("name 60") << 5 << QString(61, u'n') + u'\n' << QString(60, u'n') << "Label1_6";
    QTest::newRow("remark line") << 15 << "note\n"
                                 << "note"
                                 << "Label2_4";
    QTest::newRow("remark 10 back to field 1")
        << 22 << QString(61, u'r') + u'\n' << QString(60, u'r') << "Label1_1";
}

void TestBuildingOverviewWindow::textBoxes()
{
    QFETCH(int, field);
    QFETCH(QString, keys);
    QFETCH(QString, stored);
    QFETCH(QString, next);
    OverviewFixture o;
    QVERIFY(o.open());
    QLabel* label = o.fieldOrRemark(field);
    o.click(label);
    QCOMPARE(o.focusBox()->objectName(),
             field <= 12 ? QStringLiteral("Text2") : QStringLiteral("Text4"));
    o.type(keys);
    QCOMPARE(label->text(), stored);
    QCOMPARE(o.editedLabel(), next);
}

void TestBuildingOverviewWindow::textOutsideCodePageRefused_data()
{
    QTest::addColumn<int>("field"); // 13.. for remark lines
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("composed"); // committed by an input method
    QTest::addColumn<QString>("stored");

    QTest::newRow("typed accents") << 5 << QString::fromUtf8("Café Müller") << ""
                                   << ""
                                   << "Caf Mller";
    QTest::newRow("paste refused whole") << 6 << "ab" << QString::fromUtf8("Café 😀") << ""
                                         << "ab";
    QTest::newRow("composed emoji") << 13 << QString::fromUtf8("工事") << ""
                                    << QString::fromUtf8("😀") << QString::fromUtf8("工事");
    QTest::newRow("code page characters typed") << 7 << QString::fromUtf8("～－㎡髙ｱﾇ") << ""
                                                << "" << QString::fromUtf8("～－㎡髙ｱﾇ");
    QTest::newRow("code page characters pasted and composed")
        << 12 << "" << QString::fromUtf8("髙橋～") << QString::fromUtf8("－㎡")
        << QString::fromUtf8("髙橋～－㎡");
}

void TestBuildingOverviewWindow::textOutsideCodePageRefused()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, composed);
    QFETCH(QString, stored);
    OverviewFixture o;
    QVERIFY(o.open());
    QLabel* label = o.fieldOrRemark(field);
    o.click(label);
    QLineEdit* box = o.focusBox();
    QVERIFY(box);
    o.type(typed);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    if (!composed.isEmpty()) {
        QInputMethodEvent commit;
        commit.setCommitString(composed);
        QApplication::sendEvent(box, &commit);
    }
    QCOMPARE(box->text(), stored);
    o.type(QStringLiteral("\n"));
    QCOMPARE(label->text(), stored);
    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    // Remark lines are records 13 to 22, after the twelve fields.
    QCOMPARE(recordOf(o.bytes(), field), record(toCodePage(stored)));
}

void TestBuildingOverviewWindow::homeEmptiesTextField()
{
    OverviewFixture o;
    o.storeRecords({{5, toCodePage(u"本社ビル")}});
    QVERIFY(o.open());
    o.click(o.field(5));
    QLineEdit* text2 = o.box("Text2");
    QCOMPARE(text2->text(), QStringLiteral("本社ビル"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QCOMPARE(text2->text(), QString());
    QCOMPARE(o.field(5)->text(), QStringLiteral("本社ビル"));
    o.type(QStringLiteral("\n"));
    QCOMPARE(o.field(5)->text(), QString());
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_6"));
}

void TestBuildingOverviewWindow::storedOverviewIsShown()
{
    OverviewFixture o;
    o.storeRecords({{1, "12-345"},
                    {2, "24"},
                    {3, "3"},
                    {5, QByteArray(70, 'N')},
                    {10, "0"},
                    {11, "0.25"},
                    {13, toCodePage(u"備考一行目")}});
    QVERIFY(o.open());
    QCOMPARE(o.field(1)->text(), QStringLiteral("12-345"));
    QCOMPARE(o.field(2)->text(), QStringLiteral("24  "));
    QCOMPARE(o.field(3)->text(), QStringLiteral("3 "));
    QCOMPARE(o.field(4)->text(), QStringLiteral("08")); // empty record: today's day stays
    QCOMPARE(o.field(5)->text(), QString(60, u'N'));
    QCOMPARE(o.field(10)->text(), QString());
    QCOMPARE(o.field(11)->text(), QStringLiteral(".250"));
    QCOMPARE(o.remark(1)->text(), QStringLiteral("備考一行目"));
    QCOMPARE(o.box("Text1")->text(), QStringLiteral("12-345"));

    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    const QByteArray file = o.bytes();
    QCOMPARE(recordOf(file, 2), record("24"));
    QCOMPARE(recordOf(file, 3), record("3"));
    QCOMPARE(recordOf(file, 4), record("08"));
    QCOMPARE(recordOf(file, 5), record(QByteArray(60, 'N')));
    QCOMPARE(recordOf(file, 11), record(".250"));
    QCOMPARE(recordOf(file, 13), record(toCodePage(u"備考一行目")));
}

void TestBuildingOverviewWindow::deleteThenOkStoresTwoDigitYear()
{
    OverviewFixture o;
    o.storeRecords({{1, "777"}, {5, "Name"}, {12, "Tanaka"}, {22, "last"}});
    QVERIFY(o.open());
    o.type(QStringLiteral("8"));
    o.click(o.button(1));
    for (int i : {1, 5, 6, 7, 8, 9, 10, 11, 12})
        QCOMPARE(o.field(i)->text(), QString());
    QCOMPARE(o.remark(10)->text(), QString());
    QCOMPARE(o.field(2)->text(), QStringLiteral("26"));
    QCOMPARE(o.field(3)->text(), QStringLiteral("12"));
    QCOMPARE(o.field(4)->text(), QStringLiteral("08"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_1"));
    QCOMPARE(o.box("Text1")->text(), QString());
    QCOMPARE(recordOf(o.bytes(), 5), record("Name")); // the file waits for "ｏｋ"

    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    const QByteArray file = o.bytes();
    QCOMPARE(recordOf(file, 1), record(""));
    QCOMPARE(recordOf(file, 2), record("26"));
    QCOMPARE(recordOf(file, 3), record("12"));
    QCOMPARE(recordOf(file, 4), record("08"));
    QCOMPARE(recordOf(file, 5), record(""));
    QCOMPARE(recordOf(file, 22), record(""));
}

void TestBuildingOverviewWindow::unconfirmedTextIsNotSaved()
{
    OverviewFixture o;
    QVERIFY(o.open());
    o.click(o.field(5));
    o.type(QStringLiteral("typed only"));
    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    QCOMPARE(recordOf(o.bytes(), 5), record(""));
}

void TestBuildingOverviewWindow::closingOtherwiseSavesNothing()
{
    OverviewFixture o;
    QVERIFY(o.open());
    o.click(o.field(5));
    o.type(QStringLiteral("Name\n"));
    o.window->close();
    QTRY_VERIFY(o.window.isNull());
    QCOMPARE(o.bytes(), QByteArray(3840, '\0'));
}

void TestBuildingOverviewWindow::activationRereads()
{
    OverviewFixture o;
    o.storeRecords({{5, "Stored"}});
    QVERIFY(o.open());
    o.click(o.field(5));
    o.type(QStringLiteral("^Edited\nLocation\n"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_7"));

    QVERIFY(o.reactivate());
    QCOMPARE(o.field(5)->text(), QStringLiteral("Stored"));   // stored value again
    QCOMPARE(o.field(6)->text(), QStringLiteral("Location")); // empty record: the edit stays
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_1"));

    // Another program changed the file meanwhile.
    o.storeRecords({{5, "Changed"}});
    QVERIFY(o.reactivate());
    QCOMPARE(o.field(5)->text(), QStringLiteral("Changed"));

    // The main window shows the open window again while it is itself active.
    o.storeRecords({{5, "Again"}});
    QWidget main;
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    o.window->show();
    o.window->raise();
    QVERIFY(QTest::qWaitForWindowActive(o.window));
    QCOMPARE(o.field(5)->text(), QStringLiteral("Again"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_1"));
}

void TestBuildingOverviewWindow::ownMessageBoxDoesNotReread()
{
    OverviewFixture o;
    o.storeRecords({{5, "Stored"}});
    QVERIFY(o.open());
    o.click(o.field(5));
    o.type(QStringLiteral("^Edited\n"));

    // The save fails; while the disk message is open it is the active window,
    // and the directory comes back.
    QDir(o.dataDir).removeRecursively();
    bool boxWasActive = false;
    bool backToWindow = false;
    o.t.messages.onShow = [&](const MessageRequest&) {
        QWidget box(o.window, Qt::Dialog);
        box.resize(80, 40);
        box.show();
        box.activateWindow();
        boxWasActive =
            QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == box.windowHandle(); });
        QDir().mkpath(o.dataDir);
        o.storeRecords({{5, "Stored"}});
        // Closing the box gives the activation back to the window.
        box.hide();
        o.window->activateWindow();
        backToWindow = QTest::qWaitFor(
            [&] { return QGuiApplication::focusWindow() == o.window->windowHandle(); });
    };
    o.click(o.button(0));
    QVERIFY(boxWasActive);
    QVERIFY(backToWindow);
    o.t.messages.onShow = nullptr;
    QCOMPARE(o.t.messages.shown.size(), 1);
    QCOMPARE(o.t.messages.shown.at(0).title, QStringLiteral("ディスクエラ－"));
    QVERIFY(o.window);
    o.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(o.window));
    QCoreApplication::processEvents();
    QCOMPARE(o.field(5)->text(), QStringLiteral("Edited"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_6"));

    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    QCOMPARE(recordOf(o.bytes(), 5), record("Edited"));
}

void TestBuildingOverviewWindow::unreadableDirectoryRetried()
{
    OverviewFixture o;
    QDir(o.dataDir).removeRecursively();
    o.t.messages.onShow = [&](const MessageRequest&) { QDir().mkpath(o.dataDir); };
    o.t.messages.answers.enqueue(Msg::ResultRetry);
    QVERIFY(o.open());
    QCOMPARE(o.t.messages.shown.size(), 1);
    // Windows names the path in capitals with its own separator.
    const QString shown = lc::test::onWindows()
        ? QDir::toNativeSeparators(o.dataDir).toUpper()
        : o.dataDir;
    QCOMPARE(o.t.messages.shown.at(0).text, shown + QStringLiteral("\n\n指定されたパスが存在しません。"));
    QCOMPARE(o.bytes(), QByteArray(3840, '\0'));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_1"));

    // Without a retry the window stays open with what it shows.
    o.t.messages.onShow = nullptr;
    QDir(o.dataDir).removeRecursively();
    QVERIFY(o.reactivate());
    QCOMPARE(o.t.messages.shown.size(), 2);
    QVERIFY(o.window && o.window->isVisible());
    QCOMPARE(o.field(2)->text(), QStringLiteral("2026"));
    QCOMPARE(o.editedLabel(), QStringLiteral("Label1_1"));
}

void TestBuildingOverviewWindow::failedSaveKeepsWindowAndEdits()
{
    OverviewFixture o;
    QVERIFY(o.open());
    o.click(o.field(12));
    o.type(QStringLiteral("Sato\nremark one\n"));
    QDir(o.dataDir).removeRecursively();
    o.click(o.button(0));
    QCOMPARE(o.t.messages.shown.size(), 1);
    QVERIFY(!QFile::exists(o.file()));
    QVERIFY(o.window && o.window->isVisible());
    QCOMPARE(o.field(12)->text(), QStringLiteral("Sato"));
    QCOMPARE(o.remark(1)->text(), QStringLiteral("remark one"));

    // No data directory at all: the save is still reported.
    o.t.context.drivePath[2].clear();
    o.click(o.button(0));
    QCOMPARE(o.t.messages.shown.size(), 2);
    QVERIFY(o.window);

    o.t.context.drivePath[2] = o.dataDir;
    QDir().mkpath(o.dataDir);
    o.click(o.button(0));
    QTRY_VERIFY(o.window.isNull());
    const QByteArray file = o.bytes();
    QCOMPARE(file.size(), 2816);
    QCOMPARE(recordOf(file, 12), record("Sato"));
    QCOMPARE(recordOf(file, 13), record("remark one"));
}

void TestBuildingOverviewWindow::randomFilesNeverCrash()
{
    QRandomGenerator random(4242);
    const QByteArray alphabet("0123456789. -/\x81\x82\x87\xe0\xfc\xc7\x00", 17);
    for (int round = 0; round < 40; ++round) {
        OverviewFixture o;
        QByteArray content(int(random.bounded(35 * 128)), '\0');
        for (char& c : content)
            c = random.bounded(2) ? alphabet.at(random.bounded(int(alphabet.size())))
                                  : char(random.bounded(256));
        o.store(content);
        QVERIFY(o.open());
        for (int k = 0; k < 24; ++k)
            o.type(k % 3 ? QStringLiteral("\n") : QStringLiteral("1.<\b\n"));
        o.click(o.button(0));
        QTRY_VERIFY(o.window.isNull());
        QVERIFY(o.bytes().size() >= std::max<qsizetype>(content.size(), 22 * 128));
        // What was saved reads back as what the window showed.
        QVERIFY(o.open());
        o.click(o.button(0));
        QTRY_VERIFY(o.window.isNull());
    }
}

QTEST_MAIN(TestBuildingOverviewWindow)
#include "tst_buildingoverviewwindow.moc"
