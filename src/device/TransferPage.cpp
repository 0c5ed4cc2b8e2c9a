#include "device/TransferPage.h"

#include "device/MemoryBox.h"
#include "device/engine/BleSession.h"
#include "device/engine/TReceiData.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/SaveLocation.h"
#include "store/ControlsDisabled.h"
#include "store/DatabaseError.h"
#include "store/ReadingColumns.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/Gauge.h"
#include "ui/ImageButton.h"
#include "ui/RadioGroup.h"
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>
#include <list>

namespace device {

namespace {

constexpr qint32 kDeviceId = 9001;
constexpr int kIoTimeout = 200; // ms

// The engine's messages in the page's message boxes and window messages.
class PageReport : public DownloadReport {
public:
    explicit PageReport(lang::WindowContext& context) : context_(context) {}
    void inform(const QString& key) override { context_.messages.inform(key); }
    void fail(const QString& key, const QStringList& arguments) override {
        context_.messages.fail(key, arguments);
    }
    void sendMessage(store::WindowMessage message) override { context_.SendMessage(message); }

private:
    lang::WindowContext& context_;
};

// Disables a window until the end of the scope, also on failure.
class WindowDisabled {
public:
    explicit WindowDisabled(QWidget& window) : window_(window) { window_.setEnabled(false); }
    ~WindowDisabled() { window_.setEnabled(true); }
    WindowDisabled(const WindowDisabled&) = delete;
    WindowDisabled& operator=(const WindowDisabled&) = delete;

private:
    QWidget& window_;
};

void reopen(store::Dataset& rows) {
    rows.close();
    rows.open();
}

// The idno of every row the table holds.
QSet<int> heldNumbers(store::Database& db, const QString& table) {
    store::Dataset held(db, store::WriteMode::Immediate);
    held.setCommandText(QStringLiteral("select idno from ") + table);
    held.open();
    QSet<int> numbers;
    for (held.first(); !held.eof(); held.next())
        numbers.insert(held.asInteger(QStringLiteral("idno")));
    return numbers;
}

} // namespace

TransferPage::TransferPage(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), Panel12(new ui::Toolbar("Panel12", "Image9", this)),
      Panel2(new ui::Panel("Panel2", this)),
      rg_connection(new ui::RadioGroup("rg_connection", Panel2)),
      memories_{
          new MemoryBox(1, context.dm.ado_rc1, MemoryBox::NameStamp::WhenCopying, context.language),
          new MemoryBox(2, context.dm.ado_rc2, MemoryBox::NameStamp::EverySave, context.language)},
      gridExport_(context.messages, context.language, context.files, this) {
    setObjectName("Transfer");
    addImage("img_transfer_1", true, &TransferPage::img_transfer_1Click);
    addImage("img_save_user2", true, &TransferPage::img_save_user2Click);
    addImage("img_delete_user2", true, &TransferPage::img_delete_user2Click);
    addImage("img_user2_save_as", true, &TransferPage::img_user2_save_asClick);
    addImage("img_preview_3", true, &TransferPage::img_preview_3Click);
    addImage("img_help_3", false);
    addImage("img_print_3", false, &TransferPage::img_print_3Click);
    addImage("img_user1_save_as", false, &TransferPage::img_user1_save_asClick);
    addImage("img_delete_user1", false, &TransferPage::img_delete_user1Click);
    addImage("img_save_user1", false, &TransferPage::img_save_user1Click);

    rg_connection->setItems({"USB cable", "Bluetooth"});
    rg_connection->setColumns(2);
    rg_connection->setItemIndex(int(choice_.connection));
    connect(rg_connection, &ui::RadioGroup::itemIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        choice_.connection = Connection(index);
        if (remember_)
            remember_(choice_);
    });

