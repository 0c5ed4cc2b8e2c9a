#include "output/ReportTemplate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>

namespace output {

namespace {

constexpr int kVersion = 1;
constexpr int kMaxColumns = 40;

[[noreturn]] void malformed(const QString& detail) {
    throw TemplateError(TemplateError::Kind::Malformed, detail);
}

// One JSON object of the template; every key must be read, so a misspelt field is
// reported instead of being ignored.
class Section {
public:
    Section(const QJsonValue& value, QString place) : place_(std::move(place)) {
        if (!value.isObject())
            malformed(QStringLiteral("%1 is not an object").arg(place_));
        object_ = value.toObject();
    }

    bool has(const QString& key) const { return object_.contains(key); }

    QJsonValue take(const QString& key, bool required) {
        if (!object_.contains(key)) {
            if (required)
                malformed(QStringLiteral("field \"%1\" is missing in %2").arg(key, place_));
            return QJsonValue(QJsonValue::Undefined);
        }
        return object_.take(key);
    }

    QString text(const QString& key, bool required, const QString& fallback = {}) {
        const QJsonValue value = take(key, required);
        if (value.isUndefined())
            return fallback;
        if (!value.isString())
            malformed(QStringLiteral("field \"%1\" in %2 is not a text").arg(key, place_));
        return value.toString();
    }

    double number(const QString& key, double low, double high, double fallback) {
        const QJsonValue value = take(key, false);
        if (value.isUndefined())
            return fallback;
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || !(number >= low && number <= high))
            malformed(QStringLiteral("field \"%1\" in %2 is not a number from %3 to %4")
                          .arg(key, place_)
                          .arg(low)
                          .arg(high));
        return number;
    }

    // A text that must be one of choices; gives its index.
    int choice(const QString& key, const QStringList& choices, int fallback) {
        const QJsonValue value = take(key, false);
        if (value.isUndefined())
            return fallback;
        const int index = choices.indexOf(value.toString().toLower());
        if (!value.isString() || index < 0)
            malformed(QStringLiteral("field \"%1\" in %2 is not one of %3")
                          .arg(key, place_, choices.join(QStringLiteral(", "))));
        return index;
    }

    QJsonArray array(const QString& key, bool required) {
        const QJsonValue value = take(key, required);
        if (value.isUndefined())
            return {};
        if (!value.isArray())
            malformed(QStringLiteral("field \"%1\" in %2 is not a list").arg(key, place_));
        return value.toArray();
    }

