#include "common/bytetext.h"
#include "common/messagebox.h"
#include "platform/systemplatform.h"
#include "project/foldertree.h"
#include "project/environmentsettingswindow.h"
#include "project/kojiregistry.h"
#include "testcontext.h"
#include "widgets/panel3d.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>

using namespace lc;
using lc::test::TestContext;

namespace {

const QString CreateQuestion =
    QStringLiteral("設定ディレクトリが見つかりません｡\n新しいディレクトリを作成しますか？");
const QString Unsuitable =
    QStringLiteral("ディレクトリの設定が不適当です｡\n新しいディレクトリが作成出来\nませんでした。");

void writeOverview(const QString& dir, const QString& name,
                   const QString& file = QStringLiteral("kojigai"))
{
    QDir().mkpath(dir);
    QByteArray bytes(128 * 30, '\0');
    bytes.replace(4 * 128, 128, fixedField(name, 128));
    QFile f(dir + u'/' + file);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray registryRecord(const QString& name, const QString& dir)
{
    return fixedField(name, 128) + fixedField(dir, 128);
}

// The environment window on a drive that is a temporary directory:
// <drive>/master, <drive>/koji/p1 (the data directory, "港北ビル新築工事"),
// <drive>/koji/p2 ("別の工事"), <drive>/import. The main window has renamed the
// marker to "app".
struct Window
{
    using Prepare = std::function<void(Window&)>;

    explicit Window(const Prepare& prepare = {})
    {
        t.platform.roots = {drive.path()};
        t.platform.trashDir = trash.path() + QStringLiteral("/bin");
        master = path("master");
        data = path("koji/p1");
        other = path("koji/p2");
        import = path("import");
        for (const QString& d : {master, import})
            QDir().mkpath(d);
        writeOverview(data, QStringLiteral("港北ビル新築工事"));
        writeOverview(other, QStringLiteral("別の工事"));
        t.writeFile(QStringLiteral("app"), "\"om\"\r\n");
        if (prepare)
            prepare(*this);
        writeSettings(master, data, import);
    }

    void writeSettings(const QString& m, const QString& d, const QString& i)
    {
        t.writeFile(QStringLiteral("WOMSET"),
                    fixedField(m, 128) + fixedField(d, 128) + fixedField(i, 128));
    }

    // Opens the window and waits for its activation steps.
    bool open()
    {
        w = std::make_unique<EnvironmentSettingsWindow>(t.context, nullptr);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            return false;
        return QTest::qWaitFor(
            [this] { return !box(1)->text().isEmpty() && tree()->topLevelItemCount() == 1; });
    }

    QString path(const QString& rel) const { return drive.path() + u'/' + rel; }

    template <typename T = QWidget> T* child(const QString& name) const
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QLineEdit* box(int i) const { return child<QLineEdit>(QStringLiteral("txtDrive_%1").arg(i)); }
    Panel3D* caption(int i) const { return child<Panel3D>(QStringLiteral("Panel3D2_%1").arg(i)); }
    Panel3D* namePanel(int i) const { return child<Panel3D>(QStringLiteral("Panel3D3_%1").arg(i)); }
    QListWidget* list() const { return child<QListWidget>(QStringLiteral("List1")); }
    FolderTree* tree() const { return child<FolderTree>(QStringLiteral("SSTree1")); }
    QPushButton* button(const QString& name) const { return child<QPushButton>(name); }
    QToolButton* ribbon(int i) const
    {
        return child<QToolButton>(QStringLiteral("SSRibbon1_%1").arg(i));
    }
    const DrivePaths& paths() const { return t.context.drivePath; }

    void click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    void typeAndEnter(int i, const QString& text) const
    {
        click(caption(i));
        box(i)->setText(text);
        QTest::keyClick(box(i), Qt::Key_Return);
    }
    void clickRow(int row) const
    {
        list()->scrollToItem(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(row));
    }
    QPoint rowPoint(int row) const
    {
        return QPoint(20, list()->visualItemRect(list()->item(row)).center().y());
    }
    QLineEdit* labelEditor() const
    {
        for (QLineEdit* e : tree()->viewport()->findChildren<QLineEdit*>()) {
            if (e->isVisible())
                return e;
        }
        return nullptr;
    }
    QStringList shownTexts() const
    {
        QStringList out;
        for (const MessageRequest& m : t.messages.shown)
            out.append(m.text);
        return out;
    }
    QByteArray registry() const { return t.readFile(QStringLiteral("omkojinm")); }
    // Registry entries of the other project and of the data directory.
    void registerBoth()
    {
        t.writeFile(QStringLiteral("omkojinm"), registryRecord("別の工事", other) +
                                                    registryRecord("港北ビル新築工事", data) +
                                                    QByteArray(25600 - 512, ' '));
    }
    void answer(std::initializer_list<int> answers)
    {
        t.messages.answers.clear();
        for (int a : answers)
            t.messages.answers.enqueue(a);
    }

    QTemporaryDir drive;
    QTemporaryDir trash;
    TestContext t;
    QString master, data, other, import;
    std::unique_ptr<EnvironmentSettingsWindow> w;
};

} // namespace

class TestEnvironmentSettingsWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void activationFillsBoxesTreeAndRegistry();
    void editLeftWithoutEnterIsDiscarded();
    void captionPanelsMoveTheFocus_data();
    void captionPanelsMoveTheFocus();
    void enterOnTrailingSeparatorDoesNothing();
    void enterOnMissingFolder_data();
    void enterOnMissingFolder();
    void enterOnExistingFolderTakesIt();
    void treeClickPutsThePathIntoTheActiveBox();
    void pathOver128BytesIsRefused_data();
    void pathOver128BytesIsRefused();
    void clickingTheComputerChangesNoPath();
    void importOptionReadsTheImportDirectory();
    void registryPick();
    void registryDoubleClickIsOk();
    void hundredthEntryAndTheLimit();
    void okStoresPathsRegistryAndMarker();
    void okWithAnEmptyBoxKeepsTheWindowOpen();
    void cancelRestoresThePaths();
    void closeBoxStoresPathsAndFreesTheMenu();
    void deleteCurrentProject_data();
    void deleteCurrentProject();
    void deleteAnotherEntryAsksOnce();
    void dangerousDeletionsAreRefused_data();
    void dangerousDeletionsAreRefused();
    void deleteToTheRealTrash();
    void renamingARegisteredFolderRewritesTheRegistry();
    void textOutsideCodePageRefused_data();
    void textOutsideCodePageRefused();
    void refusedRenameKeepsEverything_data();
    void refusedRenameKeepsEverything();
    void suiteFoldersKeepTheirNames_data();
    void suiteFoldersKeepTheirNames();
    void secondNewFolderIsNumbered();
    void newFolderThatCannotBeMadeIsReported();
    void upAndRefreshButtons();
    void helpShowsFifteenLines();
    void anotherLauncherWindowClosesIt();
    void ownDialogsDoNotCloseIt();
    void modalWindowStaysWhateverTakesTheFocus();
};

