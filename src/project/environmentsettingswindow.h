#pragma once

#include "kojiregistry.h"

#include <QDialog>
#include <QPointer>

#include <array>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidgetItem;
class QWindow;

namespace lc {

struct AppContext;
enum class DeletionRefusal;
class FolderTree;
class Panel3D;

// The environment settings window "[ Ｄata側Ｄrv,Ｄirの環境設定 ]": the three working
// paths, the project registry and the folder tree.
//
// The main window opens it modally from slot 6's panel and modeless from its
// icon, after renaming the marker "menu" to "app"; whichever way the window
// closes, it renames "app" back to "menu". Another window of the launcher
// becoming active closes it; its own message boxes do not.
class EnvironmentSettingsWindow : public QDialog
{
    Q_OBJECT
public:
    EnvironmentSettingsWindow(AppContext& context, QWidget* parent);
    ~EnvironmentSettingsWindow() override;

    // Refreshes the name panel of the active path box and, for the data box,
    // selects or registers the data directory in the registry list.
    void GetKojiName_Set();
    // The registry list from and to "omkojinm".
    void LoadKojiList();
    int SaveKojiList();
    void AddKojiEntry();
    void RenumberKojiList();

    int activeBox() const { return m_activeBox; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void onActivated();
    void onDeactivated();
    bool prepareToClose();
    bool closeWindow(int result);
    void returnMarkerToMenu();

    // Focus as the path boxes see it.
    void focusChanged(QWidget* now);
    void focusWindowChanged(QWindow* window);
    void moveFocus(QWidget* widget);
    void focusTransition(QWidget* now);
    int boxIndex(const QWidget* widget) const;
    bool isTreeItself(const QWidget* widget) const;
    void refocusBox(int i);
    void restoreBox(int i);

    void onPathBoxFocusIn(int i);
    void onPathBoxFocusOut(int i);
    void onPathBoxEnter(int i);
    void onPathCaptionClicked(int i);
    void onShowFolderClicked(int i);
    void onImportKindClicked(int i);
    void onRegistryClicked();
    void onRegistryDoubleClicked();
    void onOkClicked();
    void onCancelClicked();
    void onDeleteClicked();
    void onHelpClicked();

    void onTreeNodeClicked(QTreeWidgetItem* node);
    void onTreeKeyTyped(int key);
    void onTreeRenameBegun(QTreeWidgetItem* node);
    void onTreeRenameEnded(QTreeWidgetItem* node, bool cancelled, const QString& newText);
    void onTreeToolClicked(int i);
    void newFolder();
    void treeBusyEnded();

    QString currentDirectory() const;
    void showUnsuitablePath();
    // "ﾃﾞｨﾚｸﾄﾘ :" path, then why it is not taken.
    void showDirectoryRefusal(const QString& path, const QString& reason);
    // The 128-byte refusal for path, ending in refusal (what cannot be done).
    void showPathTooLong(const QString& path, const QString& refusal);
    void setNamePanel(int panel, const QString& directory, const QString& fileName);
    QStringList listItems() const;
    void setListItems(const QStringList& items);
    void replacePathPrefix(const QString& oldPath, const QString& newPath);
    // Why a directory may be neither deleted nor renamed (None when it may).
    DeletionRefusal protectedDirectory(const QString& directory) const;
    // The first path that a rename of oldPath to newPath would make longer than
    // a working path or a registry entry holds; empty when all fit.
    QString pathTooLongAfterRename(const QString& oldPath, const QString& newPath) const;
    bool isBusy() const;

    AppContext& m_context;

    // Controls.
    std::array<Panel3D*, 3> m_titlePanels{};
    Panel3D* m_cover = nullptr;
    Panel3D* m_frame = nullptr;
    std::array<Panel3D*, 3> m_caption{};
    std::array<QPushButton*, 3> m_folderButton{};
    std::array<QLineEdit*, 3> m_pathBoxes{};
    std::array<Panel3D*, 2> m_namePanel{};
    std::array<QRadioButton*, 4> m_importKinds{};
    QListWidget* m_registryList = nullptr;
    FolderTree* m_tree = nullptr;
    std::array<QToolButton*, 4> m_treeTools{};
    QPushButton* m_delete = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_ok = nullptr;

    // Window state.
    int m_activeBox = 1;
    std::array<QString, 4> m_savedPaths;
    std::array<QString, 3> m_focusText;
    // The registry's entries as they were read, written back unchanged.
    KojiRecordBytes m_kojiRecords;
    bool m_enterConfirmed = false;
    bool m_picking = false;
    int m_labelEditState = 0;
    QString m_renameOldPath;
    QString m_message;
    QPointer<QWidget> m_lastFocus;
    bool m_activatePending = false;
    bool m_deactivatePending = false;
    bool m_wasActive = false;
};

} // namespace lc
