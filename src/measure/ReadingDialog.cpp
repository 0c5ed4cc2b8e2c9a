#include "measure/ReadingDialog.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "readings/ReadingStore.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

namespace measure {

namespace {

QLineEdit* makeNumberEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), edit));
    return edit;
}

} // namespace

ReadingDialog::ReadingDialog(lang::WindowContext& context, const QString& person, qint64 rowid,
                             const QString& momentFormat, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(context), person_(person), rowid_(rowid), dtp_checktime(new QDateTimeEdit(this)),
      edt_systolic(makeNumberEdit("edt_systolic", this)),
      edt_diastolic(makeNumberEdit("edt_diastolic", this)),
      edt_heart_beat(makeNumberEdit("edt_heart_beat", this)),
      chk_delselection(new QCheckBox("Mark", this)) {
    setObjectName("frm_reading");
    new lang::FormTextDumpKey(*this, context_);
    setWindowTitle("New reading");
    dtp_checktime->setObjectName("dtp_checktime");
    dtp_checktime->setDisplayFormat(momentFormat);
    dtp_checktime->setCalendarPopup(true);
    const QDateTime now = QDateTime::currentDateTime();
    dtp_checktime->setDateTime(
        QDateTime(now.date(), QTime(now.time().hour(), now.time().minute())));
    chk_delselection->setObjectName("chk_delselection");
    buildLayout();
}

// The fields in screen order, which is also the order of Tab.
void ReadingDialog::buildLayout() {
    auto* fields = new QFormLayout;
    const std::pair<const char*, QWidget*> rows[] = {{"Date and time", dtp_checktime},
                                                     {"Systolic", edt_systolic},
                                                     {"Diastolic", edt_diastolic},
                                                     {"Pulse", edt_heart_beat}};
    for (const auto& [text, field] : rows) {
        auto* label = new QLabel(text, this);
        label->setObjectName("lbl_" + field->objectName().section(u'_', 1, -1));
        label->setBuddy(field);
        fields->addRow(label, field);
    }
    fields->addRow(QString(), chk_delselection);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("btn_ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ReadingDialog::btn_okClick);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("btn_cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    QWidget* previous = dtp_checktime;
    for (QWidget* next : std::initializer_list<QWidget*>{
             edt_systolic, edt_diastolic, edt_heart_beat, chk_delselection, ok, cancel}) {
        setTabOrder(previous, next);
        previous = next;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void ReadingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    lang::SetFormText(*this, context_.language, context_.pictures);
    if (rowid_ != 0) {
        const QString caption = context_.language.GetHintText("edit_reading_caption");
        if (!caption.isEmpty())
            setWindowTitle(caption);
    }
    dtp_checktime->setFocus();
}

void ReadingDialog::setReading(const readings::Reading& reading) {
    dtp_checktime->setDateTime(QDateTime(reading.moment.date(), reading.moment.time()));
    edt_systolic->setText(QString::number(reading.systolic));
    edt_diastolic->setText(QString::number(reading.diastolic));
    edt_heart_beat->setText(reading.pulse ? QString::number(*reading.pulse) : QString());
    chk_delselection->setChecked(reading.mark);
}

// An empty pressure reads as 0, which the checks refuse.
readings::Reading ReadingDialog::reading() const {
    readings::Reading reading;
    reading.moment = dtp_checktime->dateTime();
    reading.systolic = edt_systolic->text().toInt();
    reading.diastolic = edt_diastolic->text().toInt();
    if (!edt_heart_beat->text().isEmpty())
        reading.pulse = edt_heart_beat->text().toInt();
    reading.mark = chk_delselection->isChecked();
    return reading;
}

void ReadingDialog::btn_okClick() {
    const readings::Reading entered = reading();
    const QStringList problems = readings::check(entered, QDateTime::currentDateTime());
    if (!problems.isEmpty())
        return refuse(problems.first());
    try {
        if (!readings::saveReading(context_.dm.ADOConnection1, person_, entered, rowid_))
            return refuse(QStringLiteral("reading_same_minute"));
    } catch (const store::DatabaseError& error) {
        context_.messages.showError(error.message());
        return;
    }
    accept();
}

// Shows the message and puts the focus on the field its key names.
void ReadingDialog::refuse(const QString& key) {
    context_.messages.inform(key);
    const std::pair<const char*, QWidget*> fields[] = {{"reading_systolic", edt_systolic},
                                                       {"reading_diastolic", edt_diastolic},
                                                       {"reading_pulse", edt_heart_beat}};
    QWidget* field = dtp_checktime;
    for (const auto& [prefix, edit] : fields) {
        if (key.startsWith(QLatin1String(prefix)))
            field = edit;
    }
    field->setFocus();
}

bool runReadingDialog(ReadingDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

} // namespace measure
