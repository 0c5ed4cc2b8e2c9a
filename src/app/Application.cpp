#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/FilePlacement.h"
#include "app/FileReport.h"
#include "app/Tfrm_main.h"
#include "device/TransferPage.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/ReportMemory.h"
#include "pictures/PictureLibrary.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("tonvi");
    setDesktopFileName(QStringLiteral("org.tonvi.tonvi"));
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

namespace {

// refusedFile: an existing file was refused before it was opened, so it is unchanged;
// once opened, the start-up statements have emptied the device-memory tables.
QString databaseFailureText(const QString& databasePath, const QString& reason, bool refusedFile) {
    return QStringLiteral("The database %1 cannot be used:\n\n%2\n\n%3The program will now end.")
        .arg(databasePath, reason,
             refusedFile ? QStringLiteral("The file has not been changed. ") : QString());
}

// Shown before the language table can be read, so the text is built in. A start without a
// user (--check-start) writes it to the error output only.
int endWithMessage(const QString& text, bool withUser = true) {
    if (withUser)
        QMessageBox::critical(nullptr, QStringLiteral("Blood Pressure Monitor"), text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
    return 1;
}

// After the main window is shown: the file report on the standard output, then the end.
void reportFilesAndQuit(const store::AppFiles& files) {
    QTimer::singleShot(0, [files] {
        QTextStream out(stdout);
        writeFileReport(files, out);
        out.flush();
        QCoreApplication::exit(0);
    });
}

} // namespace

int run(int argc, char** argv) {
    output::keepFreedMemory();
    Application application(argc, argv);
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(application.arguments());
    } catch (const UsageError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return endWithMessage(QString::fromUtf8(error.what()) +
                              QStringLiteral("\n\nThe program will now end."));
    }
    const bool withUser = !commandLine.checkStart;
    const store::AppFiles files = placeFiles(currentPlacement(commandLine.dataDir));
    QDir().mkpath(files.dataDir()); // if this fails, opening the database names the directory
    device::PortFactory monitorPorts;
    try {
        monitorPorts =
            device::portFactoryFromArguments(application.arguments(), QDate::currentDate());
    } catch (const device::ScenarioError& error) {
        return endWithMessage(QString::fromStdString(error.what()) +
                                  QStringLiteral("\n\nThe program will now end."),
                              withUser);
    }

    store::Tdm1 dm1(files.dataDir());
    lang::LanguageStore language(dm1);
    pictures::PictureLibrary pictures(files);
    lang::MessageBoxes messages(language, nullptr);
    lang::WindowContext context{files, dm1, language, pictures, messages};
    std::unique_ptr<Tfrm_main> frm_main;
    try {
        dm1.DataModuleCreate();
        language.selectLanguage();
        frm_main = std::make_unique<Tfrm_main>(context);
    } catch (const store::DatabaseError& error) {
        const QString path = dm1.GetDBLinkStr();
        const bool refusedFile = !dm1.ADOConnection1.isOpen() && QFileInfo::exists(path);
        return endWithMessage(databaseFailureText(path, error.message(), refusedFile), withUser);
    }
    frm_main->transferPage()->monitorLink().openPort = std::move(monitorPorts);
    messages.setParentWindow(frm_main.get());
    application.showError = [&messages](const QString& text) { messages.showError(text); };
    frm_main->show();
    if (commandLine.checkStart)
        reportFilesAndQuit(files);
    return application.exec();
}

} // namespace app
