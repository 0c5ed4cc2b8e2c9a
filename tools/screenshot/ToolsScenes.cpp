#include "Scene.h"
#include "measure/DataPage.h"
#include "persons/UserPage.h"
#include "store/Database.h"
#include "tools/Tfrm_sort.h"
#include "tools/Tfrmfind.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// A dialog lives only while its handler runs, so its picture is kept in a label.
QLabel* keepPicture(QWidget& form, QWidget& window) {
    form.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    auto* picture = new QLabel(&window, Qt::Window);
    picture->setPixmap(form.grab());
    picture->resize(form.size());
    return picture;
}

const SceneRegistration sort{
    {"sort-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         dm1.adocom1.execute(
             "insert into bp_record(personal,systolic,diastolic,heart_beat,checktime) values "
             "('Miller',128,84,66,'2011-03-01 07:30:00')");
         measure::DataPage* page = window.dataPage();
         page->comb_user()->clear();
         page->comb_user()->addItem(QStringLiteral("Miller"));
         window.m_dataClick();
         QLabel* picture = nullptr;
         page->setSortDialogRunner([&picture, &window](tools::Tfrm_sort& form) {
             form.firstKey()->setCurrentIndex(1);
             form.firstDirection()->setCurrentIndex(1);
             picture = keepPicture(form, window);
             return false;
         });
         page->img_sortClick();
         return picture;
     }}};

const SceneRegistration find{
    {"find-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         dm1.adocom1.execute("insert into bp_userinfo(id,lastname,firstname) values "
                             "(1,'Miller','Anna'),(2,'Müller','Jonas')");
         window.m_userClick();
         QLabel* picture = nullptr;
         window.dataPage()->setFindDialogRunner([&picture, &window](tools::Tfrmfind& form) {
             form.entry()->setText(QStringLiteral("mül"));
             form.fieldList()->setCurrentIndex(form.fieldList()->findText("LastName"));
             form.matchList()->setCurrentIndex(1);
             picture = keepPicture(form, window);
         });
         window.dataPage()->img_findClick();
         return picture;
     }}};

} // namespace
