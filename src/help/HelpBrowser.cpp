#include "help/HelpBrowser.h"

#include "help/HelpSource.h"

#include <QDesktopServices>

namespace help {

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent), openExternal(&QDesktopServices::openUrl) {
    setObjectName(QStringLiteral("help_browser"));
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::follow);
}

HelpBrowser::~HelpBrowser() = default;

void HelpBrowser::showDocument(std::unique_ptr<HelpSource> source, const QUrl& start) {
    const bool samePage =
        start.adjusted(QUrl::RemoveFragment) == this->source().adjusted(QUrl::RemoveFragment);
    source_ = std::move(source);
    if (samePage)
        reload();
    setSource(start);
    clearHistory();
}

QVariant HelpBrowser::loadResource(int, const QUrl& name) {
    if (!source_)
        return {};
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    return source_->read(url.adjusted(QUrl::RemoveFragment));
}

void HelpBrowser::follow(const QUrl& link) {
    const QUrl target = source_ ? source_->inside(link) : QUrl();
    if (target.isValid())
        setSource(target);
    else if (openExternal)
        openExternal(link);
}

bool HelpBrowser::findText(const QString& text, bool backward) {
    if (text.isEmpty())
        return true;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (find(text, flags))
        return true;
    QTextCursor cursor = textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    setTextCursor(cursor);
    return find(text, flags);
}

} // namespace help
