#include "codepage.h"

namespace lc {

bool fitsCodePage(QStringView text)
{
    return fromCodePage(toCodePage(text)) == text;
}

QString CodePageConv(const QString& text, CodePageDirection direction)
{
    if (direction == CodePageDirection::ToBytes)
        return QString::fromLatin1(toCodePage(text));
    return fromCodePage(text.toLatin1());
}

} // namespace lc
