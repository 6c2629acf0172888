#include "clock/analogclock.h"
#include "common/twips.h"
#include "prefs/clockprefs.h"
#include "prefs/clockprefsio.h"
#include "prefs/clockpreferenceswindow.h"
#include "testcontext.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace lc;
using lc::test::TestContext;

namespace {

// A stored record with the start-up defaults but for the switch, the dial text
// and the minute.
QByteArray storedRecord(qint16 jihouOff, const QString& dialText, qint16 minute = 0)
{
    ClockPrefs p = ClockPrefs::defaults(QStringLiteral("default.wav"));
    p.jihouOff = jihouOff;
    p.dialText = dialText;
    p.jihouMinute = minute;
    return p.toRecord();
}

// The main window with its clock, started as the program starts, and the
// preferences window it creates once.
struct Menu
{
    TestContext t;
    QWidget main;
    AnalogClock* clock = nullptr;
    ClockPrefs prefs;
    QPointer<ClockPreferencesWindow> pra;

    explicit Menu(const QByteArray& stored = QByteArray())
    {
        main.resize(twips::size(11880, 8070));
        clock = new AnalogClock(&t.platform, &main);
        if (!stored.isNull())
            t.writeFile(QStringLiteral("clock.pra"), stored);
        ReadClockPrefsAtStartUp(t.context, *clock, prefs);
        pra = new ClockPreferencesWindow(t.context, *clock, prefs, &main);
    }

    template <class T> T* find(const QString& name) const { return pra->findChild<T*>(name); }
    QPushButton* command(int i) const
    {
        return find<QPushButton>(QStringLiteral("Command1_%1").arg(i));
    }
    QLabel* swatch(int i) const { return find<QLabel>(QStringLiteral("color_%1").arg(i)); }
    QSlider* slider(int i) const { return find<QSlider>(QStringLiteral("Slider%1").arg(i)); }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    QCheckBox* jihouChk() const { return find<QCheckBox>(QStringLiteral("jihou_chk")); }
    QLineEdit* text(int i) const { return find<QLineEdit>(QStringLiteral("Text%1").arg(i)); }
    QComboBox* combo(const char* name) const { return find<QComboBox>(QString::fromLatin1(name)); }
    PictureBox* miniature() const { return find<PictureBox>(QStringLiteral("clock")); }
    Panel3D* model() const { return find<Panel3D>(QStringLiteral("menu_model")); }
    PictureBox* image1() const { return find<PictureBox>(QStringLiteral("Image1")); }

    void open() { pra->show(); }
    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }
    // Picks an entry of a drop-down with the arrow keys.
    void choose(QComboBox* combo, const QString& entry) const
    {
        const int index = combo->findText(entry);
        QVERIFY(index >= 0);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        while (combo->currentIndex() != index)
            QTest::keyClick(combo, Qt::Key_Down);
    }
    void typeMinute(const QString& keys) const
    {
        QLineEdit* box = text(2);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        while (!box->text().isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, keys);
    }
    void toSecondPage() const
    {
        if (pra->page() == 0)
            click(command(3));
    }
    // Drags the miniature with the mouse to a point of the model (pixels).
    void drag(QPoint modelPoint) const
    {
        PictureBox* mini = miniature();
        const QPoint start = mini->rect().center();
        QTest::mousePress(mini, Qt::LeftButton, {}, start);
        const QPoint target = mini->mapFrom(model(), modelPoint);
        QTest::mouseMove(mini, (start + target) / 2);
        QTest::mouseMove(mini, target);
        QTest::mouseRelease(mini, Qt::LeftButton, {}, target);
    }
};

} // namespace

class TestClockPreferencesWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openingSnapsClockToSliderSteps_data();
    void openingSnapsClockToSliderSteps();
    void openingTrimsPaddedDialText();
    void storedSwitchDecidesTheBox_data();
    void storedSwitchDecidesTheBox();
    void signalSwitchEnablesTheSentence();
    void minuteBox_data();
    void minuteBox();
    void swatchNeedsANamedPart();
    void swatchColoursTheNamedPart_data();
    void swatchColoursTheNamedPart();
    void widthDropDownAndSlider_data();
    void widthDropDownAndSlider();
    void sizeAndMascotSliders_data();
    void sizeAndMascotSliders();
    void dialTextBox_data();
    void dialTextBox();
    void initialValuesKeepTheSignalSwitch_data();
    void initialValuesKeepTheSignalSwitch();
    void secondPageDisablesSaveCancelAndInitial();
    void draggingTheMiniatureMovesTheClock_data();
    void draggingTheMiniatureMovesTheClock();
    void clickAndDoubleClickOnTheModel();
    void modelShowsTheMainWindowBackground();
    void soundFileDialog_data();
    void soundFileDialog();
    void testButton_data();
    void testButton();
    void saveStoresWhatTheClockHolds();
    void failedSaveKeepsTheWindowOpen();
    void cancelKeepsChangesOnTheClockOnly();
    void reopeningKeepsTheWindowAsLeft();
};

