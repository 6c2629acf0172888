#include "menupictures.h"

#include "common/appcontext.h"
#include "common/diskerror.h"
#include "common/messagebox.h"
#include "common/recordfile.h"
#include "common/twips.h"
#include "menu/eventtable.h"
#include "menushared.h"
#include "prefs/picturepickerdialog.h"
#include "widgets/builtinimages.h"
#include "widgets/commandbutton.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>

namespace lc {
namespace {

const QString NextCaption = QStringLiteral("次へ >>");
const QString PreviousCaption = QStringLiteral("<< 前へ");

constexpr quint32 Black = 0x000000;
constexpr quint32 White = 0xFFFFFF;

// Largest files read: both are a few lines long.
constexpr qint64 MaxBackImgBytes = 64 * 1024;
constexpr qint64 MaxEventTableBytes = 1024 * 1024;

// The thumbnails of each page in their grid order, row by row.
constexpr int PageThumbnails[2][16] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17},
    {18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}};
constexpr int ColumnLeft[4] = {150, 1280, 2400, 3520};
constexpr int RowTop[4] = {360, 1120, 1900, 2680};

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

MenuPictures::MenuPictures(AppContext& context, MenuShared& shared,
                           const MenuPictureControls& controls, QObject* parent)
    : QObject(parent), m_context(context), m_shared(shared), m_controls(controls)
{
    for (int n = 0; n < int(m_controls.seasonalPictures.size()); ++n) {
        if (PictureBox* box = m_controls.seasonalPictures[n])
            connect(box, &PictureBox::clicked, this, [this, n] { onSeasonalPictureClicked(n + 1); });
    }
}

QString MenuPictures::installFile(const QString& name) const
{
    return m_context.installDir.file(name);
}

// The panel's controls are made when it is first opened: most days it is never
// opened, and the window comes up sooner without them.
void MenuPictures::createPickerPanel()
{
    Panel3D* panel = m_controls.pickerPanel;
    panel->setBevelOuter(Panel3D::Raised);
    panel->setBevelInner(Panel3D::Inset);
    panel->setBevelWidth(2);
    // The panel keeps the colours of a dialog whatever colour the window behind it takes.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, panel->backColor());
    panel->setPalette(palette);

    const QFont font = designFont(Fonts::PGothic, 9);
    const QString titles[2] = {QStringLiteral("背景画リスト 1"), QStringLiteral("背景画リスト 2")};
    for (int page = 0; page < 2; ++page) {
        auto* frame = new QGroupBox(panel);
        frame->setObjectName(QStringLiteral("SSFrame1_%1").arg(page));
        frame->setGeometry(twips::rect(240, 160, 4785, 4215));
        // The font before the title, which is measured in the font it is set in.
        frame->setFont(font);
        frame->setTitle(titles[page]);
        frame->setFocusPolicy(Qt::StrongFocus);
        frame->setAutoFillBackground(true);
        m_pages[page] = frame;

        for (int cell = 0; cell < 16; ++cell) {
            const int n = PageThumbnails[page][cell];
            const int left = n == 3 ? 3510 : ColumnLeft[cell % 4];
            auto* thumbnail = new PictureBox(frame);
            thumbnail->setObjectName(QStringLiteral("Image5_%1").arg(n));
            thumbnail->setGeometry(twips::rect(left, RowTop[cell / 4], 1095, 735));
            thumbnail->setStretch(true);
            thumbnail->setCursor(Qt::PointingHandCursor);
            thumbnail->setPicture(builtinImage(BuiltinImage::Thumbnail, n));
            connect(thumbnail, &PictureBox::clicked, this, [this, n] { onThumbnailClicked(n); });
            m_thumbnails[n] = thumbnail;
        }

        for (int side = 0; side < 2; ++side) {
            const int index = page * 2 + side;
            auto* swatch = new Panel3D(frame);
            swatch->setObjectName(QStringLiteral("Label2_%1").arg(index));
            swatch->setGeometry(
                twips::rect(side == 0 ? 120 : 2400, 3480, 2240, side == 0 ? 615 : 600));
            swatch->setBackColor(colorFromBgr(side == 0 ? White : Black));
            swatch->setBevelOuter(Panel3D::Inset);
            swatch->setBevelWidth(1);
            swatch->setCursor(Qt::PointingHandCursor);
            connect(swatch, &Panel3D::clicked, this, [this, index] { onSwatchClicked(index); });
            m_swatches[index] = swatch;
        }
    }

    struct ButtonPlace
    {
        int left, top, width, height;
        QString caption;
    };
    const ButtonPlace buttons[3] = {{4000, 4430, 1035, 435, QStringLiteral("参照")},
                                    {300, 4425, 915, 435, QStringLiteral("閉じる")},
                                    {1200, 4425, 915, 435, NextCaption}};
    for (int index = 0; index < 3; ++index) {
        auto* button = new CommandButton(panel);
        button->setObjectName(QStringLiteral("SSCommand2_%1").arg(index));
        button->setGeometry(twips::rect(buttons[index].left, buttons[index].top,
                                        buttons[index].width, buttons[index].height));
        button->setFont(font);
        button->setText(buttons[index].caption);
        connect(button, &CommandButton::clicked, this, [this, index] { onPickerButtonClicked(index); });
        m_pickerButtons[index] = button;
    }
    showPage(0);
}

