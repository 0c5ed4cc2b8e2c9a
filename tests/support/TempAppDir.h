#pragma once

#include <QTemporaryDir>

// A fresh application directory for one test: the place of tonvi.mdb and its peers.
class TempAppDir {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};
