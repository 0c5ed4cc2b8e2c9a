#include "output/CompoundFile.h"
#include "output/ExportFixture.h"
#include "output/ExportFormat.h"
#include "output/GridFile.h"
#include "store/DatabaseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using output::ExportFormat;

TEST(ExportFormat, ExtensionRule) {
    EXPECT_EQ(output::withExtension("list", ExportFormat::Fhir), "list.json");
    EXPECT_EQ(output::withExtension("list.JSON", ExportFormat::Fhir), "list.JSON");
    EXPECT_EQ(output::withExtension("list.son", ExportFormat::Fhir), "list.son.json");
    EXPECT_EQ(output::withExtension("UserInfo", ExportFormat::Xls), "UserInfo.xls");
    EXPECT_EQ(output::withExtension("UserInfo.XLS", ExportFormat::Xls), "UserInfo.XLS");
    EXPECT_EQ(output::withExtension("a.txt", ExportFormat::Csv), "a.txt.csv");
    EXPECT_EQ(output::withExtension("reportxls", ExportFormat::Xls), "reportxls");
    EXPECT_EQ(output::withExtension("x", ExportFormat::Rtf), "x.rtf");
}

TEST(ExportFormat, TypeListPositions) {
    EXPECT_EQ(output::exportFilters().first(), "Microsoft Excel Workbook (*.xls)");
    EXPECT_EQ(output::exportFilters().last(), "Rich Text Format (*.rtf)");
    EXPECT_EQ(output::formatAt(1), ExportFormat::Xls);
    EXPECT_EQ(output::formatAt(4), ExportFormat::Htm);
    EXPECT_EQ(output::formatAt(0), std::nullopt);
    EXPECT_EQ(output::formatAt(6), std::nullopt);
    EXPECT_EQ(output::exportFilters(true).last(), "FHIR bundle (*.json)");
    EXPECT_EQ(output::exportFilters(true).mid(0, 5), output::exportFilters());
    EXPECT_EQ(output::formatAt(6, true), ExportFormat::Fhir);
    EXPECT_EQ(output::formatAt(7, true), std::nullopt);
}

// The save dialog's answers, replacing files and failed writes.
class ExportGridTest : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        grid = &userGrid({"Adams"});
    }

    QString exportAs(const QString& fileName, int position) {
        output::GridExport exporter(messages, language, context.files, nullptr);
        choose(exporter, fileName, position);
        return exporter.ExportGrid("UserInfo", *grid);
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The one message shown is the failure text with the file name and a reason.
    void expectFailureShown(const QString& path) {
        ASSERT_EQ(messages.shown.size(), 1) << messages.shown.join(';').toStdString();
        const QString shown = messages.shown.first();
        EXPECT_TRUE(shown.startsWith("error:" + language.GetHintText("export_failed")))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(path)));
        EXPECT_GT(shown.section('\n', -1).size(), 3) << "the platform's reason";
    }

    // The directory holds only these names.
    QStringList entries(const QString& path) const {
        return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    ui::DataGrid* grid = nullptr;
};

TEST_F(ExportGridTest, CancelWritesNothing) {
    output::GridExport exporter(messages, language, context.files, nullptr);
    exporter.setChooser([](const QString&, const QStringList&) { return std::nullopt; });
    const QStringList before = entries(dir.path());
    EXPECT_EQ(QFileInfo(exporter.ExportGrid("UserInfo", *grid)).fileName(), "UserInfo");
    EXPECT_EQ(entries(dir.path()), before);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// The first dialog opens where the user keeps files, later ones where the last file went
// while that folder exists; never in the program's own folders.
TEST_F(ExportGridTest, SaveDialogOpensInDocumentsThenInTheLastFolder) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString firstFolder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    const QString kept = dir.file("kept");
    ASSERT_TRUE(QDir().mkpath(kept));
    exportAs(kept + "/first", 3);
    exportAs(kept + "/second", 3);
    ASSERT_TRUE(QDir(kept).removeRecursively());
    exportAs(dir.file("third"), 3);

    QStringList folders;
    for (const QString& path : suggestions)
        folders << QFileInfo(path).absolutePath();
    EXPECT_EQ(folders, (QStringList{firstFolder, kept, firstFolder}));
    EXPECT_FALSE(folders.contains(dir.path()));
    EXPECT_FALSE(folders.contains(QCoreApplication::applicationDirPath()));
}