    memory1()->hide();
    auto* memories = new QVBoxLayout(Panel2);
    memories->setContentsMargins(4, 4, 4, 4);
    memories->addWidget(rg_connection, 0, Qt::AlignLeft);
    memories->addWidget(memory1());
    memories->addWidget(memory2(), 1);
    for (MemoryBox* box : memories_)
        connect(box->grid(), &ui::DataGrid::titleBtnClick, box, &MemoryBox::sortByTitle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel12);
    layout->addWidget(Panel2, 1);
}

QComboBox* TransferPage::comb_user1() const {
    return memory1()->personList();
}

QComboBox* TransferPage::comb_user2() const {
    return memory2()->personList();
}

void TransferPage::addImage(const QString& name, bool shown, void (TransferPage::*handler)()) {
    ui::ImageButton* image = Panel12->addImage(name);
    image->setVisible(shown);
    image->setCursor(Qt::PointingHandCursor);
    ui::addPressedLook(*image, context_.pictures);
    if (handler)
        connect(image, &ui::ImageButton::clicked, this, handler);
}

template <class Steps> bool TransferPage::guarded(Steps&& steps) {
    try {
        steps();
        return true;
    } catch (const store::DatabaseError& error) {
        context_.messages.showError(error.message());
        return false;
    }
}

void TransferPage::enterPage() {
    showMemory1WhileItHoldsReadings();
    MemoryBox* memory2Box = memory2();
    if (memory1()->isHidden()) {
        if (!memory2Box->title().isEmpty())
            memory2Title_ = memory2Box->title();
        memory2Box->setTitle(QString());
    } else if (memory2Box->title().isEmpty()) {
        memory2Box->setTitle(memory2Title_);
    }
}

// A one-memory monitor puts every reading into memory 1, whose box is otherwise hidden:
// the user could neither see nor save them.
void TransferPage::showMemory1WhileItHoldsReadings() {
    const bool shown = !memory1()->rows().isEmpty();
    memory1()->setVisible(shown);
    for (const char* name : {"img_user1_save_as", "img_delete_user1", "img_save_user1"})
        Panel12->findChild<ui::ImageButton*>(QLatin1String(name))->setVisible(shown);
}

void TransferPage::setLinkChoice(const LinkChoice& choice,
                                 std::function<void(const LinkChoice&)> remember) {
    remember_ = nullptr;
    choice_ = choice;
    rg_connection->setItemIndex(int(choice.connection));
    remember_ = std::move(remember);
}

std::optional<BleMonitor> TransferPage::chooseMonitor() {
    const std::unique_ptr<BleScanner> scanner = link_.openBleScanner();
    BleChooser chooser(context_, *scanner, choice_.monitor, window());
    const bool accepted = runChooser_(chooser);
    const std::optional<BleMonitor> monitor = chooser.chosen();
    if (!accepted || !monitor)
        return std::nullopt;
    choice_.monitor = *monitor;
    if (remember_)
        remember_(choice_);
    return monitor;
}

// With Bluetooth the user first chooses the monitor; Cancel there leaves everything as it
// was.
void TransferPage::img_transfer_1Click() {
    std::optional<BleMonitor> monitor;
    if (choice_.connection == Connection::Bluetooth && !(monitor = chooseMonitor()))
        return;
    const WindowDisabled disabled(*window());
    QCoreApplication::processEvents();
    for (MemoryBox* box : memories_)
        box->setLastUser(QString());
    int errors = -1;
    try {
        if (!guarded([&] {
                emptyMemories();
                errors = download(monitor);
            })) { // nothing of this download may stay in the datasets
            for (MemoryBox* box : memories_)
                reopen(box->rows());
        }
    } catch (const SilentAbort&) {
        // The engine has shown its message; the tables were emptied before it started.
    }
    enterPage();
    if (errors == 0)
        context_.messages.inform("transfer_ok");
}

void TransferPage::emptyMemories() {
    for (MemoryBox* box : memories_)
        context_.dm.adocom1.execute(QStringLiteral("delete * from ") + box->table());
    for (MemoryBox* box : memories_) {
        reopen(box->rows());
        box->gauge()->setProgress(0);
    }
}

