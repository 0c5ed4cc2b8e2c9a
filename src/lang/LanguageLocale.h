#pragma once

#include <QLocale>
#include <QString>

namespace lang {

// The locale of a language of the language table, named in English ("german"), in the
// user's territory where Qt has such a locale. The user's own locale when it speaks that
// language already or when no language has that name ("default").
QLocale localeOfLanguage(const QString& language, const QLocale& user = QLocale());

} // namespace lang
