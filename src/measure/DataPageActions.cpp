// The analysis and the deletions of the Data page.

#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/DataPage.h"
#include "output/FhirSource.h"
#include "output/SaveLocation.h"
#include "store/ControlsDisabled.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QDateEdit>

namespace measure {

void DataPage::img_analyClick() {
    if (comb_user_->currentText().isEmpty()) {
        context_.messages.inform("analysis_before_must_spec_user");
        comb_user_->setFocus();
        return;
    }
    if (ComboBox3->currentIndex() < 0) {
        context_.messages.inform("analysis_before_must_spec_type");
        ComboBox3->setFocus();
        return;
    }
    const QString pattern = dates_.pattern();
    da1->setDisplayFormat(pattern);
    da2->setDisplayFormat(pattern);
    QString mode = analysisMode_;
    QString startText = dates_.write(da1->date());
    QString endText = dates_.write(da2->date());
    ShowAnalysisForm(context_, window(), mode, startText, endText, pattern, dates_,
                     runAnalysisDialog_);
    // Empty only when nothing was ever confirmed; otherwise a cancel reruns the
    // remembered analysis for the person now chosen.
    const std::optional<AnalysisMode> chosen = modeFromKey(mode);
    if (!chosen)
        return;
    rememberAnalysis(mode, startText, endText);
    FallowDel = *chosen == AnalysisMode::Time;
    listRange_ = {da1->date(), da2->date()};
    guarded([&] {
        showCheckTimeAs(*chosen);
        openList(analysisQuery(*chosen, da1->date(), da2->date()));
        FillChart();
    });
}

// Stores the range and then the mode; a text that does not read as a date leaves
// that setting and the ones after it as they were.
void DataPage::rememberAnalysis(const QString& mode, const QString& startText,
                                const QString& endText) {
    const std::optional<QDate> start = dates_.read(startText);
    if (!start)
        return;
    da1->setDate(*start);
    const std::optional<QDate> end = dates_.read(endText);
    if (!end)
        return;
    da2->setDate(*end);
    analysisMode_ = mode;
}

void DataPage::img_delete_selectionClick() {
    store::Dataset& rows = list();
    if (!rows.isActive() || rows.isEmpty() || rows.fieldIndex("delselection") < 0)
        return;
    // Rows of averages stand for many readings: none of them is deleted through it.
    if (!FallowDel) {
        context_.messages.inform("delete_selection_of_averages");
        return;
    }
    if (!context_.messages.ask("delete_selection_bprecord_ask"))
        return;
    guarded([&] {
        deleteMarkedRows(rows);
        FillChart();
    });
}

// All marked rows of the list go in one transaction: after a failure the database
// holds all of them again, and the list is read again to show that.
void DataPage::deleteMarkedRows(store::Dataset& rows) {
    store::ControlsDisabled detached(rows, store::ControlsDisabled::AtEnd::FirstRow);
    try {
        store::Transaction transaction(context_.dm.ADOConnection1);
        rows.first();
        while (!rows.eof()) {
            if (rows.asBoolean("delselection"))
                rows.remove();
            else
                rows.next();
        }
        transaction.commit();
    } catch (const store::DatabaseError&) {
        rows.open();
        throw;
    }
}

void DataPage::img_delete_allClick() {
    store::Dataset& rows = list();
    if (!rows.isActive() || rows.isEmpty() || rows.fieldIndex("delselection") < 0)
        return;
    if (!context_.messages.ask("delete_all_bprecord_ask"))
        return;
    guarded([&] {
        context_.dm.adocom1.execute("delete * from bp_record where personal=" +
                                    store::quoted(comb_user_->currentText()));
        rows.close();
        rows.open();
        FillChart();
    });
}

void DataPage::img_save_asClick() {
    if (!list().isActive()) {
        context_.messages.inform(QStringLiteral("export_before_table_not_open"));
        return;
    }
    const QString person = comb_user_->currentText();
    output::BundleSource bundle;
    if (FallowDel)
        bundle = [this, person, range = listRange_](QIODevice& device) {
            output::writeStoredFhirBundle(device, context_.dm.ADOConnection1, context_.language,
                                          person, range.first(), range.last());
        };
    gridExport_.ExportGrid(
        output::suggestedFileName(person.isEmpty() ? QStringLiteral("analysis") : person),
        *DBGridEh1, bundle);
}

void DataPage::btn_importClick() {
    if (importForPerson(context_, comb_user_->currentText(), window(), importSteps_))
        comb_userChange();
}

} // namespace measure
