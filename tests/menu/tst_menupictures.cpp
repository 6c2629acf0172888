// The background and seasonal pictures on a stand-in main window: the start-up
// steps, the picker panel and its handlers, and BackImg as they leave it.

#include "common/codepage.h"
#include "common/messagebox.h"
#include "common/twips.h"
#include "common/backgrounds.h"
#include "menu/eventtable.h"
#include "menu/menupictures.h"
#include "menu/menushared.h"
#include "prefs/picturepickerdialog.h"
#include "testcontext.h"
#include "widgets/builtinimages.h"
#include "widgets/commandbutton.h"
#include "widgets/panel3d.h"
#include "widgets/pictureart.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <functional>
#include <memory>

using namespace lc;
using lc::test::TestContext;

namespace {

const QSize PictureSize(40, 30);
const QRect FullWindow = twips::rect(0, 0, 11900, 8200);

// The main window's picture controls, placed as the main window places them.
struct MenuWindow
{
    QWidget window;
    PictureBox* Image2 = nullptr;
    PictureBox* Image3 = nullptr;
    PictureBox* Image4 = nullptr;
    std::array<PictureBox*, 3> Picture1{};
    Panel3D* SSPanel2 = nullptr;
    MenuShared shared;
    MenuPictures* pictures = nullptr;

    explicit MenuWindow(TestContext& t)
    {
        window.setFixedSize(twips::size(11880, 8070));
        setBackgroundColor(&window, 0);
        Image3 = new PictureBox(&window);
        Image3->setObjectName(QStringLiteral("Image3"));
        Image3->setGeometry(twips::rect(-30, 0, 11895, 8205));
        Image3->hide();
        Image4 = new PictureBox(&window);
        Image4->setObjectName(QStringLiteral("Image4"));
        Image4->setGeometry(twips::rect(9600, 1200, 1335, 1650));
        Image4->setPicture(builtinImage(BuiltinImage::Overlay));
        Image4->hide();
        Image2 = new PictureBox(&window);
        Image2->setGeometry(twips::rect(9840, 7320, 1980, 690));
        const double boxes[3][4] = {
            {4000, 1100, 2565, 495}, {4500, 1600, 2565, 525}, {5000, 2100, 2520, 495}};
        for (int n = 0; n < 3; ++n) {
            Picture1[n] = new PictureBox(&window);
            Picture1[n]->setObjectName(QStringLiteral("Picture1_%1").arg(n + 1));
            Picture1[n]->setGeometry(
                twips::rect(boxes[n][0], boxes[n][1], boxes[n][2], boxes[n][3]));
            Picture1[n]->hide();
        }
        SSPanel2 = new Panel3D(&window);
        SSPanel2->setObjectName(QStringLiteral("SSPanel2"));
        SSPanel2->setGeometry(twips::rect(4440, 1680, 5295, 5025));
        SSPanel2->hide();
        MenuPictureControls controls;
        controls.window = &window;
        controls.cornerPicture = Image2;
        controls.background = Image3;
        controls.backgroundOverlay = Image4;
        controls.seasonalPictures = Picture1;
        controls.pickerPanel = SSPanel2;
        pictures = new MenuPictures(t.context, shared, controls, &window);
        window.show();
    }

    template <typename T = QWidget> T* control(const QString& name) const
    {
        return window.findChild<T*>(name);
    }
    void click(const QString& name) const
    {
        QWidget* w = control(name);
        QVERIFY2(w, qPrintable(name));
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }
    quint32 colour() const { return backgroundColor(&window); }
    int visibleBoxes() const
    {
        int n = 0;
        for (PictureBox* box : Picture1)
            n += box->isHidden() ? 0 : 1;
        return n;
    }
};

void writePicture(const TestContext& t, const QString& name, QSize size, const char* format,
                  QColor colour = Qt::gray)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QDir().mkpath(QFileInfo(t.path(name)).path());
    QVERIFY(image.save(t.path(name), format));
}

void installBuiltinPictures(const TestContext& t)
{
    for (int n = 0; n <= 33; ++n) {
        if (n != 8 && n != 9)
            writePicture(t, QStringLiteral("bmp/image%1.jpg").arg(n), PictureSize, "JPG");
    }
}

// Runs act on the picture picker once it is shown modally.
void whenPickerShown(std::function<void(PicturePickerDialog*)> act, int attempts = 50)
{
    QTimer::singleShot(0, qApp, [act, attempts] {
        auto* picker = qobject_cast<PicturePickerDialog*>(QApplication::activeModalWidget());
        if (picker) {
            act(picker);
            // A failed check inside act must not leave the test waiting.
            if (picker->isVisible())
                picker->reject();
        } else if (attempts > 0) {
            whenPickerShown(act, attempts - 1);
        }
    });
}

// Opens folder in the picker's folder list as the user would, through the
// folders above it.
bool openFolderInPicker(PicturePickerDialog* picker, const QString& folder)
{
    auto* dirs = picker->findChild<QTreeWidget*>(QStringLiteral("Dir1"));
    if (!dirs)
        return false;
    auto find = [dirs](const QString& path) -> QTreeWidgetItem* {
        for (QTreeWidgetItemIterator it(dirs); *it; ++it) {
            if (QDir::cleanPath((*it)->data(0, Qt::UserRole).toString()) == QDir::cleanPath(path))
                return *it;
        }
        return nullptr;
    };
    QTreeWidgetItem* item = find(folder);
    if (!item) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder || !openFolderInPicker(picker, parent))
            return false;
        item = find(folder);
    }
    if (!item)
        return false;
    Q_EMIT dirs->itemActivated(item, 0);
    return QDir::cleanPath(picker->folder()) == QDir::cleanPath(folder);
}

