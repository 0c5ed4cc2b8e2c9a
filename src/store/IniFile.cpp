#include "store/IniFile.h"

#include "store/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <limits>

namespace store {

namespace {

std::optional<QStringView> sectionName(QStringView line) {
    line = line.trimmed();
    const qsizetype close = line.indexOf(u']');
    if (!line.startsWith(u'[') || close < 0)
        return std::nullopt;
    return line.mid(1, close - 1).trimmed();
}

struct Entry {
    QStringView key;
    QStringView value;
};

std::optional<Entry> entry(QStringView line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || line.trimmed().startsWith(u';'))
        return std::nullopt;
    return Entry{line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value in matching single or double quotes is read without them.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && (u | 0x20) >= u'a' && (u | 0x20) <= u'f')
        return (u | 0x20) - u'a' + 10;
    return -1;
}

} // namespace

struct IniFile::Location {
    qsizetype keyLine = -1;
    qsizetype sectionEnd = -1; // after the section's header or last entry; -1: no section
    QString value;
};

std::optional<IniFile> IniFile::loadSettings(const QString& dataDir) {
    return load(QDir(dataDir).filePath(QStringLiteral("tonvisetup.ini")));
}

std::optional<IniFile> IniFile::load(const QString& path) {
    IniFile ini(path);
    QFile file(path);
    if (!file.exists())
        return ini;
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const auto bomEncoding = QStringConverter::encodingForData(bytes);
    ini.bom_ = bomEncoding.has_value();
    ini.encoding_ = bomEncoding.value_or(QStringConverter::Utf8);
    QStringDecoder decoder(ini.encoding_);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() && !ini.bom_) {
        // Not UTF-8: Latin-1 keeps every byte as it was when the file is written back.
        ini.encoding_ = QStringConverter::Latin1;
        text = QString::fromLatin1(bytes);
    }
    if (text.contains(u'\n') && !text.contains(u"\r\n"))
        ini.eol_ = QStringLiteral("\n");
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (!text.isEmpty())
        ini.lines_ = text.split(u'\n');
    for (QString& line : ini.lines_) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return ini;
}

IniFile::Location IniFile::locate(QStringView section, QStringView key) const {
    Location at;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (const auto name = sectionName(lines_[i])) {
            if (at.sectionEnd >= 0)
                break;
            if (sameName(*name, section))
                at.sectionEnd = i + 1;
        } else if (const auto found = entry(lines_[i]); found && at.sectionEnd >= 0) {
            at.sectionEnd = i + 1;
            if (sameName(found->key, key)) {
                at.keyLine = i;
                at.value = found->value.toString();
                break;
            }
        }
    }
    return at;
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const {
    const Location at = locate(section, key);
    if (at.keyLine < 0)
        return std::nullopt;
    return unquoted(at.value);
}

bool IniFile::write(QStringView section, QStringView key, const QString& value) {
    const Location at = locate(section, key);
    QStringList lines = lines_;
    const QString newEntry = key.toString() + u'=' + value;
    if (at.keyLine >= 0) {
        QString& line = lines[at.keyLine];
        line = line.left(line.indexOf(u'=') + 1) + value;
    } else if (at.sectionEnd >= 0) {
        lines.insert(at.sectionEnd, newEntry);
    } else {
        lines << u'[' + section.toString() + u']' << newEntry;
    }
    if (!save(lines))
        return false;
    lines_ = std::move(lines);
    return true;
}

bool IniFile::save(const QStringList& lines) const {
    QStringEncoder encoder(encoding_, bom_ ? QStringConverter::Flag::WriteBom
                                           : QStringConverter::Flag::Default);
    const QByteArray bytes = encoder.encode(lines.join(eol_) + eol_);
    if (encoder.hasError())
        return false;
    const bool created = !QFileInfo::exists(path_);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A new file is private whatever the umask; an existing one keeps its mode. A file
    // system without Unix modes may refuse, and the settings are written all the same.
    if (created)
        file.setPermissions(privateFileMode);
    return file.write(bytes) == bytes.size() && file.commit();
}

int profileInt(QStringView text) {
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    for (const QChar c : text) {
        const int digit = digitValue(c, base);
        magnitude = magnitude * base + digit;
        if (digit < 0 || magnitude > limit)
            return 0;
    }
    return int(negative ? -magnitude : magnitude);
}

} // namespace store
