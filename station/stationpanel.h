#pragma once
// The provisioning station in the window: a line saying which file goes to the terminals and
// how many were done, a button that stops it, and a table with one row per terminal port:
// port, serial number, IMEI, firmware, stage and result, failures in red.

#include <QSet>
#include <QWidget>

class ProvisionStation;
class QAction;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

class StationPanel : public QWidget
{
    Q_OBJECT

public:
    explicit StationPanel(QWidget *parent = nullptr);
    ~StationPanel() override;

    // The station behind the table; the panel owns it.
    ProvisionStation *station() const { return provisioning; }
    QTableWidget *table() const { return stationTable; }
    // "Указать ТС…" of the table's context menu.
    QAction *vehicleAction() const { return setVehicle; }

signals:
    void stopRequested();
    // "Обновить ПО…": the firmware of every terminal in the table
    void firmwareUpdateRequested();
    // "Указать ТС…" on the row `row`: the vehicle its terminal goes into.
    void vehicleRequested(int row);

private:
    void addRow(int row);
    void showRow(int row);
    void showChangedRows();
    void showSummary();

    ProvisionStation *const provisioning;
    QLabel *const summaryLabel;
    QPushButton *const stopButton;
    QPushButton *const firmwareButton;
    QTableWidget *const stationTable;
    QTimer *const refreshTimer;
    QAction *const setVehicle;
    QSet<int> changedRows;
};
