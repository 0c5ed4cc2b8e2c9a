#include "app/CommandLine.h"

#include <QRegularExpression>

namespace app {

namespace {

const QString kDataDir = QStringLiteral("--data-dir");
const QString kImport = QStringLiteral("--import");
const QString kPerson = QStringLiteral("--person");
const QString kDateOrder = QStringLiteral("--date-order");
const QString kPlatform = QStringLiteral("-platform");
const QString kLongPlatform = QStringLiteral("--platform");
const QString kSimulate = QStringLiteral("--simulate-monitor");
const QString kExport = QStringLiteral("--export");
const QString kFrom = QStringLiteral("--from");
const QString kTo = QStringLiteral("--to");

// Reads the value of an option given as "--name value" or "--name=value"; none when the
// argument at i is not that option.
std::optional<QString> valueOf(const QString& name, const QStringList& arguments, qsizetype& i) {
    const QString& argument = arguments[i];
    QString value;
    if (argument == name) {
        if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
            value = arguments[++i];
    } else if (argument.startsWith(name + QLatin1Char('='))) {
        value = argument.mid(name.size() + 1);
    } else {
        return std::nullopt;
    }
    if (value.isEmpty())
        throw UsageError(qPrintable(name + QStringLiteral(" needs a value.")));
    return value;
}

readings::DateOrder dateOrderOf(const QString& value) {
    if (value == QLatin1String("day-first"))
        return readings::DateOrder::DayFirst;
    if (value == QLatin1String("month-first"))
        return readings::DateOrder::MonthFirst;
    throw UsageError(
        qPrintable(kDateOrder + QStringLiteral(" takes day-first or month-first, not ") + value));
}

QString exportFormatOf(const QString& value) {
    static const QStringList formats{"csv", "txt", "htm", "rtf", "xls", "pdf", "fhir"};
    if (!formats.contains(value))
        throw UsageError(qPrintable(kExport + QStringLiteral(" takes one of ") +
                                    formats.join(QStringLiteral(", ")) + QStringLiteral(", not ") +
                                    value));
    return value;
}

QDate dateOf(const QString& name, const QString& value) {
    const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw UsageError(
            qPrintable(name + QStringLiteral(" takes a date as yyyy-MM-dd, not ") + value));
    return date;
}

// Beside --export the one argument that is no option is the file.
void checkExport(CommandLine& line, QStringList& others) {
    const bool exporting = line.exportFormat.has_value();
    if (!exporting) {
        if (line.from || line.to || line.force)
            throw UsageError("--from, --to and --force go with --export FORMAT.");
        return;
    }
    if (line.importFile)
        throw UsageError("--import and --export cannot be given together.");
    if (line.person.isEmpty())
        throw UsageError("--export needs --person NAME.");
    if (line.from && line.to && *line.from > *line.to)
        throw UsageError("--from must not be after --to.");
    const qsizetype file = others.indexOf(QRegularExpression(QStringLiteral("[^-].*")));
    if (file < 0)
        throw UsageError("--export needs the FILE to write.");
    line.exportFile = others.takeAt(file);
}

void checkHeadless(const CommandLine& line) {
    if (line.importFile && line.person.isEmpty())
        throw UsageError("--import needs --person NAME.");
    if (!line.headless() && !line.person.isEmpty())
        throw UsageError("--person goes with --import FILE or --export FORMAT.");
    if (!line.importFile && line.dateOrder)
        throw UsageError("--date-order goes with --import FILE.");
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList others;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--check-start"))
            line.checkStart = true;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            line.help = true;
        else if (argument == QLatin1String("--version"))
            line.version = true;
        else if (argument == kSimulate || argument.startsWith(kSimulate + QLatin1Char('=')))
            continue;
        else if (valueOf(kPlatform, arguments, i) || valueOf(kLongPlatform, arguments, i))
            continue;
        else if (auto dir = valueOf(kDataDir, arguments, i))
            line.dataDir = *dir;
        else if (auto file = valueOf(kImport, arguments, i))
            line.importFile = *file;
        else if (auto person = valueOf(kPerson, arguments, i))
            line.person = *person;
        else if (auto order = valueOf(kDateOrder, arguments, i))
            line.dateOrder = dateOrderOf(*order);
        else if (auto format = valueOf(kExport, arguments, i))
            line.exportFormat = exportFormatOf(*format);
        else if (auto from = valueOf(kFrom, arguments, i))
            line.from = dateOf(kFrom, *from);
        else if (auto to = valueOf(kTo, arguments, i))
            line.to = dateOf(kTo, *to);
        else if (arguments[i] == QLatin1String("--force"))
            line.force = true;
        else
            others << arguments[i];
    }
    if (line.help || line.version)
        return line;
    if (line.checkStart && line.headless())
        throw UsageError("--check-start does not go with --import or --export.");
    checkExport(line, others);
    if (!others.isEmpty())
        throw UsageError(qPrintable(QStringLiteral("Unknown option: ") + others.first()));
    checkHeadless(line);
    return line;
}

QString usageText() {
    return QStringLiteral(
        "Usage:\n"
        "  tonvi [--data-dir DIR] [--simulate-monitor[=FILE]] [--check-start]\n"
        "  tonvi --import FILE --person NAME [--date-order day-first|month-first] "
        "[--data-dir DIR]\n"
        "  tonvi --export FORMAT --person NAME [--from DATE] [--to DATE] [--force] "
        "[--data-dir DIR] FILE\n"
        "  tonvi --help | --version\n"
        "\n"
        "Options:\n"
        "  --data-dir DIR            keep and look for the database and settings in DIR\n"
        "  --check-start             start, print where the files are, and end\n"
        "  --simulate-monitor[=FILE] talk to a simulated monitor instead of a device\n"
        "  --import FILE             import the readings of a CSV file, without a window\n"
        "  --export FORMAT           write a person's readings to FILE, without a window:\n"
        "                            csv, txt, htm, rtf, xls, pdf or fhir\n"
        "  --person NAME             the person to import for or export\n"
        "  --date-order ORDER        day-first or month-first, for dates such as 03/05/2024\n"
        "  --from DATE, --to DATE    export only readings in this range (YYYY-MM-DD)\n"
        "  --force                   replace an existing FILE of the export\n"
        "  -platform NAME            the Qt platform plugin, e.g. offscreen\n"
        "  -h, --help                print this help and end\n"
        "  --version                 print the version and end\n");
}

QString versionText() {
    return QStringLiteral("tonvi " TONVI_VERSION "\n"
                          "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>\n");
}

} // namespace app
