#pragma once

#include <QHash>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QTreeWidget>

namespace lc {

struct AppContext;

// The folder tree SSTree1 of the environment window: the desktop, the computer,
// its drives and, listed when their parent is first opened, the folders. Every
// node has a key (its path, as projectpaths::treeKey forms it; the two fixed
// nodes have their own keys) by which it is found.
//
// While the tree lists folders it lets pending events run now and then;
// TreeBusy is set meanwhile and the window's clicks, keys and close requests are
// held off, so no handler can change the tree under the listing.
class FolderTree : public QTreeWidget
{
    Q_OBJECT
public:
    enum class NodeKind { Desktop, Computer, Drive, Folder };

    static const QString DesktopKey;  // "ﾃﾞｽｸﾄｯﾌﾟ"
    static const QString ComputerKey; // "ﾏｲ ｺﾝﾋﾟｭｰﾀ"

    FolderTree(AppContext& context, QWidget* parent);
    ~FolderTree() override;

    // 1 while the tree is being filled.
    qint16 TreeBusy = 0;
    bool isBusy() const { return TreeBusy != 0; }

    // Rebuilds the tree: desktop, computer and drives; title is the title of the
    // tree's message boxes.
    void InitFolderTree(const QString& title);
    void AddDriveNodes();
    // Lists the node's sub-folders as child nodes (hidden folders are left out).
    void LoadFolderChildren(QTreeWidgetItem* node);
    // Opens the tree down to path and selects its node: 0 shown, 1 the user
    // declined to create the missing last folder (or it could not be created),
    // 2 a folder above the last one is missing.
    int ShowFolderInTree(const QString& path);

    const QString& title() const { return m_title; }

    // Nodes.
    QTreeWidgetItem* node(const QString& key) const;
    static QString keyOf(const QTreeWidgetItem* item);
    static NodeKind kindOf(const QTreeWidgetItem* item);
    // The directory a node stands for ("C:" -> "C:\").
    static QString pathOf(const QTreeWidgetItem* item);
    // A folder node under parent; empty marks a folder just created, which has
    // nothing to list.
    QTreeWidgetItem* addFolderNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                   bool empty = false);
    void removeNode(QTreeWidgetItem* item);
    // Gives a node and everything below it the keys under newKey.
    void rekey(QTreeWidgetItem* item, const QString& newKey);
    QStringList driveKeys() const { return m_driveKeys; }

    bool isLoaded(const QTreeWidgetItem* item) const;
    // Lists the node's children if that has not happened yet, then opens it.
    void expandNode(QTreeWidgetItem* item);
    void selectNode(QTreeWidgetItem* item);
    // Scrolls the node fully into view; sideways the tree stays at its left edge
    // unless the node is nested deeper than the tree is wide.
    void bringIntoView(QTreeWidgetItem* item);
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QTreeWidgetItem* dropHighlight() const { return m_dropHighlight; }
    void setDropHighlight(QTreeWidgetItem* item);

    // Starts editing the node's label; labelEditBegun comes first.
    void startLabelEdit(QTreeWidgetItem* item);
    bool isEditingLabel() const { return state() == QAbstractItemView::EditingState; }

Q_SIGNALS:
    void nodeClicked(QTreeWidgetItem* item);
    // A character key (Enter included) typed while no label is being edited;
    // Esc is discarded before.
    void keyTyped(int key);
    void labelEditBegun(QTreeWidgetItem* item);
    void labelEditEnded(QTreeWidgetItem* item, bool cancelled, const QString& newText);
    // TreeBusy went back to 0.
    void busyEnded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class TreeBusyScope;
    void enterBusy();
    void leaveBusy(qint16 previous);
    QTreeWidgetItem* makeNode(const QString& key, const QString& text, NodeKind kind,
                              int driveType = 0);
    void registerNode(QTreeWidgetItem* item);
    void forgetNode(QTreeWidgetItem* item);
    void clearNodes();
    void setLoadOnDemand(QTreeWidgetItem* item, bool on);
    void markLoaded(QTreeWidgetItem* item);
    void itemWasExpanded(QTreeWidgetItem* item);
    int askToCreate(QTreeWidgetItem* parent, const QString& key);

    AppContext& m_context;
    QString m_title;
    QHash<QString, QTreeWidgetItem*> m_nodes;
    QStringList m_driveKeys;
    QTreeWidgetItem* m_dropHighlight = nullptr;
    QIcon m_folderIcon;
    QPersistentModelIndex m_editIndex;
    bool m_editCommitted = false;
    QString m_editText;
    bool m_filtering = false;
};

// Sets TreeBusy for its lifetime and restores the previous value afterwards.
class TreeBusyScope
{
public:
    explicit TreeBusyScope(FolderTree& tree);
    ~TreeBusyScope();
    TreeBusyScope(const TreeBusyScope&) = delete;
    TreeBusyScope& operator=(const TreeBusyScope&) = delete;

private:
    FolderTree& m_tree;
    qint16 m_previous;
};

} // namespace lc
