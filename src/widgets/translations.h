#pragma once

class QCoreApplication;

namespace lc {

// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in
// the language of the system, from Qt's translations: Qt's translations folder,
// or the `translations` folder beside the program as a Windows installation has
// it. Without them the texts stay English.
void installQtTranslations(QCoreApplication& app);

} // namespace lc