void TestClockPreferencesWindow::openingSnapsClockToSliderSteps_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("heightStep");
    QTest::addColumn<int>("widthStep");
    QTest::newRow("default 855 x 855") << 855.0 << 855.0 << 4 << 4;
    QTest::newRow("smallest") << 495.0 << 495.0 << 0 << 0;
    QTest::newRow("tall and narrow") << 3465.0 << 990.0 << 30 << 5;
}

void TestClockPreferencesWindow::openingSnapsClockToSliderSteps()
{
    QFETCH(double, height);
    QFETCH(double, width);
    QFETCH(int, heightStep);
    QFETCH(int, widthStep);
    Menu m;
    m.clock->setHeight(height);
    m.clock->setWidth(width);
    m.open();
    QCOMPARE(m.slider(2)->value(), heightStep);
    QCOMPARE(m.slider(3)->value(), widthStep);
    QCOMPARE(m.label(QStringLiteral("Label2"))->text(), QString::number(heightStep));
    QCOMPARE(m.label(QStringLiteral("Label3"))->text(), QString::number(widthStep));
    QCOMPARE(m.clock->Height(), (heightStep / 5.0 + 1) * 495);
    QCOMPARE(m.clock->Width(), (widthStep / 5.0 + 1) * 495);
    // The miniature stands for the clock at a quarter of its place and size.
    QCOMPARE(m.miniature()->geometry(), twips::rect(m.clock->Left() / 4, m.clock->Top() / 4,
                                                    m.clock->Width() / 4, m.clock->Height() / 4));
    QCOMPARE(m.model()->size(), twips::size(11880 / 4.0, 8070 / 4.0));
    QVERIFY(m.pra->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(m.pra->pos(), twips::point(3510, 2235));
    QCOMPARE(m.pra->windowTitle(), QStringLiteral("パラメータ設定"));
}

void TestClockPreferencesWindow::openingTrimsPaddedDialText()
{
    Menu m(storedRecord(0, QStringLiteral("ＯＭ")));
    QCOMPARE(m.clock->DialText(), QStringLiteral("ＯＭ   "));
    m.open();
    QCOMPARE(m.clock->DialText(), QStringLiteral("ＯＭ"));
}

void TestClockPreferencesWindow::storedSwitchDecidesTheBox_data()
{
    QTest::addColumn<qint16>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("1: off, ticked") << qint16(1) << true;
    QTest::newRow("0: on, clear") << qint16(0) << false;
}

void TestClockPreferencesWindow::storedSwitchDecidesTheBox()
{
    QFETCH(qint16, stored);
    QFETCH(bool, ticked);
    Menu m(storedRecord(stored, QString(), 25));
    QCOMPARE(m.clock->JihouOn(), !ticked);
    m.open();
    QCOMPARE(m.jihouChk()->isChecked(), ticked);
    QCOMPARE(m.clock->JihouOn(), !ticked);
    QCOMPARE(m.find<QPushButton>(QStringLiteral("jihoufile_set"))->isEnabled(), !ticked);
    QCOMPARE(m.find<QPushButton>(QStringLiteral("jihoufile_test"))->isEnabled(), !ticked);
    QCOMPARE(m.text(2)->isEnabled(), !ticked);
    // The minute box shows the minute the clock rings at.
    QCOMPARE(m.text(2)->text(), QStringLiteral("25"));
    QCOMPARE(m.clock->JihouMinute(), qint16(25));
}

void TestClockPreferencesWindow::signalSwitchEnablesTheSentence()
{
    Menu m;
    m.open();
    QVERIFY(!m.jihouChk()->isChecked());
    m.click(m.jihouChk());
    QVERIFY(m.jihouChk()->isChecked());
    QCOMPARE(m.clock->JihouOn(), false);
    for (const char* name : {"jihoufile_set", "jihoufile_test", "Label5", "Label6", "Text2"})
        QVERIFY2(!m.find<QWidget>(QString::fromLatin1(name))->isEnabled(), name);
    m.click(m.jihouChk());
    QCOMPARE(m.clock->JihouOn(), true);
    for (const char* name : {"jihoufile_set", "jihoufile_test", "Label5", "Label6", "Text2"})
        QVERIFY2(m.find<QWidget>(QString::fromLatin1(name))->isEnabled(), name);
}

void TestClockPreferencesWindow::minuteBox_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("minute");
    QTest::newRow("7 then 5: above 59") << "75"
                                        << "" << 0;
    QTest::newRow("0 then 5") << "05"
                              << "5" << 5;
    QTest::newRow("5 then 9") << "59"
                              << "59" << 59;
    QTest::newRow("third character clears") << "12"
                                               "3"
                                            << "" << 0;
    QTest::newRow("after clearing, typing goes on") << "757"
                                                    << "7" << 7;
    QTest::newRow("negative refused") << "-5"
                                      << "" << 0;
}

