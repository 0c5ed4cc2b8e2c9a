#pragma once

#include "Database.h"
#include "Dataset.h"

#include <QString>

namespace store {

// The data module: the connection, the command object and the shared datasets.
// Created before any window and kept for the whole run.
class Tdm1 {
public:
    // appDir: the directory that holds tonvi.mdb (the data directory of AppFiles).
    explicit Tdm1(const QString& appDir);

    // The start-up sequence up to the language selection, which the language store
    // runs on top of this module: opens (or creates) the database, empties both
    // device-memory tables and opens ado_rc1, ado_rc2, ado_cfg, ado_user, ado_option.
    // Throws DatabaseError.
    void DataModuleCreate();
    // For a command beside a window that may use the device-memory tables: opens (or
    // creates) the database and the datasets of the language store, ado_cfg and
    // ado_option, and changes nothing. Throws DatabaseError.
    void OpenForCommand();

    // The path of tonvi.mdb; our connection string is the file path itself.
    QString GetDBLinkStr() const;
    QString appDir() const { return appDir_; }

    Database ADOConnection1;
    Database& adocom1 = ADOConnection1; // statements without rows: adocom1.execute(...)
    Dataset ado_rc1{ADOConnection1, WriteMode::Cached};
    Dataset ado_rc2{ADOConnection1, WriteMode::Cached};
    Dataset ado_user{ADOConnection1, WriteMode::Cached};
    Dataset ado_cx{ADOConnection1, WriteMode::Immediate};
    Dataset ado_analysis{ADOConnection1, WriteMode::Immediate};
    Dataset ado_cfg{ADOConnection1, WriteMode::Immediate};
    Dataset adoquery{ADOConnection1, WriteMode::Immediate};
    Dataset ado_option{ADOConnection1, WriteMode::Immediate};

private:
    void openTexts();

    QString appDir_;
};

} // namespace store
