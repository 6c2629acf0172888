#include "foldertree.h"

#include "common/appcontext.h"
#include "common/messagebox.h"
#include "folder.h"
#include "platform/platform.h"
#include "projectpaths.h"
#include "widgets/codepageinput.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>

#include <functional>
#include <optional>

namespace lc {

const QString FolderTree::DesktopKey = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ");
const QString FolderTree::ComputerKey = QStringLiteral("ﾏｲ ｺﾝﾋﾟｭｰﾀ");

namespace {

enum Role : int {
    KeyRole = Qt::UserRole,
    KindRole,
    LoadedRole,
};

// The hourglass while the tree works.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
        m_active = false;
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_active = true;
};

// The column is as wide as its names (ResizeToContents), and Qt measures the
// rows near the view for it at every change of the rows or the view. While a
// folder's nodes are added and opened it keeps its width; it is measured once
// when they are all there.
class ColumnWidthHold
{
public:
    explicit ColumnWidthHold(QHeaderView* header) : m_header(header)
    {
        if (m_header->sectionResizeMode(0) == QHeaderView::ResizeToContents)
            m_header->setSectionResizeMode(QHeaderView::Interactive);
        else
            m_header = nullptr; // held already
    }
    ~ColumnWidthHold()
    {
        if (!m_header)
            return;
        m_header->setSectionResizeMode(QHeaderView::ResizeToContents);
        m_header->resizeSections(QHeaderView::ResizeToContents);
    }
    ColumnWidthHold(const ColumnWidthHold&) = delete;
    ColumnWidthHold& operator=(const ColumnWidthHold&) = delete;

private:
    QHeaderView* m_header;
};

QIcon driveIcon(const QStyle* style, int type)
{
    switch (DriveType(type)) {
    case DriveType::Removable:
        return style->standardIcon(QStyle::SP_DriveFDIcon);
    case DriveType::Remote:
        return style->standardIcon(QStyle::SP_DriveNetIcon);
    case DriveType::CdRom:
        return style->standardIcon(QStyle::SP_DriveCDIcon);
    default:
        return style->standardIcon(QStyle::SP_DriveHDIcon);
    }
}

// "Folder", shown as "Selected" (an open folder) while the node is selected.
QIcon folderIcon(const QStyle* style)
{
    QIcon icon = style->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
    for (const QSize& size : open.availableSizes())
        icon.addPixmap(open.pixmap(size), QIcon::Selected);
    return icon;
}

bool isInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

TreeBusyScope::TreeBusyScope(FolderTree& tree) : m_tree(tree), m_previous(tree.TreeBusy)
{
    m_tree.enterBusy();
}

TreeBusyScope::~TreeBusyScope()
{
    m_tree.leaveBusy(m_previous);
}

FolderTree::FolderTree(AppContext& context, QWidget* parent)
    : QTreeWidget(parent), m_context(context)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setAnimated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A click may give the tree the focus, Tab never does: a path box would only
    // take it back.
    setFocusPolicy(Qt::ClickFocus);
    // Long folder names scroll sideways instead of being cut.
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        if (!isBusy())
            Q_EMIT nodeClicked(item);
    });
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::itemWasExpanded);
}

FolderTree::~FolderTree()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void FolderTree::enterBusy()
{
    TreeBusy = 1;
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
}

void FolderTree::leaveBusy(qint16 previous)
{
    TreeBusy = previous;
    if (TreeBusy == 0) {
        if (m_filtering) {
            qApp->removeEventFilter(this);
            m_filtering = false;
        }
        Q_EMIT busyEnded();
    }
}

bool FolderTree::eventFilter(QObject* watched, QEvent* event)
{
    // While listing, the window's own input waits; other windows go on working.
    if (isBusy() && isInputEvent(event->type()) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window()) {
        event->ignore();
        return true;
    }
    return QTreeWidget::eventFilter(watched, event);
}

// ---- Nodes -------------------------------------------------------------------

QTreeWidgetItem* FolderTree::makeNode(const QString& key, const QString& text, NodeKind kind,
                                      int driveType)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, KeyRole, key);
    item->setData(0, KindRole, int(kind));
    item->setData(0, LoadedRole, false);
    switch (kind) {
    case NodeKind::Desktop:
        item->setIcon(0, style()->standardIcon(QStyle::SP_DesktopIcon));
        break;
    case NodeKind::Computer:
        item->setIcon(0, style()->standardIcon(QStyle::SP_ComputerIcon));
        break;
    case NodeKind::Drive:
        item->setIcon(0, driveIcon(style(), driveType));
        break;
    case NodeKind::Folder:
        if (m_folderIcon.isNull())
            m_folderIcon = folderIcon(style());
        item->setIcon(0, m_folderIcon);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        break;
    }
    return item;
}

