#include "codepage.h"

namespace lc {

QString CodePageConv(const QString& text, CodePageDirection direction)
{
    if (direction == CodePageDirection::ToBytes)
        return QString::fromLatin1(toCodePage(text));
    return fromCodePage(text.toLatin1());
}

} // namespace lc
