#include "output/SaveLocation.h"

#include "store/AppFiles.h"
#include "store/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace output {

namespace {

constexpr QStringView Section = u"files";
constexpr QStringView LastFolderKey = u"lastfolder";

} // namespace

QString saveFolder(const store::AppFiles& files) {
    const auto ini = store::IniFile::loadSettings(files.dataDir());
    if (const auto last = ini ? ini->value(Section, LastFolderKey) : std::nullopt;
        last && !last->isEmpty() && QFileInfo(*last).isDir())
        return *last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rememberSaveFolder(const store::AppFiles& files, const QString& savedFile) {
    // A settings file that cannot be written costs only the remembered folder.
    if (auto ini = store::IniFile::loadSettings(files.dataDir()))
        ini->write(Section, LastFolderKey, QFileInfo(savedFile).absolutePath());
}

QString suggestedFileName(const QString& subject, const QDate& day) {
    // A slash would name a folder.
    return QString(subject.trimmed()).replace(u'/', u'-') + u' ' + day.toString(Qt::ISODate);
}

} // namespace output
