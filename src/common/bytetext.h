#pragma once

#include <QByteArray>
#include <QString>

// Byte-oriented text helpers: every fixed-width field of the launcher's files and
// list items is measured and cut in bytes of the code page, a double-byte
// character taking two. Positions start at 1.
namespace lc {

int ByteLen(const QString& text);
QString ByteLeft(const QString& text, int n);
QString ByteRight(const QString& text, int n);
// count < 0: to the end.
QString ByteMid(const QString& text, int start, int count = -1);
// Overwrites bytes of target from start with source; replaces min(count, bytes of
// source, bytes from start to the end of target); target keeps its byte length.
void ByteMidSet(QString& target, int start, int count, const QString& source);

// The longest leading part of text, in whole characters, whose code-page form
// takes at most n bytes.
QString ByteLeftWhole(const QString& text, int n);

// The code-page form of text as a field of exactly width bytes: cut at whole
// characters, then padded with blanks (0x20).
QByteArray fixedField(const QString& text, int width);

// Removes blanks (U+0020 only) at both ends, as the stored fields are trimmed.
QString trimBlanks(const QString& text);
QString trimTrailingBlanks(const QString& text);

} // namespace lc