void FolderTree::registerNode(QTreeWidgetItem* item)
{
    m_nodes.insert(keyOf(item), item);
}

void FolderTree::forgetNode(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forgetNode(item->child(i));
    const auto it = m_nodes.constFind(keyOf(item));
    if (it != m_nodes.cend() && it.value() == item)
        m_nodes.erase(it);
    if (m_dropHighlight == item)
        m_dropHighlight = nullptr;
}

void FolderTree::clearNodes()
{
    m_nodes.clear();
    m_driveKeys.clear();
    m_dropHighlight = nullptr;
    clear();
}

QTreeWidgetItem* FolderTree::node(const QString& key) const
{
    if (key == DesktopKey || key == ComputerKey)
        return m_nodes.value(key);
    return m_nodes.value(projectpaths::treeKey(key));
}

QString FolderTree::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

FolderTree::NodeKind FolderTree::kindOf(const QTreeWidgetItem* item)
{
    return item ? NodeKind(item->data(0, KindRole).toInt()) : NodeKind::Desktop;
}

QString FolderTree::pathOf(const QTreeWidgetItem* item)
{
    const QString key = keyOf(item);
    return projectpaths::isBareDrive(key) ? paths::withTrailingSeparator(key) : key;
}

QTreeWidgetItem* FolderTree::addFolderNode(QTreeWidgetItem* parent, const QString& key,
                                           const QString& text, bool empty)
{
    if (!parent)
        return nullptr;
    if (QTreeWidgetItem* existing = node(key))
        return existing;
    QTreeWidgetItem* item = makeNode(projectpaths::treeKey(key), text, NodeKind::Folder);
    parent->addChild(item);
    registerNode(item);
    if (empty)
        markLoaded(item);
    return item;
}

void FolderTree::removeNode(QTreeWidgetItem* item)
{
    if (!item)
        return;
    forgetNode(item);
    delete item;
}

void FolderTree::rekey(QTreeWidgetItem* item, const QString& newKey)
{
    const QString oldKey = keyOf(item);
    forgetNode(item);
    // Keys below keep their tails under the new key.
    const std::function<void(QTreeWidgetItem*)> apply = [&](QTreeWidgetItem* n) {
        const QString key = keyOf(n);
        n->setData(0, KeyRole, newKey + key.mid(oldKey.size()));
        registerNode(n);
        for (int i = 0; i < n->childCount(); ++i)
            apply(n->child(i));
    };
    apply(item);
}

bool FolderTree::isLoaded(const QTreeWidgetItem* item) const
{
    return item && item->data(0, LoadedRole).toBool();
}

void FolderTree::setLoadOnDemand(QTreeWidgetItem* item, bool on)
{
    item->setChildIndicatorPolicy(on ? QTreeWidgetItem::ShowIndicator
                                     : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void FolderTree::markLoaded(QTreeWidgetItem* item)
{
    item->setData(0, LoadedRole, true);
    setLoadOnDemand(item, false);
}

void FolderTree::selectNode(QTreeWidgetItem* item)
{
    if (!item)
        return;
    setCurrentItem(item);
    item->setSelected(true);
    bringIntoView(item);
}

void FolderTree::bringIntoView(QTreeWidgetItem* item)
{
    scrollToItem(item);
}

void FolderTree::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTreeWidget::scrollTo(index, hint);
    // The view scrolls sideways to show the whole of a long name, which leaves
    // the other rows blank: names are read from their start at the left edge.
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(0);
    if (!index.isValid())
        return;
    // Only a node nested deeper than the tree is wide is shown from the start of
    // its text.
    const int margin = indentation() * 2;
    const int textLeft = visualRect(index).left();
    if (textLeft > viewport()->width() - margin)
        bar->setValue(textLeft - margin);
}

void FolderTree::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    // A scroll bar that appears after the node was brought into view takes the
    // bottom row: the node that was in view stays fully in view.
    if (QTreeWidgetItem* item = currentItem()) {
        const QRect rect = visualItemRect(item);
        const int height = viewport()->height();
        if (rect.isValid() && rect.top() < height && rect.bottom() >= height)
            scrollToItem(item);
    }
}

void FolderTree::setDropHighlight(QTreeWidgetItem* item)
{
    if (m_dropHighlight == item)
        return;
    if (m_dropHighlight) {
        QFont f = m_dropHighlight->font(0);
        f.setBold(false);
        m_dropHighlight->setFont(0, f);
    }
    m_dropHighlight = item;
    if (item) {
        QFont f = item->font(0);
        f.setBold(true);
        item->setFont(0, f);
    }
}

