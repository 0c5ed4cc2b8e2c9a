// One writing operation of the program on the tonvi.mdb of a directory, for the kill test.
// Usage: tonvi_kill_child OPERATION DIR [prepare]. The child starts the program's data
// module and main window, brings the page into the state the operation needs, writes
// "go" to stdout, runs the operation through the page's own handler and writes "done" with
// the microseconds it took. With
// "prepare" it stops before the operation.
#include "app/Tfrm_main.h"
#include "crash/Readings.h"
#include "device/MemoryBox.h"
#include "device/TransferPage.h"
#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "measure/DataPage.h"
#include "persons/Tfrm_user.h"
#include "persons/UserPage.h"
#include "pictures/PictureLibrary.h"
#include "store/Database.h"
#include "store/Tdm1.h"
#include "support/FakeMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>

namespace {

struct Program {
    explicit Program(const QString& dir)
        : dm1(dir), pictures(dir), context{dir, dm1, language, pictures, messages} {
        dm1.DataModuleCreate();
        language.selectLanguage();
        window = std::make_unique<app::Tfrm_main>(context);
        window->show();
    }

    void choose(QComboBox* list, const QString& name) {
        list->setCurrentIndex(list->findText(name));
    }

    store::Tdm1 dm1;
    lang::LanguageStore language{dm1};
    pictures::PictureLibrary pictures;
    FakeMessages messages;
    lang::WindowContext context;
    std::unique_ptr<app::Tfrm_main> window;
};

// The memory as a download leaves it: 255 readings without a person, the first 50 of
// which the database holds already under the person they are saved for.
std::function<void()> saveMemory(Program& p) {
    p.window->m_transferClick();
    for (int i = 0; i < 255; ++i)
        p.dm1.adocom1.execute(QStringLiteral("insert into bp_record_user1(idno,personal,systolic,"
                                             "diastolic,heart_beat,checktime) values(%1,'',%2)")
                                  .arg(i + 1)
                                  .arg(memoryReading(i)));
    device::MemoryBox& box = *p.window->transferPage()->memory1();
    box.rows().close();
    box.rows().open();
    p.choose(p.window->transferPage()->comb_user1(), QStringLiteral("Person05"));
    return [&p] { p.window->transferPage()->img_save_user1Click(); };
}

std::function<void()> deletePersons(Program& p) {
    p.dm1.adocom1.execute(
        QStringLiteral("update bp_userinfo set delselection=true where id in (2,5,9,10,14)"));
    p.dm1.ado_user.close();
    p.dm1.ado_user.open();
    p.window->m_userClick();
    return [&p] { p.window->userPage()->img_delete_selection_1Click(); };
}

std::function<void()> dataPage(Program& p, const QString& person,
                               void (measure::DataPage::*handler)()) {
    p.window->m_dataClick();
    measure::DataPage& page = *p.window->dataPage();
    p.choose(page.comb_user(), person);
    page.comb_userChange();
    return [&page, handler] { (page.*handler)(); };
}

std::function<void()> savePerson(Program& p) {
    p.window->m_userClick();
    persons::UserPage& page = *p.window->userPage();
    p.dm1.ado_user.locate(QStringLiteral("lastname"), QStringLiteral("Person06"));
    page.runUserForm = [](persons::Tfrm_user& form) {
        form.findChild<QLineEdit*>(QStringLiteral("edt_lastname"))->setText("Renamed");
        form.findChild<QLineEdit*>(QStringLiteral("edt_firstname"))->setText("G");
        form.BitBtn1Click();
    };
    return [&page] { page.img_editClick(); };
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    const QString operation = QString::fromLocal8Bit(argv[1]);
    Program program(QString::fromLocal8Bit(argv[2]));
    const std::map<QString, std::function<std::function<void()>(Program&)>> operations{
        {"save_memory", saveMemory},
        {"delete_persons", deletePersons},
        {"delete_marked",
         [](Program& p) {
             return dataPage(p, "Person03", &measure::DataPage::img_delete_selectionClick);
         }},
        {"delete_all",
         [](Program& p) {
             return dataPage(p, "Person04", &measure::DataPage::img_delete_allClick);
         }},
        {"save_person", savePerson},
    };
    const auto found = operations.find(operation);
    if (found == operations.end())
        return 2;
    const std::function<void()> run = found->second(program);
    if (argc > 3)
        return 0;
    std::fputs("go\n", stdout);
    std::fflush(stdout);
    const auto started = std::chrono::steady_clock::now();
    run();
    const auto took = std::chrono::steady_clock::now() - started;
    std::printf("done %lld\n",
                (long long)std::chrono::duration_cast<std::chrono::microseconds>(took).count());
    std::fflush(stdout);
    return program.messages.shown.filter("error:").isEmpty() ? 0 : 1;
}
