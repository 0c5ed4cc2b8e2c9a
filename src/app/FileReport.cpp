#include "app/FileReport.h"

#include <QFileInfo>

namespace app {

namespace {

const char* const kWrittenFiles[] = {"tonvi.mdb", "tonvisetup.ini"};
const char* const kReadOnlyFiles[] = {"analysis_table.rav", "analysis_table_fx.rav",
                                      "userinfo.rav",       "bprecv.rav",
                                      "lang.dll",           "post.txt",
                                      "TONVI_help.mht",     "TONVI_HELP.chm",
                                      "TONVI_HELP.htm",     "TONVI_HELP_de.htm",
                                      "TONVI_HELP.pdf"};

} // namespace

void writeFileReport(const store::AppFiles& files, QTextStream& out) {
    out << "data directory: " << files.dataDir() << '\n';
    for (const char* name : kWrittenFiles)
        out << name << ": " << files.writable(QString::fromLatin1(name)) << '\n';
    for (const char* name : kReadOnlyFiles) {
        const QString path = files.find(QString::fromLatin1(name));
        out << name << ": " << (QFileInfo::exists(path) ? path : QStringLiteral("not found"))
            << '\n';
    }
}

} // namespace app
