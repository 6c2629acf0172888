#pragma once

#include "drivepaths.h"
#include "installdir.h"

#include <QDate>

#include <functional>

namespace lc {

class Platform;
class MessageBoxService;
class DialogService;

// What every window and service receives from outside: the installation
// directory, the platform layer, the message boxes, the standard dialogs and the
// date of the day. Tests build one on a temporary directory with fakes.
struct AppContext
{
    InstallDir installDir;
    Platform* platform = nullptr;
    MessageBoxService* messages = nullptr;
    DialogService* dialogs = nullptr;
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // The working paths, one set per process.
    DrivePaths drivePath;
};

} // namespace lc
