// The picture picker pre_view: where it opens, its three lists, the preview and
// the result backimagefile.

#include "common/fileerror.h"
#include "common/messagebox.h"
#include "common/twips.h"
#include "common/backgrounds.h"
#include "prefs/picturepickerdialog.h"
#include "testcontext.h"
#include "widgets/commandbutton.h"
#include "widgets/picturebox.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace lc;
using lc::test::TestContext;

namespace {

void writePicture(const TestContext& t, const QString& name, const char* format = "JPG")
{
    QImage image(QSize(16, 12), QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QDir().mkpath(QFileInfo(t.path(name)).path());
    QVERIFY(image.save(t.path(name), format));
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

struct Picker
{
    PicturePickerDialog view;

    Picker(TestContext& t, int backImageNo, const QString& backImageText)
        : view(t.context, backImageNo, backImageText, nullptr)
    {
        view.show();
    }
    template <typename T = QWidget> T* control(const QString& name) const
    {
        return view.findChild<T*>(name);
    }
    QListWidget* files() const { return control<QListWidget>(QStringLiteral("File1")); }
    QTreeWidget* folders() const { return control<QTreeWidget>(QStringLiteral("Dir1")); }
    QComboBox* drives() const { return control<QComboBox>(QStringLiteral("Drive1")); }
    PictureBox* preview() const { return control<PictureBox>(QStringLiteral("Image1")); }
    QStringList fileNames() const
    {
        QStringList names;
        for (int i = 0; i < files()->count(); ++i)
            names.append(files()->item(i)->text());
        return names;
    }
    QString selected() const
    {
        const QList<QListWidgetItem*> items = files()->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    }
    void select(const QString& name) const
    {
        const QList<QListWidgetItem*> found = files()->findItems(name, Qt::MatchFixedString);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        // A click on the entry, as the user makes it.
        const QRect r = files()->visualItemRect(found.first());
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, r.center());
    }
    void activateFolder(const QString& path) const
    {
        for (QTreeWidgetItemIterator it(folders()); *it; ++it) {
            if (QDir::cleanPath((*it)->data(0, Qt::UserRole).toString()) == QDir::cleanPath(path)) {
                Q_EMIT folders()->itemActivated(*it, 0);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no folder ") + path));
    }
    void press(int index) const
    {
        QTest::mouseClick(control(QStringLiteral("SSCommand1_%1").arg(index)), Qt::LeftButton);
    }
};

} // namespace

class TestPicturePickerDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout();
    void stockPreselection_data();
    void stockPreselection();
    void ownFilePreselection();
    void ownFileNotInFolder();
    void ownFolderGone_data();
    void ownFolderGone();
    void filePattern();
    void clickPreviewsAndOpenReturnsPath();
    void cancelLeavesResultEmpty();
    void openWithoutFileActsAsCancel();
    void folderListFollowsAndLeads();
    void driveList();
    void unreachableDriveKeepsFolder();
    void unreadableFileReported();
};

void TestPicturePickerDialog::layout()
{
    TestContext t;
    Picker p(t, 12, QStringLiteral("om"));
    QCOMPARE(p.view.objectName(), QStringLiteral("pre_view"));
    QCOMPARE(p.view.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(p.view.size(), twips::size(7785, 3240));
    QVERIFY(p.view.isModal());
    QCOMPARE(p.drives()->geometry(), twips::rect(120, 120, 2175, 300));
    QCOMPARE(p.folders()->geometry(), twips::rect(120, 600, 2175, 1770));
    QCOMPARE(p.files()->geometry(), twips::rect(2400, 120, 2055, 2250));
    QCOMPARE(p.preview()->geometry(), twips::rect(4560, 120, 3060, 2295));
    QVERIFY(p.preview()->stretch());
    auto* open = p.control<CommandButton>(QStringLiteral("SSCommand1_0"));
    auto* cancel = p.control<CommandButton>(QStringLiteral("SSCommand1_1"));
    QCOMPARE(open->text(), QStringLiteral("開く"));
    QCOMPARE(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    QCOMPARE(open->geometry(), twips::rect(4440, 2640, 1575, 495));
    QCOMPARE(cancel->geometry(), twips::rect(6000, 2640, 1575, 495));
    auto* result = p.control<QLabel>(QStringLiteral("backimagefile"));
    QVERIFY(result);
    QVERIFY(result->isHidden());
    QVERIFY(result->text().isEmpty());
}

void TestPicturePickerDialog::stockPreselection_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("selected");
    QTest::newRow("picture 12") << 12 << "image12.jpg"
                                << "image12.jpg";
    QTest::newRow("any letter case") << 12 << "IMAGE12.JPG"
                                     << "IMAGE12.JPG";
    QTest::newRow("picture 0") << 0 << "image0.jpg"
                               << "image0.jpg";
    QTest::newRow("not in the folder") << 5 << "image12.jpg"
                                       << "";
    QTest::newRow("colour") << 50 << "image12.jpg"
                            << "";
}

void TestPicturePickerDialog::stockPreselection()
{
    QFETCH(int, number);
    QFETCH(QString, stored);
    QFETCH(QString, selected);
    TestContext t;
    writePicture(t, QStringLiteral("bmp/") + stored);
    writePicture(t, QStringLiteral("bmp/image3.jpg"));
    Picker p(t, number, QStringLiteral("om"));

    const QString bmp = t.path(QStringLiteral("bmp"));
    QCOMPARE(p.view.folder(), bmp);
    QCOMPARE(p.selected(), selected);
    QCOMPARE(p.preview()->hasPicture(), !selected.isEmpty());
    QCOMPARE(p.view.currentFolder(), selected.isEmpty() ? QString() : native(bmp));
    QCOMPARE(p.drives()->currentData().toString(), t.platform.driveOf(bmp));
    QVERIFY(p.view.backimagefile().isEmpty());
    QVERIFY(t.messages.shown.isEmpty());
}

void TestPicturePickerDialog::ownFilePreselection()
{
    TestContext t;
    t.platform.roots = {QStringLiteral("/"), t.dir()};
    t.platform.labels.insert(t.dir(), QStringLiteral("DATA"));
    writePicture(t, QStringLiteral("pics/a.bmp"), "BMP");
    writePicture(t, QStringLiteral("pics/b.jpg"));
    const QString own = native(t.path(QStringLiteral("pics/a.bmp")));
    Picker p(t, 99, own);
    QCOMPARE(p.drives()->currentData().toString(), t.dir());
    QCOMPARE(p.drives()->currentText(), native(t.dir()) + QStringLiteral(" [DATA]"));
    QCOMPARE(p.view.folder(), t.path(QStringLiteral("pics")));
    QCOMPARE(p.selected(), QStringLiteral("a.bmp"));
    QCOMPARE(p.view.currentFolder(), native(t.path(QStringLiteral("pics"))));
    QVERIFY(p.preview()->hasPicture());
    p.press(0);
    QCOMPARE(p.view.result(), int(QDialog::Accepted));
    QCOMPARE(p.view.backimagefile(), own);
}

void TestPicturePickerDialog::ownFileNotInFolder()
{
    TestContext t;
    writePicture(t, QStringLiteral("pics/b.jpg"));
    Picker p(t, 99, native(t.path(QStringLiteral("pics/a.bmp"))));
    QCOMPARE(p.view.folder(), t.path(QStringLiteral("pics")));
    QCOMPARE(p.fileNames(), QStringList{QStringLiteral("b.jpg")});
    QVERIFY(p.selected().isEmpty());
    QVERIFY(p.view.currentFolder().isEmpty());
    QVERIFY(!p.preview()->hasPicture());
}

void TestPicturePickerDialog::ownFolderGone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opens");
    QTest::newRow("folder deleted") << "$DIR/pics/old/deeper/a.bmp"
                                    << "$DIR/pics";
    QTest::newRow("no folder in the text") << "a.bmp"
                                           << "$DIR/bmp";
    QTest::newRow("empty text") << ""
                                << "$DIR/bmp";
}

void TestPicturePickerDialog::ownFolderGone()
{
    QFETCH(QString, text);
    QFETCH(QString, opens);
    TestContext t;
    writePicture(t, QStringLiteral("pics/a.bmp"), "BMP");
    writePicture(t, QStringLiteral("bmp/a.bmp"), "BMP");
    text.replace(QStringLiteral("$DIR"), t.dir());
    opens.replace(QStringLiteral("$DIR"), t.dir());
    Picker p(t, 99, text);
    QCOMPARE(p.view.folder(), opens);
    // The file is looked for only in its own folder.
    QVERIFY(p.selected().isEmpty());
    QVERIFY(!p.preview()->hasPicture());
}

void TestPicturePickerDialog::filePattern()
{
    TestContext t;
    for (const char* name :
         {"b.bmp", "a.JPG", "e.Bmp", "c.png", "d.jpeg", "f.jpg.txt", ".hidden.jpg", "Z.jpg"})
        t.writeFile(QStringLiteral("pics/") + QString::fromLatin1(name), "x");
    QDir().mkpath(t.path(QStringLiteral("pics/folder.jpg")));
    Picker p(t, 99, native(t.path(QStringLiteral("pics/none.jpg"))));
    QCOMPARE(p.fileNames(), (QStringList{"a.JPG", "b.bmp", "e.Bmp", "Z.jpg"}));
}

void TestPicturePickerDialog::clickPreviewsAndOpenReturnsPath()
{
    TestContext t;
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    writePicture(t, QStringLiteral("bmp/画像２.jpg"));
    Picker p(t, 12, QStringLiteral("om"));
    p.select(QStringLiteral("画像２.jpg"));
    QCOMPARE(p.selected(), QStringLiteral("画像２.jpg"));
    QVERIFY(p.preview()->hasPicture());
    p.press(0);
    QCOMPARE(p.view.result(), int(QDialog::Accepted));
    QVERIFY(p.view.isHidden());
    QCOMPARE(p.view.backimagefile(), native(t.path(QStringLiteral("bmp/画像２.jpg"))));
}

void TestPicturePickerDialog::cancelLeavesResultEmpty()
{
    TestContext t;
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    writePicture(t, QStringLiteral("bmp/image3.jpg"));
    Picker p(t, 12, QStringLiteral("om"));
    p.select(QStringLiteral("image3.jpg"));
    QVERIFY(p.preview()->hasPicture());
    p.press(1);
    QCOMPARE(p.view.result(), int(QDialog::Rejected));
    QVERIFY(p.view.isHidden());
    QVERIFY(p.view.backimagefile().isEmpty());
}

void TestPicturePickerDialog::openWithoutFileActsAsCancel()
{
    TestContext t;
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    writePicture(t, QStringLiteral("other/x.jpg"));
    Picker p(t, 12, QStringLiteral("om"));
    QVERIFY(!p.selected().isEmpty());
    // Another folder, no entry clicked in it.
    p.activateFolder(t.dir());
    p.activateFolder(t.path(QStringLiteral("other")));
    QCOMPARE(p.fileNames(), QStringList{QStringLiteral("x.jpg")});
    QVERIFY(p.selected().isEmpty());
    p.press(0);
    QCOMPARE(p.view.result(), int(QDialog::Rejected));
    QVERIFY(p.view.backimagefile().isEmpty());
}

void TestPicturePickerDialog::folderListFollowsAndLeads()
{
    TestContext t;
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    QDir().mkpath(t.path(QStringLiteral("bmp/Zeta")));
    QDir().mkpath(t.path(QStringLiteral("bmp/alpha")));
    Picker p(t, 12, QStringLiteral("om"));
    // The open folders down to the current one, then its subfolders in order.
    QTreeWidgetItem* current = p.folders()->currentItem();
    QVERIFY(current);
    QCOMPARE(QDir::cleanPath(current->data(0, Qt::UserRole).toString()),
             t.path(QStringLiteral("bmp")));
    QCOMPARE(current->childCount(), 2);
    QCOMPARE(current->child(0)->text(0), QStringLiteral("alpha"));
    QCOMPARE(current->child(1)->text(0), QStringLiteral("Zeta"));
    QCOMPARE(current->parent()->text(0), QFileInfo(t.dir()).fileName());

    p.activateFolder(t.path(QStringLiteral("bmp/alpha")));
    QCOMPARE(p.view.folder(), t.path(QStringLiteral("bmp/alpha")));
    QVERIFY(p.fileNames().isEmpty());
    p.activateFolder(t.path(QStringLiteral("bmp")));
    QCOMPARE(p.fileNames(), QStringList{QStringLiteral("image12.jpg")});
}

void TestPicturePickerDialog::driveList()
{
    TestContext t;
    QDir().mkpath(t.path(QStringLiteral("vol/sub")));
    writePicture(t, QStringLiteral("vol/v.jpg"));
    const QString vol = t.path(QStringLiteral("vol"));
    t.platform.roots = {QStringLiteral("/"), vol};
    t.platform.labels.insert(vol, QStringLiteral("USB"));
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    Picker p(t, 12, QStringLiteral("om"));
    QCOMPARE(p.drives()->count(), 2);
    QCOMPARE(p.drives()->itemText(0), native(QStringLiteral("/")));
    QCOMPARE(p.drives()->itemText(1), native(vol) + QStringLiteral(" [USB]"));
    QCOMPARE(p.drives()->currentIndex(), 0);

    p.drives()->setCurrentIndex(1);
    Q_EMIT p.drives()->activated(1);
    QCOMPARE(p.view.folder(), vol);
    QCOMPARE(p.fileNames(), QStringList{QStringLiteral("v.jpg")});
    // The folder list starts at the drive's root.
    QCOMPARE(p.folders()->topLevelItemCount(), 1);
    QCOMPARE(QDir::cleanPath(p.folders()->topLevelItem(0)->data(0, Qt::UserRole).toString()), vol);
    QCOMPARE(p.folders()->topLevelItem(0)->child(0)->text(0), QStringLiteral("sub"));
}

void TestPicturePickerDialog::unreachableDriveKeepsFolder()
{
    TestContext t;
    const QString cd = QStringLiteral("/media/cdrom-not-here");
    t.platform.roots = {QStringLiteral("/"), cd};
    t.platform.directoryCheck = [cd](const QString& path) {
        return QDir::cleanPath(path) == cd ? FileError::DiskNotReady : FileError::None;
    };
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    Picker p(t, 12, QStringLiteral("om"));
    t.messages.answers.enqueue(Msg::ResultRetry);
    t.messages.answers.enqueue(Msg::ResultCancel);
    p.drives()->setCurrentIndex(1);
    Q_EMIT p.drives()->activated(1);
    // Asked twice (Retry, then Cancel), and the lists stay where they were.
    QCOMPARE(t.messages.shown.size(), 2);
    QCOMPARE(p.drives()->currentIndex(), 0);
    QCOMPARE(p.view.folder(), t.path(QStringLiteral("bmp")));
    QCOMPARE(p.selected(), QStringLiteral("image12.jpg"));
}

void TestPicturePickerDialog::unreadableFileReported()
{
    TestContext t;
    writePicture(t, QStringLiteral("bmp/image12.jpg"));
    t.writeFile(QStringLiteral("bmp/broken.jpg"), "not a picture");
    Picker p(t, 12, QStringLiteral("om"));
    QVERIFY(p.preview()->hasPicture());
    p.select(QStringLiteral("broken.jpg"));
    QCOMPARE(t.messages.shown.size(), 1);
    QCOMPARE(t.messages.shown.first().text, unreadableChoiceText());
    QCOMPARE(t.messages.shown.first().title,
             pictureErrorTitle(native(t.path(QStringLiteral("bmp/broken.jpg")))));
    QVERIFY(!p.preview()->hasPicture());
    // "開く" on it reports it again and the picker stays open.
    p.press(0);
    QCOMPARE(t.messages.shown.size(), 2);
    QVERIFY(p.view.isVisible());
    QVERIFY(p.view.backimagefile().isEmpty());
    p.select(QStringLiteral("image12.jpg"));
    p.press(0);
    QCOMPARE(p.view.backimagefile(), native(t.path(QStringLiteral("bmp/image12.jpg"))));
}

QTEST_MAIN(TestPicturePickerDialog)
#include "tst_picturepickerdialog.moc"
