// The launcher on a read-only or full disk: start-up and every save of its files
// report the failure, keep the window usable, and leave every old file as it was.
#include "faultinstall.h"
#include "faultmain.h"

#include "clock/analogclock.h"
#include "common/diskerror.h"
#include "common/messagebox.h"
#include "common/settingsfiles.h"
#include "menu/mainmenuwindow.h"
#include "overview/buildingoverviewwindow.h"
#include "project/environmentsettingswindow.h"
#include "widgets/commandbutton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <memory>

using namespace lc;
using namespace lc::test;
using Fault = FaultInstall::Fault;

namespace {

enum class Save { ClockPrefs, BackImg, DrivePaths, Overview, Registry };

struct Launcher
{
    explicit Launcher(FaultInstall& install) : f(install)
    {
        window = std::make_unique<MainMenuWindow>(f.t.context);
        window->setAnimationPacing(false);
        window->startUp();
    }

    template <typename T = QWidget>
    T* child(QWidget* in, const QString& name) const
    {
        T* w = in->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QWidget* prefsWindow() const { return window->findChild<QWidget*>(QStringLiteral("pra_set")); }
    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }

    FaultInstall& f;
    std::unique_ptr<MainMenuWindow> window;
};

QString titles(const QList<MessageRequest>& shown)
{
    QStringList out;
    for (const MessageRequest& m : shown)
        out.append(m.title + QStringLiteral(": ") + m.text);
    return out.join(QStringLiteral(" | "));
}

// Every message says what happened, under a title.
bool clearMessages(const QList<MessageRequest>& shown)
{
    for (const MessageRequest& m : shown) {
        if (m.title.trimmed().isEmpty() || m.text.trimmed().isEmpty())
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(FaultInstall::Fault)
Q_DECLARE_METATYPE(Save)

class TestSaveFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUp_data();
    void startUp();
    void save_data();
    void save();
};

void TestSaveFaults::startUp_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("installation");
    QTest::addColumn<bool>("needsWriting");
    for (const Fault fault : {Fault::ReadOnly, Fault::DiskFull}) {
        const char* name = fault == Fault::ReadOnly ? "read-only" : "full";
        QTest::addRow("%s, complete", name) << fault << "complete" << false;
        QTest::addRow("%s, first start", name) << fault << "first start" << true;
        QTest::addRow("%s, leftover markers", name) << fault << "leftover markers" << true;
    }
}

void TestSaveFaults::startUp()
{
    QFETCH(Fault, fault);
    QFETCH(QString, installation);
    QFETCH(bool, needsWriting);

    FaultInstall f;
    if (installation == "first start") {
        f.populateProgramsOnly();
    } else {
        f.populate();
        if (installation == "leftover markers") {
            QVERIFY(QFile::rename(f.t.path("menu"), f.t.path("app")));
            f.t.writeFile("app_hnd", "4711\r\n");
        }
    }
    const auto before = f.snapshot();
    QString whyNot;
    if (!f.inject(fault, whyNot))
        QSKIP(qPrintable(whyNot));
    f.answerCancel();

    Launcher l(f);
    QVERIFY(l.window->isVisible());
    QCOMPARE(l.window->LaunchBusy(), qint16(0));
    auto expected = before;
    auto after = f.snapshot();
    if (fault == Fault::DiskFull) {
        // Deleting needs no room: the leftover markers go, and a marker written
        // in the room they leave is complete.
        for (const QString& marker : QStringList{"app", "app_hnd", "sub"})
            expected.remove(marker);
        if (!expected.contains("menu") && after.value("menu") == "\"om\"\r\n")
            after.remove("menu");
    }
    const QString changed = FaultInstall::difference(expected, after);
    QVERIFY2(changed.isEmpty(), qPrintable(changed));
    QVERIFY2(clearMessages(f.t.messages.shown), qPrintable(titles(f.t.messages.shown)));
    if (!needsWriting)
        QVERIFY2(f.t.messages.shown.isEmpty(), qPrintable(titles(f.t.messages.shown)));
    // Repaired paths hold in memory, whatever the disk did with them.
    for (int k = 1; k <= 3; ++k)
        QVERIFY(!f.t.context.drivePath[k].isEmpty());

    if (!f.t.exists("menu")) {
        // "menu" could not be made again: a launch says so and leaves the menu idle.
        const qsizetype shown = f.t.messages.shown.size();
        QTest::mouseClick(l.child(l.window.get(), "app_menu_0"), Qt::LeftButton, {}, QPoint(200, 18));
        QVERIFY(f.t.messages.shown.size() > shown);
        QCOMPARE(l.window->LaunchBusy(), qint16(0));
        QVERIFY(f.t.platform.starts.isEmpty());
    }
}

void TestSaveFaults::save_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Save>("save");
    QTest::addColumn<QString>("file");
    for (const Fault fault : {Fault::ReadOnly, Fault::DiskFull}) {
        const char* name = fault == Fault::ReadOnly ? "read-only" : "full";
        QTest::addRow("%s, preferences 設定登録", name) << fault << Save::ClockPrefs << "clock.pra";
        QTest::addRow("%s, picker 閉じる", name) << fault << Save::BackImg << "BackImg";
        QTest::addRow("%s, SaveDrivePaths", name) << fault << Save::DrivePaths << "WOMSET";
        QTest::addRow("%s, overview ｏｋ", name) << fault << Save::Overview << "data/kojigai";
        QTest::addRow("%s, environment OK", name) << fault << Save::Registry << "omkojinm";
    }
}

