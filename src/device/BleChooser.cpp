#include "device/BleChooser.h"

#include "lang/FormTextDump.h"
#include "lang/FormTexts.h"
#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace device {

namespace {

enum Column { NameColumn, AddressColumn, SignalColumn };

} // namespace

BleChooser::BleChooser(lang::WindowContext& context, BleScanner& scanner, BleMonitor last,
                       QWidget* parent)
    : QDialog(parent), context_(context), scanner_(scanner), last_(std::move(last)),
      lbl_monitors(new QLabel("Monitors", this)), lst_monitors(new QTreeWidget(this)),
      lbl_scanning(new QLabel("Searching", this)), pb_scanning(new QProgressBar(this)),
      lbl_message(new QLabel(this)), btn_rescan(new QPushButton("Rescan", this)),
      btnok(new QPushButton("OK", this)), btncancel(new QPushButton("Cancel", this)) {
    setObjectName("frm_blechooser");
    new lang::FormTextDumpKey(*this, context_);
    setWindowTitle("Bluetooth Monitor");
    lbl_monitors->setObjectName("lbl_monitors");
    lbl_monitors->setBuddy(lst_monitors);
    lst_monitors->setObjectName("lst_monitors");
    lst_monitors->setRootIsDecorated(false);
    lst_monitors->setHeaderLabels({"Name", "Address", "Signal"});
    lst_monitors->header()->setStretchLastSection(false);
    lst_monitors->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lst_monitors->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    lbl_scanning->setObjectName("lbl_scanning");
    pb_scanning->setObjectName("pb_scanning");
    pb_scanning->setRange(0, 0); // busy, no end known
    pb_scanning->setTextVisible(false);
    lbl_message->setObjectName("lbl_message");
    lbl_message->setWordWrap(true);
    btn_rescan->setObjectName("btn_rescan");
    btnok->setObjectName("btnok");
    btnok->setDefault(true);
    btncancel->setObjectName("btncancel");

    auto* busy = new QHBoxLayout;
    busy->addWidget(lbl_scanning);
    busy->addWidget(pb_scanning, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btn_rescan);
    buttons->addStretch();
    buttons->addWidget(btnok);
    buttons->addWidget(btncancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_monitors);
    layout->addWidget(lst_monitors, 1);
    layout->addLayout(busy);
    layout->addWidget(lbl_message);
    layout->addLayout(buttons);
    setTabOrder(lst_monitors, btn_rescan);
    setTabOrder(btn_rescan, btnok);
    setTabOrder(btnok, btncancel);
    resize(480, 320);

    connect(lst_monitors, &QTreeWidget::currentItemChanged, this, [this] {
        userPicked_ = userPicked_ || !picking_;
        showState();
    });
    connect(lst_monitors, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(btn_rescan, &QPushButton::clicked, this, &BleChooser::rescan);
    connect(btnok, &QPushButton::clicked, this, &QDialog::accept);
    connect(btncancel, &QPushButton::clicked, this, &QDialog::reject);
    lang::SetFormText(*this, context_.language, context_.pictures);
    scanner_.setEvents(this);
    rescan();
}

BleChooser::~BleChooser() {
    scanner_.setEvents(nullptr);
    if (scanning_)
        scanner_.stop();
}

std::optional<BleMonitor> BleChooser::chosen() const {
    const QTreeWidgetItem* row = lst_monitors->currentItem();
    if (!row)
        return std::nullopt;
    return BleMonitor{row->text(NameColumn), row->text(AddressColumn)};
}

void BleChooser::rescan() {
    lst_monitors->clear();
    userPicked_ = false;
    lbl_message->clear();
    scanning_ = true;
    showState();
    scanner_.start();
}

void BleChooser::done(int result) {
    if (result == Accepted && !chosen())
        return;
    if (scanning_) {
        scanning_ = false;
        scanner_.stop();
    }
    QDialog::done(result);
}

void BleChooser::monitorFound(const BleMonitor& monitor, int signal) {
    const QList<QTreeWidgetItem*> known =
        lst_monitors->findItems(monitor.address, Qt::MatchExactly, AddressColumn);
    QTreeWidgetItem* row = known.isEmpty() ? new QTreeWidgetItem(lst_monitors) : known.first();
    row->setText(NameColumn, monitor.name);
    row->setText(AddressColumn, monitor.address);
    row->setText(SignalColumn, QStringLiteral("%1 dBm").arg(signal));
    row->setTextAlignment(SignalColumn, Qt::AlignRight | Qt::AlignVCenter);
    if (!userPicked_ && (monitor.address == last_.address || !lst_monitors->currentItem()))
        makeCurrent(row);
}

void BleChooser::scanFinished() {
    scanEnded(lst_monitors->topLevelItemCount() == 0 ? QStringLiteral("ble_no_monitor")
                                                     : QString());
}

void BleChooser::scanFailed(BleFault fault) {
    scanEnded(QLatin1String(bleFaultKey(fault)));
}

void BleChooser::scanEnded(const QString& messageKey) {
    scanning_ = false;
    lbl_message->setText(messageKey.isEmpty() ? QString()
                                              : context_.language.GetHintText(messageKey));
    showState();
}

void BleChooser::makeCurrent(QTreeWidgetItem* row) {
    picking_ = true;
    lst_monitors->setCurrentItem(row);
    picking_ = false;
}

void BleChooser::showState() {
    lbl_scanning->setVisible(scanning_);
    pb_scanning->setVisible(scanning_);
    lbl_message->setVisible(!lbl_message->text().isEmpty());
    btn_rescan->setEnabled(!scanning_);
    btnok->setEnabled(lst_monitors->currentItem() != nullptr);
}

bool runBleChooserModally(BleChooser& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

} // namespace device
