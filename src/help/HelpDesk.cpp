#include "help/HelpDesk.h"

#include "help/ChmArchive.h"
#include "help/HelpBrowser.h"
#include "help/HelpWindow.h"
#include "help/MhtArchive.h"
#include "lang/LanguageLocale.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "ui/WindowFront.h"

#include <QDesktopServices>
#include <QFile>

namespace help {

namespace {

std::unique_ptr<HelpSource> readMht(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    std::optional<MhtArchive> archive = MhtArchive::parse(file.readAll());
    return archive ? std::make_unique<MhtArchive>(std::move(*archive)) : nullptr;
}

// The document of a manual in the mht, chm or htm form; nothing when it cannot be read.
std::unique_ptr<HelpSource> readSource(const Manual& manual) {
    if (manual.kind == ManualKind::Chm)
        return ChmArchive::open(manual.path);
    std::unique_ptr<HelpSource> source = manual.kind == ManualKind::Mht
                                             ? readMht(manual.path)
                                             : std::make_unique<HtmlFile>(manual.path);
    return source && source->read(source->home()).isValid() ? std::move(source) : nullptr;
}

// Where a topic starts: in the compiled form the topic of that name, in the other forms
// the section of that name; the start of the manual when there is no topic or no such
// topic.
QUrl topicStart(const HelpSource& source, ManualKind kind, const QString& topic) {
    if (topic.isEmpty())
        return source.home();
    if (kind == ManualKind::Chm) {
        const QUrl url = source.inside(ChmArchive::topicUrl(topic));
        return url.isValid() ? url : source.home();
    }
    QUrl url = source.home();
    url.setFragment(topic.section(QLatin1Char('.'), 0, 0));
    return url;
}

// The code of the database's language when the manual may come in it ("de"); English,
// the language of the base manual, has none.
QString manualLanguage(const lang::LanguageStore& language) {
    const QLocale::Language spoken = lang::localeOfLanguage(language.currentLanguage()).language();
    if (spoken == QLocale::English || spoken == QLocale::C)
        return {};
    return QLocale::languageToCode(spoken);
}

} // namespace

HelpDesk::HelpDesk(lang::WindowContext& context)
    : openExternal(&QDesktopServices::openUrl), context_(context) {}

HelpDesk::~HelpDesk() = default;

void HelpDesk::openManual() {
    if (const std::optional<Manual> manual =
            findManual(context_.files, manualLanguage(context_.language)))
        open(*manual);
}

void HelpDesk::openTopic(const QString& topic) {
    if (const std::optional<Manual> manual =
            findPageManual(context_.files, manualLanguage(context_.language)))
        open(*manual, topic);
}

void HelpDesk::open(const Manual& manual, const QString& topic) {
    if (manual.kind == ManualKind::Pdf) {
        if (!openExternal || !openExternal(QUrl::fromLocalFile(manual.path)))
            context_.messages.fail(QStringLiteral("help_cannot_open"));
        return;
    }

    std::unique_ptr<HelpSource> source = readSource(manual);
    if (!source) {
        context_.messages.fail(QStringLiteral("help_cannot_open"));
        return;
    }
    const QUrl start = topicStart(*source, manual.kind, topic);

    if (!window_) {
        window_ = std::make_unique<HelpWindow>(context_.language, context_.pictures);
        window_->browser()->openExternal = [this](const QUrl& url) {
            return openExternal && openExternal(url);
        };
    }
    window_->showDocument(std::move(source), start);
    ui::bringToFront(*window_);
}

bool HelpDesk::ActivateHelpWindow() {
    if (!window_ || !window_->isVisible())
        return false;
    ui::bringToFront(*window_);
    return true;
}

void HelpDesk::CloseHelpViewers() {
    if (window_)
        window_->close();
}

} // namespace help
