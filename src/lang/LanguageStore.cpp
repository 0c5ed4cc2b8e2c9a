#include "LanguageStore.h"

#include "store/Tdm1.h"

#include <QRegularExpression>

namespace lang {

LanguageStore::LanguageStore(store::Tdm1& dm) : dm_(dm) {}

void LanguageStore::selectLanguage() {
    store::Dataset& option = dm_.ado_option;
    const QString choice = option.isEmpty() ? QStringLiteral("default")
                                            : option.asString(QStringLiteral("language_def"));
    languageColumn_ = choice == QLatin1String("default") ? QStringLiteral("showtext")
                                                         : QStringLiteral("show_") + choice;
    // A language without a text column would make every lookup fail.
    if (dm_.ado_cfg.fieldIndex(languageColumn_) < 0)
        languageColumn_ = QStringLiteral("showtext");
    GetLangConfig();
}

QStringList LanguageStore::languages() const {
    // show_font and show_width share the prefix but hold no texts.
    static const QStringList notLanguages{QStringLiteral("font"), QStringLiteral("width")};
    const QString prefix = QStringLiteral("show_");
    QStringList names;
    const store::Dataset& cfg = dm_.ado_cfg;
    for (int index = 0; index < cfg.fieldCount(); ++index) {
        const QString field = cfg.fieldName(index).toLower();
        if (field.startsWith(prefix) && !notLanguages.contains(field.mid(prefix.size())))
            names.append(field.mid(prefix.size()));
    }
    return names;
}

QString LanguageStore::currentLanguage() const {
    if (languageColumn_ == QLatin1String("showtext"))
        return QStringLiteral("english");
    return languageColumn_.mid(QStringLiteral("show_").size());
}

void LanguageStore::chooseLanguage(const QString& language) {
    store::Dataset& option = dm_.ado_option;
    if (option.isEmpty())
        option.append();
    else
        option.edit();
    option.setValue(QStringLiteral("language_def"), language);
    option.post();
    selectLanguage();
}

QString LanguageStore::GetHintText(const QString& key) const {
    store::Dataset& cfg = dm_.ado_cfg;
    if (!cfg.isActive() || !cfg.locate(QStringLiteral("component"), key))
        return {};
    const QString text = cfg.asString(languageColumn_);
    return text.isEmpty() ? cfg.asString(QStringLiteral("showtext")) : text;
}

QString LanguageStore::GetHintText(const QString& key, const QStringList& arguments) const {
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    const QString text = GetHintText(key);
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text)) {
        const qsizetype index = match.captured(1).toInt() - 1;
        if (index >= arguments.size())
            continue;
        result += text.mid(done, match.capturedStart() - done) + arguments[index];
        done = match.capturedEnd();
    }
    return result + text.mid(done);
}

void LanguageStore::GetLangConfig() {
    titleText_ = GetHintText(QStringLiteral("title"));
}

} // namespace lang
