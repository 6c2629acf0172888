#pragma once

#include <array>

// Plain C++ without Qt: shared by the code-page conversion of every platform.
namespace lc {

// Single bytes that Windows' own code page 932 holds as characters although the
// published table leaves them out: 0x80 as U+0080, 0xA0 and 0xFD to 0xFF in the
// private use area. Every conversion of the launcher keeps them the way Windows
// does, so that such a byte read from a file is written back unchanged, also
// where the system's table lacks them (iconv, wine).
struct CodePageSingleByte
{
    unsigned char byte;
    char16_t character;
};
inline constexpr std::array<CodePageSingleByte, 5> WindowsOnlySingleBytes = {{
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3},
}};

// The character of such a byte, or 0.
constexpr char16_t windowsOnlyCharacter(unsigned char byte)
{
    for (const CodePageSingleByte& b : WindowsOnlySingleBytes) {
        if (b.byte == byte)
            return b.character;
    }
    return 0;
}

// The byte of such a character, or 0.
constexpr unsigned char windowsOnlyByte(char16_t character)
{
    for (const CodePageSingleByte& b : WindowsOnlySingleBytes) {
        if (b.character == character)
            return b.byte;
    }
    return 0;
}

} // namespace lc
