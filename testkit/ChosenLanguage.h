#pragma once

#include <QString>

namespace store {
class Tdm1;
}
namespace lang {
class LanguageStore;
}

namespace testkit {

// Chooses the language as the next start-up would: language_def stored, then the
// option and text rows read again and the language selected.
void chooseLanguage(store::Tdm1& dm1, lang::LanguageStore& language, const QString& languageDef);

} // namespace testkit
