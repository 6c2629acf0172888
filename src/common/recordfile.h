#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace lc {

// A fixed-length record file without header: records of recordLength bytes,
// numbered from 1. The whole file is read into memory by load() and written back
// whole by save() through a temporary file that replaces the old one only once
// it is complete, so a failed save leaves the old file as it was.
//
// Errors are the launcher's file-error numbers (fileerror.h); 0 is success.
class RecordFile
{
public:
    enum class Open { ReadOnly, CreateIfMissing };

    RecordFile(QString path, int recordLength);

    const QString& path() const { return m_path; }
    int recordLength() const { return m_recordLength; }

    // Reads the file. A missing file reads as empty; with CreateIfMissing an
    // empty file is created in its place, as opening such a file does.
    int load(Open mode = Open::ReadOnly);
    bool existed() const { return m_existed; }

    qint64 size() const { return m_data.size(); }
    bool isEmpty() const { return m_data.isEmpty(); }
    // Number of whole records.
    int recordCount() const { return int(m_data.size() / m_recordLength); }

    // Record n (from 1), always recordLength bytes; bytes beyond the end of the
    // file read as NUL.
    QByteArray record(int n) const;
    // Bytes [offset, offset + width) of record n.
    QByteArray field(int n, int offset, int width) const;
    // The field decoded from the code page with blanks removed at both ends.
    QString text(int n, int offset = 0, int width = -1) const;

    // Stores record n, cut or NUL-padded to recordLength; the file grows with
    // NUL records where n lies beyond its end, and never shrinks.
    void setRecord(int n, const QByteArray& bytes);
    // Stores bytes at offset within record n (cut to width, NUL-padded if short).
    void setField(int n, int offset, int width, const QByteArray& bytes);
    // Stores text in the code page, cut at whole characters and blank-padded.
    void setText(int n, int offset, int width, const QString& text);
    // Makes the file at least count records long (NUL-filled).
    void ensureRecords(int count);

    const QByteArray& data() const { return m_data; }
    void setData(QByteArray data) { m_data = std::move(data); }

    int save() const;

private:
    QString m_path;
    int m_recordLength;
    QByteArray m_data;
    bool m_existed = false;
};

// Writes bytes as the whole new content of path (temporary file, then replace).
int saveFileContents(const QString& path, const QByteArray& bytes);
// Reads at most maxBytes of path; error 0 and empty content for a missing file.
// The suite's programs may rename or delete the file while it is read.
int readFileContents(const QString& path, QByteArray& out, qint64 maxBytes = 16 * 1024 * 1024);
// Opens file (its name set) for reading so that other programs may still write,
// rename and delete it meanwhile, as they may on POSIX; 0 or the file-error number.
int openForSharedReading(QFile& file);

} // namespace lc
