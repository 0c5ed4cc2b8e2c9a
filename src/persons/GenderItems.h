#pragma once

#include <QStringList>
#include <QVector>

namespace lang {
class LanguageStore;
}

namespace persons {

// The items of the gender drop-down. A person's gender is stored as the item's value, the
// English text that existing databases hold, and read back from any language's text.
class GenderItems {
public:
    static const QStringList& values();

    // Reads every language's texts of the items from the language table.
    explicit GenderItems(const lang::LanguageStore& language);

    // The item whose value or text in any language this is, without regard to case; -1
    // for none.
    int itemOf(const QString& text) const;
    // The item's value, or the text itself when it names no item.
    QString valueOf(const QString& text) const;

private:
    QVector<QStringList> texts_;
};

} // namespace persons
