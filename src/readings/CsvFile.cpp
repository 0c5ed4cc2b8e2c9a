#include "readings/CsvFile.h"

#include <QBuffer>
#include <QFile>
#include <algorithm>

namespace readings {

namespace {

constexpr qint64 kBlock = 64 * 1024;
constexpr qint64 kMegabyte = 1024 * 1024;

bool isControl(QChar c) {
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
}

bool allEmpty(const QStringList& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const QString& field) { return QStringView(field).trimmed().isEmpty(); });
}

QStringDecoder decoderFor(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf16LE:
        return QStringDecoder(QStringConverter::Utf16LE);
    case Encoding::Utf16BE:
        return QStringDecoder(QStringConverter::Utf16BE);
    case Encoding::Windows1252:
        return QStringDecoder("windows-1252");
    default:
        return QStringDecoder(QStringConverter::Utf8);
    }
}

} // namespace

CsvFile::CsvFile(const QString& path, const CsvLimits& limits)
    : CsvFile(std::make_unique<QFile>(path), limits) {}

CsvFile::CsvFile(std::unique_ptr<QIODevice> device, const CsvLimits& limits)
    : device_(std::move(device)), limits_(limits) {}

CsvFile CsvFile::fromBytes(const QByteArray& bytes, const CsvLimits& limits) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    return CsvFile(std::move(buffer), limits);
}

CsvFile::CsvFile(CsvFile&&) noexcept = default;
CsvFile::~CsvFile() = default;

bool CsvFile::fail(Problem problem) {
    if (!error_)
        error_ = std::move(problem);
    return false;
}

bool CsvFile::open() {
    if (opened_)
        return true;
    if (!device_->isOpen() && !device_->open(QIODevice::ReadOnly))
        return fail({QStringLiteral("import_file_unreadable"), {device_->errorString()}});
    if (device_->isSequential())
        return fail({QStringLiteral("import_file_unreadable"),
                     {QStringLiteral("the file cannot be read twice")}});
    if (device_->size() > limits_.maxFileBytes)
        return fail({QStringLiteral("import_file_too_large"),
                     {QString::number(device_->size() / kMegabyte),
                      QString::number(limits_.maxFileBytes / kMegabyte)}});
    if (!findEncoding())
        return false;
    opened_ = true;
    return true;
}

// As a byte-order mark says; without one UTF-8, unless a byte does not fit UTF-8.
bool CsvFile::findEncoding() {
    if (!device_->seek(0))
        return fail({QStringLiteral("import_file_unreadable"), {device_->errorString()}});
    const QByteArray start = device_->peek(3);
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
        encoding_ = start[0] == '\xFF' ? Encoding::Utf16LE : Encoding::Utf16BE;
        return true;
    }
    if (start == "\xEF\xBB\xBF") {
        encoding_ = Encoding::Utf8;
        return true;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QByteArray block(kBlock, Qt::Uninitialized);
    QString decoded(utf8.requiredSpace(kBlock), Qt::Uninitialized);
    for (qint64 total = 0;;) {
        const qint64 read = device_->read(block.data(), kBlock);
        if (read < 0)
            return fail({QStringLiteral("import_file_unreadable"), {device_->errorString()}});
        if (read == 0)
            break;
        total += read;
        if (total > limits_.maxFileBytes)
            return fail({QStringLiteral("import_file_too_large"),
                         {QString::number(total / kMegabyte),
                          QString::number(limits_.maxFileBytes / kMegabyte)}});
        utf8.appendToBuffer(decoded.data(), QByteArrayView(block.constData(), read));
        if (utf8.hasError()) {
            encoding_ = Encoding::Windows1252;
            break;
        }
    }
    return true;
}

bool CsvFile::rewind() {
    error_.reset();
    if (!open())
        return false;
    if (!device_->seek(0))
        return fail({QStringLiteral("import_file_unreadable"), {device_->errorString()}});
    decoder_ = decoderFor(encoding_);
    buffer_.clear();
    at_ = 0;
    bytesRead_ = 0;
    line_ = 1;
    afterCr_ = false;
    ended_ = false;
    findDelimiter();
    return !error_;
}