// Runs the USB engine or the Bluetooth session; returns its error count. Both tables
// receive their rows together or not at all; a Bluetooth download that ends early keeps
// the readings that arrived.
int TransferPage::download(const std::optional<BleMonitor>& monitor) {
    std::list<store::ControlsDisabled> detached;
    DownloadMemories targets;
    for (int memory = 0; memory < kMemoryCount; ++memory) {
        detached.emplace_back(memories_[memory]->rows());
        targets[memory] = memories_[memory]->downloadTarget();
        targets[memory].gauge->setProgress(0);
    }
    PageReport report(context_);
    store::Transaction transaction(context_.dm.ADOConnection1);
    const int errors =
        monitor ? bleDownload(*monitor, targets, report) : usbDownload(targets, report);
    transaction.commit();
    return errors;
}

int TransferPage::usbDownload(const DownloadMemories& targets, DownloadReport& report) {
    const std::unique_ptr<DevicePort> port = link_.openPort();
    TReceiData engine({*port, report, link_.pause, link_.now, context_.ReceiveDelay, kIoTimeout});
    engine.setMemories(targets);
    engine.setDeviceID(kDeviceId);
    engine.Execute();
    return engine.ErrorCount();
}

// Runs the session in a local event loop. Throws SilentAbort when the database refused
// the readings: the session has shown its message, and nothing may be committed. Readings
// left out count as an error: their message stands in place of the success message.
int TransferPage::bleDownload(const BleMonitor& monitor, const DownloadMemories& targets,
                              DownloadReport& report) {
    const std::unique_ptr<BleLink> ble = link_.openBleLink(monitor);
    QtQuietTimer quiet;
    BleSession session({*ble, report, quiet, link_.now}, targets);
    QEventLoop loop;
    auto outcome = BleSession::Outcome::NotStored;
    session.onFinished([&](BleSession::Outcome end) {
        outcome = end;
        loop.quit();
    });
    // The window is disabled while downloading; this box is the one way to cancel.
    QProgressDialog progress(context_.language.GetHintText(QStringLiteral("ble_downloading")),
                             context_.language.GetHintText(QStringLiteral("ble_cancel")), 0, 0,
                             window());
    progress.setObjectName(QStringLiteral("bleProgress"));
    progress.setAutoClose(false);
    progress.setEnabled(true);
    connect(&progress, &QProgressDialog::canceled, &progress, [&session] { session.cancel(); });
    progress.show();
    session.start();
    loop.exec();
    if (outcome == BleSession::Outcome::NotStored)
        throw SilentAbort();
    return outcome == BleSession::Outcome::Complete && session.leftOut() == 0 ? 0 : 1;
}

void TransferPage::img_save_user1Click() {
    saveMemory(*memory1());
}

void TransferPage::img_save_user2Click() {
    saveMemory(*memory2());
}

// Stamping, removing the readings already held and copying the rest land together or
// not at all; the person is remembered only when they landed.
void TransferPage::saveMemory(MemoryBox& box) {
    const QString name = box.personList()->currentText();
    if (name.isEmpty()) {
        context_.messages.inform(QStringLiteral("must_spec_user%1").arg(box.memory()));
        return;
    }
    const bool copy = name != box.lastUser();
    const bool saved = guarded([&] {
        store::Transaction transaction(context_.dm.ADOConnection1);
        if (copy || box.nameStamp() == MemoryBox::NameStamp::EverySave)
            UpdataUserName(name, box.rows());
        if (copy)
            ReceiDone(box.memory() == 1 ? "one" : "two");
        transaction.commit();
    });
    if (!saved) { // the grid shows the table as it is again
        reopen(box.rows());
        return;
    }
    box.setLastUser(name);
    context_.messages.inform("user_bprecord_post_ok");
}

