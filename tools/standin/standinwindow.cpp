#include "standinwindow.h"

#include "common/markers.h"
#include "common/quotedfields.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace lc::standin {

namespace {
// A script is a small text file of ours; anything beyond this is not one.
constexpr qint64 MaxScriptBytes = 1 << 20;
} // namespace

StandinWindow::StandinWindow(const QString& programName, InstallDir installDir)
    : m_programName(programName), m_installDir(std::move(installDir))
{
    setObjectName(QStringLiteral("standin"));
    setWindowTitle(programName);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("%1（代替プログラム）").arg(programName), this);
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);

    auto* pid = new QLabel(
        QStringLiteral("プロセス番号: %1").arg(QCoreApplication::applicationPid()), this);
    pid->setObjectName(QStringLiteral("pidLabel"));
    pid->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(pid);
    auto* cwd = new QLabel(
        QStringLiteral("作業フォルダ: %1").arg(QDir::toNativeSeparators(QDir::currentPath())),
        this);
    cwd->setObjectName(QStringLiteral("cwdLabel"));
    cwd->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(cwd);
    m_markers = new QLabel(this);
    m_markers->setObjectName(QStringLiteral("markersLabel"));
    layout->addWidget(m_markers);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const QString& name, const QString& caption,
                         void (StandinWindow::*action)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
    };
    addButton(QStringLiteral("createAppHndPid"), QStringLiteral("app_hnd を作成（番号）"),
              &StandinWindow::createAppHndWithPid);
    addButton(QStringLiteral("createAppHndTitle"), QStringLiteral("app_hnd を作成（名前）"),
              &StandinWindow::createAppHndWithTitle);
    addButton(QStringLiteral("deleteAppHnd"), QStringLiteral("app_hnd を削除"),
              &StandinWindow::deleteAppHnd);
    layout->addLayout(buttons);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    layout->addWidget(m_status);

    auto* close = new QPushButton(QStringLiteral("終了"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(close, 0, Qt::AlignRight);

    refreshMarkers();
}

void StandinWindow::startScript()
{
    QFile file(m_installDir.file(m_programName + QStringLiteral(".script")));
    if (!file.exists())
        return;
    m_scripted = true;
    appendLog(QStringLiteral("started pid=%1 cwd=%2")
                  .arg(QCoreApplication::applicationPid())
                  .arg(QDir::currentPath()));
    if (!file.open(QIODevice::ReadOnly)) {
        appendLog(QStringLiteral("error cannot read %1").arg(file.fileName()));
        return;
    }
    const QString text = QString::fromUtf8(file.read(MaxScriptBytes));
    for (const QString& line : text.split(u'\n')) {
        const QString command = line.trimmed();
        if (!command.isEmpty() && !command.startsWith(u'#'))
            m_script.append(command);
    }
    QTimer::singleShot(0, this, &StandinWindow::runNextCommand);
}

void StandinWindow::runNextCommand()
{
    if (m_next >= m_script.size())
        return;
    const QString line = m_script.at(m_next++);
    const qsizetype blank = line.indexOf(u' ');
    const QString command = blank < 0 ? line : line.left(blank);
    const QString argument = blank < 0 ? QString() : line.mid(blank + 1).trimmed();

    int delay = 0;
    if (command == QLatin1String("create_app_hnd_pid")) {
        createAppHndWithPid();
    } else if (command == QLatin1String("create_app_hnd_title")) {
        createAppHndWithTitle();
    } else if (command == QLatin1String("delete_app_hnd")) {
        deleteAppHnd();
    } else if (command == QLatin1String("log")) {
        appendLog(argument);
    } else if (command == QLatin1String("sleep")) {
        bool ok = false;
        delay = argument.toInt(&ok);
        if (!ok || delay < 0) {
            appendLog(QStringLiteral("error bad sleep: %1").arg(line));
            delay = 0;
        }
    } else if (command == QLatin1String("close")) {
        close();
        return;
    } else if (command == QLatin1String("crash")) {
        // Ends as a program that crashed: no marker is given back.
        appendLog(QStringLiteral("crash"));
        std::_Exit(3);
    } else {
        appendLog(QStringLiteral("error unknown command: %1").arg(line));
    }
    QTimer::singleShot(delay, this, &StandinWindow::runNextCommand);
}

void StandinWindow::createAppHndWithPid()
{
    const qint64 pid = QCoreApplication::applicationPid();
    report(QStringLiteral("app_hnd にプロセス番号 %1 を書きました").arg(pid),
           Markers(m_installDir).write(Marker::AppHnd, writeQuotedRecord({pid})));
}

void StandinWindow::createAppHndWithTitle()
{
    report(QStringLiteral("app_hnd にウィンドウ名「%1」を書きました").arg(windowTitle()),
           Markers(m_installDir).write(Marker::AppHnd, writeQuotedRecord({windowTitle()})));
}

void StandinWindow::deleteAppHnd()
{
    report(QStringLiteral("app_hnd を削除しました"), Markers(m_installDir).remove(Marker::AppHnd));
}

void StandinWindow::closeEvent(QCloseEvent* event)
{
    // Hand the menu back, as every program of the suite does when it ends.
    const Markers markers(m_installDir);
    if (markers.exists(Marker::App) && !markers.exists(Marker::Menu)) {
        const int error = markers.rename(Marker::App, Marker::Menu);
        if (error != 0 && m_scripted)
            appendLog(QStringLiteral("error rename app menu: %1").arg(error));
    }
    event->accept();
}

void StandinWindow::report(const QString& what, int error)
{
    if (error == 0) {
        m_status->setText(what);
    } else {
        m_status->setText(QStringLiteral("失敗しました（エラー %1）").arg(error));
        if (m_scripted)
            appendLog(QStringLiteral("error %1").arg(error));
    }
    refreshMarkers();
}

void StandinWindow::appendLog(const QString& line)
{
    QFile log(m_installDir.file(m_programName + QStringLiteral(".log")));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(line.toUtf8() + '\n');
}

void StandinWindow::refreshMarkers()
{
    QStringList present;
    for (const QString& name :
         {Marker::Menu, Marker::App, Marker::Sub, Marker::AppHnd, Marker::AppHndDat})
        if (m_installDir.exists(name))
            present.append(name);
    m_markers->setText(
        QStringLiteral("制御ファイル: %1")
            .arg(present.isEmpty() ? QStringLiteral("なし") : present.join(QStringLiteral(", "))));
}

} // namespace lc::standin
