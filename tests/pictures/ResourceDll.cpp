#include "ResourceDll.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool run(const QString& program, const QStringList& arguments, const QString& workDir) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << "resource tool failed: " << program.toStdString() << " "
                      << arguments.join(' ').toStdString() << "\n"
                      << process.errorString().toStdString() << "\n"
                      << process.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

} // namespace

QByteArray buildResourceDll(const QList<NamedBitmap>& bitmaps, PeKind kind) {
    QTemporaryDir dir;
    QString script;
    for (const NamedBitmap& bitmap : bitmaps) {
        const QString file = bitmap.name + QStringLiteral(".bmp");
        EXPECT_TRUE(bitmap.image.save(dir.filePath(file), "BMP"));
        script += QStringLiteral("%1 BITMAP \"%2\"\n").arg(bitmap.name, file);
    }
    QFile rc(dir.filePath("lang.rc"));
    EXPECT_TRUE(rc.open(QIODevice::WriteOnly));
    rc.write(script.toUtf8());
    rc.close();

    const QStringList compile =
        QStringLiteral("--preprocessor-arg=-E --preprocessor-arg=-P --preprocessor-arg=-xc "
                       "-i lang.rc -O coff -o lang.o")
            .split(' ')
        << QStringLiteral("--preprocessor=" TONVI_RC_PREPROCESSOR);
    if (!run(TONVI_WINDRES, compile, dir.path()) ||
        !run(TONVI_MINGW_LD, {"--dll", "-e", "0", "-s", "lang.o", "-o", "lang.dll"}, dir.path()))
        return {};
    // The 64-bit linker has no 32-bit scripts; the copier rewrites the image as 32-bit.
    if (kind == PeKind::Pe32 &&
        !run(TONVI_MINGW_OBJCOPY, {"-O", "pei-i386", "lang.dll"}, dir.path()))
        return {};
    QFile dll(dir.filePath("lang.dll"));
    EXPECT_TRUE(dll.open(QIODevice::ReadOnly));
    return dll.readAll();
}

QByteArray dibOf(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return buffer.data().mid(14);
}
