#include "bytetext.h"

#include "codepage.h"

#include <algorithm>

namespace lc {

int ByteLen(const QString& text)
{
    return int(toCodePage(text).size());
}

QString ByteLeft(const QString& text, int n)
{
    if (n <= 0)
        return {};
    return fromCodePage(toCodePage(text).left(n));
}

QString ByteRight(const QString& text, int n)
{
    if (n <= 0)
        return {};
    return fromCodePage(toCodePage(text).right(n));
}

QString ByteMid(const QString& text, int start, int count)
{
    const QByteArray bytes = toCodePage(text);
    start = std::max(start, 1);
    if (start > bytes.size())
        return {};
    return fromCodePage(count < 0 ? bytes.mid(start - 1) : bytes.mid(start - 1, count));
}

void ByteMidSet(QString& target, int start, int count, const QString& source)
{
    QByteArray bytes = toCodePage(target);
    const QByteArray src = toCodePage(source);
    start = std::max(start, 1);
    if (start > bytes.size() || count <= 0)
        return;
    const qsizetype n = std::min<qsizetype>({qsizetype(count), src.size(), bytes.size() - (start - 1)});
    for (qsizetype i = 0; i < n; ++i)
        bytes[start - 1 + i] = src[i];
    target = fromCodePage(bytes);
}

QString ByteLeftWhole(const QString& text, int n)
{
    if (n <= 0)
        return {};
    // Fast path: the whole text fits.
    if (text.size() * 2 <= n || ByteLen(text) <= n)
        return text;
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int w = int(toCodePage(QStringView(text).mid(i, len)).size());
        if (used + w > n)
            break;
        used += w;
        i += len;
    }
    return text.left(i);
}

QByteArray fixedField(const QString& text, int width)
{
    QByteArray bytes = toCodePage(ByteLeftWhole(text, width));
    if (bytes.size() < width)
        bytes.append(width - bytes.size(), ' ');
    return bytes;
}

QString trimBlanks(const QString& text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b) == u' ')
        ++b;
    while (e > b && text.at(e - 1) == u' ')
        --e;
    return text.mid(b, e - b);
}

QString trimTrailingBlanks(const QString& text)
{
    qsizetype e = text.size();
    while (e > 0 && text.at(e - 1) == u' ')
        --e;
    return text.left(e);
}

} // namespace lc
