#pragma once

#include "readings/Statistics.h"

#include <QString>
#include <QVector>

namespace lang {
class LanguageStore;
}

namespace output {

struct StatisticsLine {
    QString label;
    QString value;
};

// The figures as lines of label and value, in the language's texts and number format:
// means and deviations to one decimal, shares in whole percent.
QVector<StatisticsLine> statisticsLines(const readings::Statistics& figures,
                                        readings::Scheme scheme,
                                        const lang::LanguageStore& language);

} // namespace output
