#include "output/XlsWriter.h"

#include "output/BiffRecords.h"
#include "output/CompoundFile.h"
#include "output/ExcelDates.h"
#include "store/FieldValue.h"
#include "ui/ShownTable.h"

#include <QHash>
#include <QVector>

namespace output {

namespace {

enum Record : uint16_t {
    Bof = 0x0809,
    Eof = 0x000A,
    Codepage = 0x0042,
    Window1 = 0x003D,
    DateMode = 0x0022,
    Font = 0x0031,
    Format = 0x041E,
    Xf = 0x00E0,
    Style = 0x0293,
    BoundSheet = 0x0085,
    ColInfo = 0x007D,
    Dimensions = 0x0200,
    Window2 = 0x023E,
    LabelSst = 0x00FD,
    Number = 0x0203,
    Rk = 0x027E,
};

constexpr uint16_t generalXf = 15; // the default cell format
constexpr uint16_t firstCustomXf = 16;
constexpr uint16_t firstCustomFormat = 164;
constexpr int pixelsPerCharacter = 7; // digit width of the default font

void bof(BiffRecords& out, uint16_t kind) {
    out.begin(Bof);
    out.u16(0x0600); // BIFF8
    out.u16(kind);
    out.u16(0x0DBB);
    out.u16(0x07CC);
    out.u32(0);
    out.u32(0x06);
    out.end();
}

void eof(BiffRecords& out) {
    out.begin(Eof);
    out.end();
}

// Whether a value shows as a number cell in a column of this type.
bool isNumber(const QVariant& value, store::FieldType type) {
    return type != store::FieldType::Text && type != store::FieldType::Boolean &&
           value.typeId() != QMetaType::Bool && store::FieldValue::isNumber(value);
}

// The cells of the sheets; collects the shared strings and the date formats they use.
class SheetBuilder {
public:
    explicit SheetBuilder(const ui::ShownTable& grid)
        : grid_(grid), columns_(grid.shownColumns()) {}

    QVector<BiffRecords> build() {
        QStringList titles;
        for (const auto& column : columns_)
            titles.append(column.title);
        QVector<BiffRecords> sheets;
        const int rows = grid_.shownRowCount();
        const int perSheet = rowsPerSheet - 1;
        for (int first = 0; first < rows || sheets.isEmpty(); first += perSheet) {
            const int count = qMin(perSheet, rows - first);
            BiffRecords sheet;
            beginSheet(sheet, count + 1);
            for (int column = 0; column < columns_.size(); ++column)
                label(sheet, 0, column, titles[column]);
            for (int row = 0; row < count; ++row)
                cells(sheet, row + 1, first + row);
            endSheet(sheet, sheets.isEmpty());
            sheets.append(std::move(sheet));
        }
        return sheets;
    }

    SharedStrings strings;
    QStringList formats; // in the order of their cell formats

private:
    void beginSheet(BiffRecords& out, int rows) {
        out.reserve(qsizetype(rows) * (columns_.size() * 16 + 8) + 1024);
        bof(out, 0x0010);
        for (int column = 0; column < columns_.size(); ++column) {
            out.begin(ColInfo);
            out.u16(uint16_t(column));
            out.u16(uint16_t(column));
            out.u16(uint16_t(qBound(0, columns_[column].width * 256 / pixelsPerCharacter, 0xFFFF)));
            out.u16(generalXf);
            out.u16(0);
            out.u16(0);
            out.end();
        }
        out.begin(Dimensions);
        out.u32(0);
        out.u32(uint32_t(rows));
        out.u16(0);
        out.u16(uint16_t(columns_.size()));
        out.u16(0);
        out.end();
    }

    void endSheet(BiffRecords& out, bool first) {
        out.begin(Window2);
        out.u16(first ? 0x06B6 : 0x04B6); // the first sheet is the selected one
        out.u16(0);
        out.u16(0);
        out.u32(64);
        out.u16(0);
        out.u16(0);
        out.u32(0);
        out.end();
        eof(out);
    }

    void cells(BiffRecords& out, int sheetRow, int row) {
        const QVariantList values = grid_.shownValues(row);
        QStringList texts;
        for (int column = 0; column < columns_.size(); ++column) {
            const QVariant& value = values[column];
            if (value.isNull())
                continue;
            const store::FieldType type = columns_[column].type;
            if (type == store::FieldType::DateTime) {
                if (const auto serial = excelSerial(value)) {
                    number(out, sheetRow, column, *serial,
                           dateXf(grid_.shownDatePattern(row, column)));
                    continue;
                }
            } else if (isNumber(value, type)) {
                number(out, sheetRow, column, value.toDouble(), generalXf);
                continue;
            }
            if (texts.isEmpty())
                texts = grid_.shownRow(row);
            label(out, sheetRow, column, texts[column]);
        }
    }

