// Writes PNG pictures of the windows, rendered offscreen, in English and in German.
// Usage: tonvi_screenshot OUTPUT_DIRECTORY

#include "lang/WindowContext.h"
#include "app/Tfrm_main.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "store/Database.h"
#include "store/Tdm1.h"
#include "ui/PictureLibrary.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Answers every question with No and shows nothing, so a scene never blocks.
class SilentMessages : public lang::Messages {
public:
    void inform(const QString&) override {}
    void fail(const QString&) override {}
    bool ask(const QString&) override { return false; }
    void showError(const QString&) override {}
};

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget& window, const QString& path) {
    settle();
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

bool shootLanguage(const QString& language, const QDir& out) {
    QTemporaryDir appDir;
    store::Tdm1 dm1(appDir.path());
    dm1.DataModuleCreate();
    dm1.adocom1.execute("update bp_option set language_def=" + store::quoted(language));
    dm1.ado_option.close();
    dm1.ado_option.open();
    lang::LanguageStore texts(dm1);
    texts.selectLanguage();

    ui::PictureLibrary pictures(appDir.path());
    SilentMessages messages;
    lang::WindowContext context{appDir.path(), dm1, texts, pictures, messages};
    app::Tfrm_main frm_main(context);
    frm_main.show();

    bool ok = save(frm_main, out.filePath("main-" + language + ".png"));
    frm_main.m_userClick();
    ok = save(frm_main, out.filePath("main-user-page-" + language + ".png")) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(".");
    bool ok = true;
    for (const QString language : {"english", "german"})
        ok = shootLanguage(language, out) && ok;
    return ok ? 0 : 1;
}
