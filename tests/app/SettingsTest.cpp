#include "app/Settings.h"

#include "support/TempAppDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString path() const { return dir.file("tonvisetup.ini"); }
    void store(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray stored() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    TempAppDir dir;
};

TEST_F(SettingsTest, FirstStartCreatesFileWithOnlyTheDefault) {
    EXPECT_EQ(app::ReadSettings(dir.path()), 20);
    EXPECT_EQ(stored(), "[delay]\r\nreceidata=20\r\n");
}

TEST_F(SettingsTest, PresentValueIsUsedOrReplacedByDefaultWithoutTouchingFile) {
    const std::pair<const char*, int> cases[] = {
        {"50", 50},     {" 50 ", 50},     {"+7", 7},     {"$32", 50},
        {"0x20", 32},   {"0X1f", 31},     {"0", 20},     {"", 20},
        {"abc", 20},    {"35ms", 20},     {"-5", 20},    {"$FFFFFFFF", 20},
        {"\"50\"", 50}, {" '0x20' ", 32}, {"\"50'", 20}, {"\"", 20}};
    for (const auto& [value, delay] : cases) {
        SCOPED_TRACE(value);
        const QByteArray content = QByteArray("[delay]\nreceidata=") + value + "\n";
        store(content);
        EXPECT_EQ(app::ReadSettings(dir.path()), delay);
        EXPECT_EQ(stored(), content);
    }
}

TEST_F(SettingsTest, NamesCompareWithoutCaseAndFirstOccurrenceCounts) {
    store("[DELAY]\nRECEIDATA=35\nreceidata=40\n[delay]\nreceidata=45\n");
    EXPECT_EQ(app::ReadSettings(dir.path()), 35);
}

TEST_F(SettingsTest, ReadsFilesOfWindowsEditors) {
    store("\xEF\xBB\xBF[delay]\r\nreceidata=35\r\n");
    EXPECT_EQ(app::ReadSettings(dir.path()), 35);
    const QString text = QStringLiteral("\uFEFF[delay]\r\nreceidata=36\r\n");
    store(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    EXPECT_EQ(app::ReadSettings(dir.path()), 36);
}

TEST_F(SettingsTest, KeyInAnotherSectionIsNotSeenAndDefaultIsAppended) {
    store("; colours\n[chart]\nreceidata=50\nup_color=red\n");
    EXPECT_EQ(app::ReadSettings(dir.path()), 20);
    EXPECT_EQ(stored(), "; colours\n[chart]\nreceidata=50\nup_color=red\n[delay]\nreceidata=20\n");
}

TEST_F(SettingsTest, DefaultGoesIntoExistingSectionKeepingEverythingElse) {
    store("\xEF\xBB\xBF; mine\r\n[delay]\r\nother = 1\r\n; chart: x=colour\r\n[chart]\r\nx=1\r\n");
    EXPECT_EQ(app::ReadSettings(dir.path()), 20);
    EXPECT_EQ(stored(), "\xEF\xBB\xBF; mine\r\n[delay]\r\nother = 1\r\nreceidata=20\r\n"
                        "; chart: x=colour\r\n[chart]\r\nx=1\r\n");
}

TEST_F(SettingsTest, MissingDirectoryGivesDefault) {
    EXPECT_EQ(app::ReadSettings(dir.file("missing/dir")), 20);
    EXPECT_FALSE(QFile::exists(dir.file("missing")));
}

TEST_F(SettingsTest, ReadOnlyFileOrDirectoryGivesDefault) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes to read-only files and directories";
    store("[chart]\n");
    QFile::setPermissions(path(), QFile::ReadOwner);
    EXPECT_EQ(app::ReadSettings(dir.path()), 20);
    EXPECT_EQ(stored(), "[chart]\n");
    QFile::remove(path());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(app::ReadSettings(dir.path()), 20);
    EXPECT_FALSE(QFile::exists(path()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

struct SchemeCase {
    QByteArray file;
    QLocale system;
    readings::Scheme scheme;
};

TEST_F(SettingsTest, SchemeComesFromTheFileElseFromTheSystemsLocale) {
    using readings::Scheme;
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale britain(QLocale::English, QLocale::UnitedKingdom);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale spanishUs(QLocale::Spanish, QLocale::UnitedStates);
    const SchemeCase cases[] = {
        {"", us, Scheme::AccAha2017},
        {"", britain, Scheme::Esh2023},
        {"", german, Scheme::Esh2023},
        {"", spanishUs, Scheme::Esh2023},
        {"[statistics]\nscheme=esh\n", us, Scheme::Esh2023},
        {"[Statistics]\nScheme = AccAha\n", german, Scheme::AccAha2017},
        {"[statistics]\nscheme=other\n", german, Scheme::Esh2023},
        {"[chart]\nscheme=accaha\n", german, Scheme::Esh2023},
    };
    for (const SchemeCase& c : cases) {
        store(c.file);
        EXPECT_EQ(app::ReadScheme(dir.path(), c.system), c.scheme) << c.file.constData();
    }
}

TEST_F(SettingsTest, WrittenSchemeReadsBackBesideTheOtherSettings) {
    store("[delay]\nreceidata=35\n");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    app::WriteScheme(dir.path(), readings::Scheme::Esh2023);
    EXPECT_EQ(app::ReadScheme(dir.path(), us), readings::Scheme::Esh2023);
    app::WriteScheme(dir.path(), readings::Scheme::AccAha2017);
    EXPECT_EQ(app::ReadScheme(dir.path(), QLocale::c()), readings::Scheme::AccAha2017);
    EXPECT_EQ(app::ReadSettings(dir.path()), 35);
}

TEST_F(SettingsTest, LinkChoiceReadsUsbUnlessTheFileSaysBluetooth) {
    using device::Connection;
    const std::pair<const char*, Connection> cases[] = {
        {"", Connection::Usb},
        {"[transfer]\nconnection=usb\n", Connection::Usb},
        {"[Transfer]\nConnection = BlueTooth\n", Connection::Bluetooth},
        {"[transfer]\nconnection=radio\n", Connection::Usb},
        {"[bluetooth]\nconnection=bluetooth\n", Connection::Usb},
    };
    for (const auto& [file, connection] : cases) {
        store(file);
        EXPECT_EQ(app::ReadLinkChoice(dir.path()).connection, connection) << file;
    }
}

TEST_F(SettingsTest, WrittenLinkChoiceReadsBackBesideTheOtherSettings) {
    store("[delay]\nreceidata=35\n");
    const device::LinkChoice chosen{device::Connection::Bluetooth,
                                    {"Küche = Ost", "00:1A:7D:DA:71:13"}};
    app::WriteLinkChoice(dir.path(), chosen);
    const device::LinkChoice read = app::ReadLinkChoice(dir.path());
    EXPECT_EQ(read.connection, chosen.connection);
    EXPECT_EQ(read.monitor, chosen.monitor);
    app::WriteLinkChoice(dir.path(), {device::Connection::Usb, chosen.monitor});
    EXPECT_EQ(app::ReadLinkChoice(dir.path()).connection, device::Connection::Usb);
    EXPECT_EQ(app::ReadLinkChoice(dir.path()).monitor, chosen.monitor);
    EXPECT_EQ(app::ReadSettings(dir.path()), 35);
}

} // namespace
