// The environment settings window's three path boxes and the focus rules they
// follow: what a box checks when it is entered and left, and when Enter is pressed.

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
#include "overview/overviewfile.h"
#include "projectpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace lc::settingswindow;

namespace lc {

// ---- Focus -------------------------------------------------------------------

int EnvironmentSettingsWindow::boxIndex(const QWidget* widget) const
{
    for (int i = 0; i < 3; ++i) {
        if (widget && widget == m_pathBoxes.at(i))
            return i;
    }
    return -1;
}

bool EnvironmentSettingsWindow::isTreeItself(const QWidget* widget) const
{
    return widget && (widget == m_tree || widget == m_tree->viewport());
}

void EnvironmentSettingsWindow::focusChanged(QWidget* now)
{
    // Focus leaving the window for a message box or another program, and coming
    // back to where it was, is no focus change for the path boxes.
    if (!now || now->window() != this || now == m_lastFocus)
        return;
    focusTransition(now);
}

void EnvironmentSettingsWindow::moveFocus(QWidget* widget)
{
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    // An inactive window takes the focus only when it is activated: the path
    // boxes see the change now all the same.
    if (m_lastFocus != widget)
        focusTransition(widget);
}

void EnvironmentSettingsWindow::focusTransition(QWidget* now)
{
    const int from = boxIndex(m_lastFocus);
    if (from >= 0 && isTreeItself(now)) {
        // The tree does not take the focus from a path box.
        m_pathBoxes.at(from)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (from >= 0)
        onPathBoxFocusOut(from);
    m_lastFocus = now;
    const int to = boxIndex(now);
    if (to >= 0)
        onPathBoxFocusIn(to);
}

void EnvironmentSettingsWindow::refocusBox(int i)
{
    moveFocus(m_ok);
    moveFocus(m_pathBoxes.at(i));
}

void EnvironmentSettingsWindow::restoreBox(int i)
{
    m_pathBoxes.at(i)->setText(m_focusText.at(i));
}

// ---- Path boxes ------------------------------------------------------------

void EnvironmentSettingsWindow::onPathBoxFocusIn(int i)
{
    for (int k = 0; k < 3; ++k)
        setBoxColor(m_pathBoxes.at(k), k == i ? ActiveBoxColor : BoxColor);
    m_activeBox = i;

    QString path = m_context.drivePath[i + 1];
    int kind = DirectoryKind::Exists;
    CheckDirectory(m_context, path, kind, true);
    if (kind != DirectoryKind::Exists) {
        path = currentDirectory();
        m_context.drivePath[i + 1] = path;
        m_pathBoxes.at(i)->setText(path);
    }
    m_tree->ShowFolderInTree(path);

    m_picking = true;
    GetKojiName_Set();
    m_picking = false;

    QLineEdit* box = m_pathBoxes.at(i);
    box->setCursorPosition(int(box->text().size()));
    m_focusText.at(i) = box->text();
}

void EnvironmentSettingsWindow::onPathBoxFocusOut(int i)
{
    if (isBusy())
        return;
    // An edit not confirmed with Enter is discarded.
    if (!m_enterConfirmed)
        restoreBox(i);
    m_enterConfirmed = false;
}

void EnvironmentSettingsWindow::showUnsuitablePath()
{
    m_message = QStringLiteral("ディレクトリの設定が不適当です｡") + u'\n' +
                QStringLiteral("新しいディレクトリが作成出来") + u'\n' +
                QStringLiteral("ませんでした。");
    m_context.messages->show(m_message, WindowTitle, Msg::Ok + Msg::Critical);
}

void EnvironmentSettingsWindow::showDirectoryRefusal(const QString& path, const QString& reason)
{
    m_message = QStringLiteral("ﾃﾞｨﾚｸﾄﾘ :") + path + u'\n' + reason;
    m_context.messages->show(m_message, WindowTitle, Msg::Ok + Msg::Exclamation);
}

void EnvironmentSettingsWindow::showPathTooLong(const QString& path, const QString& refusal)
{
    showDirectoryRefusal(path, QStringLiteral("パスが１２８バイトを超えるため、") + refusal);
}

void EnvironmentSettingsWindow::onPathBoxEnter(int i)
{
    if (isBusy())
        return;
    const QString text = m_pathBoxes.at(i)->text();
    if (projectpaths::endsWithSeparator(trimTrailingBlanks(text)))
        return;
    if (paths::isFullPath(text) && ByteLen(text) > Koji::FieldWidth) {
        restoreBox(i);
        showPathTooLong(text, PickRefusal);
        refocusBox(i);
        return;
    }
    // A working path must be a full path that the settings files can hold (a
    // full path too long for them is refused above, naming its length).
    if (!paths::isFullPath(text) || !fitsCodePage(text)) {
        restoreBox(i);
        showUnsuitablePath();
        refocusBox(i);
        return;
    }

    for (bool created = false;;) {
        int kind = DirectoryKind::Exists;
        CheckDirectory(m_context, text, kind, true, true);
        if (kind == DirectoryKind::Exists)
            break;
        if (kind == DirectoryKind::Unreadable || created) {
            restoreBox(i);
            refocusBox(i);
            return;
        }
        // A file of that name leaves no room for the directory.
        if (const QFileInfo entry(text); entry.exists() && !entry.isDir()) {
            showDirectoryRefusal(text, QStringLiteral("同じ名前のファイルがあるため、\n"
                                                      "ディレクトリの設定が出来ません。"));
            restoreBox(i);
            refocusBox(i);
            return;
        }
        m_message = QStringLiteral("設定ディレクトリが見つかりません｡") + u'\n' +
                    QStringLiteral("新しいディレクトリを作成しますか？");
        if (m_context.messages->show(m_message, WindowTitle, Msg::OkCancel + Msg::Information) !=
            Msg::ResultOk) {
            restoreBox(i);
            refocusBox(i);
            return;
        }
        if (!QDir().mkdir(text)) {
            showUnsuitablePath();
            restoreBox(i);
            refocusBox(i);
            return;
        }
        created = true;
    }

    m_enterConfirmed = true;
    const int result = m_tree->ShowFolderInTree(text);
    m_enterConfirmed = false;
    switch (result) {
    case 0:
        m_enterConfirmed = true;
        m_context.drivePath[i + 1] = text;
        refocusBox(i);
        break;
    case 1:
        restoreBox(i);
        refocusBox(i);
        break;
    default:
        restoreBox(i);
        showUnsuitablePath();
        refocusBox(i);
        break;
    }
}

void EnvironmentSettingsWindow::onPathCaptionClicked(int i)
{
    if (isBusy())
        return;
    moveFocus(m_pathBoxes.at(i));
}

void EnvironmentSettingsWindow::onShowFolderClicked(int i)
{
    if (isBusy())
        return;
    const QString text = m_pathBoxes.at(i)->text();
    int kind = DirectoryKind::Exists;
    CheckDirectory(m_context, text, kind, true);
    if (kind != DirectoryKind::Exists)
        return;
    m_tree->ShowFolderInTree(text);
    if (QTreeWidgetItem* node = m_tree->node(projectpaths::treeKey(text)))
        m_tree->bringIntoView(node);
    moveFocus(m_pathBoxes.at(i));
}

void EnvironmentSettingsWindow::onImportKindClicked(int i)
{
    if (isBusy())
        return;
    // The options choose the overview file of the import directory.
    setNamePanel(1, m_context.drivePath[3], ImportFiles.at(i));
    moveFocus(m_pathBoxes[1]);
}

void EnvironmentSettingsWindow::setNamePanel(int panel, const QString& directory,
                                             const QString& fileName)
{
    const QString dir = paths::withoutTrailingSeparator(directory);
    QString name;
    if (!fileName.isEmpty() && !dir.isEmpty() &&
        QFileInfo(overviewFilePath(dir, fileName)).isFile())
        name = ReadKojiName(dir, fileName, Koji::PanelNameBytes);
    m_namePanel.at(panel)->setCaption(name);
}

} // namespace lc
