#pragma once

#include "common/installdir.h"

#include <QStringList>
#include <QWidget>

class QLabel;

namespace lc::standin {

// The window of the stand-in sibling program. It plays a program of the suite
// towards the launcher: it can name its own window in app_hnd (by process id or
// by window title), delete app_hnd again, and when it is closed it hands the menu
// back by renaming the marker app to menu.
//
// A file "<own file name>.script" beside the program makes it run the commands of
// that file, one per line, and log to "<own file name>.log":
//   create_app_hnd_pid | create_app_hnd_title | delete_app_hnd
//   sleep <ms> | log <text> | close
class StandinWindow : public QWidget
{
    Q_OBJECT
public:
    explicit StandinWindow(const QString& programName, InstallDir installDir);

    // Reads the script if there is one; its commands run once the event loop runs.
    void startScript();

    void createAppHndWithPid();
    void createAppHndWithTitle();
    void deleteAppHnd();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runNextCommand();
    void report(const QString& what, int error);
    void appendLog(const QString& line);
    void refreshMarkers();

    QString m_programName;
    InstallDir m_installDir;
    QStringList m_script;
    qsizetype m_next = 0;
    bool m_scripted = false;
    QLabel* m_status = nullptr;
    QLabel* m_markers = nullptr;
};

} // namespace lc::standin
