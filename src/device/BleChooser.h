#pragma once

#include "device/engine/BleScanner.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lang {
struct WindowContext;
}

namespace device {

// Lists the Bluetooth blood pressure monitors a scan finds, with their address and
// signal, while a busy display shows that the scan runs. The scan starts with the dialog.
// The monitor chosen last time is preselected when the scan finds it.
class BleChooser : public QDialog, private BleScanEvents {
    Q_OBJECT
public:
    BleChooser(lang::WindowContext& context, BleScanner& scanner, BleMonitor last,
               QWidget* parent = nullptr);
    ~BleChooser() override;

    // The monitor of the current row.
    std::optional<BleMonitor> chosen() const;
    bool scanning() const { return scanning_; }
    void rescan();

    QTreeWidget* monitorList() const { return lst_monitors; }
    QLabel* messageLabel() const { return lbl_message; }
    QProgressBar* busyDisplay() const { return pb_scanning; }
    QPushButton* rescanButton() const { return btn_rescan; }
    QPushButton* okButton() const { return btnok; }
    QPushButton* cancelButton() const { return btncancel; }

    void done(int result) override;

private:
    void monitorFound(const BleMonitor& monitor, int signal) override;
    void scanFinished() override;
    void scanFailed(BleFault fault) override;
    void scanEnded(const QString& messageKey);
    void makeCurrent(QTreeWidgetItem* row);
    void showState();

    lang::WindowContext& context_;
    BleScanner& scanner_;
    BleMonitor last_;
    bool scanning_ = false;
    bool userPicked_ = false; // a row chosen by hand keeps its place
    bool picking_ = false;
    QLabel* lbl_monitors;
    QTreeWidget* lst_monitors;
    QLabel* lbl_scanning;
    QProgressBar* pb_scanning;
    QLabel* lbl_message;
    QPushButton* btn_rescan;
    QPushButton* btnok;
    QPushButton* btncancel;
};

// Shows the dialog until the operator closes it; true on OK with a monitor chosen.
using BleChooserRunner = std::function<bool(BleChooser&)>;
bool runBleChooserModally(BleChooser& dialog);

} // namespace device