void chooseInPicker(PicturePickerDialog* picker, const QString& fileName)
{
    auto* files = picker->findChild<QListWidget*>(QStringLiteral("File1"));
    if (!files) {
        picker->reject();
        return;
    }
    const QList<QListWidgetItem*> found = files->findItems(fileName, Qt::MatchFixedString);
    if (!found.isEmpty())
        files->setCurrentItem(found.first(), QItemSelectionModel::ClearAndSelect);
    picker->findChild<CommandButton*>(QStringLiteral("SSCommand1_0"))->click();
}

} // namespace

class TestMenuPictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startupBackground_data();
    void startupBackground();
    void missingOwnPictureMessage();
    void pictureNamesInAnyCase();
    void seasonalStep_data();
    void seasonalStep();
    void seasonalBoxesHiddenWithoutMatch();
    void seasonalBoxHiddenByClick();

    void pickerPanelLayout();
    void thumbnailPlacement_data();
    void thumbnailPlacement();
    void thumbnailOfShownBackgroundChangesNothing();
    void thumbnailThatCannotBeShown_data();
    void thumbnailThatCannotBeShown();
    void thumbnailThenCloseWritesOnce();
    void swatchThenClose_data();
    void swatchThenClose();
    void pageToggle();
    void referenceChoosesOwnPicture();
    void referenceCancelled();
    void ownPictureAgainAfterBuiltin();
    void fallbackStoresZeroOnClose();
    void closeWhenBackImgCannotBeWritten();

    void builtinPicturesSitWell();
    void randomFilesNeverCrash();
};

// ---------------------------------------------------------------------------
// Start-up

void TestMenuPictures::startupBackground_data()
{
    QTest::addColumn<QByteArray>("backImg"); // null: no file
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("broken");
    QTest::addColumn<bool>("image3");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("stretched");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("overlay");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("backNo");
    QTest::addColumn<QString>("backText");
    QTest::addColumn<int>("savedNo");

    const QStringList none;
    const QRect any;
    QTest::newRow("no BackImg: picture 12")
        << QByteArray() << none << none << true << QRect(40, 8, 40, 30) << false << true << false
        << 0u << 0 << 12 << "om" << 12;
    QTest::newRow("empty BackImg") << QByteArray("") << none << none << true << QRect(40, 8, 40, 30)
                                   << false << true << false << 0u << 0 << 12 << "om" << 12;
    QTest::newRow("damaged BackImg")
        << QByteArray("x\x01,\"") << none << none << true << QRect(40, 8, 40, 30) << false << true
        << false << 0u << 0 << 12 << "om" << 12;
    QTest::newRow("0 with the overlay")
        << QByteArray("0,\"OM\"\r\n") << none << none << true << FullWindow << true << true << true
        << 0u << 0 << 0 << "OM" << 0;
    QTest::newRow("1 with the overlay")
        << QByteArray("1,\"OM\"\r\n") << none << none << true << FullWindow << true << true << true
        << 0u << 0 << 1 << "OM" << 1;
    QTest::newRow("5 stretched") << QByteArray("5,\"OM\"\r\n") << none << none << true << FullWindow
                                 << true << true << false << 0u << 0 << 5 << "OM" << 5;
    QTest::newRow("10 natural") << QByteArray("10,\"OM\"\r\n") << none << none << true
                                << QRect(353, 33, 40, 30) << false << true << false << 0u << 0 << 10
                                << "OM" << 10;
    QTest::newRow("11 natural") << QByteArray("11,\"OM\"\r\n") << none << none << true
                                << QRect(296, -16, 40, 30) << false << true << false << 0u << 0
                                << 11 << "OM" << 11;
    QTest::newRow("13 enlarged") << QByteArray("13,\"OM\"\r\n") << none << none << true
                                 << QRect(320, 88, 60, 45) << true << true << false << 0u << 0 << 13
                                 << "OM" << 13;
    QTest::newRow("26 enlarged at start-up")
        << QByteArray("26,\"OM\"\r\n") << none << none << true << QRect(320, 88, 60, 45) << true
        << true << false << 0u << 0 << 26 << "OM" << 26;
    QTest::newRow("50 red") << QByteArray("50,\"255\"\r\n") << none << none << false << any << false
                            << false << false << 0x0000FFu << 0 << 50 << "255" << 50;
    QTest::newRow("50 not a number keeps black")
        << QByteArray("50,\"white\"\r\n") << none << none << false << any << false << false << false
        << 0u << 0 << 50 << "white" << 50;
    QTest::newRow("8 black") << QByteArray("8,\"OM\"\r\n") << none << none << false << any << false
                             << false << false << 0u << 0 << 8 << "OM" << 8;
    QTest::newRow("40 black") << QByteArray("40,\"OM\"\r\n") << none << none << false << any
                              << false << false << false << 0u << 0 << 40 << "OM" << 40;
    QTest::newRow("99 own picture")
        << QByteArray("99,\"$DIR/own/a.jpg\"\r\n") << none << none << true << FullWindow << true
        << true << false << 0u << 0 << 99 << "$DIR/own/a.jpg" << 99;
    QTest::newRow("99 missing: background 0")
        << QByteArray("99,\"$DIR/gone.jpg\"\r\n") << none << none << true << FullWindow << true
        << true << true << 0u << 1 << 0 << "om" << 99;
    QTest::newRow("99 unreadable: background 0")
        << QByteArray("99,\"$DIR/own/broken.jpg\"\r\n") << none << QStringList{"own/broken.jpg"}
        << true << FullWindow << true << true << true << 0u << 1 << 0 << "om" << 99;
    QTest::newRow("built-in picture missing")
        << QByteArray("5,\"OM\"\r\n") << QStringList{"bmp/image5.jpg"} << none << true << FullWindow
        << true << false << false << 0u << 0 << 5 << "OM" << 5;
    QTest::newRow("built-in picture unreadable")
        << QByteArray() << none << QStringList{"bmp/image12.jpg"} << true << any << false << false
        << false << 0u << 1 << 12 << "om" << 12;
}

