#include "recordfile.h"

#include "bytetext.h"
#include "codepage.h"
#include "fileerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace lc {

RecordFile::RecordFile(QString path, int recordLength)
    : m_path(std::move(path)), m_recordLength(recordLength > 0 ? recordLength : 1)
{
}

int RecordFile::load(Open mode)
{
    m_data.clear();
    m_existed = QFileInfo::exists(m_path);
    if (!m_existed && mode == Open::CreateIfMissing) {
        FileError::clearSystemCode();
        QFile f(m_path);
        if (!f.open(QIODevice::WriteOnly))
            return FileError::fromDevice(f);
        return FileError::None;
    }
    return readFileContents(m_path, m_data);
}

QByteArray RecordFile::record(int n) const
{
    return field(n, 0, m_recordLength);
}

QByteArray RecordFile::field(int n, int offset, int width) const
{
    if (n < 1 || offset < 0 || width <= 0)
        return {};
    const qint64 start = qint64(n - 1) * m_recordLength + offset;
    QByteArray out(width, '\0');
    for (int i = 0; i < width; ++i) {
        const qint64 at = start + i;
        if (at >= m_data.size())
            break;
        out[i] = m_data[at];
    }
    return out;
}

QString RecordFile::text(int n, int offset, int width) const
{
    if (width < 0)
        width = m_recordLength - offset;
    return trimBlanks(fromCodePage(field(n, offset, width)));
}

void RecordFile::ensureRecords(int count)
{
    const qint64 need = qint64(count) * m_recordLength;
    if (m_data.size() < need)
        m_data.append(need - m_data.size(), '\0');
}

void RecordFile::setField(int n, int offset, int width, const QByteArray& bytes)
{
    if (n < 1 || offset < 0 || width <= 0)
        return;
    ensureRecords(n);
    const qint64 start = qint64(n - 1) * m_recordLength + offset;
    if (start + width > m_data.size())
        m_data.append(start + width - m_data.size(), '\0');
    for (int i = 0; i < width; ++i)
        m_data[start + i] = i < bytes.size() ? bytes[i] : '\0';
}

void RecordFile::setRecord(int n, const QByteArray& bytes)
{
    setField(n, 0, m_recordLength, bytes);
}

void RecordFile::setText(int n, int offset, int width, const QString& text)
{
    setField(n, offset, width, fixedField(text, width));
}

int RecordFile::save() const
{
    return saveFileContents(m_path, m_data);
}

int saveFileContents(const QString& path, const QByteArray& bytes)
{
    FileError::clearSystemCode();
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return FileError::fromDevice(f, FileError::Target::Path);
    // The bytes reach the disk at flush(): commit() does not see a failure there
    // (a full disk) and would put an empty file in the old one's place.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const int err = FileError::fromDevice(f);
        f.cancelWriting();
        return err != FileError::None ? err : FileError::DeviceIO;
    }
    if (!f.commit()) {
        const int err = FileError::fromDevice(f);
        return err != FileError::None ? err : FileError::DeviceIO;
    }
    return FileError::None;
}

int readFileContents(const QString& path, QByteArray& out, qint64 maxBytes)
{
    out.clear();
    if (!QFileInfo::exists(path))
        return FileError::None;
    FileError::clearSystemCode();
    QFile f(path);
    if (const int error = openForSharedReading(f))
        return error;
    // A buffer of the file's size, not of the cap: the files are small and the cap
    // is large. (A file without a size, such as a pipe, is read up to the cap.)
    const qint64 size = f.size();
    out = f.read(size > 0 ? std::min(size, maxBytes) : maxBytes);
    if (f.error() != QFileDevice::NoError)
        return FileError::fromDevice(f);
    return FileError::None;
}

} // namespace lc
