#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <utility>

// Builders of help documents for the tests.
namespace help {
class HelpBrowser;
}

namespace helpfiles {

// A PNG picture of the given size.
QByteArray png(int width, int height);

// Writes bytes to a file, creating its folder; false on failure.
bool write(const QString& path, const QByteArray& bytes);

// An .mht document: a quoted-printable page "Welcome to the manual. Größe" with two
// pictures, "pictures/bar.png" (3 x 2) by Content-Location and "cid:dot@manual" (1 x 1).
QByteArray mht();

// Compiles the given pages (name -> HTML) and pictures into a .chm at path with chmcmd.
bool compileChm(const QString& path, const QList<std::pair<QString, QByteArray>>& files);

// The pictures of the shown page, loaded as the browser loads them.
QList<QImage> shownImages(help::HelpBrowser& browser);

// Clicks the first link whose text is the given one; false when there is none.
bool clickLink(help::HelpBrowser& browser, const QString& text);

// The manual of the program as it ships, in English or in the language of that code.
QString shippedManual(const QString& language = {});

} // namespace helpfiles
