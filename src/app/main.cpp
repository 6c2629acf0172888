#include "common/appcontext.h"
#include "common/instancerequests.h"
#include "common/singleinstance.h"
#include "menu/ommenu.h"
#include "platform/systemplatform.h"
#include "widgets/fonts.h"
#include "widgets/qtmessageboxes.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lc::registerFontSubstitutions();

    lc::SystemPlatform platform;
    lc::QtMessageBoxes messages;
    lc::QtDialogs dialogs;

    // A second start brings the running launcher to the front and ends.
    lc::SingleInstance instance(QCoreApplication::applicationDirPath());
    if (!instance.acquire()) {
        lc::InstanceRequests(instance.lockPath()).ask(3000);
        if (instance.holderPid() != 0)
            platform.bringTaskToFront(instance.holderPid());
        return 0;
    }

    lc::AppContext context;
    context.installDir = lc::InstallDir(QCoreApplication::applicationDirPath());
    context.platform = &platform;
    context.messages = &messages;
    context.dialogs = &dialogs;

    lc::OmMenu menu(context);
    QObject::connect(&menu, &lc::OmMenu::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // Later starts ask this launcher to come forward (and to stop waiting for a
    // program that has ended).
    lc::InstanceRequests requests(instance.lockPath());
    QObject::connect(&requests, &lc::InstanceRequests::requested, &menu, &lc::OmMenu::AnotherStart,
                     Qt::QueuedConnection);
    menu.Form_Load();
    requests.listen();
    return app.exec();
}