void TestMenuPictures::startupBackground()
{
    QFETCH(QByteArray, backImg);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, broken);
    QFETCH(bool, image3);
    QFETCH(QRect, geometry);
    QFETCH(bool, stretched);
    QFETCH(bool, picture);
    QFETCH(bool, overlay);
    QFETCH(quint32, colour);
    QFETCH(int, messages);
    QFETCH(int, backNo);
    QFETCH(QString, backText);
    QFETCH(int, savedNo);

    TestContext t;
    installBuiltinPictures(t);
    writePicture(t, QStringLiteral("own/a.jpg"), QSize(20, 20), "JPG");
    for (const QString& name : missing)
        QFile::remove(t.path(name));
    for (const QString& name : broken)
        t.writeFile(name, "not a picture");
    if (!backImg.isNull())
        t.writeFile(QStringLiteral("BackImg"), backImg.replace("$DIR", toCodePage(t.dir())));
    backText.replace(QStringLiteral("$DIR"), t.dir());

    MenuWindow w(t);
    w.pictures->backgroundStep();

    QCOMPARE(!w.Image3->isHidden(), image3);
    if (geometry.isValid())
        QCOMPARE(w.Image3->geometry(), geometry);
    if (image3) {
        QCOMPARE(w.Image3->stretch(), stretched);
        QCOMPARE(w.Image3->hasPicture(), picture);
    }
    QCOMPARE(!w.Image4->isHidden(), overlay);
    if (overlay) {
        // The overlay stands in front of the background.
        const QObjectList order = w.window.children();
        QVERIFY(order.indexOf(w.Image4) > order.indexOf(w.Image3));
    }
    QCOMPARE(w.colour(), colour);
    QCOMPARE(t.messages.shown.size(), messages);
    QCOMPARE(w.shared.BackImageNo, backNo);
    QCOMPARE(w.shared.BackImageText, backText);
    QCOMPARE(w.shared.SavedImageNo, savedNo);
    // Start-up never writes BackImg.
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), backImg.isNull() ? QByteArray() : backImg);
}

void TestMenuPictures::missingOwnPictureMessage()
{
    TestContext t;
    installBuiltinPictures(t);
    const QString path = t.path(QStringLiteral("写真/なし.jpg"));
    t.writeFile(QStringLiteral("BackImg"), "99,\"" + toCodePage(path) + "\"\r\n");
    MenuWindow w(t);
    w.pictures->backgroundStep();
    QCOMPARE(t.messages.shown.size(), 1);
    const MessageRequest& box = t.messages.shown.first();
    QCOMPARE(box.text, QStringLiteral("登録されている画像ファイルが、見当たりません。\n\n　　標準画"
                                      "像ファイルを設定して実行します。"));
    QCOMPARE(box.title,
             QStringLiteral("画像ファイル(") + path + QStringLiteral(") 読み込みエラー"));
    QCOMPARE(box.buttons(), Msg::Ok);
    QCOMPARE(w.shared.SavedImageText, path);
}

void TestMenuPictures::pictureNamesInAnyCase()
{
    TestContext t;
    writePicture(t, QStringLiteral("BMP/IMAGE3.JPG"), PictureSize, "JPG");
    t.writeFile(QStringLiteral("BackImg"), "3,\"OM\"\r\n");
    MenuWindow w(t);
    w.pictures->backgroundStep();
    QVERIFY(w.Image3->hasPicture());
    QVERIFY(t.messages.shown.isEmpty());
}