    void label(BiffRecords& out, int row, int column, const QString& text) {
        out.begin(LabelSst);
        cellHeader(out, row, column, generalXf);
        out.u32(strings.indexOf(text));
        out.end();
    }

    // A whole number that fits 30 bits goes into the shorter RK record.
    void number(BiffRecords& out, int row, int column, double value, uint16_t xf) {
        const double whole = double(qint64(value));
        if (whole == value && value >= -(1 << 29) && value < (1 << 29)) {
            out.begin(Rk);
            cellHeader(out, row, column, xf);
            out.u32((uint32_t(int32_t(whole)) << 2) | 0x2);
        } else {
            out.begin(Number);
            cellHeader(out, row, column, xf);
            out.f64(value);
        }
        out.end();
    }

    static void cellHeader(BiffRecords& out, int row, int column, uint16_t xf) {
        out.u16(uint16_t(row));
        out.u16(uint16_t(column));
        out.u16(xf);
    }

    uint16_t dateXf(const QString& pattern) {
        const auto found = dateXfs_.constFind(pattern);
        if (found != dateXfs_.constEnd())
            return *found;
        const uint16_t xf = uint16_t(firstCustomXf + formats.size());
        formats.append(excelDateFormat(pattern));
        dateXfs_.insert(pattern, xf);
        return xf;
    }

    const ui::ShownTable& grid_;
    const QVector<ui::ShownTable::ShownColumn> columns_;
    QHash<QString, uint16_t> dateXfs_;
};

void xf(BiffRecords& out, uint16_t format, uint16_t kind, uint8_t used) {
    out.begin(Xf);
    out.u16(0); // font
    out.u16(format);
    out.u16(kind);
    out.u8(0x20); // bottom aligned
    out.u8(0);
    out.u8(0);
    out.u8(used);
    out.u32(0);
    out.u32(0);
    out.u16(0x20C0); // automatic pattern colours
    out.end();
}

// Everything before the sheets; the positions of the sheets are patched in later.
QVector<int> writeGlobals(BiffRecords& out, const SheetBuilder& cells, int sheets) {
    bof(out, 0x0005);
    out.begin(Codepage);
    out.u16(1200); // UTF-16
    out.end();
    out.begin(Window1);
    for (uint16_t value : {0, 0, 25000, 15000, 0x0038, 0, 0, 1, 600})
        out.u16(value);
    out.end();
    out.begin(DateMode);
    out.u16(0); // dates count from 1900
    out.end();
    for (int font = 0; font < 4; ++font) {
        out.begin(Font);
        for (uint16_t value : {200, 0, 0x7FFF, 400, 0})
            out.u16(value);
        out.u32(0);
        out.unicodeString(QStringLiteral("Arial"), false);
        out.end();
    }
    for (int index = 0; index < cells.formats.size(); ++index) {
        out.begin(Format);
        out.u16(uint16_t(firstCustomFormat + index));
        out.unicodeString(cells.formats[index]);
        out.end();
    }
    xf(out, 0, 0xFFF5, 0);
    for (int style = 1; style < generalXf; ++style)
        xf(out, 0, 0xFFF5, 0xF4);
    xf(out, 0, 0x0001, 0);
    for (int index = 0; index < cells.formats.size(); ++index)
        xf(out, uint16_t(firstCustomFormat + index), 0x0001, 0x04);
    out.begin(Style);
    out.u16(0x8000); // built-in style "Normal" on the first format
    out.u8(0);
    out.u8(0xFF);
    out.end();
    QVector<int> positions;
    for (int sheet = 0; sheet < sheets; ++sheet) {
        out.begin(BoundSheet);
        positions.append(out.size());
        out.u32(0);
        out.u16(0); // visible worksheet
        out.unicodeString(QStringLiteral("Sheet%1").arg(sheet + 1), false);
        out.end();
    }
    cells.strings.write(out);
    eof(out);
    return positions;
}

} // namespace

QByteArray xlsFile(const ui::ShownTable& grid) {
    SheetBuilder cells(grid);
    const QVector<BiffRecords> sheets = cells.build();
    BiffRecords globals;
    const QVector<int> positions = writeGlobals(globals, cells, int(sheets.size()));
    std::vector<std::string_view> parts{globals.bytes()};
    uint32_t position = uint32_t(globals.size());
    for (int sheet = 0; sheet < sheets.size(); ++sheet) {
        globals.patchU32(positions[sheet], position);
        position += uint32_t(sheets[sheet].size());
        parts.push_back(sheets[sheet].bytes());
    }
    return compoundFile(QStringLiteral("Workbook"), parts);
}

} // namespace output
