// The environment settings window's folder tree: picking, renaming, new folders,
// and what a rename or a deletion must leave alone.

#include "environmentsettingswindow.h"
#include "environmentsettingswindow_p.h"

#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/messagebox.h"
#include "common/pathrules.h"
#include "folder.h"
#include "foldertree.h"
#include "kojiregistry.h"
#include "platform/platform.h"
#include "projectpaths.h"
#include "recyclebin.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace lc::settingswindow;

namespace lc {
namespace {

QString nativeOrRaw(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : paths::nativeDirectory(canonical);
}

// Where path lies once the folder oldPath is renamed to newPath; empty when the
// rename does not move it.
QString pathAfterRename(const QString& path, const QString& oldPath, const QString& newPath)
{
    const QString oldBase = paths::withoutTrailingSeparator(oldPath);
    if (projectpaths::samePath(path, oldBase))
        return newPath;
    if (projectpaths::isInside(path, oldBase))
        return newPath + path.mid(oldBase.size());
    return {};
}

} // namespace

// ---- Folder tree -----------------------------------------------------------

void EnvironmentSettingsWindow::onTreeNodeClicked(QTreeWidgetItem* node)
{
    if (isBusy() || !node)
        return;
    QLineEdit* box = m_pathBoxes.at(m_activeBox);
    const FolderTree::NodeKind kind = FolderTree::kindOf(node);
    if (kind == FolderTree::NodeKind::Desktop || kind == FolderTree::NodeKind::Computer) {
        moveFocus(box);
        return;
    }
    const QString path = FolderTree::pathOf(node);
    int check = DirectoryKind::Exists;
    CheckDirectory(m_context, path, check, true);
    if (check != DirectoryKind::Exists) {
        moveFocus(box);
        return;
    }
    if (ByteLen(path) > Koji::FieldWidth) {
        showPathTooLong(path, PickRefusal);
        moveFocus(box);
        return;
    }
    m_tree->setDropHighlight(node);
    box->setText(path);
    // A folder picked in the tree is a confirmed choice.
    m_focusText.at(m_activeBox) = path;
    m_context.drivePath[m_activeBox + 1] = path;
    m_picking = true;
    GetKojiName_Set();
    m_picking = false;
}

void EnvironmentSettingsWindow::onTreeKeyTyped(int key)
{
    Q_UNUSED(key);
    if (isBusy() || m_tree->isEditingLabel())
        return;
    if (QTreeWidgetItem* node = m_tree->currentItem())
        onTreeNodeClicked(node);
}

void EnvironmentSettingsWindow::onTreeRenameBegun(QTreeWidgetItem* node)
{
    onTreeNodeClicked(node);
}

void EnvironmentSettingsWindow::onTreeRenameEnded(QTreeWidgetItem* node, bool cancelled,
                                                  const QString& newText)
{
    const int state = m_labelEditState;
    m_labelEditState = 0;
    if (cancelled || isBusy() || !node || !node->parent() || newText == node->text(0))
        return;
    const QString oldPath =
        state == 1 && !m_renameOldPath.isEmpty() ? m_renameOldPath : FolderTree::pathOf(node);
    const QString newPath = projectpaths::join(FolderTree::pathOf(node->parent()), newText);
    if (!projectpaths::isValidFolderName(newText) || !fitsCodePage(newText)) {
        m_context.messages->show(QStringLiteral("フォルダ名[") + newText +
                                     QStringLiteral("]は使用できません。"),
                                 WindowTitle, Msg::Ok + Msg::Exclamation);
        return;
    }
    // A name that is taken already, also by a sibling that differs only in
    // letter case: the label keeps its old text.
    if (nameTakenIn(FolderTree::pathOf(node->parent()), newText,
                    projectpaths::lastComponent(oldPath)))
        return;
    // The suite's own folders keep their names: the main menu and the sibling
    // programs find them by these paths.
    if (const DeletionRefusal refusal = protectedDirectory(oldPath);
        refusal != DeletionRefusal::None) {
        m_context.messages->show(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + oldPath + u'\n' +
                                     deletionRefusalText(refusal, RefusedAction::Rename),
                                 WindowTitle, Msg::Ok + Msg::Exclamation);
        return;
    }
    // The working paths and the registry hold at most 128 bytes: a longer path
    // would be stored cut and lost at the next start.
    if (const QString tooLong = pathTooLongAfterRename(oldPath, newPath); !tooLong.isEmpty()) {
        showPathTooLong(tooLong, QStringLiteral("フォルダ名を変更できません。"));
        return;
    }
    if (!QDir().rename(oldPath, newPath)) {
        m_context.messages->show(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + oldPath + u'\n' +
                                     QStringLiteral("フォルダ名を変更できませんでした。"),
                                 WindowTitle, Msg::Ok + Msg::Exclamation);
        return;
    }
    m_tree->rekey(node, projectpaths::treeKey(newPath));
    node->setText(0, newText);
    m_tree->setDropHighlight(node);
    const QString newKey = FolderTree::pathOf(node);

    m_context.drivePath[m_activeBox + 1] = newKey;
    m_pathBoxes.at(m_activeBox)->setText(newKey);
    m_focusText.at(m_activeBox) = newKey;
    replacePathPrefix(oldPath, newKey);
}

DeletionRefusal EnvironmentSettingsWindow::protectedDirectory(const QString& directory) const
{
    // Directories whose loss would take the suite or the user's files with it,
    // as typed and with symbolic links resolved.
    DeletionFacts facts;
    facts.installDir = paths::nativeDirectory(m_context.installDir.path());
    facts.homeDir = paths::nativeDirectory(QDir::homePath());
    facts.driveRoots = m_context.platform->driveRoots();
    DeletionRefusal refusal = DeletionRefusal::None;
    for (const QString& master : {m_context.drivePath[1], m_pathBoxes[0]->text()}) {
        for (const QString& import : {m_context.drivePath[3], m_pathBoxes[2]->text()}) {
            facts.masterDir = master;
            facts.importDir = import;
            if (refusal == DeletionRefusal::None)
                refusal = deletionRefusal(directory, facts);
            DeletionFacts real = facts;
            real.installDir = nativeOrRaw(facts.installDir);
            real.homeDir = nativeOrRaw(facts.homeDir);
            real.masterDir = nativeOrRaw(master);
            real.importDir = nativeOrRaw(import);
            if (refusal == DeletionRefusal::None)
                refusal = deletionRefusal(nativeOrRaw(directory), real);
        }
    }
    return refusal;
}

QString EnvironmentSettingsWindow::pathTooLongAfterRename(const QString& oldPath,
                                                          const QString& newPath) const
{
    if (ByteLen(newPath) > Koji::FieldWidth)
        return newPath;
    QStringList affected;
    for (int k = 1; k <= 3; ++k)
        affected << m_context.drivePath[k] << m_pathBoxes.at(k - 1)->text();
    for (const QString& item : listItems())
        affected << kojiItemDirectory(item);
    for (const QString& path : std::as_const(affected)) {
        const QString moved = pathAfterRename(path, oldPath, newPath);
        if (ByteLen(moved) > Koji::FieldWidth)
            return moved;
    }
    return {};
}

void EnvironmentSettingsWindow::replacePathPrefix(const QString& oldPath, const QString& newPath)
{
    auto moved = [&](const QString& path) { return pathAfterRename(path, oldPath, newPath); };
    // The working paths inside the renamed folder follow it.
    for (int k = 1; k <= 3; ++k) {
        const QString slot = moved(m_context.drivePath[k]);
        if (!slot.isEmpty())
            m_context.drivePath[k] = slot;
        const QString text = moved(m_pathBoxes.at(k - 1)->text());
        if (!text.isEmpty()) {
            m_pathBoxes.at(k - 1)->setText(text);
            m_focusText.at(k - 1) = text;
        }
    }
    // So do the registered projects; the registry is written at once.
    QStringList items = listItems();
    int first = -1;
    bool changed = false;
    for (qsizetype r = 0; r < items.size(); ++r) {
        const QString dir = kojiItemDirectory(items.at(r));
        const QString newDir = moved(dir);
        if (newDir.isEmpty())
            continue;
        items[r] = kojiItemWithDirectory(items.at(r), newDir);
        changed = true;
        if (first < 0 && newDir == newPath)
            first = int(r);
    }
    if (!changed)
        return;
    setListItems(items);
    if (first >= 0)
        m_registryList->setCurrentRow(first);
    SaveKojiList();
}

void EnvironmentSettingsWindow::onTreeToolClicked(int i)
{
    if (isBusy())
        return;
    QTreeWidgetItem* selected = m_tree->currentItem();
    switch (i) {
    case 0:
        if (selected && FolderTree::kindOf(selected) != FolderTree::NodeKind::Desktop &&
            selected->parent()) {
            QTreeWidgetItem* parent = selected->parent();
            m_tree->setDropHighlight(parent);
            m_tree->selectNode(parent);
            onTreeNodeClicked(parent);
        }
        break;
    case 1:
        newFolder();
        break;
    case 2:
        if (selected && FolderTree::kindOf(selected) == FolderTree::NodeKind::Folder) {
            m_renameOldPath = FolderTree::pathOf(selected);
            m_labelEditState = 1;
            m_tree->startLabelEdit(selected);
        }
        break;
    case 3:
        moveFocus(m_ok);
        m_tree->InitFolderTree(WindowTitle);
        moveFocus(m_pathBoxes[0]);
        break;
    default:
        break;
    }
}

void EnvironmentSettingsWindow::newFolder()
{
    QTreeWidgetItem* selected = m_tree->currentItem();
    if (!selected || FolderTree::kindOf(selected) == FolderTree::NodeKind::Desktop ||
        FolderTree::kindOf(selected) == FolderTree::NodeKind::Computer)
        return;
    // The folder's own sub-folders are listed first, so the new one is not
    // listed a second time later.
    m_tree->expandNode(selected);
    const QString base = FolderTree::pathOf(selected);
    QString name;
    QString path;
    for (int n = 1; n < 10000; ++n) {
        if (!nameTakenIn(base, projectpaths::newFolderName(n))) {
            name = projectpaths::newFolderName(n);
            path = projectpaths::join(base, name);
            break;
        }
    }
    if (name.isEmpty() || !QDir().mkdir(path)) {
        m_context.messages->show(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + base + u'\n' +
                                     QStringLiteral("新しいフォルダを作成できませんでした。"),
                                 WindowTitle, Msg::Ok + Msg::Exclamation);
        return;
    }
    QTreeWidgetItem* node =
        m_tree->addFolderNode(selected, projectpaths::treeKey(path), name, true);
    m_tree->selectNode(node);
    m_tree->viewport()->repaint();
    m_labelEditState = 2;
    m_tree->startLabelEdit(node);
}

} // namespace lc