void TestMenuPictures::seasonalStep_data()
{
    QTest::addColumn<QByteArray>("table"); // null: no event_tbl
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("shown"); // per visible box; "" for an empty box

    QTest::newRow("no table, not even on a computed weekend")
        << QByteArray() << QDate(2023, 1, 7) << QStringList();
    QTest::newRow("empty table: computed January weekend")
        << QByteArray("") << QDate(2023, 1, 7) << QStringList{"view02"};
    QTest::newRow("empty table: day after the weekend")
        << QByteArray("") << QDate(2023, 1, 9) << QStringList();
    QTest::newRow("empty table: November Saturday")
        << QByteArray("") << QDate(2025, 11, 14) << QStringList{"view16"};
    QTest::newRow("empty table: not the 13th then")
        << QByteArray("") << QDate(2025, 11, 13) << QStringList();
    QTest::newRow("empty table: March") << QByteArray("") << QDate(2026, 3, 8) << QStringList();
    QTest::newRow("last field lost")
        << QByteArray("\"0101a\"\r\n\"0102b\"\r\n") << QDate(2026, 1, 2) << QStringList();
    QTest::newRow("first field kept")
        << QByteArray("\"0101a\"\r\n\"0102b\"\r\n") << QDate(2026, 1, 1) << QStringList{"a"};
    QTest::newRow("two rows in row order") << QByteArray("\"1208b\",\"0101a\",\"1208a\",999\r\n")
                                           << QDate(2026, 12, 8) << QStringList{"b", "a"};
    QTest::newRow("table rows before computed rows")
        << QByteArray("\"0106a\"\r\n999\r\n") << QDate(2023, 1, 6) << QStringList{"a", "view02"};
    QTest::newRow("at most three") << QByteArray("\"1208a\",\"1208b\",\"1208c\",\"1208d\",999")
                                   << QDate(2026, 12, 8) << QStringList{"a", "b", "c"};
    QTest::newRow("missing bitmap leaves an empty box")
        << QByteArray("\"1208zz\",\"1208a\",999") << QDate(2026, 12, 8) << QStringList{"", "a"};
    QTest::newRow("name reaching out of the folder")
        << QByteArray("\"1208..\\\\a\",999") << QDate(2026, 12, 8) << QStringList{""};
    QTest::newRow("name in any case")
        << QByteArray("\"1208A\",999") << QDate(2026, 12, 8) << QStringList{"a"};
}

void TestMenuPictures::seasonalStep()
{
    QFETCH(QByteArray, table);
    QFETCH(QDate, today);
    QFETCH(QStringList, shown);

    TestContext t(today);
    // Each bitmap has a width of its own, so the box tells which one it shows.
    const QStringList names = {"a", "b", "c", "d", "view02", "view16"};
    for (int i = 0; i < names.size(); ++i)
        writePicture(t, QStringLiteral("event/%1.bmp").arg(names[i]), QSize(10 + i, 5), "BMP");
    writePicture(t, QStringLiteral("a.bmp"), QSize(99, 5), "BMP");
    if (!table.isNull())
        t.writeFile(QStringLiteral("event_tbl"), table);

    MenuWindow w(t);
    w.pictures->seasonalStep();

    QCOMPARE(w.visibleBoxes(), shown.size());
    for (int n = 0; n < shown.size(); ++n) {
        PictureBox* box = w.Picture1[n];
        QVERIFY(!box->isHidden());
        if (shown[n].isEmpty()) {
            QVERIFY(!box->hasPicture());
        } else {
            QVERIFY(box->hasPicture());
            QCOMPARE(box->picture().width(), 10 + names.indexOf(shown[n].toLower()));
            // The box keeps its place and size.
            QCOMPARE(box->stretch(), true);
        }
    }
}

void TestMenuPictures::seasonalBoxesHiddenWithoutMatch()
{
    TestContext t(QDate(2026, 3, 3));
    t.writeFile(QStringLiteral("event_tbl"), "\"1225xmas\",999\r\n");
    MenuWindow w(t);
    for (PictureBox* box : w.Picture1)
        box->show();
    w.pictures->seasonalStep();
    QCOMPARE(w.visibleBoxes(), 0);
}

void TestMenuPictures::seasonalBoxHiddenByClick()
{
    TestContext t(QDate(2026, 12, 8));
    t.writeFile(QStringLiteral("event_tbl"), "\"1208a\",\"1208b\",999\r\n");
    MenuWindow w(t);
    w.pictures->seasonalStep();
    QCOMPARE(w.visibleBoxes(), 2);
    w.click(QStringLiteral("Picture1_2"));
    QVERIFY(!w.Picture1[0]->isHidden());
    QVERIFY(w.Picture1[1]->isHidden());
}

// ---------------------------------------------------------------------------
// Picker panel