void TestEnvironmentSettingsWindow::activationFillsBoxesTreeAndRegistry()
{
    Window win;
    QVERIFY(win.open());
    QCOMPARE(win.box(0)->text(), win.master);
    QCOMPARE(win.box(1)->text(), win.data);
    QCOMPARE(win.box(2)->text(), win.import);
    QCOMPARE(win.namePanel(0)->caption(), QStringLiteral("港北ビル新築工事"));
    QCOMPARE(QApplication::focusWidget(), win.box(1));
    QCOMPARE(win.w->activeBox(), 1);
    // The tree opened down to the data directory.
    QTreeWidgetItem* node = win.tree()->node(win.data);
    QVERIFY(node);
    QCOMPARE(win.tree()->currentItem(), node);
    // The data directory has a name, so it is registered and selected.
    QCOMPARE(win.list()->count(), 1);
    const QString item = win.list()->item(0)->text();
    QCOMPARE(ByteLeft(item, 3), QStringLiteral("01 "));
    QCOMPARE(kojiItemName(item), QStringLiteral("港北ビル新築工事"));
    QCOMPARE(kojiItemDirectory(item), win.data);
    QVERIFY(win.list()->item(0)->isSelected());
    // Nothing is written before OK.
    QCOMPARE(win.registry(), QByteArray(25600, ' '));
}

void TestEnvironmentSettingsWindow::editLeftWithoutEnterIsDiscarded()
{
    Window win;
    QVERIFY(win.open());
    QTest::keyClicks(win.box(1), QStringLiteral("/elsewhere"));
    win.click(win.caption(0));
    QCOMPARE(win.box(1)->text(), win.data);
    QCOMPARE(win.paths()[2], win.data);
    QVERIFY(win.t.messages.shown.isEmpty());
}

void TestEnvironmentSettingsWindow::captionPanelsMoveTheFocus_data()
{
    QTest::addColumn<int>("box");
    QTest::newRow("master") << 0;
    QTest::newRow("data") << 1;
    QTest::newRow("import") << 2;
}

void TestEnvironmentSettingsWindow::captionPanelsMoveTheFocus()
{
    QFETCH(int, box);
    Window win;
    QVERIFY(win.open());
    win.click(win.caption(box == 1 ? 0 : 1));
    win.click(win.caption(box));
    QCOMPARE(QApplication::focusWidget(), win.box(box));
    QCOMPARE(win.w->activeBox(), box);
    // The tree follows the box.
    QCOMPARE(FolderTree::keyOf(win.tree()->currentItem()), win.paths()[box + 1]);
}

void TestEnvironmentSettingsWindow::enterOnTrailingSeparatorDoesNothing()
{
    Window win;
    QVERIFY(win.open());
    win.box(1)->setText(win.path("koji/new/"));
    QTest::keyClick(win.box(1), Qt::Key_Return);
    QVERIFY(win.t.messages.shown.isEmpty());
    QCOMPARE(win.box(1)->text(), win.path("koji/new/"));
    QCOMPARE(win.paths()[2], win.data);
    QVERIFY(!QFileInfo::exists(win.path("koji/new")));
}