MemoryBox& TransferPage::memoryOf(const store::Dataset& dataset) const {
    return **std::find_if(memories_.begin(), memories_.end(),
                          [&dataset](const MemoryBox* box) { return &box->rows() == &dataset; });
}

// Rows that an earlier save removed from the table (their readings were held already)
// stay in the grid but are not stamped: their table row is gone.
void TransferPage::UpdataUserName(const QString& name, store::Dataset& dataset) {
    const QSet<int> held = heldNumbers(context_.dm.ADOConnection1, memoryOf(dataset).table());
    const QString idno = QStringLiteral("idno");
    const QString personal = QStringLiteral("personal");
    const store::ControlsDisabled detached(dataset);
    try {
        for (dataset.first(); !dataset.eof(); dataset.next()) {
            if (!held.contains(dataset.asInteger(idno)))
                continue;
            dataset.edit();
            dataset.setValue(personal, name);
            dataset.post();
        }
        dataset.applyUpdates();
    } catch (const store::DatabaseError&) {
        dataset.cancelUpdates();
        dataset.first();
        throw;
    }
    dataset.first();
}

void TransferPage::ReceiDone(const QString& usertype) {
    const QString table = (usertype == QLatin1String("one") ? memory1() : memory2())->table();
    store::Transaction transaction(context_.dm.ADOConnection1);
    context_.dm.adocom1.execute(store::removeHeldReadings(table));
    context_.dm.adocom1.execute(store::copyReadings(table));
    transaction.commit();
}

void TransferPage::img_delete_user1Click() {
    clearMemory(*memory1());
}

void TransferPage::img_delete_user2Click() {
    clearMemory(*memory2());
}

void TransferPage::img_user1_save_asClick() {
    exportMemory(*memory1());
}

void TransferPage::img_user2_save_asClick() {
    exportMemory(*memory2());
}

// Named after the chosen person, else "User1" or "User2".
void TransferPage::exportMemory(MemoryBox& box) {
    const QString person = box.personList()->currentText();
    const QString name = person.isEmpty() ? QStringLiteral("User%1").arg(box.memory()) : person;
    gridExport_.ExportGrid(output::suggestedFileName(name), *box.grid());
}

// The gauge keeps its maximum; the person of the last save is kept too.
void TransferPage::clearMemory(MemoryBox& box) {
    if (!context_.messages.ask(QStringLiteral("delete_user%1_bprecord").arg(box.memory())))
        return;
    guarded([&box, this] {
        context_.dm.adocom1.execute(QStringLiteral("delete * from ") + box.table());
        reopen(box.rows());
        box.gauge()->setProgress(0);
    });
    enterPage();
}

namespace {

QString memoryReport(const lang::WindowContext& context) {
    return context.files.find(QStringLiteral("bprecv.rav"));
}

} // namespace

void TransferPage::img_preview_3Click() {
    // A closed memory has no rows to stamp.
    const bool stamped = guarded([this] {
        for (MemoryBox* box : memories_)
            if (box->rows().isActive())
                UpdataUserName(box->personList()->currentText(), box->rows());
    });
    if (!stamped)
        return;
    store::Dataset& shown = memory2()->rows();
    if (!shown.isActive()) {
        context_.messages.inform(QStringLiteral("preview_before_table_not_open"));
        return;
    }
    reports_.ShowReport(shown, QStringLiteral("preview"), memoryReport(context_));
}

void TransferPage::img_print_3Click() {
    QString choice;
    if (!guarded([&] { choice = output::ShowSelUserForm(context_, "print", runSelUser_); }) ||
        choice.isEmpty())
        return;
    store::Dataset& memory = (choice == QLatin1String("0") ? memory1() : memory2())->rows();
    if (!memory.isActive()) {
        context_.messages.inform(QStringLiteral("preview_before_table_not_open"));
        return;
    }
    reports_.ShowReport(memory, QStringLiteral("printer"), memoryReport(context_));
}

} // namespace device