void MenuPictures::showPage(int page)
{
    QGroupBox* front = m_pages[page];
    QGroupBox* back = m_pages[1 - page];
    front->show();
    front->raise();
    back->hide();
    front->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// Seasonal pictures

void MenuPictures::seasonalStep()
{
    if (!m_context.installDir.exists(QStringLiteral("event_tbl")))
        return;
    QByteArray bytes;
    // An unreadable table contributes no rows, as an empty one does.
    readFileContents(installFile(QStringLiteral("event_tbl")), bytes, MaxEventTableBytes);
    const QDate today = m_context.today();
    QList<EventRow> rows = readEventTable(bytes);
    rows += computedEventRows(today);
    const QStringList pictures =
        matchingPictures(rows, eventDateKey(today), int(m_controls.seasonalPictures.size()));

    if (pictures.isEmpty()) {
        for (PictureBox* box : m_controls.seasonalPictures) {
            if (box && !box->isHidden())
                box->hide();
        }
        return;
    }
    for (int n = 0; n < pictures.size(); ++n) {
        PictureBox* box = m_controls.seasonalPictures[n];
        if (!box)
            continue;
        box->show();
        box->setStretch(true);
        const QString& name = pictures[n];
        if (!isPlainPictureName(name))
            continue;
        const QString file = installFile(QStringLiteral("event/") + name + QStringLiteral(".bmp"));
        // A missing or unreadable bitmap leaves an empty box.
        if (QFileInfo(file).isFile())
            box->loadPicture(file);
    }
}

void MenuPictures::onSeasonalPictureClicked(int n)
{
    if (PictureBox* box = m_controls.seasonalPictures[n - 1])
        box->hide();
}

// ---------------------------------------------------------------------------
// Background

void MenuPictures::setWindowColour(quint32 bgr)
{
    setBackgroundColor(m_controls.window, bgr);
}

QPixmap MenuPictures::readBackgroundPicture(const QString& path, const QString& unreadableText)
{
    QPixmap picture;
    {
        WaitCursor wait;
        picture = PictureBox::readPicture(path);
    }
    if (picture.isNull())
        m_context.messages->show(unreadableText, pictureErrorTitle(QDir::toNativeSeparators(path)),
                                 Msg::Ok | Msg::Exclamation);
    return picture;
}

void MenuPictures::showBackground(int number, const QPixmap& picture, Applied applied)
{
    PictureBox* image3 = m_controls.background;
    PictureBox* image4 = m_controls.backgroundOverlay;
    image3->show();
    switch (backgroundKind(number)) {
    case BackgroundKind::Stretched:
    case BackgroundKind::OwnFile:
        image3->setGeometry(twips::rect(fullWindowTwips().x(), fullWindowTwips().y(),
                                        fullWindowTwips().width(), fullWindowTwips().height()));
        image4->setVisible(hasOverlay(number));
        image3->setStretch(true);
        image3->setPicture(picture);
        break;
    case BackgroundKind::Natural: {
        const QPoint at = picturePositionTwips(number, applied);
        image3->move(twips::point(at.x(), at.y()));
        image4->hide();
        image3->setStretch(false);
        image3->setPicture(picture);
        break;
    }
    case BackgroundKind::Enlarged: {
        const QPoint at = picturePositionTwips(number, applied);
        image3->setStretch(false);
        image4->hide();
        image3->setPicture(picture);
        if (!picture.isNull())
            image3->resize(enlargedSize(image3->size()));
        image3->setStretch(true);
        image3->move(twips::point(at.x(), at.y()));
        break;
    }
    case BackgroundKind::Colour:
    case BackgroundKind::None:
        image3->hide();
        image4->hide();
        break;
    }
    // The overlay stands directly in front of the background, below the other controls.
    if (!image4->isHidden())
        image3->stackUnder(image4);
    // Everything stands on the background: the whole window is drawn again. A
    // whole window also goes to the X server in one piece, where a window
    // less a few pixels would first be copied into a buffer that Qt keeps.
    m_controls.window->update();
}

void MenuPictures::backgroundStep()
{
    const QString path = installFile(QStringLiteral("BackImg"));
    QByteArray bytes;
    if (readFileContents(path, bytes, MaxBackImgBytes) == 0 && !bytes.isEmpty()) {
        // A damaged record leaves the start-up values, as a missing one does.
        if (const std::optional<BackImgRecord> stored = parseBackImg(bytes)) {
            m_shared.BackImageNo = stored->number;
            m_shared.BackImageText = stored->text;
            m_shared.SavedImageNo = stored->number;
            m_shared.SavedImageText = stored->text;
        }
    }
    applyStoredBackground(m_shared.BackImageNo);
}

void MenuPictures::applyStoredBackground(int number)
{
    switch (backgroundKind(number)) {
    case BackgroundKind::Stretched:
    case BackgroundKind::Natural:
    case BackgroundKind::Enlarged: {
        // A missing built-in picture leaves the background control without a picture.
        const QString file = installFile(builtinPictureName(number));
        QPixmap picture;
        if (QFileInfo(file).isFile())
            picture = readBackgroundPicture(file, unreadablePictureText());
        showBackground(number, picture, Applied::AtStartUp);
        break;
    }
    case BackgroundKind::Colour:
        showBackground(number, {}, Applied::AtStartUp);
        setWindowColour(parseColourText(m_shared.BackImageText).value_or(Black));
        break;
    case BackgroundKind::OwnFile: {
        const QString file = m_shared.BackImageText;
        const QFileInfo info(file);
        QPixmap picture;
        if (!info.isFile()) {
            m_context.messages->show(missingOwnPictureText(), pictureErrorTitle(file), Msg::Ok);
        } else {
            picture = readBackgroundPicture(file, unreadableOwnPictureText());
            if (!picture.isNull()) {
                showBackground(number, picture, Applied::AtStartUp);
                break;
            }
        }
        // The standard picture takes the place of the own one; BackImg keeps 99
        // until the picker panel is closed.
        m_shared.BackImageText = Background::BuiltinText;
        m_shared.BackImageNo = Background::Fallback;
        applyStoredBackground(Background::Fallback);
        break;
    }
    case BackgroundKind::None:
        break;
    }
}

// ---------------------------------------------------------------------------
// Picker panel

void MenuPictures::openPicker()
{
    if (!m_pages[0]) {
        WaitCursor wait;
        createPickerPanel();
    }
    m_controls.pickerPanel->show();
    m_controls.pickerPanel->raise();
}

void MenuPictures::onThumbnailClicked(int n)
{
    if (!m_controls.background->isHidden() && m_shared.BackImageNo == n)
        return;
    // The picture is read first, so one that cannot be shown leaves the
    // background as it was.
    const QString file = installFile(builtinPictureName(n));
    if (!QFileInfo(file).isFile()) {
        m_context.messages->show(missingPictureText(),
                                 pictureErrorTitle(QDir::toNativeSeparators(file)),
                                 Msg::Ok | Msg::Exclamation);
        return;
    }
    const QPixmap picture = readBackgroundPicture(file, unreadablePictureText());
    if (picture.isNull())
        return;
    setWindowColour(Black);
    m_shared.BackImageNo = n;
    m_shared.BackImageText = Background::BuiltinText;
    showBackground(n, picture, Applied::FromThumbnail);
}

void MenuPictures::onSwatchClicked(int index)
{
    if (!m_controls.background->isHidden())
        m_controls.background->hide();
    if (!m_controls.backgroundOverlay->isHidden())
        m_controls.backgroundOverlay->hide();
    setWindowColour(bgrFromColor(m_swatches[index]->backColor()));
}

void MenuPictures::onPickerButtonClicked(int index)
{
    switch (index) {
    case 0:
        chooseOwnPicture();
        break;
    case 1:
        storeChoice();
        m_controls.pickerPanel->hide();
        m_pickerButtons[2]->setText(NextCaption);
        showPage(0);
        Q_EMIT pickerClosed();
        break;
    case 2:
        if (m_pickerButtons[2]->text() != NextCaption) {
            m_pickerButtons[2]->setText(NextCaption);
            showPage(0);
        } else {
            m_pickerButtons[2]->setText(PreviousCaption);
            showPage(1);
        }
        break;
    default:
        break;
    }
}

void MenuPictures::chooseOwnPicture()
{
    QString chosen;
    {
        std::optional<WaitCursor> wait(std::in_place);
        PicturePickerDialog picker(m_context, m_shared.BackImageNo, m_shared.BackImageText, m_controls.window);
        wait.reset();
        picker.exec();
        chosen = picker.backimagefile();
    }
    if (chosen.isEmpty())
        return;
    // A name BackImg cannot hold would come back as another file.
    if (!isStorablePicturePath(chosen)) {
        m_context.messages->show(unstorablePictureNameText(), pictureErrorTitle(chosen),
                                 Msg::Ok | Msg::Exclamation);
        return;
    }
    const QPixmap picture = readBackgroundPicture(chosen, unreadablePictureText());
    if (picture.isNull())
        return;
    showBackground(Background::OwnFile, picture, Applied::FromThumbnail);
    m_shared.BackImageNo = Background::OwnFile;
    m_shared.BackImageText = chosen;
}

void MenuPictures::storeChoice()
{
    const bool pictureShown = !m_controls.background->isHidden() || !m_controls.backgroundOverlay->isHidden();
    const BackImgRecord saved{m_shared.SavedImageNo, m_shared.SavedImageText};
    const std::optional<BackImgRecord> record =
        backgroundToStore(m_shared.BackImageNo, m_shared.BackImageText, pictureShown,
                          backgroundColor(m_controls.window), saved);
    if (!record)
        return;
    const QString path = installFile(QStringLiteral("BackImg"));
    const QByteArray bytes = backImgBytes(*record);
    for (;;) {
        const int error = saveFileContents(path, bytes);
        if (error == 0)
            break;
        // Not stored: the next "閉じる" tries again.
        if (DiskErrorMessage(m_context, error, m_context.installDir.path()) != Msg::ResultRetry)
            return;
    }
    m_shared.SavedImageNo = record->number;
    m_shared.SavedImageText = record->text;
}

} // namespace lc