void TestEnvironmentSettingsWindow::enterOnMissingFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("taken");
    QTest::newRow("created") << "koji/p3" << int(Msg::ResultOk) << QStringList{CreateQuestion}
                             << true;
    QTest::newRow("declined") << "koji/p3" << int(Msg::ResultCancel) << QStringList{CreateQuestion}
                              << false;
    QTest::newRow("two levels missing")
        << "koji/x/y" << int(Msg::ResultOk) << QStringList{CreateQuestion, Unsuitable} << false;
    QTest::newRow("not a full path")
        << "relative" << int(Msg::ResultOk) << QStringList{Unsuitable} << false;
    // %1 stands for the typed path.
    QTest::newRow("a file of that name")
        << "koji/p1/kojigai" << int(Msg::ResultOk)
        << QStringList{QStringLiteral(
               "ﾃﾞｨﾚｸﾄﾘ :%1\n同じ名前のファイルがあるため、\nディレクトリの設定が出来ません。")}
        << false;
}

void TestEnvironmentSettingsWindow::enterOnMissingFolder()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    QFETCH(bool, taken);
    Window win;
    QVERIFY(win.open());
    win.t.messages.answers.enqueue(answer);
    const QString text = typed == QStringLiteral("relative") ? typed : win.path(typed);
    win.typeAndEnter(1, text);
    for (QString& m : messages)
        m.replace(QStringLiteral("%1"), text);

    QCOMPARE(win.shownTexts(), messages);
    if (messages.first() == CreateQuestion) {
        QCOMPARE(win.t.messages.shown.first().title, QStringLiteral("環境設定"));
        QCOMPARE(win.t.messages.shown.first().style, Msg::OkCancel + Msg::Information);
    }
    QCOMPARE(QFileInfo(text).isDir(), taken);
    QCOMPARE(win.box(1)->text(), taken ? text : win.data);
    QCOMPARE(win.paths()[2], taken ? text : win.data);
    QCOMPARE(QApplication::focusWidget(), win.box(1));
    if (taken)
        QCOMPARE(FolderTree::keyOf(win.tree()->currentItem()), text);
    QVERIFY(!QFileInfo::exists(win.t.path(QStringLiteral("relative"))));
}

void TestEnvironmentSettingsWindow::enterOnExistingFolderTakesIt()
{
    Window win;
    QVERIFY(win.open());
    win.typeAndEnter(1, win.other);
    QVERIFY(win.t.messages.shown.isEmpty());
    QCOMPARE(win.paths()[2], win.other);
    QCOMPARE(win.namePanel(0)->caption(), QStringLiteral("別の工事"));
    // Registered as the second entry and selected; leaving the box keeps it.
    QCOMPARE(win.list()->count(), 2);
    QCOMPARE(kojiItemDirectory(win.list()->currentItem()->text()), win.other);
    win.click(win.caption(0));
    QCOMPARE(win.box(1)->text(), win.other);
}

void TestEnvironmentSettingsWindow::treeClickPutsThePathIntoTheActiveBox()
{
    Window win;
    QVERIFY(win.open());
    win.click(win.caption(2));
    QTreeWidgetItem* koji = win.tree()->node(win.path("koji"));
    QVERIFY(koji);
    win.tree()->scrollToItem(koji);
    QTest::mouseClick(win.tree()->viewport(), Qt::LeftButton, {},
                      win.tree()->visualItemRect(koji).center());
    QCOMPARE(win.box(2)->text(), win.path("koji"));
    QCOMPARE(win.paths()[3], win.path("koji"));
    // The box keeps the focus, and the pick survives leaving it.
    QCOMPARE(QApplication::focusWidget(), win.box(2));
    win.click(win.caption(0));
    QCOMPARE(win.box(2)->text(), win.path("koji"));
}

void TestEnvironmentSettingsWindow::pathOver128BytesIsRefused_data()
{
    QTest::addColumn<bool>("picked");
    QTest::newRow("picked in the tree") << true;
    QTest::newRow("typed with Enter") << false;
}

void TestEnvironmentSettingsWindow::pathOver128BytesIsRefused()
{
    QFETCH(bool, picked);
    Window win;
    const QString longPath = win.data + u'/' + QString(130, u'a');
    QVERIFY(QDir().mkpath(longPath));
    QVERIFY(win.open());
    if (picked) {
        QTreeWidgetItem* node = win.tree()->node(longPath);
        QVERIFY(node);
        win.tree()->scrollToItem(node);
        const QRect rect = win.tree()->visualItemRect(node);
        QTest::mouseClick(win.tree()->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + 30, rect.center().y()));
    } else {
        win.typeAndEnter(1, longPath);
    }
    QCOMPARE(win.shownTexts(),
             QStringList{QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + longPath +
                         QStringLiteral("\nパスが１２８バイトを超えるため、このフォルダは指定できません。")});
    QCOMPARE(win.box(1)->text(), win.data);
    win.click(win.button(QStringLiteral("CmdEnd")));
    QVERIFY(!win.w->isVisible());
    QCOMPARE(win.t.readFile("WOMSET").mid(128, 128), fixedField(win.data, 128));
}

