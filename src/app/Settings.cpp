#include "app/Settings.h"

#include "store/IniFile.h"

#include <QDir>

namespace app {

int ReadSettings(const QString& dataDir) {
    constexpr int defaultDelay = 20;
    auto ini = store::IniFile::load(QDir(dataDir).filePath(QStringLiteral("tonvisetup.ini")));
    if (!ini)
        return defaultDelay;
    int delay = 0;
    if (const auto value = ini->value(u"delay", u"receidata"))
        delay = store::profileInt(*value);
    else // when this fails, the default still applies
        ini->write(u"delay", u"receidata", QString::number(defaultDelay));
    return delay > 0 ? delay : defaultDelay;
}

} // namespace app
