// The main window starting a slot's program and following it through the markers
// of the installation directory until the menu is idle again.

#include "mainmenuwindow.h"
#include "mainmenuwindow_p.h"

#include "apphnd.h"
#include "common/appcontext.h"
#include "common/markers.h"
#include "common/messagebox.h"
#include "common/quotedfields.h"
#include "othersystemswindow.h"
#include "platform/platform.h"
#include "project/environmentsettingswindow.h"
#include "taskwatch.h"
#include "widgets/commandbutton.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/windoworder.h"

#include <QApplication>

using namespace lc::mainmenu;

namespace lc {

// ---- Launching ----------------------------------------------------------------

void MainMenuWindow::onSlotPanelClicked(int k)
{
    if (m_slotPanels[k]->caption().isEmpty() || m_launchBusy != 0)
        return;
    launch(k, LaunchKind::Panel);
}

void MainMenuWindow::onSlotIconClicked(int k)
{
    if (m_launchBusy != 0 || !m_slotIcons[k]->isVisible() || !m_slotIcons[k]->isEnabled())
        return;
    launch(k, LaunchKind::Icon);
}

void MainMenuWindow::launch(int k, LaunchKind kind)
{
    const bool panel = kind == LaunchKind::Panel;
    const Markers markers(m_context.installDir);
    if (panel)
        markers.remove(Marker::AppHndDat);
    m_launchBusy = 1;
    m_watcher.setFallbackPolling(true);
    m_launchedSlot = k;
    m_shared.StartedTask = 0;
    m_endedLooks = 0;
    m_taskWatch.start();
    GrowBar(k, !panel);
    m_overviewButton->setEnabled(false);
    m_exitButton->setEnabled(false);

    const QString marker = k == 5 ? Marker::Sub : Marker::App;
    if (!renameMarker(Marker::Menu, marker)) {
        abandonLaunch(k, QString());
        return;
    }

    if (k <= 4) {
        const bool armsTimer = k == 0 || k == 4 || (panel && (k == 1 || k == 2));
        if (!startProgram(k, ProgramSlots[k].startAs)) {
            abandonLaunch(k, marker);
            return;
        }
        if (armsTimer)
            armTimer1();
        if (panel && (k == 1 || k == 2)) {
            // The started program takes the launcher's place.
            m_ended = true;
            setTimerInterval(m_appHndAppears, 0);
            setTimerInterval(m_appHndGone, 0);
            close();
            Q_EMIT endRequested();
            return;
        }
    } else if (k == 5) {
        if (panel)
            m_shared.AppTask[0] = TaskRef();
        openOtherSystemsWindow(panel);
    } else {
        if (panel)
            m_shared.AppTask[0] = TaskRef();
        openSettingsWindow(panel);
    }

    if (panel && !m_shared.AppTask[0].isZero() && m_shared.AppTask[0].id != 0) {
        const int err =
            markers.write(Marker::AppHndDat, writeQuotedRecord({m_shared.AppTask[0].id}));
        if (err != 0) {
            m_context.messages->show(
                QStringLiteral("ファイル「app_hnd.dat」を書き込めません。（エラー %1）").arg(err),
                MessageTitle, Msg::Ok | Msg::Exclamation);
        }
    }
}

bool MainMenuWindow::renameMarker(const QString& from, const QString& to)
{
    const int err = Markers(m_context.installDir).rename(from, to);
    if (err == 0)
        return true;
    m_context.messages->show(describeRenameFailure(from, to, err), MessageTitle,
                             Msg::Ok | Msg::Exclamation);
    return false;
}

bool MainMenuWindow::startProgram(int k, const QString& file)
{
    const QString program = m_context.installDir.file(file);
    const StartResult result =
        m_context.platform->startProgram(program, m_context.installDir.path());
    if (result.taskId == 0) {
        m_context.messages->show(
            QStringLiteral(
                "プログラム「%1」を起動できません。\nファイルが削除されたか、実行できません。")
                .arg(file),
            MessageTitle, Msg::Ok | Msg::Exclamation);
        return false;
    }
    Q_UNUSED(k);
    m_shared.AppTask[0] = TaskRef{result.taskId, QString()};
    m_shared.StartedTask = result.taskId;
    return true;
}

// A launch that could not be completed: the marker goes back to "menu" and the
// menu returns to idle, so it never stays busy.
void MainMenuWindow::abandonLaunch(int k, const QString& marker)
{
    if (!marker.isEmpty())
        Markers(m_context.installDir).rename(marker, Marker::Menu);
    ShrinkBar(k);
    m_launchBusy = 0;
    m_watcher.setFallbackPolling(false);
    stopTaskWatch();
    m_overviewButton->setEnabled(true);
    m_exitButton->setEnabled(true);
}

void MainMenuWindow::armTimer1()
{
    m_subTaskSeen = 0;
    setTimerInterval(m_appHndAppears, 10);
}

void MainMenuWindow::openOtherSystemsWindow(bool owned)
{
    if (m_otherSystemsWindow)
        m_otherSystemsWindow->close();
    m_otherSystemsWindow = new OtherSystemsWindow(m_context, m_shared, owned ? this : nullptr);
    m_otherSystemsWindow->show();
}

void MainMenuWindow::openSettingsWindow(bool modal)
{
    if (m_settingsWindow)
        m_settingsWindow->close();
    auto* window = new EnvironmentSettingsWindow(m_context, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_settingsWindow = window;
    if (modal) {
        window->exec();
    } else {
        window->show();
    }
}

// ---- Watching app_hnd -------------------------------------------------------------

void MainMenuWindow::setTimerInterval(MarkerCheck& timer, int ms)
{
    if (ms <= 0) {
        timer.stop();
        return;
    }
    if (!timer.isActive() || timer.interval() != ms)
        timer.start(ms);
}

void MainMenuWindow::lookForAppHnd()
{
    if (!m_context.installDir.exists(Marker::AppHnd))
        return;
    TaskRef task;
    if (!readAppHnd(m_context.installDir.file(Marker::AppHnd), task))
        return m_appHndAppears.tickAgain(); // try again at the next tick
    m_shared.AppTask[1] = task;
    m_subTaskSeen = 1;
    setTimerInterval(m_appHndAppears, 0);
    setTimerInterval(m_appHndGone, 10);
}

void MainMenuWindow::lookForAppHndGone()
{
    if (!m_context.installDir.exists(Marker::AppHnd)) {
        setTimerInterval(m_appHndGone, 0);
        setTimerInterval(m_appHndAppears, 10);
    }
}

// ---- Return to the menu and bringing programs to the front -----------------------

void MainMenuWindow::RestoreMenu()
{
    // While the other-systems menu is open, a tool it started gives "menu" back
    // to it, not to this window.
    if (m_otherSystemsWindow)
        m_otherSystemsWindow->reclaimMarker();
    if (m_launchBusy != 1 || !m_context.installDir.exists(Marker::Menu))
        return;
    bringToFront(this);
    int k = m_highlightedSlot;
    if (k < 0 || k >= SlotCount)
        k = m_launchedSlot >= 0 ? m_launchedSlot : 0;
    ShrinkBar(k);
    m_launchBusy = 0;
    m_watcher.setFallbackPolling(false);
    stopTaskWatch();
    m_overviewButton->setEnabled(true);
    m_exitButton->setEnabled(true);
}

// ---- A program that ended without giving the marker back --------------------------

void MainMenuWindow::stopTaskWatch()
{
    m_taskWatch.stop();
    m_endedLooks = 0;
}

// The marker "app" stands, and no program runs that could give it back.
bool MainMenuWindow::waitsForEndedProgram() const
{
    const Markers markers(m_context.installDir);
    if (m_launchBusy != 1 || !markers.exists(Marker::App) || markers.exists(Marker::Menu))
        return false;
    return !startedProgramRuns(*m_context.platform, m_context.installDir, m_shared.StartedTask);
}

void MainMenuWindow::watchStartedTask()
{
    if (m_launchBusy != 1) {
        stopTaskWatch();
        return;
    }
    if (m_otherSystemsWindow)
        m_otherSystemsWindow->reclaimMarker();
    // Only a program the menu started is followed: the environment settings
    // window gives its marker back itself.
    if (m_shared.StartedTask == 0 || !waitsForEndedProgram()) {
        m_endedLooks = 0;
        return;
    }
    // A program may hand over to another one that names itself in app_hnd a
    // moment later: the marker is taken back only after a grace period.
    if (++m_endedLooks < HandOverGraceLooks)
        return;
    takeBackMarker();
}

// What the ended program should have done: "app" becomes "menu" again (or "sub"
// while the other-systems menu waits), and the next movement restores the menu.
void MainMenuWindow::takeBackMarker()
{
    m_endedLooks = 0;
    m_shared.StartedTask = 0;
    if (m_otherSystemsWindow) {
        m_otherSystemsWindow->toolEnded();
        return;
    }
    const int err = Markers(m_context.installDir).rename(Marker::App, Marker::Menu);
    if (err != 0)
        m_context.messages->show(describeRenameFailure(Marker::App, Marker::Menu, err),
                                 MessageTitle, Msg::Ok | Msg::Exclamation);
}

// The other-systems menu or the environment settings window, when one of them
// keeps the menu busy, comes to the front; true when one did.
bool MainMenuWindow::bringOpenWindowForward()
{
    QWidget* open = m_otherSystemsWindow ? static_cast<QWidget*>(m_otherSystemsWindow)
                                         : static_cast<QWidget*>(m_settingsWindow);
    if (!open)
        return false;
    bringToFront(open);
    return true;
}

void MainMenuWindow::closeRequestedWhileBlocked()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (m_ended || !modal)
        return;
    if (isMinimized())
        showNormal();
    bringToFront(modal);
}

void MainMenuWindow::AnotherStart()
{
    if (m_askingToStopWaiting || m_ended)
        return;
    bringToFront(this);
    if (m_launchBusy != 1)
        return;
    if (bringOpenWindowForward())
        return;
    if (!waitsForEndedProgram()) {
        RestoreMenu();
        ActivateOnClick();
        return;
    }
    m_askingToStopWaiting = true;
    const int answer = m_context.messages->show(
        QStringLiteral("メインメニューは、起動したプログラムの終了を待っています。\n"
                       "プログラムはすでに終了しています。\n\n"
                       "待機を中止して、メインメニューに戻りますか？"),
        MessageTitle, Msg::YesNo | Msg::Question);
    m_askingToStopWaiting = false;
    if (answer != Msg::ResultYes)
        return;
    // The watch may have taken the marker back while the question was open.
    if (waitsForEndedProgram())
        takeBackMarker();
    RestoreMenu();
}

void MainMenuWindow::bringTask(const TaskRef& task)
{
    if (task.id != 0)
        m_context.platform->bringTaskToFront(task.id);
    else if (!task.title.isEmpty())
        m_context.platform->bringWindowToFront(task.title);
}

void MainMenuWindow::ActivateOnMove()
{
    const Markers markers(m_context.installDir);
    if (m_launchBusy != 1 || m_shared.AppTask[0].isZero() || !markers.exists(Marker::App))
        return;
    if (!markers.exists(Marker::AppHnd))
        bringTask(m_shared.AppTask[0]);
    else if (m_subTaskSeen == 1)
        bringTask(m_shared.AppTask[1]);
}

void MainMenuWindow::ActivateOnClick()
{
    const Markers markers(m_context.installDir);
    if (m_launchBusy != 1 || m_shared.AppTask[0].isZero() || !markers.exists(Marker::App))
        return;
    bringTask(m_shared.AppTask[0]);
    if (m_subTaskSeen == 1 && markers.exists(Marker::AppHnd))
        bringTask(m_shared.AppTask[1]);
}

void MainMenuWindow::FrontSubMenu()
{
    if (m_launchBusy != 1 || m_shared.AppTask[0].isZero() ||
        !m_context.installDir.exists(Marker::Sub))
        return;
    if (m_otherSystemsWindow)
        bringToFront(m_otherSystemsWindow);
    m_shared.AppTask[0] = TaskRef();
}

} // namespace lc