void FolderTree::expandNode(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (!isLoaded(item) && kindOf(item) != NodeKind::Desktop && kindOf(item) != NodeKind::Computer)
        LoadFolderChildren(item);
    item->setExpanded(true);
}

void FolderTree::itemWasExpanded(QTreeWidgetItem* item)
{
    // A node opened by the user lists its folders the first time; the tree's own
    // work lists them itself.
    if (isBusy() || isLoaded(item))
        return;
    WaitCursor wait;
    LoadFolderChildren(item);
}

// ---- Building the tree -------------------------------------------------------

void FolderTree::InitFolderTree(const QString& title)
{
    m_title = title;
    TreeBusyScope busy(*this);
    clearNodes();
    QTreeWidgetItem* desktop = makeNode(DesktopKey, DesktopKey, NodeKind::Desktop);
    addTopLevelItem(desktop);
    registerNode(desktop);
    QTreeWidgetItem* computer = makeNode(ComputerKey, ComputerKey, NodeKind::Computer);
    desktop->addChild(computer);
    registerNode(computer);
    markLoaded(desktop);
    markLoaded(computer);
    AddDriveNodes();
    desktop->setExpanded(true);
    computer->setExpanded(true);
    selectNode(computer);
}

void FolderTree::AddDriveNodes()
{
    QTreeWidgetItem* computer = node(ComputerKey);
    if (!computer || !m_context.platform)
        return;
    Platform& platform = *m_context.platform;
    for (const QString& root : platform.driveRoots()) {
        const QString key = projectpaths::treeKey(root);
        if (key.isEmpty() || m_nodes.contains(key))
            continue;
        const DriveType type = platform.driveType(root);
        const QString text = type == DriveType::Fixed
                                 ? platform.volumeLabel(root) + QStringLiteral(" (") + key + u')'
                                 : u'(' + key + u')';
        QTreeWidgetItem* item = makeNode(key, text, NodeKind::Drive, int(type));
        computer->addChild(item);
        registerNode(item);
        setLoadOnDemand(item, true);
        m_driveKeys.append(key);
    }
}

void FolderTree::LoadFolderChildren(QTreeWidgetItem* node)
{
    if (!node)
        return;
    TreeBusyScope busy(*this);
    ColumnWidthHold hold(header());
    const QString key = keyOf(node);
    const QString path = pathOf(node);
    EventPump pump;
    const QList<SubfolderEntry> entries = listSubfolders(path, &pump);

    // A link that leads back to the node or above it would open the same folders
    // again and again: it is shown, but not opened.
    QStringList ancestors;
    auto leadsUp = [&](const QString& childPath) {
        if (ancestors.isEmpty()) {
            for (QTreeWidgetItem* up = node; up && kindOf(up) != NodeKind::Computer;
                 up = up->parent())
                ancestors.append(QFileInfo(pathOf(up)).canonicalFilePath());
        }
        const QString target = QFileInfo(childPath).canonicalFilePath();
        return target.isEmpty() || ancestors.contains(target);
    };

    struct Child
    {
        const SubfolderEntry* entry;
        QString key;
        bool opens;
    };
    QList<Child> listed;
    QStringList probed; // the folders to look into for an expand mark
    listed.reserve(entries.size());
    probed.reserve(entries.size());
    for (const SubfolderEntry& entry : entries) {
        QString childKey = projectpaths::treeKey(projectpaths::join(key, entry.name));
        // A mount point shown as a drive of its own, or a node already there.
        if (m_nodes.contains(childKey))
            continue;
        QString childPath = projectpaths::join(path, entry.name);
        const bool opens = !(entry.isLink && leadsUp(childPath));
        if (opens)
            probed.append(std::move(childPath));
        listed.append({&entry, std::move(childKey), opens});
    }
    // The probes run while the nodes are made.
    SubfolderProbes probes(std::move(probed));
    QList<QTreeWidgetItem*> children;
    QList<QTreeWidgetItem*> probedNodes;
    children.reserve(listed.size());
    probedNodes.reserve(listed.size());
    for (const Child& c : listed) {
        QTreeWidgetItem* child = makeNode(c.key, c.entry->displayName, NodeKind::Folder);
        if (c.opens)
            probedNodes.append(child);
        else
            markLoaded(child);
        children.append(child);
        pump.tick();
    }
    const QList<bool> marks = probes.results(&pump);
    for (qsizetype i = 0; i < marks.size(); ++i) {
        if (marks.at(i))
            setLoadOnDemand(probedNodes.at(i), true);
    }
    // Added in portions, so that a long list shows up while it grows and the
    // window keeps painting.
    constexpr qsizetype Portion = 250;
    for (qsizetype first = 0; first < children.size(); first += Portion) {
        const QList<QTreeWidgetItem*> portion = children.mid(first, Portion);
        node->addChildren(portion);
        for (QTreeWidgetItem* child : portion)
            registerNode(child);
        pump.tick();
    }
    markLoaded(node);
}