void TestMenuPictures::pickerPanelLayout()
{
    TestContext t;
    MenuWindow w(t);
    w.pictures->openPicker();
    QVERIFY(w.SSPanel2->isVisible());
    // Two pages of sixteen thumbnails in a grid of four by four.
    auto* page1 = w.control<QGroupBox>(QStringLiteral("SSFrame1_0"));
    auto* page2 = w.control<QGroupBox>(QStringLiteral("SSFrame1_1"));
    QVERIFY(page1 && page2);
    QCOMPARE(page1->title(), QStringLiteral("背景画リスト 1"));
    QCOMPARE(page2->title(), QStringLiteral("背景画リスト 2"));
    QCOMPARE(page1->geometry(), twips::rect(240, 160, 4785, 4215));
    const int order[2][16] = {{0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17},
                              {18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}};
    const int lefts[4] = {150, 1280, 2400, 3520};
    const int tops[4] = {360, 1120, 1900, 2680};
    for (int page = 0; page < 2; ++page) {
        for (int cell = 0; cell < 16; ++cell) {
            const int n = order[page][cell];
            auto* thumbnail = w.control<PictureBox>(QStringLiteral("Image5_%1").arg(n));
            QVERIFY(thumbnail);
            QCOMPARE(thumbnail->parentWidget(), page == 0 ? page1 : page2);
            QCOMPARE(thumbnail->geometry(),
                     twips::rect(n == 3 ? 3510 : lefts[cell % 4], tops[cell / 4], 1095, 735));
            QVERIFY(thumbnail->hasPicture());
        }
    }
    QVERIFY(!w.control(QStringLiteral("Image5_8")));
    QVERIFY(!w.control(QStringLiteral("Image5_9")));
    for (int i = 0; i < 4; ++i) {
        auto* swatch = w.control<Panel3D>(QStringLiteral("Label2_%1").arg(i));
        QVERIFY(swatch);
        QCOMPARE(swatch->parentWidget(), i < 2 ? page1 : page2);
        QCOMPARE(bgrFromColor(swatch->backColor()), i % 2 == 0 ? 0xFFFFFFu : 0u);
        QCOMPARE(swatch->geometry(), i % 2 == 0 ? twips::rect(120, 3480, 2240, 615)
                                                : twips::rect(2400, 3480, 2240, 600));
    }
    const QString captions[3] = {"参照", "閉じる", "次へ >>"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(w.control<CommandButton>(QStringLiteral("SSCommand2_%1").arg(i))->text(),
                 captions[i]);

    // Opened again after "閉じる", the panel shows the controls it has, once each.
    w.click(QStringLiteral("SSCommand2_1"));
    QVERIFY(!w.SSPanel2->isVisible());
    w.pictures->openPicker();
    QVERIFY(w.SSPanel2->isVisible());
    QCOMPARE(w.window.findChildren<QGroupBox*>(QStringLiteral("SSFrame1_0")).size(), 1);
    QCOMPARE(w.window.findChildren<PictureBox*>(QStringLiteral("Image5_0")).size(), 1);
    QVERIFY(page1->isVisible());
}

void TestMenuPictures::thumbnailPlacement_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("stretched");
    QTest::addColumn<bool>("overlay");
    QTest::newRow("0") << 0 << FullWindow << true << true;
    QTest::newRow("1") << 1 << FullWindow << true << true;
    QTest::newRow("4") << 4 << FullWindow << true << false;
    QTest::newRow("10") << 10 << QRect(353, 33, 40, 30) << false << false;
    QTest::newRow("11") << 11 << QRect(296, -16, 40, 30) << false << false;
    QTest::newRow("13") << 13 << QRect(320, 100, 60, 45) << true << false;
    QTest::newRow("14") << 14 << QRect(380, 100, 60, 45) << true << false;
    QTest::newRow("26") << 26 << QRect(380, 100, 60, 45) << true << false;
    QTest::newRow("33") << 33 << QRect(320, 100, 60, 45) << true << false;
}

void TestMenuPictures::thumbnailPlacement()
{
    QFETCH(int, n);
    QFETCH(QRect, geometry);
    QFETCH(bool, stretched);
    QFETCH(bool, overlay);
    TestContext t;
    installBuiltinPictures(t);
    t.writeFile(QStringLiteral("BackImg"), "50,\"255\"\r\n");
    MenuWindow w(t);
    w.pictures->backgroundStep();
    w.pictures->openPicker();
    if (n >= 18) {
        w.click(QStringLiteral("SSCommand2_2"));
    }
    w.click(QStringLiteral("Image5_%1").arg(n));
    QVERIFY(!w.Image3->isHidden());
    QCOMPARE(w.Image3->geometry(), geometry);
    QCOMPARE(w.Image3->stretch(), stretched);
    QVERIFY(w.Image3->hasPicture());
    QCOMPARE(!w.Image4->isHidden(), overlay);
    QCOMPARE(w.colour(), 0u);
    QCOMPARE(w.shared.BackImageNo, n);
    QCOMPARE(w.shared.BackImageText, QStringLiteral("om"));
    // Nothing is stored before "閉じる".
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), QByteArray("50,\"255\"\r\n"));
    QCOMPARE(w.shared.SavedImageNo, 50);
}

void TestMenuPictures::thumbnailOfShownBackgroundChangesNothing()
{
    TestContext t;
    installBuiltinPictures(t);
    MenuWindow w(t);
    w.pictures->backgroundStep();
    w.pictures->openPicker();
    // Moved by hand: a click that applied the picture again would place it anew.
    w.Image3->move(5, 5);
    w.click(QStringLiteral("Image5_12"));
    QCOMPARE(w.Image3->pos(), QPoint(5, 5));
    // Behind a swatch colour the same thumbnail shows its picture again.
    w.click(QStringLiteral("Label2_0"));
    QVERIFY(w.Image3->isHidden());
    w.click(QStringLiteral("Image5_12"));
    QVERIFY(!w.Image3->isHidden());
    QCOMPARE(w.Image3->pos(), QPoint(40, 8));
    QCOMPARE(w.colour(), 0u);
}

void TestMenuPictures::thumbnailThatCannotBeShown_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << false << missingPictureText();
    QTest::newRow("unreadable") << true << unreadablePictureText();
}

