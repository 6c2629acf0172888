#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lc {

void installQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QLocale locale = QLocale::system();
    const QString name = QStringLiteral("qt");
    const QString prefix = QStringLiteral("_");
    if (translator->load(locale, name, prefix, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || translator->load(locale, name, prefix, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))) {
        app.installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace lc
