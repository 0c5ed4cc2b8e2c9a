#pragma once

#include <QDate>
#include <QString>

namespace store {
class AppFiles;
}

namespace output {

// The folder a save dialog opens in: the folder of the last file saved, kept in the
// settings file, while it exists; else the user's documents folder.
QString saveFolder(const store::AppFiles& files);
// Keeps the folder of a file just saved for the next save dialog.
void rememberSaveFolder(const store::AppFiles& files, const QString& savedFile);

// The file name a save dialog suggests: the subject and the day, as "Müller 2026-12-09".
QString suggestedFileName(const QString& subject, const QDate& day = QDate::currentDate());

} // namespace output
