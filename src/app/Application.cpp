#include "app/Application.h"

#include "app/Tfrm_main.h"
#include "device/TransferPage.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "ui/PictureLibrary.h"

#include <QMessageBox>
#include <exception>

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("tonvi");
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        if (showError)
            showError(text);
        else
            qCritical("%s", qPrintable(text));
    }
    return false;
}

QString databaseFailureText(const QString& databasePath, const QString& reason) {
    return QStringLiteral("The database %1 cannot be used:\n\n%2\n\n"
                          "The file has not been changed. The program will now end.")
        .arg(databasePath, reason);
}

int run(int argc, char** argv) {
    Application application(argc, argv);
    const QString appDir = QCoreApplication::applicationDirPath();
    device::PortFactory monitorPorts;
    try {
        monitorPorts =
            device::portFactoryFromArguments(application.arguments(), QDate::currentDate());
    } catch (const device::ScenarioError& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Blood Pressure Monitor"),
                              QString::fromStdString(error.what()) +
                                  QStringLiteral("\n\nThe program will now end."));
        return 1;
    }

    store::Tdm1 dm1(appDir);
    lang::LanguageStore language(dm1);
    try {
        dm1.DataModuleCreate();
        language.selectLanguage();
    } catch (const store::DatabaseError& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Blood Pressure Monitor"),
                              databaseFailureText(dm1.GetDBLinkStr(), error.message()));
        return 1;
    }

    ui::PictureLibrary pictures(appDir);
    lang::MessageBoxes messages(language, nullptr);
    lang::WindowContext context{appDir, dm1, language, pictures, messages};
    Tfrm_main frm_main(context);
    frm_main.transferPage()->monitorLink().openPort = std::move(monitorPorts);
    messages.setParentWindow(&frm_main);
    application.showError = [&messages](const QString& text) { messages.showError(text); };
    frm_main.show();
    return application.exec();
}

} // namespace app
