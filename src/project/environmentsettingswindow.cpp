#include "environmentsettingswindow.h"
#include "environmentsettingswindow_p.h"

#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/diskerror.h"
#include "common/markers.h"
#include "common/messagebox.h"
#include "common/pathrules.h"
#include "common/settingsfiles.h"
#include "common/twips.h"
#include "folder.h"
#include "foldertree.h"
#include "kojiregistry.h"
#include "overview/overviewfile.h"
#include "projectpaths.h"
#include "recyclebin.h"
#include "widgets/codepageinput.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

using namespace lc::settingswindow;

namespace lc {
namespace {

const QString DeleteTitle = QStringLiteral("メインメニュー環境設定");
const QString HelpTitle = QStringLiteral("(Ｈｅｌｐ)");
constexpr quint32 CoverColor = 12632256; // light grey
constexpr int CoverSteps = 40;

QString helpText()
{
    const QStringList lines = {
        QStringLiteral("---------------------------------------"),
        QStringLiteral("(表示されている工事名称からディレクトリを指定する方法)"),
        QStringLiteral("1)工事名称をシングルクリックし、｢ＯＫボタン｣を押す｡"),
        QStringLiteral("1)工事名称をダブルクリックする｡"),
        QStringLiteral("上記の方法でもディレクトリの指定が出来ます｡"),
        QStringLiteral("(工事名称の表示方法)"),
        QStringLiteral("1)ディレクトリを指定、又は作成(入力名で自動作成)し"),
        QStringLiteral("｢ＯＫボタン｣を押す｡"),
        QStringLiteral("2)すでに工事概要に工事名称があれば表示します｡"),
        QStringLiteral("3)無ければ工事概要に工事名称を入力する｡"),
        QStringLiteral("4)再度この環境設定画面を表示する｡"),
        QStringLiteral("(工事名称の削除方法)"),
        QStringLiteral("1)工事名称をシングルクリックし、｢削除ボタン｣を押す｡"),
        QStringLiteral("工事名称一覧だけを削除するか、ディレクトリ及びディレクトリ内のファイルを削"
                       "除するかを選択出来ます｡"),
        QStringLiteral("---------------------------------------"),
    };
    return lines.join(u'\n');
}

// The picture of the rename button: a label with a caret.
QIcon renameIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0, 0, 128));
    p.drawRect(1, 4, 13, 8);
    p.fillRect(3, 7, 6, 2, QColor(0, 0, 128));
    p.drawLine(11, 2, 11, 14);
    p.drawLine(10, 2, 12, 2);
    p.drawLine(10, 14, 12, 14);
    return QIcon(pixmap);
}
} // namespace

EnvironmentSettingsWindow::EnvironmentSettingsWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    buildControls();

    // Load: centred on the screen; the cover panel over the main area.
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    m_cover->setGeometry(m_titlePanels[0]->geometry());
    m_cover->setBackColor(colorFromBgr(CoverColor));
    m_cover->raise();
    const QFontMetrics metrics(m_registryList->font());
    m_registryList->resize(70 * metrics.horizontalAdvance(QStringLiteral("1")),
                           7 * metrics.height());

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            &EnvironmentSettingsWindow::focusWindowChanged);
}

EnvironmentSettingsWindow::~EnvironmentSettingsWindow()
{
    // Focus moves and a label edit ends while the children go; the window no
    // longer follows them.
    disconnect(qApp, nullptr, this, nullptr);
    m_tree->disconnect(this);
}

