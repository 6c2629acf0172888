#include "picturepickerdialog.h"

#include "common/appcontext.h"
#include "common/diskerror.h"
#include "common/messagebox.h"
#include "common/pathrules.h"
#include "common/twips.h"
#include "common/backgrounds.h"
#include "platform/platform.h"
#include "widgets/commandbutton.h"
#include "widgets/fonts.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QTreeWidget>

namespace lc {
namespace {

const QStringList FilePattern = {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")};

constexpr int PathRole = Qt::UserRole;

// The preview with its single-line border.
class BorderedPicture : public PictureBox
{
public:
    using PictureBox::PictureBox;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        PictureBox::paintEvent(event);
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// A folder in the form the lists compare: '/' separators, no trailing one
// except for a root.
QString normalFolder(const QString& path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

bool isUnder(const QString& path, const QString& root)
{
    const QString r = normalFolder(root);
    const QString p = normalFolder(path);
    if (p.compare(r, Qt::CaseInsensitive) == 0)
        return true;
    const QString prefix = r.endsWith(u'/') ? r : r + u'/';
    return p.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

PicturePickerDialog::PicturePickerDialog(AppContext& context, int backImageNo, const QString& backImageText,
                 QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("pre_view"));
    setWindowTitle(QStringLiteral("Form1"));
    setModal(true);
    setFixedSize(twips::size(7785, 3240));
    createControls();
    openAt(backImageNo, backImageText);
}

void PicturePickerDialog::createControls()
{
    const QFont font = designFont(Fonts::PGothic, 9);
    setFont(font);

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    m_drives->setGeometry(twips::rect(120, 120, 2175, 300));

    m_folders = new QTreeWidget(this);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setGeometry(twips::rect(120, 600, 2175, 1770));
    m_folders->setHeaderHidden(true);
    m_folders->setRootIsDecorated(false);
    m_folders->setItemsExpandable(false);
    m_folders->setIndentation(10);
    m_folders->setUniformRowHeights(true);
    // The open folders are always expanded: no branch arrows.
    m_folders->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setGeometry(twips::rect(2400, 120, 2055, 2250));
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);

    m_preview = new BorderedPicture(this);
    m_preview->setObjectName(QStringLiteral("Image1"));
    m_preview->setGeometry(twips::rect(4560, 120, 3060, 2295));
    m_preview->setStretch(true);

    const QString captions[2] = {QStringLiteral("開く"), QStringLiteral("ｷｬﾝｾﾙ")};
    const int lefts[2] = {4440, 6000};
    for (int index = 0; index < 2; ++index) {
        auto* button = new CommandButton(this);
        button->setObjectName(QStringLiteral("SSCommand1_%1").arg(index));
        button->setGeometry(twips::rect(lefts[index], 2640, 1575, 495));
        button->setText(captions[index]);
        button->setAutoDefault(false);
        connect(button, &CommandButton::clicked, this, [this, index] { onButtonClicked(index); });
        m_buttons[index] = button;
    }

    m_backimagefile = new QLabel(this);
    m_backimagefile->setObjectName(QStringLiteral("backimagefile"));
    m_backimagefile->hide();

    for (const QString& root : m_context.platform->driveRoots()) {
        const QString label = m_context.platform->volumeLabel(root);
        QString text = QDir::toNativeSeparators(root);
        if (!label.isEmpty())
            text += QStringLiteral(" [") + label + u']';
        m_drives->addItem(text, root);
    }

    connect(m_drives, &QComboBox::activated, this, &PicturePickerDialog::onDriveChanged);
    connect(m_folders, &QTreeWidget::itemActivated, this, &PicturePickerDialog::onFolderActivated);
    connect(m_files, &QListWidget::itemSelectionChanged, this, &PicturePickerDialog::onFileClicked);
}

void PicturePickerDialog::openAt(int backImageNo, const QString& backImageText)
{
    m_backimagefile->clear();

    const QString stockFolder = m_context.installDir.file(QStringLiteral("bmp"));
    QString folder;
    QString file;
    if (backImageNo != Background::OwnFile) {
        folder = stockFolder;
        file = QStringLiteral("IMAGE%1.JPG").arg(backImageNo);
    } else {
        const QString path = QDir::fromNativeSeparators(backImageText);
        const qsizetype cut = path.lastIndexOf(u'/');
        if (cut >= 0) {
            folder = cut == 0 ? QStringLiteral("/") : path.left(cut);
            file = path.mid(cut + 1);
        }
    }
    // A folder that has gone opens at the nearest one still there.
    QString open = folder;
    while (!open.isEmpty() && !QFileInfo(open).isDir()) {
        const QString up = QFileInfo(open).path();
        open = up == open ? QString() : up;
    }
    if (open.isEmpty())
        open = QFileInfo(stockFolder).isDir() ? stockFolder : m_context.installDir.path();

    selectDrive(m_context.platform->driveOf(open));
    setDirPath(open);

    if (file.isEmpty() || normalFolder(open) != normalFolder(folder))
        return;
    for (int row = 0; row < m_files->count(); ++row) {
        QListWidgetItem* item = m_files->item(row);
        if (item->text().compare(file, Qt::CaseInsensitive) == 0) {
            m_files->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
            m_files->scrollToItem(item);
            break;
        }
    }
}

void PicturePickerDialog::selectDrive(const QString& root)
{
    int index = m_drives->findData(root);
    if (index < 0) {
        for (int i = 0; i < m_drives->count(); ++i) {
            if (normalFolder(m_drives->itemData(i).toString())
                    .compare(normalFolder(root), Qt::CaseInsensitive) == 0)
                index = i;
        }
    }
    if (index < 0) {
        m_drives->addItem(QDir::toNativeSeparators(root), root);
        index = m_drives->count() - 1;
    }
    m_drives->setCurrentIndex(index);
    m_driveRoot = m_drives->itemData(index).toString();
}

bool PicturePickerDialog::reachable(const QString& path)
{
    for (;;) {
        const int error = m_context.platform->checkDirectory(path);
        if (error == 0)
            return true;
        if (DiskErrorMessage(m_context, error, path) != Msg::ResultRetry)
            return false;
    }
}

void PicturePickerDialog::onDriveChanged(int index)
{
    const QString root = m_drives->itemData(index).toString();
    if (!reachable(root)) {
        // The drive stays the one whose folder is listed.
        selectDrive(m_driveRoot);
        return;
    }
    m_driveRoot = root;
    setDirPath(root);
}

void PicturePickerDialog::onFolderActivated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString path = item->data(0, PathRole).toString();
    if (normalFolder(path) == normalFolder(m_dirPath) || !reachable(path))
        return;
    setDirPath(path);
}

void PicturePickerDialog::setDirPath(const QString& path)
{
    m_dirPath = normalFolder(path);
    fillFolders();
    fillFiles();
}

void PicturePickerDialog::fillFolders()
{
    m_folders->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The open folders from the drive's root down to the current one...
    QStringList chain;
    QString at = m_dirPath;
    const QString root = isUnder(m_dirPath, m_driveRoot) ? normalFolder(m_driveRoot) : QString();
    for (;;) {
        chain.prepend(at);
        if (at.compare(root, Qt::CaseInsensitive) == 0)
            break;
        const QString up = QFileInfo(at).path();
        if (up == at)
            break;
        at = up;
    }
    QTreeWidgetItem* parent = nullptr;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        const QString& folder = chain[i];
        const QString name =
            i == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_folders);
        item->setText(0, name);
        item->setIcon(0, open);
        item->setData(0, PathRole, folder);
        parent = item;
    }
    // ...then its subfolders.
    const QDir dir(m_dirPath);
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, name);
        item->setIcon(0, closed);
        item->setData(0, PathRole, dir.filePath(name));
    }
    m_folders->expandAll();
    if (parent) {
        m_folders->setCurrentItem(parent);
        m_folders->scrollToItem(parent);
    }
}