void TestEnvironmentSettingsWindow::clickingTheComputerChangesNoPath()
{
    Window win;
    QVERIFY(win.open());
    QTreeWidgetItem* computer = win.tree()->node(FolderTree::ComputerKey);
    win.tree()->scrollToItem(computer);
    QTest::mouseClick(win.tree()->viewport(), Qt::LeftButton, {},
                      win.tree()->visualItemRect(computer).center());
    QCOMPARE(win.box(1)->text(), win.data);
    QCOMPARE(win.paths()[1], win.master);
    QCOMPARE(win.paths()[2], win.data);
    QCOMPARE(win.paths()[3], win.import);
    QCOMPARE(QApplication::focusWidget(), win.box(1));
}

void TestEnvironmentSettingsWindow::importOptionReadsTheImportDirectory()
{
    Window win([](Window& w) {
        writeOverview(w.import, QStringLiteral("意匠の工事"), QStringLiteral("Dkojigai"));
        writeOverview(w.data, QStringLiteral("データ側の意匠"), QStringLiteral("Dkojigai"));
    });
    QVERIFY(win.open());
    win.click(win.child<QRadioButton>(QStringLiteral("Option3D1_1")));
    QCOMPARE(win.namePanel(1)->caption(), QStringLiteral("意匠の工事"));
    win.click(win.caption(2));
    QCOMPARE(win.namePanel(1)->caption(), QStringLiteral("意匠の工事"));
    win.click(win.child<QRadioButton>(QStringLiteral("Option3D1_2")));
    QCOMPARE(win.namePanel(1)->caption(), QString());
}

void TestEnvironmentSettingsWindow::registryPick()
{
    Window win([](Window& w) { w.registerBoth(); });
    QVERIFY(win.open());
    QCOMPARE(win.list()->count(), 2);
    win.clickRow(0);
    QCOMPARE(win.paths()[2], win.other);
    QCOMPARE(win.box(1)->text(), win.other);
    QCOMPARE(win.namePanel(0)->caption(), QStringLiteral("別の工事"));
    QCOMPARE(QApplication::focusWidget(), win.box(1));
    QCOMPARE(win.list()->count(), 2);
    QVERIFY(win.list()->item(0)->isSelected());
}

void TestEnvironmentSettingsWindow::registryDoubleClickIsOk()
{
    Window win([](Window& w) { w.registerBoth(); });
    QVERIFY(win.open());
    // A double click is a click and then the double-click event.
    win.clickRow(0);
    QTest::mouseDClick(win.list()->viewport(), Qt::LeftButton, {}, win.rowPoint(0));
    QTRY_VERIFY(!win.w->isVisible());
    QCOMPARE(win.w->result(), int(QDialog::Accepted));
    QCOMPARE(win.paths()[2], win.other);
    QCOMPARE(win.t.readFile("WOMSET").mid(128, 128), fixedField(win.other, 128));
}

void TestEnvironmentSettingsWindow::hundredthEntryAndTheLimit()
{
    Window win([](Window& w) {
        QByteArray bytes;
        for (int n = 1; n <= 99; ++n) {
            const QString dir = w.path(QStringLiteral("many/%1").arg(n));
            QDir().mkpath(dir);
            bytes += registryRecord(QStringLiteral("工事%1").arg(n), dir);
        }
        bytes.append(256, ' ');
        w.t.writeFile(QStringLiteral("omkojinm"), bytes);
    });
    QVERIFY(win.open());
    QCOMPARE(win.list()->count(), 100);
    QCOMPARE(ByteLeft(win.list()->item(99)->text(), 3), QStringLiteral("00 "));
    QCOMPARE(kojiItemDirectory(win.list()->item(99)->text()), win.data);

    win.typeAndEnter(1, win.other);
    QCOMPARE(win.shownTexts(),
             QStringList{QStringLiteral("工事名称の登録は最大１００個までです。")});
    QCOMPARE(win.t.messages.shown.first().title, QStringLiteral("環境設定"));
    QCOMPARE(win.list()->count(), 100);
    QCOMPARE(win.paths()[2], win.other);
}

void TestEnvironmentSettingsWindow::okStoresPathsRegistryAndMarker()
{
    // An entry whose directory has vanished goes, the rest move up.
    Window win([](Window& w) {
        w.t.writeFile(QStringLiteral("omkojinm"), registryRecord("消えた工事", w.path("gone")) +
                                                      registryRecord("別の工事", w.other) +
                                                      QByteArray(25600 - 512, ' '));
    });
    QVERIFY(win.open());
    win.typeAndEnter(0, win.path("koji"));
    win.click(win.button(QStringLiteral("CmdEnd")));
    QVERIFY(!win.w->isVisible());
    QCOMPARE(win.w->result(), int(QDialog::Accepted));
    QCOMPARE(win.t.readFile("WOMSET"), fixedField(win.path("koji"), 128) +
                                           fixedField(win.data, 128) + fixedField(win.import, 128));
    QCOMPARE(win.t.readFile("WKVSET"), win.t.readFile("WOMSET"));
    const QByteArray registry = win.registry();
    QCOMPARE(registry.size(), 25600);
    QCOMPARE(registry.left(256), registryRecord("別の工事", win.other));
    QCOMPARE(registry.mid(256, 256), registryRecord("港北ビル新築工事", win.data));
    QCOMPARE(registry.mid(512), QByteArray(25600 - 512, ' '));
    QVERIFY(win.t.exists("menu"));
    QVERIFY(!win.t.exists("app"));
}

