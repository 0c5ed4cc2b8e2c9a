#include "app/CommandLine.h"

namespace app {

namespace {

const QString kDataDir = QStringLiteral("--data-dir");
const QString kImport = QStringLiteral("--import");
const QString kPerson = QStringLiteral("--person");
const QString kDateOrder = QStringLiteral("--date-order");

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

// Beside --import every argument must be one of its options.
void checkHeadless(const CommandLine& line, const QStringList& others) {
    const bool importing = line.importFile.has_value();
    if (importing && !others.isEmpty())
        throw UsageError(qPrintable(QStringLiteral("Unknown option: ") + others.first()));
    if (importing && line.person.isEmpty())
        throw UsageError("--import needs --person NAME.");
    if (!importing && (!line.person.isEmpty() || line.dateOrder))
        throw UsageError("--person and --date-order go with --import FILE.");
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList others;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--check-start"))
            line.checkStart = true;
        else if (auto dir = valueOf(kDataDir, arguments, i))
            line.dataDir = *dir;
        else if (auto file = valueOf(kImport, arguments, i))
            line.importFile = *file;
        else if (auto person = valueOf(kPerson, arguments, i))
            line.person = *person;
        else if (auto order = valueOf(kDateOrder, arguments, i))
            line.dateOrder = dateOrderOf(*order);
        else
            others << arguments[i];
    }
    if (line.checkStart && line.importFile)
        others.prepend(QStringLiteral("--check-start"));
    checkHeadless(line, others);
    return line;
}

QString usageText() {
    return QStringLiteral(
        "Usage:\n"
        "  tonvi [--data-dir DIR] [--simulate-monitor[=FILE]] [--check-start]\n"
        "  tonvi --import FILE --person NAME [--date-order day-first|month-first] "
        "[--data-dir DIR]\n");
}

} // namespace app
