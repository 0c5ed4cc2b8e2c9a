// Writes PNG pictures of the windows, rendered offscreen, in English and in German.
// Usage: tonvi_screenshot OUTPUT_DIRECTORY

#include "Scene.h"
#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "store/Tdm1.h"
#include "testkit/ChosenLanguage.h"
#include "testkit/SilentMessages.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget& widget, const QString& path) {
    settle();
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

bool shoot(const Scene& scene, const QString& language, const QDir& out) {
    QTemporaryDir appDir;
    store::Tdm1 dm1(appDir.path());
    dm1.DataModuleCreate();
    lang::LanguageStore texts(dm1);
    testkit::chooseLanguage(dm1, texts, language);

    pictures::PictureLibrary pictures(appDir.path());
    // No to every question, so a scene never blocks.
    testkit::SilentMessages messages(testkit::SilentMessages::Answer::No);
    // The read-only files (the manual) are found beside the program, as when installed.
    lang::WindowContext context{
        store::AppFiles(appDir.path(), {QCoreApplication::applicationDirPath()}), dm1, texts,
        pictures, messages};
    app::Tfrm_main frm_main(context);
    frm_main.show();
    settle();
    QWidget* target = scene.prepare(frm_main, dm1);
    return target && save(*target, out.filePath(scene.name + "-" + language + ".png"));
}

} // namespace

std::vector<Scene>& scenes() {
    static std::vector<Scene> all;
    return all;
}

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
    for (const Scene& scene : scenes())
        for (const QString language : {"english", "german"})
            ok = shoot(scene, language, out) && ok;
    return ok ? 0 : 1;
}
