#include "Scene.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/AnalysisQuery.h"
#include "measure/DataPage.h"
#include "measure/Tfrm_analysis.h"
#include "store/Database.h"
#include "ui/PictureLibrary.h"

#include <QComboBox>
#include <QDateTime>

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
                .arg(i % 11 == 3 ? 1 : 0));
    }
    transaction.commit();
    measure::DataPage* page = window.dataPage();
    page->comb_user()->clear();
    page->comb_user()->addItem(person);
    window.m_dataClick();
    return *page;
}

// Answers nothing: the dialog is only drawn.
class Silent : public lang::Messages {
public:
    void inform(const QString&) override {}
    void fail(const QString&) override {}
    bool ask(const QString&) override { return false; }
    void showError(const QString&) override {}
};

// What the dialog needs for its texts, alive as long as the main window.
struct DialogContext : QObject {
    DialogContext(store::Tdm1& dm1, QObject* owner)
        : QObject(owner), language(dm1), pictures(dm1.appDir()) {
        language.selectLanguage();
    }
    lang::LanguageStore language;
    ui::PictureLibrary pictures;
    Silent messages;
    lang::WindowContext context{QString(), language.dm(), language, pictures, messages, 20, {}};
};

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

const SceneRegistration dialog{
    {"analysis-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         auto* texts = new DialogContext(dm1, &window);
         auto* analysis = new measure::Tfrm_analysis(texts->context, &window);
         const measure::ShortDateFormat dates = measure::ShortDateFormat::system();
         analysis->prepare("week", dates.write(QDate(2011, 3, 1)), dates.write(QDate(2011, 3, 31)),
                           dates.pattern(), dates);
         analysis->show();
         return analysis;
     }}};

} // namespace
