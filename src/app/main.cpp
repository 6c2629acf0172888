#include "common/appcontext.h"
#include "common/instancerequests.h"
#include "common/singleinstance.h"
#include "menu/mainmenuwindow.h"
#include "platform/session.h"
#include "platform/systemplatform.h"
#include "widgets/fonts.h"
#include "widgets/qtmessageboxes.h"
#include "widgets/translations.h"

#include <QApplication>
#include <QWindow>

int main(int argc, char* argv[])
{
    if (!lc::prepareWindowingSystem(argc, argv))
        return 1;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(LAUNCHER_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("launcher"));
    lc::installQtTranslations(app);
    lc::registerFontSubstitutions();

    lc::SystemPlatform platform;
    lc::QtMessageBoxes messages;
    lc::QtDialogs dialogs;

    // A second start in the same session brings the running launcher to the
    // front and ends; one from another session or user is told and ends.
    lc::SingleInstance instance(QCoreApplication::applicationDirPath());
    const lc::SingleInstance::Outcome outcome = instance.acquire(platform);
    if (outcome == lc::SingleInstance::Outcome::HeldInThisSession) {
        lc::InstanceRequests(instance.lockPath()).ask(3000);
        platform.bringTaskToFront(instance.holderPid());
        return 0;
    }
    if (outcome != lc::SingleInstance::Outcome::Acquired) {
        const bool held = outcome == lc::SingleInstance::Outcome::HeldElsewhere;
        messages.show(instance.refusalText(outcome), QStringLiteral("メインメニュー"),
                      lc::Msg::Ok | (held ? lc::Msg::Exclamation : lc::Msg::Critical));
        return 1;
    }

    lc::AppContext context;
    context.installDir = lc::InstallDir(QCoreApplication::applicationDirPath());
    context.platform = &platform;
    context.messages = &messages;
    context.dialogs = &dialogs;

    lc::MainMenuWindow menu(context);
    // The exit may run before the event loop does (a logout while a start-up box
    // is open), when quitting the loop would be lost.
    bool ended = false;
    QObject::connect(&menu, &lc::MainMenuWindow::endRequested, &app, [&ended] { ended = true; });
    QObject::connect(&menu, &lc::MainMenuWindow::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // Logout or a stop request runs the exit of the main window.
    lc::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &lc::SessionEnd::requested, &menu, &lc::MainMenuWindow::EndSession);
    // A close of the menu's frame while a modal window blocks the menu, which Qt
    // would drop.
    lc::BlockedCloseRequests blockedClose;
    QObject::connect(&blockedClose, &lc::BlockedCloseRequests::requested, &menu,
                     [&menu](QWindow* window) {
                         if (window == menu.windowHandle())
                             menu.closeRequestedWhileBlocked();
                     });
    // Later starts ask this launcher to come forward (and to stop waiting for a
    // program that has ended).
    lc::InstanceRequests requests(instance.lockPath());
    QObject::connect(&requests, &lc::InstanceRequests::requested, &menu, &lc::MainMenuWindow::AnotherStart,
                     Qt::QueuedConnection);
    menu.startUp();
    if (ended)
        return 0;
    requests.listen();
    return app.exec();
}
