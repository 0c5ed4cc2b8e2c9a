#include "Scene.h"
#include "device/TransferPage.h"
#include "measure/DataPage.h"
#include "measure/Tfrm_analysis.h"
#include "output/PdfFile.h"
#include "output/PreviewWindow.h"
#include "output/ReportDestination.h"
#include "output/ReportDocument.h"
#include "output/ScreenDestination.h"
#include "output/ShowReport.h"
#include "output/Tfrm_Seluser.h"
#include "persons/UserPage.h"
#include "store/Database.h"
#include "testkit/ReportTemplates.h"
#include "ui/RadioGroup.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Reports go to a PDF file whose first page pdftoppm turns into the picture.
// It belongs to the label that shows the page.
class FirstPageOfPdf : public QObject, public output::ReportDestination {
public:
    explicit FirstPageOfPdf(QLabel* picture) : QObject(picture), picture_(picture) {}
    void preview(const output::ReportDocument& report) override { render(report); }
    void print(const output::ReportDocument& report) override { render(report); }

private:
    void render(const output::ReportDocument& report) {
        const QString pdf = dir_.filePath("report.pdf");
        if (!output::writePdf(report, pdf).isEmpty())
            return;
        const QString stem = dir_.filePath("page");
        QProcess::execute("pdftoppm",
                          {"-png", "-r", "90", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
        QPixmap page(stem + ".png");
        picture_->setPixmap(page);
        picture_->resize(page.size());
    }

    QLabel* picture_;
    QTemporaryDir dir_;
};

QString appDir(const store::Tdm1& dm1) {
    copyReportTemplates(dm1.appDir());
    return dm1.appDir();
}

// Readings of Miller, morning and evening from 1 March 2011; the memory tables number
// them.
void readings(store::Tdm1& dm1, const QString& table, int count) {
    const bool memory = table != QLatin1String("bp_record");
    const QDateTime first(QDate(2011, 3, 1), QTime(7, 30));
    store::Transaction transaction(dm1.ADOConnection1);
    for (int i = 0; i < count; ++i) {
        const QDateTime time = first.addSecs(qint64(i / 2) * 86400 + (i % 2) * 12 * 3600);
        dm1.adocom1.execute(
            QStringLiteral("insert into %1(%2personal,systolic,diastolic,heart_beat,checktime,"
                           "checktime_mmdd,checktime_hhmm) values (%3'Miller',%4,%5,%6,'%7',"
                           "'%8','%9')")
                .arg(table, memory ? "idno," : "", memory ? QString::number(i + 1) + "," : "")
                .arg(128 + (i * 37) % 29 - i / 6)
                .arg(84 + (i * 23) % 15 - i / 10)
                .arg(66 + (i * 17) % 19)
                .arg(time.toString("yyyy-MM-dd HH:mm:ss"), time.toString("MM/dd"),
                     time.toString("HH:mm")));
    }
    transaction.commit();
}

measure::DataPage& dataPage(app::Tfrm_main& window, store::Tdm1& dm1) {
    appDir(dm1);
    readings(dm1, "bp_record", 84);
    measure::DataPage* page = window.dataPage();
    page->comb_user()->clear();
    page->comb_user()->addItem("Miller");
    window.m_dataClick();
    return *page;
}

// The preview lives only while its opener runs, so its picture is kept in a label.
const SceneRegistration preview{
    {"report-preview", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         auto* picture = new QLabel(&window, Qt::Window);
         page.reports().screen().runPreview = [picture](output::PreviewWindow& preview) {
             preview.resize(760, 900);
             preview.show();
             settle();
             picture->setPixmap(preview.grab());
             picture->resize(preview.size());
         };
         page.img_preview_1Click();
         return picture;
     }}};

QLabel* pageOf(app::Tfrm_main& window, output::ReportShow& reports) {
    auto* picture = new QLabel(&window, Qt::Window);
    reports.setDestination(new FirstPageOfPdf(picture));
    return picture;
}

const SceneRegistration readingsReport{
    {"report-readings", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         QLabel* picture = pageOf(window, page.reports());
         page.img_preview_1Click();
         return picture;
     }}};

const SceneRegistration averagesReport{
    {"report-averages", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         page.setAnalysisDialogRunner([](measure::Tfrm_analysis& dialog) {
             dialog.radioGroup()->setItemIndex(1);
             dialog.startPicker()->setDate(QDate(2011, 3, 1));
             dialog.endPicker()->setDate(QDate(2011, 4, 30));
             return true;
         });
         page.img_analyClick();
         QLabel* picture = pageOf(window, page.reports());
         page.img_preview_1Click();
         return picture;
     }}};

// The first page of the summary, of a person with birthday and risk factors.
const SceneRegistration summaryReport{
    {"report-summary", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         dm1.adocom1.execute("insert into bp_userinfo(id,lastname,firstname,birthday,gender,"
                             "overweight,cholesterol_inc) values (1,'Miller','Anna',"
                             "'1958-03-14 00:00:00','Female',-1,-1)");
         measure::DataPage& page = dataPage(window, dm1);
         page.viewBox()->setCurrentIndex(2);
         page.ComboBox3Change();
         QLabel* picture = pageOf(window, page.reports());
         page.img_preview_1Click();
         return picture;
     }}};

const SceneRegistration personsReport{
    {"report-persons", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         appDir(dm1);
         dm1.adocom1.execute(
             "insert into bp_userinfo(id,lastname,firstname,address1,city,zip,phone,birthday,"
             "gender,height,weight) values (1,'Miller','Anna','12 Park Road','Toronto','M5V 2T6',"
             "'416 555 0101','1958-03-14 00:00:00','Female','168','64'),(2,'O''Neill','Brian',"
             "'4 Harbour View','Cork','T12 X2P3','021 555 0199','1949-11-02 00:00:00','Male',"
             "'181','88'),(3,'Schmidt','Clara','Lindenweg 7','Bonn','53111','0228 555 12',"
             "'1971-07-23 00:00:00','Female','172','70')");
         dm1.ado_user.close();
         dm1.ado_user.open();
         window.m_userClick();
         persons::UserPage& page = *window.userPage();
         QLabel* picture = pageOf(window, page.reports());
         page.img_preview_2Click();
         return picture;
     }}};

const SceneRegistration memoryReport{
    {"report-memory", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         appDir(dm1);
         readings(dm1, "bp_record_user2", 40);
         dm1.ado_rc2.close();
         dm1.ado_rc2.open();
         device::TransferPage& page = *window.transferPage();
         page.comb_user2()->addItem("Miller");
         window.m_transferClick();
         QLabel* picture = pageOf(window, page.reports());
         page.img_preview_3Click();
         return picture;
     }}};

const SceneRegistration selection{
    {"selection-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         appDir(dm1);
         device::TransferPage& page = *window.transferPage();
         window.m_transferClick();
         auto* picture = new QLabel(&window, Qt::Window);
         page.setSelUserRunner([picture](output::Tfrm_Seluser& dialog) {
             dialog.show();
             settle();
             picture->setPixmap(dialog.grab());
             picture->resize(dialog.size());
             return false;
         });
         page.img_print_3Click();
         return picture;
     }}};

} // namespace