void TestEnvironmentSettingsWindow::okWithAnEmptyBoxKeepsTheWindowOpen()
{
    Window win;
    QVERIFY(win.open());
    win.box(2)->setText(QString());
    win.click(win.button(QStringLiteral("CmdEnd")));
    QVERIFY(win.w->isVisible());
    QVERIFY(win.t.exists("app"));
    QCOMPARE(win.registry(), QByteArray(25600, ' '));
}

void TestEnvironmentSettingsWindow::cancelRestoresThePaths()
{
    Window win;
    QVERIFY(win.open());
    const QByteArray settings = win.t.readFile("WOMSET");
    win.typeAndEnter(1, win.other);
    win.typeAndEnter(2, win.master);
    QCOMPARE(win.paths()[2], win.other);
    win.click(win.button(QStringLiteral("CmdCancel")));
    QVERIFY(!win.w->isVisible());
    QCOMPARE(win.paths()[2], win.data);
    QCOMPARE(win.paths()[3], win.import);
    QCOMPARE(win.t.readFile("WOMSET"), settings);
    QCOMPARE(win.registry(), QByteArray(25600, ' ')); // cancel does not save the registry
    QVERIFY(win.t.exists("menu"));
}

void TestEnvironmentSettingsWindow::closeBoxStoresPathsAndFreesTheMenu()
{
    Window win;
    QVERIFY(win.open());
    win.typeAndEnter(1, win.other);
    // A blank path keeps the window open.
    win.t.context.drivePath[3] = QStringLiteral("  ");
    win.w->close();
    QVERIFY(win.w->isVisible());
    win.t.context.drivePath[3] = win.import;
    win.w->close();
    QVERIFY(!win.w->isVisible());
    QCOMPARE(win.t.readFile("WOMSET").mid(128, 128), fixedField(win.other, 128));
    QVERIFY(win.t.exists("menu"));
    QVERIFY(!win.t.exists("app"));
}

void TestEnvironmentSettingsWindow::deleteCurrentProject_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("no: only the registration") << int(Msg::ResultNo);
    QTest::newRow("yes: to the recycle bin") << int(Msg::ResultYes);
}

void TestEnvironmentSettingsWindow::deleteCurrentProject()
{
    QFETCH(int, answer);
    Window win;
    QVERIFY(win.open());
    win.answer({Msg::ResultOk, answer});
    win.click(win.button(QStringLiteral("Command3D2")));

    QCOMPARE(win.t.messages.shown.size(), 2);
    const MessageRequest& first = win.t.messages.shown.at(0);
    QCOMPARE(first.text, QStringLiteral("港北ビル新築工事\nの登録を削除します。"));
    QCOMPARE(first.title, QStringLiteral("メインメニュー環境設定"));
    QCOMPARE(first.style, int(Msg::OkCancel));
    const MessageRequest& second = win.t.messages.shown.at(1);
    QCOMPARE(
        second.text,
        QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + win.data + QStringLiteral("\n工事名称:港北ビル新築工事\n\n") +
            QStringLiteral("のデ－タファイル及びディレクトリも削除しますか？\n") +
            QStringLiteral("必要なデ－タであれば、デ－タコピ－でバックアップを取って下さい。''\n"));
    QCOMPARE(second.style, Msg::YesNo + Msg::Exclamation + Msg::Default2);
    QCOMPARE(win.list()->count(), 0);

    const bool deleted = answer == Msg::ResultYes;
    QCOMPARE(QFileInfo(win.data).isDir(), !deleted);
    QCOMPARE(win.t.platform.recycled, deleted ? QStringList{win.data} : QStringList{});
    QCOMPARE(win.box(1)->text(), deleted ? win.path("koji") : win.data);
    QCOMPARE(win.paths()[2], deleted ? win.path("koji") : win.data);
    QCOMPARE(win.button(QStringLiteral("CmdCancel"))->isEnabled(), !deleted);
    QCOMPARE(win.tree()->node(win.data) == nullptr, deleted);
    if (deleted)
        QCOMPARE(win.tree()->currentItem(), win.tree()->node(win.path("koji")));
    // The file changes only with OK.
    QCOMPARE(win.registry(), QByteArray(25600, ' '));
}

void TestEnvironmentSettingsWindow::deleteAnotherEntryAsksOnce()
{
    Window win([](Window& w) { w.registerBoth(); });
    QVERIFY(win.open());
    win.list()->setCurrentRow(0);
    win.answer({Msg::ResultOk});
    win.click(win.button(QStringLiteral("Command3D2")));
    QCOMPARE(win.shownTexts(), QStringList{QStringLiteral("別の工事\nの登録を削除します。")});
    QVERIFY(QFileInfo(win.other).isDir());
    QVERIFY(win.t.platform.recycled.isEmpty());
    QCOMPARE(win.list()->count(), 1);
    QCOMPARE(ByteLeft(win.list()->item(0)->text(), 3), QStringLiteral("01 "));
    QCOMPARE(kojiItemDirectory(win.list()->item(0)->text()), win.data);
}

