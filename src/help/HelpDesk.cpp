#include "help/HelpDesk.h"

#include "help/ChmArchive.h"
#include "help/HelpBrowser.h"
#include "help/HelpWindow.h"
#include "help/MhtArchive.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"

#include <QDesktopServices>
#include <QFile>

namespace help {

namespace {

// The section of a page topic in the htm and mht forms: "analysis.htm" → "analysis".
QString sectionOf(const QString& topic) {
    return topic.section(QLatin1Char('.'), 0, 0);
}

std::unique_ptr<HelpSource> readMht(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    std::optional<MhtArchive> archive = MhtArchive::parse(file.readAll());
    return archive ? std::make_unique<MhtArchive>(std::move(*archive)) : nullptr;
}

} // namespace

HelpDesk::HelpDesk(lang::WindowContext& context)
    : openExternal(&QDesktopServices::openUrl), context_(context) {}

HelpDesk::~HelpDesk() = default;

void HelpDesk::openManual() {
    if (const std::optional<Manual> manual = findManual(context_.appDir))
        open(*manual);
}

void HelpDesk::openTopic(const QString& topic) {
    if (const std::optional<Manual> manual = findPageManual(context_.appDir))
        open(*manual, topic);
}

void HelpDesk::open(const Manual& manual, const QString& topic) {
    if (manual.kind == ManualKind::Pdf) {
        if (!openExternal || !openExternal(QUrl::fromLocalFile(manual.path)))
            context_.messages.fail(QStringLiteral("help_cannot_open"));
        return;
    }

    std::unique_ptr<HelpSource> source;
    QUrl start;
    if (manual.kind == ManualKind::Chm) {
        std::unique_ptr<ChmArchive> chm = ChmArchive::open(manual.path);
        if (chm)
            start = topic.isEmpty() ? QUrl() : chm->inside(ChmArchive::topicUrl(topic));
        source = std::move(chm);
    } else {
        source = manual.kind == ManualKind::Mht ? readMht(manual.path)
                                                : std::make_unique<HtmlFile>(manual.path);
        if (source && !source->read(source->home()).isValid())
            source.reset();
        if (source && !topic.isEmpty()) {
            start = source->home();
            start.setFragment(sectionOf(topic));
        }
    }
    if (!source) {
        context_.messages.fail(QStringLiteral("help_cannot_open"));
        return;
    }
    if (!start.isValid())
        start = source->home();

    if (!window_) {
        window_ = std::make_unique<HelpWindow>(context_.language, context_.pictures);
        window_->browser()->openExternal = [this](const QUrl& url) {
            return openExternal && openExternal(url);
        };
    }
    window_->showDocument(std::move(source), start);
    present();
}

bool HelpDesk::ActivateHelpWindow() {
    if (!window_ || !window_->isVisible())
        return false;
    present();
    return true;
}

void HelpDesk::present() {
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

void HelpDesk::CloseHelpViewers() {
    if (window_)
        window_->close();
}

} // namespace help
