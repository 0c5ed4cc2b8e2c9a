#include "measure/DataPage.h"
#include "output/GridFile.h"
#include "readings/ReadingStore.h"
#include "support/MainWindowFixture.h"
#include "support/ProgramRun.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A data directory with the window open on it and Smith's readings of 2024 stored.
class ExportCommand : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (1,'Smith')");
        const auto at = [](int month, int day) {
            return QDateTime(QDate(2024, month, day), QTime(8, 30));
        };
        readings::storeReadings(dm1.ADOConnection1, "Smith",
                                {{at(1, 5), 135, 85, 66, false},
                                 {at(3, 15), 128, 82, std::nullopt, true},
                                 {at(3, 16), 122, 79, 70, false},
                                 {at(11, 2), 141, 92, 88, false}});
        QDir(dir.path()).mkdir("out");
    }

    ProgramRun exportTo(const QString& file, const QStringList& more) {
        return runProgram(QStringList{"--data-dir", dir.path()} + more + QStringList{file});
    }
};

struct ExitCase {
    const char* name;
    QStringList arguments;
    bool fileThere;
    int exitCode;
    QString errContains;
    QByteArray fileAfter; // empty: written anew
};

TEST_F(ExportCommand, ExitCodesAndMessages) {
    const QByteArray old = "old contents";
    const QList<ExitCase> cases{
        {"written", {"--export", "csv", "--person", "Smith"}, false, 0, "", ""},
        {"replaced with --force",
         {"--export", "txt", "--person", "Smith", "--force"},
         true,
         0,
         "",
         ""},
        {"existing file kept",
         {"--export", "csv", "--person", "Smith"},
         true,
         1,
         "already exists",
         old},
        {"unknown person", {"--export", "csv", "--person", "Jones"}, false, 1, "Jones", ""},
        {"unknown format",
         {"--export", "pdfx", "--person", "Smith"},
         false,
         2,
         "--export takes",
         ""},
        {"no person", {"--export", "csv"}, false, 2, "--person", ""},
        {"date not ISO",
         {"--export", "csv", "--person", "Smith", "--from", "5.1.2024"},
         false,
         2,
         "yyyy-MM-dd",
         ""},
        {"range reversed",
         {"--export", "csv", "--person", "Smith", "--from", "2024-03-02", "--to", "2024-03-01"},
         false,
         2,
         "--from",
         ""},
        {"range without export",
         {"--import", "x.csv", "--person", "Smith", "--to", "2024-03-01"},
         false,
         2,
         "--export",
         ""},
        {"both commands",
         {"--export", "csv", "--import", "x.csv", "--person", "Smith"},
         false,
         2,
         "together",
         ""},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file("out/list.txt");
        QFile::remove(path);
        if (c.fileThere) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        const ProgramRun run = exportTo(path, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.errContains)) << run.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(run.out, "4 readings written to " + QDir::toNativeSeparators(path) + ".\n");
            EXPECT_TRUE(contents(path).contains("141"));
        } else {
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(contents(path), c.fileThere ? old : QByteArray("(missing)"));
        }
    }
}

// The command writes byte for byte what the Data page's export writes of the same list, in
// the language of the database, also for a range.
TEST_F(ExportCommand, WritesWhatTheDataPageExports) {
    chooseLanguage("german");
    window = std::make_unique<app::Tfrm_main>(context);
    window->show();
    measure::DataPage& page = *window->dataPage();
    page.comb_user()->clear();
    page.comb_user()->addItem("Smith");
    page.comb_user()->setCurrentIndex(0);
    page.comb_userChange();
    for (output::ExportFormat format :
         {output::ExportFormat::Xls, output::ExportFormat::Txt, output::ExportFormat::Csv,
          output::ExportFormat::Htm, output::ExportFormat::Rtf}) {
        const QString extension = output::extensionOf(format);
        SCOPED_TRACE(extension.toStdString());
        const QString fromWindow = dir.file("list." + extension);
        ASSERT_FALSE(output::writeGridFile(*page.grid(), format, fromWindow));
        const QString fromCommand = dir.file("out/list." + extension);
        const ProgramRun run =
            exportTo(fromCommand, {"--export", extension, "--person", "Smith", "--force"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("4 Messwerte")) << run.out.toStdString();
        EXPECT_EQ(contents(fromCommand), contents(fromWindow));
    }

    // The report needs fonts but no display.
    const QString report = dir.file("out/list.pdf");
    const ProgramRun pdf = exportTo(report, {"--export", "pdf", "--person", "Smith"});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_TRUE(contents(report).startsWith("%PDF-"));
    EXPECT_GT(contents(report).size(), 1000);

    const QString ranged = dir.file("out/march.csv");
    const ProgramRun run = exportTo(ranged, {"--export", "csv", "--person", "Smith", "--from",
                                             "2024-03-15", "--to", "2024-03-16"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QByteArray> lines = contents(ranged).split('\n');
    ASSERT_EQ(lines.size(), 4); // titles, two readings, nothing after the last line end
    EXPECT_TRUE(lines[1].contains("128"));
    EXPECT_TRUE(lines[2].contains("122"));
}

// The list carries each reading's status markers in the language of the database.
TEST_F(ExportCommand, CarriesTheStatusMarkers) {
    dm1.adocom1.execute("update bp_record set measurement_status=5 where systolic=122");
    chooseLanguage("german");
    const QString path = dir.file("out/status.csv");
    const ProgramRun run = exportTo(path, {"--export", "csv", "--person", "Smith"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = QString::fromUtf8(contents(path)).split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].contains("Status")) << lines[0].toStdString();
    EXPECT_TRUE(lines[3].contains("Körperbewegung, unregelmäßiger Puls")) << lines[3].toStdString();
    EXPECT_FALSE(lines[2].contains("Körperbewegung"));
}

} // namespace
