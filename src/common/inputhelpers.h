#pragma once

#include <QChar>
#include <QString>

namespace lc {

// The shared state of the numeric key filter: only the box that has the focus
// uses it.
struct NumEditState
{
    qint16 key = 0;          // in: the key code to apply; out: 0 when consumed
    QString text;            // the working text of the box
    QString focusText;       // the box's text when it received the focus
    qint16 intDigits = 0;    // maximum length while no decimal point is present
    qint16 decDigits = 0;    // maximum digits after the point; 0 forbids the point
    qint16 signAllowance = 0; // 0 forbids the minus sign
    QString firstKey;        // "1": the next accepted character replaces the text
};

// The one state of the process.
NumEditState& numEditState();

// Applies numEditState().key to numEditState().text.
void NumKeyFilter();
void NumKeyFilter(NumEditState& state);

// A key typed in kana mode turned back into the digit or symbol on the same key.
QChar KanaKeyToAscii(QChar key);

} // namespace lc