void EnvironmentSettingsWindow::buildControls()
{
    setObjectName(QStringLiteral("frmKankyo"));
    setWindowTitle(QStringLiteral("[ Ｄata側Ｄrv,Ｄirの環境設定 ]"));
    setFont(designFont(Fonts::Gothic, 9));
    setFixedSize(twips::size(9810, 4920));

    auto panel = [](QWidget* parent, const QString& name, const QRect& rect) {
        auto* p = new Panel3D(parent);
        p->setObjectName(name);
        p->setGeometry(rect);
        return p;
    };
    auto button = [](QWidget* parent, const QString& name, const QString& text, const QRect& rect) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(name);
        b->setGeometry(rect);
        b->setAutoDefault(false);
        return b;
    };

    m_titlePanels[0] = panel(this, QStringLiteral("Panel3D1_0"), twips::rect(75, 60, 9705, 4815));
    QWidget* main = m_titlePanels[0];
    m_cover = panel(this, QStringLiteral("SSPanel1"), twips::rect(75, 60, 9705, 4815));

    // Tree buttons and the tree.
    const std::array<QString, 4> ribbonTexts = {
        QStringLiteral("１つ上のフォルダへ移動"), QStringLiteral("新しいフォルダの作成"),
        QStringLiteral("名前の変更"), QStringLiteral("最新の情報に更新")};
    const std::array<QIcon, 4> ribbonIcons = {style()->standardIcon(QStyle::SP_FileDialogToParent),
                                              style()->standardIcon(QStyle::SP_FileDialogNewFolder),
                                              renameIcon(),
                                              style()->standardIcon(QStyle::SP_BrowserReload)};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QToolButton(main);
        r->setObjectName(QStringLiteral("SSRibbon1_%1").arg(i));
        r->setGeometry(twips::rect(120 + 480 * i, 90, 495, 315));
        r->setIcon(ribbonIcons.at(i));
        r->setToolTip(ribbonTexts.at(i));
        r->setAccessibleName(ribbonTexts.at(i));
        r->setFocusPolicy(Qt::StrongFocus);
        r->setAutoRaise(false);
        connect(r, &QToolButton::pressed, this, [this, i] { onTreeToolClicked(i); });
        m_treeTools.at(i) = r;
    }
    m_tree = new FolderTree(m_context, main);
    m_tree->setObjectName(QStringLiteral("SSTree1"));
    m_tree->setGeometry(twips::rect(120, 420, 4050, 2880));
    connect(m_tree, &FolderTree::nodeClicked, this, &EnvironmentSettingsWindow::onTreeNodeClicked);
    connect(m_tree, &FolderTree::keyTyped, this, &EnvironmentSettingsWindow::onTreeKeyTyped);
    connect(m_tree, &FolderTree::labelEditBegun, this,
            &EnvironmentSettingsWindow::onTreeRenameBegun);
    connect(m_tree, &FolderTree::labelEditEnded, this,
            &EnvironmentSettingsWindow::onTreeRenameEnded);
    connect(m_tree, &FolderTree::busyEnded, this, &EnvironmentSettingsWindow::treeBusyEnded);

    // The paths.
    m_titlePanels[2] = panel(main, QStringLiteral("Panel3D1_2"), twips::rect(4230, 75, 5265, 210));
    m_titlePanels[2]->setCaption(QStringLiteral("Ｄataのあるﾄﾞﾗｲﾌﾞの指定"));
    m_titlePanels[2]->setAlignment(Qt::AlignCenter);
    m_frame = panel(main, QStringLiteral("Frame3D1"), twips::rect(4230, 300, 5265, 3030));
    m_frame->setBevelOuter(Panel3D::Inset);
    m_frame->setBevelInner(Panel3D::Raised);

    const std::array<QString, 3> captions = {QStringLiteral("ﾏｽﾀｰ用のﾄﾞﾗｲﾌﾞ"),
                                             QStringLiteral("Data用のﾄﾞﾗｲﾌﾞ"),
                                             QStringLiteral("吸上用のﾄﾞﾗｲﾌﾞ")};
    const std::array<int, 3> captionTops = {210, 870, 1800};
    const std::array<int, 3> boxTops = {510, 1170, 2100};
    for (int i = 0; i < 3; ++i) {
        m_caption.at(i) = panel(m_frame, QStringLiteral("Panel3D2_%1").arg(i),
                                twips::rect(165, captionTops.at(i), 2400, 285));
        m_caption.at(i)->setCaption(captions.at(i));
        connect(m_caption.at(i), &Panel3D::clicked, this, [this, i] { onPathCaptionClicked(i); });

        m_folderButton.at(i) =
            button(m_frame, QStringLiteral("SSCommand1_%1").arg(i), QStringLiteral("ﾌｫﾙﾀﾞｰ表示"),
                   twips::rect(3840, captionTops.at(i), 1260, 285));
        connect(m_folderButton.at(i), &QPushButton::clicked, this,
                [this, i] { onShowFolderClicked(i); });

        auto* box = new QLineEdit(m_frame);
        box->setObjectName(QStringLiteral("txtDrive_%1").arg(i));
        box->setGeometry(twips::rect(165, boxTops.at(i), 4935, 300));
        box->installEventFilter(this);
        keepToCodePage(box);
        setBoxColor(box, BoxColor);
        m_pathBoxes.at(i) = box;
    }
    const std::array<int, 2> nameTops = {1470, 2400};
    for (int i = 0; i < 2; ++i) {
        m_namePanel.at(i) = panel(m_frame, QStringLiteral("Panel3D3_%1").arg(i),
                                  twips::rect(165, nameTops.at(i), 4935, 285));
        m_namePanel.at(i)->setBevelOuter(Panel3D::Inset);
    }
    const std::array<QString, 4> options = {QStringLiteral("躯体"), QStringLiteral("意匠"),
                                            QStringLiteral("建具"), QStringLiteral("見積")};
    for (int i = 0; i < 4; ++i) {
        auto* o = new QRadioButton(options.at(i), m_frame);
        o->setObjectName(QStringLiteral("Option3D1_%1").arg(i));
        o->setGeometry(twips::rect(165 + 1230 * i, 2700, 1170, 255));
        connect(o, &QRadioButton::clicked, this, [this, i] { onImportKindClicked(i); });
        m_importKinds.at(i) = o;
    }

    // The registry and the buttons.
    m_registryList = new QListWidget(main);
    m_registryList->setObjectName(QStringLiteral("List1"));
    m_registryList->move(twips::point(120, 3405));
    m_registryList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_registryList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_registryList->setUniformItemSizes(true);
    connect(m_registryList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem*) { onRegistryClicked(); });
    connect(m_registryList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { onRegistryDoubleClicked(); });

    m_help = button(main, QStringLiteral("Command3D1"), QStringLiteral("Help"),
                    twips::rect(7590, 3405, 945, 435));
    m_cancel = button(main, QStringLiteral("CmdCancel"), QStringLiteral("ｷｬﾝｾﾙ"),
                      twips::rect(7590, 3825, 945, 435));
    m_delete = button(main, QStringLiteral("Command3D2"), QStringLiteral("削除"),
                      twips::rect(7590, 4245, 945, 435));
    m_ok = button(main, QStringLiteral("CmdEnd"), QStringLiteral("ｏｋ"),
                  twips::rect(8520, 3405, 945, 1275));
    connect(m_help, &QPushButton::clicked, this, &EnvironmentSettingsWindow::onHelpClicked);
    connect(m_cancel, &QPushButton::clicked, this, &EnvironmentSettingsWindow::onCancelClicked);
    connect(m_delete, &QPushButton::clicked, this, &EnvironmentSettingsWindow::onDeleteClicked);
    connect(m_ok, &QPushButton::clicked, this, &EnvironmentSettingsWindow::onOkClicked);

    setTabOrder(m_pathBoxes[0], m_pathBoxes[1]);
    setTabOrder(m_pathBoxes[1], m_pathBoxes[2]);
    setTabOrder(m_pathBoxes[2], m_registryList);
    setTabOrder(m_registryList, m_ok);
}

