#include "output/StatisticsText.h"

#include "lang/LanguageLocale.h"
#include "lang/LanguageStore.h"

#include <QLocale>

namespace output {
namespace {

class Writer {
public:
    Writer(readings::Scheme scheme, const lang::LanguageStore& language)
        : scheme_(scheme), language_(language),
          locale_(lang::localeOfLanguage(language.currentLanguage())) {}

    QString text(const QString& key, const QStringList& arguments = {}) const {
        return language_.GetHintText(key, arguments);
    }
    QString number(double value) const { return locale_.toString(value, 'f', 1); }
    QString whole(int value) const { return locale_.toString(value); }

    QString spread(const readings::Spread& figures) const {
        if (figures.count == 0)
            return text("stats_no_readings");
        const QString deviation = figures.deviation ? number(*figures.deviation) : "–";
        return text("stats_spread", {number(figures.mean), deviation, whole(figures.lowest),
                                     whole(figures.highest)});
    }

    QString category(double systolic, double diastolic) const {
        return text(readings::categoryKey(readings::categorize(scheme_, systolic, diastolic)));
    }

    QString means(const readings::Means& means, const QString& judgement) const {
        if (means.count == 0)
            return text("stats_no_readings");
        return text("stats_means", {number(means.systolic), number(means.diastolic),
                                    whole(means.count), judgement});
    }
    QString means(const readings::Means& figures) const {
        return means(figures, category(figures.systolic, figures.diastolic));
    }

    QString home(const std::optional<readings::Means>& figures) const {
        if (!figures)
            return text("stats_not_enough");
        const bool raised = readings::homeRaised(figures->systolic, figures->diastolic);
        return means(*figures, text(raised ? "stats_home_raised" : "stats_home_below"));
    }

    QString share(int count, int total) const {
        return text("stats_share", {whole(count), whole(qRound(100.0 * count / total))});
    }

private:
    readings::Scheme scheme_;
    const lang::LanguageStore& language_;
    QLocale locale_;
};

} // namespace

QVector<StatisticsLine> statisticsLines(const readings::Statistics& figures,
                                        readings::Scheme scheme,
                                        const lang::LanguageStore& language) {
    const Writer w(scheme, language);
    QVector<StatisticsLine> lines{{w.text("stats_count"), w.whole(figures.count)}};
    if (figures.count == 0)
        return lines;
    lines += {{w.text("stats_systolic"), w.spread(figures.systolic)},
              {w.text("stats_diastolic"), w.spread(figures.diastolic)},
              {w.text("stats_pulse"), w.spread(figures.pulse)},
              {w.text("stats_pulse_pressure"), w.number(figures.pulsePressure)},
              {w.text("stats_category_of_mean"),
               w.category(figures.systolic.mean, figures.diastolic.mean)},
              {w.text("stats_morning"), w.means(figures.morning)},
              {w.text("stats_evening"), w.means(figures.evening)},
              {w.text("stats_home"), w.home(figures.home)}};
    for (readings::Category category : readings::categoriesOf(scheme))
        lines.append({w.text(readings::categoryKey(category)),
                      w.share(figures.categories.value(category), figures.count)});
    return lines;
}

} // namespace output
