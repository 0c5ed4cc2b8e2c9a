#pragma once

#include "output/StatisticsText.h"
#include "readings/Category.h"
#include "readings/Reading.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace lang {
class LanguageStore;
}
namespace store {
class Database;
}

namespace output {

// What the first page of the summary says, in the current language.
struct SummaryFacts {
    QString fullName; // first and last name; the name the readings carry without a register row
    QVector<StatisticsLine> person; // date of birth and gender, where known
    QString statisticsTitle;
    QVector<StatisticsLine> statistics;
    QString note; // the scheme, and that a category is no diagnosis
    QString chartTitle;
    QVector<readings::Reading> readings; // in time order
    readings::Threshold threshold{};
    QString riskTitle;
    QStringList riskFactors; // the names of those set, or the line that none is
};

// The facts of the person's stored readings from the first to the last day. Throws
// store::DatabaseError.
SummaryFacts summaryFacts(store::Database& db, const lang::LanguageStore& language,
                          const QString& person, const QDate& first, const QDate& last,
                          readings::Scheme scheme);

} // namespace output
