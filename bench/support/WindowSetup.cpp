#include "support/WindowSetup.h"

namespace bench {

WindowSetup::WindowSetup(const QString& dir)
    : dm1(dir), language(dm1), pictures(dir), context{dir, dm1, language, pictures, messages} {}

void WindowSetup::start() {
    dm1.DataModuleCreate();
    language.selectLanguage();
}

} // namespace bench
