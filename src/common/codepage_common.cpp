#include "codepage.h"

namespace lc {

bool fitsCodePage(QStringView text)
{
    return fromCodePage(toCodePage(text)) == text;
}

qsizetype countOutsideCodePage(QStringView text)
{
    if (fitsCodePage(text))
        return 0;
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        if (!fitsCodePage(text.mid(i, length)))
            ++count;
        i += length;
    }
    return count;
}

QString CodePageConv(const QString& text, CodePageDirection direction)
{
    if (direction == CodePageDirection::ToBytes)
        return QString::fromLatin1(toCodePage(text));
    return fromCodePage(text.toLatin1());
}

} // namespace lc
