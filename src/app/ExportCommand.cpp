#include "app/ExportCommand.h"

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "lang/GridTexts.h"
#include "lang/LanguageStore.h"
#include "measure/ReadingList.h"
#include "output/FhirSource.h"
#include "output/GridFile.h"
#include "output/PdfFile.h"
#include "output/ReportDocument.h"
#include "output/ShowReport.h"
#include "store/AppFiles.h"
#include "store/DatabaseError.h"
#include "store/PrivateFiles.h"
#include "store/Tdm1.h"
#include "ui/ShownTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace app {

namespace {

std::optional<output::ExportFormat> gridFormat(const QString& name) {
    for (auto format :
         {output::ExportFormat::Xls, output::ExportFormat::Txt, output::ExportFormat::Csv,
          output::ExportFormat::Htm, output::ExportFormat::Rtf}) {
        if (output::extensionOf(format) == name)
            return format;
    }
    return std::nullopt;
}

bool personKnown(store::Database& db, const QString& person) {
    store::Dataset rows(db, store::WriteMode::Immediate);
    rows.setCommandText(QStringLiteral("select lastname from bp_userinfo where lastname=:a1"));
    rows.setParameter(QStringLiteral("a1"), person);
    rows.open();
    return !rows.isEmpty();
}

struct Written {
    std::optional<QString> failure;
    int readings = 0;
};

// The Data page's report of the list, as its preview saves it.
std::optional<QString> writeReport(store::Dataset& rows, const store::AppFiles& files,
                                   const lang::LanguageStore& language, const QString& fileName) {
    const QString path = files.find(QStringLiteral("analysis_table.rav"));
    try {
        const output::ReportDocument report(
            path, output::loadTemplate(path), rows,
            [&language](const QString& key) { return language.GetHintText(key); });
        const QString reason = output::writePdf(report, fileName);
        return reason.isEmpty() ? std::nullopt : std::optional(reason);
    } catch (const output::TemplateError& error) {
        return output::templateErrorText(language, error, path);
    }
}

Written writeFile(const CommandLine& line, const store::AppFiles& files, store::Tdm1& dm1,
                  const lang::LanguageStore& language) {
    const measure::ReadingRange range{line.from, line.to};
    store::Dataset& rows = dm1.ado_analysis;
    measure::openReadingList(rows, line.person, range);
    const int readings = rows.recordCount();
    if (*line.exportFormat == QLatin1String("pdf"))
        return {writeReport(rows, files, language, line.exportFile), readings};
    if (const std::optional<output::ExportFormat> format = gridFormat(*line.exportFormat)) {
        const readings::Scheme scheme = ReadScheme(files.dataDir());
        ui::DatasetTable table(rows,
                               measure::readingListColumns([scheme] { return scheme; }, language));
        lang::applyGridTexts(language, QStringLiteral("frm_main"), QStringLiteral("DBGridEh1"),
                             table.model());
        return {output::writeGridFile(table, *format, line.exportFile), readings};
    }
    return {output::writeExportFile(
                [&](QIODevice& device) {
                    output::writeStoredFhirBundle(device, dm1.ADOConnection1, language, line.person,
                                                  range.first(), range.last());
                },
                line.exportFile),
            readings};
}

} // namespace

int runExport(const CommandLine& line, const store::AppFiles& files, QTextStream& out,
              QTextStream& err) {
    store::makePrivateDirectories(files.dataDir());
    store::Tdm1 dm1(files.dataDir());
    lang::LanguageStore language(dm1);
    const QString shownFile = QDir::toNativeSeparators(line.exportFile);
    try {
        dm1.OpenForCommand();
        language.selectLanguage();
        if (!personKnown(dm1.ADOConnection1, line.person)) {
            err << language.GetHintText(QStringLiteral("export_person_unknown"), {line.person})
                << '\n';
            return 1;
        }
        if (QFileInfo::exists(line.exportFile) && !line.force) {
            err << language.GetHintText(QStringLiteral("export_file_exists"), {shownFile}) << '\n';
            return 1;
        }
        const Written written = writeFile(line, files, dm1, language);
        if (written.failure) {
            err << language.GetHintText(QStringLiteral("export_failed")) << ' ' << shownFile << ": "
                << *written.failure << '\n';
            return 1;
        }
        out << language.GetHintText(QStringLiteral("export_summary"),
                                    {QString::number(written.readings), shownFile})
            << '\n';
    } catch (const store::DatabaseError& error) {
        err << dm1.GetDBLinkStr() << ": " << error.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace app
