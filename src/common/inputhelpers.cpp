#include "inputhelpers.h"

#include "bytetext.h"

#include <algorithm>

namespace lc {
namespace {

constexpr qint16 KeyLeft = 37;
constexpr qint16 KeyBack = 8;

// Characters of text after removing blanks at both ends.
qsizetype trimmedLength(const QString& text)
{
    return trimBlanks(text).size();
}

bool isSet(const QString& flag)
{
    return !flag.isEmpty();
}

void set(QString& flag)
{
    flag = QStringLiteral("1");
}

// The first accepted character after the focus replaces the whole text.
void startOverIfFirstKey(NumEditState& s)
{
    if (isSet(s.firstKey)) {
        s.firstKey.clear();
        s.text.clear();
    }
}

} // namespace

NumEditState& numEditState()
{
    static NumEditState state;
    return state;
}

void NumKeyFilter()
{
    NumKeyFilter(numEditState());
}

void NumKeyFilter(NumEditState& s)
{
    // Left arrow: delete from the end; on an empty box bring the old value back.
    if (s.key == KeyLeft) {
        if (trimmedLength(s.text) != 0) {
            s.text.chop(1);
            s.firstKey.clear();
        } else {
            s.text = s.focusText;
            set(s.firstKey);
        }
        s.key = 0;
    }

    if (s.key >= u'0' && s.key <= u'9') {
        const QChar digit(char16_t(s.key));
        startOverIfFirstKey(s);
        const qsizetype point = s.text.indexOf(u'.');
        if (s.decDigits == 0 || point < 0) {
            if (trimmedLength(s.text) < qsizetype(s.intDigits) + s.signAllowance)
                s.text.append(digit);
        } else {
            const qsizetype after = std::min<qsizetype>(s.text.size() - point - 1, s.decDigits);
            if (after < s.decDigits)
                s.text.append(digit);
        }
        s.key = 0;
    }

    if (s.key == u'.') {
        if (s.decDigits != 0) {
            startOverIfFirstKey(s);
            if (trimmedLength(s.text) == 0)
                s.text = QStringLiteral(".");
            else if (!s.text.contains(u'.'))
                s.text.append(u'.');
        }
        s.key = 0;
    }

    if (s.key == u'-') {
        if (s.signAllowance != 0) {
            startOverIfFirstKey(s);
            if (trimmedLength(s.text) == 0)
                s.text = QStringLiteral("-");
        }
        s.key = 0;
    }

    // Backspace undoes all typing since the box got the focus.
    if (s.key == KeyBack) {
        s.text = s.focusText;
        set(s.firstKey);
        s.key = 0;
    }
}

QChar KanaKeyToAscii(QChar key)
{
    // The half-width katakana a Japanese keyboard types in kana mode on the keys
    // of the digits and arithmetic symbols, and ";" and ":" whose keys carry
    // "+" and "*".
    struct Row
    {
        char16_t typed;
        char16_t result;
    };
    static constexpr Row table[] = {
        {u'ﾇ', u'1'}, {u'ﾌ', u'2'}, {u'ｱ', u'3'}, {u'ｳ', u'4'}, {u'ｴ', u'5'}, {u'ｵ', u'6'},
        {u'ﾔ', u'7'}, {u'ﾕ', u'8'}, {u'ﾖ', u'9'}, {u'ﾜ', u'0'}, {u'ﾙ', u'.'}, {u';', u'+'},
        {u'ﾚ', u'+'}, {u'ﾎ', u'-'}, {u':', u'*'}, {u'ｹ', u'*'}, {u'ﾒ', u'/'},
    };
    for (const Row& row : table) {
        if (key.unicode() == row.typed)
            return QChar(row.result);
    }
    return key;
}

} // namespace lc
