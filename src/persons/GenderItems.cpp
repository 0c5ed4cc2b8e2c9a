#include "persons/GenderItems.h"

#include "lang/LanguageStore.h"
#include "store/Database.h"
#include "store/Tdm1.h"

namespace persons {

const QStringList& GenderItems::values() {
    static const QStringList values{QStringLiteral("Male"), QStringLiteral("Female")};
    return values;
}

GenderItems::GenderItems(const lang::LanguageStore& language) {
    for (const QString& value : values())
        texts_.append({value});
    QStringList columns{QStringLiteral("showtext")};
    for (const QString& name : language.languages())
        columns << QStringLiteral("show_") + name;
    store::Dataset rows(language.dm().ADOConnection1, store::WriteMode::Immediate);
    rows.setCommandText(QStringLiteral("select * from bp_language where formname='frm_user' and "
                                       "component='comb_gender' and [group]='combobox_item'"));
    rows.open();
    for (; !rows.eof(); rows.next()) {
        const int item = rows.asInteger(QStringLiteral("component_index"));
        if (item < 0 || item >= texts_.size())
            continue;
        for (const QString& column : columns) {
            const QString text = rows.asString(column).trimmed();
            if (!text.isEmpty())
                texts_[item] << text;
        }
    }
}

int GenderItems::itemOf(const QString& text) const {
    for (int item = 0; item < texts_.size(); ++item) {
        if (texts_[item].contains(text.trimmed(), Qt::CaseInsensitive))
            return item;
    }
    return -1;
}

QString GenderItems::valueOf(const QString& text) const {
    const int item = itemOf(text);
    return item < 0 ? text : values().at(item);
}

} // namespace persons
