#include "app/Settings.h"

#include "store/IniFile.h"

namespace app {

int ReadSettings(const QString& dataDir) {
    constexpr int defaultDelay = 20;
    auto ini = store::IniFile::loadSettings(dataDir);
    if (!ini)
        return defaultDelay;
    int delay = 0;
    if (const auto value = ini->value(u"delay", u"receidata"))
        delay = store::profileInt(*value);
    else // when this fails, the default still applies
        ini->write(u"delay", u"receidata", QString::number(defaultDelay));
    return delay > 0 ? delay : defaultDelay;
}

QByteArray ReadWindowGeometry(const QString& dataDir) {
    const auto ini = store::IniFile::loadSettings(dataDir);
    const auto value = ini ? ini->value(u"window", u"geometry") : std::nullopt;
    return value ? QByteArray::fromBase64(value->toLatin1()) : QByteArray();
}

void WriteWindowGeometry(const QString& dataDir, const QByteArray& geometry) {
    // A settings file that cannot be written costs only the window's place.
    if (auto ini = store::IniFile::loadSettings(dataDir))
        ini->write(u"window", u"geometry", QString::fromLatin1(geometry.toBase64()));
}

namespace {

QString schemeText(readings::Scheme scheme) {
    return scheme == readings::Scheme::AccAha2017 ? QStringLiteral("accaha")
                                                  : QStringLiteral("esh");
}

} // namespace

readings::Scheme ReadScheme(const QString& dataDir, const QLocale& system) {
    const auto ini = store::IniFile::loadSettings(dataDir);
    const auto value = ini ? ini->value(u"statistics", u"scheme") : std::nullopt;
    for (readings::Scheme scheme : {readings::Scheme::Esh2023, readings::Scheme::AccAha2017})
        if (value && value->trimmed().compare(schemeText(scheme), Qt::CaseInsensitive) == 0)
            return scheme;
    const bool usEnglish =
        system.language() == QLocale::English && system.territory() == QLocale::UnitedStates;
    return usEnglish ? readings::Scheme::AccAha2017 : readings::Scheme::Esh2023;
}

void WriteScheme(const QString& dataDir, readings::Scheme scheme) {
    // A settings file that cannot be written costs only the choice after the next start.
    if (auto ini = store::IniFile::loadSettings(dataDir))
        ini->write(u"statistics", u"scheme", schemeText(scheme));
}

device::LinkChoice ReadLinkChoice(const QString& dataDir) {
    device::LinkChoice choice;
    const auto ini = store::IniFile::loadSettings(dataDir);
    if (!ini)
        return choice;
    const auto connection = ini->value(u"transfer", u"connection");
    if (connection && connection->compare(u"bluetooth", Qt::CaseInsensitive) == 0)
        choice.connection = device::Connection::Bluetooth;
    choice.monitor = {ini->value(u"bluetooth", u"name").value_or(QString()),
                      ini->value(u"bluetooth", u"monitor").value_or(QString())};
    return choice;
}

void WriteLinkChoice(const QString& dataDir, const device::LinkChoice& choice) {
    // A settings file that cannot be written costs only the choice after the next start.
    auto ini = store::IniFile::loadSettings(dataDir);
    if (!ini)
        return;
    const bool bluetooth = choice.connection == device::Connection::Bluetooth;
    ini->write(u"transfer", u"connection", QLatin1String(bluetooth ? "bluetooth" : "usb"));
    ini->write(u"bluetooth", u"monitor", choice.monitor.address);
    ini->write(u"bluetooth", u"name", choice.monitor.name);
}

} // namespace app
