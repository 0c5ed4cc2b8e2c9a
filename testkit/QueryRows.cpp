#include "testkit/QueryRows.h"

#include "store/Dataset.h"

namespace testkit {

QStringList queryRows(store::Database& database, const QString& sql) {
    store::Dataset rows(database, store::WriteMode::Immediate);
    rows.setCommandText(sql);
    rows.open();
    QStringList texts;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList cells;
        for (int field = 0; field < rows.fieldCount(); ++field)
            cells << rows.asString(rows.fieldName(field));
        texts << cells.join(u'|');
    }
    return texts;
}

} // namespace testkit