void TestClockPreferencesWindow::minuteBox()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, minute);
    Menu m;
    m.open();
    m.clock->setJihouMinute(33);
    m.typeMinute(keys);
    QCOMPARE(m.text(2)->text(), shown);
    QCOMPARE(int(m.clock->JihouMinute()), minute);
}

void TestClockPreferencesWindow::swatchNeedsANamedPart()
{
    Menu m;
    m.open();
    QCOMPARE(m.combo("color_Combo")->currentText(), QString());
    m.click(m.swatch(5));
    QCOMPARE(m.pra->selectedSwatch(), 99);
    QCOMPARE(m.swatch(5)->frameShape(), QFrame::NoFrame);
    QCOMPARE(m.clock->MinuteHandColor(), 0xFFFFFFu);
    QCOMPARE(m.clock->HourHandColor(), 0xFFFFFFu);
    QCOMPARE(m.clock->SecondHandColor(), 0x0000FFu);
    QCOMPARE(m.clock->DialColor(), 0u);
    QCOMPARE(m.clock->FrameColor(), 0u);
    QCOMPARE(m.clock->MascotColor(), 0xC0C0C0u);
}

void TestClockPreferencesWindow::swatchColoursTheNamedPart_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<quint32>("colour"); // of the second swatch
    QTest::newRow("long hand") << "長針" << 0 << 8 << quint32(0x008080);
    QTest::newRow("short hand") << "短針" << 3 << 15 << quint32(0xFF0000);
    QTest::newRow("second hand") << "秒針" << 23 << 24 << quint32(0xFFFFFF);
    QTest::newRow("dial") << "文字盤" << 25 << 26 << quint32(0x000000);
    QTest::newRow("frame") << "時計の枠" << 1 << 21 << quint32(0xE0E0E0);
    QTest::newRow("mascot") << "マスコット" << 6 << 13 << quint32(0xC0C000);
}

void TestClockPreferencesWindow::swatchColoursTheNamedPart()
{
    QFETCH(QString, part);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(quint32, colour);
    Menu m;
    m.open();
    QCOMPARE(m.combo("color_Combo")->count(), 6);
    m.choose(m.combo("color_Combo"), part);
    m.click(m.swatch(first));
    QCOMPARE(m.pra->selectedSwatch(), first);
    QCOMPARE(m.swatch(first)->frameShape(), QFrame::Box);
    m.click(m.swatch(second));
    QCOMPARE(m.pra->selectedSwatch(), second);
    QCOMPARE(m.swatch(first)->frameShape(), QFrame::NoFrame);
    QCOMPARE(m.swatch(second)->frameShape(), QFrame::Box);
    QCOMPARE(backgroundColor(m.swatch(second)), colour);
    const quint32 colours[6] = {m.clock->MinuteHandColor(), m.clock->HourHandColor(),
                                m.clock->SecondHandColor(), m.clock->DialColor(),
                                m.clock->FrameColor(),      m.clock->MascotColor()};
    const quint32 before[6] = {0xFFFFFF, 0xFFFFFF, 0x0000FF, 0, 0, 0xC0C0C0};
    const int changed = m.combo("color_Combo")->findText(part);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(colours[i], i == changed ? colour : before[i]);
}

void TestClockPreferencesWindow::widthDropDownAndSlider_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("initial");
    QTest::newRow("long hand") << "長針" << 2;
    QTest::newRow("short hand") << "短針" << 3;
    QTest::newRow("second hand") << "秒針" << 1;
    QTest::newRow("frame") << "時計の枠" << 1;
}

