#pragma once

#include "device/MemoryBox.h"
#include "device/TransferPage.h"
#include "measure/DataPage.h"
#include "output/GridExport.h"
#include "persons/UserPage.h"
#include "store/Database.h"
#include "support/MainWindowFixture.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

// The main window with grids to export, a scripted save dialog and the readers that
// read the files back.
class ExportFixture : public MainWindowFixture {
protected:
    // Names that every format must carry through unchanged.
    static QStringList hardNames() {
        return {QStringLiteral("O'Brien"),
                QStringLiteral("Smith, Jr."),
                QStringLiteral("Say \"Hi\""),
                QStringLiteral("Two\nLines"),
                QStringLiteral("Müller-Lüdenscheidt"),
                QStringLiteral("Иванова"),
                QStringLiteral("<b>&amp;</b> {\\par}")};
    }

    void addPerson(int id, const QString& lastName, const QString& birthday = {}) {
        dm1.adocom1.execute(
            QStringLiteral("insert into bp_userinfo(id,lastname,firstname,height,birthday) "
                           "values(%1,%2,'Ann','170',%3)")
                .arg(id)
                .arg(store::quoted(lastName),
                     birthday.isEmpty() ? QStringLiteral("null") : store::quoted(birthday)));
    }

    // The User page on the register of these persons, born on the given days.
    ui::DataGrid& userGrid(const QStringList& lastNames) {
        int id = 0;
        for (const QString& name : lastNames) {
            ++id;
            addPerson(id, name, QStringLiteral("1950-01-%1").arg(id % 28 + 1, 2, 10, QChar('0')));
        }
        dm1.ado_user.close();
        dm1.ado_user.open();
        return *window->userPage()->grid();
    }

    void reading(const QString& table, const QString& person, int systolic, const QString& time,
                 bool marked = false) {
        dm1.adocom1.execute(
            QStringLiteral("insert into %1(personal,systolic,diastolic,heart_beat,checktime%2) "
                           "values (%3,%4,80,70,'%5'%6)")
                .arg(table, table == "bp_record" ? QStringLiteral(",delselection") : QString(),
                     store::quoted(person), QString::number(systolic), time,
                     table == "bp_record" ? QStringLiteral(",%1").arg(marked ? -1 : 0)
                                          : QString()));
    }

    // The Data page's list of one person.
    ui::DataGrid& dataGrid(const QString& person) {
        measure::DataPage* page = window->dataPage();
        page->comb_user()->clear();
        page->comb_user()->addItem(person);
        page->comb_user()->setCurrentIndex(0);
        page->comb_userChange();
        return *page->grid();
    }

    // The file names the save dialogs suggested, without their folders.
    QStringList suggestedNames() const {
        QStringList names;
        for (const QString& path : suggestions)
            names << QFileInfo(path).fileName();
        return names;
    }

    // The name suggested for a subject today.
    static QString today(const QString& subject) {
        return subject + ' ' + QDate::currentDate().toString(Qt::ISODate);
    }

    // The next save dialogs answer with these names and type positions.
    void choose(output::GridExport& exporter, const QString& fileName, int position) {
        exporter.setChooser(
            [this, fileName, position](const QString& suggested, const QStringList& filters) {
                suggestions << suggested;
                offered = filters;
                return std::optional(output::ExportChoice{fileName, position});
            });
    }

    QStringList offered; // the type list of the last save dialog

    // Exports the grid straight to a file in the format of the type position.
    QString exportTo(const ui::DataGrid& grid, const QString& name, int position) {
        output::GridExport exporter(messages, language, context.files, nullptr);
        choose(exporter, dir.file(name), position);
        return exporter.ExportGrid(QStringLiteral("grid"), grid);
    }

    static QByteArray bytesOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // What an independent reader finds in the file (see read_back.py).
    static QJsonDocument readBack(const QString& kind, const QString& path) {
        QProcess reader;
        // The system Python, where the packaged readers are installed.
        reader.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(READ_BACK_SCRIPT), kind, path});
        reader.waitForFinished(120000);
        const QByteArray errors = reader.readAllStandardError();
        EXPECT_EQ(reader.exitCode(), 0) << errors.constData();
        return QJsonDocument::fromJson(reader.readAllStandardOutput());
    }

    // The rows of the first sheet of a workbook, as the xls reader gives them.
    static QJsonArray firstSheetRows(const QString& path) {
        return readBack(QStringLiteral("xls"), path).array().first().toObject()["rows"].toArray();
    }

    static QStringList strings(const QJsonValue& array) {
        QStringList texts;
        for (const QJsonValue& value : array.toArray())
            texts << value.toString();
        return texts;
    }

    // The grid as shown: titles, then one list of texts per row.
    static QList<QStringList> shown(const ui::DataGrid& grid) {
        QList<QStringList> rows{grid.shownTitles()};
        for (int row = 0; row < grid.shownRowCount(); ++row)
            rows << grid.shownRow(row);
        return rows;
    }

    QStringList suggestions;
};
