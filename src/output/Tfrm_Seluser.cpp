#include "output/Tfrm_Seluser.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/WindowContext.h"
#include "store/Tdm1.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace output {

Tfrm_Seluser::Tfrm_Seluser(lang::WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(context), GroupBox1(new QGroupBox(this)), Label1(new QLabel("UserName", GroupBox1)),
      comb_user(new QComboBox(GroupBox1)),
      RadioGroup1(new ui::RadioGroup("RadioGroup1", GroupBox1)),
      Panel1(new ui::Panel("Panel1", this)), btnok(new QPushButton("OK", Panel1)),
      btncancel(new QPushButton("Cancel", Panel1)) {
    setObjectName("frm_seluser");
    new lang::FormTextDumpKey(*this, context_);
    setWindowTitle("User Selection");
    GroupBox1->setObjectName("GroupBox1");
    Label1->setObjectName("Label1");
    comb_user->setObjectName("comb_user");
    lang::markAsDataList(*comb_user);
    comb_user->setMaxVisibleItems(15);
    RadioGroup1->setItems({"User1", "User2"});
    RadioGroup1->setColumns(2);
    RadioGroup1->setItemIndex(0);
    RadioGroup1->setAutoFillBackground(true);
    btnok->setObjectName("btnok");
    btnok->setDefault(true);
    btncancel->setObjectName("btncancel");

    // The memory choice shares the cell of the label and the list, so it covers them.
    // Tight margins: the client area is small.
    auto* group = new QGridLayout(GroupBox1);
    group->setContentsMargins(4, 2, 4, 2);
    group->addWidget(Label1, 0, 0);
    group->addWidget(comb_user, 0, 1);
    group->addWidget(RadioGroup1, 0, 0, 1, 2);
    group->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(btnok);
    buttons->addWidget(btncancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(GroupBox1, 1);
    layout->addWidget(Panel1);
    setFixedSize(329, 118);

    connect(btnok, &QPushButton::clicked, this, &Tfrm_Seluser::btnokClick);
    connect(btncancel, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void Tfrm_Seluser::FormCreate() {
    store::Dataset& names = context_.dm.ado_cx;
    names.close();
    names.setCommandText(QStringLiteral("select lastname from bp_userinfo group by lastname"));
    names.open();
    for (names.first(); !names.eof(); names.next())
        comb_user->addItem(names.asString(QStringLiteral("lastname")));
}

void Tfrm_Seluser::setMode(const QString& mode) {
    mode_ = mode;
    const bool print = mode == QLatin1String("print");
    RadioGroup1->setVisible(print);
    Label1->setVisible(!print);
    if (print)
        RadioGroup1->raise();
}

QString Tfrm_Seluser::result() const {
    if (mode_ == QLatin1String("print"))
        return QString::number(RadioGroup1->itemIndex());
    return comb_user->currentText();
}

void Tfrm_Seluser::btnokClick() {
    accept();
}

void Tfrm_Seluser::showEvent(QShowEvent* event) {
    lang::SetFormText(*this, context_.language, context_.pictures);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool runSelUserModally(Tfrm_Seluser& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QString ShowSelUserForm(lang::WindowContext& context, const QString& mode,
                        const SelUserRunner& run) {
    QString result;
    Tfrm_Seluser dialog(context, QApplication::activeWindow());
    dialog.setMode(mode);
    if (run(dialog))
        result = dialog.result();
    return result;
}

} // namespace output