void TestMenuPictures::thumbnailThatCannotBeShown()
{
    QFETCH(bool, present);
    QFETCH(QString, text);
    TestContext t;
    installBuiltinPictures(t);
    QFile::remove(t.path(QStringLiteral("bmp/image6.jpg")));
    if (present)
        t.writeFile(QStringLiteral("bmp/image6.jpg"), "not a picture");
    MenuWindow w(t);
    w.pictures->backgroundStep();
    w.pictures->openPicker();
    const QRect before = w.Image3->geometry();
    w.click(QStringLiteral("Image5_6"));
    QCOMPARE(t.messages.shown.size(), 1);
    QCOMPARE(t.messages.shown.first().text, text);
    QVERIFY(t.messages.shown.first().title.startsWith(QStringLiteral("画像ファイル(")));
    // The background stays as it was.
    QCOMPARE(w.shared.BackImageNo, 12);
    QCOMPARE(w.Image3->geometry(), before);
    QVERIFY(w.Image3->hasPicture());
    w.click(QStringLiteral("SSCommand2_1"));
    QVERIFY(!t.exists(QStringLiteral("BackImg")));
}

void TestMenuPictures::thumbnailThenCloseWritesOnce()
{
    TestContext t;
    installBuiltinPictures(t);
    MenuWindow w(t);
    w.pictures->backgroundStep();
    QSignalSpy closed(w.pictures, &MenuPictures::pickerClosed);
    w.pictures->openPicker();
    w.click(QStringLiteral("Image5_5"));
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), QByteArray("5,\"OM\"\r\n"));
    QCOMPARE(w.shared.SavedImageNo, 5);
    QVERIFY(w.SSPanel2->isHidden());
    QCOMPARE(closed.count(), 1);

    // A second "閉じる" without a change writes nothing.
    QVERIFY(QFile::remove(t.path(QStringLiteral("BackImg"))));
    w.pictures->openPicker();
    w.click(QStringLiteral("SSCommand2_1"));
    QVERIFY(!t.exists(QStringLiteral("BackImg")));

    // The next start shows the stored choice.
    t.writeFile(QStringLiteral("BackImg"), "5,\"OM\"\r\n");
    MenuWindow again(t);
    again.pictures->backgroundStep();
    QCOMPARE(again.shared.BackImageNo, 5);
    QCOMPARE(again.Image3->geometry(), FullWindow);
}

void TestMenuPictures::swatchThenClose_data()
{
    QTest::addColumn<int>("swatch");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("white, page 1") << 0 << QByteArray("50,\"16777215\"\r\n");
    QTest::newRow("black, page 1") << 1 << QByteArray("50,\"0\"\r\n");
    QTest::newRow("white, page 2") << 2 << QByteArray("50,\"16777215\"\r\n");
    QTest::newRow("black, page 2") << 3 << QByteArray("50,\"0\"\r\n");
}

void TestMenuPictures::swatchThenClose()
{
    QFETCH(int, swatch);
    QFETCH(QByteArray, stored);
    TestContext t;
    installBuiltinPictures(t);
    t.writeFile(QStringLiteral("BackImg"), "0,\"OM\"\r\n");
    MenuWindow w(t);
    w.pictures->backgroundStep();
    QVERIFY(!w.Image4->isHidden());
    w.pictures->openPicker();
    if (swatch >= 2)
        w.click(QStringLiteral("SSCommand2_2"));
    w.click(QStringLiteral("Label2_%1").arg(swatch));
    QVERIFY(w.Image3->isHidden());
    QVERIFY(w.Image4->isHidden());
    QCOMPARE(w.shared.BackImageNo, 0);
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), stored);
    QCOMPARE(w.shared.SavedImageNo, 50);
    QCOMPARE(w.shared.SavedImageText, QString::fromLatin1(stored.mid(4, stored.size() - 7)));

    // The same colour again is no change.
    QVERIFY(QFile::remove(t.path(QStringLiteral("BackImg"))));
    w.pictures->openPicker();
    w.click(QStringLiteral("SSCommand2_1"));
    QVERIFY(!t.exists(QStringLiteral("BackImg")));
}

void TestMenuPictures::pageToggle()
{
    TestContext t;
    MenuWindow w(t);
    w.pictures->openPicker();
    auto* toggle = w.control<CommandButton>(QStringLiteral("SSCommand2_2"));
    auto* page1 = w.control<QGroupBox>(QStringLiteral("SSFrame1_0"));
    auto* page2 = w.control<QGroupBox>(QStringLiteral("SSFrame1_1"));
    QVERIFY(page1->isVisible() && !page2->isVisible());
    w.click(QStringLiteral("SSCommand2_2"));
    QCOMPARE(toggle->text(), QStringLiteral("<< 前へ"));
    QVERIFY(!page1->isVisible() && page2->isVisible());
    w.click(QStringLiteral("SSCommand2_2"));
    QCOMPARE(toggle->text(), QStringLiteral("次へ >>"));
    QVERIFY(page1->isVisible() && !page2->isVisible());
    // Closing on page 2 opens on page 1 next time.
    w.click(QStringLiteral("SSCommand2_2"));
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(toggle->text(), QStringLiteral("次へ >>"));
    w.pictures->openPicker();
    QVERIFY(page1->isVisible() && !page2->isVisible());
}

