#pragma once

#include "link/portlist.h"

#include <QDialog>
#include <QSerialPort>
#include <QString>

#include <functional>

class QIntValidator;
class QTimer;

namespace Ui {
class SettingsDialog;
}

// The port name and line parameters chosen in the port dialog, each with its display text,
// and whether a lost connection is to be reopened by itself.
struct PortSettings
{
    QString portName;
    qint32 baudRate = 0;
    QString baudRateText;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QString dataBitsText;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QString parityText;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString stopBitsText;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    QString flowControlText;
    // follows the check box "Переподключаться автоматически" as soon as it is toggled;
    // the other fields change only on "Выбрать"
    bool autoReconnect = true;

    LineSettings line() const
    {
        return {portName, baudRate, dataBits, parity, stopBits, flowControl};
    }
};

class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // The ports come from `ports` (the machine's serial ports unless given).
    explicit SettingsDialog(QWidget *parent = nullptr, PortSource ports = {});
    ~SettingsDialog() override;

    PortSettings currentSettings() const;
    // The state of the check box "Переподключаться автоматически" (remembered between runs).
    bool autoReconnect() const;
    // Where the ports are listed from the next refresh on.
    void setPortSource(PortSource source);
    // Who holds a port, for the list's column "Занят": the window, the provisioning station,
    // or nobody (an empty text).
    using PortUse = std::function<QString(const QString &portName)>;
    void setPortUse(PortUse use);

    // How often the port list is read again while the dialog is shown.
    static constexpr int PortPollIntervalMs = 1000;

signals:
    void connectToSerialPort();
    void autoReconnectChanged(bool on);

protected:
    // The port list follows the ports that come and go only while the dialog is visible.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void showPortInfo(int idx);
    void apply();
    void refresh();
    void checkCustomBaudRatePolicy(int idx);

private:
    void populateLineParameters();
    void populatePortList();
    void captureSettings();
    // The last chosen port, line parameters and the reconnection choice, kept between runs.
    void restoreRemembered();
    void rememberChoice() const;
    void setAutoReconnect(bool on);
    void followPortChoice();

    PortSource portSource;
    PortUse portUse;
    Ui::SettingsDialog *ui;
    PortSettings settings;
    QIntValidator *intValidator;
    QTimer *portPoll;
    // The port to select whenever it is listed: the user's last choice, or the remembered one.
    QString preferredPort;
    bool fillingPortList = false;
};
