#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/ExportCommand.h"
#include "app/FilePlacement.h"
#include "app/FileReport.h"
#include "app/ImportCommand.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "app/Tfrm_main.h"
#include "device/TransferPage.h"
#include "device/ble/QtBleScanner.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/ReportMemory.h"
#include "pictures/PictureLibrary.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "ui/WindowFront.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
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

// The texts below are shown before the language table can be read, so they are built in.
void printError(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// A start without a user (--check-start) writes the text to the error output only.
int endWithMessage(const QString& text, bool withUser = true) {
    if (withUser)
        QMessageBox::critical(nullptr, QStringLiteral("Upper-Arm Blood Pressure Monitor"), text);
    else
        printError(text);
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

// True when this start goes on; false when it ends here because another program runs on
// the data directory.
bool startAlone(SingleInstance& instance, const QString& dataDir) {
    const QString dir = QDir::toNativeSeparators(dataDir);
    switch (instance.start()) {
    case SingleInstance::Start::First:
        if (const QString error = instance.listenError(); !error.isEmpty())
            printError(QStringLiteral("Later starts on the data folder %1 cannot reach this "
                                      "program and end without showing it: %2")
                           .arg(dir, error));
        return true;
    case SingleInstance::Start::Unguarded:
        printError(QStringLiteral("The data folder %1 cannot be locked; a second start on it "
                                  "will not notice this program.")
                       .arg(dir));
        return true;
    case SingleInstance::Start::Asked:
        return false;
    case SingleInstance::Start::Unanswered:
        printError(QStringLiteral("The program already runs on the data folder %1 but does "
                                  "not answer; this start ends.")
                       .arg(dir));
        return false;
    }
    return true;
}

// The arguments as QCoreApplication gives them, read before any application object exists.
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// A usage error goes to the error output only: no window opens and no file is made.
int refuseUsage(const UsageError& error) {
    std::fprintf(stderr, "tonvi: %s\n\n%s", error.what(), qPrintable(usageText()));
    return 2;
}

int printAndEnd(const QString& text) {
    std::fputs(qPrintable(text), stdout);
    return 0;
}

// --check-start reports and ends, so it needs no screen: without one it draws offscreen.
void drawOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// No display and no window lock: a command runs beside an open window. A report draws its
// text, so it needs fonts, which Qt gives only with a platform: the one without a screen.
int runHeadless(int argc, char** argv, const CommandLine& commandLine) {
    std::unique_ptr<QCoreApplication> application;
    if (commandLine.exportFormat == QLatin1String("pdf")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    application->setApplicationName("tonvi");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const store::AppFiles files = placeFiles(currentPlacement(commandLine.dataDir));
    const int code = commandLine.exportFormat ? runExport(commandLine, files, out, err)
                                              : runImport(commandLine, files, out, err);
    out.flush();
    err.flush();
    return code;
}

int runWindow(int argc, char** argv, const CommandLine& commandLine) {
    if (commandLine.checkStart)
        drawOffscreenWithoutDisplay();
    Application application(argc, argv);
    const bool withUser = !commandLine.checkStart;
    const store::AppFiles files = placeFiles(currentPlacement(commandLine.dataDir));
    if (const QString failure = makeDataDir(files.dataDir()); !failure.isEmpty())
        return endWithMessage(failure + QStringLiteral("\n\nThe program will now end."), withUser);
    SingleInstance instance(files.dataDir());
    if (!startAlone(instance, files.dataDir()))
        return 0;
    device::MonitorFactories monitors;
    try {
        monitors = device::monitorFromArguments(application.arguments(), QDate::currentDate());
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
    device::MonitorLink& link = frm_main->transferPage()->monitorLink();
    link.openPort = std::move(monitors.openPort);
    link.openBleScanner =
        monitors.openBleScanner ? std::move(monitors.openBleScanner) : device::openRadioScanner;
    link.openBleLink =
        monitors.openBleLink ? std::move(monitors.openBleLink) : device::openRadioLink;
    device::LinkChoice choice = ReadLinkChoice(files.dataDir());
    if (monitors.simulated)
        choice.connection = *monitors.simulated;
    frm_main->transferPage()->setLinkChoice(
        choice, [dir = files.dataDir()](const device::LinkChoice& c) { WriteLinkChoice(dir, c); });
    messages.setParentWindow(frm_main.get());
    application.showError = [&messages](const QString& text) { messages.showError(text); };
    frm_main->show();
    instance.onAsked = [window = frm_main.get()] { ui::bringToFront(*window); };
    if (commandLine.checkStart)
        reportFilesAndQuit(files);
    return application.exec();
}

} // namespace

int run(int argc, char** argv) {
    output::keepFreedMemory();
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(argumentsOf(argc, argv));
    } catch (const UsageError& error) {
        return refuseUsage(error);
    }
    if (commandLine.help)
        return printAndEnd(usageText());
    if (commandLine.version)
        return printAndEnd(versionText());
    if (commandLine.headless())
        return runHeadless(argc, argv, commandLine);
    return runWindow(argc, argv, commandLine);
}

} // namespace app