void TestMenuPictures::referenceChoosesOwnPicture()
{
    TestContext t;
    installBuiltinPictures(t);
    writePicture(t, QStringLiteral("写真/庭.bmp"), QSize(30, 20), "BMP");
    const QString own = t.path(QStringLiteral("写真/庭.bmp"));
    MenuWindow w(t);
    w.pictures->backgroundStep();
    w.pictures->openPicker();
    // The picker opens on the current background: the folder bmp. Move to the
    // own folder as the user would and choose the file.
    whenPickerShown([&t, own](PicturePickerDialog* picker) {
        QCOMPARE(picker->folder(), t.path(QStringLiteral("bmp")));
        QVERIFY(openFolderInPicker(picker, QFileInfo(own).path()));
        chooseInPicker(picker, QStringLiteral("庭.bmp"));
    });
    w.click(QStringLiteral("SSCommand2_0"));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(w.shared.BackImageNo, 99);
    QCOMPARE(w.shared.BackImageText, QDir::toNativeSeparators(own));
    QVERIFY(!w.Image3->isHidden());
    QCOMPARE(w.Image3->geometry(), FullWindow);
    QCOMPARE(w.Image3->picture().size(), QSize(30, 20));
    QVERIFY(w.Image3->stretch());
    QVERIFY(t.messages.shown.isEmpty());
    QVERIFY(!t.exists(QStringLiteral("BackImg")));

    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")),
             "99,\"" + toCodePage(QDir::toNativeSeparators(own)) + "\"\r\n");
}

void TestMenuPictures::referenceCancelled()
{
    TestContext t;
    installBuiltinPictures(t);
    MenuWindow w(t);
    w.pictures->backgroundStep();
    w.pictures->openPicker();
    whenPickerShown([](PicturePickerDialog* picker) {
        // Something previewed, then cancelled.
        auto* files = picker->findChild<QListWidget*>(QStringLiteral("File1"));
        files->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        picker->findChild<CommandButton*>(QStringLiteral("SSCommand1_1"))->click();
    });
    w.click(QStringLiteral("SSCommand2_0"));
    QCOMPARE(w.shared.BackImageNo, 12);
    QCOMPARE(w.Image3->pos(), QPoint(40, 8));
    // "開く" without a file is no choice either.
    whenPickerShown([](PicturePickerDialog* picker) {
        picker->findChild<QListWidget*>(QStringLiteral("File1"))->clearSelection();
        picker->findChild<CommandButton*>(QStringLiteral("SSCommand1_0"))->click();
    });
    w.click(QStringLiteral("SSCommand2_0"));
    QCOMPARE(w.shared.BackImageNo, 12);
    QVERIFY(t.messages.shown.isEmpty());
}

void TestMenuPictures::ownPictureAgainAfterBuiltin()
{
    TestContext t;
    installBuiltinPictures(t);
    writePicture(t, QStringLiteral("own/a.jpg"), QSize(20, 20), "JPG");
    const QString own = QDir::toNativeSeparators(t.path(QStringLiteral("own/a.jpg")));
    const QByteArray ownRecord = "99,\"" + toCodePage(own) + "\"\r\n";
    t.writeFile(QStringLiteral("BackImg"), ownRecord);
    MenuWindow w(t);
    w.pictures->backgroundStep();
    QCOMPARE(w.shared.BackImageNo, 99);

    w.pictures->openPicker();
    w.click(QStringLiteral("Image5_3"));
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), QByteArray("3,\"OM\"\r\n"));

    // Back to the own picture: stored again, although it was the one read at start-up.
    w.pictures->openPicker();
    whenPickerShown([&t](PicturePickerDialog* picker) {
        QCOMPARE(picker->folder(), t.path(QStringLiteral("bmp")));
        QVERIFY(openFolderInPicker(picker, t.path(QStringLiteral("own"))));
        chooseInPicker(picker, QStringLiteral("a.jpg"));
    });
    w.click(QStringLiteral("SSCommand2_0"));
    QCOMPARE(w.shared.BackImageNo, 99);
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), ownRecord);
}

void TestMenuPictures::fallbackStoresZeroOnClose()
{
    TestContext t;
    installBuiltinPictures(t);
    t.writeFile(QStringLiteral("BackImg"), "99,\"/nowhere/x.jpg\"\r\n");
    MenuWindow w(t);
    w.pictures->backgroundStep();
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), QByteArray("99,\"/nowhere/x.jpg\"\r\n"));
    w.pictures->openPicker();
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), QByteArray("0,\"OM\"\r\n"));
}

void TestMenuPictures::closeWhenBackImgCannotBeWritten()
{
    TestContext t;
    installBuiltinPictures(t);
    QVERIFY(QDir().mkpath(t.path(QStringLiteral("BackImg"))));
    MenuWindow w(t);
    w.pictures->backgroundStep();
    w.pictures->openPicker();
    w.click(QStringLiteral("Image5_7"));
    for (int i = 0; i < 5; ++i)
        t.messages.answers.enqueue(Msg::ResultCancel);
    w.click(QStringLiteral("SSCommand2_1"));
    QVERIFY(w.SSPanel2->isHidden());
    // The message names the folder of the file, not the root of its volume.
    QVERIFY(!t.messages.shown.isEmpty());
    // Windows names paths in capitals.
    QVERIFY2(t.messages.shown.last().text.contains(QDir::toNativeSeparators(t.dir()),
                                                  Qt::CaseInsensitive),
             qPrintable(t.messages.shown.last().text));
    // Not stored: the stored choice stays as it was, and the next "閉じる" tries again.
    QCOMPARE(w.shared.SavedImageNo, 12);
    QVERIFY(QDir(t.path(QStringLiteral("BackImg"))).removeRecursively());
    w.pictures->openPicker();
    w.click(QStringLiteral("SSCommand2_1"));
    QCOMPARE(t.readFile(QStringLiteral("BackImg")), QByteArray("7,\"OM\"\r\n"));
}

