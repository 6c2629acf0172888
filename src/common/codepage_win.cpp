#include "codepage.h"

#include "platform/win32/win32_codepage.h"

#include <string>
#include <string_view>

namespace lc {

QByteArray toCodePage(QStringView text)
{
    // wchar_t is a UTF-16 unit on Windows, as QChar is.
    const std::string bytes = win32::toCodePage932(
        std::wstring_view(reinterpret_cast<const wchar_t*>(text.utf16()), size_t(text.size())));
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString fromCodePage(QByteArrayView bytes)
{
    return QString::fromStdWString(
        win32::fromCodePage932(std::string_view(bytes.data(), size_t(bytes.size()))));
}

} // namespace lc