void TestClockPreferencesWindow::widthDropDownAndSlider()
{
    QFETCH(QString, part);
    QFETCH(int, initial);
    Menu m;
    m.open();
    QComboBox* combo = m.combo("width_Combo");
    // Only the hands and the frame have a line width.
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->findText(QStringLiteral("文字盤")), -1);
    QCOMPARE(combo->findText(QStringLiteral("マスコット")), -1);
    m.choose(combo, part);
    QSlider* s = m.slider(1);
    QCOMPARE(s->value(), initial);
    QCOMPARE(m.label(QStringLiteral("slide_v"))->text(), QString::number(initial));
    s->setFocus();
    QTest::keyClick(s, Qt::Key_Right);
    QTest::keyClick(s, Qt::Key_PageUp);
    const int expected = qMin(10, initial + 6);
    QCOMPARE(s->value(), expected);
    QCOMPARE(m.label(QStringLiteral("slide_v"))->text(), QString::number(expected));
    const qint16 widths[4] = {m.clock->MinuteHandWidth(), m.clock->HourHandWidth(),
                              m.clock->SecondHandWidth(), m.clock->FrameWidth()};
    const qint16 defaults[4] = {2, 3, 1, 1};
    const int changed = combo->findText(part);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(int(widths[i]), i == changed ? expected : defaults[i]);
    // A name of no part moves nothing.
    combo->setEditText(QStringLiteral("針"));
    QTest::keyClick(s, Qt::Key_Left);
    QCOMPARE(int(widths[changed]), expected);
    QCOMPARE(m.label(QStringLiteral("slide_v"))->text(), QString::number(expected - 1));
}

void TestClockPreferencesWindow::sizeAndMascotSliders_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("height one step") << 2 << int(Qt::Key_Right) << 5;
    QTest::newRow("height page") << 2 << int(Qt::Key_PageUp) << 9;
    QTest::newRow("height largest") << 2 << int(Qt::Key_End) << 30;
    QTest::newRow("width smallest") << 3 << int(Qt::Key_Home) << 0;
    QTest::newRow("width page down") << 3 << int(Qt::Key_PageDown) << 0;
    QTest::newRow("mascot page") << 4 << int(Qt::Key_PageUp) << 12;
    QTest::newRow("mascot largest") << 4 << int(Qt::Key_End) << 20;
}

void TestClockPreferencesWindow::sizeAndMascotSliders()
{
    QFETCH(int, slider);
    QFETCH(int, key);
    QFETCH(int, value);
    Menu m;
    m.open();
    m.toSecondPage();
    QSlider* s = m.slider(slider);
    s->setFocus();
    QTest::keyClick(s, Qt::Key(key));
    QCOMPARE(s->value(), value);
    QCOMPARE(m.label(QStringLiteral("Label%1").arg(slider))->text(), QString::number(value));
    switch (slider) {
    case 2:
        QCOMPARE(m.clock->Height(), (value / 5.0 + 1) * 495);
        QCOMPARE(m.miniature()->height(), twips::toPx(m.clock->Height() / 4));
        break;
    case 3:
        QCOMPARE(m.clock->Width(), (value / 5.0 + 1) * 495);
        QCOMPARE(m.miniature()->width(), twips::toPx(m.clock->Width() / 4));
        break;
    default:
        QCOMPARE(int(m.clock->MascotSize()), value);
        break;
    }
    // A click on the slider's caption puts it back; the dial-text caption does nothing.
    m.click(m.label(QStringLiteral("Label7_3")));
    QCOMPARE(s->value(), value);
    m.click(m.label(QStringLiteral("Label7_%1").arg(slider - 2)));
    QCOMPARE(s->value(), slider == 4 ? 7 : 4);
    if (slider == 4)
        QCOMPARE(m.clock->MascotSize(), qint16(7));
    else
        QCOMPARE(slider == 2 ? m.clock->Height() : m.clock->Width(), 891.0);
}

void TestClockPreferencesWindow::dialTextBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("dial");
    QTest::newRow("short") << "OM"
                           << "OM"
                           << "OM";
    QTest::newRow("trailing blanks removed") << "AB   "
                                             << "AB   "
                                             << "AB";
    QTest::newRow("first 7 characters") << "ABCDEFGHIJ"
                                        << "ABCDEFGHIJ"
                                        << "ABCDEFG";
    QTest::newRow("blanks beyond 7") << "ABCDEF  X"
                                     << "ABCDEF  X"
                                     << "ABCDEF";
    // clock.pra would hold "?" for them.
    QTest::newRow("outside the code page refused") << QString::fromUtf8("Café😀") << "Caf"
                                                   << "Caf";
    QTest::newRow("code page characters kept")
        << QString::fromUtf8("髙～㎡ｱ") << QString::fromUtf8("髙～㎡ｱ")
        << QString::fromUtf8("髙～㎡ｱ");
}