// ---------------------------------------------------------------------------

void TestMenuPictures::builtinPicturesSitWell()
{
    const QRect window(QPoint(0, 0), twips::size(11880, 8070));
    const int panelsRight = twips::toPx(330 + 4185);
    const int cornerTop = twips::toPx(7320);
    QCOMPARE(art::backgroundNumbers().size(), 32);
    for (const int n : art::backgroundNumbers()) {
        const QImage image = art::background(n);
        QVERIFY2(!image.isNull(), qPrintable(QString::number(n)));
        QCOMPARE(image.size(), art::backgroundSize(n));
        switch (backgroundKind(n)) {
        case BackgroundKind::Stretched:
            QCOMPARE(image.size(), FullWindow.size());
            break;
        case BackgroundKind::Natural: {
            const QPoint at = picturePositionTwips(n, Applied::AtStartUp);
            const QRect placed(twips::point(at.x(), at.y()), image.size());
            QVERIFY2(placed.right() <= window.right() && placed.bottom() < cornerTop,
                     qPrintable(QString::number(n)));
            // Whatever lies behind the slot panels is dark, so the panels stand on a calm ground.
            for (int x = 0; x < panelsRight - placed.left() && x < image.width(); ++x) {
                for (int y = 0; y < image.height(); y += 3) {
                    const QColor c = image.pixelColor(x, y);
                    QVERIFY2(std::max({c.red(), c.green(), c.blue()}) < 48,
                             qPrintable(QStringLiteral("%1 at %2, %3").arg(n).arg(x).arg(y)));
                }
            }
            break;
        }
        case BackgroundKind::Enlarged:
            for (Applied applied : {Applied::AtStartUp, Applied::FromThumbnail}) {
                const QPoint at = picturePositionTwips(n, applied);
                const QRect placed(twips::point(at.x(), at.y()), enlargedSize(image.size()));
                QVERIFY2(placed.left() > panelsRight && placed.right() <= window.right() &&
                             placed.top() >= 0 && placed.bottom() < cornerTop,
                         qPrintable(QString::number(n)));
            }
            break;
        default:
            QFAIL("a built-in picture of another kind");
        }
    }
    // The seasonal pictures, those of the computed weekends among them, fit the boxes.
    const QStringList names = art::seasonalNames();
    for (const char* computed : {"view02", "view10", "view11", "view14", "view16"})
        QVERIFY(names.contains(QString::fromLatin1(computed)));
    for (const QString& name : names) {
        QVERIFY(isPlainPictureName(name) && name.size() <= 8);
        QCOMPARE(art::seasonal(name).size(), twips::size(2565, 495));
    }
}

void TestMenuPictures::randomFilesNeverCrash()
{
    QRandomGenerator random(20240601);
    const QByteArray alphabet("0123456789,\"\r\n 9OMom./\\\x82\x50\xff");
    auto noise = [&](int maxLength) {
        QByteArray bytes;
        const int length = int(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i)
            bytes.append(random.bounded(4) == 0 ? char(random.bounded(256))
                                                : alphabet[random.bounded(alphabet.size())]);
        return bytes;
    };
    for (int round = 0; round < 150; ++round) {
        TestContext t(QDate(2020, 1, 1).addDays(random.bounded(3650)));
        if (round % 3 == 0)
            writePicture(t, QStringLiteral("bmp/image%1.jpg").arg(random.bounded(34)), PictureSize,
                         "JPG");
        QByteArray backImg;
        switch (random.bounded(3)) {
        case 0:
            backImg = noise(40);
            break;
        case 1:
            backImg = QByteArray::number(int(random.bounded(120)) - 5) + ',' + noise(20);
            break;
        default:
            backImg =
                QByteArray::number(int(random.bounded(120)) - 5) + ",\"" + noise(12) + "\"\r\n";
            break;
        }
        t.writeFile(QStringLiteral("BackImg"), backImg);
        QByteArray table;
        const QByteArray today = t.date.toString(QStringLiteral("MMdd")).toLatin1();
        for (int f = int(random.bounded(130)); f > 0; --f)
            table += (random.bounded(2) ? "\"" + today + noise(10) + "\"" : noise(14)) +
                     (random.bounded(2) ? "," : "\r\n");
        if (random.bounded(2))
            table += "999";
        t.writeFile(QStringLiteral("event_tbl"), table);

        MenuWindow w(t);
        w.pictures->seasonalStep();
        w.pictures->backgroundStep();
        QVERIFY(w.visibleBoxes() <= 3);
        w.pictures->openPicker();
        w.click(QStringLiteral("SSCommand2_1"));
        QVERIFY(w.SSPanel2->isHidden());
    }
}

QTEST_MAIN(TestMenuPictures)
#include "tst_menupictures.moc"
