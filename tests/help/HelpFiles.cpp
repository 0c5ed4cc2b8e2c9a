#include "HelpFiles.h"

#include "help/HelpBrowser.h"
#include "support/Mouse.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace helpfiles {

QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray mht() {
    QByteArray text =
        "From: <Saved by a test>\r\n"
        "Subject: Manual\r\n"
        "MIME-Version: 1.0\r\n"
        "Content-Type: multipart/related; type=\"text/html\"; boundary=\"----=_NextPart\"\r\n"
        "\r\n"
        "This is a multi-part message in MIME format.\r\n"
        "\r\n"
        "------=_NextPart\r\n"
        "Content-Type: text/html; charset=\"utf-8\"\r\n"
        "Content-Transfer-Encoding: quoted-printable\r\n"
        "Content-Location: file:///C:/manual/TONVI_help.htm\r\n"
        "\r\n"
        "<html><body><h1>Welcome to the manual.</h1><p>Gr=C3=B6=C3=9Fe</p>\r\n"
        "<img src=3D\"pictures/bar.png\"><img src=3D\"cid:dot@manual\">\r\n"
        "</body></html>\r\n"
        "\r\n"
        "------=_NextPart\r\n"
        "Content-Type: image/png\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-Location: file:///C:/manual/pictures/bar.png\r\n"
        "\r\n" +
        png(3, 2).toBase64() +
        "\r\n"
        "\r\n"
        "------=_NextPart\r\n"
        "Content-Type: image/png\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-ID: <dot@manual>\r\n"
        "\r\n" +
        png(1, 1).toBase64() +
        "\r\n"
        "\r\n"
        "------=_NextPart--\r\n";
    return text;
}

bool compileChm(const QString& path, const QList<std::pair<QString, QByteArray>>& files) {
    QTemporaryDir project;
    QByteArray hhp = "[OPTIONS]\r\nCompiled file=" + QFileInfo(path).fileName().toUtf8() +
                     "\r\nDefault topic=main.htm\r\nTitle=Manual\r\n\r\n[FILES]\r\n";
    for (const auto& [name, bytes] : files) {
        if (!write(project.filePath(name), bytes))
            return false;
        hhp += name.toUtf8() + "\r\n";
    }
    if (!write(project.filePath("manual.hhp"), hhp))
        return false;
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(project.path());
    chmcmd.start(TONVI_CHMCMD, {"manual.hhp"});
    if (!chmcmd.waitForFinished(60000) || chmcmd.exitCode() != 0)
        return false;
    QFile::remove(path);
    return QFile::copy(project.filePath(QFileInfo(path).fileName()), path);
}

QList<QImage> shownImages(help::HelpBrowser& browser) {
    QList<QImage> images;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            images << QImage::fromData(
                browser.loadResource(QTextDocument::ImageResource, name).toByteArray());
        }
    }
    return images;
}

bool clickLink(help::HelpBrowser& browser, const QString& text) {
    const QTextCursor found = browser.document()->find(text);
    if (found.isNull())
        return false;
    QTextCursor inside(browser.document());
    inside.setPosition(found.selectionStart() + 1);
    browser.show();
    click(browser.viewport(), browser.cursorRect(inside).center());
    return true;
}

QString shippedManual(const QString& language) {
    const QString suffix = language.isEmpty() ? QString() : QLatin1Char('_') + language;
    return QStringLiteral(TONVI_SOURCE_DIR "/resources/help/TONVI_HELP") + suffix +
           QStringLiteral(".htm");
}

} // namespace helpfiles
