#pragma once

#include <QTextBrowser>
#include <functional>
#include <memory>

namespace help {

class HelpSource;

// Shows the pages of one help document; pictures and links come from the document
// itself, links leading outside it go to the desktop.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    ~HelpBrowser() override;

    // Shows start of a new document and forgets the pages seen before.
    void showDocument(std::unique_ptr<HelpSource> source, const QUrl& start);
    const HelpSource* helpSource() const { return source_.get(); }

    QVariant loadResource(int type, const QUrl& name) override;

    // Finds the next (or previous) occurrence, continuing at the other end of the page.
    bool findText(const QString& text, bool backward);

    // Opens a link that leads outside the document.
    std::function<bool(const QUrl&)> openExternal;

private:
    void follow(const QUrl& link);

    std::unique_ptr<HelpSource> source_;
};

} // namespace help
