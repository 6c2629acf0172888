#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace lc {

void registerFontSubstitutions()
{
    const QStringList families = QFontDatabase::families();
    auto pick = [&families](const QStringList& candidates) {
        QStringList found;
        for (const QString& c : candidates) {
            if (families.contains(c, Qt::CaseInsensitive))
                found.append(c);
        }
        return found;
    };
    const QStringList mono = pick({QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                   QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic"),
                                   QStringLiteral("TakaoGothic"), QStringLiteral("MS Gothic")});
    const QStringList prop = pick({QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                                   QStringLiteral("TakaoPGothic"), QStringLiteral("MS PGothic")});
    const QStringList serif = pick({QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                                    QStringLiteral("Noto Serif CJK JP"), QStringLiteral("MS Mincho")});
    if (!mono.isEmpty())
        QFont::insertSubstitutions(Fonts::Gothic, mono);
    if (!prop.isEmpty()) {
        QFont::insertSubstitutions(Fonts::PGothic, prop);
        QFont::insertSubstitutions(Fonts::UiGothic, prop);
    }
    if (!serif.isEmpty())
        QFont::insertSubstitutions(Fonts::Mincho, serif);
}

QFont designFont(const QString& family, double pointSize, bool bold)
{
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    // Glyphs are fitted to the pixel grid by the fonts' own instructions, as
    // Windows draws them. The automatic fitting that Linux would choose first
    // analyses the whole character map of a font, which for a Japanese font of
    // some thirteen thousand glyphs costs milliseconds and megabytes at start-up.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

} // namespace lc
