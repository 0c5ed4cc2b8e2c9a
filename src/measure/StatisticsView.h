#pragma once

#include "output/StatisticsText.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace measure {

// The statistics page of the Data page: the scheme box, the figures as a read-only table
// and the note that a category is no diagnosis.
class StatisticsView : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsView(QWidget* parent = nullptr);
    QComboBox* schemeBox() const { return comb_scheme; }
    QTableWidget* table() const { return grid_statistics; }
    QLabel* note() const { return lbl_no_diagnosis; }

    void setScheme(readings::Scheme scheme);
    readings::Scheme scheme() const;
    void showLines(const QVector<output::StatisticsLine>& lines, const QString& note);

signals:
    void schemeChosen(readings::Scheme scheme);

private:
    QComboBox* comb_scheme;
    QTableWidget* grid_statistics;
    QLabel* lbl_no_diagnosis;
};

} // namespace measure