void TestSaveFaults::save()
{
    QFETCH(Fault, fault);
    QFETCH(Save, save);
    QFETCH(QString, file);

    FaultInstall f;
    f.populate();
    Launcher l(f);
    QVERIFY(f.t.messages.shown.isEmpty());

    // The window that saves, brought to the point of saving.
    std::function<void()> doSave;
    std::function<bool()> windowStillOpen;
    // SaveDrivePaths has no message of its own: it returns the failure to its caller.
    int pathsResult = 0;
    QPointer<BuildingOverviewWindow> overview;
    std::unique_ptr<EnvironmentSettingsWindow> environment;
    switch (save) {
    case Save::ClockPrefs: {
        l.click(l.window->clock());
        QWidget* prefs = l.prefsWindow();
        QVERIFY(prefs && prefs->isVisible());
        l.click(l.child<QCheckBox>(prefs, "jihou_chk"));
        doSave = [&] { l.click(l.child(l.prefsWindow(), "Command1_0")); };
        windowStillOpen = [&] { return l.prefsWindow()->isVisible(); };
        break;
    }
    case Save::BackImg:
        QTest::mousePress(l.child(l.window.get(), "Image2"), Qt::RightButton);
        QTest::mouseRelease(l.child(l.window.get(), "Image2"), Qt::RightButton);
        QVERIFY(l.child(l.window.get(), "SSPanel2")->isVisible());
        l.click(l.child(l.window.get(), "Label2_0")); // the white swatch
        doSave = [&] {
            if (!l.child(l.window.get(), "SSPanel2")->isVisible()) {
                QTest::mousePress(l.child(l.window.get(), "Image2"), Qt::RightButton);
                QTest::mouseRelease(l.child(l.window.get(), "Image2"), Qt::RightButton);
            }
            l.click(l.child(l.window.get(), "SSCommand2_1"));
        };
        windowStillOpen = [&] { return l.window->isVisible(); };
        break;
    case Save::DrivePaths:
        f.t.context.drivePath[3] = f.dataDir();
        doSave = [&] { pathsResult = SaveDrivePaths(f.t.context); };
        windowStillOpen = [] { return true; };
        break;
    case Save::Overview:
        overview = new BuildingOverviewWindow(f.t.context, nullptr);
        QVERIFY(QTest::qWaitForWindowActive(overview));
        l.click(l.child(overview, "Label1_12"));
        QTest::keyClicks(QApplication::focusWidget(), "Sato");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(l.child<QLabel>(overview, "Label1_12")->text(), QStringLiteral("Sato"));
        doSave = [&] { l.click(l.child(overview, "Command3D1_0")); };
        windowStillOpen = [&] { return !overview.isNull() && overview->isVisible(); };
        break;
    case Save::Registry:
        // The main window gave the marker to the environment window.
        QVERIFY(QFile::rename(f.t.path("menu"), f.t.path("app")));
        environment = std::make_unique<EnvironmentSettingsWindow>(f.t.context, nullptr);
        environment->show();
        environment->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(environment.get()));
        QVERIFY(QTest::qWaitFor([&] { return !l.child<QLineEdit>(environment.get(), "txtDrive_1")->text().isEmpty(); }));
        // The data directory's project joins the registry when its box has the focus.
        l.click(l.child(environment.get(), "Panel3D2_1"));
        doSave = [&] {
            if (!environment->isVisible()) {
                if (!f.t.exists("app"))
                    QVERIFY(QFile::rename(f.t.path("menu"), f.t.path("app")));
                environment->show();
                environment->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(environment.get()));
                l.click(l.child(environment.get(), "Panel3D2_1"));
            }
            l.click(l.child(environment.get(), "CmdEnd"));
        };
        windowStillOpen = [] { return true; };
        break;
    }
    if (QTest::currentTestFailed())
        return;

    const auto before = f.snapshot();
    QString whyNot;
    if (!f.inject(fault, whyNot))
        QSKIP(qPrintable(whyNot));
    f.answerCancel();
    doSave();
    if (QTest::currentTestFailed())
        return;

    // Told, nothing lost or half-written, and the window still there to try again.
    if (save == Save::DrivePaths)
        QVERIFY(pathsResult != 0);
    else
        QVERIFY2(!f.t.messages.shown.isEmpty(), "the failed save went unreported");
    QVERIFY2(clearMessages(f.t.messages.shown), qPrintable(titles(f.t.messages.shown)));
    // The folder is there: the disk message names the real cause and offers to try again.
    for (const MessageRequest& m : f.t.messages.shown) {
        if (m.title != DiskErrorTitle)
            continue;
        QVERIFY2(!m.text.contains(QStringLiteral("指定されたパスが存在しません")), qPrintable(m.text));
        if (fault == Fault::ReadOnly)
            QCOMPARE(m.buttons(), Msg::RetryCancel);
    }
    auto expected = before;
    if (save == Save::Registry && fault == Fault::DiskFull) {
        // A rename needs no room: the window gives the marker back all the same.
        expected.insert("menu", expected.take("app"));
    }
    const QString changed = FaultInstall::difference(expected, f.snapshot());
    QVERIFY2(changed.isEmpty(), qPrintable(changed));
    QVERIFY(windowStillOpen());
    QVERIFY(l.window->isVisible());

    // With the disk back, the same save stores the change.
    f.lift();
    f.t.messages.shown.clear();
    f.t.messages.answers.clear();
    doSave();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(f.t.messages.shown.isEmpty(), qPrintable(titles(f.t.messages.shown)));
    QCOMPARE(pathsResult, 0);
    QVERIFY2(f.t.readFile(file) != before.value(file), qPrintable(file + QStringLiteral(" was not saved")));
    if (save == Save::DrivePaths) {
        for (const QString& copy : SettingsFiles::Copies)
            QCOMPARE(f.t.readFile(copy), f.t.readFile("WOMSET"));
    }
    delete overview;
}

LC_FAULT_TEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
