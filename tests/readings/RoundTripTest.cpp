#include "measure/DataPage.h"
#include "output/GridFile.h"
#include "readings/CsvImport.h"
#include "readings/ReadingStore.h"
#include "support/DefaultLocale.h"
#include "support/MainWindowFixture.h"
#include "support/QtPrinters.h"
#include "testkit/QueryRows.h"
#include "ui/DataGrid.h"

#include <QComboBox>

namespace {

const QString person = QStringLiteral("Müller");

struct RoundTripCase {
    const char* language;
    const char* locale;
    output::ExportFormat format;
};

// The Data page's list exported as csv or txt reads back as the same readings, marks
// included, in either language and the locale's dates.
class RoundTripTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (1,'Müller')");
    }

    void storeReadings() {
        const auto at = [](int month, int day, int hour, int minute) {
            return QDateTime(QDate(2024, month, day), QTime(hour, minute));
        };
        readings::storeReadings(dm1.ADOConnection1, person,
                                {{at(3, 5, 7, 45), 135, 85, 66, false},
                                 {at(3, 15, 12, 5), 128, 82, 70, true},
                                 {at(3, 16, 0, 0), 122, 79, std::nullopt, false},
                                 {at(11, 2, 23, 59), 141, 92, 88, true}});
    }

    QStringList rows() {
        return testkit::queryRows(dm1.ADOConnection1,
                                  "select personal,checktime||'',systolic,diastolic,heart_beat,"
                                  "delselection*1,checktime_mmdd,checktime_hhmm from bp_record "
                                  "order by checktime");
    }

    QString exportList(output::ExportFormat format) {
        measure::DataPage& page = *window->dataPage();
        page.comb_user()->clear();
        page.comb_user()->addItem(person);
        page.comb_user()->setCurrentIndex(0);
        page.comb_userChange();
        const QString path = dir.file("list." + output::extensionOf(format));
        const auto reason = output::writeGridFile(*page.grid(), format, path);
        EXPECT_FALSE(reason) << reason->toStdString();
        return path;
    }
};

TEST_F(RoundTripTest, OwnExportsImportBackUnchanged) {
    const RoundTripCase cases[] = {
        {"default", "en_US", output::ExportFormat::Csv},
        {"default", "en_GB", output::ExportFormat::Txt},
        {"german", "de_DE", output::ExportFormat::Csv},
        {"german", "de_DE", output::ExportFormat::Txt},
    };
    for (const RoundTripCase& c : cases) {
        const DefaultLocale locale(c.locale);
        window.reset();
        chooseLanguage(c.language);
        window = std::make_unique<app::Tfrm_main>(context);
        window->show();
        dm1.adocom1.execute("delete * from bp_record");
        storeReadings();
        const QStringList before = rows();
        const QString path = exportList(c.format);
        dm1.adocom1.execute("delete * from bp_record");

        readings::CsvFile file(path);
        readings::ImportOptions options;
        options.locale = QLocale(c.locale);
        const readings::ImportResult result =
            readings::importReadings(dm1.ADOConnection1, person, file, options);
        EXPECT_EQ(result.status, readings::ImportStatus::Done) << c.locale;
        EXPECT_EQ(result.summary.stored, 4) << c.locale;
        EXPECT_EQ(result.summary.rejectedCount, 0) << c.locale;
        EXPECT_EQ(rows(), before) << c.locale;
    }
}

} // namespace