void TestEnvironmentSettingsWindow::dangerousDeletionsAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("installation directory")
        << "install"
        << "メインメニューのインストール先を含むため削除できません。";
    QTest::newRow("drive root") << "root"
                                << "ドライブのルートディレクトリは削除できません。";
    QTest::newRow("holds the master directory")
        << "master"
        << "マスター用のディレクトリを含むため削除できません。";
    QTest::newRow("holds the import directory") << "import"
                                                << "吸上用のディレクトリを含むため削除できません。";
    QTest::newRow("home directory") << "home"
                                    << "ユーザーのホームディレクトリを含むため削除できません。";
}

void TestEnvironmentSettingsWindow::dangerousDeletionsAreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QByteArray oldHome = qgetenv("HOME");
    QString target;
    Window win([&](Window& w) {
        if (kind == QStringLiteral("install")) {
            target = w.t.dir(); // a first start: every path is the installation directory
            w.master = w.import = target;
        } else if (kind == QStringLiteral("root")) {
            target = w.drive.path();
        } else if (kind == QStringLiteral("master")) {
            target = w.path("koji");
            w.master = w.path("koji/p2");
        } else if (kind == QStringLiteral("import")) {
            target = w.path("koji");
            w.import = w.path("koji/p2");
        } else {
            target = w.data;
            qputenv("HOME", QFile::encodeName(target));
        }
        writeOverview(target, QStringLiteral("危ない工事"));
        w.data = target;
    });
    QVERIFY(win.open());
    QCOMPARE(kojiItemDirectory(win.list()->currentItem()->text()), target);
    win.answer({Msg::ResultOk, Msg::ResultOk});
    win.click(win.button(QStringLiteral("Command3D2")));
    qputenv("HOME", oldHome);

    QCOMPARE(win.t.messages.shown.size(), 2);
    QCOMPARE(win.t.messages.shown.at(1).text,
             QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + target + u'\n' + reason +
                 QStringLiteral("\n工事名称の登録のみ削除します。"));
    QVERIFY(win.t.platform.recycled.isEmpty());
    QVERIFY(QFileInfo(target).isDir());
    QCOMPARE(win.list()->count(), 0);
    QCOMPARE(win.paths()[2], target);
    QVERIFY(win.button(QStringLiteral("CmdCancel"))->isEnabled());
}

void TestEnvironmentSettingsWindow::deleteToTheRealTrash()
{
    // A home of its own on the drive's file system, whose data directory does not
    // exist yet.
    QTemporaryDir home;
    const QString dataHome = home.path() + QStringLiteral("/not-yet/share");
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    qputenv("HOME", QFile::encodeName(home.path()));
    SystemPlatform system;
    Window win([&](Window& w) {
        w.t.context.platform = &system;
        QFile(w.data + QStringLiteral("/kojigai")).copy(w.data + QStringLiteral("/estimate.dat"));
    });
    QVERIFY(win.open());
    win.answer({Msg::ResultOk, Msg::ResultYes});
    win.click(win.button(QStringLiteral("Command3D2")));
    qputenv("XDG_DATA_HOME", oldDataHome);
    qputenv("HOME", oldHome);

    QVERIFY(!QFileInfo::exists(win.data));
    QCOMPARE(win.box(1)->text(), win.path("koji"));
    // In the user's trash, whole, with its record; nothing strewn about.
    const QString trashed = dataHome + QStringLiteral("/Trash/files/p1");
    QVERIFY(QFileInfo(trashed + QStringLiteral("/estimate.dat")).isFile());
    QFile info(dataHome + QStringLiteral("/Trash/info/p1.trashinfo"));
    QVERIFY(info.open(QIODevice::ReadOnly));
    QVERIFY(info.readAll().contains("Path=" + QFile::encodeName(win.data) + '\n'));
    QVERIFY(!QFileInfo::exists(win.t.path("files")));
    QVERIFY(!QFileInfo::exists(win.t.path("info")));
    QCOMPARE(win.t.messages.shown.size(), 2);
}

void TestEnvironmentSettingsWindow::renamingARegisteredFolderRewritesTheRegistry()
{
    Window win([](Window& w) {
        QDir().mkpath(w.data + QStringLiteral("/sub"));
        w.t.writeFile(QStringLiteral("omkojinm"),
                      registryRecord("別の工事", w.other) +
                          registryRecord("港北ビル新築工事", w.data) +
                          registryRecord("下の工事", w.data + QStringLiteral("/sub")) +
                          QByteArray(25600 - 768, ' '));
        writeOverview(w.data + QStringLiteral("/sub"), QStringLiteral("下の工事"));
    });
    QVERIFY(win.open());
    QCOMPARE(win.tree()->currentItem(), win.tree()->node(win.data));
    win.click(win.ribbon(2));
    QLineEdit* editor = win.labelEditor();
    QVERIFY(editor);
    editor->setText(QStringLiteral("p1改"));
    QTest::keyClick(editor, Qt::Key_Return);

    const QString renamed = win.path("koji/p1改");
    QTRY_VERIFY(QFileInfo(renamed).isDir());
    QVERIFY(!QFileInfo::exists(win.data));
    QCOMPARE(win.paths()[2], renamed);
    QCOMPARE(win.box(1)->text(), renamed);
    QCOMPARE(win.tree()->node(renamed)->text(0), QStringLiteral("p1改"));
    QVERIFY(win.tree()->node(renamed + QStringLiteral("/sub")));
    QVERIFY(!win.tree()->node(win.data + QStringLiteral("/sub")));
    // The entry changed in place and the file at once.
    QCOMPARE(kojiItemDirectory(win.list()->item(1)->text()), renamed);
    QVERIFY(win.list()->item(1)->isSelected());
    const QByteArray registry = win.registry();
    QCOMPARE(registry.size(), 25600);
    QCOMPARE(registry.left(256), registryRecord("別の工事", win.other));
    QCOMPARE(registry.mid(256, 256), registryRecord("港北ビル新築工事", renamed));
    QCOMPARE(registry.mid(512, 256), registryRecord("下の工事", renamed + QStringLiteral("/sub")));
}

