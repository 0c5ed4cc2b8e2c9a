#include "readings/ColumnMapping.h"

#include <algorithm>

namespace readings {

namespace {

// Titles as normalized() writes them.
struct Names {
    Field field;
    QStringList titles;
};

const QList<Names>& knownTitles() {
    static const QList<Names> names{
        {Field::DateTime,
         {"datetime", "dateandtime", "dateandtimeofmeasurement", "measurementdatetime", "timestamp",
          "checktime", "datumuhrzeit", "datumunduhrzeit", "datumunduhrzeitdermessung", "zeitpunkt",
          "messzeitpunkt", "zeitstempel"}},
        {Field::Date, {"date", "measurementdate", "datum", "messdatum"}},
        {Field::Time, {"time", "measurementtime", "uhrzeit", "zeit", "messzeit"}},
        {Field::Systolic, {"systolic", "sys", "systole", "systolisch"}},
        {Field::Diastolic, {"diastolic", "dia", "diastole", "diastolisch"}},
        {Field::Pulse, {"pulse", "heartrate", "heartbeat", "hr", "puls", "herzfrequenz"}},
        {Field::Mark, {"mark", "marked", "delselection", "markierung", "markiert"}}};
    return names;
}

// Case-folded letters and digits, without what stands in brackets.
QString normalized(const QString& title) {
    QString out;
    int depth = 0;
    for (const QChar c : title) {
        if (c == u'(' || c == u'[' || c == u'{')
            ++depth;
        else if (c == u')' || c == u']' || c == u'}')
            depth = std::max(0, depth - 1);
        else if (depth == 0 && c.isLetterOrNumber())
            out += c;
    }
    return out.toCaseFolded();
}

} // namespace

bool ColumnMapping::complete() const {
    return (*this)[Field::Systolic] >= 0 && (*this)[Field::Diastolic] >= 0 && dateColumn() >= 0;
}

int ColumnMapping::dateColumn() const {
    const int both = (*this)[Field::DateTime];
    return both >= 0 ? both : (*this)[Field::Date];
}

int ColumnMapping::timeColumn() const {
    return (*this)[Field::DateTime] >= 0 ? -1 : (*this)[Field::Time];
}

int ColumnMapping::width() const {
    return 1 + *std::max_element(columns_.begin(), columns_.end());
}

ColumnMapping mapColumns(const QStringList& titles) {
    ColumnMapping mapping;
    for (int column = 0; column < titles.size(); ++column) {
        const QString title = normalized(titles[column]);
        for (const Names& names : knownTitles())
            if (mapping[names.field] < 0 && names.titles.contains(title))
                mapping.set(names.field, column);
    }
    return mapping;
}

} // namespace readings
