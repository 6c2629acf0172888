#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace lc {

struct AppContext;
class CommandButton;
class PictureBox;

// The picture picker pre_view: drive, folder and file lists that follow each
// other, with a stretched preview of the file clicked. It opens on the current
// background: the folder bmp with IMAGE<n>.JPG selected, or the folder of the
// user's own file with that file selected. Shown modally; afterwards
// backimagefile() holds the chosen picture's full path, or is empty.
class PicturePickerDialog : public QDialog
{
    Q_OBJECT
public:
    PicturePickerDialog(AppContext& context, int backImageNo, const QString& backImageText, QWidget* parent);

    QString backimagefile() const;
    // The folder of the file last previewed (empty before the first).
    QString currentFolder() const { return m_currentFolder; }
    // The folder the file list shows.
    QString folder() const { return m_dirPath; }

private:
    void createControls();
    void openAt(int backImageNo, const QString& backImageText);
    void onDriveChanged(int index);
    void onFolderActivated(QTreeWidgetItem* item);
    void onFileClicked();
    void onButtonClicked(int index);

    // Makes path the folder of Dir1 and File1.
    void setDirPath(const QString& path);
    void fillFolders();
    void fillFiles();
    void selectDrive(const QString& root);
    // Asks the platform whether path can be listed, offering Retry on a disk error.
    bool reachable(const QString& path);
    QString selectedPath() const;

    AppContext& m_context;
    QComboBox* m_drives = nullptr;
    QTreeWidget* m_folders = nullptr;
    QListWidget* m_files = nullptr;
    PictureBox* m_preview = nullptr;
    std::array<CommandButton*, 2> m_buttons{};
    QLabel* m_backimagefile = nullptr;

    QString m_driveRoot;
    QString m_dirPath;
    QString m_currentFolder;
    bool m_previewed = false;
    bool m_previewFailed = false;
};

} // namespace lc
