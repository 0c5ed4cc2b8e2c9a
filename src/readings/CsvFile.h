#pragma once

#include "readings/Problem.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringList>
#include <memory>
#include <optional>

class QIODevice;

namespace readings {

enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

struct CsvLimits {
    qint64 maxFileBytes = 200LL * 1024 * 1024;
    int maxRecordChars = 64 * 1024;
};

// One record of a file: its fields and the line it starts on (1-based).
struct CsvRecord {
    QStringList fields;
    qint64 line = 0;
};

// Reads a delimited text file record by record, holding no more than one record and one
// block of the file. The encoding is UTF-8 or UTF-16 after a byte-order mark, else UTF-8
// when every byte fits it, else Windows-1252. The delimiter, a comma, semicolon or tab, is
// the one found most often outside quotes in the first line. Fields are quoted as RFC 4180
// says (doubled quotes; delimiters and line breaks inside quotes); lines end in CRLF, LF
// or CR. Lines whose fields are all empty are skipped.
class CsvFile {
public:
    explicit CsvFile(const QString& path, const CsvLimits& limits = {});
    // A device that can seek, such as a QBuffer; opened for reading when it is not open.
    explicit CsvFile(std::unique_ptr<QIODevice> device, const CsvLimits& limits = {});
    static CsvFile fromBytes(const QByteArray& bytes, const CsvLimits& limits = {});
    CsvFile(CsvFile&&) noexcept;
    ~CsvFile();

    // Goes to the first record; the first call also finds the encoding. False, with
    // error() set, when the file cannot be read, is too large or is no text.
    bool rewind();
    // The next record; false at the end and on a fault, which error() then names.
    bool next(CsvRecord& record);
    const std::optional<Problem>& error() const { return error_; }

    Encoding encoding() const { return encoding_; }
    QChar delimiter() const { return delimiter_; }

private:
    bool open();
    bool findEncoding();
    bool fill();
    void findDelimiter();
    bool readRecord(CsvRecord& record);
    bool fail(Problem problem);
    bool tooLong(qint64 line);

    std::unique_ptr<QIODevice> device_;
    CsvLimits limits_;
    std::optional<Problem> error_;
    bool opened_ = false;
    Encoding encoding_ = Encoding::Utf8;
    QStringDecoder decoder_;
    QChar delimiter_ = u',';
    QByteArray raw_;
    QString buffer_;
    qsizetype at_ = 0;
    qint64 bytesRead_ = 0;
    qint64 line_ = 1;
    bool afterCr_ = false;
    bool ended_ = false;
};

} // namespace readings
