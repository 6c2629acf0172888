#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lc {

// The Windows Japanese code page (CP932 with the Microsoft table), in which every
// text of the launcher's files is stored. A character the code page cannot hold
// becomes "?"; bytes that do not decode become U+FFFD.
QByteArray toCodePage(QStringView text);
QString fromCodePage(QByteArrayView bytes);

// The text survives the code page unchanged: a text with a character the code
// page cannot hold cannot be stored in the launcher's files.
bool fitsCodePage(QStringView text);

// How many characters of the text the code page cannot hold (a character beyond
// the BMP counts once).
qsizetype countOutsideCodePage(QStringView text);

enum class CodePageDirection { ToBytes, FromBytes };

// The classic two-way form: text to its byte form (each byte kept in one QChar
// as Latin-1) or back.
QString CodePageConv(const QString& text, CodePageDirection direction);

} // namespace lc
