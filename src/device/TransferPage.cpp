#include "device/TransferPage.h"

#include "device/MemoryBox.h"
#include "device/engine/ProgressGauge.h"
#include "device/engine/TReceiData.h"
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
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSet>
#include <QVBoxLayout>

namespace device {

namespace {

constexpr qint32 kDeviceId = 9001;
constexpr int kIoTimeout = 200; // ms

// The engine's view of a gauge on the page.
class GaugeLink : public ProgressGauge {
public:
    explicit GaugeLink(ui::Gauge& gauge) : gauge_(gauge) {}
    int maxValue() const override { return gauge_.maxValue(); }
    void setMaxValue(int maxValue) override { gauge_.setMaxValue(maxValue); }
    int progress() const override { return gauge_.progress(); }
    void setProgress(int progress) override { gauge_.setProgress(progress); }

private:
    ui::Gauge& gauge_;
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
      Panel2(new ui::Panel("Panel2", this)), GroupBox6(new MemoryBox(1, context.dm.ado_rc1)),
      GroupBox5(new MemoryBox(2, context.dm.ado_rc2)),
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

    GroupBox6->hide();
    auto* memories = new QVBoxLayout(Panel2);
    memories->setContentsMargins(4, 4, 4, 4);
    memories->addWidget(GroupBox6);
    memories->addWidget(GroupBox5, 1);
    connect(GroupBox6->grid(), &ui::DataGrid::titleBtnClick, this,
            &TransferPage::DBGridEh2TitleBtnClick);
    connect(GroupBox5->grid(), &ui::DataGrid::titleBtnClick, this,
            &TransferPage::DBGridEh3TitleBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel12);
    layout->addWidget(Panel2, 1);
}

QComboBox* TransferPage::comb_user1() const {
    return GroupBox6->personList();
}

QComboBox* TransferPage::comb_user2() const {
    return GroupBox5->personList();
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
    if (GroupBox6->isHidden()) {
        if (!GroupBox5->title().isEmpty())
            memory2Title_ = GroupBox5->title();
        GroupBox5->setTitle(QString());
    } else if (GroupBox5->title().isEmpty()) {
        GroupBox5->setTitle(memory2Title_);
    }
}

// A one-memory monitor puts every reading into memory 1, whose box is otherwise hidden:
// the user could neither see nor save them.
void TransferPage::showMemory1WhileItHoldsReadings() {
    const bool shown = !GroupBox6->rows().isEmpty();
    GroupBox6->setVisible(shown);
    for (const char* name : {"img_user1_save_as", "img_delete_user1", "img_save_user1"})
        Panel12->findChild<ui::ImageButton*>(QLatin1String(name))->setVisible(shown);
}

void TransferPage::img_transfer_1Click() {
    const WindowDisabled disabled(*window());
    QCoreApplication::processEvents();
    FlastUser1.clear();
    FlastUser2.clear();
    int errors = -1;
    try {
        if (!guarded([&] {
                emptyMemories();
                errors = download();
            })) { // nothing of this download may stay in the datasets
            reopen(GroupBox6->rows());
            reopen(GroupBox5->rows());
        }
    } catch (const SilentAbort&) {
        // The engine has shown its message; the tables were emptied before it started.
    }
    enterPage();
    if (errors == 0)
        context_.messages.inform("transfer_ok");
}

void TransferPage::emptyMemories() {
    for (MemoryBox* box : {GroupBox6, GroupBox5})
        context_.dm.adocom1.execute(QStringLiteral("delete * from ") + box->table());
    for (MemoryBox* box : {GroupBox6, GroupBox5}) {
        reopen(box->rows());
        box->gauge()->setProgress(0);
    }
}

// Runs the engine; returns its error count. Both tables receive their rows together or
// not at all.
int TransferPage::download() {
    const store::ControlsDisabled detached1(GroupBox6->rows());
    const store::ControlsDisabled detached2(GroupBox5->rows());
    const std::unique_ptr<DevicePort> port = link_.openPort();
    GaugeLink gauge1(*GroupBox6->gauge());
    GaugeLink gauge2(*GroupBox5->gauge());
    TReceiData engine({*port, context_.messages, link_.pause, link_.now, context_.SendMessage,
                       context_.ReceiveDelay, kIoTimeout});
    engine.setAdo_rc1(&GroupBox6->rows());
    engine.setAdo_rc2(&GroupBox5->rows());
    engine.setGauge1(&gauge1);
    engine.setGauge2(&gauge2);
    engine.setDeviceID(kDeviceId);
    gauge1.setProgress(0);
    gauge2.setProgress(0);
    engine.setUser1Name(comb_user1()->currentText());
    engine.setUser2Name(comb_user2()->currentText());
    store::Transaction transaction(context_.dm.ADOConnection1);
    engine.Execute();
    transaction.commit();
    return engine.ErrorCount();
}

void TransferPage::img_save_user1Click() {
    saveMemory(*GroupBox6, FlastUser1, NameStamp::WhenCopying);
}

void TransferPage::img_save_user2Click() {
    saveMemory(*GroupBox5, FlastUser2, NameStamp::EverySave);
}

// Stamping, removing the readings already held and copying the rest land together or
// not at all; the person is remembered only when they landed.
void TransferPage::saveMemory(MemoryBox& box, QString& lastUser, NameStamp stamp) {
    const QString name = box.personList()->currentText();
    if (name.isEmpty()) {
        context_.messages.inform(QStringLiteral("must_spec_user%1").arg(box.memory()));
        return;
    }
    const bool copy = name != lastUser;
    const bool saved = guarded([&] {
        store::Transaction transaction(context_.dm.ADOConnection1);
        if (copy || stamp == NameStamp::EverySave)
            UpdataUserName(name, box.rows());
        if (copy)
            ReceiDone(box.memory() == 1 ? "one" : "two");
        transaction.commit();
    });
    if (!saved) { // the grid shows the table as it is again
        reopen(box.rows());
        return;
    }
    lastUser = name;
    context_.messages.inform("user_bprecord_post_ok");
}

MemoryBox& TransferPage::memoryOf(const store::Dataset& dataset) const {
    return &dataset == &GroupBox6->rows() ? *GroupBox6 : *GroupBox5;
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
    const QString table =
        usertype == QLatin1String("one") ? GroupBox6->table() : GroupBox5->table();
    store::Transaction transaction(context_.dm.ADOConnection1);
    context_.dm.adocom1.execute(store::removeHeldReadings(table));
    context_.dm.adocom1.execute(store::copyReadings(table));
    transaction.commit();
}

void TransferPage::img_delete_user1Click() {
    clearMemory(*GroupBox6);
}

void TransferPage::img_delete_user2Click() {
    clearMemory(*GroupBox5);
}

void TransferPage::img_user1_save_asClick() {
    exportMemory(*GroupBox6, QStringLiteral("User1"));
}

void TransferPage::img_user2_save_asClick() {
    exportMemory(*GroupBox5, QStringLiteral("User2"));
}

void TransferPage::exportMemory(MemoryBox& memory, const QString& unnamed) {
    const QString person = memory.personList()->currentText();
    gridExport_.ExportGrid(output::suggestedFileName(person.isEmpty() ? unnamed : person),
                           *memory.grid());
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

void TransferPage::DBGridEh2TitleBtnClick(int column, const QString& fieldName) {
    GroupBox6->sortByTitle(column, fieldName);
}

void TransferPage::DBGridEh3TitleBtnClick(int column, const QString& fieldName) {
    GroupBox5->sortByTitle(column, fieldName);
}

namespace {

QString memoryReport(const lang::WindowContext& context) {
    return context.files.find(QStringLiteral("bprecv.rav"));
}

} // namespace

void TransferPage::img_preview_3Click() {
    store::Tdm1& dm = context_.dm;
    // A closed memory has no rows to stamp.
    const bool stamped = guarded([&] {
        if (dm.ado_rc1.isActive())
            UpdataUserName(comb_user1()->currentText(), dm.ado_rc1);
        if (dm.ado_rc2.isActive())
            UpdataUserName(comb_user2()->currentText(), dm.ado_rc2);
    });
    if (!stamped)
        return;
    if (!dm.ado_rc2.isActive()) {
        context_.messages.inform(QStringLiteral("preview_before_table_not_open"));
        return;
    }
    reports_.ShowReport(dm.ado_rc2, QStringLiteral("preview"), memoryReport(context_));
}

void TransferPage::img_print_3Click() {
    QString choice;
    if (!guarded([&] { choice = output::ShowSelUserForm(context_, "print", runSelUser_); }) ||
        choice.isEmpty())
        return;
    store::Dataset& memory =
        choice == QLatin1String("0") ? context_.dm.ado_rc1 : context_.dm.ado_rc2;
    if (!memory.isActive()) {
        context_.messages.inform(QStringLiteral("preview_before_table_not_open"));
        return;
    }
    reports_.ShowReport(memory, QStringLiteral("printer"), memoryReport(context_));
}

} // namespace device
