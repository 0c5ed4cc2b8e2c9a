#include "lang/GridTexts.h"

#include "lang/LanguageStore.h"
#include "store/Database.h"
#include "store/Tdm1.h"
#include "ui/DatasetTableModel.h"

namespace lang {

void applyGridTexts(const LanguageStore& language, const QString& formName, const QString& gridName,
                    ui::DatasetTableModel& model) {
    store::Dataset rows(language.dm().ADOConnection1, store::WriteMode::Immediate);
    rows.setCommandText(
        QStringLiteral("select * from bp_language where formname=") + store::quoted(formName) +
        QStringLiteral(" and [group]='grid' and component=") + store::quoted(gridName));
    rows.open();
    for (rows.first(); !rows.eof(); rows.next()) {
        if (!rows.asBoolean(QStringLiteral("show")))
            continue;
        const QString field = rows.asString(QStringLiteral("fieldname"));
        for (int column = 0; column < model.columns().size(); ++column) {
            if (model.columns()[column].fieldName.compare(field, Qt::CaseInsensitive) != 0)
                continue;
            model.setColumnTitle(column, rows.asString(language.languageColumn()));
            model.setColumnWidth(column, rows.asInteger(QStringLiteral("show_width")));
            break;
        }
    }
}

} // namespace lang
