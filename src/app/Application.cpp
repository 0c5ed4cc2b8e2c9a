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
#include <memory>

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

namespace {

// Shown before the language table can be read, so the text is built in.
int endWithMessage(const QString& text) {
    QMessageBox::critical(nullptr, QStringLiteral("Blood Pressure Monitor"), text);
    return 1;
}

} // namespace

int run(int argc, char** argv) {
    Application application(argc, argv);
    const QString appDir = QCoreApplication::applicationDirPath();
    device::PortFactory monitorPorts;
    try {
        monitorPorts =
            device::portFactoryFromArguments(application.arguments(), QDate::currentDate());
    } catch (const device::ScenarioError& error) {
        return endWithMessage(QString::fromStdString(error.what()) +
                              QStringLiteral("\n\nThe program will now end."));
    }

    store::Tdm1 dm1(appDir);
    lang::LanguageStore language(dm1);
    ui::PictureLibrary pictures(appDir);
    lang::MessageBoxes messages(language, nullptr);
    lang::WindowContext context{appDir, dm1, language, pictures, messages};
    std::unique_ptr<Tfrm_main> frm_main;
    try {
        dm1.DataModuleCreate();
        language.selectLanguage();
        frm_main = std::make_unique<Tfrm_main>(context);
    } catch (const store::DatabaseError& error) {
        return endWithMessage(databaseFailureText(dm1.GetDBLinkStr(), error.message()));
    }
    frm_main->transferPage()->monitorLink().openPort = std::move(monitorPorts);
    messages.setParentWindow(frm_main.get());
    application.showError = [&messages](const QString& text) { messages.showError(text); };
    frm_main->show();
    return application.exec();
}

} // namespace app
