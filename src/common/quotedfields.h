#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <variant>

namespace lc {

// The quoted-field text form: fields separated by commas, texts in double quotes,
// numbers plain, each record ended by carriage return and line feed; stored in
// the code page.
using QuotedField = std::variant<qint64, QString>;

QByteArray writeQuotedRecord(const QList<QuotedField>& fields);

// Reads fields one after the other, as the files of this form are read: a field
// ends at a comma or a line end; a field in double quotes may hold commas and
// line ends and is taken without its quotes; an unquoted field loses the blanks
// around it. A line end directly after a field ends only that field.
class QuotedFieldReader
{
public:
    explicit QuotedFieldReader(QByteArray bytes);

    bool atEnd() const;
    // The next field decoded from the code page (empty at the end).
    QString next();
    // The next field's raw bytes.
    QByteArray nextBytes();

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

} // namespace lc
