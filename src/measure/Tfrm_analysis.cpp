#include "measure/Tfrm_analysis.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/WindowContext.h"
#include "measure/AnalysisQuery.h"
#include "ui/RadioGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace measure {

namespace {

QDateEdit* makePicker(const QString& name, QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    return picker;
}

void setPickerBackground(QDateEdit& picker, QPalette::ColorRole role) {
    QPalette palette = picker.palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(role));
    picker.setPalette(palette);
}

} // namespace

Tfrm_analysis::Tfrm_analysis(lang::WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      context_(context), RadioGroup1(new ui::RadioGroup("RadioGroup1", this)),
      GroupBox1(new QGroupBox(this)), Label2(new QLabel(GroupBox1)),
      dt1(makePicker("dt1", GroupBox1)), Label3(new QLabel(GroupBox1)),
      dt2(makePicker("dt2", GroupBox1)), CheckBox1(new QCheckBox(GroupBox1)),
      btn_ok(new QPushButton(this)), btn_cancel(new QPushButton(this)) {
    setObjectName("frm_analysis");
    new lang::FormTextDumpKey(*this, context_);
    setWindowTitle("Analysis");
    RadioGroup1->setTitle("BP Data Analysis");
    RadioGroup1->setItems(
        {"analyze all data", "analyze dately", "analyze weekly", "analyze monthly"});
    RadioGroup1->setItemIndex(0);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setTitle("Analysis Range");
    Label2->setObjectName("Label2");
    Label2->setText("start date");
    Label3->setObjectName("Label3");
    Label3->setText("end date");
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setText("All ");
    btn_ok->setObjectName("btn_ok");
    btn_ok->setText("OK");
    btn_ok->setDefault(true);
    btn_cancel->setObjectName("btn_cancel");
    btn_cancel->setText("Cancel");

    auto* range = new QGridLayout(GroupBox1);
    range->addWidget(Label2, 0, 0);
    range->addWidget(dt1, 0, 1);
    range->addWidget(Label3, 1, 0);
    range->addWidget(dt2, 1, 1);
    range->addWidget(CheckBox1, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btn_ok);
    buttons->addWidget(btn_cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);

    connect(CheckBox1, &QCheckBox::toggled, this, &Tfrm_analysis::CheckBox1Click);
    connect(btn_ok, &QPushButton::clicked, this, &Tfrm_analysis::btn_okClick);
    connect(btn_cancel, &QPushButton::clicked, this, &Tfrm_analysis::btn_cancelClick);
    FormCreate();
}

void Tfrm_analysis::FormCreate() {
    const QDate today = QDate::currentDate();
    dt1->setDate(today.addDays(-7));
    dt2->setDate(today);
}

void Tfrm_analysis::FormShow() {
    lang::SetFormText(*this, context_.language, context_.pictures);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tfrm_analysis::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void Tfrm_analysis::prepare(const QString& mode, const QString& startText, const QString& endText,
                            const QString& pattern, const ShortDateFormat& dates) {
    dt1->setDisplayFormat(pattern);
    dt2->setDisplayFormat(pattern);
    if (const std::optional<QDate> start = dates.read(startText))
        dt1->setDate(*start);
    if (const std::optional<QDate> end = dates.read(endText))
        dt2->setDate(*end);
    const QDate today = QDate::currentDate();
    if (dt1->date().daysTo(today) >= AllRecognisedDays &&
        today.daysTo(dt2->date()) >= AllRecognisedDays)
        CheckBox1->setChecked(true);
    if (const std::optional<AnalysisMode> chosen = modeFromKey(mode))
        RadioGroup1->setItemIndex(int(*chosen));
}

void Tfrm_analysis::result(QString& mode, QString& startText, QString& endText,
                           const ShortDateFormat& dates) const {
    const int index = RadioGroup1->itemIndex();
    if (index >= 0)
        mode = modeKey(AnalysisMode(index));
    const QDate today = QDate::currentDate();
    const bool all = CheckBox1->isChecked();
    startText = dates.write(all ? today.addDays(-AllDays) : dt1->date());
    endText = dates.write(all ? today.addDays(AllDays) : dt2->date());
}

void Tfrm_analysis::CheckBox1Click() {
    const QPalette::ColorRole role = CheckBox1->isChecked() ? QPalette::Light : QPalette::Base;
    setPickerBackground(*dt1, role);
    setPickerBackground(*dt2, role);
}

void Tfrm_analysis::btn_okClick() {
    accept();
}

void Tfrm_analysis::btn_cancelClick() {
    reject();
}

bool runModally(Tfrm_analysis& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void ShowAnalysisForm(lang::WindowContext& context, QWidget* parent, QString& mode,
                      QString& startText, QString& endText, const QString& pattern,
                      const ShortDateFormat& dates, const AnalysisDialogRunner& run) {
    Tfrm_analysis dialog(context, parent);
    dialog.prepare(mode, startText, endText, pattern, dates);
    if (run(dialog))
        dialog.result(mode, startText, endText, dates);
}

} // namespace measure
