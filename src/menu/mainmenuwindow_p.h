#pragma once

#include <QString>

namespace lc::mainmenu {

// The title of the main window's message boxes.
inline const QString MessageTitle = QStringLiteral("メインメニュー");

} // namespace lc::mainmenu
