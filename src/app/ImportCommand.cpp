#include "app/ImportCommand.h"

#include "app/CommandLine.h"
#include "app/FilePlacement.h"
#include "lang/LanguageStore.h"
#include "measure/RejectionText.h"
#include "readings/CsvImport.h"
#include "store/AppFiles.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"

#include <QTextStream>

namespace app {

namespace {

int refuse(const lang::LanguageStore& language, const readings::ImportResult& result,
           QTextStream& err) {
    const readings::Problem& problem = *result.problem;
    err << language.GetHintText(problem.key, problem.args) << '\n';
    if (result.status == readings::ImportStatus::NeedsDateOrder)
        err << language.GetHintText(QStringLiteral("import_dates_order_option")) << '\n';
    return 1;
}

} // namespace

int runImport(const CommandLine& line, const store::AppFiles& files, QTextStream& out,
              QTextStream& err) {
    if (const QString failure = makeDataDir(files.dataDir()); !failure.isEmpty()) {
        err << failure << '\n';
        return 1;
    }
    store::Tdm1 dm1(files.dataDir());
    lang::LanguageStore language(dm1);
    try {
        dm1.OpenForCommand();
        language.selectLanguage();
    } catch (const store::DatabaseError& error) {
        err << dm1.GetDBLinkStr() << ": " << error.message() << '\n';
        return 1;
    }
    readings::CsvFile file(*line.importFile);
    readings::ImportOptions options;
    options.dateOrder = line.dateOrder;
    const readings::ImportResult result =
        readings::importReadings(dm1.ADOConnection1, line.person, file, options);
    if (result.status != readings::ImportStatus::Done)
        return refuse(language, result, err);
    const readings::ImportSummary& summary = result.summary;
    for (const QString& rejected : measure::rejectionLines(language, summary))
        err << rejected << '\n';
    out << measure::summaryLine(language, summary) << '\n';
    const bool allThere = summary.skipped > 0 && summary.rejectedCount == 0;
    return summary.stored > 0 || allThere ? 0 : 1;
}

} // namespace app
