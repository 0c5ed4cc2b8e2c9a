#include "measure/ReadingsImport.h"

#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/SaveLocation.h"
#include "readings/CsvImport.h"
#include "store/Tdm1.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace measure {

namespace {

QString chooseFileModally(QWidget* parent, const lang::LanguageStore& language,
                          const QString& folder) {
    return QFileDialog::getOpenFileName(
        parent, language.GetHintText(QStringLiteral("import_choose_file")), folder,
        language.GetHintText(QStringLiteral("import_file_types")));
}

std::optional<readings::DateOrder> askDateOrderModally(QWidget* parent,
                                                       const lang::LanguageStore& language) {
    QMessageBox box(QMessageBox::Question, language.TitleText(),
                    language.GetHintText(QStringLiteral("import_dates_ambiguous")),
                    QMessageBox::Cancel, parent);
    QPushButton* dayFirst = box.addButton(language.GetHintText(QStringLiteral("import_day_first")),
                                          QMessageBox::AcceptRole);
    QPushButton* monthFirst = box.addButton(
        language.GetHintText(QStringLiteral("import_month_first")), QMessageBox::AcceptRole);
    const bool localeDayFirst = readings::localeOrder(QLocale()) == readings::DateOrder::DayFirst;
    box.setDefaultButton(localeDayFirst ? dayFirst : monthFirst);
    box.exec();
    if (box.clickedButton() == dayFirst)
        return readings::DateOrder::DayFirst;
    if (box.clickedButton() == monthFirst)
        return readings::DateOrder::MonthFirst;
    return std::nullopt;
}

// One pass over the file under a progress dialog whose Cancel stops it.
readings::ImportResult importOnce(lang::WindowContext& context, const QString& person,
                                  const QString& path, readings::ImportOptions options,
                                  QWidget* parent, const ImportSteps& steps) {
    QProgressDialog progress(context.language.GetHintText(QStringLiteral("import_progress")),
                             QProgressDialog::tr("Cancel"), 0, 0, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    options.cancelled = [&progress, &steps] {
        if (steps.whileImporting)
            steps.whileImporting(progress);
        QCoreApplication::processEvents();
        return progress.wasCanceled();
    };
    readings::CsvFile file(path);
    return readings::importReadings(context.dm.ADOConnection1, person, file, options);
}

} // namespace

ImportSteps::ImportSteps() : chooseFile(chooseFileModally), chooseDateOrder(askDateOrderModally) {}

bool importForPerson(lang::WindowContext& context, const QString& person, QWidget* parent,
                     const ImportSteps& steps) {
    if (person.isEmpty()) {
        context.messages.inform(QStringLiteral("import_before_must_spec_user"));
        return false;
    }
    const QString path =
        steps.chooseFile(parent, context.language, output::saveFolder(context.files));
    if (path.isEmpty())
        return false;
    output::rememberSaveFolder(context.files, path);
    readings::ImportOptions options;
    for (;;) {
        readings::ImportResult result = importOnce(context, person, path, options, parent, steps);
        switch (result.status) {
        case readings::ImportStatus::Done: {
            ImportSummaryDialog summary(context.language, context.messages, result.summary, path,
                                        parent);
            steps.showSummary(summary);
            return true;
        }
        case readings::ImportStatus::NeedsColumns: {
            ColumnMappingDialog dialog(context.language, *result.survey, parent);
            if (!steps.mapColumns(dialog))
                return false;
            options.mapping = dialog.mapping();
            break;
        }
        case readings::ImportStatus::NeedsDateOrder:
            options.dateOrder = steps.chooseDateOrder(parent, context.language);
            if (!options.dateOrder)
                return false;
            break;
        case readings::ImportStatus::Cancelled:
            context.messages.inform(QStringLiteral("import_cancelled"));
            return false;
        case readings::ImportStatus::Failed:
            context.messages.fail(result.problem->key, result.problem->args);
            return false;
        }
    }
}

} // namespace measure
