#pragma once

#include <QFont>
#include <QString>

namespace lc {

// The fonts the windows name, mapped onto installed Japanese fonts.
namespace Fonts {
inline const QString Gothic = QStringLiteral("ＭＳ ゴシック");
inline const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString Mincho = QStringLiteral("ＭＳ 明朝");
inline const QString UiGothic = QStringLiteral("MS UI Gothic");
} // namespace Fonts

// Registers substitutions from the names above to the installed Japanese fonts.
// Call once after the application object exists.
void registerFontSubstitutions();

// A font of the given family and point size.
QFont designFont(const QString& family, double pointSize, bool bold = false);

} // namespace lc