void TestClockPreferencesWindow::dialTextBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, dial);
    Menu m;
    m.open();
    m.toSecondPage();
    QLineEdit* box = m.text(1);
    box->setFocus();
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(box->text(), shown);
    QCOMPARE(m.clock->DialText(), dial);
}

void TestClockPreferencesWindow::initialValuesKeepTheSignalSwitch_data()
{
    QTest::addColumn<bool>("signalOff");
    QTest::newRow("signal off") << true;
    QTest::newRow("signal on") << false;
}

void TestClockPreferencesWindow::initialValuesKeepTheSignalSwitch()
{
    QFETCH(bool, signalOff);
    Menu m;
    m.open();
    if (signalOff)
        m.click(m.jihouChk());
    m.choose(m.combo("color_Combo"), QStringLiteral("文字盤"));
    m.click(m.swatch(0));
    m.choose(m.combo("width_Combo"), QStringLiteral("短針"));
    m.slider(1)->setFocus();
    QTest::keyClick(m.slider(1), Qt::Key_End);
    m.clock->setSecondHandWidth(9);
    m.clock->setMascotColor(0x123456);
    m.clock->setJihouFile(QStringLiteral("/elsewhere/bell.wav"));
    if (!signalOff)
        m.typeMinute(QStringLiteral("45"));
    m.toSecondPage();
    QTest::keyClicks(m.text(1), QStringLiteral("ABC"));
    QTest::keyClick(m.slider(2), Qt::Key_End);
    QTest::keyClick(m.slider(4), Qt::Key_Home);
    m.drag(QPoint(20, 20));
    m.toSecondPage();
    m.click(m.command(3)); // back to the first page

    m.click(m.command(2));
    QCOMPARE(m.clock->MinuteHandWidth(), qint16(2));
    QCOMPARE(m.clock->HourHandWidth(), qint16(3));
    QCOMPARE(m.clock->SecondHandWidth(), qint16(1));
    QCOMPARE(m.clock->FrameWidth(), qint16(1));
    QCOMPARE(m.slider(1)->value(), 3);
    QCOMPARE(m.clock->DialColor(), 0u);
    QCOMPARE(m.clock->MascotColor(), 0xC0C0C0u);
    QCOMPARE(m.clock->JihouFile(), m.t.context.installDir.file(QStringLiteral("default.wav")));
    QCOMPARE(m.text(1)->text(), QString());
    QCOMPARE(m.clock->DialText(), QString());
    QCOMPARE(m.text(2)->text(), QStringLiteral("0"));
    QCOMPARE(m.clock->JihouMinute(), qint16(0));
    QCOMPARE(m.clock->Width(), 891.0);
    QCOMPARE(m.clock->Height(), 891.0);
    QCOMPARE(m.clock->MascotSize(), qint16(7));
    QCOMPARE(m.clock->Left(), 10950.0);
    QCOMPARE(m.clock->Top(), 120.0);
    QCOMPARE(m.miniature()->geometry(), twips::rect(10950 / 4.0, 120 / 4.0, 891 / 4.0, 891 / 4.0));
    QCOMPARE(m.jihouChk()->isChecked(), signalOff);
    QCOMPARE(m.clock->JihouOn(), !signalOff);
}

