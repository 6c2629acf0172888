#include "quotedfields.h"

#include "codepage.h"

namespace lc {

QByteArray writeQuotedRecord(const QList<QuotedField>& fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(',');
        if (const auto* number = std::get_if<qint64>(&fields[i])) {
            out.append(QByteArray::number(*number));
        } else {
            out.append('"');
            out.append(toCodePage(std::get<QString>(fields[i])));
            out.append('"');
        }
    }
    out.append("\r\n");
    return out;
}

QuotedFieldReader::QuotedFieldReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

bool QuotedFieldReader::atEnd() const
{
    // Only blanks and line ends left: nothing more to read.
    for (qsizetype i = m_pos; i < m_bytes.size(); ++i) {
        const char c = m_bytes[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

QString QuotedFieldReader::next()
{
    return fromCodePage(nextBytes());
}

QByteArray QuotedFieldReader::nextBytes()
{
    const qsizetype n = m_bytes.size();
    // Skip blanks, and line ends left over before a field.
    while (m_pos < n && (m_bytes[m_pos] == ' ' || m_bytes[m_pos] == '\t' || m_bytes[m_pos] == '\r' ||
                         m_bytes[m_pos] == '\n'))
        ++m_pos;
    QByteArray field;
    if (m_pos < n && m_bytes[m_pos] == '"') {
        ++m_pos;
        while (m_pos < n && m_bytes[m_pos] != '"')
            field.append(m_bytes[m_pos++]);
        if (m_pos < n)
            ++m_pos; // closing quote
        // Anything up to the delimiter is dropped.
        while (m_pos < n && m_bytes[m_pos] != ',' && m_bytes[m_pos] != '\r' && m_bytes[m_pos] != '\n')
            ++m_pos;
    } else {
        while (m_pos < n && m_bytes[m_pos] != ',' && m_bytes[m_pos] != '\r' && m_bytes[m_pos] != '\n')
            field.append(m_bytes[m_pos++]);
        while (!field.isEmpty() && (field.back() == ' ' || field.back() == '\t'))
            field.chop(1);
    }
    if (m_pos < n) {
        if (m_bytes[m_pos] == ',') {
            ++m_pos;
        } else if (m_bytes[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < n && m_bytes[m_pos] == '\n')
                ++m_pos;
        } else if (m_bytes[m_pos] == '\n') {
            ++m_pos;
        }
    }
    return field;
}

} // namespace lc