bool EnvironmentSettingsWindow::isBusy() const
{
    return m_tree->isBusy();
}

QString EnvironmentSettingsWindow::currentDirectory() const
{
    return paths::nativeDirectory(QDir::currentPath());
}

// ---- Activation, closing ---------------------------------------------------

void EnvironmentSettingsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_activatePending)
        return;
    m_wasActive = false;
    m_activatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_activatePending)
                return;
            m_activatePending = false;
            if (isVisible())
                onActivated();
        },
        Qt::QueuedConnection);
}

void EnvironmentSettingsWindow::onActivated()
{
    // The cover shrinks away from the main area.
    int coverWidth = int(twips::fromPx(m_cover->width()));
    const int step = coverWidth / CoverSteps;
    for (int k = 0; k < CoverSteps; ++k) {
        coverWidth -= step;
        m_cover->resize(twips::toPx(coverWidth), m_cover->height());
        repaint();
    }

    DrivePaths& slot = m_context.drivePath;
    slot[1] = currentDirectory();
    LoadDrivePaths(m_context);
    for (int k = 1; k <= 3; ++k) {
        if (projectpaths::isBareDrive(slot[k]))
            slot[k] = paths::withTrailingSeparator(slot[k]);
    }

    m_tree->InitFolderTree(WindowTitle);

    for (int k = 1; k <= 3; ++k)
        m_savedPaths.at(k) = slot[k];
    m_activeBox = 1;

    for (int i = 0; i < 3; ++i) {
        m_pathBoxes.at(i)->setText(slot[i + 1]);
        m_focusText.at(i) = slot[i + 1];
    }
    setNamePanel(0, slot[2], Overview::FileName);
    setNamePanel(1, slot[3], Overview::FileName);

    LoadKojiList();

    if (m_lastFocus == m_pathBoxes[1])
        m_lastFocus = nullptr; // the focus steps run again on a new activation
    moveFocus(m_pathBoxes[1]);
}