int FolderTree::ShowFolderInTree(const QString& path)
{
    TreeBusyScope busy(*this);
    WaitCursor wait;
    std::optional<ColumnWidthHold> hold(header());
    const QString key = projectpaths::treeKey(path);
    QTreeWidgetItem* item = node(key);
    if (!item) {
        const QString drive = projectpaths::driveKeyOf(key, m_driveKeys);
        QTreeWidgetItem* previous = nullptr;
        for (const QString& prefix : projectpaths::walkPrefixes(key, drive)) {
            QTreeWidgetItem* step = node(prefix);
            if (!step && previous) {
                if (!isLoaded(previous))
                    LoadFolderChildren(previous);
                step = node(prefix);
                // A hidden folder is not listed but may still be the way down.
                if (!step && QFileInfo(prefix).isDir())
                    step = addFolderNode(
                        previous, prefix,
                        projectpaths::folderDisplayName(projectpaths::lastComponent(prefix)));
            }
            if (!step)
                break;
            previous = step;
        }
        item = node(key);
    }
    wait.restore();

    if (item) {
        expandNode(item);
        hold.reset();
        // The bold label before the selection: the opened folder is then laid out
        // once, when the selection brings the node into view.
        setDropHighlight(item);
        selectNode(item);
        return 0;
    }
    QTreeWidgetItem* parent = node(projectpaths::parentOf(key));
    if (parent)
        expandNode(parent);
    hold.reset();
    if (!parent)
        return 2;
    return askToCreate(parent, key);
}

int FolderTree::askToCreate(QTreeWidgetItem* parent, const QString& key)
{
    if (!m_context.messages)
        return 1;
    const QString text = QStringLiteral("設定ディレクトリが見つかりません｡") + u'\n' +
                         QStringLiteral("新しいディレクトリ[") + key +
                         QStringLiteral("]を作成しますか？");
    if (m_context.messages->show(text, m_title, Msg::OkCancel + Msg::Information) != Msg::ResultOk)
        return 1;
    if (!QDir().mkdir(key)) {
        m_context.messages->show(QStringLiteral("ディレクトリの設定が不適当です｡") + u'\n' +
                                     QStringLiteral("新しいディレクトリが作成出来") + u'\n' +
                                     QStringLiteral("ませんでした。"),
                                 m_title, Msg::Ok + Msg::Critical);
        return 1;
    }
    QTreeWidgetItem* item = addFolderNode(parent, key, projectpaths::lastComponent(key), true);
    selectNode(item);
    setDropHighlight(item);
    return 0;
}

// ---- Keys and label editing --------------------------------------------------

void FolderTree::keyPressEvent(QKeyEvent* event)
{
    if (isEditingLabel()) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    const int key = event->key();
    const bool typed = !event->text().isEmpty();
    QTreeWidget::keyPressEvent(event);
    if (typed && !isBusy())
        Q_EMIT keyTyped(key);
}

void FolderTree::startLabelEdit(QTreeWidgetItem* item)
{
    if (!item || isBusy())
        return;
    Q_EMIT labelEditBegun(item);
    bringIntoView(item);
    editItem(item, 0);
}

bool FolderTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool started = QTreeWidget::edit(index, trigger, event);
    if (started && state() == QAbstractItemView::EditingState) {
        m_editIndex = index;
        m_editCommitted = false;
        m_editText.clear();
        if (auto* line = qobject_cast<QLineEdit*>(indexWidget(index)))
            keepToCodePage(line);
    }
    return started;
}

void FolderTree::commitData(QWidget* editor)
{
    // The label changes only when the folder could be renamed: the window
    // decides in labelEditEnded and sets the text itself.
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        m_editText = line->text();
        m_editCommitted = true;
    }
}

void FolderTree::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    if (!m_editIndex.isValid())
        return;
    QTreeWidgetItem* item = itemFromIndex(m_editIndex);
    const bool cancelled = !m_editCommitted;
    const QString text = m_editText;
    m_editIndex = QPersistentModelIndex();
    m_editCommitted = false;
    m_editText.clear();
    if (item)
        Q_EMIT labelEditEnded(item, cancelled, text);
}

} // namespace lc