// Appends the next block of the file, decoded; false at the end and on a fault.
bool CsvFile::fill() {
    if (ended_ || error_)
        return false;
    if (at_ >= buffer_.size()) {
        buffer_.resize(0);
        at_ = 0;
    }
    if (raw_.size() != kBlock)
        raw_.resize(kBlock);
    const qint64 read = device_->read(raw_.data(), kBlock);
    if (read < 0)
        return fail({QStringLiteral("import_file_unreadable"), {device_->errorString()}});
    if (read == 0) {
        ended_ = true;
        return false;
    }
    bytesRead_ += read;
    if (bytesRead_ > limits_.maxFileBytes)
        return fail({QStringLiteral("import_file_too_large"),
                     {QString::number(bytesRead_ / kMegabyte),
                      QString::number(limits_.maxFileBytes / kMegabyte)}});
    const qsizetype old = buffer_.size();
    buffer_.resize(old + decoder_.requiredSpace(read));
    const QChar* end =
        decoder_.appendToBuffer(buffer_.data() + old, QByteArrayView(raw_.constData(), read));
    buffer_.resize(end - buffer_.constData());
    const QChar* added = buffer_.constData() + old;
    if (std::find_if(added, end, isControl) != end)
        return fail({QStringLiteral("import_file_binary")});
    return true;
}

// The delimiter found most often outside quotes in the first line; a comma when none is.
void CsvFile::findDelimiter() {
    const QChar candidates[] = {u'\t', u';', u','};
    int counts[std::size(candidates)] = {};
    bool quoted = false;
    for (qsizetype i = 0;; ++i) {
        // A block may decode to nothing yet (a character cut at its end).
        while (i >= buffer_.size() && i <= limits_.maxRecordChars && fill()) {
        }
        if (i >= buffer_.size())
            break;
        const QChar c = buffer_[i];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        for (std::size_t k = 0; k < std::size(candidates); ++k)
            counts[k] += !quoted && c == candidates[k];
    }
    const auto most = std::max_element(std::begin(counts), std::end(counts));
    delimiter_ = *most > 0 ? candidates[most - std::begin(counts)] : QChar(u',');
}

bool CsvFile::tooLong(qint64 line) {
    return fail({QStringLiteral("import_line_too_long"),
                 {QString::number(line), QString::number(limits_.maxRecordChars / 1024)}});
}

bool CsvFile::next(CsvRecord& record) {
    while (readRecord(record))
        if (!allEmpty(record.fields))
            return true;
    return false;
}

bool CsvFile::readRecord(CsvRecord& record) {
    enum class State { FieldStart, Unquoted, Quoted, QuoteSeen };
    // The fields' strings are written over, so that their blocks serve line after line.
    QStringList& fields = record.fields;
    qsizetype count = 0;
    const auto nextField = [&]() -> QString& {
        if (count == fields.size())
            fields.append(QString());
        QString& field = fields[count++];
        field.resize(0);
        return field;
    };
    record.line = line_;
    QString* field = &nextField();
    State state = State::FieldStart;
    bool started = false;
    qint64 chars = 0;
    const QChar delimiter = delimiter_;
    const auto endRecord = [&] {
        fields.resize(count);
        return true;
    };
    for (;;) {
        if (at_ >= buffer_.size()) {
            if (fill())
                continue;
            if (error_ || !started) {
                fields.clear();
                return false;
            }
            return endRecord();
        }
        const QChar* data = buffer_.constData();
        if (state == State::Unquoted || state == State::Quoted) {
            const qsizetype start = at_, size = buffer_.size();
            const QChar stop = state == State::Quoted ? QChar(u'"') : delimiter;
            while (at_ < size && data[at_] != stop && data[at_] != u'\n' && data[at_] != u'\r')
                ++at_;
            if (at_ > start) {
                afterCr_ = false;
                field->append(data + start, at_ - start);
                chars += at_ - start;
                if (chars > limits_.maxRecordChars)
                    return tooLong(record.line);
            }
            if (at_ >= size)
                continue;
        }
        const QChar c = data[at_++];
        const bool cr = c == u'\r', lf = c == u'\n';
        if (lf && afterCr_ && !started) { // the rest of the CRLF that ended the last record
            afterCr_ = false;
            continue;
        }
        started = true;
        if (++chars > limits_.maxRecordChars)
            return tooLong(record.line);
        if (cr || (lf && !afterCr_))
            ++line_;
        afterCr_ = cr;
        switch (state) {
        case State::Quoted:
            if (c == u'"')
                state = State::QuoteSeen;
            else
                *field += c; // a line break inside quotes
            continue;
        case State::QuoteSeen:
            if (c == u'"') {
                *field += c;
                state = State::Quoted;
                continue;
            }
            break;
        case State::FieldStart:
            if (c == u'"') {
                state = State::Quoted;
                continue;
            }
            break;
        case State::Unquoted:
            break;
        }
        if (cr || lf)
            return endRecord();
        if (c == delimiter) {
            field = &nextField();
            state = State::FieldStart;
        } else {
            *field += c; // text after a closing quote is kept as it stands
            state = State::Unquoted;
        }
    }
}

} // namespace readings
