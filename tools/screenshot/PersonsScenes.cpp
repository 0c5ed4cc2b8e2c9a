#include "Scene.h"
#include "persons/Tfrm_user.h"
#include "persons/UserPage.h"
#include "store/Database.h"

#include <QApplication>
#include <QLabel>

namespace {

// A small register on the User page, the second person ticked.
persons::UserPage& showRegister(app::Tfrm_main& window, store::Tdm1& dm1) {
    const char* const rows[] = {
        "1,0,'Miller','Anna','12 Park Road','Canada','Toronto','ON','M5V 2T6','416 555 0101',"
        "'anna@example.org','1958-03-14 00:00:00','Female','168','64'",
        "2,-1,'O''Neill','Brian','4 Harbour View','Ireland','Cork','','T12 X2P3','021 555 0199',"
        "'brian@example.org','1949-11-02 00:00:00','Male','181','88'",
        "3,0,'Schmidt','Clara','Lindenweg 7','Germany','Bonn','NRW','53111','0228 555 12',"
        "'clara@example.org','1971-07-23 00:00:00','Female','172','70'"};
    for (const char* row : rows)
        dm1.adocom1.execute(QStringLiteral("insert into bp_userinfo(id,delselection,lastname,"
                                           "firstname,address1,country,city,state,zip,phone,"
                                           "email,birthday,gender,height,weight) values(%1)")
                                .arg(QLatin1String(row)));
    dm1.ado_user.close();
    dm1.ado_user.open();
    window.m_userClick();
    persons::UserPage& page = *window.userPage();
    page.AddUserInfo();
    return page;
}

const SceneRegistration userPage{{"user-page", [](app::Tfrm_main& window, store::Tdm1& dm1) {
                                      showRegister(window, dm1);
                                      return static_cast<QWidget*>(&window);
                                  }}};

// The dialog lives only while its opener runs, so its picture is kept in a label.
const SceneRegistration personDialog{
    {"person-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         persons::UserPage& page = showRegister(window, dm1);
         auto* picture = new QLabel(&window, Qt::Window);
         page.runUserForm = [picture](persons::Tfrm_user& form) {
             form.show();
             for (int i = 0; i < 5; ++i)
                 QApplication::processEvents();
             picture->setPixmap(form.grab());
             picture->resize(form.size());
         };
         dm1.ado_user.first();
         page.img_editClick();
         return picture;
     }}};

} // namespace
