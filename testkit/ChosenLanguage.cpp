#include "testkit/ChosenLanguage.h"

#include "lang/LanguageStore.h"
#include "store/Database.h"
#include "store/Tdm1.h"

namespace testkit {

void chooseLanguage(store::Tdm1& dm1, lang::LanguageStore& language, const QString& languageDef) {
    dm1.adocom1.execute("update bp_option set language_def=" + store::quoted(languageDef));
    for (store::Dataset* rows : {&dm1.ado_option, &dm1.ado_cfg}) {
        rows->close();
        rows->open();
    }
    language.selectLanguage();
}

} // namespace testkit
