#include "Scene.h"
#include "lang/LanguageStore.h"
#include "output/ExportFormat.h"
#include "output/GridExport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// Qt's own dialogs speak the language of the database.
const SceneRegistration question{
    {"question", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         lang::LanguageStore texts(dm1);
         texts.selectLanguage();
         auto* box = new QMessageBox(QMessageBox::Information, texts.TitleText(),
                                     texts.GetHintText("exit_application"),
                                     QMessageBox::Yes | QMessageBox::No, &window);
         box->show();
         return box;
     }}};

const SceneRegistration saveDialog{
    {"export-dialog", [](app::Tfrm_main& window, store::Tdm1& dm1) -> QWidget* {
         const QString dataDir = QFileInfo(dm1.GetDBLinkStr()).absolutePath();
         QFileDialog* dialog = output::exportDialog(&window, QDir(dataDir).filePath("Müller"),
                                                    output::exportFilters(true))
                                   .release();
         dialog->resize(640, 400);
         dialog->show();
         return dialog;
     }}};

} // namespace