void PicturePickerDialog::fillFiles()
{
    const QSignalBlocker block(m_files);
    m_files->clear();
    QDir dir(m_dirPath);
    dir.setNameFilters(FilePattern);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    m_files->addItems(dir.entryList());
}

QString PicturePickerDialog::selectedPath() const
{
    const QList<QListWidgetItem*> selected = m_files->selectedItems();
    if (selected.isEmpty())
        return {};
    const QString folder = QDir::fromNativeSeparators(m_currentFolder);
    return QDir::toNativeSeparators(folder +
                                    (folder.endsWith(u'/') ? QString() : QStringLiteral("/")) +
                                    selected.first()->text());
}

void PicturePickerDialog::onFileClicked()
{
    const QList<QListWidgetItem*> selected = m_files->selectedItems();
    if (selected.isEmpty())
        return;
    m_currentFolder = paths::withoutTrailingSeparator(QDir::toNativeSeparators(m_dirPath));
    m_previewed = true;
    const QString path = selectedPath();
    QPixmap picture;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        picture = PictureBox::readPicture(path);
        QApplication::restoreOverrideCursor();
    }
    m_previewFailed = picture.isNull();
    if (m_previewFailed) {
        m_preview->clearPicture();
        m_context.messages->show(unreadableChoiceText(), pictureErrorTitle(path),
                                 Msg::Ok + Msg::Exclamation);
        return;
    }
    m_preview->setPicture(picture);
}

void PicturePickerDialog::onButtonClicked(int index)
{
    if (index == 0) {
        const QString path = selectedPath();
        // Without a file chosen, "開く" has nothing to open and acts as "ｷｬﾝｾﾙ".
        if (path.isEmpty() || !m_previewed) {
            reject();
            return;
        }
        if (m_previewFailed) {
            m_context.messages->show(unreadableChoiceText(), pictureErrorTitle(path),
                                     Msg::Ok + Msg::Exclamation);
            return;
        }
        m_backimagefile->setText(path);
        accept();
        return;
    }
    reject();
}

QString PicturePickerDialog::backimagefile() const
{
    return m_backimagefile->text();
}

} // namespace lc