void TestEnvironmentSettingsWindow::textOutsideCodePageRefused_data()
{
    QTest::addColumn<bool>("rename"); // the tree's label editor, else the data path box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("taken"); // the folder, relative to the drive
    QTest::newRow("path typed") << false << QString::fromUtf8("/pé2") << ""
                                << "koji/p2";
    QTest::newRow("path pasted") << false << "" << QString::fromUtf8("/pü2") << "koji";
    QTest::newRow("name typed") << true << QString::fromUtf8("p1é～") << ""
                                << QString::fromUtf8("koji/p1～");
    QTest::newRow("name pasted") << true << QString::fromUtf8("髙") << QString::fromUtf8("Müller😀")
                                 << QString::fromUtf8("koji/髙");
}

void TestEnvironmentSettingsWindow::textOutsideCodePageRefused()
{
    QFETCH(bool, rename);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, taken);
    Window win;
    QVERIFY(win.open());
    QLineEdit* box = nullptr;
    if (rename) {
        win.click(win.ribbon(2));
        box = win.labelEditor();
        QVERIFY(box);
        box->clear();
    } else {
        win.click(win.caption(1));
        box = win.box(1);
        box->setText(win.path("koji"));
    }
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    const QString path = win.path(taken);
    QCOMPARE(box->text(), rename ? QFileInfo(path).fileName() : path);
    QTest::keyClick(box, Qt::Key_Return);
    if (rename)
        QTRY_VERIFY(!win.tree()->isEditingLabel());
    QVERIFY(win.t.messages.shown.isEmpty());
    QTRY_VERIFY(QFileInfo(path).isDir());
    QCOMPARE(win.paths()[2], path);
}

void TestEnvironmentSettingsWindow::refusedRenameKeepsEverything_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("messages");
    QTest::newRow("name taken") << "p2" << 0;
    // The suite compares names without regard to case.
    QTest::newRow("name taken in other case") << "P2" << 0;
    QTest::newRow("invalid name") << "a/b" << 1;
    // The data path would no longer fit the 128 bytes of WOMSET and the registry.
    QTest::newRow("path over 128 bytes") << QString(130, u'a') << 1;
}

void TestEnvironmentSettingsWindow::suiteFoldersKeepTheirNames_data()
{
    QTest::addColumn<bool>("importInside");
    QTest::addColumn<QString>("reason");
    QTest::newRow("the master directory") << false << "マスター用のディレクトリを含むため名前を変更できません。";
    QTest::newRow("holds the import directory") << true << "吸上用のディレクトリを含むため名前を変更できません。";
}

void TestEnvironmentSettingsWindow::suiteFoldersKeepTheirNames()
{
    QFETCH(bool, importInside);
    QFETCH(QString, reason);
    Window win([&](Window& w) {
        if (importInside) {
            w.import = w.data + QStringLiteral("/imp");
            QDir().mkpath(w.import);
        } else {
            w.data = w.master;
        }
    });
    QVERIFY(win.open());
    QCOMPARE(win.tree()->currentItem(), win.tree()->node(win.data));
    win.click(win.ribbon(2));
    QLineEdit* editor = win.labelEditor();
    QVERIFY(editor);
    editor->setText(QStringLiteral("renamed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!win.tree()->isEditingLabel());
    QCOMPARE(win.t.messages.shown.size(), 1);
    QVERIFY2(win.t.messages.shown.first().text.contains(reason), qPrintable(win.t.messages.shown.first().text));
    QVERIFY(QFileInfo(win.data).isDir());
    QCOMPARE(win.paths()[2], win.data);
}

void TestEnvironmentSettingsWindow::refusedRenameKeepsEverything()
{
    QFETCH(QString, name);
    QFETCH(int, messages);
    Window win;
    QVERIFY(win.open());
    win.click(win.ribbon(2));
    QLineEdit* editor = win.labelEditor();
    QVERIFY(editor);
    editor->setText(name);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!win.tree()->isEditingLabel());
    QCOMPARE(win.t.messages.shown.size(), messages);
    QVERIFY(QFileInfo(win.data).isDir());
    QCOMPARE(win.tree()->node(win.data)->text(0), QStringLiteral("p1"));
    QCOMPARE(win.paths()[2], win.data);
    QCOMPARE(win.registry(), QByteArray(25600, ' '));
}

void TestEnvironmentSettingsWindow::secondNewFolderIsNumbered()
{
    Window win;
    QVERIFY(win.open());
    QTreeWidgetItem* p1 = win.tree()->node(win.data);
    for (int n = 0; n < 2; ++n) {
        win.tree()->selectNode(p1);
        win.click(win.ribbon(1));
        QLineEdit* editor = win.labelEditor();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!win.tree()->isEditingLabel());
    }
    QVERIFY(QFileInfo(win.data + QStringLiteral("/新しいフォルダ")).isDir());
    QVERIFY(QFileInfo(win.data + QStringLiteral("/新しいフォルダ(2)")).isDir());
    QVERIFY(win.tree()->node(win.data + QStringLiteral("/新しいフォルダ(2)")));
    QCOMPARE(p1->childCount(), 2);
    // The new folder became the active box's path.
    QCOMPARE(win.paths()[2], win.data + QStringLiteral("/新しいフォルダ(2)"));
}

