#include "output/ExcelDates.h"
#include "output/ExportFixture.h"
#include "store/FieldValue.h"

#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

// Every format carries the grid as shown, read back by a reader of its own.
class ReadBackTest : public ExportFixture {
protected:
    void expectDelimited(const QString& kind, const QString& path, const ui::DataGrid& grid) {
        const QJsonArray rows = readBack(kind, path).array();
        QList<QStringList> read;
        for (const QJsonValue& row : rows)
            read << strings(row);
        EXPECT_EQ(read, shown(grid)) << kind.toStdString();
    }

    // unrtf's text output. Its own text tags print the fallback of a \uN letter; these
    // add the letter as a numeric reference, which is then decoded.
    QString unrtfText(const QString& path) {
        QFile tags("/usr/share/unrtf/text.conf");
        EXPECT_TRUE(tags.open(QIODevice::ReadOnly));
        QFile unicodeTags(dir.file("text.conf"));
        EXPECT_TRUE(unicodeTags.open(QIODevice::WriteOnly));
        unicodeTags.write(tags.readAll() + "unisymbol_print\n\t&#%;\n");
        unicodeTags.close();
        QProcess unrtf;
        unrtf.start("unrtf", {"-P", dir.path(), "--text", path});
        unrtf.waitForFinished(60000);
        EXPECT_EQ(unrtf.exitCode(), 0) << unrtf.readAllStandardError().constData();
        QString text = QString::fromUtf8(unrtf.readAllStandardOutput());
        static const QRegularExpression reference("&#([0-9]+);");
        for (auto match = reference.match(text); match.hasMatch(); match = reference.match(text))
            text.replace(match.capturedStart(), match.capturedLength(),
                         QChar(char16_t(match.captured(1).toInt())));
        return text;
    }
};

TEST_F(ReadBackTest, CsvIsRfc4180WithByteOrderMarkAndCrlf) {
    const ui::DataGrid& grid = userGrid(hardNames());
    const QString path = exportTo(grid, "persons", 3);
    ASSERT_TRUE(path.endsWith(".csv"));
    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(bytes.contains("\"Smith, Jr.\""));
    EXPECT_TRUE(bytes.contains("\"Say \"\"Hi\"\"\""));
    // Every line break outside a quoted field is CRLF.
    EXPECT_EQ(bytes.count("\r\n"), grid.shownRowCount() + 1);
    expectDelimited("csv", path, grid);
}

TEST_F(ReadBackTest, TxtIsTabSeparatedUtf8) {
    const ui::DataGrid& grid = userGrid(hardNames());
    const QString path = exportTo(grid, "persons", 2);
    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(bytes.startsWith(grid.shownTitles().join('\t').toUtf8() + "\r\n"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("\tИванова\t").toUtf8()));
    expectDelimited("txt", path, grid);
}

TEST_F(ReadBackTest, HtmlIsOneEscapedTableWithTitlesAsTh) {
    const ui::DataGrid& grid = userGrid(hardNames());
    const QString path = exportTo(grid, "persons", 4);
    const QByteArray bytes = bytesOf(path);
    EXPECT_FALSE(bytes.contains("<b>&amp;</b>"));
    EXPECT_TRUE(bytes.contains("&lt;b&gt;&amp;amp;&lt;/b&gt;"));
    const QJsonObject page = readBack("htm", path).object();
    EXPECT_EQ(page["doctype"].toString().toLower(), "doctype html");
    EXPECT_EQ(page["charset"].toString().toLower(), "utf-8");
    EXPECT_EQ(page["tables"].toInt(), 1);
    QList<QStringList> read;
    for (const QJsonValue& row : page["rows"].toArray())
        read << strings(row);
    EXPECT_EQ(read, shown(grid));
    const QJsonArray kinds = page["kinds"].toArray();
    EXPECT_EQ(strings(kinds.first()), QStringList(grid.shownTitles().size(), "th"));
    EXPECT_EQ(strings(kinds.last()), QStringList(grid.shownTitles().size(), "td"));
}

TEST_F(ReadBackTest, RtfIsATableThatUnrtfReads) {
    const ui::DataGrid& grid = userGrid(hardNames());
    const QString path = exportTo(grid, "persons", 5);
    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(bytes.startsWith("{\\rtf1"));
    EXPECT_TRUE(bytes.contains("\\trowd"));
    EXPECT_TRUE(bytes.contains("\\u1048\\'3f")); // И
    EXPECT_EQ(bytes.count("\\row\r\n"), grid.shownRowCount() + 1);
    for (char byte : bytes)
        ASSERT_GT(uchar(byte), 0) << "RTF is 7-bit text";
    const QString text = unrtfText(path);
    for (const QString& title : grid.shownTitles())
        EXPECT_TRUE(text.contains(title)) << title.toStdString();
    for (const QString& name : hardNames()) {
        for (const QString& line : name.split('\n'))
            EXPECT_TRUE(text.contains(line)) << line.toStdString();
    }
}

// Texts are shared strings, numbers number cells, dates date cells that show as the grid.
TEST_F(ReadBackTest, XlsCellsHaveTheirTypes) {
    const ui::DataGrid& grid = userGrid(hardNames());
    const QString path = exportTo(grid, "persons", 1);
    ASSERT_TRUE(path.endsWith(".xls"));
    EXPECT_TRUE(bytesOf(path).startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    const QJsonArray sheets = readBack("xls", path).array();
    ASSERT_EQ(sheets.size(), 1);
    const QJsonArray rows = sheets[0]["rows"].toArray();
    ASSERT_EQ(rows.size(), grid.shownRowCount() + 1);
    const QVector<ui::DataGrid::ShownColumn> columns = grid.shownColumns();
    for (int column = 0; column < columns.size(); ++column)
        EXPECT_EQ(rows[0][column]["value"].toString(), columns[column].title);
    for (int row = 0; row < grid.shownRowCount(); ++row) {
        const QStringList texts = grid.shownRow(row);
        const QVariantList values = grid.shownValues(row);
        for (int column = 0; column < columns.size(); ++column) {
            const QJsonValue cell = rows[row + 1][column];
            const QString type = cell["type"].toString();
            switch (columns[column].type) {
            case store::FieldType::Integer:
                EXPECT_EQ(type, "number");
                EXPECT_EQ(cell["value"].toDouble(), values[column].toDouble());
                break;
            case store::FieldType::DateTime:
                EXPECT_EQ(type, "date");
                EXPECT_EQ(cell["value"].toString(),
                          store::FieldValue::parseDateTime(values[column].toString())
                              .toString("yyyy-MM-dd HH:mm:ss"));
                EXPECT_EQ(cell["format"].toString(),
                          output::excelDateFormat(grid.shownDatePattern(row, column)));
                break;
            default:
                EXPECT_EQ(type, texts[column].isEmpty() ? "empty" : "text");
                EXPECT_EQ(cell["value"].toString(), texts[column]);
            }
        }
    }
    // Wider grid columns are wider sheet columns.
    const QJsonArray widths = sheets[0]["widths"].toArray();
    for (int column = 0; column + 1 < columns.size(); ++column) {
        if (columns[column].width < columns[column + 1].width)
            EXPECT_LT(widths[column].toInt(), widths[column + 1].toInt());
    }
}
