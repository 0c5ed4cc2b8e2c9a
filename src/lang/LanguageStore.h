#pragma once

#include <QStringList>

namespace store {
class Tdm1;
}

namespace lang {

// The language column chosen from bp_option and the message texts of ado_cfg.
class LanguageStore {
public:
    explicit LanguageStore(store::Tdm1& dm);

    // Reads language_def of the first bp_option row: "default" (exactly) selects
    // showtext, anything else show_<value>; a column that does not exist falls back to
    // showtext. Then fills the cached texts (GetLangConfig).
    void selectLanguage();
    QString languageColumn() const { return languageColumn_; }

    // The languages bp_language has a text column for: "show_" + name, in column order.
    QStringList languages() const;
    // The listed language whose column is in use; the default texts are the English ones.
    QString currentLanguage() const;
    // Stores the choice in bp_option.language_def and selects it for the rest of the run.
    void chooseLanguage(const QString& language);

    // The message text of a key in the current language, showtext when that is empty,
    // empty when the key has no row.
    QString GetHintText(const QString& key) const;
    // The same with %1, %2, ... replaced by the arguments in one pass, so that a "%2"
    // inside an argument stays as it is.
    QString GetHintText(const QString& key, const QStringList& arguments) const;
    void GetLangConfig();

    QString TitleText() const { return titleText_; }

    store::Tdm1& dm() const { return dm_; }

private:
    store::Tdm1& dm_;
    QString languageColumn_ = QStringLiteral("showtext");
    QString titleText_;
};

} // namespace lang
