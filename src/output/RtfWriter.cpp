#include "output/TextWriters.h"
#include "ui/ShownTable.h"

namespace output {

namespace {

constexpr int twipsPerPixel = 15; // at 96 dots per inch

// RTF control words for the characters that need them; every UTF-16 unit past ASCII
// as \uN with a question mark, written \'3f, for readers without Unicode.
void appendText(QByteArray& out, const QString& text) {
    for (int index = 0; index < text.size(); ++index) {
        const char16_t unit = text[index].unicode();
        switch (unit) {
        case u'\\':
            out += "\\\\";
            break;
        case u'{':
            out += "\\{";
            break;
        case u'}':
            out += "\\}";
            break;
        case u'\t':
            out += "\\tab ";
            break;
        case u'\r':
            if (index + 1 < text.size() && text[index + 1] == QLatin1Char('\n'))
                break; // CRLF is one break
            [[fallthrough]];
        case u'\n':
            out += "\\line ";
            break;
        default:
            if (unit >= 0x20 && unit < 0x80) {
                out += char(unit);
            } else if (unit >= 0x80) {
                out += "\\u";
                out += QByteArray::number(int(int16_t(unit)));
                out += "\\'3f";
            }
        }
    }
}

void appendRow(QByteArray& out, const QByteArray& rowStart, const QStringList& cells, bool bold) {
    out += rowStart;
    out += "\\pard\\intbl";
    for (const QString& cell : cells) {
        out += bold ? "{\\b " : "{";
        appendText(out, cell);
        out += "}\\cell";
    }
    out += "\\row\r\n";
}

} // namespace

QByteArray rtfFile(const ui::ShownTable& grid) {
    QByteArray rowStart = "\\trowd\\trgaph70";
    int right = 0;
    for (const ui::ShownTable::ShownColumn& column : grid.shownColumns()) {
        right += qMax(column.width, 1) * twipsPerPixel;
        rowStart += "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx";
        rowStart += QByteArray::number(right);
    }
    rowStart += "\r\n";
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss "
                     "Arial;}}\\f0\\fs20\r\n";
    appendRow(out, rowStart, grid.shownTitles(), true);
    for (int row = 0; row < grid.shownRowCount(); ++row)
        appendRow(out, rowStart, grid.shownRow(row), false);
    out += "\\pard\\par}\r\n";
    return out;
}

} // namespace output
