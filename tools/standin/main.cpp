// A stand-in for a program of the suite: installed under each sibling program's
// file name, it takes part in the launcher's marker-file protocol.

#include "standinwindow.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString programName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    lc::standin::StandinWindow window(programName,
                                      lc::InstallDir(QCoreApplication::applicationDirPath()));
    window.show();
    window.startScript();
    return app.exec();
}
