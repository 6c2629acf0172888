#include "win32_codepage.h"

#include "platform/codepagesinglebytes.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace lc::win32 {
namespace {

constexpr UINT japanese = 932;

bool isHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// The text with each surrogate pair, and each unpaired surrogate, as one "?":
// how many "?" the system writes for them is not documented.
std::wstring withoutSurrogates(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!isSurrogate(text[i])) {
            out.push_back(text[i]);
            continue;
        }
        out.push_back(L'?');
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isSurrogate(text[i + 1]) &&
            !isHighSurrogate(text[i + 1]))
            ++i;
    }
    return out;
}

// Decodes [bytes, bytes + size) whole; false when a byte does not decode.
bool decodeStrict(const char* bytes, int size, std::wstring& out)
{
    const int need = MultiByteToWideChar(japanese, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
    if (need <= 0)
        return false;
    std::wstring text(size_t(need), L'\0');
    const int got =
        MultiByteToWideChar(japanese, MB_ERR_INVALID_CHARS, bytes, size, text.data(), need);
    if (got <= 0)
        return false;
    text.resize(size_t(got));
    out += text;
    return true;
}

// The system's conversion of a text without surrogates.
std::string encode(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = int(text.size());
    // Flags 0: the system's near matches count as the character, as they do for
    // every program that writes these files through the code page.
    const int need = WideCharToMultiByte(japanese, 0, text.data(), size, nullptr, 0, "?", nullptr);
    if (need <= 0)
        return {};
    std::string out(size_t(need), '\0');
    const int got =
        WideCharToMultiByte(japanese, 0, text.data(), size, out.data(), need, "?", nullptr);
    if (got <= 0)
        return {};
    out.resize(size_t(got));
    return out;
}

bool isWindowsOnlyCharacter(wchar_t c)
{
    return windowsOnlyByte(char16_t(c)) != 0;
}

} // namespace

std::string toCodePage932(std::wstring_view text)
{
    if (text.empty() || text.size() > size_t(INT_MAX))
        return {};
    std::wstring masked;
    if (std::any_of(text.begin(), text.end(), isSurrogate)) {
        masked = withoutSurrogates(text);
        text = masked;
    }
    // The single bytes Windows holds beyond the published table, whatever table
    // the system has: the text between them goes through the system.
    std::string out;
    size_t from = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isWindowsOnlyCharacter(text[i]))
            continue;
        out += encode(text.substr(from, i - from));
        if (i < text.size())
            out.push_back(char(windowsOnlyByte(char16_t(text[i]))));
        from = i + 1;
    }
    return out;
}

std::wstring fromCodePage932(std::string_view bytes)
{
    std::wstring out;
    if (bytes.empty() || bytes.size() > size_t(INT_MAX))
        return out;
    if (decodeStrict(bytes.data(), int(bytes.size()), out))
        return out;
    // Some byte does not decode: one character at a time, a lead byte with the
    // byte after it.
    out.clear();
    out.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const size_t length = IsDBCSLeadByteEx(japanese, lead) && at + 1 < bytes.size() ? 2 : 1;
        if (decodeStrict(bytes.data() + at, int(length), out)) {
            at += length;
        } else if (const char16_t c = windowsOnlyCharacter(lead); length == 1 && c != 0) {
            out.push_back(wchar_t(c));
            ++at;
        } else {
            out.push_back(wchar_t(0xFFFD));
            ++at;
        }
    }
    return out;
}

} // namespace lc::win32