void TestClockPreferencesWindow::secondPageDisablesSaveCancelAndInitial()
{
    Menu m;
    m.open();
    auto* colours = m.find<QGroupBox>(QStringLiteral("colorFrame"));
    auto* position = m.find<QGroupBox>(QStringLiteral("positionFrame"));
    QCOMPARE(m.command(3)->text(), QStringLiteral("次へ ＞"));
    QVERIFY(colours->isVisible());
    QVERIFY(!position->isVisible());

    m.click(m.command(3));
    QCOMPARE(m.pra->page(), 1);
    QCOMPARE(m.command(3)->text(), QStringLiteral("＜ 戻る"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(!m.command(i)->isEnabled());
    QVERIFY(!colours->isVisible());
    QVERIFY(!m.find<QGroupBox>(QStringLiteral("widthFrame"))->isVisible());
    QVERIFY(!m.find<QGroupBox>(QStringLiteral("jihouFrame"))->isVisible());
    QVERIFY(position->isVisible());
    // Neither saved nor hidden from the second page.
    m.click(m.command(0));
    m.click(m.command(1));
    QVERIFY(m.pra->isVisible());
    QVERIFY(!m.t.exists(QStringLiteral("clock.pra")));

    m.click(m.command(3));
    QCOMPARE(m.pra->page(), 0);
    QCOMPARE(m.command(3)->text(), QStringLiteral("次へ ＞"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(m.command(i)->isEnabled());
    QVERIFY(colours->isVisible());
    QVERIFY(!position->isVisible());
}

void TestClockPreferencesWindow::draggingTheMiniatureMovesTheClock_data()
{
    QTest::addColumn<QPoint>("drop"); // on the model, pixels
    QTest::addColumn<bool>("moves");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    // left = 4 · (x − miniature width / 2), with the miniature 891/4 twips wide.
    QTest::newRow("middle") << QPoint(100, 60) << true << 4 * (1500 - 891 / 8.0)
                            << 4 * (900 - 891 / 8.0);
    QTest::newRow("against the left edge") << QPoint(2, 60) << true << 0.0 << 4 * (900 - 891 / 8.0);
    QTest::newRow("against the lower right")
        << QPoint(196, 133) << true << 11880 - 891.0 << 8070 - 891.0;
    QTest::newRow("outside the model") << QPoint(260, 60) << false << 10950.0 << 120.0;
}

void TestClockPreferencesWindow::draggingTheMiniatureMovesTheClock()
{
    QFETCH(QPoint, drop);
    QFETCH(bool, moves);
    QFETCH(double, left);
    QFETCH(double, top);
    Menu m;
    m.open();
    m.toSecondPage();
    m.drag(drop);
    QCOMPARE(m.clock->Left(), left);
    QCOMPARE(m.clock->Top(), top);
    QCOMPARE(m.clock->Width(), 891.0);
    QCOMPARE(m.miniature()->pos(), twips::point(left / 4, top / 4));
    if (moves)
        QVERIFY(QRectF(m.model()->rect()).contains(QRectF(m.miniature()->geometry())));

    // A press and release without moving leaves the clock where it is.
    QTest::mouseClick(m.miniature(), Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(m.clock->Left(), left);
    QCOMPARE(m.clock->Top(), top);
}

void TestClockPreferencesWindow::clickAndDoubleClickOnTheModel()
{
    Menu m;
    m.open();
    m.toSecondPage();
    m.drag(QPoint(60, 60));
    QTest::keyClick(m.slider(2), Qt::Key_End);
    QVERIFY(m.clock->Left() != 10950.0);

    QTest::mouseClick(m.image1(), Qt::LeftButton, {}, QPoint(150, 100));
    QCOMPARE(m.clock->Left(), 10950.0);
    QCOMPARE(m.clock->Top(), 120.0);
    QCOMPARE(m.miniature()->pos(), twips::point(10950 / 4.0, 120 / 4.0));
    QCOMPARE(m.clock->Height(), 3465.0); // a click keeps the size

    m.drag(QPoint(60, 60));
    QTest::keyClick(m.slider(4), Qt::Key_End);
    QTest::mouseClick(m.image1(), Qt::LeftButton, {}, QPoint(150, 100));
    QTest::mouseDClick(m.image1(), Qt::LeftButton, {}, QPoint(150, 100));
    QTest::mouseRelease(m.image1(), Qt::LeftButton, {}, QPoint(150, 100));
    QCOMPARE(m.slider(2)->value(), 4);
    QCOMPARE(m.slider(3)->value(), 4);
    QCOMPARE(m.slider(4)->value(), 7);
    QCOMPARE(m.clock->Height(), 891.0);
    QCOMPARE(m.clock->Left(), 10950.0);
    QCOMPARE(m.clock->Top(), 120.0);
    QCOMPARE(m.miniature()->geometry(), twips::rect(10950 / 4.0, 120 / 4.0, 891 / 4.0, 891 / 4.0));
}

void TestClockPreferencesWindow::modelShowsTheMainWindowBackground()
{
    Menu m;
    setBackgroundColor(&m.main, 0x00FF00);
    auto* background = new PictureBox(&m.main);
    background->setObjectName(QStringLiteral("Image3"));
    background->setGeometry(0, 0, m.main.width() / 2, m.main.height());
    QPixmap red(16, 16);
    red.fill(Qt::red);
    background->setPicture(red);
    m.open();
    const QImage shown = m.image1()->picture().toImage();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.pixelColor(shown.width() / 4, shown.height() / 2), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(shown.width() * 3 / 4, shown.height() / 2), QColor(Qt::green));
    // With the picture hidden, the main window's colour alone.
    background->hide();
    m.pra->hide();
    m.open();
    const QImage plain = m.image1()->picture().toImage();
    QCOMPARE(plain.pixelColor(plain.width() / 4, plain.height() / 2), QColor(Qt::green));
}

void TestClockPreferencesWindow::soundFileDialog_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected"); // empty: unchanged
    QTest::newRow("chosen") << "/sounds/bell.wav"
                            << "/sounds/bell.wav";
    QTest::newRow("typed without extension") << "/sounds/bell"
                                             << "/sounds/bell.wav";
    QTest::newRow("cancelled") << ""
                               << "";
    // clock.pra holds 100 bytes of the path.
    const QString fits = u'/' + QString(95, u'a') + QStringLiteral(".wav");
    QTest::newRow("100 bytes") << fits << fits;
    QTest::newRow("101 bytes refused") << (u'/' + QString(96, u'a') + QStringLiteral(".wav")) << "";
    QTest::newRow("double-byte, 102 bytes refused")
        << (QStringLiteral("/音") + QString(95, u'a') + QStringLiteral(".wav")) << "";
    QTest::newRow("outside the code page refused") << QString::fromUtf8("/sounds/Café.wav") << "";
    QTest::newRow("code page characters kept")
        << QString::fromUtf8("/sounds/髙～ｱ.wav") << QString::fromUtf8("/sounds/髙～ｱ.wav");
}

void TestClockPreferencesWindow::soundFileDialog()
{
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    Menu m;
    m.open();
    const QString before = m.clock->JihouFile();
    m.t.dialogs.files.enqueue(answer);
    m.click(m.find<QPushButton>(QStringLiteral("jihoufile_set")));
    QCOMPARE(m.t.dialogs.fileTitles, QStringList{QStringLiteral("時報ファイルを開く")});
    QCOMPARE(m.t.dialogs.fileFilters.size(), 1);
    QVERIFY(m.t.dialogs.fileFilters.first().startsWith(QStringLiteral("Waveﾌｧｲﾙ（*.wav）")));
    QVERIFY(m.t.dialogs.fileFilters.first().contains(QStringLiteral("(*.wav)")));
    QCOMPARE(m.clock->JihouFile(), expected.isEmpty() ? before : expected);
    // A refused path is said, not stored cut.
    QCOMPARE(m.t.messages.shown.size(), !answer.isEmpty() && expected.isEmpty() ? 1 : 0);
    QVERIFY(m.pra->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(m.t.platform.soundsPlayed.isEmpty());
}

void TestClockPreferencesWindow::testButton_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("answer");
    QTest::newRow("file there") << true << "";
    QTest::newRow("missing, another chosen") << false << "/sounds/other.wav";
    QTest::newRow("missing, dialog cancelled") << false << "";
}

void TestClockPreferencesWindow::testButton()
{
    QFETCH(bool, fileExists);
    QFETCH(QString, answer);
    Menu m;
    if (fileExists)
        m.t.writeFile(QStringLiteral("default.wav"), QByteArray("RIFF"));
    m.open();
    const QString before = m.clock->JihouFile();
    m.t.dialogs.files.enqueue(answer);
    m.click(m.find<QPushButton>(QStringLiteral("jihoufile_test")));
    if (fileExists) {
        QVERIFY(m.t.messages.shown.isEmpty());
        QVERIFY(m.t.dialogs.fileTitles.isEmpty());
    } else {
        QCOMPARE(m.t.messages.shown.size(), 1);
        QCOMPARE(m.t.messages.shown.first().text,
                 QStringLiteral("時報ファイルが設定されていません！！"));
        QCOMPARE(m.t.messages.shown.first().title, QStringLiteral("時報ファイルのエラー"));
        QCOMPARE(m.t.messages.shown.first().buttons(), int(Msg::Ok));
        QCOMPARE(m.t.dialogs.fileTitles.size(), 1);
    }
    // The sound is played whether or not a file was chosen.
    const QString played = answer.isEmpty() ? before : answer;
    QCOMPARE(m.t.platform.soundsPlayed, QStringList{played});
}

void TestClockPreferencesWindow::saveStoresWhatTheClockHolds()
{
    Menu m;
    m.open();
    m.choose(m.combo("color_Combo"), QStringLiteral("長針"));
    m.click(m.swatch(2));
    m.typeMinute(QStringLiteral("15"));
    m.click(m.jihouChk());
    m.toSecondPage();
    QTest::keyClick(m.slider(3), Qt::Key_End);
    m.click(m.command(3));
    m.click(m.command(0));
    QVERIFY(!m.pra->isVisible());
    QVERIFY(m.pra); // hidden, not destroyed
    const QByteArray saved = m.t.readFile(QStringLiteral("clock.pra"));
    QCOMPARE(saved.size(), 169);
    QCOMPARE(saved, m.prefs.toRecord());
    QCOMPARE(m.prefs.minuteHandColor, 0x000080u);
    QCOMPARE(m.prefs.jihouMinute, qint16(15));
    QCOMPARE(m.prefs.jihouOff, qint16(1));
    QCOMPARE(m.prefs.width, qint16(3465));
    QCOMPARE(m.prefs.height, qint16(891));

    // The next start restores the clock from it.
    Menu next(saved);
    QCOMPARE(next.clock->MinuteHandColor(), 0x000080u);
    QCOMPARE(next.clock->JihouOn(), false);
    QCOMPARE(next.clock->JihouMinute(), qint16(15));
    QCOMPARE(next.clock->Width(), 3465.0);
    // The wide clock is kept inside the main window.
    QVERIFY(next.clock->Left() + next.clock->Width() <= 11880);
}

void TestClockPreferencesWindow::failedSaveKeepsTheWindowOpen()
{
    Menu m;
    m.open();
    m.t.context.installDir = InstallDir(m.t.path(QStringLiteral("missing/dir")));
    m.click(m.command(0));
    QVERIFY(m.pra->isVisible());
    QCOMPARE(m.t.messages.shown.size(), 1);
    QCOMPARE(m.t.messages.shown.first().title, QStringLiteral("ディスクエラ－"));
    QCOMPARE(m.prefs, ClockPrefs());
}

void TestClockPreferencesWindow::cancelKeepsChangesOnTheClockOnly()
{
    Menu m(storedRecord(0, QString()));
    const QByteArray stored = m.t.readFile(QStringLiteral("clock.pra"));
    m.open();
    m.choose(m.combo("color_Combo"), QStringLiteral("秒針"));
    m.click(m.swatch(9));
    m.click(m.command(1));
    QVERIFY(!m.pra->isVisible());
    QCOMPARE(m.clock->SecondHandColor(), 0x00FF00u);
    QCOMPARE(m.t.readFile(QStringLiteral("clock.pra")), stored);
    QCOMPARE(m.prefs.secondHandColor, 0xFFu);
}

void TestClockPreferencesWindow::reopeningKeepsTheWindowAsLeft()
{
    Menu m(storedRecord(0, QString()));
    m.open();
    m.click(m.jihouChk());
    m.choose(m.combo("color_Combo"), QStringLiteral("短針"));
    m.click(m.swatch(4));
    m.choose(m.combo("width_Combo"), QStringLiteral("秒針"));
    m.clock->setJihouMinute(30); // the clock rings at another minute meanwhile
    // Closing through the window frame hides the window, as "ｷｬﾝｾﾙ" does.
    m.pra->close();
    QVERIFY(m.pra);
    QVERIFY(!m.pra->isVisible());

    m.open();
    QCOMPARE(m.pra->selectedSwatch(), 4);
    QVERIFY(m.swatch(4)->frameShape() != QFrame::NoFrame);
    QCOMPARE(m.combo("color_Combo")->currentText(), QStringLiteral("短針"));
    QCOMPARE(m.combo("width_Combo")->currentText(), QStringLiteral("秒針"));
    // The slider still drives the part named.
    m.slider(1)->setValue(7);
    QCOMPARE(int(m.clock->SecondHandWidth()), 7);
    // The two boxes follow the running clock.
    QCOMPARE(m.text(2)->text(), QStringLiteral("30"));
    QVERIFY(m.jihouChk()->isChecked());
    QCOMPARE(m.clock->JihouOn(), false);
    QVERIFY(!m.text(2)->isEnabled());

    // The page shown is kept too.
    m.toSecondPage();
    m.pra->close();
    m.open();
    QCOMPARE(m.pra->page(), 1);
}

QTEST_MAIN(TestClockPreferencesWindow)
#include "tst_clockpreferenceswindow.moc"
