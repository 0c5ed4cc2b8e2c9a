#pragma once

#include "store/Database.h"
#include "store/Dataset.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

// A new database in a temporary application directory.
class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override { db.open(dir.file("tonvi.mdb")); }

    // The first value of the first row of a query; invalid when there is none.
    QVariant scalar(const QString& sql) {
        store::Dataset query(db, store::WriteMode::Immediate);
        query.setCommandText(sql);
        query.open();
        return query.valueAt(0, 0);
    }
    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }

    TempAppDir dir;
    store::Database db;
};
