#pragma once

#include "help/HelpSource.h"

#include <QString>
#include <memory>

struct chmFile;

namespace help {

// A compiled help file (.chm), read with chmlib. Its topics and pictures are addressed
// as "chm:/path"; links of the form "…::/path" lead inside it too.
class ChmArchive : public HelpSource {
public:
    // Objects larger than this are refused rather than allocated.
    static constexpr qint64 MaxObjectSize = 64 * 1024 * 1024;

    // Nothing when the file cannot be opened as a compiled help file. chmlib first reads
    // the whole file in a child process, which shields this one from its faults.
    static std::unique_ptr<ChmArchive> open(const QString& path);
    // The same without the child: a file chmlib cannot read may stop or hang this process.
    static std::unique_ptr<ChmArchive> openInProcess(const QString& path);
    ~ChmArchive() override;

    // "/main.htm" when the file holds it, else its first page.
    QUrl home() const override { return home_; }
    QVariant read(const QUrl& url) const override;
    QUrl inside(const QUrl& url) const override;

    static QUrl topicUrl(const QString& path);

private:
    explicit ChmArchive(chmFile* file);
    QString objectPath(const QUrl& url) const;
    QString firstPage() const;

    chmFile* file_;
    QUrl home_;
};

} // namespace help
