#pragma once

#include "device/BleChooser.h"
#include "device/MonitorLink.h"
#include "device/engine/DownloadMemory.h"
#include "output/GridExport.h"
#include "output/ShowReport.h"
#include "output/Tfrm_Seluser.h"

#include <QWidget>
#include <array>
#include <optional>

class QComboBox;

namespace lang {
struct WindowContext;
}
namespace store {
class Dataset;
}
namespace ui {
class Panel;
class RadioGroup;
class Toolbar;
} // namespace ui

namespace device {

class DownloadReport;
class MemoryBox;

// Page "Transfer" of the main window's page stack: downloads the monitor's two memories
// into bp_record_user1 and bp_record_user2, shows them, and saves them under a person
// into bp_record or clears them. Memory 1's box shows only while memory 1 holds readings.
class TransferPage : public QWidget {
    Q_OBJECT
public:
    TransferPage(lang::WindowContext& context, QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel12; }
    QComboBox* comb_user1() const;
    QComboBox* comb_user2() const;
    MemoryBox* memory1() const { return memories_[0]; }
    MemoryBox* memory2() const { return memories_[1]; }

    // The monitor the downloads talk to; the USB monitor unless the program says otherwise.
    MonitorLink& monitorLink() { return link_; }
    // USB cable or Bluetooth, and the monitor chosen last; `remember` keeps each change the
    // user makes.
    void setLinkChoice(const LinkChoice& choice, std::function<void(const LinkChoice&)> remember);
    const LinkChoice& linkChoice() const { return choice_; }
    ui::RadioGroup* connectionChoice() const { return rg_connection; }
    // Runs the chooser of a Bluetooth monitor before a Bluetooth download; modal by default.
    void setBleChooserRunner(BleChooserRunner run) { runChooser_ = std::move(run); }

    // The page's own steps when the Transfer button shows it: memory 1's box and buttons
    // show while it holds readings; memory 2's box carries a title only beside it.
    void enterPage();

    void img_transfer_1Click();
    void img_save_user1Click();
    void img_save_user2Click();
    void img_delete_user1Click();
    void img_delete_user2Click();
    void img_user1_save_asClick();
    void img_user2_save_asClick();
    output::GridExport& gridExport() { return gridExport_; }
    // Stamps the chosen names on both memories, then previews memory 2 (bprecv.rav).
    void img_preview_3Click();
    // Prints the memory chosen in the selection dialog; no names are stamped.
    void img_print_3Click();
    output::ReportShow& reports() { return reports_; }
    // Runs the selection dialog; modal by default.
    void setSelUserRunner(output::SelUserRunner run) { runSelUser_ = std::move(run); }

    // Stamps the name on every row of a memory's dataset that its table still holds and
    // applies the batch. On failure the pending changes are dropped and the error goes on.
    void UpdataUserName(const QString& name, store::Dataset& dataset);
    // Copies memory 1 ("one") or memory 2 (any other text) into bp_record, leaving out
    // the readings that bp_record already holds for the same person.
    void ReceiDone(const QString& usertype);

private:
    void addImage(const QString& name, bool shown, void (TransferPage::*handler)() = nullptr);
    void emptyMemories();
    void showMemory1WhileItHoldsReadings();
    std::optional<BleMonitor> chooseMonitor();
    int download(const std::optional<BleMonitor>& monitor);
    int usbDownload(const DownloadMemories& targets, DownloadReport& report);
    int bleDownload(const BleMonitor& monitor, const DownloadMemories& targets,
                    DownloadReport& report);
    void saveMemory(MemoryBox& box);
    void clearMemory(MemoryBox& box);
    void exportMemory(MemoryBox& box);
    MemoryBox& memoryOf(const store::Dataset& dataset) const;
    // Runs the steps; a database error is shown and gives false.
    template <class Steps> bool guarded(Steps&& steps);

    lang::WindowContext& context_;
    MonitorLink link_;
    ui::Toolbar* Panel12;
    ui::Panel* Panel2;
    ui::RadioGroup* rg_connection;
    // Memory 1 (GroupBox6) and memory 2 (GroupBox5).
    std::array<MemoryBox*, kMemoryCount> memories_;
    // Memory 2's title from the language table, kept while the box shows none.
    QString memory2Title_;
    output::GridExport gridExport_;
    output::ReportShow reports_{context_};
    output::SelUserRunner runSelUser_ = output::runSelUserModally;
    LinkChoice choice_;
    std::function<void(const LinkChoice&)> remember_;
    BleChooserRunner runChooser_ = runBleChooserModally;
};

} // namespace device
