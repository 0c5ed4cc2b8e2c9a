#include "Scene.h"
#include "measure/ColumnMappingDialog.h"
#include "measure/DataPage.h"
#include "measure/ReadingActions.h"
#include "measure/ReadingDialog.h"
#include "measure/Tfrm_analysis.h"
#include "store/Database.h"
#include "ui/RadioGroup.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

// Six weeks of readings, morning and evening, a few of them marked.
measure::DataPage& dataPage(app::Tfrm_main& window, store::Tdm1& dm1) {
    const QString person = QStringLiteral("Miller");
    const QDateTime first(QDate(2011, 3, 1), QTime(7, 30));
    store::Transaction transaction(dm1.ADOConnection1);
    for (int i = 0; i < 84; ++i) {
        const QDateTime time = first.addSecs(qint64(i / 2) * 86400 + (i % 2) * 12 * 3600);
        dm1.adocom1.execute(
            QStringLiteral("insert into bp_record(personal,systolic,diastolic,heart_beat,"
                           "checktime,delselection) values (%1,%2,%3,%4,'%5',%6)")
                .arg(store::quoted(person))
                .arg(128 + (i * 37) % 29 - i / 6)
                .arg(84 + (i * 23) % 15 - i / 10)
                .arg(66 + (i * 17) % 19)
                .arg(time.toString("yyyy-MM-dd HH:mm:ss"))
                .arg(i % 11 == 3 ? -1 : 0));
    }
    transaction.commit();
    measure::DataPage* page = window.dataPage();
    page->comb_user()->clear();
    page->comb_user()->addItem(person);
    window.m_dataClick();
    return *page;
}

const SceneRegistration table{
    {"data-table", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         dataPage(window, dm1);
         return &window;
     }}};

const SceneRegistration chart{
    {"data-chart", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         page.viewBox()->setCurrentIndex(1);
         page.ComboBox3Change();
         return &window;
     }}};

const SceneRegistration statistics{
    {"data-statistics", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         page.viewBox()->setCurrentIndex(2);
         page.ComboBox3Change();
         return &window;
     }}};

// A modal dialog lives only while its step runs: its picture is kept in a label.
QLabel* pictureOf(QWidget& window, QDialog& dialog) {
    auto* picture = new QLabel(&window, Qt::Window);
    dialog.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    picture->setPixmap(dialog.grab());
    picture->resize(dialog.size());
    return picture;
}

const SceneRegistration dialog{
    {"analysis-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         QLabel* picture = nullptr;
         page.setAnalysisDialogRunner([&window, &picture](measure::Tfrm_analysis& form) {
             form.radioGroup()->setItemIndex(int(measure::AnalysisMode::Week));
             form.startPicker()->setDate(QDate(2011, 3, 1));
             form.endPicker()->setDate(QDate(2011, 3, 31));
             picture = pictureOf(window, form);
             return false;
         });
         page.img_analyClick();
         return picture;
     }}};

// A spreadsheet file whose titles the program does not know, so it asks for the columns.
const SceneRegistration mapping{
    {"import-mapping", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         dm1.adocom1.execute("insert into bp_userinfo(id,lastname,firstname) values "
                             "(1,'Miller','Anna')");
         static QTemporaryDir files;
         const QString file = files.filePath(QStringLiteral("readings.csv"));
         QSaveFile csv(file);
         csv.open(QIODevice::WriteOnly);
         csv.write("When;Upper;Lower;Heart;Note\n2011-04-12 07:30;131;86;64;after coffee\n"
                   "2011-04-12 19:45;127;82;70;\n2011-04-13 07:20;135;88;62;\n");
         csv.commit();
         QLabel* picture = nullptr;
         page.importSteps().chooseFile = [file](QWidget*, const lang::LanguageStore&,
                                                const QString&) { return file; };
         page.importSteps().mapColumns = [&window, &picture](measure::ColumnMappingDialog& form) {
             picture = pictureOf(window, form);
             return false;
         };
         page.btn_importClick();
         return picture;
     }}};

const SceneRegistration byHand{
    {"reading-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         measure::DataPage& page = dataPage(window, dm1);
         QLabel* picture = nullptr;
         page.readingActions()->setDialogRunner([&window, &picture](measure::ReadingDialog& form) {
             picture = pictureOf(window, form);
             return false;
         });
         page.readingActions()->newReading();
         return picture;
     }}};

} // namespace
