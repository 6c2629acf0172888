#include "codepage.h"
#include "platform/codepagesinglebytes.h"

#include <cerrno>
#include <iconv.h>

namespace lc {
namespace {

// One converter per direction and thread; iconv_open is too slow to call per field.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts [in, in + len). On an unconvertible sequence calls onBad(in, left)
    // which returns how many input bytes to skip and appends a substitute to out.
    template <typename OnBad>
    void run(const char* in, size_t len, QByteArray& out, OnBad onBad)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t left = len;
        char buffer[512];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            const size_t rc = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buffer, dst - buffer);
            if (rc == static_cast<size_t>(-1)) {
                if (errno == E2BIG)
                    continue;
                const size_t skip = onBad(src, left, out);
                src += skip;
                left -= skip;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
    }

private:
    iconv_t m_cd;
};

Converter& encoder()
{
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

Converter& decoder()
{
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

} // namespace

QByteArray toCodePage(QStringView text)
{
    QByteArray out;
    if (text.isEmpty())
        return out;
    Converter& c = encoder();
    if (!c.valid())
        return text.toLatin1();
    out.reserve(text.size() * 2);
    c.run(reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2, out,
          [](const char* at, size_t left, QByteArray& o) -> size_t {
              if (left >= 2) {
                  const char16_t c = char16_t(static_cast<unsigned char>(at[0]) |
                                              (static_cast<unsigned char>(at[1]) << 8));
                  if (const unsigned char byte = windowsOnlyByte(c)) {
                      o.append(char(byte));
                      return 2;
                  }
              }
              o.append('?');
              // Skip a whole surrogate pair where one stands.
              if (left >= 4) {
                  const auto hi = static_cast<unsigned char>(at[1]);
                  if (hi >= 0xD8 && hi <= 0xDB)
                      return 4;
              }
              return left >= 2 ? 2 : left;
          });
    return out;
}

QString fromCodePage(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    Converter& c = decoder();
    QByteArray utf16;
    if (!c.valid())
        return QString::fromLatin1(bytes.data(), bytes.size());
    utf16.reserve(bytes.size() * 2);
    c.run(bytes.data(), size_t(bytes.size()), utf16, [](const char* at, size_t, QByteArray& o) -> size_t {
        const char16_t c = windowsOnlyCharacter(static_cast<unsigned char>(at[0]));
        if (c != 0) {
            o.append(char(c & 0xFF));
            o.append(char(c >> 8));
            return 1;
        }
        o.append("\xFD\xFF", 2); // U+FFFD, little-endian
        return 1;
    });
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

} // namespace lc