void TestEnvironmentSettingsWindow::newFolderThatCannotBeMadeIsReported()
{
    Window win;
    QVERIFY(win.open());
    // The folder vanished behind the window's back.
    QVERIFY(QDir(win.data).removeRecursively());
    QTreeWidgetItem* p1 = win.tree()->node(win.data);
    win.tree()->selectNode(p1);
    win.click(win.ribbon(1));
    QCOMPARE(win.shownTexts(),
             QStringList{QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + win.data +
                         QStringLiteral("\n新しいフォルダを作成できませんでした。")});
    QCOMPARE(p1->childCount(), 0);
    QVERIFY(!win.tree()->isEditingLabel());
}

void TestEnvironmentSettingsWindow::upAndRefreshButtons()
{
    Window win;
    QVERIFY(win.open());
    win.click(win.ribbon(0));
    QCOMPARE(win.tree()->currentItem(), win.tree()->node(win.path("koji")));
    QCOMPARE(win.box(1)->text(), win.path("koji"));
    QCOMPARE(win.paths()[2], win.path("koji"));

    QTreeWidgetItem* desktop = win.tree()->topLevelItem(0);
    win.click(win.ribbon(3));
    QVERIFY(win.tree()->topLevelItem(0) != desktop);
    QCOMPARE(QApplication::focusWidget(), win.box(0));
    QCOMPARE(win.tree()->currentItem(), win.tree()->node(win.master));
}

void TestEnvironmentSettingsWindow::helpShowsFifteenLines()
{
    Window win;
    QVERIFY(win.open());
    win.click(win.button(QStringLiteral("Command3D1")));
    QCOMPARE(win.t.messages.shown.size(), 1);
    const MessageRequest& help = win.t.messages.shown.first();
    QCOMPARE(help.title, QStringLiteral("(Ｈｅｌｐ)"));
    const QStringList lines = help.text.split(u'\n');
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines.at(1), QStringLiteral("(表示されている工事名称からディレクトリを指定する方法)"));
    QCOMPARE(lines.at(13), QStringLiteral("工事名称一覧だけを削除するか、ディレクトリ及びディレクト"
                                          "リ内のファイルを削除するかを選択出来ます｡"));
    QCOMPARE(lines.first(), lines.last());
}

void TestEnvironmentSettingsWindow::anotherLauncherWindowClosesIt()
{
    Window win;
    QVERIFY(win.open());
    win.typeAndEnter(1, win.other);
    QWidget mainWindow;
    mainWindow.show();
    mainWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    QTRY_VERIFY(!win.w->isVisible());
    // Closed as by its close box: paths stored, registry not, menu free.
    QCOMPARE(win.t.readFile("WOMSET").mid(128, 128), fixedField(win.other, 128));
    QCOMPARE(win.registry(), QByteArray(25600, ' '));
    QVERIFY(win.t.exists("menu"));
}

void TestEnvironmentSettingsWindow::ownDialogsDoNotCloseIt()
{
    Window win;
    QVERIFY(win.open());
    QTreeWidgetItem* desktop = win.tree()->topLevelItem(0);
    QDialog box(win.w.get());
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.close();
    win.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
    QVERIFY(win.w->isVisible());
    // No second activation: the tree was not rebuilt, the focus is where it was.
    QCOMPARE(win.tree()->topLevelItem(0), desktop);
    QCOMPARE(QApplication::focusWidget(), win.box(1));
    QVERIFY(win.t.exists("app"));
}

void TestEnvironmentSettingsWindow::modalWindowStaysWhateverTakesTheFocus()
{
    // Opened from the slot panel: while it is modal, focus that the system
    // hands to the main window is no deactivation.
    Window win;
    QWidget mainWindow;
    mainWindow.show();
    win.w = std::make_unique<EnvironmentSettingsWindow>(win.t.context, nullptr);
    win.w->setWindowModality(Qt::ApplicationModal);
    win.w->show();
    win.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
    QVERIFY(QTest::qWaitFor([&] { return win.box(1)->text() == win.data; }));
    mainWindow.windowHandle()->requestActivate();
    QCoreApplication::processEvents();
    QVERIFY(win.w->isVisible());
    QVERIFY(win.t.exists("app"));
}

QTEST_MAIN(TestEnvironmentSettingsWindow)
#include "tst_environmentsettingswindow.moc"
