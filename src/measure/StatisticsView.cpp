#include "measure/StatisticsView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace measure {

StatisticsView::StatisticsView(QWidget* parent)
    : QWidget(parent), comb_scheme(new QComboBox(this)), grid_statistics(new QTableWidget(this)),
      lbl_no_diagnosis(new QLabel(this)) {
    setObjectName("Statistics");
    auto* schemeLabel = new QLabel("Scheme", this);
    schemeLabel->setObjectName("lbl_scheme");
    schemeLabel->setBuddy(comb_scheme);
    comb_scheme->setObjectName("comb_scheme");
    // Index = readings::Scheme.
    for (readings::Scheme scheme : {readings::Scheme::Esh2023, readings::Scheme::AccAha2017})
        comb_scheme->addItem(readings::schemeName(scheme));
    grid_statistics->setObjectName("grid_statistics");
    grid_statistics->setColumnCount(2);
    grid_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_statistics->horizontalHeader()->hide();
    grid_statistics->verticalHeader()->hide();
    grid_statistics->horizontalHeader()->setStretchLastSection(true);
    lbl_no_diagnosis->setObjectName("lbl_no_diagnosis");
    lbl_no_diagnosis->setWordWrap(true);

    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(schemeLabel);
    schemeRow->addWidget(comb_scheme);
    schemeRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(schemeRow);
    layout->addWidget(grid_statistics, 1);
    layout->addWidget(lbl_no_diagnosis);
    connect(comb_scheme, &QComboBox::activated, this,
            [this](int index) { emit schemeChosen(static_cast<readings::Scheme>(index)); });
}

void StatisticsView::setScheme(readings::Scheme scheme) {
    comb_scheme->setCurrentIndex(static_cast<int>(scheme));
}

readings::Scheme StatisticsView::scheme() const {
    return static_cast<readings::Scheme>(comb_scheme->currentIndex());
}

void StatisticsView::showLines(const QVector<output::StatisticsLine>& lines, const QString& note) {
    grid_statistics->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        grid_statistics->setItem(row, 0, new QTableWidgetItem(lines[row].label));
        grid_statistics->setItem(row, 1, new QTableWidgetItem(lines[row].value));
    }
    grid_statistics->resizeColumnToContents(0);
    lbl_no_diagnosis->setText(note);
}

} // namespace measure
