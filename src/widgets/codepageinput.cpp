#include "codepageinput.h"

#include "common/codepage.h"

#include <QLineEdit>
#include <QValidator>

namespace lc {

namespace {

class CodePageValidator final : public QValidator
{
public:
    explicit CodePageValidator(QLineEdit* box)
        : QValidator(box), m_box(box), m_held(countOutsideCodePage(box->text()))
    {
        connect(box, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_held = countOutsideCodePage(text); });
    }

    State validate(QString& input, int& /*pos*/) const override
    {
        // setText() clears the undo history before the box validates: only an
        // edit of the user leaves a step to undo.
        if (!m_box->isUndoAvailable())
            return Acceptable;
        return countOutsideCodePage(input) > m_held ? Invalid : Acceptable;
    }

private:
    QLineEdit* m_box;
    qsizetype m_held; // characters outside the code page in the box's text now
};

} // namespace

void keepToCodePage(QLineEdit* box)
{
    box->setValidator(new CodePageValidator(box));
}

} // namespace lc
