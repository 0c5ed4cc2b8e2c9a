#include "measure/CategoryColumn.h"

#include "lang/LanguageStore.h"
#include "store/Dataset.h"

#include <QHash>
#include <memory>

namespace measure {

QColor categoryColour(readings::Category category) {
    using readings::Category;
    switch (category) {
    case Category::EshOptimal:
    case Category::EshNormal:
    case Category::AccNormal:
        return QColor(0xd8, 0xf0, 0xd0);
    case Category::EshHighNormal:
    case Category::AccElevated:
        return QColor(0xf6, 0xf0, 0xb8);
    case Category::EshGrade1:
    case Category::EshIsolatedSystolic:
    case Category::AccStage1:
        return QColor(0xfc, 0xdc, 0xa8);
    case Category::EshGrade2:
    case Category::AccStage2:
        return QColor(0xf8, 0xbc, 0xa8);
    case Category::EshGrade3:
    case Category::AccCrisis:
        return QColor(0xf0, 0x98, 0x98);
    }
    return {};
}

ui::GridColumn categoryColumn(std::function<readings::Scheme()> scheme,
                              const lang::LanguageStore& language) {
    ui::GridColumn column;
    column.fieldName = QStringLiteral("category");
    column.title = QStringLiteral("category");
    column.width = 150;
    // Names looked up once per language: the table is searched row by row, and an export
    // asks for every reading's category.
    struct Names {
        QString language;
        QHash<int, QString> texts;
    };
    column.rowCell = [scheme = std::move(scheme), &language, names = std::make_shared<Names>()](
                         const store::Dataset& rows, int row) -> ui::RowCellLook {
        const QVariant systolic = rows.valueAt(row, rows.fieldIndex(QStringLiteral("systolic")));
        const QVariant diastolic = rows.valueAt(row, rows.fieldIndex(QStringLiteral("diastolic")));
        if (systolic.isNull() || diastolic.isNull())
            return {};
        const readings::Category category =
            readings::categorize(scheme(), systolic.toDouble(), diastolic.toDouble());
        if (names->language != language.languageColumn())
            *names = {language.languageColumn(), {}};
        auto name = names->texts.find(int(category));
        if (name == names->texts.end())
            name = names->texts.insert(int(category),
                                       language.GetHintText(readings::categoryKey(category)));
        return {*name, categoryColour(category)};
    };
    return column;
}

} // namespace measure