TEST_F(ExportGridTest, UnknownTypePositionWritesNothing) {
    const QStringList before = entries(dir.path());
    exportAs(dir.file("x"), 6);
    EXPECT_EQ(entries(dir.path()), before);
}

TEST_F(ExportGridTest, EmptyGridGivesTheTitleRowOnly) {
    dm1.adocom1.execute("delete from bp_userinfo");
    dm1.ado_user.close();
    dm1.ado_user.open();
    ASSERT_EQ(grid->shownRowCount(), 0);
    const QString path = exportAs(dir.file("empty"), 3);
    EXPECT_EQ(bytesOf(path), "\xEF\xBB\xBF" + grid->shownTitles().join(',').toUtf8() + "\r\n");
    const QJsonArray sheets = readBack("xls", exportAs(dir.file("empty"), 1)).array();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0]["nrows"].toInt(), 1);
}

// The final name is the one checked: typing UserInfo over UserInfo.xls asks first.
TEST_F(ExportGridTest, ReplacingAnExistingFileIsAskedAfterTheExtension) {
    writeFile(dir.file("UserInfo.xls"), "old");
    messages.answers = {false};
    EXPECT_EQ(exportAs(dir.file("UserInfo"), 1), dir.file("UserInfo.xls"));
    EXPECT_EQ(messages.shown, QStringList{"ask:export_replace_file"});
    EXPECT_EQ(bytesOf(dir.file("UserInfo.xls")), "old");

    messages.answers = {true};
    exportAs(dir.file("UserInfo"), 1);
    EXPECT_TRUE(bytesOf(dir.file("UserInfo.xls")).startsWith("\xD0\xCF\x11\xE0"));
    EXPECT_EQ(messages.shown.size(), 2);

    exportAs(dir.file("fresh"), 1);
    EXPECT_EQ(messages.shown.size(), 2) << "a new file is not asked about";
}

TEST_F(ExportGridTest, ReadOnlyDirectoryKeepsTheOldFile) {
    const QString folder = dir.file("locked");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + "/list.csv";
    writeFile(path, "old");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFile probe(folder + "/probe"); probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "this user writes into read-only directories";
    }
    exportAs(path, 3);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(messages.shown.value(0), "ask:export_replace_file");
    messages.shown.removeFirst();
    expectFailureShown(path);
    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(entries(folder), QStringList{"list.csv"});
}

TEST_F(ExportGridTest, DirectoryWhereTheFileShouldGo) {
    const QString path = dir.file("taken.htm");
    ASSERT_TRUE(QDir().mkdir(path));
    exportAs(path, 4);
    // The question about replacing, then the failure.
    ASSERT_EQ(messages.shown.value(0), "ask:export_replace_file");
    messages.shown.removeFirst();
    expectFailureShown(path);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(entries(path).isEmpty());
}

TEST_F(ExportGridTest, DirectoryGone) {
    const QString path = dir.file("gone/list.rtf");
    exportAs(path, 5);
    expectFailureShown(path);
    EXPECT_FALSE(QFileInfo::exists(dir.file("gone")));
}

// A file written piece by piece that fails halfway, by the device or by its source, leaves the
// old file as it was and no half-written one beside it.
TEST(ExportFile, WriterFailingHalfwayKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString fileName = dir.filePath("bundle.json");
    const auto failing = [](QIODevice& device) {
        device.write("{\"resourceType\":");
        throw output::ExportError("No space left on device");
    };
    const auto sourceFailing = [](QIODevice& device) {
        device.write("{\"resourceType\":");
        throw store::DatabaseError("database is locked");
    };
    for (const QByteArray& old : {QByteArray("old bundle"), QByteArray()}) {
        if (!old.isEmpty()) {
            QFile file(fileName);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        EXPECT_EQ(output::writeExportFile(failing, fileName), "No space left on device");
        EXPECT_THROW(output::writeExportFile(sourceFailing, fileName), store::DatabaseError);
        QFile file(fileName);
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  old.isEmpty() ? QStringList() : QStringList{"bundle.json"});
        QFile::remove(fileName);
    }
}