    // Call when all known keys are taken.
    void finish() const {
        if (!object_.isEmpty())
            malformed(
                QStringLiteral("unknown field \"%1\" in %2").arg(object_.begin().key(), place_));
    }

private:
    QJsonObject object_;
    QString place_;
};

void readPage(Section page, ReportTemplate& result) {
    static const QStringList sizes{QStringLiteral("a4"), QStringLiteral("a5"),
                                   QStringLiteral("letter"), QStringLiteral("legal")};
    static const QPageSize::PageSizeId ids[] = {QPageSize::A4, QPageSize::A5, QPageSize::Letter,
                                                QPageSize::Legal};
    result.pageSize = ids[page.choice(QStringLiteral("size"), sizes, 0)];
    const QStringList orientations{QStringLiteral("portrait"), QStringLiteral("landscape")};
    result.orientation = page.choice(QStringLiteral("orientation"), orientations, 0) == 0
                             ? QPageLayout::Portrait
                             : QPageLayout::Landscape;
    result.fontSize = page.number(QStringLiteral("font_size"), 5, 30, result.fontSize);
    if (page.has(QStringLiteral("margins_mm"))) {
        Section margins(page.take(QStringLiteral("margins_mm"), true),
                        QStringLiteral("margins_mm"));
        QMarginsF& m = result.marginsMm;
        m.setLeft(margins.number(QStringLiteral("left"), 0, 60, m.left()));
        m.setTop(margins.number(QStringLiteral("top"), 0, 60, m.top()));
        m.setRight(margins.number(QStringLiteral("right"), 0, 60, m.right()));
        m.setBottom(margins.number(QStringLiteral("bottom"), 0, 60, m.bottom()));
        margins.finish();
    }
    page.finish();
}

void readHeader(Section header, ReportTemplate& result) {
    result.title = header.text(QStringLiteral("title"), true);
    result.personField = header.text(QStringLiteral("person_field"), false);
    result.periodField = header.text(QStringLiteral("period_field"), false);
    header.finish();
}

void readColumns(const QJsonArray& columns, ReportTemplate& result) {
    if (columns.isEmpty() || columns.size() > kMaxColumns)
        malformed(QStringLiteral("field \"columns\" must list 1 to %1 columns").arg(kMaxColumns));
    static const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const QStringList alignNames{QStringLiteral("left"), QStringLiteral("center"),
                                 QStringLiteral("right")};
    for (qsizetype i = 0; i < columns.size(); ++i) {
        Section column(columns[i], QStringLiteral("columns[%1]").arg(i));
        ReportColumn c;
        c.field = column.text(QStringLiteral("field"), true);
        c.title = column.text(QStringLiteral("title"), true);
        c.width = column.number(QStringLiteral("width"), 0.1, 100, c.width);
        c.align = aligns[column.choice(QStringLiteral("align"), alignNames, 0)];
        column.finish();
        result.columns.append(c);
    }
}

void readSummary(Section summary, ReportTemplate& result) {
    const QJsonArray fields = summary.array(QStringLiteral("fields"), true);
    if (fields.isEmpty() || fields.size() > kMaxColumns)
        malformed(QStringLiteral("field \"fields\" in summary must list 1 to %1 fields")
                      .arg(kMaxColumns));
    for (const QJsonValue& field : fields) {
        if (!field.isString())
            malformed(
                QStringLiteral("field \"fields\" in summary holds a value that is not a text"));
        result.summaryFields.append(field.toString());
    }
    result.countText = summary.text(QStringLiteral("count_text"), false, result.countText);
    summary.finish();
}

void readFooter(Section footer, ReportTemplate& result) {
    result.pageText = footer.text(QStringLiteral("page_text"), false, result.pageText);
    footer.finish();
}

} // namespace

ReportTemplate parseTemplate(const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        malformed(QStringLiteral("%1 at character %2").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        malformed(QStringLiteral("the template is not an object"));
    Section root(document.object(), QStringLiteral("the template"));
    if (root.number(QStringLiteral("version"), 0, 1e9, 0) != kVersion)
        malformed(QStringLiteral("field \"version\" must be %1").arg(kVersion));
    ReportTemplate result;
    if (root.has(QStringLiteral("page")))
        readPage(Section(root.take(QStringLiteral("page"), true), QStringLiteral("page")), result);
    readHeader(Section(root.take(QStringLiteral("header"), true), QStringLiteral("header")),
               result);
    readColumns(root.array(QStringLiteral("columns"), true), result);
    if (root.has(QStringLiteral("summary")))
        readSummary(Section(root.take(QStringLiteral("summary"), true), QStringLiteral("summary")),
                    result);
    if (root.has(QStringLiteral("footer")))
        readFooter(Section(root.take(QStringLiteral("footer"), true), QStringLiteral("footer")),
                   result);
    root.finish();
    return result;
}

ReportTemplate loadTemplate(const QString& path) {
    QFile file(path);
    if (!file.exists())
        throw TemplateError(TemplateError::Kind::Missing, path);
    if (!file.open(QIODevice::ReadOnly))
        throw TemplateError(TemplateError::Kind::Unreadable, file.errorString());
    constexpr qint64 kMaxSize = 1 << 20; // far beyond any page design
    const QByteArray text = file.read(kMaxSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw TemplateError(TemplateError::Kind::Unreadable, file.errorString());
    if (text.size() > kMaxSize)
        malformed(QStringLiteral("the file is larger than a template can be"));
    return parseTemplate(text);
}

} // namespace output
