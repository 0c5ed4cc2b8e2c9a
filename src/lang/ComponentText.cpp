#include "lang/ComponentText.h"

#include "lang/LanguageStore.h"
#include "store/Database.h"
#include "store/Tdm1.h"

namespace lang {

namespace {

// The first row's text in the current language, showtext where that is empty.
QString firstText(const LanguageStore& language, const QString& condition) {
    store::Dataset rows(language.dm().ADOConnection1, store::WriteMode::Immediate);
    rows.setCommandText(QStringLiteral("select * from bp_language where ") + condition);
    rows.open();
    if (rows.isEmpty())
        return {};
    const QString text = rows.asString(language.languageColumn());
    return text.isEmpty() ? rows.asString(QStringLiteral("showtext")) : text;
}

QString rowsOf(const QString& form, const QString& group, const QString& component) {
    return QStringLiteral("formname=%1 and [group]=%2 and component=%3")
        .arg(store::quoted(form), store::quoted(group), store::quoted(component));
}

} // namespace

QString captionText(const LanguageStore& language, const QString& form, const QString& component) {
    return firstText(language, rowsOf(form, QStringLiteral("caption"), component));
}

QString itemText(const LanguageStore& language, const QString& form, const QString& component,
                 const QString& value) {
    const QString text =
        firstText(language, rowsOf(form, QStringLiteral("combobox_item"), component) +
                                QStringLiteral(" and showtext=") + store::quoted(value));
    return text.isEmpty() ? value : text;
}

} // namespace lang