void EnvironmentSettingsWindow::focusWindowChanged(QWindow* window)
{
    if (!isVisible() || !window)
        return;
    QWindow* mine = windowHandle();
    if (window == mine) {
        m_wasActive = true;
        if (m_deactivatePending)
            m_deactivatePending = false;
        if (m_activatePending) {
            // Activated again after a refused close: the activation steps run.
            m_activatePending = false;
            QMetaObject::invokeMethod(this, &EnvironmentSettingsWindow::onActivated,
                                      Qt::QueuedConnection);
        }
        return;
    }
    // Our own message boxes and dialogs, and popups, come and go.
    for (QWindow* w = window; w; w = w->transientParent()) {
        if (w == mine)
            return;
    }
    if (window->modality() != Qt::NonModal || window->type() == Qt::Popup ||
        window->type() == Qt::ToolTip)
        return;
    // Only a window that has been active can lose activation: the main window
    // taking the focus from the click that opened this one is none. While this
    // window is modal no other window of the launcher can be worked with.
    if (!m_wasActive || isModal())
        return;
    onDeactivated();
}

void EnvironmentSettingsWindow::onDeactivated()
{
    if (isBusy()) {
        m_deactivatePending = true;
        return;
    }
    if (!closeWindow(QDialog::Rejected))
        m_activatePending = true;
}

void EnvironmentSettingsWindow::treeBusyEnded()
{
    if (!m_deactivatePending)
        return;
    m_deactivatePending = false;
    QMetaObject::invokeMethod(
        this,
        [this] {
            QWindow* focus = QGuiApplication::focusWindow();
            if (isVisible() && focus && focus != windowHandle())
                focusWindowChanged(focus);
        },
        Qt::QueuedConnection);
}

bool EnvironmentSettingsWindow::prepareToClose()
{
    const DrivePaths& slot = m_context.drivePath;
    for (int k = 1; k <= 3; ++k) {
        if (trimBlanks(slot[k]).isEmpty())
            return false;
    }
    for (;;) {
        const int error = SaveDrivePaths(m_context);
        if (error == 0 ||
            DiskErrorMessage(m_context, error, m_context.installDir.path()) != Msg::ResultRetry)
            break;
    }
    LoadDrivePaths(m_context);
    return true;
}

bool EnvironmentSettingsWindow::closeWindow(int result)
{
    if (isBusy() || !prepareToClose())
        return false;
    returnMarkerToMenu();
    QDialog::done(result);
    return true;
}

void EnvironmentSettingsWindow::returnMarkerToMenu()
{
    // Whichever way the window closes, the menu is free again; without this a
    // window closed by its close box would leave the menu busy for good.
    const Markers markers(m_context.installDir);
    if (!markers.exists(Marker::App) || markers.exists(Marker::Menu))
        return;
    if (const int error = markers.rename(Marker::App, Marker::Menu);
        error != 0 && m_context.messages)
        m_context.messages->show(describeRenameFailure(Marker::App, Marker::Menu, error),
                                 WindowTitle, Msg::Ok + Msg::Exclamation);
}

void EnvironmentSettingsWindow::reject()
{
    // The close box.
    closeWindow(QDialog::Rejected);
}

void EnvironmentSettingsWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled())
            b->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool EnvironmentSettingsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int i = boxIndex(qobject_cast<QWidget*>(watched));
        if (i >= 0) {
            if (isBusy())
                return true;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                onPathBoxEnter(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Buttons ---------------------------------------------------------------

void EnvironmentSettingsWindow::onOkClicked()
{
    if (isBusy())
        return;
    DrivePaths& slot = m_context.drivePath;
    for (int k = 0; k < 3; ++k)
        slot[k + 1] = m_pathBoxes.at(k)->text();
    // A blank path keeps the window open before anything is stored.
    for (int k = 1; k <= 3; ++k) {
        if (trimBlanks(slot[k]).isEmpty())
            return;
    }
    QDir::setCurrent(slot[1]);
    SaveKojiList();
    closeWindow(QDialog::Accepted);
}

void EnvironmentSettingsWindow::onCancelClicked()
{
    if (isBusy() || !m_cancel->isEnabled())
        return;
    if (m_savedPaths[2].isEmpty() || m_savedPaths[3].isEmpty())
        return;
    DrivePaths& slot = m_context.drivePath;
    slot[2] = m_savedPaths[2];
    slot[3] = m_savedPaths[3];
    QDir::setCurrent(slot[1]);
    LoadDrivePaths(m_context);
    closeWindow(QDialog::Rejected);
}

void EnvironmentSettingsWindow::onHelpClicked()
{
    if (isBusy())
        return;
    m_context.messages->show(helpText(), HelpTitle, Msg::Ok);
}

void EnvironmentSettingsWindow::onDeleteClicked()
{
    if (isBusy())
        return;
    const QList<QListWidgetItem*> selected = m_registryList->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_registryList->row(selected.first());
    const QString entry = selected.first()->text();
    const QString name = kojiItemName(entry);
    m_message = name + u'\n' + QStringLiteral("の登録を削除します。");
    if (m_context.messages->show(m_message, DeleteTitle, Msg::OkCancel) != Msg::ResultOk)
        return;

    const QString directory = kojiItemDirectory(entry);
    const bool current = projectpaths::samePath(directory, m_pathBoxes[1]->text());
    delete m_registryList->takeItem(row);

    if (current) {
        const DeletionRefusal refusal = protectedDirectory(directory);
        if (refusal != DeletionRefusal::None) {
            m_message = QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + directory + u'\n' +
                        deletionRefusalText(refusal, RefusedAction::Delete) + u'\n' +
                        QStringLiteral("工事名称の登録のみ削除します。");
            m_context.messages->show(m_message, DeleteTitle, Msg::Ok + Msg::Exclamation);
        } else {
            m_message = QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + directory + u'\n' +
                        QStringLiteral("工事名称:") + name + QStringLiteral("\n\n") +
                        QStringLiteral("のデ－タファイル及びディレクトリも削除しますか？") + u'\n' +
                        QStringLiteral(
                            "必要なデ－タであれば、デ－タコピ－でバックアップを取って下さい。''") +
                        u'\n';
            if (m_context.messages->show(m_message, DeleteTitle,
                                         Msg::YesNo + Msg::Exclamation + Msg::Default2) ==
                Msg::ResultYes) {
                QGuiApplication::setOverrideCursor(Qt::WaitCursor);
                const int error = sendToRecycleBin(*m_context.platform, directory, true);
                QGuiApplication::restoreOverrideCursor();
                if (error == 0) {
                    QTreeWidgetItem* gone = m_tree->node(projectpaths::treeKey(directory));
                    QTreeWidgetItem* parent =
                        gone ? gone->parent() : m_tree->node(projectpaths::parentOf(directory));
                    m_tree->removeNode(gone);
                    QString parentPath = projectpaths::parentOf(directory);
                    if (parent && FolderTree::kindOf(parent) != FolderTree::NodeKind::Computer &&
                        FolderTree::kindOf(parent) != FolderTree::NodeKind::Desktop) {
                        m_tree->selectNode(parent);
                        m_tree->setDropHighlight(parent);
                        parentPath = FolderTree::pathOf(parent);
                    }
                    m_pathBoxes[1]->setText(parentPath);
                    m_focusText[1] = parentPath;
                    m_context.drivePath[2] = parentPath;
                    setNamePanel(0, parentPath, Overview::FileName);
                    // The deletion cannot be undone by cancel.
                    m_cancel->setEnabled(false);
                } else {
                    m_message = QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + directory + u'\n' +
                                QStringLiteral("ごみ箱へ移動できませんでした。");
                    m_context.messages->show(m_message, DeleteTitle, Msg::Ok + Msg::Exclamation);
                }
            }
        }
    }
    RenumberKojiList();
}

} // namespace lc
