#include "codepage.h"

#include <windows.h>

namespace lc {

QByteArray toCodePage(QStringView text)
{
    if (text.isEmpty())
        return {};
    const auto* src = reinterpret_cast<const wchar_t*>(text.utf16());
    const int len = int(text.size());
    const int need = WideCharToMultiByte(932, 0, src, len, nullptr, 0, "?", nullptr);
    QByteArray out(need, Qt::Uninitialized);
    WideCharToMultiByte(932, 0, src, len, out.data(), need, "?", nullptr);
    return out;
}

QString fromCodePage(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    const int len = int(bytes.size());
    const int need = MultiByteToWideChar(932, 0, bytes.data(), len, nullptr, 0);
    QString out(need, Qt::Uninitialized);
    MultiByteToWideChar(932, 0, bytes.data(), len, reinterpret_cast<wchar_t*>(out.data()), need);
    return out;
}

} // namespace lc
