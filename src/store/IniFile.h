#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <optional>

namespace store {

// A Windows-style profile file: "[section]" lines open sections, "key=value" lines give
// values, lines starting with ';' are comments. Section and key names compare without regard
// to case; names and values are trimmed, and a value in matching quotes reads without them;
// in a repeated section or key the first one counts.
class IniFile {
public:
    // A missing file loads as empty; nullopt when the file exists but cannot be read.
    static std::optional<IniFile> load(const QString& path);
    // The program's settings file "tonvisetup.ini" in its data directory.
    static std::optional<IniFile> loadSettings(const QString& dataDir);

    std::optional<QString> value(QStringView section, QStringView key) const;

    // Sets the value and saves the whole file atomically, keeping every other line as it was.
    // A missing key goes after the last entry of its section, a missing section at the end.
    // On failure the file and this object are unchanged.
    bool write(QStringView section, QStringView key, const QString& value);

private:
    struct Location;

    explicit IniFile(QString path) : path_(std::move(path)) {}
    Location locate(QStringView section, QStringView key) const;
    bool save(const QStringList& lines) const;

    QString path_;
    QStringList lines_;
    QStringConverter::Encoding encoding_ = QStringConverter::Utf8;
    bool bom_ = false;
    // New files get CRLF so that they read well in Windows editors too.
    QString eol_ = QStringLiteral("\r\n");
};

// A profile value as an integer: decimal or, after "$" or "0x", hexadecimal, with an optional
// sign. Anything else, including trailing characters and values beyond int, gives 0.
int profileInt(QStringView text);

} // namespace store
