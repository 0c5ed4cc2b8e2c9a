#include "readings/CsvFile.h"

#include "support/QtPrinters.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// Every record as "line:field|field|...", then "!key" when reading ended on a fault.
QStringList records(readings::CsvFile& file) {
    QStringList out;
    readings::CsvRecord record;
    if (file.rewind())
        while (file.next(record))
            out << QStringLiteral("%1:%2").arg(record.line).arg(record.fields.join(u'|'));
    if (file.error())
        out << u'!' + file.error()->key;
    return out;
}

QStringList records(const QByteArray& bytes, const readings::CsvLimits& limits = {}) {
    readings::CsvFile file = readings::CsvFile::fromBytes(bytes, limits);
    return records(file);
}

struct RecordCase {
    const char* name;
    QByteArray bytes;
    QStringList expected;
};

TEST(CsvFile, SplitsRecordsAsRfc4180) {
    const RecordCase cases[] = {
        {"comma, LF", "a,b\n1,2\n", {"1:a|b", "2:1|2"}},
        {"CRLF, no end", "a,b\r\n1,2", {"1:a|b", "2:1|2"}},
        {"CR alone", "a;b\r1;2\r3;4", {"1:a|b", "2:1|2", "3:3|4"}},
        {"tab, empty fields", "a\tb\tc\n\t\tx\n", {"1:a|b|c", "2:||x"}},
        {"quoted delimiter and quotes", "a,b\n\"x, \"\"y\"\"\",2\n", {"1:a|b", "2:x, \"y\"|2"}},
        {"line breaks inside quotes keep their lines",
         "a,b\n\"one\r\ntwo\nthree\",2\n3,4\n",
         {"1:a|b", "2:one\r\ntwo\nthree|2", "5:3|4"}},
        {"empty lines and lines of empty fields are skipped",
         "a;b\n\n;;\r\n \n1;2\n",
         {"1:a|b", "5:1|2"}},
        {"a quote inside an unquoted field is text", "a,b\nx\"y,2\n", {"1:a|b", "2:x\"y|2"}},
        {"text after a closing quote is kept", "a,b\n\"x\"y,2\n", {"1:a|b", "2:xy|2"}},
        {"an open quote runs to the end", "a,b\n\"x,2\n", {"1:a|b", "2:x,2\n"}},
        {"the header's most frequent delimiter wins",
         "a;b;c,d\n1;2;3,4\n",
         {"1:a|b|c,d", "2:1|2|3,4"}},
        {"a delimiter inside quoted titles does not count",
         "\"a;b;c\",d\n1,2\n",
         {"1:a;b;c|d", "2:1|2"}},
        {"one column", "a\n1\n", {"1:a", "2:1"}},
        {"Windows-1252 when not UTF-8",
         "a;b\nM\xFCller \x80;1\n",
         {"1:a|b", "2:M\u00FCller \u20AC|1"}},
        {"UTF-8 after its mark, whatever follows",
         "\xEF\xBB\xBF"
         "a;b\n\xC3\xBC \xFF;1\n",
         {"1:a|b", "2:\u00FC \uFFFD|1"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "a,b\n1,2\n",
         {"1:a|b", "2:1|2"}},
        {"NUL byte", QByteArray("a,b\n1,\0\n", 8), {"!import_file_binary"}},
        {"control character", "a,b\n1,\x01\n", {"!import_file_binary"}},
        {"nothing", "", {}},
    };
    for (const RecordCase& c : cases)
        EXPECT_EQ(records(c.bytes), c.expected) << c.name;
}

// The file is read in blocks: a CRLF, a doubled quote or a UTF-8 letter cut by a block
// boundary reads as if whole.
TEST(CsvFile, BlockBoundariesCutNothing) {
    constexpr int kBlock = 64 * 1024;
    const QByteArray header = "a,b\n";
    for (int shift = -3; shift <= 3; ++shift) {
        const QByteArray fill(kBlock - header.size() - 4 + shift, 'x');
        const QByteArray bytes = header + fill + ",\"q\"\"\xC3\xBC\"\r\n1,2\r\n";
        readings::CsvLimits limits;
        limits.maxRecordChars = 2 * kBlock;
        EXPECT_EQ(records(bytes, limits),
                  (QStringList{"1:a|b", "2:" + QString::fromLatin1(fill) + QStringLiteral("|q\"ü"),
                               "3:1|2"}))
            << shift;
    }
}

// A first block that decodes to no character yet leaves the delimiter search nothing to read.
TEST(CsvFile, AFirstBlockWithoutACharacterIsReadOn) {
    EXPECT_EQ(records("\xf3\xfe\xff"
                      "b"),
              QStringList{QStringLiteral("1:óþÿb")});
}

TEST(CsvFile, RefusesWhatExceedsTheLimits) {
    readings::CsvLimits limits;
    limits.maxFileBytes = 1000;
    limits.maxRecordChars = 100;
    EXPECT_EQ(records(QByteArray(1001, 'x'), limits), QStringList{"!import_file_too_large"});
    EXPECT_EQ(
        records("a,b\n\"" + QByteArray(60, 'x') + "\n" + QByteArray(60, 'x') + "\"\n", limits),
        (QStringList{"1:a|b", "!import_line_too_long"}));
    // A header line that never ends.
    EXPECT_EQ(records(QByteArray(999, 'x'), limits), QStringList{"!import_line_too_long"});
}

TEST(CsvFile, ALineOfTenMegabytesIsRefused) {
    const QByteArray bytes = "Date,Systolic\n" + QByteArray(10 * 1024 * 1024, '7') + ",1\n";
    readings::CsvFile file = readings::CsvFile::fromBytes(bytes);
    EXPECT_EQ(records(file), (QStringList{"1:Date|Systolic", "!import_line_too_long"}));
    EXPECT_EQ(file.error()->args, (QStringList{"2", "64"}));
}

// A device whose reads fail after some bytes, as a file on a lost network drive does.
class FailingDevice : public QBuffer {
public:
    FailingDevice(const QByteArray& bytes, qint64 failAt) : failAt_(failAt) { setData(bytes); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (pos() + maxSize > failAt_) {
            setErrorString(QStringLiteral("input/output error"));
            return -1;
        }
        return QBuffer::readData(data, maxSize);
    }

private:
    qint64 failAt_;
};

TEST(CsvFile, ReportsAFileThatCannotBeRead) {
    readings::CsvFile missing(QStringLiteral("/nonexistent/readings.csv"));
    EXPECT_EQ(records(missing), QStringList{"!import_file_unreadable"});

    readings::CsvFile failing(
        std::make_unique<FailingDevice>("a,b\n" + QByteArray(200000, 'x'), 100000));
    EXPECT_EQ(records(failing), QStringList{"!import_file_unreadable"});
    EXPECT_EQ(failing.error()->args, QStringList{"input/output error"});
}

} // namespace
